#pragma once
// The document's questions and messages answered with the desktop's dialogs.
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "store/ui_services.h"

namespace formet {

class CMainFrame;

// A message box of the program: its caption, the icon given (NoIcon for a
// plain box) and an OK button.
void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text);

class QtUiServices : public UiServices {
 public:
  void SetFrame(CMainFrame* frame);

  void ShowMessage(const std::string& text) override;
  void ShowNote(const std::string& heading, const std::string& text) override;
  void ShowError(const std::string& text) override;
  bool AskYesNo(const std::string& question) override;
  bool AskYesNoDestructive(const std::string& question) override;
  Answer AskYesNoCancel(const std::string& question) override;
  std::optional<NewCompanyEntry> AskNewCompany() override;
  std::optional<std::string> ChooseCompany(const std::vector<std::string>& names) override;
  std::optional<std::string> ChooseCompanyToOpen(const std::vector<CompanyListing>& companies) override;
  std::optional<std::string> ChooseCompanyToDelete(const std::vector<std::string>& names) override;
  void SetMainWindowTitle(const std::string& title) override;
  void ShowCompanyPage() override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void ShowEmployeesPage() override;
  void ShowContractorsPage() override;
  void ShowEmployeeW2(int employee) override;
  void ShowContractor1099(int contractor) override;
  bool AskPrintAnyway(const std::string& heading, const std::vector<std::string>& problems) override;
  void ShowBalloonNote(NoteAnchor anchor, const std::string& title, const std::string& text, int closeAfterMs) override;
  RowChoiceAnswer ChooseRow(const RowChoice& choice) override;

 private:
  QWidget* Parent() const;
  std::optional<std::string> Choose(const std::vector<std::string>& names, bool toDelete);
  QPointer<CMainFrame> frame_;
};

}  // namespace formet
