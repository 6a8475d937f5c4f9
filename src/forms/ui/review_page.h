#pragma once
// The Review page: every W-2 and 1099-MISC of the company in one sortable
// grid, each marked complete, warning or error with its problems (the rules
// of form_review.h). Double-click or Enter on a row opens that form on its
// page.
#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <vector>

#include "forms/form_review.h"
#include "kit/ui/pages.h"

class QLabel;
class QPlainTextEdit;
class QTableView;

namespace formet {

// The rows of the review as a table: the columns below; Qt::UserRole gives
// the value a column sorts by (the status by its weight, amounts by cents).
class CReviewModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { kStatus, kForm, kName, kNumber, kBox1, kBox7 = kBox1 + 6, kState, kProblems, kColumnCount };
  explicit CReviewModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  void SetRows(std::vector<ReviewRow> rows);
  const std::vector<ReviewRow>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<ReviewRow> rows_;
};

class CReviewPage : public CPage {
  Q_OBJECT
 public:
  CReviewPage(CGlobalDoc& doc, UiServices& ui, QWidget* parent);

  // Reviews the document's forms again (when the page is shown, and when the
  // document changes while it is).
  void OnShown() override;
  void OnDocumentRefresh() override;

  // For tests.
  QTableView* Table() const { return table_; }
  const CReviewModel& Model() const { return model_; }
  // The review row shown at a row of the table, as sorted.
  const ReviewRow* RowAt(int tableRow) const;

 private:
  void Review();
  void Open(const QModelIndex& index);
  void ShowProblemsOf(const QModelIndex& index);

  UiServices& ui_;
  CReviewModel model_;
  QSortFilterProxyModel sorted_;
  QLabel* summary_ = nullptr;
  QTableView* table_ = nullptr;
  QPlainTextEdit* problems_ = nullptr;
};

}  // namespace formet
