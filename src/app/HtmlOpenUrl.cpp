#include "app/CExtractDlg.h"

namespace linkrake {

void CExtractDlg::OnHtmlOpenUrl() {}

}  // namespace linkrake
