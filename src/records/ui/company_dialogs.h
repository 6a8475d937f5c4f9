#pragma once
// The two small dialogs of company file management: "New Company" and
// "Select a Company ".
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "records/company_setup.h"

class QListWidget;

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
  // The position of the chosen name in the list handed in.
  std::optional<size_t> Chosen() const;
  QListWidget* List() const { return list_; }

 private:
  QListWidget* list_;
};

}  // namespace formet
