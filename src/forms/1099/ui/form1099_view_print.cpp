// Printing from the page: the 1099-MISC print options dialog, then the chosen copies of the chosen forms.
#include "forms/1099/ui/form1099_view.h"
#include "forms/print/ui/print_flow.h"

namespace formet {

void C1099View::OnPrint() {
  CommitFocusedField();
  Print1099Forms(this, doc_, ui_, rules_.DisplayOrder(), rules_.CurrentPayee());
}

}  // namespace formet
