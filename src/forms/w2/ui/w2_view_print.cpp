// Printing from the page: the W-2 print options dialog, then the chosen copies of the chosen W-2s.
#include "forms/print/ui/print_flow.h"
#include "forms/record_as_filed.h"
#include "forms/w2/ui/w2_view.h"

namespace formet {

void CW2View::OnPrint() {
  CommitFocusedField();
  // After Copy A was printed, the forms as they are were filed.
  if (PrintW2Forms(this, doc_, ui_, rules_.DisplayOrder(), rules_.CurrentPayee()) &&
      IsFiledCopyPrint(FiledFamily::W2, doc_.GetPrintSettings(PrintForm::W2))) {
    OfferRecordAsFiled(doc_, ui_, FiledFamily::W2);
    ReadFiled();
    Sync();
  }
}

}  // namespace formet
