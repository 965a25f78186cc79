#include "app/CExtractDlg.h"
#include "app/DialogSearchHost.h"
#include "extract/SearchRun.h"

namespace linkrake {

void CExtractDlg::OnSearch() {
  DialogSearchHost host(*this);
  CSearchRun run(host, m_strInputPath, m_szTempPath);
  run.Run();
  RefreshList();
}

}  // namespace linkrake
