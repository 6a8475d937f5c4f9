#pragma once
// The "Select Employee" and "Select Contractor" dialogs: a search box over a
// list of rows with whole-row selection, sorted by a click on a column
// heading (a second click on the same heading reverses the order), OK and
// Cancel; a double click on a row takes it. The search box keeps the rows
// whose names or SSN/TIN hold what is typed, as it is typed; typing in the
// list jumps to the first row whose text in the sorted column begins with
// the letters typed.
#include <QDialog>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <vector>

#include "records/payee_list.h"
#include "records/payee_search.h"
#include "store/ui_services.h"

class QLineEdit;

namespace formet {

// The list of the dialog: its type-ahead looks in a given column.
class CRowList : public QTreeWidget {
  Q_OBJECT
 public:
  using QTreeWidget::QTreeWidget;
  void SetTypeAheadColumn(int column) { column_ = column; }
  int TypeAheadColumn() const { return column_; }
  void keyboardSearch(const QString& search) override;

 private:
  int column_ = 0;
  QString typed_;
  QElapsedTimer sinceLastKey_;
};

class CSelectRowDlg : public QDialog {
  Q_OBJECT
 public:
  CSelectRowDlg(const RowChoice& choice, QWidget* parent = nullptr);

  // What the user chose and the order the list was left in.
  RowChoiceAnswer Answer() const;
  CRowList* List() const { return list_; }
  QLineEdit* SearchBox() const { return search_; }
  // Sorts as a click on the heading of `column` does.
  void ClickColumn(int column);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill();
  // The column type-ahead looks in: the sorted one, else the first name.
  void FollowSortColumn();

  QLineEdit* search_;
  CRowList* list_;
  std::vector<ListRow> rows_;  // as sorted; `position` is the row's index in the choice
  ListSorter sorter_;
  PayeeSearchColumns searchColumns_;
  bool sorted_ = false;
};

}  // namespace formet
