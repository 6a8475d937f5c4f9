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
                 {tr("Contractors"), tr("New Contractor"), tr("Modify Contractor"), tr("Delete Contractor")},
                 ContractorListColumns(), parent),
      formPage_(formPage) {}

std::vector<ListRow> CContractorView::MakeRows() { return ContractorListRows(doc_.GetContractors()); }

void CContractorView::OnNew() {
  CContractorDlg dialog(ContractorDialogCaption(nullptr), EmptyContractorDialog(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  Report(NewContractor(doc_, ui_, dialog.Values(), formPage_));
}

void CContractorView::OnModify(int position) {
  // The caption is taken, and an older record's names converted, before the
  // dialog opens; Cancel leaves the conversion in memory.
  const auto start = BeginModifyContractor(doc_, position);
  if (!start) return;
  const int32_t id = doc_.GetContractors()[static_cast<size_t>(position)].ContractorUniqueID;
  CContractorDlg dialog(start->caption, start->values, this);
  if (dialog.exec() != QDialog::Accepted) return;
  Report(ModifyContractor(doc_, position, ReadContractorDialog(dialog.Values(), id)));
}

void CContractorView::OnDelete(std::optional<int> position) {
  Report(DeleteContractor(doc_, ui_, position, formPage_));
}

}  // namespace formet
