#include "framework/DataExchange.h"

#include <QComboBox>
#include <QDebug>

#include "framework/ControlProperties.h"

namespace linkrake {

void CDataExchange::Fail(int id) {
  if (!failed_) qWarning("data exchange: template %d has no usable control %d", m_pDlgWnd->TemplateId(), id);
  failed_ = true;
  failedId_ = id;
}

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
  QWidget* control = dx.m_pDlgWnd->GetDlgItem(id);
  if (!control) return dx.Fail(id);
  if (dx.m_bSaveAndValidate) value = GetWindowText(control);
  else SetWindowText(control, value);
}

void DDX_CBString(CDataExchange& dx, int id, std::string& value) {
  auto* combo = dx.m_pDlgWnd->GetDlgItem<QComboBox>(id);
  if (!combo) return dx.Fail(id);
  if (dx.m_bSaveAndValidate) {
    value = combo->currentText().toUtf8().toStdString();
    return;
  }
  const QString text = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
  // An empty text would match every item; it means "nothing chosen", not the first address.
  if (!text.isEmpty()) {
    for (int i = 0; i < combo->count(); ++i) {
      if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
        combo->setCurrentIndex(i);
        if (combo->isEditable()) combo->setEditText(combo->itemText(i));
        return;
      }
    }
  }
  combo->setCurrentIndex(-1);
  combo->setEditText(text);
}

}  // namespace linkrake
