#pragma once
// A static text that is a hyperlink: drawn underlined in blue on its parent's background, it
// opens its address with the user's web browser when clicked and turns purple once that worked.
// A failed open only beeps. There is no hover effect and the pointer does not change.
//
// It colours itself at every paint, the way a static is coloured when it is drawn: the first
// paint makes it report clicks (SS_NOTIFY) and makes its underlined font from the font it has
// then. Only plain text statics (SS_LEFT, SS_CENTER, SS_RIGHT with no other bit of the low
// style byte) are drawn as a link; any other kind keeps its usual look yet still opens on a click.
//
// Put it in place of a template control with CDialog::SubclassDlgItem(id, link).
#include <QColor>
#include <QFont>
#include <QLabel>
#include <cstdint>
#include <optional>
#include <string>

class QPainter;

namespace linkrake {

// 0x00BBGGRR, as colours are kept in style words and resources.
using COLORREF = std::uint32_t;
QColor ToQColor(COLORREF color);

class CStaticLink : public QLabel {
  Q_OBJECT

 public:
  static constexpr COLORREF kUnvisitedColor = 0x00FF0000;  // blue
  static constexpr COLORREF kVisitedColor = 0x00800080;  // purple

  explicit CStaticLink(QWidget* parent = nullptr);
  ~CStaticLink() override;

  bool Visited() const { return m_visited; }
  // What a click opens; empty until the first click copies the text into it.
  const std::string& Url() const { return m_url; }
  // The underlined font, once the first paint has made it.
  const std::optional<QFont>& UnderlineFont() const { return m_underlineFont; }
  // The colour the link text is drawn in now.
  COLORREF LinkColor() const { return m_visited ? m_visitedColor : m_unvisitedColor; }

  // Sets `dc` up for drawing the link text and returns true; false leaves the drawing to the
  // label's usual painting. Also turns on click reporting for any kind of static.
  bool CtlColor(QPainter& dc);
  // Opens the link: one attempt; visited and repainted on success, a beep on failure.
  void OnLinkClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool ReportsClicks() const;

  COLORREF m_unvisitedColor = kUnvisitedColor;
  COLORREF m_visitedColor = kVisitedColor;
  bool m_visited = false;
  std::string m_url;
  std::optional<QFont> m_underlineFont;
  bool m_pressed = false;  // a left press began on the link and has not been released yet
};

}  // namespace linkrake
