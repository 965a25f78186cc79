#include "framework/ControlProperties.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>

#include "res/ResourceIds.h"
#include "res/WindowStyles.h"

namespace linkrake {
namespace {
constexpr char kIdProperty[] = "linkrakeControlId";
constexpr char kStyleProperty[] = "linkrakeStyle";
}  // namespace

int GetControlId(const QWidget* control) {
  if (!control) return IDC_STATIC;
  QVariant id = control->property(kIdProperty);
  return id.isValid() ? id.toInt() : IDC_STATIC;
}

void SetControlId(QWidget* control, int id) { control->setProperty(kIdProperty, id); }

void StoreStyle(QWidget* control, std::uint32_t style) {
  control->setProperty(kStyleProperty, QVariant::fromValue<quint32>(style));
}

std::uint32_t GetStyle(const QWidget* control) {
  if (!control) return 0;
  std::uint32_t style = control->property(kStyleProperty).value<quint32>();
  style &= ~(WS_VISIBLE | WS_DISABLED);
  if (!control->isHidden()) style |= WS_VISIBLE;
  if (control->testAttribute(Qt::WA_ForceDisabled)) style |= WS_DISABLED;
  return style;
}

void SetStyle(QWidget* control, std::uint32_t style) {
  if (!control) return;
  StoreStyle(control, style);
  control->setEnabled(!(style & WS_DISABLED));
  control->setVisible(style & WS_VISIBLE);
  // Only controls that take the focus at all distinguish Tab from a click.
  if (control->focusPolicy() != Qt::NoFocus)
    control->setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
}

std::string GetWindowText(const QWidget* control) {
  QString text;
  if (auto* edit = qobject_cast<const QLineEdit*>(control)) text = edit->text();
  else if (auto* combo = qobject_cast<const QComboBox*>(control)) text = combo->currentText();
  else if (auto* button = qobject_cast<const QAbstractButton*>(control)) text = button->text();
  else if (auto* label = qobject_cast<const QLabel*>(control)) text = label->text();
  else if (auto* box = qobject_cast<const QGroupBox*>(control)) text = box->title();
  else if (control) text = control->windowTitle();
  return text.toUtf8().toStdString();
}

void SetWindowText(QWidget* control, const std::string& bytes) {
  const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(text);
  else if (auto* combo = qobject_cast<QComboBox*>(control)) combo->setEditText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setText(text);
  else if (auto* label = qobject_cast<QLabel*>(control)) label->setText(text);
  else if (auto* box = qobject_cast<QGroupBox*>(control)) box->setTitle(text);
  else if (control) control->setWindowTitle(text);
}

}  // namespace linkrake
