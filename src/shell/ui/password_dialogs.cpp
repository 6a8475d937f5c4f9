#include "shell/ui/password_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "kit/ui/masked_edit.h"
#include "shell/password.h"
#include "shell/ui/qt_ui_services.h"

namespace formet {
namespace {

// A password field takes what a password can hold: at most 30 characters of
// Windows-1252; anything else typed is refused with a note at the field.
CMaskedEdit* PasswordField(QWidget* parent) {
  auto* field = new CMaskedEdit(parent);
  field->SetTextRule(kPasswordMaxLength, "");
  field->setEchoMode(QLineEdit::Password);
  field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 32);
  return field;
}

// When a field refused something typed, says so and returns true: what it
// holds is not the password the user meant.
bool RefusedTyping(QWidget* parent, std::initializer_list<CMaskedEdit*> fields) {
  for (auto* field : fields) {
    if (field->isHidden() || field->LastNote().isEmpty()) continue;
    ShowMessageBox(parent, QMessageBox::Warning,
                   QString("%1 %2\n\n%3").arg(kPasswordNotTaken, field->LastNote(), kPasswordTypeAgain));
    return true;
  }
  return false;
}

void Empty(std::initializer_list<CMaskedEdit*> fields) {
  for (auto* field : fields) field->SetText("");
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

CEnterPassword::CEnterPassword(const PasswordStore& store, QWidget* parent) : QDialog(parent), store_(store) {
  setWindowTitle(tr("Password Required"));
  field_ = PasswordField(this);
  auto* form = new QFormLayout;
  form->addRow(tr("Password:"), field_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Password is requried before you can continue."), this));
  layout->addLayout(form);
  layout->addWidget(OkCancel(this));
}

void CEnterPassword::accept() {
  if (!RefusedTyping(this, {field_}) && store_.Matches(field_->Text())) {
    QDialog::accept();
    return;
  }
  const bool refused = !field_->LastNote().isEmpty();
  Empty({field_});
  if (!refused) ShowMessageBox(this, QMessageBox::NoIcon, kPasswordIncorrect);
  field_->setFocus();
}

CChangepassword::CChangepassword(PasswordStore& store, QWidget* parent) : QDialog(parent), store_(store) {
  setWindowTitle(tr("Change Password"));
  old_ = PasswordField(this);
  new_ = PasswordField(this);
  confirm_ = PasswordField(this);
  oldLabel_ = new QLabel(tr("Old Password:"), this);
  auto* form = new QFormLayout;
  form->addRow(oldLabel_, old_);
  form->addRow(tr("New Password:"), new_);
  form->addRow(tr("Confirm New Password:"), confirm_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancel(this));
  if (!store_.IsSet()) {
    oldLabel_->hide();
    old_->hide();
  }
}

void CChangepassword::accept() {
  if (RefusedTyping(this, {old_, new_, confirm_})) {
    Empty({old_, new_, confirm_});
    (old_->isHidden() ? new_ : old_)->setFocus();
    return;
  }
  const std::string oldTyped = old_->isHidden() ? std::string() : old_->Text();
  const auto result = ChangePassword(store_, oldTyped, new_->Text(), confirm_->Text());
  if (result == PasswordChange::Changed) {
    ShowMessageBox(this, QMessageBox::Information, kPasswordChanged);
    QDialog::accept();
    return;
  }
  // After any failure the fields are emptied and the dialog stays open.
  Empty({old_, new_, confirm_});
  switch (result) {
    case PasswordChange::NotStored: ShowMessageBox(this, QMessageBox::Critical, kPasswordNotStored); break;
    case PasswordChange::WrongOldPassword: ShowMessageBox(this, QMessageBox::Warning, kOldPasswordIncorrect); break;
    default: ShowMessageBox(this, QMessageBox::Warning, kPasswordsDontMatch); break;
  }
  (old_->isHidden() ? new_ : old_)->setFocus();
}

bool DialogPasswordPrompt::AskPassword(PasswordStore& store, QWidget* parent) {
  if (!store.IsSet()) return true;
  CEnterPassword dialog(store, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace formet
