#include "records/ui/contractor_page.h"

#include "records/contractors.h"

namespace formet {

CContractorDlg::CContractorDlg(const std::string& caption, const PageValues& values, QWidget* parent)
    : CPayeeDlg(caption, parent) {
  Build(ContractorFields(),
        {{{"IdentificationNumber"}},
         {{"NameLine1"}},
         {{"NameLine2"}},
         {{"Address1"}},
         {{"Address2"}},
         {{"City"}, {"State"}, {"Zip"}},
         {{"AccountNumber"}, {"SecondTIN"}}},
        values);
}

CContractorView::CContractorView(CGlobalDoc& doc, UiServices& ui, QWidget* parent, Form1099ListObserver* formPage)
    : CPayeePage(doc, ui,
                 {tr("Contractors"), tr("&New Contractor"), tr("&Modify Contractor"), tr("&Delete Contractor")},
                 ContractorList(doc), parent),
      formPage_(formPage) {}

void CContractorView::OnNew() {
  CContractorDlg dialog(ContractorDialogCaption(nullptr), EmptyContractorDialog(), this);
  // A failed check keeps the dialog open with what was typed.
  dialog.SetCheck(&ui_, [this](const PageValues& values) {
    return NewContractorFieldProblem(doc_.GetContractors(), ReadContractorDialog(values));
  });
  if (dialog.exec() != QDialog::Accepted) return;
  const ChangeResult result = NewContractor(doc_, ui_, dialog.Values(), formPage_);
  Report(result);
  SelectAdded(result);
}

void CContractorView::OnModify(int position) {
  // The caption is taken, and an older record's names converted, before the
  // dialog opens; Cancel leaves the conversion in memory.
  const auto start = BeginModifyContractor(doc_, position);
  if (!start) return;
  const ContractorRecord stored = doc_.GetContractors()[static_cast<size_t>(position)];
  CContractorDlg dialog(start->caption, start->values, this);
  if (dialog.exec() != QDialog::Accepted) return;
  Report(ModifyContractor(doc_, position, ReadModifiedContractor(stored, start->values, dialog.Values())));
}

void CContractorView::OnDelete(std::optional<int> position) {
  Report(DeleteContractor(doc_, ui_, position, formPage_));
}

}  // namespace formet
