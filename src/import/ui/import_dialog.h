#pragma once
// The import dialog of the desktop program: the separator options, the file,
// the preview of its lines with the columns' fields, and Import. A thin view
// over ImportSession.
#include <QAbstractTableModel>
#include <QDialog>
#include <memory>

#include "import/import_session.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace formet {

class SettingsStore;

// The file's rows as the preview shows them: column 0 holds the row labels
// ("Header", then 1 to n), columns 1 to m the file's values; the header row
// is drawn light blue. Cells are made when they are drawn, so a file of
// 100,000 rows shows at once.
class ImportTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kShownCharacters = 1000;

  explicit ImportTableModel(const ImportSession& session, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // After the file was read again.
  void Reset();
  // After a column's field changed: the headers, and the marks and amounts of the cells.
  void HeadersChanged();

 private:
  const ImportSession& session_;
};

// A report shown in a read-only, scrollable box under a line or two of text.
class CReportDialog : public QDialog {
  Q_OBJECT
 public:
  CReportDialog(const QString& caption, const QString& top, const QString& report, bool errorIcon,
                QWidget* parent = nullptr);
  QString ReportText() const;

 private:
  QPlainTextEdit* report_;
};

// A column refused for a field, with the check's report.
class CVerifyFieldDialog : public CReportDialog {
  Q_OBJECT
 public:
  CVerifyFieldDialog(const std::string& fieldName, const std::string& report, QWidget* parent = nullptr);
};

class CGlobalDoc;
class UiServices;
class W2ListObserver;
class Form1099ListObserver;

enum class ImportKind { W2, Form1099 };

// Import Data > W2 Forms or 1099-Misc Forms: the dialog with its flavour,
// shown modally over `parent`. The W-2 or 1099-MISC page, when given, hears
// of every form added, as when a payee is added on its page.
void RunImportDialog(ImportKind kind, CGlobalDoc& doc, UiServices& ui, SettingsStore& settings, QWidget* parent,
                     W2ListObserver* w2Page = nullptr, Form1099ListObserver* formPage = nullptr);

class CImportDialog : public QDialog {
  Q_OBJECT
 public:
  // `ui`, when given, shows the progress of a long import.
  CImportDialog(ImportFlavour& flavour, SettingsStore& settings, QWidget* parent = nullptr, UiServices* ui = nullptr);
  ~CImportDialog() override;

  ImportSession& Session() { return session_; }
  QComboBox* DelimiterList() const { return delimiters_; }
  QComboBox* QualifierList() const { return qualifiers_; }
  QLineEdit* DelimiterBox() const { return delimiterBox_; }
  QLineEdit* QualifierBox() const { return qualifierBox_; }
  QLineEdit* FileBox() const { return file_; }
  QTableView* Preview() const { return table_; }
  QPushButton* ImportButton() const { return import_; }
  // "Load the good rows only": rows with values that cannot be used are left
  // out and listed, instead of stopping the import.
  QCheckBox* GoodRowsOnly() const { return goodRowsOnly_; }
  QPushButton* HelpButton() const { return help_; }
  QLabel* StatusLine() const { return status_; }

  // Reads a file as "Browse..." does after its OK.
  void OpenFile(const QString& path);
  // The field menu of a table column (from 1); the caller owns it.
  QMenu* FieldMenu(int column);
  // What choosing a field (or -1, "Unused") in the menu of a column does.
  void ChooseField(int column, int field);

 private:
  void ShowFieldMenu(int column, const QPoint& at);
  void Browse();
  void ReadFile();
  void OfferAssignments();
  void AssignMany(const std::vector<ColumnField>& pairs);
  void Import();
  void SetGoodRowsOnly(bool on);
  void UpdateStatus();
  void ShowMessage(const QString& text, bool errorIcon);

  ImportSession session_;
  SettingsStore& settings_;
  UiServices* ui_;
  ImportTableModel* model_;
  QComboBox* delimiters_;
  QComboBox* qualifiers_;
  QLineEdit* delimiterBox_;
  QLineEdit* qualifierBox_;
  QLineEdit* file_;
  QTableView* table_;
  QLabel* status_;
  QPushButton* import_;
  QPushButton* help_;
  QCheckBox* goodRowsOnly_;
  QString folder_;  // where "Browse..." starts
  int labelWidth_ = 50;
};

}  // namespace formet
