#pragma once
// The program's own help window: the help page shown in a browser widget. One window at a
// time; asking again brings the open one to the front.
#include <QDialog>
#include <string>

class QTextBrowser;

namespace linkrake {

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  // Shows `page` (a local HTML file), or `fallbackText` when `page` is empty. The window is
  // modeless, owned by the main window, and deletes itself when closed.
  static HelpWindow* Show(const std::string& page, const std::string& fallbackText);
  // The window that is open now, or nullptr.
  static HelpWindow* Current();

  QTextBrowser* Browser() const { return m_browser; }

 private:
  explicit HelpWindow(QWidget* owner);
  void Load(const std::string& page, const std::string& fallbackText);

  QTextBrowser* m_browser;
};

}  // namespace linkrake
