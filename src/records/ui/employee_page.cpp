#include "records/ui/employee_page.h"

#include "records/employees.h"

namespace formet {

CEmployeeDlg::CEmployeeDlg(const std::string& caption, const PageValues& values, QWidget* parent)
    : CPayeeDlg(caption, parent) {
  Build(EmployeeFields(),
        {{{"SocialSecurityNumber"}},
         {{"FirstName", "MiddleName"}, {"LastName"}, {"Suffix"}},
         {{"Address1"}},
         {{"Address2"}},
         {{"City"}, {"State"}, {"Zip"}}},
        values);
}

CEmployeeView::CEmployeeView(CGlobalDoc& doc, UiServices& ui, QWidget* parent, W2ListObserver* w2Page)
    : CPayeePage(doc, ui, {tr("Employees"), tr("New Employee"), tr("Modify Employee"), tr("Delete Employee")},
                 EmployeeListColumns(), parent),
      w2Page_(w2Page) {}

std::vector<ListRow> CEmployeeView::MakeRows() { return EmployeeListRows(doc_.GetEmployees()); }

void CEmployeeView::OnNew() {
  CEmployeeDlg dialog(EmployeeDialogCaption(nullptr), EmptyEmployeeDialog(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  Report(NewEmployee(doc_, ui_, dialog.Values(), w2Page_));
}

void CEmployeeView::OnModify(int position) {
  const auto& employees = doc_.GetEmployees();
  if (position < 0 || static_cast<size_t>(position) >= employees.size()) return;
  const EmployeeRecord stored = employees[static_cast<size_t>(position)];
  CEmployeeDlg dialog(EmployeeDialogCaption(&stored), LoadEmployeeDialog(stored), this);
  if (dialog.exec() != QDialog::Accepted) return;
  Report(ModifyEmployee(doc_, position, ReadEmployeeDialog(dialog.Values(), stored.EmployeeUniqueID)));
}

void CEmployeeView::OnDelete(std::optional<int> position) { Report(DeleteEmployee(doc_, ui_, position, w2Page_)); }

}  // namespace formet
