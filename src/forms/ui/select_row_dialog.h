#pragma once
// The "Select Employee" and "Select Contractor" dialogs: a list of rows with
// whole-row selection, sorted by a click on a column heading (a second click
// on the same heading reverses the order), OK and Cancel; a double click on
// a row takes it.
#include <QDialog>
#include <vector>

#include "records/payee_list.h"
#include "store/ui_services.h"

class QTreeWidget;

namespace formet {

class CSelectRowDlg : public QDialog {
  Q_OBJECT
 public:
  CSelectRowDlg(const RowChoice& choice, QWidget* parent = nullptr);

  // What the user chose and the order the list was left in.
  RowChoiceAnswer Answer() const;
  QTreeWidget* List() const { return list_; }
  // Sorts as a click on the heading of `column` does.
  void ClickColumn(int column);

 private:
  void Fill();

  QTreeWidget* list_;
  std::vector<ListRow> rows_;  // as shown; `position` is the row's index in the choice
  ListSorter sorter_;
  bool sorted_ = false;
};

}  // namespace formet
