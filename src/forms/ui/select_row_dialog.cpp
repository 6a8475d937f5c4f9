#include "forms/ui/select_row_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "kit/ui/qt_text.h"
#include "records/ui/payee_page.h"

namespace formet {

void CRowList::keyboardSearch(const QString& search) {
  if (search.isEmpty()) return;
  // Letters typed in quick succession make one prefix; a pause starts anew.
  if (!sinceLastKey_.isValid() || sinceLastKey_.elapsed() > QApplication::keyboardInputInterval()) typed_.clear();
  sinceLastKey_.start();
  typed_ += search;
  const int count = topLevelItemCount();
  if (count == 0) return;
  const int current = currentItem() ? indexOfTopLevelItem(currentItem()) : -1;
  // The same letter again steps to the next row that begins with it.
  const bool repeated = typed_.size() > 1 && typed_.count(typed_[0]) == typed_.size();
  const QString prefix = repeated ? typed_.left(1) : typed_;
  const int first = current < 0 ? 0 : (repeated || typed_.size() == 1 ? current + 1 : current);
  for (int step = 0; step < count; ++step) {
    QTreeWidgetItem* item = topLevelItem((first + step) % count);
    if (item->text(column_).startsWith(prefix, Qt::CaseInsensitive)) {
      setCurrentItem(item);
      scrollToItem(item);
      return;
    }
  }
}

CSelectRowDlg::CSelectRowDlg(const RowChoice& choice, QWidget* parent)
    : QDialog(parent), sorter_(LocaleTextCompare()) {
  setWindowTitle(ToQt(choice.caption));
  searchColumns_ = {choice.searchNames, choice.searchNumber};
  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("Search"));
  search_->setClearButtonEnabled(true);
  QString number;
  if (choice.searchNumber && *choice.searchNumber < choice.columns.size())
    number = ToQt(choice.columns[*choice.searchNumber].first);
  search_->setPlaceholderText(number.isEmpty() ? tr("Name") : tr("Name or %1").arg(number));
  auto* searchLabel = new QLabel(tr("&Search:"), this);
  searchLabel->setBuddy(search_);

  list_ = new CRowList(this);
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
  FollowSortColumn();
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
  connect(search_, &QLineEdit::textChanged, this, &CSelectRowDlg::Fill);
  search_->installEventFilter(this);
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(searchLabel);
  searchRow->addWidget(search_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(searchRow);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  setTabOrder(search_, list_);
  search_->setFocus();
}

bool CSelectRowDlg::eventFilter(QObject* watched, QEvent* event) {
  // Up, Down, Page Up and Page Down in the search box move in the list, so
  // that a row is found and taken without leaving the keyboard's row.
  if (watched == search_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
      QApplication::sendEvent(list_, event);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CSelectRowDlg::FollowSortColumn() {
  int column = searchColumns_.names.empty() ? 0 : static_cast<int>(searchColumns_.names.front());
  if (sorted_ && sorter_.Column()) column = *sorter_.Column();
  list_->SetTypeAheadColumn(column);
}

void CSelectRowDlg::ClickColumn(int column) {
  sorter_.OnColumnClick(rows_, column);
  sorted_ = true;
  FollowSortColumn();
  Fill();
}

void CSelectRowDlg::Fill() {
  // The selected row stays selected when only the order changes or it is
  // still found; else the first row found is.
  std::optional<int> selected;
  if (const auto* item = list_->currentItem()) selected = item->data(0, Qt::UserRole).toInt();
  const std::string search = FromQt(search_->text());
  list_->clear();
  QList<QTreeWidgetItem*> items;
  for (const auto& row : rows_) {
    if (!MatchesPayeeSearch(row.columns, searchColumns_, search)) continue;
    QStringList texts;
    for (const auto& text : row.columns) texts << ToQt(text);
    auto* item = new QTreeWidgetItem(texts);
    item->setData(0, Qt::UserRole, row.position);
    items << item;
  }
  list_->addTopLevelItems(items);
  QTreeWidgetItem* current = nullptr;
  for (auto* item : items)
    if (selected && item->data(0, Qt::UserRole).toInt() == *selected) current = item;
  if (!current && !items.isEmpty() && !search.empty()) current = items.front();
  if (current) {
    list_->setCurrentItem(current);
    list_->scrollToItem(current);
  }
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
