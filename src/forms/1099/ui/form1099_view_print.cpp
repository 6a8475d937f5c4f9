// Printing from the page: the 1099-MISC print options dialog, then the chosen forms.
#include "forms/1099/ui/form1099_view.h"

namespace formet {

void C1099View::OnPrint() {
  // Filled by printing: the print options and the page drawing.
}

}  // namespace formet
