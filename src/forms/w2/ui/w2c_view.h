#pragma once
// The W2c Forms page: every W-2c of the company (computed from what was
// recorded as filed, or made by hand) in a list, with the employee, the SSN,
// what changed and the status; below it both columns of the boxes of the
// W-2c selected, and its problems (the W-2 page's checks on the correct
// column). "New W-2c" makes one by hand for an employee whose W-2 was filed
// before anything was recorded; its Previously reported column is edited in
// the boxes below (a value refused is said and not kept) and it can be
// deleted. The page prints the W-2c's, the W-3c and, for an address-only
// change, the reissued statement, records the W-2c's as filed, and holds
// the W-3c's "Explain decreases here".
#include <QAbstractTableModel>

#include <vector>

#include "forms/record_as_filed.h"
#include "forms/w2/ui/w2c_print_flow.h"
#include "forms/w2/w2c_page_rules.h"
#include "kit/ui/pages.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTableWidget;

namespace formet {

class CW2cListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { kEmployee, kSsn, kChanged, kStatus, kColumnCount };
  using QAbstractTableModel::QAbstractTableModel;
  void SetEntries(std::vector<W2cListEntry> entries);
  const std::vector<W2cListEntry>& Entries() const { return entries_; }
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<W2cListEntry> entries_;
};

class CW2cView : public CPage {
  Q_OBJECT
 public:
  CW2cView(CGlobalDoc& doc, UiServices& ui, QWidget* parent);

  void OnShown() override { Reload(); }
  // An explanation typed and not saved is offered for saving (Cancel keeps
  // the page).
  bool OnHidden() override;
  void OnDocumentRefresh() override;
  void OnDocumentReset() override { Reload(); }

  // What a print of the page goes to (tests record it); the print dialog by
  // default.
  void SetPrintSink(PrintSink sink) { sink_ = std::move(sink); }

  // For tests.
  QTableView* List() const { return list_; }
  QTableWidget* Boxes() const { return boxes_; }
  const CW2cListModel& Model() const { return model_; }
  QPlainTextEdit* Explanation() const { return explain_; }
  QLabel* Problems() const { return problems_; }
  const W2cListEntry* Selected() const;
  void SelectRow(int row);

 public slots:
  void OnNew();
  void OnDelete();
  void OnPrintW2c();
  void OnPrintW3c();
  void OnReissued();
  void OnRecordAsFiled();
  void OnSaveExplanation();

 private:
  void Reload();
  void ShowSelected();
  void OnBoxEdited(int row, int column);

  UiServices& ui_;
  W2cPageData data_;
  CW2cListModel model_;
  PrintSink sink_;
  QLabel* summary_;
  QTableView* list_;
  QTableWidget* boxes_;
  QLabel* problems_;
  QPushButton *new_, *delete_, *printW2c_, *printW3c_, *reissued_, *record_, *saveExplain_;
  QPlainTextEdit* explain_;
  QLabel* explainNote_;
  bool filling_ = false;
  std::string storedExplanation_;  // as read from the company
};

}  // namespace formet
