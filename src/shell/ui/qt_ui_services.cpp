#include "shell/ui/qt_ui_services.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "forms/ui/select_row_dialog.h"
#include "kit/ui/balloon_note.h"
#include "kit/ui/pages.h"
#include "kit/ui/qt_text.h"
#include "records/ui/company_dialogs.h"
#include "shell/ui/main_frame.h"

namespace formet {

namespace {
const QString kCaption = QStringLiteral("Formet (2007)");
}

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, kCaption, text, QMessageBox::Ok, parent);
  box.exec();
}

void QtUiServices::SetFrame(CMainFrame* frame) { frame_ = frame; }

QWidget* QtUiServices::Parent() const {
  // Over the dialog the user works in, when one is open.
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return frame_ && frame_->isVisible() ? static_cast<QWidget*>(frame_) : nullptr;
}

void QtUiServices::ShowMessage(const std::string& text) { ShowMessageBox(Parent(), QMessageBox::NoIcon, ToQt(text)); }

void QtUiServices::ShowError(const std::string& text) { ShowMessageBox(Parent(), QMessageBox::Critical, ToQt(text)); }

void QtUiServices::ShowNote(const std::string& heading, const std::string& text) {
  QMessageBox note(QMessageBox::Information, kCaption, ToQt(heading), QMessageBox::Ok, Parent());
  note.setInformativeText(ToQt(text));
  note.exec();
}

bool QtUiServices::AskYesNo(const std::string& question) {
  return QMessageBox::question(Parent(), kCaption, ToQt(question), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtUiServices::AskYesNoDestructive(const std::string& question) {
  // Enter alone must not destroy anything: No is the default button.
  return QMessageBox::question(Parent(), kCaption, ToQt(question), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

Answer QtUiServices::AskYesNoCancel(const std::string& question) {
  switch (QMessageBox::question(Parent(), kCaption, ToQt(question),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
  }
}

std::optional<NewCompanyEntry> QtUiServices::AskNewCompany() {
  CNewCompanyDlg dialog(*this, Parent());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return NewCompanyEntry{dialog.EmployerName(), dialog.LegalName()};
}

std::optional<std::string> QtUiServices::Choose(const std::vector<std::string>& names, bool toDelete) {
  CSelectCompanyDlg dialog(names, Parent(), toDelete ? CSelectCompanyDlg::Purpose::Delete : CSelectCompanyDlg::Purpose::Open);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const auto chosen = dialog.Chosen();
  if (!chosen || *chosen >= names.size()) return std::nullopt;
  return names[*chosen];
}

std::optional<std::string> QtUiServices::ChooseCompany(const std::vector<std::string>& names) {
  return Choose(names, false);
}

std::optional<std::string> QtUiServices::ChooseCompanyToOpen(const std::vector<CompanyListing>& companies) {
  CSelectCompanyDlg dialog(companies, Parent(), CSelectCompanyDlg::Purpose::Open);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const auto chosen = dialog.Chosen();
  if (!chosen || *chosen >= companies.size()) return std::nullopt;
  return companies[*chosen].name;
}

std::optional<std::string> QtUiServices::ChooseCompanyToDelete(const std::vector<std::string>& names) {
  return Choose(names, true);
}

void QtUiServices::SetMainWindowTitle(const std::string& title) {
  if (frame_) frame_->setWindowTitle(ToQt(title));
}

void QtUiServices::ShowCompanyPage() {
  if (frame_) frame_->ShowPage(Page::Company);
}

void QtUiServices::ShowEmployeesPage() {
  if (frame_) frame_->ShowPage(Page::Employees);
}

void QtUiServices::ShowContractorsPage() {
  if (frame_) frame_->ShowPage(Page::Contractors);
}

void QtUiServices::ShowEmployeeW2(int employee) {
  if (frame_) frame_->ShowPayeeForm(Page::W2, employee);
}

void QtUiServices::ShowContractor1099(int contractor) {
  if (frame_) frame_->ShowPayeeForm(Page::Form1099, contractor);
}

bool QtUiServices::AskPrintAnyway(const std::string& heading, const std::vector<std::string>& problems) {
  // The first problems in the box, every one under "Show Details...".
  constexpr size_t kShown = 12;
  QStringList shown, all;
  for (size_t i = 0; i < problems.size(); ++i) {
    all << ToQt(problems[i]);
    if (i < kShown) shown << ToQt(problems[i]);
  }
  if (problems.size() > kShown) shown << QObject::tr("... and %1 more.").arg(problems.size() - kShown);
  QMessageBox box(QMessageBox::Warning, kCaption, ToQt(heading), QMessageBox::NoButton, Parent());
  box.setObjectName(QStringLiteral("PrintAnyway"));
  box.setInformativeText(shown.join(QLatin1Char('\n')) + QObject::tr("\n\nPrint these forms anyway?"));
  if (problems.size() > kShown) box.setDetailedText(all.join(QLatin1Char('\n')));
  QPushButton* print = box.addButton(QObject::tr("Print anyway"), QMessageBox::AcceptRole);
  QPushButton* cancel = box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  return box.clickedButton() == print;
}

void QtUiServices::ShowBalloonNote(NoteAnchor anchor, const std::string& title, const std::string& text, int closeAfterMs) {
  if (!frame_ || !frame_->isVisible()) return;
  const CPage* page = frame_->PageWidget(frame_->CurrentPage());
  QWidget* at = page ? page->NoteAnchorWidget(anchor) : nullptr;
  if (at && at->isVisible()) CBalloonNote::Show(at, ToQt(title), ToQt(text), closeAfterMs);
}

RowChoiceAnswer QtUiServices::ChooseRow(const RowChoice& choice) {
  CSelectRowDlg dialog(choice, Parent());
  dialog.exec();
  return dialog.Answer();
}

void QtUiServices::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void QtUiServices::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace formet
