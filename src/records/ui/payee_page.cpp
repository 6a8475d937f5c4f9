#include "records/ui/payee_page.h"

#include <QCollator>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstring>

#include "app/ui/qt_text.h"
#include "store/ui_services.h"

namespace formet {

TextCompare LocaleTextCompare() {
  QLocale locale;
  if (locale.language() == QLocale::C) locale = QLocale(QLocale::English, QLocale::UnitedStates);
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseSensitive);
  return [collator](const std::string& a, const std::string& b) { return collator.compare(ToQt(a), ToQt(b)); };
}

CPayeePage::CPayeePage(CGlobalDoc& doc, UiServices& ui, const Captions& captions, std::span<const ListColumn> columns,
                       QWidget* parent)
    : CPage(doc, parent), ui_(ui), sorter_(LocaleTextCompare()) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(28, 24, 28, 24);
  layout->setSpacing(14);
  layout->addWidget(PageHeading(captions.title, this));

  new_ = new QPushButton(captions.newButton, this);
  modify_ = new QPushButton(captions.modifyButton, this);
  delete_ = new QPushButton(captions.deleteButton, this);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  for (auto* button : {new_, modify_, delete_}) {
    button->setMinimumWidth(128);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  layout->addLayout(buttons);

  list_ = new QTreeWidget(this);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAlternatingRowColors(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setAllColumnsShowFocus(true);
  list_->setStyleSheet(QStringLiteral("QTreeView::item { padding: 3px 2px; }"));
  list_->setSortingEnabled(false);  // the order is the page's (ListSorter)
  list_->setColumnCount(static_cast<int>(columns.size()));
  QStringList headings;
  for (const auto& column : columns) headings << tr(column.caption);
  list_->setHeaderLabels(headings);
  auto* header = list_->header();
  header->setSectionsClickable(true);
  header->setSectionsMovable(false);
  header->setStretchLastSection(true);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  const double scale = list_->fontMetrics().averageCharWidth() / 6.0;
  for (size_t i = 0; i < columns.size(); ++i)
    list_->setColumnWidth(static_cast<int>(i), static_cast<int>(columns[i].width * scale));
  layout->addWidget(list_, 1);

  connect(new_, &QPushButton::clicked, this, [this] { OnNew(); });
  connect(modify_, &QPushButton::clicked, this, [this] {
    if (const auto position = SelectedPosition()) OnModify(*position);
  });
  connect(delete_, &QPushButton::clicked, this, [this] { OnDelete(SelectedPosition()); });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (const auto position = SelectedPosition()) OnModify(*position);
  });
  connect(header, &QHeaderView::sectionClicked, this, &CPayeePage::OnColumnClick);
}

void CPayeePage::OnDocumentRefresh() {
  rows_ = MakeRows();
  sorter_.Reset();
  list_->header()->setSortIndicatorShown(false);
  Fill();
}

void CPayeePage::OnColumnClick(int column) {
  sorter_.OnColumnClick(rows_, column);
  Fill();
  list_->header()->setSortIndicatorShown(true);
  list_->header()->setSortIndicator(column, sorter_.Ascending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CPayeePage::Fill() {
  // The selected payee stays selected when only the order changes.
  const auto selected = SelectedPosition();
  list_->clear();
  QList<QTreeWidgetItem*> items;
  for (size_t r = 0; r < rows_.size(); ++r) {
    QStringList texts;
    for (const auto& text : rows_[r].columns) texts << ToQt(text);
    auto* item = new QTreeWidgetItem(texts);
    item->setData(0, Qt::UserRole, static_cast<int>(r));
    items << item;
  }
  list_->addTopLevelItems(items);
  if (selected) {
    for (size_t r = 0; r < rows_.size(); ++r)
      if (rows_[r].position == *selected) list_->setCurrentItem(items[static_cast<int>(r)]);
  }
}

std::optional<int> CPayeePage::SelectedPosition() const {
  const auto selected = list_->selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  return PositionOfRow(rows_, selected.front()->data(0, Qt::UserRole).toInt());
}

void CPayeePage::Report(const ChangeResult& result) {
  if (result.Done() && result.saveCode != 0) ui_.ShowMessage(SaveFailureMessage(result.saveCode));
}

CPayeeDlg::CPayeeDlg(const std::string& caption, QWidget* parent) : QDialog(parent) {
  setWindowTitle(ToQt(caption));
}

void CPayeeDlg::Arrange(const std::vector<const char*>& columns, const std::vector<const char*>& labels,
                        const std::vector<bool>& checkBoxes, const Layout& layout) {
  auto indexOf = [&](const char* column) -> std::optional<size_t> {
    for (size_t i = 0; i < columns.size(); ++i)
      if (std::strcmp(columns[i], column) == 0) return i;
    return std::nullopt;
  };
  std::vector<bool> placed(columns.size(), false);
  auto* form = new QVBoxLayout;
  form->setSpacing(10);
  auto addRow = [&](const std::vector<std::vector<size_t>>& groups) {
    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    for (const auto& group : groups) {
      auto* cell = new QVBoxLayout;
      cell->setSpacing(3);
      const size_t first = group.front();
      auto* fields = new QHBoxLayout;
      fields->setSpacing(4);
      for (size_t i : group) {
        fields->addWidget(controls_.At(i));
        placed[i] = true;
      }
      fields->addStretch(1);
      if (checkBoxes[first]) {
        // A check box carries its own label; it sits level with the fields.
        cell->addStretch(1);
      } else {
        QLabel* label = FieldControls::Label(labels[first], this);
        label->setBuddy(controls_.At(first));
        cell->addWidget(label);
      }
      cell->addLayout(fields);
      row->addLayout(cell);
    }
    row->addStretch(1);
    form->addLayout(row);
  };
  for (const auto& row : layout) {
    std::vector<std::vector<size_t>> groups;
    for (const auto& group : row) {
      std::vector<size_t> members;
      for (const char* column : group)
        if (const auto i = indexOf(column); i && !placed[*i]) members.push_back(*i);
      if (!members.empty()) groups.push_back(members);
    }
    if (!groups.empty()) addRow(groups);
  }
  // Any field the arrangement does not name still gets a row.
  for (size_t i = 0; i < columns.size(); ++i)
    if (!placed[i]) addRow({{i}});

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(20, 18, 20, 14);
  outer->setSpacing(16);
  outer->addLayout(form);
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  outer->addWidget(rule);
  outer->addWidget(buttons);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace formet
