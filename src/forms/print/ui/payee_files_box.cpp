#include "forms/print/ui/payee_files_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "kit/ui/qt_text.h"
#include "store/text_codec.h"

namespace formet {
namespace {

const QString kCaption = QStringLiteral("Formet (2007)");

TableFileReader& Reader() {
  static TableFileReader reader;
  return reader;
}

}  // namespace

void SetTableFileReader(TableFileReader reader) { Reader() = std::move(reader); }
const TableFileReader& CurrentTableFileReader() { return Reader(); }

QString PayeeFilesTitle(PrintForm form) {
  return form == PrintForm::W2 ? QObject::tr("One PDF file per employee") : QObject::tr("One PDF file per recipient");
}

CPayeeFilesBox::CPayeeFilesBox(PrintForm form, QWidget* parent) : QGroupBox(PayeeFilesTitle(form), parent), form_(form) {
  const bool w2 = form == PrintForm::W2;
  setCheckable(true);
  setChecked(false);
  setObjectName(QStringLiteral("payeeFiles"));
  auto* grid = new QGridLayout(this);
  auto* what = new QLabel(w2 ? tr("Copies B, C and 2 with their instructions, for e-mail, named after\n"
                                  "the company, the employee and the last four digits of the SSN.")
                             : tr("Copy B with its instructions, for e-mail, named after the\n"
                                  "company, the recipient and the last four digits of the TIN."),
                          this);
  grid->addWidget(what, 0, 0, 1, 4);

  grid->addWidget(new QLabel(tr("Folder:"), this), 1, 0);
  folder_ = new QLineEdit(this);
  folder_->setObjectName(QStringLiteral("payeeFolder"));
  grid->addWidget(folder_, 1, 1, 1, 2);
  auto* browseFolder = new QPushButton(tr("Browse..."), this);
  browseFolder->setAutoDefault(false);
  grid->addWidget(browseFolder, 1, 3);
  connect(browseFolder, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getExistingDirectory(this, tr("Folder for the PDF files"),
                                                             folder_->text().isEmpty() ? QDir::homePath()
                                                                                       : folder_->text());
    if (!chosen.isEmpty()) folder_->setText(chosen);
  });

  encrypt_ = new QCheckBox(tr("Protect each file with a password (AES-256)"), this);
  grid->addWidget(encrypt_, 2, 0, 1, 4);
  defaultPasswords_ = new QRadioButton(
      w2 ? tr("Password: the last four digits of the SSN followed by the ZIP code")
         : tr("Password: the last four digits of the TIN followed by the ZIP code"),
      this);
  defaultPasswords_->setChecked(true);
  grid->addWidget(defaultPasswords_, 3, 0, 1, 4);
  filePasswords_ = new QRadioButton(tr("Passwords from a CSV file, matched by its SSN or TIN column:"), this);
  grid->addWidget(filePasswords_, 4, 0, 1, 4);
  passwordFile_ = new QLineEdit(this);
  passwordFile_->setObjectName(QStringLiteral("passwordFile"));
  grid->addWidget(passwordFile_, 5, 1, 1, 2);
  browseFile_ = new QPushButton(tr("Browse..."), this);
  browseFile_->setAutoDefault(false);
  grid->addWidget(browseFile_, 5, 3);
  grid->addWidget(new QLabel(tr("Column:"), this), 6, 1, Qt::AlignRight);
  column_ = new QComboBox(this);
  column_->setObjectName(QStringLiteral("passwordColumn"));
  column_->setMinimumContentsLength(12);
  grid->addWidget(column_, 6, 2);
  grid->setColumnStretch(2, 1);
  grid->setColumnMinimumWidth(0, 20);

  connect(browseFile_, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getOpenFileName(this, tr("File of passwords"), passwordFile_->text(),
                                                        tr("CSV files (*.csv *.txt);;All files (*)"));
    if (chosen.isEmpty()) return;
    passwordFile_->setText(chosen);
    LoadPasswordColumns();
  });
  connect(passwordFile_, &QLineEdit::editingFinished, this, [this] {
    if (!passwordFile_->text().isEmpty() && passwordFile_->text() != loadedFile_) LoadPasswordColumns();
  });
  for (QAbstractButton* b : {static_cast<QAbstractButton*>(encrypt_), static_cast<QAbstractButton*>(filePasswords_),
                             static_cast<QAbstractButton*>(defaultPasswords_)})
    connect(b, &QAbstractButton::toggled, this, [this] { UpdateEnabling(); });
  UpdateEnabling();
}

void CPayeeFilesBox::UpdateEnabling() {
  const bool encrypt = encrypt_->isChecked();
  defaultPasswords_->setEnabled(encrypt);
  filePasswords_->setEnabled(encrypt);
  const bool fromFile = encrypt && filePasswords_->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(passwordFile_), static_cast<QWidget*>(browseFile_),
                     static_cast<QWidget*>(column_)})
    w->setEnabled(fromFile);
}

PayeeFilesChoice CPayeeFilesBox::Choice() const {
  PayeeFilesChoice c;
  c.on = isChecked();
  c.folder = folder_->text().trimmed();
  c.encrypt = encrypt_->isChecked();
  c.fromFile = c.encrypt && filePasswords_->isChecked();
  c.passwordFile = passwordFile_->text().trimmed();
  c.passwordColumn = column_->currentText();
  return c;
}

bool CPayeeFilesBox::LoadPasswordColumns() {
  column_->clear();
  loadedFile_ = passwordFile_->text();
  const TableFileReader& reader = CurrentTableFileReader();
  std::string problem = "Passwords cannot be read from a file here.";
  const auto table = reader ? reader(std::filesystem::path(QFile::encodeName(loadedFile_).toStdString()), problem)
                            : std::nullopt;
  if (!table) {
    QMessageBox::warning(this, kCaption, ToQt(problem));
    return false;
  }
  int password = -1;
  for (const std::string& heading : table->header) {
    if (EqualsIgnoreCase1252(heading, "Password")) password = column_->count();
    column_->addItem(ToQt(heading));
  }
  if (password >= 0) column_->setCurrentIndex(password);
  return true;
}

bool CPayeeFilesBox::Check() {
  const PayeeFilesChoice c = Choice();
  const auto refuse = [this](const QString& text, QWidget* field) {
    QMessageBox::warning(this, kCaption, text);
    field->setFocus();
    return false;
  };
  if (c.folder.isEmpty()) return refuse(tr("Choose the folder the PDF files go in."), folder_);
  if (!QFileInfo(c.folder).isDir()) return refuse(tr("The folder \"%1\" is not there.").arg(c.folder), folder_);
  if (c.fromFile) {
    if (c.passwordFile.isEmpty()) return refuse(tr("Choose the CSV file that holds the passwords."), passwordFile_);
    if (c.passwordFile != loadedFile_ && !LoadPasswordColumns()) return false;
    if (column_->currentText().isEmpty())
      return refuse(tr("Choose the column of the passwords in the CSV file."), column_);
  }
  return true;
}

}  // namespace formet
