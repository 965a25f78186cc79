#include "app/CExtractApp.h"

#include <QCoreApplication>
#include <utility>

#include "app/CExtractDlg.h"
#include "framework/AppName.h"
#include "framework/MainWindow.h"
#include "registry/ProductKeys.h"

namespace linkrake {
namespace {

CExtractApp*& CurrentApp() {
  static CExtractApp* app = nullptr;
  return app;
}

// The name the program was started by; the settings key and every message box carry it.
void NameAfterExecutable() {
  const QStringList arguments = QCoreApplication::arguments();
  const QString started = arguments.isEmpty() ? QCoreApplication::applicationFilePath() : arguments.first();
  SetAppNameFromPath(started.toStdString());
}

}  // namespace

CExtractApp::CExtractApp() : CExtractApp(SettingsStore()) {}

CExtractApp::CExtractApp(SettingsStore store) {
  NameAfterExecutable();
  m_profile.emplace(AppName(), std::move(store));
  CurrentApp() = this;
}

CExtractApp::~CExtractApp() {
  if (CurrentApp() == this) CurrentApp() = nullptr;
}

CExtractApp* AfxGetApp() { return CurrentApp(); }

bool CExtractApp::InitInstance() {
  m_profile->SetRegistryKey(kRegistryKey);
  m_profile->LoadStdProfileSettings(4);

  CExtractDlg dlg;
  SetMainWindow(&dlg);
  // Exit and cancel end the same way.
  dlg.DoModal();
  SetMainWindow(nullptr);
  return false;
}

int CExtractApp::ExitInstance() {
  m_profile->SaveStdProfileSettings();
  return 0;
}

int CExtractApp::Run() {
  // InitInstance returns once the main dialog has ended: no message loop follows it.
  InitInstance();
  return ExitInstance();
}

void CExtractApp::AddToRecentFileList(const std::string& path) { m_profile->AddToRecentFileList(path); }

}  // namespace linkrake
