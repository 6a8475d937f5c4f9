#pragma once
// Before printing: the values the forms cannot hold even in 6-point type,
// each with its form, its box and what would be printed of it. "Print
// anyway" prints them cut; "Cancel" (the default) prints nothing, so the
// values can be shortened first.
#include <QDialog>

#include "forms/print/box_fit.h"

class QPushButton;
class QTableWidget;

namespace formet {

class CCutListDlg : public QDialog {
  Q_OBJECT
 public:
  CCutListDlg(const CutReport& cuts, QWidget* parent);

  // For tests.
  QTableWidget* Table() const { return table_; }
  QPushButton* PrintAnywayButton() const { return printAnyway_; }
  QPushButton* CancelButton() const { return cancel_; }

  // Wide enough for the whole table, within reason.
  QSize sizeHint() const override { return preferred_; }

 private:
  QSize preferred_;
  QTableWidget* table_ = nullptr;
  QPushButton* printAnyway_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

inline constexpr const char* kCutListTitle = "Values That Would Be Cut";
inline constexpr const char* kCutListText =
    "These values do not fit their boxes on the form, even in 6-point type. If you print now, each one is cut "
    "where it reaches the edge of its box, as shown below. To print them whole, cancel and shorten them first.";

}  // namespace formet
