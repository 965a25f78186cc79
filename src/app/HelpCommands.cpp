// The main dialog's Help menu, its window-menu About item and F1.
#include <QKeySequence>
#include <QShortcut>

#include "about/AboutMenuItem.h"
#include "about/CAboutDlg.h"
#include "about/GeneralHelp.h"
#include "about/HelpPage.h"
#include "about/Uninstall.h"
#include "app/CExtractDlg.h"

namespace linkrake {
namespace {
constexpr char kHelpKeyName[] = "linkrakeHelpKey";
}  // namespace

void CExtractDlg::ShowAboutBox() { linkrake::ShowAboutBox(); }

void CExtractDlg::AppendAboutMenuItem() {
  AppendAboutItem(GetSystemMenu());
  // X11 and Wayland keep the real window menu to themselves: a right click on the dialog's
  // background offers the same menu, About item included.
  if (QWidget* background = ClientArea()) OfferSystemMenuOnRightClick(*this, *background);

  // F1 is the Help command, and the Help command shows the program's own help page (this
  // entry takes the place of the one the constructor made, which looks for a ".hlp" file).
  if (!findChild<QShortcut*>(kHelpKeyName)) {
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    helpKey->setObjectName(kHelpKeyName);
    helpKey->setContext(Qt::WindowShortcut);
    connect(helpKey, &QShortcut::activated, this, [this] { RouteCommand(ID_HELP); });
  }
  OnCommand(ID_HELP, [] { linkrake::OnHelp(); });
}

void CExtractDlg::OnSysCommand(unsigned id, long lParam) {
  if (IsAboutCommand(id)) {
    linkrake::ShowAboutBox();
    return;
  }
  CDialog::OnSysCommand(id, lParam);
}

void CExtractDlg::OnHelpAbout() { linkrake::ShowAboutBox(); }

void CExtractDlg::OnHelpGeneral() { ShowGeneralHelp(); }

void CExtractDlg::OnHelpUninstall() { RunUninstall(); }

}  // namespace linkrake
