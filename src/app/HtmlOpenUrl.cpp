// HTML > Open URL...: asks for an address, downloads the page into the temporary file and
// makes it the input of the next search. The base location edit serves as the status line
// while the command runs.
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <string>

#include "app/CExtractDlg.h"
#include "app/COpenUrlDlg.h"
#include "extract/BaseRule.h"
#include "framework/ControlProperties.h"
#include "framework/MessageBox.h"
#include "res/ResourceIds.h"
#include "sources/CUrlReader.h"
#include "sources/OpenUrlCommand.h"

namespace linkrake {
namespace {

void EnableWindow(QWidget* control, bool enable) {
  if (control) control->setEnabled(enable);
}

void SetText(QWidget* control, const std::string& text) {
  if (control) SetWindowText(control, text);
}

// Waits on the user-interface thread with the window still painting: input waits until the
// pause is over, as it would behind a plain sleep, but the window does not turn blank.
void PauseShowingWindow(std::chrono::milliseconds pause) {
  if (pause.count() <= 0) return;
  QEventLoop loop;
  QTimer::singleShot(pause, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

void CExtractDlg::OnHtmlOpenUrl() {
  COpenUrlDlg openUrlDlg;
  // Cancel, Esc and the close box mean "not now": nothing is fetched and the window stays as
  // it is. The dialog has recorded the typed address all the same.
  if (openUrlDlg.DoModal() != IDOK) return;

  const OpenUrlSettings settings = CurrentOpenUrlSettings();

  EnableWindow(m_searchButton, false);
  SetText(m_baseLabel, "");
  EnableWindow(m_baseEdit, true);
  UpdateWindow();

  m_strBase = kOpenUrlReadingFile;
  UpdateData(false);
  UpdateWindow();

  SetText(m_baseLabel, kOpenUrlLabel);
  m_strBase = openUrlDlg.ChosenUrl();
  UpdateData(false);

  CUrlReader reader(settings.readerLimits);
  if (ApplyBaseRule(m_strBase)) UpdateData(false);
  const std::string address = m_strBase;

  const PageFetch fetch = FetchPageIntoFile(reader, address, m_szTempPath);
  if (fetch.outcome != PageFetchOutcome::Written) {
    // The search stays off and the input stays where it was: there is no page to search.
    AfxMessageBox(fetch.message, MB_OK | MB_ICONERROR);
    return;
  }

  m_strInputPath = m_szTempPath;
  EnableWindow(m_searchButton, true);

  m_strBase = kOpenUrlFinished;
  UpdateData(false);
  UpdateWindow();
  PauseShowingWindow(settings.finishedPause);

  m_strBase = address;
  EnableWindow(m_baseEdit, false);
  UpdateData(false);
  UpdateWindow();
}

}  // namespace linkrake
