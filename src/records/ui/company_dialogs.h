#pragma once
// The two small dialogs of company file management: "New Company" and
// "Select a Company ".
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "records/company_setup.h"
#include "store/company_summary.h"

class QTreeWidget;

namespace formet {

class CMaskedEdit;

class CNewCompanyDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CNewCompanyDlg(UiServices& ui, QWidget* parent = nullptr);
  std::string EmployerName() const;
  std::string LegalName() const;
  CMaskedEdit* EmployerField() const { return employer_; }
  CMaskedEdit* LegalField() const { return legal_; }

 public slots:
  void accept() override;

 private:
  UiServices& ui_;
  NewCompanyDialogRules rules_;
  CMaskedEdit* employer_;
  CMaskedEdit* legal_;
};

class CSelectCompanyDlg : public QDialog {
  Q_OBJECT
 public:
  // Open: pick a company to open. Delete: the dialog says that the company
  // picked will be deleted, and its OK button reads "Delete".
  enum class Purpose { Open, Delete };
  CSelectCompanyDlg(const std::vector<std::string>& names, QWidget* parent = nullptr, Purpose purpose = Purpose::Open);
  // Each company with its EIN, its numbers of W-2s and 1099-MISCs and when
  // its file last changed, in columns beside its name ("-" for what could
  // not be read).
  CSelectCompanyDlg(const std::vector<CompanyListing>& companies, QWidget* parent = nullptr,
                    Purpose purpose = Purpose::Open);
  // The position of the chosen name in the list handed in.
  std::optional<size_t> Chosen() const;
  // The names (column 0) sorted, and the details when given.
  QTreeWidget* List() const { return list_; }

 private:
  void Build(const std::vector<CompanyListing>& companies, bool details, Purpose purpose);
  QTreeWidget* list_ = nullptr;
};

}  // namespace formet
