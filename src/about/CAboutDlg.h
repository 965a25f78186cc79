#pragma once
// The About box: the program's name and version, the maker's web site as a link, and OK.
// Every showing is a new object, so the link starts unvisited each time.
#include "about/CStaticLink.h"
#include "framework/CDialog.h"

namespace linkrake {

class CAboutDlg : public CDialog {
  Q_OBJECT

 public:
  CAboutDlg();
  ~CAboutDlg() override;

  CStaticLink& Link() { return m_link; }

 protected:
  bool OnInitDialog() override;

 private:
  CStaticLink m_link;
};

// Shows a new About box modally; how it was closed does not matter.
void ShowAboutBox();

}  // namespace linkrake
