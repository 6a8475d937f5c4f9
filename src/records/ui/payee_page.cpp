#include "records/ui/payee_page.h"

#include <QCollator>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "kit/ui/qt_text.h"
#include "store/ui_services.h"

namespace formet {

TextCompare LocaleTextCompare() {
  QLocale locale;
  if (locale.language() == QLocale::C) locale = QLocale(QLocale::English, QLocale::UnitedStates);
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseSensitive);
  return [collator](const std::string& a, const std::string& b) { return collator.compare(ToQt(a), ToQt(b)); };
}

void SetUpRowList(QTreeWidget* list) {
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAlternatingRowColors(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setAllColumnsShowFocus(true);
  list->setStyleSheet(QStringLiteral("QTreeView::item { padding: 3px 2px; }"));
  list->setSortingEnabled(false);  // the order is the ListSorter's
}

CPayeePage::CPayeePage(CGlobalDoc& doc, UiServices& ui, const Captions& captions, std::span<const ListColumn> columns,
                       QWidget* parent)
    : CPage(doc, parent), ui_(ui), sorter_(LocaleTextCompare()) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 16);
  layout->setSpacing(14);
  layout->addWidget(PageHeading(captions.title, this));

  new_ = new QPushButton(captions.newButton, this);
  modify_ = new QPushButton(captions.modifyButton, this);
  delete_ = new QPushButton(captions.deleteButton, this);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  for (auto* button : {new_, modify_, delete_}) {
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 32);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  layout->addLayout(buttons);

  list_ = new QTreeWidget(this);
  SetUpRowList(list_);
  list_->setColumnCount(static_cast<int>(columns.size()));
  QStringList headings;
  for (const auto& column : columns) headings << tr(column.caption);
  list_->setHeaderLabels(headings);
  auto* header = list_->header();
  header->setSectionsClickable(true);
  header->setSectionsMovable(false);
  header->setStretchLastSection(true);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  list_->installEventFilter(this);
  layout->addWidget(list_, 1);
  FitColumns();

  connect(new_, &QPushButton::clicked, this, [this] { OnNew(); });
  connect(modify_, &QPushButton::clicked, this, &CPayeePage::Modify);
  connect(delete_, &QPushButton::clicked, this, [this] {
    if (SelectedPosition()) OnDelete(SelectedPosition());
  });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &CPayeePage::Modify);
  connect(list_, &QTreeWidget::itemSelectionChanged, this, &CPayeePage::OnSelectionChanged);
  connect(header, &QHeaderView::sectionClicked, this, &CPayeePage::OnColumnClick);
  OnSelectionChanged();
}

void CPayeePage::Modify() {
  if (const auto position = SelectedPosition()) OnModify(*position);
}

bool CPayeePage::eventFilter(QObject* watched, QEvent* event) {
  // Enter opens the selected row, Delete deletes it.
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        Modify();
        return true;
      }
      if (key->key() == Qt::Key_Delete) {
        if (SelectedPosition()) OnDelete(SelectedPosition());
        return true;
      }
    }
  }
  return CPage::eventFilter(watched, event);
}

void CPayeePage::OnDocumentRefresh() {
  rows_ = MakeRows();
  sorter_.Reset();
  list_->header()->setSortIndicatorShown(false);
  Fill();
}

void CPayeePage::OnDocumentReset() {
  selection_.Clear();
  rows_.clear();
  Fill();
}

void CPayeePage::OnColumnClick(int column) {
  sorter_.OnColumnClick(rows_, column);
  Fill();
  list_->header()->setSortIndicatorShown(true);
  list_->header()->setSortIndicator(column, sorter_.Ascending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CPayeePage::OnSelectionChanged() {
  if (!filling_) {
    const auto selected = list_->selectedItems();
    if (selected.isEmpty()) {
      selection_.Clear();
    } else {
      const int row = selected.front()->data(0, Qt::UserRole).toInt();
      if (row >= 0 && static_cast<size_t>(row) < rows_.size()) selection_.Select(rows_[static_cast<size_t>(row)].uniqueId);
    }
  }
  const bool any = selection_.Id().has_value();
  modify_->setEnabled(any);
  delete_->setEnabled(any);
}

void CPayeePage::Fill() {
  filling_ = true;
  order_.Set(rows_);
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
  // The selection stays on its payee, whatever row it is in now; a payee
  // that is gone leaves nothing selected.
  if (const auto row = selection_.RowIn(rows_)) {
    list_->setCurrentItem(items[static_cast<int>(*row)]);
    list_->scrollToItem(items[static_cast<int>(*row)]);
  } else {
    list_->setCurrentItem(nullptr);
    list_->clearSelection();
  }
  filling_ = false;
  OnSelectionChanged();
  FitColumns();
}

void CPayeePage::FitColumns() {
  // Every column but the last as wide as its widest text or its heading; the
  // last takes the rest.
  const int columns = list_->columnCount();
  const QFontMetrics fm(list_->font());
  for (int c = 0; c + 1 < columns; ++c) {
    list_->resizeColumnToContents(c);
    const int heading = list_->header()->fontMetrics().horizontalAdvance(list_->headerItem()->text(c)) + 28;
    list_->setColumnWidth(c, std::max({list_->columnWidth(c) + 16, heading, fm.averageCharWidth() * 8}));
  }
}

std::optional<int> CPayeePage::SelectedPosition() const {
  const auto selected = list_->selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  return PositionOfRow(rows_, selected.front()->data(0, Qt::UserRole).toInt());
}

void CPayeePage::Report(const ChangeResult& result) {
  if (result.Done() && result.saveCode != 0) ui_.ShowError(SaveFailureMessage(result.saveCode, &doc_.Journal()));
}

void CPayeePage::SelectAdded(const ChangeResult& result) {
  if (!result.Done()) return;
  selection_.Select(result.uniqueId);
  Fill();
}

CPayeeDlg::CPayeeDlg(const std::string& caption, QWidget* parent) : QDialog(parent) {
  setWindowTitle(ToQt(caption));
}

void CPayeeDlg::SetCheck(UiServices* ui, Check check) {
  ui_ = ui;
  check_ = std::move(check);
}

void CPayeeDlg::accept() {
  if (check_) {
    if (const auto problem = check_(Values())) {
      if (ui_) ui_->ShowMessage(problem->message);
      if (QWidget* field = Field(problem->field)) {
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
      }
      return;
    }
  }
  QDialog::accept();
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
