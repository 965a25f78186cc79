#include "about/HelpPage.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>
#include <filesystem>

#include "about/GeneralHelp.h"
#include "about/HelpWindow.h"
#include "framework/Shell.h"

namespace linkrake {

std::vector<std::string> HelpPageCandidates(const std::string& programFolder) {
  std::vector<std::string> candidates;
  if (!programFolder.empty()) {
    const std::filesystem::path installed = std::filesystem::path(programFolder) / ".." /
                                            LINKRAKE_INSTALL_DATADIR / "doc" / "linkrake" / kHelpPageName;
    candidates.push_back(installed.lexically_normal().string());
  }
  candidates.push_back((std::filesystem::path(LINKRAKE_HELP_SOURCE_DIR) / kHelpPageName).string());
  return candidates;
}

std::string FindHelpPage(const std::vector<std::string>& candidates) {
  for (const std::string& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return {};
}

std::string HelpPagePath() {
  const std::string folder =
      QCoreApplication::instance() ? QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()
                                   : std::string();
  return FindHelpPage(HelpPageCandidates(folder));
}

std::string FileUrl(const std::string& path) {
  return QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))).toString(QUrl::FullyEncoded).toStdString();
}

QWidget* OpenHelpPage(const std::string& page) {
  if (!page.empty() && ShellOpen(FileUrl(page))) return nullptr;
  return HelpWindow::Show(page, GeneralHelpText());
}

QWidget* OnHelp() { return OpenHelpPage(HelpPagePath()); }

}  // namespace linkrake
