// Printing from the page: the W-2 print options dialog, then the chosen copies of the chosen W-2s.
#include "forms/print/ui/print_flow.h"
#include "forms/w2/ui/w2_view.h"

namespace formet {

void CW2View::OnPrint() {
  CommitFocusedField();
  PrintW2Forms(this, doc_, ui_, rules_.DisplayOrder(), rules_.CurrentPayee());
}

}  // namespace formet
