#pragma once
// The open- and save-file dialog. The dialog itself is a service, so that a test can answer it;
// the real one is Qt's.
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace linkrake {

inline constexpr unsigned OFN_OVERWRITEPROMPT = 0x2;
inline constexpr unsigned OFN_HIDEREADONLY = 0x4;

struct FileFilter {
  std::string description;  // "Text files(*.txt)"
  std::string pattern;  // "*.txt"; several patterns separated by ';'
};

// Splits a filter block "desc\0pattern\0desc\0pattern\0\0" into its pairs.
std::vector<FileFilter> ParseFilterBlock(const char* block);

struct FileDialogRequest {
  bool open = true;  // false: a save dialog
  std::string defaultExtension;
  std::string fileName;
  unsigned flags = 0;  // OFN_OVERWRITEPROMPT asks before replacing an existing file
  std::vector<FileFilter> filters;
  int filterIndex = 1;  // 1-based: the filter current when the dialog opens
  QWidget* owner = nullptr;
};

struct FileDialogResult {
  bool accepted = false;
  std::string pathName;  // the full path, as entered
  int filterIndex = 0;  // 1-based index of the filter current at the end, 0 without filters
};

class IFileDialogService {
 public:
  virtual ~IFileDialogService() = default;
  virtual FileDialogResult Run(const FileDialogRequest& request) = 0;
};

// Makes `service` the one dialogs go to (nullptr: the real Qt dialog); returns the one before.
IFileDialogService* SetFileDialogService(IFileDialogService* service);

class ScopedFileDialogService {
 public:
  explicit ScopedFileDialogService(IFileDialogService& service)
      : previous_(SetFileDialogService(&service)) {}
  ~ScopedFileDialogService() { SetFileDialogService(previous_); }
  ScopedFileDialogService(const ScopedFileDialogService&) = delete;
  ScopedFileDialogService& operator=(const ScopedFileDialogService&) = delete;

 private:
  IFileDialogService* previous_;
};

class CFileDialog {
 public:
  // `filter` is a block as ParseFilterBlock reads it; it may also be put into m_ofn.lpstrFilter
  // after construction. The block is not copied: it must outlive DoModal.
  explicit CFileDialog(bool openFileDialog, const char* defaultExtension = nullptr,
                       const char* fileName = nullptr,
                       unsigned flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       const char* filter = nullptr, QWidget* parent = nullptr);

  struct OpenFileName {
    const char* lpstrFilter = nullptr;
    int nFilterIndex = 0;  // 0 (or 1): the first filter; read back after IDOK
    unsigned Flags = 0;
  } m_ofn;

  // IDOK when the user confirmed a name, else IDCANCEL.
  int DoModal();
  std::string GetPathName() const { return pathName_; }
  // The extension of the chosen name without its dot; empty when it has none.
  std::string GetFileExt() const;
  std::string GetFileName() const;

 private:
  bool open_;
  std::string defaultExtension_;
  std::string fileName_;
  QWidget* parent_;
  std::string pathName_;
};

}  // namespace linkrake
