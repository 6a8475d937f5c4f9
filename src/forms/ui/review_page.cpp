#include "forms/ui/review_page.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "forms/money.h"
#include "kit/ui/qt_text.h"
#include "records/ui/field_controls.h"

namespace formet {

namespace {

QString StatusText(ReviewStatus status) {
  switch (status) {
    case ReviewStatus::Complete: return QObject::tr("Complete");
    case ReviewStatus::Warning: return QObject::tr("Warning");
    case ReviewStatus::Error: return QObject::tr("Error");
  }
  return {};
}

QString ProblemsText(const ReviewRow& row, const QString& between) {
  QStringList lines;
  for (const auto& p : row.problems)
    lines << (p.severity == efile::Severity::Error ? QObject::tr("Error: ") : QObject::tr("Warning: ")) + ToQt(p.what);
  return lines.join(between);
}

}  // namespace

void CReviewModel::SetRows(std::vector<ReviewRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int CReviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CReviewModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant CReviewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  const ReviewRow& row = rows_[static_cast<size_t>(index.row())];
  const int column = index.column();
  const bool box = column >= kBox1 && column <= kBox7;
  const std::string* amount = box ? &row.boxes[static_cast<size_t>(column - kBox1)] : nullptr;
  switch (role) {
    case Qt::DisplayRole:
      switch (column) {
        case kStatus: return StatusText(row.Status());
        case kForm: return QString::fromLatin1(row.FormName());
        case kName: return row.payee < 0 ? tr("(no payee)") : ToQt(row.name);
        case kNumber: return ToQt(row.number);
        case kState: return ToQt(row.state);
        case kProblems: return ProblemsText(row, QStringLiteral("; "));
        default: return ToQt(*amount);
      }
    case Qt::UserRole:  // what the column sorts by
      if (column == kStatus) return static_cast<int>(row.Status());
      if (box) return amount->empty() ? QVariant(qlonglong(-1)) : QVariant(qlonglong(ParseMoneyCents(*amount)));
      if (column == kProblems) return static_cast<int>(row.problems.size());
      return data(index, Qt::DisplayRole).toString().toLower();
    case Qt::DecorationRole:
      if (column != kStatus) return {};
      switch (row.Status()) {
        case ReviewStatus::Complete: return QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton);
        case ReviewStatus::Warning: return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        case ReviewStatus::Error: return QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
      }
      return {};
    case Qt::TextAlignmentRole:
      if (box) return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
      return {};
    case Qt::ToolTipRole:
      if (column == kProblems && !row.problems.empty()) return ProblemsText(row, QStringLiteral("\n"));
      return {};
    default: return {};
  }
}

QVariant CReviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kStatus: return tr("Status");
    case kForm: return tr("Form");
    case kName: return tr("Employee or contractor");
    case kNumber: return tr("SSN or TIN");
    case kState: return tr("State");
    case kProblems: return tr("Problems");
    default: return tr("Box %1").arg(section - kBox1 + 1);
  }
}

CReviewPage::CReviewPage(CGlobalDoc& doc, UiServices& ui, QWidget* parent) : CPage(doc, parent), ui_(ui) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 12);
  layout->setSpacing(8);
  layout->addWidget(PageHeading(tr("Review"), this));
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("Summary"));
  summary_->setWordWrap(true);
  summary_->setStyleSheet(QStringLiteral("color: #4a5866;"));
  layout->addWidget(summary_);

  sorted_.setSourceModel(&model_);
  sorted_.setSortRole(Qt::UserRole);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->setChildrenCollapsible(false);
  table_ = new QTableView(split);
  table_->setObjectName(QStringLiteral("ReviewGrid"));
  table_->setModel(&sorted_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(CReviewModel::kStatus, Qt::DescendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setAlternatingRowColors(true);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  problems_ = new QPlainTextEdit(split);
  problems_->setObjectName(QStringLiteral("RowProblems"));
  problems_->setReadOnly(true);
  problems_->setFocusPolicy(Qt::ClickFocus);
  problems_->setPlaceholderText(tr("The problems of the form selected above are listed here."));
  split->setStretchFactor(0, 4);
  split->setStretchFactor(1, 1);
  layout->addWidget(split, 1);
  auto* hint = new QLabel(tr("Double-click a form, or select it and press Enter, to open it on its page."), this);
  hint->setStyleSheet(QStringLiteral("color: #4a5866;"));
  layout->addWidget(hint);

  connect(table_, &QTableView::activated, this, &CReviewPage::Open);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { ShowProblemsOf(current); });
}

void CReviewPage::OnShown() { Review(); }

void CReviewPage::OnDocumentRefresh() {
  if (isVisible()) Review();
}

void CReviewPage::Review() {
  // Thousands of forms take a moment (about a second for 5,000 W-2s).
  ui_.BeginWaitCursor();
  model_.SetRows(ReviewForms(ReviewSourceOf(doc_)));
  ui_.EndWaitCursor();
  const ReviewSummary s = Summarize(model_.Rows());
  summary_->setText(model_.Rows().empty()
                        ? tr("The company has no W-2 and no 1099-MISC yet.")
                        : tr("%1 forms: %2 complete, %3 with warnings, %4 with errors. Sort by a column with a click "
                             "on its heading.")
                              .arg(model_.Rows().size())
                              .arg(s.complete)
                              .arg(s.warnings)
                              .arg(s.errors));
  table_->resizeColumnsToContents();
  if (sorted_.rowCount() > 0) table_->selectRow(0);
  else problems_->clear();
}

const ReviewRow* CReviewPage::RowAt(int tableRow) const {
  const QModelIndex source = sorted_.mapToSource(sorted_.index(tableRow, 0));
  if (!source.isValid()) return nullptr;
  return &model_.Rows()[static_cast<size_t>(source.row())];
}

void CReviewPage::ShowProblemsOf(const QModelIndex& index) {
  const ReviewRow* row = index.isValid() ? RowAt(index.row()) : nullptr;
  if (!row) {
    problems_->clear();
    return;
  }
  problems_->setPlainText(row->problems.empty() ? tr("%1 of %2: no problems.").arg(row->FormName(), ToQt(row->name))
                                                : ProblemsText(*row, QStringLiteral("\n")));
}

void CReviewPage::Open(const QModelIndex& index) {
  const ReviewRow* row = index.isValid() ? RowAt(index.row()) : nullptr;
  if (!row) return;
  if (row->payee < 0) {
    ui_.ShowMessage(std::string("This ") + row->FormName() + " belongs to no " +
                    (row->type == ReviewFormType::W2 ? "employee" : "contractor") +
                    " of the company, so no page shows it.");
    return;
  }
  if (row->type == ReviewFormType::W2) ui_.ShowEmployeeW2(row->payee);
  else ui_.ShowContractor1099(row->payee);
}

}  // namespace formet
