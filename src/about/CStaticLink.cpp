#include "about/CStaticLink.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "framework/ControlProperties.h"
#include "framework/Shell.h"
#include "res/WindowStyles.h"

namespace linkrake {

QColor ToQColor(COLORREF color) {
  return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
                static_cast<int>((color >> 16) & 0xFFu));
}

CStaticLink::CStaticLink(QWidget* parent) : QLabel(parent) {}

CStaticLink::~CStaticLink() = default;

bool CStaticLink::CtlColor(QPainter& dc) {
  const std::uint32_t style = GetStyle(this);
  // Only the stored word changes: painting must not show, hide or enable anything.
  if (!(style & SS_NOTIFY)) StoreStyle(this, style | SS_NOTIFY);

  // Icons, frames, simple or no-wrap text, and text with SS_NOPREFIX look as they always do.
  if ((style & 0xFFu) > SS_RIGHT) return false;

  if (!m_underlineFont) {
    QFont underlined = font();
    underlined.setUnderline(true);
    m_underlineFont = underlined;
  }
  dc.setFont(*m_underlineFont);
  dc.setPen(ToQColor(LinkColor()));
  // Nothing behind the text is painted, so the parent's background shows through.
  dc.setBackgroundMode(Qt::TransparentMode);
  return true;
}

void CStaticLink::paintEvent(QPaintEvent* event) {
  {
    QPainter dc(this);
    if (CtlColor(dc)) {
      const int m = margin();
      const QRect area = contentsRect().adjusted(m, m, -m, -m);
      int flags = QStyle::visualAlignment(layoutDirection(), alignment());
      if (wordWrap()) flags |= Qt::TextWordWrap;
      dc.drawText(area, flags, text());
      return;
    }
  }
  QLabel::paintEvent(event);
}

void CStaticLink::OnLinkClick() {
  if (m_url.empty()) m_url = GetWindowText(this);
  if (ShellOpen(m_url)) {
    m_visited = true;
    update();
  } else {
    MessageBeep();
  }
}

bool CStaticLink::ReportsClicks() const { return GetStyle(this) & SS_NOTIFY; }

void CStaticLink::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !ReportsClicks()) {
    QLabel::mousePressEvent(event);
    return;
  }
  m_pressed = true;
  event->accept();
}

void CStaticLink::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_pressed) {
    QLabel::mouseReleaseEvent(event);
    return;
  }
  m_pressed = false;
  event->accept();
  // A press dragged off the link before release is no click.
  if (rect().contains(event->position().toPoint()) && ReportsClicks()) OnLinkClick();
}

void CStaticLink::mouseDoubleClickEvent(QMouseEvent* event) {
  // The first click of a double click has opened the link already; the second one does not
  // open it again.
  if (event->button() == Qt::LeftButton && ReportsClicks()) {
    event->accept();
    return;
  }
  QLabel::mouseDoubleClickEvent(event);
}

}  // namespace linkrake
