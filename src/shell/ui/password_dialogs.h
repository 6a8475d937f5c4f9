#pragma once
// "Password Required" at start-up and "Change Password" (Tools > Options >
// Password).
#include <QDialog>

class QLabel;

namespace formet {

class CMaskedEdit;
class PasswordStore;

class CEnterPassword : public QDialog {
  Q_OBJECT
 public:
  CEnterPassword(const PasswordStore& store, QWidget* parent = nullptr);
  CMaskedEdit* Field() const { return field_; }
 public slots:
  void accept() override;

 private:
  const PasswordStore& store_;
  CMaskedEdit* field_;
};

class CChangepassword : public QDialog {
  Q_OBJECT
 public:
  CChangepassword(PasswordStore& store, QWidget* parent = nullptr);
  CMaskedEdit* OldField() const { return old_; }
  CMaskedEdit* NewField() const { return new_; }
  CMaskedEdit* ConfirmField() const { return confirm_; }
 public slots:
  void accept() override;

 private:
  PasswordStore& store_;
  QLabel* oldLabel_;
  CMaskedEdit* old_;
  CMaskedEdit* new_;
  CMaskedEdit* confirm_;
};

// The start-up check: true at once when no password is set, else the answer
// of "Password Required".
class PasswordPrompt {
 public:
  virtual ~PasswordPrompt() = default;
  virtual bool AskPassword(PasswordStore& store, QWidget* parent) = 0;
};

class DialogPasswordPrompt : public PasswordPrompt {
 public:
  bool AskPassword(PasswordStore& store, QWidget* parent) override;
};

}  // namespace formet
