// Printing from the page: the 1099-MISC print options dialog, then the chosen copies of the chosen forms.
#include "forms/1099/ui/form1099_view.h"
#include "forms/print/ui/print_flow.h"
#include "forms/record_as_filed.h"

namespace formet {

void C1099View::OnPrint() {
  CommitFocusedField();
  // After the red-ink Copy A was printed, the forms as they are were filed.
  if (Print1099Forms(this, doc_, ui_, rules_.DisplayOrder(), rules_.CurrentPayee()) &&
      IsFiledCopyPrint(FiledFamily::Form1099, doc_.GetPrintSettings(PrintForm::Form1099))) {
    OfferRecordAsFiled(doc_, ui_, FiledFamily::Form1099);
    ReadFiled();
    Sync();
  }
}

void C1099View::PrintCorrected() {
  CommitFocusedField();
  // After the red-ink Copy A of the corrections, their values were filed.
  if (PrintCorrected1099Forms(this, doc_, ui_) &&
      IsFiledCopyPrint(FiledFamily::Form1099c, doc_.GetPrintSettings(PrintForm::Form1099))) {
    OfferRecordAsFiled(doc_, ui_, FiledFamily::Form1099c);
    ReadFiled();
    Sync();
  }
}

}  // namespace formet
