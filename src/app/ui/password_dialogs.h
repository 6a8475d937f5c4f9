#pragma once
// "Password Required" at start-up and "Change Password" (Tools > Options >
// Password).
#include <QDialog>

class QLabel;
class QLineEdit;

namespace formet {

class PasswordStore;

class CEnterPassword : public QDialog {
  Q_OBJECT
 public:
  CEnterPassword(const PasswordStore& store, QWidget* parent = nullptr);
  QLineEdit* Field() const { return field_; }
 public slots:
  void accept() override;

 private:
  const PasswordStore& store_;
  QLineEdit* field_;
};

class CChangepassword : public QDialog {
  Q_OBJECT
 public:
  CChangepassword(PasswordStore& store, QWidget* parent = nullptr);
  QLineEdit* OldField() const { return old_; }
  QLineEdit* NewField() const { return new_; }
  QLineEdit* ConfirmField() const { return confirm_; }
 public slots:
  void accept() override;

 private:
  PasswordStore& store_;
  QLabel* oldLabel_;
  QLineEdit* old_;
  QLineEdit* new_;
  QLineEdit* confirm_;
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
