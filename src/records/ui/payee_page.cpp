#include "records/ui/payee_page.h"

#include <QAbstractItemDelegate>
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
#include <QSignalBlocker>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "kit/ui/qt_text.h"
#include "records/ui/payee_list_model.h"
#include "store/ui_services.h"

namespace formet {

TextCompare LocaleTextCompare() {
  return [collator = ListCollator()](const std::string& a, const std::string& b) {
    return collator.compare(ToQt(a), ToQt(b));
  };
}

void SetUpRowList(QTreeView* list) {
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAlternatingRowColors(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setAllColumnsShowFocus(true);
  list->setStyleSheet(QStringLiteral("QTreeView::item { padding: 3px 2px; }"));
  list->setSortingEnabled(false);  // the order is the sorter's or the model's
}

void SetUpRowTable(QTableView* list) {
  // Drawn as the row lists elsewhere are: whole rows, no grid, no row numbers;
  // the rows are all one height, so the view keeps no size per row.
  list->setShowGrid(false);
  list->setWordWrap(false);
  list->setCornerButtonEnabled(false);
  list->setTabKeyNavigation(false);  // Tab leaves the list, as from any control
  list->setAlternatingRowColors(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  list->setStyleSheet(QStringLiteral("QTableView::item { padding: 3px 2px; }"));
  list->setSortingEnabled(false);  // the order is the sorter's or the model's
  list->verticalHeader()->hide();
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->horizontalHeader()->setHighlightSections(false);
}

CPayeePage::CPayeePage(CGlobalDoc& doc, UiServices& ui, const Captions& captions,
                       std::unique_ptr<PayeeListSource> list, QWidget* parent)
    : CPage(doc, parent), ui_(ui) {
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

  const auto columns = list->Columns();
  const PayeeSearchColumns searched = list->Search();
  model_ = new CPayeeListModel(std::move(list), this);

  // The search box: names, and the digits of the SSN or TIN.
  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("Search"));
  search_->setClearButtonEnabled(true);
  QString number;
  if (searched.number && *searched.number < columns.size()) number = tr(columns[*searched.number].caption);
  search_->setPlaceholderText(number.isEmpty() ? tr("Name") : tr("Name or %1").arg(number));
  search_->setMaximumWidth(search_->fontMetrics().averageCharWidth() * 48);
  search_->installEventFilter(this);
  auto* searchLabel = new QLabel(tr("&Search:"), this);
  searchLabel->setBuddy(search_);
  auto* searchRow = new QHBoxLayout;
  searchRow->setSpacing(8);
  searchRow->addWidget(searchLabel);
  searchRow->addWidget(search_, 1);
  searchRow->addStretch(0);
  layout->addLayout(searchRow);

  list_ = new QTableView(this);
  SetUpRowTable(list_);
  list_->setModel(model_);
  auto* header = list_->horizontalHeader();
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
  connect(list_, &QTableView::doubleClicked, this, [this](const QModelIndex&) { Modify(); });
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CPayeePage::OnSelectionChanged);
  connect(header, &QHeaderView::sectionClicked, this, &CPayeePage::OnColumnClick);
  connect(search_, &QLineEdit::textChanged, this, &CPayeePage::OnSearch);
  OnSelectionChanged();
}

void CPayeePage::Modify() {
  if (const auto position = SelectedPosition()) OnModify(*position);
}

bool CPayeePage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
    // Enter opens the selected row, Delete deletes it.
    if (watched == list_ && plain) {
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        Modify();
        return true;
      }
      if (key->key() == Qt::Key_Delete) {
        if (SelectedPosition()) OnDelete(SelectedPosition());
        return true;
      }
    }
    // Down in the search box goes on to the rows found; Enter there opens
    // the row selected.
    if (watched == search_ && plain) {
      if (key->key() == Qt::Key_Down && model_->rowCount() > 0) {
        if (!SelectedPosition()) list_->setCurrentIndex(model_->index(0, 0));
        list_->setFocus(Qt::TabFocusReason);
        return true;
      }
      if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && SelectedPosition()) {
        Modify();
        return true;
      }
    }
  }
  return CPage::eventFilter(watched, event);
}

void CPayeePage::OnDocumentRefresh() {
  model_->Reload();
  sorter_.Reset();
  list_->horizontalHeader()->setSortIndicatorShown(false);
  Fill();
}

void CPayeePage::OnDocumentReset() {
  selection_.Clear();
  // Another company's list starts unsearched.
  {
    const QSignalBlocker quiet(search_);
    search_->clear();
  }
  model_->SetSearch({});
  model_->Reload();
  sorter_.Reset();
  list_->horizontalHeader()->setSortIndicatorShown(false);
  Fill();
}

void CPayeePage::OnColumnClick(int column) {
  const bool ascending = sorter_.Clicked(column);
  model_->sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  Fill();
  list_->horizontalHeader()->setSortIndicatorShown(true);
  list_->horizontalHeader()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CPayeePage::OnSearch() {
  model_->SetSearch(FromQt(search_->text()));
  // The payee selected stays selected while it is found.
  Fill();
}

void CPayeePage::OnSelectionChanged() {
  if (!filling_) {
    const auto selected = list_->selectionModel()->selectedRows();
    const auto id = selected.isEmpty() ? std::nullopt : model_->IdAt(selected.front().row());
    if (id) selection_.Select(*id);
    else selection_.Clear();
  }
  const bool any = selection_.Id().has_value();
  modify_->setEnabled(any);
  delete_->setEnabled(any);
}

void CPayeePage::Fill() {
  filling_ = true;
  order_.Set(model_->Order());
  // The selection stays on its payee, whatever row it is in now; a payee
  // that is gone, or not found by the search, leaves nothing selected.
  const auto row = selection_.Id() ? model_->RowOf(*selection_.Id()) : std::nullopt;
  if (row) {
    const QModelIndex index = model_->index(*row, 0);
    list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list_->scrollTo(index);
  } else {
    selection_.Clear();
    list_->selectionModel()->clearSelection();
    list_->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }
  filling_ = false;
  OnSelectionChanged();
  FitColumns();
}

void CPayeePage::FitColumns() {
  // Every column but the last as wide as its widest text or its heading; the
  // last takes the rest.
  const int columns = model_->columnCount();
  const QFontMetrics fm(list_->font());
  // Every row as high as the first one's texts with their padding.
  if (model_->rowCount() > 0) {
    QStyleOptionViewItem option;
    option.initFrom(list_->viewport());
    option.widget = list_;
    int height = 0;
    for (int c = 0; c < columns; ++c)
      height = std::max(height, list_->itemDelegate()->sizeHint(option, model_->index(0, c)).height());
    if (height > 0) list_->verticalHeader()->setDefaultSectionSize(height);
  }
  for (int c = 0; c + 1 < columns; ++c) {
    list_->resizeColumnToContents(c);
    const int heading =
        list_->horizontalHeader()->fontMetrics().horizontalAdvance(model_->headerData(c, Qt::Horizontal).toString()) + 28;
    list_->setColumnWidth(c, std::max({list_->columnWidth(c) + 16, heading, fm.averageCharWidth() * 8}));
  }
}

std::optional<int> CPayeePage::SelectedPosition() const {
  const auto selected = list_->selectionModel()->selectedRows();
  if (selected.isEmpty()) return std::nullopt;
  return model_->PositionAt(selected.front().row());
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
