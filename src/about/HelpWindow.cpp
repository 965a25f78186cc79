#include "about/HelpWindow.h"

#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "framework/MainWindow.h"
#include "framework/Shell.h"

namespace linkrake {
namespace {
QPointer<HelpWindow> g_current;
}  // namespace

HelpWindow::HelpWindow(QWidget* owner) : QDialog(owner), m_browser(new QTextBrowser(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral("Linkrake Help"));
  // The page's own anchors and local pages stay here; web sites go to the user's browser.
  m_browser->setOpenLinks(false);
  connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
    const QUrl target = m_browser->source().resolved(link);
    if (target.isLocalFile()) {
      m_browser->setSource(target);
    } else if (!ShellOpen(target.toString(QUrl::FullyEncoded).toStdString())) {
      MessageBeep();
    }
  });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_browser);
  resize(560, 480);
}

HelpWindow* HelpWindow::Current() { return g_current.data(); }

HelpWindow* HelpWindow::Show(const std::string& page, const std::string& fallbackText) {
  if (!g_current) g_current = new HelpWindow(MainWindow());
  g_current->Load(page, fallbackText);
  g_current->show();
  g_current->raise();
  g_current->activateWindow();
  return g_current.data();
}

void HelpWindow::Load(const std::string& page, const std::string& fallbackText) {
  const QString file = QFile::decodeName(QByteArray::fromStdString(page));
  if (!page.empty() && QFile::exists(file)) {
    m_browser->setSource(QUrl::fromLocalFile(file));
    const QString title = m_browser->documentTitle();
    if (!title.isEmpty()) setWindowTitle(title);
    return;
  }
  m_browser->setPlainText(QString::fromUtf8(fallbackText.data(), static_cast<qsizetype>(fallbackText.size())));
}

}  // namespace linkrake
