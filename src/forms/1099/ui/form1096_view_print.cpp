// Printing from the page: the "Set 1096 Print Options" dialog, then the page.
#include "forms/1099/ui/form1096_view.h"

namespace formet {

void C1096View::OnPrint() {
  // Filled by printing: the print options and the page drawing.
}

}  // namespace formet
