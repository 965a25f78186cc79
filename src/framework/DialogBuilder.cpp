#include "framework/DialogBuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "framework/ControlProperties.h"
#include "res/Icons.h"
#include "res/WindowStyles.h"

namespace linkrake {
namespace {

QString Text(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::Edit:
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::ListView:
    case ControlKind::ComboBox: return true;
    default: return false;
  }
}

Qt::Alignment HorizontalAlignment(std::uint32_t kindBits) {
  if (kindBits == 1) return Qt::AlignHCenter;  // ES_CENTER, SS_CENTER
  if (kindBits == 2) return Qt::AlignRight;  // ES_RIGHT, SS_RIGHT
  return Qt::AlignLeft;
}

void ConfigureEdit(QLineEdit& edit, std::uint32_t style) {
  edit.setReadOnly(style & ES_READONLY);
  edit.setFrame(style & WS_BORDER);
  edit.setAlignment(HorizontalAlignment(style & 0x3u) | Qt::AlignVCenter);
}

void ConfigureLabel(QLabel& label, std::uint32_t style) {
  const std::uint32_t kind = style & SS_TYPEMASK;
  label.setTextFormat(Qt::PlainText);
  label.setAlignment(HorizontalAlignment(kind) | Qt::AlignTop);
  label.setWordWrap(kind <= SS_RIGHT);
}

void ConfigureListView(QTreeView& view, std::uint32_t style) {
  view.setRootIsDecorated(false);
  view.setItemsExpandable(false);
  view.setUniformRowHeights(true);  // rows of one height let the view scroll millions of them
  view.setAllColumnsShowFocus(true);
  view.setSelectionBehavior(QAbstractItemView::SelectRows);
  view.setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                : QAbstractItemView::ExtendedSelection);
  view.setSortingEnabled(false);
  view.header()->setSectionsClickable(!(style & LVS_NOSORTHEADER));
  view.header()->setVisible(!(style & LVS_NOCOLUMNHEADER));
  view.setEditTriggers((style & LVS_EDITLABELS)
                           ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                           : QAbstractItemView::NoEditTriggers);
  view.setFrameShape((style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
  if (style & LVS_SHOWSELALWAYS) {
    QPalette palette = view.palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
      palette.setBrush(QPalette::Inactive, role, palette.brush(QPalette::Active, role));
    view.setPalette(palette);
  }
}

void ConfigureCombo(QComboBox& combo, const ControlTemplate& c, DialogBaseUnits base) {
  const std::uint32_t kind = c.style & 0x3u;
  combo.setEditable(kind != CBS_DROPDOWNLIST);
  combo.setInsertPolicy(QComboBox::NoInsert);
  combo.setDuplicatesEnabled(true);
  // Completing what the user types would change the address behind the user's back.
  if (combo.isEditable()) combo.setCompleter(nullptr);
  // The template's height is the edit field and the dropped-down list together.
  const int fieldHeight = combo.sizeHint().height();
  const int listHeight = MapDialogY(c.cy, base) - fieldHeight;
  const int itemHeight = std::max(1, combo.fontMetrics().height());
  combo.setMaxVisibleItems(std::max(1, listHeight / itemHeight));
  combo.setGeometry(MapDialogX(c.x, base), MapDialogY(c.y, base), MapDialogX(c.cx, base), fieldHeight);
}

}  // namespace

QWidget* DialogBuilder::CreateControl(const ControlTemplate& c, QWidget* parent) {
  switch (c.kind()) {
    case ControlKind::Edit: return new QLineEdit(parent);
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: return new QPushButton(parent);
    case ControlKind::CheckBox: return new QCheckBox(parent);
    case ControlKind::RadioButton: return new QRadioButton(parent);
    case ControlKind::GroupBox: return new QGroupBox(parent);
    case ControlKind::StaticText:
    case ControlKind::StaticIcon: return new QLabel(parent);
    case ControlKind::ListView: return new QTreeView(parent);
    case ControlKind::ProgressBar: return new QProgressBar(parent);
    case ControlKind::ComboBox: return new QComboBox(parent);
    case ControlKind::Unknown: break;
  }
  return new QWidget(parent);
}

void DialogBuilder::Configure(QWidget& w, const ControlTemplate& c, DialogBaseUnits base) {
  SetControlId(&w, c.id);
  StoreStyle(&w, c.style);
  w.setGeometry(MapDialogRect(QRect(c.x, c.y, c.cx, c.cy), base));
  const ControlKind kind = c.kind();
  if (auto* edit = qobject_cast<QLineEdit*>(&w)) ConfigureEdit(*edit, c.style);
  if (auto* label = qobject_cast<QLabel*>(&w)) ConfigureLabel(*label, c.style);
  if (auto* view = qobject_cast<QTreeView*>(&w)) ConfigureListView(*view, c.style);
  if (auto* combo = qobject_cast<QComboBox*>(&w)) ConfigureCombo(*combo, c, base);
  if (auto* button = qobject_cast<QPushButton*>(&w)) {
    button->setAutoDefault(true);
    button->setDefault(kind == ControlKind::DefPushButton);
  }
  if (auto* radio = qobject_cast<QRadioButton*>(&w)) radio->setAutoExclusive(false);  // see Build
  if (auto* bar = qobject_cast<QProgressBar*>(&w)) {
    bar->setTextVisible(false);
    bar->setRange(0, 100);
    bar->setValue(0);
  }
  if (kind == ControlKind::StaticIcon) {
    auto& label = static_cast<QLabel&>(w);
    const QPixmap pixmap = LoadIconPixmap(c.iconId);
    label.setPixmap(pixmap);
    // An icon static takes the size of its icon, not the template's.
    if (!pixmap.isNull()) label.resize(pixmap.size());
  } else {
    SetWindowText(&w, c.text);
  }
  w.setEnabled(!(c.style & WS_DISABLED));
  w.setHidden(!(c.style & WS_VISIBLE));
  if (!TakesFocus(kind)) w.setFocusPolicy(Qt::NoFocus);
  else w.setFocusPolicy((c.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
}

void DialogBuilder::Order(const std::vector<QWidget*>& controls) {
  for (QWidget* w : controls) w->lower();
  for (std::size_t i = 1; i < controls.size(); ++i) QWidget::setTabOrder(controls[i - 1], controls[i]);
}

QMenuBar* DialogBuilder::BuildMenuBar(const MenuTemplate& menu, QWidget* parent) {
  auto* bar = new QMenuBar(parent);
  bar->setNativeMenuBar(false);  // the menu belongs to the dialog's own frame
  for (const MenuItemTemplate& popup : menu.items) {
    if (popup.kind != MenuItemTemplate::Kind::Popup) {
      bar->addAction(Text(popup.text))->setData(popup.id);
      continue;
    }
    QMenu* sub = bar->addMenu(Text(popup.text));
    for (const MenuItemTemplate& item : popup.items) {
      if (item.kind == MenuItemTemplate::Kind::Separator) sub->addSeparator();
      else sub->addAction(Text(item.text))->setData(item.id);
    }
  }
  return bar;
}

BuiltDialog DialogBuilder::Build(QDialog& dialog, const DialogTemplate& t) {
  BuiltDialog built;
  const QFont font = DialogFont(t);
  built.baseUnits = BaseUnitsOf(font);

  Qt::WindowFlags flags = (t.exStyle & WS_EX_APPWINDOW) ? Qt::Window : Qt::Dialog;
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (t.style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (t.style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
  dialog.setWindowFlags(flags);
  dialog.setWindowTitle(Text(t.caption));
  SetControlId(&dialog, t.id);
  StoreStyle(&dialog, t.style);

  auto* layout = new QVBoxLayout(&dialog);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  if (t.menuId != 0) {
    if (const MenuTemplate* menu = FindMenuTemplate(t.menuId)) {
      built.menuBar = BuildMenuBar(*menu, &dialog);
      layout->setMenuBar(built.menuBar);
    }
  }
  built.client = new QWidget(&dialog);
  built.client->setFont(font);
  built.client->setFixedSize(MapDialogX(t.cx, built.baseUnits), MapDialogY(t.cy, built.baseUnits));
  layout->addWidget(built.client);

  QButtonGroup* radios = nullptr;
  for (const ControlTemplate& c : t.controls) {
    QWidget* w = CreateControl(c, built.client);
    Configure(*w, c, built.baseUnits);
    built.controls.push_back(w);
    // Radio buttons are exclusive within a group: from a WS_GROUP control to the next.
    if (c.style & WS_GROUP) radios = nullptr;
    if (auto* radio = qobject_cast<QRadioButton*>(w)) {
      if (!radios) {
        radios = new QButtonGroup(built.client);
        radios->setExclusive(true);
      }
      radios->addButton(radio);
    }
  }
  Order(built.controls);
  return built;
}

}  // namespace linkrake
