// Printing from the page: the "Set 1096 Print Options" dialog, then the page.
#include "forms/1099/ui/form1096_view.h"
#include "forms/print/ui/print_flow.h"

namespace formet {

void C1096View::OnPrint() { Print1096Form(this, doc_); }

}  // namespace formet
