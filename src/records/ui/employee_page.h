#pragma once
// The employees page: "New Employee", "Modify Employee" and "Delete Employee"
// above the list of the open company's employees, and the "Employee" dialog.
// The rules are the core's (records/employees.h); this page shows them.
#include "records/ui/payee_page.h"

namespace formet {

class W2ListObserver;

// The "Employee" dialog: social security number, name, address.
class CEmployeeDlg : public CPayeeDlg {
  Q_OBJECT
 public:
  CEmployeeDlg(const std::string& caption, const PageValues& values, QWidget* parent = nullptr);
};

class CEmployeeView : public CPayeePage {
  Q_OBJECT
 public:
  // `w2Page` is told when an employee's W-2 is added or deleted.
  CEmployeeView(CGlobalDoc& doc, UiServices& ui, QWidget* parent, W2ListObserver* w2Page = nullptr);
  void SetW2Page(W2ListObserver* w2Page) { w2Page_ = w2Page; }

 protected:
  void OnNew() override;
  void OnModify(int position) override;
  void OnDelete(std::optional<int> position) override;

 private:
  W2ListObserver* w2Page_;
};

}  // namespace formet
