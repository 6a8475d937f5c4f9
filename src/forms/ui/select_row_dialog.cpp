#include "forms/ui/select_row_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "kit/ui/qt_text.h"
#include "records/ui/payee_page.h"

namespace formet {

CSelectRowDlg::CSelectRowDlg(const RowChoice& choice, QWidget* parent)
    : QDialog(parent), sorter_(LocaleTextCompare()) {
  setWindowTitle(ToQt(choice.caption));
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("Rows"));
  SetUpRowList(list_);
  QStringList headings;
  for (const auto& column : choice.columns) headings << ToQt(column.first);
  list_->setHeaderLabels(headings);
  list_->header()->setSectionsClickable(true);
  list_->header()->setSectionsMovable(false);
  list_->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Widths in dialog units: a quarter of the font's average character width.
  const double unit = list_->fontMetrics().averageCharWidth() / 4.0;
  int total = 0;
  for (size_t i = 0; i < choice.columns.size(); ++i) {
    const int width = static_cast<int>(choice.columns[i].second * unit);
    list_->setColumnWidth(static_cast<int>(i), width);
    total += width;
  }
  list_->setMinimumSize(total + 24, list_->fontMetrics().lineSpacing() * 14);

  for (size_t r = 0; r < choice.rows.size(); ++r) rows_.push_back({static_cast<int>(r), 0, choice.rows[r]});
  if (choice.sortColumn) {
    sorter_.Sort(rows_, *choice.sortColumn, choice.ascending);
    sorted_ = true;
  }
  Fill();
  // The current payee's row is selected to begin with.
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    auto* item = list_->topLevelItem(i);
    if (choice.current && static_cast<size_t>(item->data(0, Qt::UserRole).toInt()) == *choice.current) {
      list_->setCurrentItem(item);
      list_->scrollToItem(item);
    }
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(list_->header(), &QHeaderView::sectionClicked, this, &CSelectRowDlg::ClickColumn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
}

void CSelectRowDlg::ClickColumn(int column) {
  sorter_.OnColumnClick(rows_, column);
  sorted_ = true;
  Fill();
}

void CSelectRowDlg::Fill() {
  // The selected row stays selected when only the order changes.
  std::optional<int> selected;
  if (const auto* item = list_->currentItem()) selected = item->data(0, Qt::UserRole).toInt();
  list_->clear();
  QList<QTreeWidgetItem*> items;
  for (const auto& row : rows_) {
    QStringList texts;
    for (const auto& text : row.columns) texts << ToQt(text);
    auto* item = new QTreeWidgetItem(texts);
    item->setData(0, Qt::UserRole, row.position);
    items << item;
  }
  list_->addTopLevelItems(items);
  for (auto* item : items)
    if (selected && item->data(0, Qt::UserRole).toInt() == *selected) list_->setCurrentItem(item);
  if (sorted_ && sorter_.Column()) {
    list_->header()->setSortIndicatorShown(true);
    list_->header()->setSortIndicator(*sorter_.Column(), sorter_.Ascending() ? Qt::AscendingOrder
                                                                               : Qt::DescendingOrder);
  }
}

RowChoiceAnswer CSelectRowDlg::Answer() const {
  RowChoiceAnswer answer;
  answer.accepted = result() == QDialog::Accepted;
  const auto selected = list_->selectedItems();
  if (answer.accepted && !selected.isEmpty())
    answer.row = static_cast<size_t>(selected.front()->data(0, Qt::UserRole).toInt());
  answer.sortColumn = sorted_ ? sorter_.Column() : std::nullopt;
  answer.ascending = sorter_.Ascending();
  return answer;
}

}  // namespace formet
