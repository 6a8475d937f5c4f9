// Printing from the page: the W-2 print options dialog, then the chosen copies of the chosen W-2s.
#include "forms/w2/ui/w2_view.h"

namespace formet {

void CW2View::OnPrint() {
  // Filled by printing: the print options and the page drawing.
}

}  // namespace formet
