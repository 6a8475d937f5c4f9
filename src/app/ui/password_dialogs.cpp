#include "app/ui/password_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "app/password.h"
#include "app/ui/qt_text.h"

namespace formet {
namespace {

const QString kCaption = QStringLiteral("Formet (2007)");

QLineEdit* PasswordField(QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setEchoMode(QLineEdit::Password);
  field->setMaxLength(kPasswordMaxLength);
  field->setMinimumWidth(220);
  return field;
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
  if (store_.Matches(FromQt(field_->text()))) {
    QDialog::accept();
    return;
  }
  field_->clear();
  QMessageBox::warning(this, kCaption, kPasswordIncorrect);
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
  const std::string oldTyped = old_->isHidden() ? std::string() : FromQt(old_->text());
  const auto result = ChangePassword(store_, oldTyped, FromQt(new_->text()), FromQt(confirm_->text()));
  if (result == PasswordChange::Changed) {
    QMessageBox::information(this, kCaption, kPasswordChanged);
    QDialog::accept();
    return;
  }
  for (auto* f : {old_, new_, confirm_}) f->clear();
  QMessageBox::warning(this, kCaption,
                       result == PasswordChange::WrongOldPassword ? kOldPasswordIncorrect : kPasswordsDontMatch);
  (old_->isHidden() ? new_ : old_)->setFocus();
}

bool DialogPasswordPrompt::AskPassword(PasswordStore& store, QWidget* parent) {
  if (!store.IsSet()) return true;
  CEnterPassword dialog(store, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace formet
