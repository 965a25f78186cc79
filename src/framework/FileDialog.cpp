#include "framework/FileDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>
#include <algorithm>
#include <filesystem>

#include "framework/MainWindow.h"
#include "res/ResourceIds.h"

namespace linkrake {
namespace {

QString Text(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Qt reads a filter's patterns from the last parenthesised part of its text; the description
// is shown as it is (the patterns' part hidden), so a description that names other patterns
// than it filters by still filters by its own.
QString QtFilter(const FileFilter& filter) {
  QString patterns = Text(filter.pattern);
  patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
  return Text(filter.description) + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
}

// The 1-based index of the filter the dialog reports as current. With the patterns hidden, Qt
// reports the filter as it shows it (the description alone).
int FilterIndexOf(const QString& selected, const QStringList& filters, const FileDialogRequest& request) {
  auto index = filters.indexOf(selected);
  for (qsizetype i = 0; index < 0 && i < static_cast<qsizetype>(request.filters.size()); ++i)
    if (Text(request.filters[static_cast<std::size_t>(i)].description).simplified() == selected.simplified()) index = i;
  return index < 0 ? 1 : static_cast<int>(index) + 1;
}

class QtFileDialogService : public IFileDialogService {
 public:
  FileDialogResult Run(const FileDialogRequest& request) override {
    FileDialogResult result;
    if (!qApp) return result;
    QFileDialog dialog(request.owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // A name that does not exist yet is accepted in both modes; the caller reports what it
    // cannot open.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     request.open || !(request.flags & OFN_OVERWRITEPROMPT));
    if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(Text(request.defaultExtension));
    QStringList filters;
    for (const FileFilter& filter : request.filters) filters << QtFilter(filter);
    if (!filters.isEmpty()) {
      dialog.setNameFilters(filters);
      const int index = std::clamp(request.filterIndex, 1, static_cast<int>(filters.size()));
      dialog.selectNameFilter(filters[index - 1]);
    }
    if (!request.fileName.empty()) dialog.selectFile(Text(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
    result.accepted = true;
    result.pathName = dialog.selectedFiles().front().toUtf8().toStdString();
    if (!filters.isEmpty()) result.filterIndex = FilterIndexOf(dialog.selectedNameFilter(), filters, request);

    return result;
  }
};

IFileDialogService*& Current() {
  static IFileDialogService* service = nullptr;
  return service;
}

IFileDialogService& Service() {
  static QtFileDialogService real;
  return Current() ? *Current() : real;
}

std::string FileNamePart(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace

std::vector<FileFilter> ParseFilterBlock(const char* block) {
  std::vector<FileFilter> filters;
  if (!block) return filters;
  while (*block) {
    FileFilter filter;
    filter.description = block;
    block += filter.description.size() + 1;
    // A description without its pattern ends the block.
    if (!*block) break;
    filter.pattern = block;
    block += filter.pattern.size() + 1;
    filters.push_back(std::move(filter));
  }
  return filters;
}

IFileDialogService* SetFileDialogService(IFileDialogService* service) {
  return std::exchange(Current(), service);
}

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName,
                         unsigned flags, const char* filter, QWidget* parent)
    : open_(openFileDialog),
      defaultExtension_(defaultExtension ? defaultExtension : ""),
      fileName_(fileName ? fileName : ""),
      parent_(parent) {
  m_ofn.lpstrFilter = filter;
  m_ofn.Flags = flags;
}

int CFileDialog::DoModal() {
  FileDialogRequest request;
  request.open = open_;
  request.defaultExtension = defaultExtension_;
  request.fileName = fileName_;
  request.flags = m_ofn.Flags;
  request.filters = ParseFilterBlock(m_ofn.lpstrFilter);
  request.filterIndex = std::max(1, m_ofn.nFilterIndex);
  if (!request.filters.empty())
    request.filterIndex = std::min(request.filterIndex, static_cast<int>(request.filters.size()));
  request.owner = parent_ ? parent_ : MainWindow();
  const FileDialogResult result = Service().Run(request);
  if (!result.accepted) return IDCANCEL;
  pathName_ = result.pathName;
  m_ofn.nFilterIndex = result.filterIndex;
  return IDOK;
}

std::string CFileDialog::GetFileName() const { return FileNamePart(pathName_); }

std::string CFileDialog::GetFileExt() const {
  const std::string name = GetFileName();
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

}  // namespace linkrake
