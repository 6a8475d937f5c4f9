#pragma once
// The contractors page: "New Contractor", "Modify Contractor" and "Delete
// Contractor" above the list of the open company's contractors, and the
// "Contractor" dialog. The rules are the core's (records/contractors.h).
#include "records/ui/payee_page.h"

namespace formet {

class Form1099ListObserver;

// The "Contractor" dialog: identification number, two name lines, address,
// account number and the 2nd TIN notice box.
class CContractorDlg : public CPayeeDlg {
  Q_OBJECT
 public:
  CContractorDlg(const std::string& caption, const PageValues& values, QWidget* parent = nullptr);
};

class CContractorView : public CPayeePage {
  Q_OBJECT
 public:
  // `formPage` is told when a contractor's 1099-MISC is added or deleted.
  CContractorView(CGlobalDoc& doc, UiServices& ui, QWidget* parent, Form1099ListObserver* formPage = nullptr);
  void SetFormPage(Form1099ListObserver* formPage) { formPage_ = formPage; }

 protected:
  void OnNew() override;
  void OnModify(int position) override;
  void OnDelete(std::optional<int> position) override;

 private:
  Form1099ListObserver* formPage_;
};

}  // namespace formet
