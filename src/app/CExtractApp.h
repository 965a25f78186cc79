#pragma once
// The application object: names the application after its executable, sets up its settings,
// runs the main dialog as the main window and writes the settings back when it has ended.
#include <optional>
#include <string>

#include "registry/CAppProfile.h"
#include "registry/SettingsStore.h"

namespace linkrake {

class CExtractApp {
 public:
  // Settings in the user's store (the configuration folder, or wherever the process put it).
  CExtractApp();
  // Settings in `store` (tests give a temporary folder's).
  explicit CExtractApp(SettingsStore store);
  ~CExtractApp();
  CExtractApp(const CExtractApp&) = delete;
  CExtractApp& operator=(const CExtractApp&) = delete;

  // Start-up: runs the main dialog to its end and returns false, so that no message loop of
  // the application's own follows.
  bool InitInstance();
  // The exit processing: the recent-file list goes back to the store. Returns the exit code.
  int ExitInstance();
  // The whole life: start-up, then (with no message loop of its own) the exit processing.
  int Run();

  void AddToRecentFileList(const std::string& path);

  CAppProfile& Profile() { return *m_profile; }

 private:
  std::optional<CAppProfile> m_profile;
};

// The application object while one exists, else nullptr.
CExtractApp* AfxGetApp();

}  // namespace linkrake
