// Printing from the page: the W-3 print options dialog, then the page.
#include "forms/print/ui/print_flow.h"
#include "forms/w2/ui/w3_view.h"

namespace formet {

void CW3View::OnPrint() { PrintW3Form(this, doc_); }

}  // namespace formet
