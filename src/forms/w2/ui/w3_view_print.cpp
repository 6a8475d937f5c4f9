// Printing from the page: the W-3 print options dialog, then the page.
#include "forms/w2/ui/w3_view.h"

namespace formet {

void CW3View::OnPrint() {
  // Filled by printing: the print options and the page drawing.
}

}  // namespace formet
