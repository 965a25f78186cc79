#pragma once
// Turns a dialog template into widgets on a QDialog.
//
// Kinds become Qt widgets: edit -> QLineEdit, push buttons -> QPushButton (the default push
// button is the dialog's default), auto check box -> QCheckBox, auto radio button ->
// QRadioButton in an exclusive QButtonGroup that runs from each WS_GROUP control to the next,
// group box -> QGroupBox, static text -> QLabel (plain text, top-aligned, wrapping),
// static icon -> QLabel showing the icon at its own size, list view -> QTreeView in report
// style (one level, uniform rows, the caller sets the model), progress bar -> QProgressBar
// without text, combo box -> QComboBox (editable for drop-downs, never sorted, no completion,
// its list as tall as the template's height allows).
//
// Geometry converts from dialog units through the template's font. The controls are children
// of a client widget of the template's size; a template menu becomes a QMenuBar above it and
// the dialog takes the fixed size of both. Tab and stacking order follow the template order.
// Every control carries its id and style word (see ControlProperties.h).
#include <QDialog>
#include <QMenuBar>
#include <vector>

#include "framework/DialogUnits.h"
#include "res/DialogTemplate.h"
#include "res/MenuTemplate.h"

namespace linkrake {

struct BuiltDialog {
  QMenuBar* menuBar = nullptr;  // nullptr when the template names no menu
  QWidget* client = nullptr;  // the client area; parent of every control
  std::vector<QWidget*> controls;  // one per template control, in template order
  DialogBaseUnits baseUnits{};
};

class DialogBuilder {
 public:
  // Builds `dialogTemplate` onto `dialog`, which must not have a layout yet. The widgets
  // belong to `dialog`.
  static BuiltDialog Build(QDialog& dialog, const DialogTemplate& dialogTemplate);

  // A fresh, unconfigured widget of the kind `control` asks for.
  static QWidget* CreateControl(const ControlTemplate& control, QWidget* parent);
  // Gives `widget` all that template entry `control` sets: id, style, geometry, text,
  // enabled and visible state, focus policy and the settings of its kind. `widget` must
  // already sit in the client area, whose font it uses.
  static void Configure(QWidget& widget, const ControlTemplate& control, DialogBaseUnits base);
  // Puts `controls` in tab and stacking order: the first at the top and first in the chain.
  static void Order(const std::vector<QWidget*>& controls);

  // The menu bar of a menu template; each command's QAction holds its id as data().
  static QMenuBar* BuildMenuBar(const MenuTemplate& menu, QWidget* parent);
};

}  // namespace linkrake
