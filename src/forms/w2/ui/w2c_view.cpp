#include "forms/w2/ui/w2c_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "forms/w2/w2_page_rules.h"
#include "forms/w2/w2c_hand_made.h"
#include "kit/ui/qt_text.h"
#include "records/ui/field_controls.h"
#include "store/text_codec.h"

namespace formet {

namespace {

// The text typed, in the code page of the company file; nullopt (said)
// when it holds a character the forms cannot print, so that nothing typed
// is stored changed.
std::optional<std::string> Typed(const QString& text, UiServices& ui) {
  const QByteArray utf8 = text.toUtf8();
  auto converted = Utf8ToWin1252(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
  if (!converted)
    ui.ShowError("The text holds a character the forms cannot print (Formet prints the Western European "
                 "letters and signs). Type it without that character: nothing was stored.");
  return converted;
}

}  // namespace

// ---- the list ------------------------------------------------------------------------

void CW2cListModel::SetEntries(std::vector<W2cListEntry> entries) {
  beginResetModel();
  entries_ = std::move(entries);
  endResetModel();
}

int CW2cListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int CW2cListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant CW2cListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(entries_.size())) return {};
  const W2cListEntry& e = entries_[static_cast<size_t>(index.row())];
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  switch (index.column()) {
    case kEmployee: return ToQt(e.employee);
    case kSsn: return ToQt(e.ssn);
    case kChanged: return ToQt(e.changed);
    case kStatus: return ToQt(e.status);
    default: return {};
  }
}

QVariant CW2cListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kEmployee: return tr("Employee");
    case kSsn: return tr("SSN");
    case kChanged: return tr("What changed");
    case kStatus: return tr("Status");
    default: return {};
  }
}

// ---- the page ------------------------------------------------------------------------

CW2cView::CW2cView(CGlobalDoc& doc, UiServices& ui, QWidget* parent) : CPage(doc, parent), ui_(ui) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 12);
  layout->setSpacing(8);
  layout->addWidget(PageHeading(tr("W2c Forms"), this));
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("Summary"));
  summary_->setWordWrap(true);
  summary_->setStyleSheet(QStringLiteral("color: #4a5866;"));
  layout->addWidget(summary_);

  // Two rows of buttons: the W-2c's themselves, then the prints (the
  // smallest window holds three buttons a row).
  auto* editRow = new QHBoxLayout;
  auto* printRow = new QHBoxLayout;
  auto button = [&](QHBoxLayout* row, const QString& text, const char* name, void (CW2cView::*slot)()) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(QString::fromLatin1(name));
    connect(b, &QPushButton::clicked, this, slot);
    row->addWidget(b);
    return b;
  };
  new_ = button(editRow, tr("&New W-2c..."), "NewW2c", &CW2cView::OnNew);
  delete_ = button(editRow, tr("&Delete W-2c"), "DeleteW2c", &CW2cView::OnDelete);
  record_ = button(editRow, tr("Record as &Filed"), "RecordW2c", &CW2cView::OnRecordAsFiled);
  printW2c_ = button(printRow, tr("&Print W2c..."), "PrintW2c", &CW2cView::OnPrintW2c);
  printW3c_ = button(printRow, tr("Print W&3c..."), "PrintW3c", &CW2cView::OnPrintW3c);
  reissued_ = button(printRow, tr("Print &Reissued Statement..."), "Reissued", &CW2cView::OnReissued);
  editRow->addStretch(1);
  printRow->addStretch(1);
  layout->addLayout(editRow);
  layout->addLayout(printRow);

  auto* split = new QSplitter(Qt::Vertical, this);
  split->setChildrenCollapsible(false);
  list_ = new QTableView(split);
  list_->setObjectName(QStringLiteral("W2cList"));
  list_->setModel(&model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setAlternatingRowColors(true);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setStretchLastSection(true);

  auto* lower = new QWidget(split);
  auto* lowerLayout = new QVBoxLayout(lower);
  lowerLayout->setContentsMargins(0, 0, 0, 0);
  boxes_ = new QTableWidget(0, 3, lower);
  boxes_->setObjectName(QStringLiteral("W2cBoxes"));
  boxes_->setHorizontalHeaderLabels({tr("Box"), ToQt(W2cTexts::kPreviously), ToQt(W2cTexts::kCorrect)});
  boxes_->verticalHeader()->hide();
  boxes_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  boxes_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  boxes_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  lowerLayout->addWidget(boxes_, 1);
  problems_ = new QLabel(lower);
  problems_->setObjectName(QStringLiteral("W2cProblems"));
  problems_->setWordWrap(true);
  problems_->setStyleSheet(QStringLiteral("color: #a01010;"));
  lowerLayout->addWidget(problems_);

  auto* explainRow = new QHBoxLayout;
  auto* explainLabel = new QLabel(tr("W-3c, Explain decreases here:"), lower);
  explain_ = new QPlainTextEdit(lower);
  explain_->setObjectName(QStringLiteral("W3cExplanation"));
  explain_->setPlaceholderText(tr("Empty: the W-3c lists the boxes whose totals decreased."));
  explain_->setMaximumHeight(60);
  explain_->setTabChangesFocus(true);  // Tab goes on to Save Explanation
  explainLabel->setBuddy(explain_);
  saveExplain_ = new QPushButton(tr("&Save Explanation"), lower);
  saveExplain_->setObjectName(QStringLiteral("SaveExplanation"));
  connect(saveExplain_, &QPushButton::clicked, this, &CW2cView::OnSaveExplanation);
  explainRow->addWidget(explainLabel);
  explainRow->addWidget(explain_, 1);
  explainRow->addWidget(saveExplain_);
  lowerLayout->addLayout(explainRow);
  explainNote_ = new QLabel(lower);
  explainNote_->setObjectName(QStringLiteral("ExplanationNote"));
  explainNote_->setWordWrap(true);
  explainNote_->setStyleSheet(QStringLiteral("color: #4a5866;"));
  lowerLayout->addWidget(explainNote_);
  split->setStretchFactor(0, 2);
  split->setStretchFactor(1, 3);
  layout->addWidget(split, 1);

  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { ShowSelected(); });
  connect(boxes_, &QTableWidget::cellChanged, this, &CW2cView::OnBoxEdited);
}

void CW2cView::OnDocumentRefresh() {
  if (isVisible()) Reload();
}

const W2cListEntry* CW2cView::Selected() const {
  const QModelIndex current = list_->currentIndex();
  if (!current.isValid() || current.row() >= static_cast<int>(model_.Entries().size())) return nullptr;
  return &model_.Entries()[static_cast<size_t>(current.row())];
}

void CW2cView::SelectRow(int row) { list_->selectRow(row); }

void CW2cView::Reload() {
  const int32_t keep = Selected() ? Selected()->employeeId : -1;
  data_ = doc_.IsLoaded() ? LoadW2cPageData(doc_) : W2cPageData{};
  model_.SetEntries(W2cListEntries(data_.list, doc_.GetEmployees(), data_.handMade));
  const auto& entries = model_.Entries();
  size_t toSsa = 0;
  for (const auto& f : data_.list.forms) toSsa += f.toSsa ? 1 : 0;
  QString summary;
  if (!doc_.IsLoaded()) summary = tr("No company is open.");
  else if (!data_.problem.empty()) summary = ToQt(data_.problem);
  else if (entries.empty())
    summary = tr("No W-2c: no W-2 recorded as filed has changed. Record the W-2s as filed on the W2 Forms page, or "
                 "make a W-2c by hand with New W-2c for a W-2 filed before.");
  else
    summary = (data_.list.forms.size() == 1
                   ? (toSsa == 1 ? tr("1 W-2c, to the SSA.") : tr("1 W-2c, to the state only."))
                   : tr("%1 W-2c's, %2 of them to the SSA.").arg(data_.list.forms.size()).arg(toSsa)) +
              tr(" Select a row to see its boxes.");
  for (const auto& note : data_.list.notes) summary += QStringLiteral("\n") + ToQt(note);
  summary_->setText(summary);
  list_->resizeColumnsToContents();
  int row = 0;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].employeeId == keep) row = static_cast<int>(i);
  if (!entries.empty()) list_->selectRow(row);
  ShowSelected();
  storedExplanation_.clear();
  if (doc_.IsLoaded()) ReadW3cExplanation(doc_, storedExplanation_);
  explain_->setPlainText(ToQt(storedExplanation_));
  explainNote_->setText(ToQt(W3cExplanationFitNotice(storedExplanation_)));
  const bool writable = doc_.IsLoaded() && !doc_.ReadOnlyReason();
  new_->setEnabled(writable);
  record_->setEnabled(writable && !data_.list.forms.empty());
  saveExplain_->setEnabled(writable);
  printW2c_->setEnabled(!data_.list.forms.empty());
  printW3c_->setEnabled(toSsa > 0);
}

void CW2cView::ShowSelected() {
  const W2cListEntry* entry = Selected();
  filling_ = true;
  boxes_->setRowCount(0);
  std::vector<W2cDetailLine> lines;
  QString problems;
  if (entry && entry->handMade) {
    const auto row = std::find_if(data_.handMade.begin(), data_.handMade.end(),
                                  [&](const FiledW2& r) { return r.employee.EmployeeUniqueID == entry->employeeId; });
    const auto now = W2NowFor(doc_, entry->employeeId);
    if (row != data_.handMade.end() && now) lines = HandMadeW2cLines(*row, *now);
  } else if (entry && entry->form >= 0) {
    lines = W2cFormLines(data_.list.forms[static_cast<size_t>(entry->form)]);
  }
  if (entry && entry->form >= 0)
    for (const auto& p : data_.list.forms[static_cast<size_t>(entry->form)].problems)
      problems += (problems.isEmpty() ? QString() : QStringLiteral("\n")) + ToQt(p);
  if (entry && entry->addressOnly) problems = ToQt(AddressOnlyNotice(entry->employee));
  boxes_->setRowCount(static_cast<int>(lines.size()));
  for (size_t i = 0; i < lines.size(); ++i) {
    const int r = static_cast<int>(i);
    const auto& line = lines[i];
    auto* label = new QTableWidgetItem(ToQt(line.label));
    label->setFlags(Qt::ItemIsEnabled);
    label->setData(Qt::UserRole, ToQt(line.key));
    auto* previously = new QTableWidgetItem(ToQt(line.previously));
    previously->setFlags(line.editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                       : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    auto* correct = new QTableWidgetItem(ToQt(line.correct));
    correct->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    boxes_->setItem(r, 0, label);
    boxes_->setItem(r, 1, previously);
    boxes_->setItem(r, 2, correct);
  }
  if (entry && entry->handMade)
    problems = (problems.isEmpty() ? QString() : problems + QStringLiteral("\n")) +
               tr("Made by hand: type the Previously reported values as they were filed; the Correct information is "
                  "the W-2 now (change it on the W2 Forms page).");
  problems_->setText(problems);
  filling_ = false;
  delete_->setEnabled(entry && entry->handMade && doc_.IsLoaded() && !doc_.ReadOnlyReason());
  reissued_->setEnabled(entry && entry->addressOnly);
}

void CW2cView::OnBoxEdited(int row, int column) {
  if (filling_ || column != 1) return;
  const W2cListEntry* entry = Selected();
  if (!entry || !entry->handMade) return;
  const auto stored = std::find_if(data_.handMade.begin(), data_.handMade.end(),
                                   [&](const FiledW2& r) { return r.employee.EmployeeUniqueID == entry->employeeId; });
  if (stored == data_.handMade.end()) return;
  const std::string key = FromQt(boxes_->item(row, 0)->data(Qt::UserRole).toString());
  const auto typed = Typed(boxes_->item(row, 1)->text().trimmed(), ui_);
  FiledW2 changed = *stored;
  auto problem = typed ? SetHandMadeW2cValue(changed, key, *typed) : std::optional<std::string>(std::string());
  if (problem && problem->empty()) {
    filling_ = true;
    boxes_->item(row, 1)->setText(ToQt(HandMadeW2cValue(*stored, key)));
    filling_ = false;
    return;
  }
  if (problem) {
    std::string text = *problem;
    if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    ui_.ShowError(text + ". The value was not kept.");
    filling_ = true;
    boxes_->item(row, 1)->setText(ToQt(HandMadeW2cValue(*stored, key)));
    filling_ = false;
    return;
  }
  if (int rc = SaveW2c(doc_, changed)) {
    ui_.ShowError(EngineErrorMessage("Formet failed to save the W-2c.", rc));
    filling_ = true;
    boxes_->item(row, 1)->setText(ToQt(HandMadeW2cValue(*stored, key)));
    filling_ = false;
    return;
  }
  Reload();
}

void CW2cView::OnNew() {
  if (doc_.GetEmployees().empty()) {
    ui_.ShowMessage("The company has no employees. Add them on the Employees page.");
    return;
  }
  const RowChoiceAnswer answer = ui_.ChooseRow(W2EmployeeChoice(doc_.GetEmployees(), "Select Employee for a New W-2c"));
  if (!answer.accepted || !answer.row || *answer.row >= doc_.GetEmployees().size()) return;
  const int32_t id = doc_.GetEmployees()[*answer.row].EmployeeUniqueID;
  std::string problem;
  if (!NewW2c(doc_, id, problem)) {
    ui_.ShowError(problem);
    return;
  }
  Reload();
  const auto& entries = model_.Entries();
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].employeeId == id && entries[i].handMade) list_->selectRow(static_cast<int>(i));
}

void CW2cView::OnDelete() {
  const W2cListEntry* entry = Selected();
  if (!entry || !entry->handMade) return;
  if (!ui_.AskYesNoDestructive("Delete the W-2c made by hand for " + entry->employee + "?")) return;
  if (int rc = DeleteW2c(doc_, entry->employeeId)) {
    ui_.ShowError(EngineErrorMessage("Formet failed to delete the W-2c.", rc));
    return;
  }
  Reload();
}

void CW2cView::OnPrintW2c() {
  const W2cListEntry* entry = Selected();
  const bool hasSelected = entry && entry->form >= 0;
  CW2cPrintOptionsDlg dialog(false, hasSelected, this);
  if (dialog.exec() != QDialog::Accepted) return;
  W2cPrintChoice choice{dialog.Copy(), dialog.OnlySelected() && hasSelected ? entry->employeeId : -1};
  if (PrintW2cForms(this, doc_, ui_, choice, sink_) && IsW2cCopyA(choice.copy)) {
    OfferRecordAsFiled(doc_, ui_, FiledFamily::W2c);
    Reload();
  }
}

void CW2cView::OnPrintW3c() {
  CW2cPrintOptionsDlg dialog(true, false, this);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintW3cForm(this, doc_, ui_, dialog.RedInk(), sink_);
}

void CW2cView::OnReissued() {
  const W2cListEntry* entry = Selected();
  if (!entry || !entry->addressOnly) return;
  PrintReissuedStatement(this, doc_, ui_, entry->employeeId, sink_);
}

void CW2cView::OnRecordAsFiled() {
  if (!ui_.AskYesNo("Record the W-2c's as filed today? Their Correct information becomes what was previously "
                    "reported, and they leave this list."))
    return;
  const RecordResult result = RecordAsFiled(doc_, FiledFamily::W2c, TodayFiledDate());
  if (result.code != 0) ui_.ShowError(result.message);
  else ui_.ShowMessage(result.message);
  Reload();
}

bool CW2cView::OnHidden() {
  if (!doc_.IsLoaded() || doc_.ReadOnlyReason()) return true;
  if (explain_->toPlainText().trimmed() == ToQt(storedExplanation_)) return true;
  switch (ui_.AskYesNoCancel("Save the explanation of the W-3c you typed?")) {
    case Answer::Cancel: return false;
    case Answer::No:
      explain_->setPlainText(ToQt(storedExplanation_));
      return true;
    case Answer::Yes: break;
  }
  OnSaveExplanation();
  return explain_->toPlainText().trimmed() == ToQt(storedExplanation_);
}

void CW2cView::OnSaveExplanation() {
  const auto typed = Typed(explain_->toPlainText().trimmed(), ui_);
  if (!typed) return;
  const std::string& text = *typed;
  std::string problem;
  if (SetW3cExplanation(doc_, text, problem) != 0) {
    ui_.ShowError(problem);
    return;
  }
  storedExplanation_ = text;
  const std::string notice = W3cExplanationFitNotice(text);
  explainNote_->setText(ToQt(notice));
  if (!notice.empty()) ui_.ShowMessage(notice);
}

}  // namespace formet
