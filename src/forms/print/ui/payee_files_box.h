#pragma once
// The print options' "One PDF file per employee" ("per recipient" on the
// 1099-MISC): instead of printing, one PDF file for each payee with the
// copies that payee gets, written into a folder, and, when asked, each
// opened only with a password of the payee's own (AES-256): by default the
// last four digits of the SSN or TIN followed by the ZIP code, or a column of
// a CSV file the user names, matched to the payees by its SSN or TIN column.
#include <QGroupBox>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "forms/payee_files.h"
#include "store/print_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace formet {

// Reads the table file the user names for the passwords (a CSV file with its
// header). The import's reader does it; the program hands it over at start,
// since the import lies above these pages. Nullopt with the problem
// (Windows-1252).
using TableFileReader = std::function<std::optional<TextTable>(const std::filesystem::path&, std::string&)>;
void SetTableFileReader(TableFileReader reader);
const TableFileReader& CurrentTableFileReader();

// What the box says.
struct PayeeFilesChoice {
  bool on = false;
  QString folder;
  bool encrypt = false;
  bool fromFile = false;   // passwords from a CSV file, else the default ones
  QString passwordFile;
  QString passwordColumn;  // the file's column of passwords
};

class CPayeeFilesBox : public QGroupBox {
  Q_OBJECT
 public:
  CPayeeFilesBox(PrintForm form, QWidget* parent);

  PayeeFilesChoice Choice() const;
  // OK with the box on: false after telling the user what is missing (the
  // folder, the password file or its column).
  bool Check();

  // The controls, for tests.
  QLineEdit* FolderField() const { return folder_; }
  QCheckBox* EncryptBox() const { return encrypt_; }
  QRadioButton* DefaultPasswordButton() const { return defaultPasswords_; }
  QRadioButton* FilePasswordButton() const { return filePasswords_; }
  QLineEdit* PasswordFileField() const { return passwordFile_; }
  QComboBox* PasswordColumnList() const { return column_; }
  // Reads the password file named in its field and lists its columns; false
  // after the problem was shown.
  bool LoadPasswordColumns();

 private:
  void UpdateEnabling();

  PrintForm form_;
  QLineEdit* folder_ = nullptr;
  QCheckBox* encrypt_ = nullptr;
  QRadioButton* defaultPasswords_ = nullptr;
  QRadioButton* filePasswords_ = nullptr;
  QLineEdit* passwordFile_ = nullptr;
  QPushButton* browseFile_ = nullptr;
  QComboBox* column_ = nullptr;
  QString loadedFile_;  // the file whose columns the list shows
};

// The box's title: "One PDF file per employee" or "... per recipient".
QString PayeeFilesTitle(PrintForm form);

}  // namespace formet
