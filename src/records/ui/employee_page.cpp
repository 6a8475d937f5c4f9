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
    : CPayeePage(doc, ui, {tr("Employees"), tr("&New Employee"), tr("&Modify Employee"), tr("&Delete Employee")},
                 EmployeeList(doc), parent),
      w2Page_(w2Page) {}

void CEmployeeView::OnNew() {
  CEmployeeDlg dialog(EmployeeDialogCaption(nullptr), EmptyEmployeeDialog(), this);
  // A failed check keeps the dialog open with what was typed.
  dialog.SetCheck(&ui_, [this](const PageValues& values) {
    return NewEmployeeFieldProblem(doc_.GetEmployees(), ReadEmployeeDialog(values));
  });
  if (dialog.exec() != QDialog::Accepted) return;
  const ChangeResult result = NewEmployee(doc_, ui_, dialog.Values(), w2Page_);
  Report(result);
  SelectAdded(result);
}

void CEmployeeView::OnModify(int position) {
  const auto& employees = doc_.GetEmployees();
  if (position < 0 || static_cast<size_t>(position) >= employees.size()) return;
  const EmployeeRecord stored = employees[static_cast<size_t>(position)];
  const PageValues loaded = LoadEmployeeDialog(stored);
  CEmployeeDlg dialog(EmployeeDialogCaption(&stored), loaded, this);
  // A changed social security number that is none keeps the dialog open.
  dialog.SetCheck(&ui_, [stored, loaded](const PageValues& values) {
    return ModifiedEmployeeFieldProblem(stored, ReadModifiedEmployee(stored, loaded, values));
  });
  if (dialog.exec() != QDialog::Accepted) return;
  Report(ModifyEmployee(doc_, position, ReadModifiedEmployee(stored, loaded, dialog.Values())));
}

void CEmployeeView::OnDelete(std::optional<int> position) { Report(DeleteEmployee(doc_, ui_, position, w2Page_)); }

}  // namespace formet
