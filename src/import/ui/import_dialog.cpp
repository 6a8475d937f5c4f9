#include "import/ui/import_dialog.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QComboBox>
#include <QDir>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include "import/form1099_import.h"
#include "import/w2_import.h"
#include "kit/ui/help.h"
#include "kit/ui/qt_text.h"
#include "store/global_doc.h"

namespace formet {
namespace {

const QColor kHeaderRowColour(215, 215, 255);
// Values whose rows are left out, and the rows that cannot be read.
const QColor kBadCellColour(255, 222, 222);

// Reports use CR LF between lines; the box wants LF.
QString BoxText(const std::string& win1252) {
  QString text = ToQt(win1252);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

// ---- the preview --------------------------------------------------------------------

ImportTableModel::ImportTableModel(const ImportSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

int ImportTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(session_.Table().RowCount());
}

int ImportTableModel::columnCount(const QModelIndex& parent) const {
  const size_t columns = session_.Table().ColumnCount();
  return parent.isValid() || columns == 0 ? 0 : static_cast<int>(columns) + 1;
}

QVariant ImportTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto row = static_cast<size_t>(index.row());
  if (role == Qt::BackgroundRole && row == 0) return kHeaderRowColour;
  if (index.column() == 0) {
    // The label of a row that will not be loaded is marked too.
    const RowProblem* problem = row > 0 ? session_.Table().RowProblemAt(row) : nullptr;
    switch (role) {
      case Qt::DisplayRole: return row == 0 ? tr("Header") : QString::number(row);
      case Qt::BackgroundRole: return problem ? kBadCellColour : QColor(Qt::white);
      case Qt::ForegroundRole: return problem ? QVariant(QColor(Qt::red)) : QVariant();
      case Qt::ToolTipRole: return problem ? ToQt(session_.Table().RowProblemMessage(*problem)) : QVariant();
      default: return {};
    }
  }
  const auto column = static_cast<size_t>(index.column() - 1);
  const CellMark mark = session_.MarkOf(row, column);
  switch (role) {
    case Qt::DisplayRole: {
      QString text;
      if (mark.kind == CellMark::Kind::Refused) {
        text = QString::fromUtf8(session_.Table().Original(row, column));
      } else {
        std::string_view cell = session_.Table().Cell(row, column);
        // An amount column shows what will be stored.
        const int field = row > 0 && mark.kind == CellMark::Kind::None ? session_.FieldOfColumn(column) : -1;
        text = field >= 0 ? ToQt(session_.Flavour().StoredText(field, cell.substr(0, kCheckedCellLength)))
                          : ToQt(std::string(cell.substr(0, kShownCharacters)));
      }
      if (text.size() > kShownCharacters) text = text.left(kShownCharacters) + QChar(0x2026);
      return text;
    }
    case Qt::ForegroundRole:
      if (mark.kind != CellMark::Kind::None) return QColor(Qt::red);
      return {};
    case Qt::BackgroundRole:
      return mark.kind == CellMark::Kind::Bad || mark.kind == CellMark::Kind::BadRow ? kBadCellColour
                                                                                     : QColor(Qt::white);
    case Qt::ToolTipRole: {
      if (mark.kind != CellMark::Kind::None) return ToQt(mark.reason);
      const int field = row > 0 ? session_.FieldOfColumn(column) : -1;
      if (field < 0) return {};
      const std::string_view cell = session_.Table().Cell(row, column);
      const std::string stored = session_.Flavour().StoredText(field, cell.substr(0, kCheckedCellLength));
      if (stored == cell) return {};
      return tr("In the file: %1").arg(ToQt(std::string(cell.substr(0, kShownCharacters))));
    }
    default: return {};
  }
}

QVariant ImportTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0) return QAbstractTableModel::headerData(section, orientation, role);
  const bool assigned = section > 0 && session_.FieldOfColumn(static_cast<size_t>(section - 1)) >= 0;
  switch (role) {
    case Qt::DisplayRole:
      return section == 0 ? QStringLiteral(" ") : ToQt(session_.ColumnHeader(static_cast<size_t>(section - 1)));
    case Qt::ToolTipRole:
      if (section == 0) return {};
      return assigned ? ToQt(session_.ColumnHeader(static_cast<size_t>(section - 1)))
                      : tr("Unused: click to choose the field this column holds.");
    case Qt::FontRole: {
      if (!assigned) return {};
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    default: return QAbstractTableModel::headerData(section, orientation, role);
  }
}

void ImportTableModel::Reset() {
  beginResetModel();
  endResetModel();
}

void ImportTableModel::HeadersChanged() {
  if (columnCount() == 0) return;
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

// ---- reports ----------------------------------------------------------------------------

CReportDialog::CReportDialog(const QString& caption, const QString& top, const QString& report, bool errorIcon,
                             QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);
  auto* icon = new QLabel(this);
  const auto standard = errorIcon ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxInformation;
  icon->setPixmap(style()->standardIcon(standard).pixmap(32, 32));
  auto* text = new QLabel(top, this);
  text->setWordWrap(true);
  auto* head = new QHBoxLayout;
  head->addWidget(icon, 0, Qt::AlignTop);
  head->addSpacing(8);
  head->addWidget(text, 1);
  report_ = new QPlainTextEdit(report, this);
  report_->setReadOnly(true);
  report_->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(head);
  layout->addWidget(report_, 1);
  layout->addWidget(buttons);
  resize(720, 420);
}

QString CReportDialog::ReportText() const { return report_->toPlainText(); }

CVerifyFieldDialog::CVerifyFieldDialog(const std::string& fieldName, const std::string& report, QWidget* parent)
    : CReportDialog(tr("Error"),
                    ToQt("The data in this column can't be used as \"" + fieldName + "\" data.") + "\n" +
                        tr("The following errors were detected:"),
                    BoxText(report).trimmed(), true, parent) {}

// ---- the dialog -----------------------------------------------------------------------

CImportDialog::CImportDialog(ImportFlavour& flavour, SettingsStore& settings, QWidget* parent, UiServices* ui)
    : QDialog(parent), session_(flavour), settings_(settings), ui_(ui) {
  setWindowTitle(ToQt(flavour.Caption()));

  // Step one.
  delimiters_ = new QComboBox(this);
  for (const auto& d : kDelimiterChoices) delimiters_->addItem(tr(d.name), QString::fromLatin1(d.box));
  qualifiers_ = new QComboBox(this);
  for (const auto& q : kQualifierChoices) qualifiers_->addItem(tr(q.name), QString::fromLatin1(q.box));
  delimiterBox_ = new QLineEdit(QString::fromLatin1(kDelimiterChoices[0].box), this);
  qualifierBox_ = new QLineEdit(QString::fromLatin1(kQualifierChoices[0].box), this);
  for (auto* box : {delimiterBox_, qualifierBox_}) {
    box->setReadOnly(true);
    box->setFixedWidth(48);
    box->setAlignment(Qt::AlignCenter);
  }
  auto* stepOne = new QGroupBox(tr("Step One: Set Separator Options"), this);
  auto* one = new QHBoxLayout(stepOne);
  one->addWidget(new QLabel(tr("Fields are separated by:"), stepOne));
  one->addWidget(delimiters_);
  one->addWidget(delimiterBox_);
  one->addSpacing(24);
  one->addWidget(new QLabel(tr("Text is delimited (enclosed) by:"), stepOne));
  one->addWidget(qualifiers_);
  one->addWidget(qualifierBox_);
  one->addStretch(1);

  // Step two.
  file_ = new QLineEdit(this);
  file_->setReadOnly(true);
  auto* browse = new QPushButton(tr("Browse..."), this);
  auto* stepTwo = new QGroupBox(tr("Step Two: Set Input Text or CSV File"), this);
  auto* two = new QHBoxLayout(stepTwo);
  two->addWidget(new QLabel(tr("File:"), stepTwo));
  two->addWidget(file_, 1);
  two->addWidget(browse);

  // Step three.
  auto* stepThree = new QGroupBox(tr("Steps Three: Set Fields (Columns)"), this);
  auto* note = new QLabel(QString::fromUtf8("Define each field by clicking on the column headers. The default for "
                                            "each field is \xE2\x80\x9CUnused\xE2\x80\x9D, which means the field "
                                            "will be ignored during the import process."),
                          stepThree);
  note->setWordWrap(true);
  auto* headerInfo = new QGroupBox(tr("Header Information"), stepThree);
  auto* headerText = new QLabel(
      tr("The first row is expected to include header information and NOT data. The header should contain names "
         "corresponding to the fields") +
          " " +
          tr("(columns) in the file and should contain the same number of fields(columns) as the records in the rest "
             "of the CSV file. "),
      headerInfo);
  headerText->setWordWrap(true);
  (new QVBoxLayout(headerInfo))->addWidget(headerText);
  model_ = new ImportTableModel(session_, this);
  table_ = new QTableView(stepThree);
  table_->setModel(model_);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  // 80 and 50 units of the original font: wide enough for a social security
  // number, and for the "Header" label.
  const QFontMetrics metrics = table_->fontMetrics();
  table_->horizontalHeader()->setDefaultSectionSize(
      std::max(80, metrics.horizontalAdvance(QStringLiteral("000-00-00000"))));
  table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table_->horizontalHeader()->setTextElideMode(Qt::ElideRight);
  labelWidth_ = std::max(50, metrics.horizontalAdvance(tr("Header")) + 14);
  table_->horizontalHeader()->setHighlightSections(false);
  table_->horizontalHeader()->setSectionsClickable(true);
  table_->horizontalHeader()->setToolTip(tr("Click a column's header to choose the field it holds."));
  table_->setShowGrid(true);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setWordWrap(false);
  table_->setMinimumHeight(220);
  status_ = new QLabel(stepThree);
  status_->setWordWrap(true);
  auto* three = new QVBoxLayout(stepThree);
  three->addWidget(note);
  three->addWidget(headerInfo);
  three->addWidget(table_, 1);
  three->addWidget(status_);

  goodRowsOnly_ = new QCheckBox(tr("&Load the good rows only: leave out the rows whose values cannot be used, "
                                   "and list them"),
                                this);
  goodRowsOnly_->setToolTip(tr("Without it, a column with a value its field cannot use is refused, and a file with "
                               "rows that cannot be read is not imported."));
  import_ = new QPushButton(tr("Import"), this);
  import_->setEnabled(false);
  auto* close = new QPushButton(tr("Close"), this);
  help_ = new QPushButton(tr("Help"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(goodRowsOnly_);
  buttons->addStretch(1);
  buttons->addWidget(import_);
  buttons->addWidget(close);
  buttons->addWidget(help_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(stepOne);
  layout->addWidget(stepTwo);
  layout->addWidget(stepThree, 1);
  layout->addLayout(buttons);
  resize(900, 640);
  UpdateStatus();

  connect(delimiters_, &QComboBox::currentIndexChanged, this, [this] {
    delimiterBox_->setText(delimiters_->currentData().toString());
    if (!session_.Path().empty()) ReadFile();
  });
  connect(qualifiers_, &QComboBox::currentIndexChanged, this, [this] {
    qualifierBox_->setText(qualifiers_->currentData().toString());
    if (!session_.Path().empty()) ReadFile();
  });
  connect(browse, &QPushButton::clicked, this, &CImportDialog::Browse);
  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    auto* header = table_->horizontalHeader();
    const QPoint under(header->sectionViewportPosition(column), header->height());
    ShowFieldMenu(column, header->viewport()->mapToGlobal(under));
  });
  // The same menu from a cell: right click, or the menu key on the current cell.
  table_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(table_, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
    const QModelIndex cell = table_->indexAt(at).isValid() ? table_->indexAt(at) : table_->currentIndex();
    ShowFieldMenu(cell.column(), table_->viewport()->mapToGlobal(at));
  });
  connect(import_, &QPushButton::clicked, this, &CImportDialog::Import);
  connect(goodRowsOnly_, &QCheckBox::toggled, this, &CImportDialog::SetGoodRowsOnly);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(help_, &QPushButton::clicked, this,
          [this] { OpenHelpPage(ToQt(session_.Flavour().HelpFile()), this); });
}

CImportDialog::~CImportDialog() = default;

void CImportDialog::ShowMessage(const QString& text, bool errorIcon) {
  QMessageBox box(errorIcon ? QMessageBox::Critical : QMessageBox::NoIcon, ToQt(kApplicationTitle), text,
                  QMessageBox::Ok, this);
  box.exec();
}

void CImportDialog::Browse() {
  const QString start = file_->text().isEmpty() ? folder_ : QFileInfo(file_->text()).absolutePath();
  const QString path = QFileDialog::getOpenFileName(
      this, tr("Open"), start, tr("Comma Separated Values (*.csv);;Text (*.txt);;All Files (*)"), nullptr,
      QFileDialog::ReadOnly);
  if (!path.isEmpty()) OpenFile(path);
}

void CImportDialog::OpenFile(const QString& path) {
  file_->setText(QDir::toNativeSeparators(path));
  folder_ = QFileInfo(path).absolutePath();
  session_.SetPath(std::filesystem::path(path.toStdString()));
  ReadFile();
}

void CImportDialog::ReadFile() {
  session_.SetDelimiterBox(FromQt(delimiterBox_->text()));
  session_.SetQualifierBox(FromQt(qualifierBox_->text()));
  std::optional<ReadResult> result;
  {
    WaitCursor wait;
    result = session_.Read();
    model_->Reset();
    table_->setColumnWidth(0, labelWidth_);
  }
  import_->setEnabled(session_.CanImport());
  UpdateStatus();
  if (!result) return;
  if (!result->message.empty()) ShowMessage(ToQt(result->message), result->errorIcon);
  if (result->HasTable()) OfferAssignments();
}

void CImportDialog::OfferAssignments() {
  const auto remembered = session_.RememberedAssignment(settings_);
  if (!remembered.empty()) {
    if (QMessageBox::question(this, windowTitle(),
                              tr("This file has the same header line as the file you imported last time. Assign "
                                 "its columns to the same fields again?\n\nEach column is checked as it is "
                                 "assigned; you can change any of them by clicking its header.")) == QMessageBox::Yes)
      AssignMany(remembered);
    return;
  }
  const auto matching = session_.MatchingHeaders();
  if (matching.empty()) return;
  const QString example = ToQt(session_.Catalogue().Name(matching.front().field));
  const QString question =
      matching.size() == 1
          ? tr("The header of one column names the field \"%1\". Assign that field to it now?").arg(example)
          : tr("The headers of %1 columns name import fields (such as \"%2\"). Assign those fields to them now?")
                .arg(matching.size())
                .arg(example);
  if (QMessageBox::question(this, windowTitle(),
                            question + "\n\n" + tr("Each column is checked as it is assigned; you can change any "
                                                   "of them by clicking its header.")) == QMessageBox::Yes)
    AssignMany(matching);
}

void CImportDialog::AssignMany(const std::vector<ColumnField>& pairs) {
  std::string refused;
  size_t assigned = 0, count = 0;
  {
    WaitCursor wait;
    for (const auto& p : pairs) {
      const auto a = session_.Assign(p.column, p.field);
      if (a.outcome == ImportSession::Assignment::Outcome::Assigned) {
        ++assigned;
        continue;
      }
      if (a.outcome != ImportSession::Assignment::Outcome::Refused) continue;
      ++count;
      if (!refused.empty()) refused += "\r\n\r\n" + std::string(60, '=');
      refused += "\r\n\r\nColumn " + std::to_string(p.column + 1) + " (\"" +
                 std::string(session_.Table().Cell(0, p.column)) + "\") can't be used as \"" +
                 session_.Catalogue().Name(p.field) + "\" data:" + a.report;
    }
  }
  model_->HeadersChanged();
  UpdateStatus();
  if (count > 0)
    CReportDialog(tr("Error"),
                  tr("%1 of %2 columns were assigned. These columns can't be used as the fields their headers name; "
                     "they stay \"Unused\":")
                      .arg(assigned)
                      .arg(pairs.size()),
                  BoxText(refused).trimmed(), true, this)
        .exec();
}

QMenu* CImportDialog::FieldMenu(int column) {
  auto* menu = new QMenu(this);
  const auto& catalogue = session_.Catalogue();
  const std::string& header = session_.ColumnHeader(static_cast<size_t>(column - 1));
  const auto& groups = catalogue.Groups();
  // The groups in the order opposite to the one they were added in.
  for (auto g = groups.rbegin(); g != groups.rend(); ++g) {
    QMenu* sub = menu->addMenu(ToQt(g->name));
    for (int f = g->first; f < g->first + g->count; ++f) {
      QAction* action = sub->addAction(ToQt(catalogue.Name(f)));
      action->setData(f);
      if (catalogue.Name(f) == header) {
        action->setCheckable(true);
        action->setChecked(true);
      }
    }
  }
  menu->addSeparator();
  menu->addAction(tr("Unused"))->setData(-1);
  return menu;
}

void CImportDialog::ShowFieldMenu(int column, const QPoint& at) {
  if (column < 1) return;
  std::unique_ptr<QMenu> menu(FieldMenu(column));
  if (QAction* chosen = menu->exec(at)) ChooseField(column, chosen->data().toInt());
}

void CImportDialog::ChooseField(int column, int field) {
  if (column < 1) return;
  const auto fileColumn = static_cast<size_t>(column - 1);
  if (field < 0) {
    session_.SetUnused(fileColumn);
  } else {
    ImportSession::Assignment a;
    {
      WaitCursor wait;
      a = session_.Assign(fileColumn, field);
    }
    if (a.outcome == ImportSession::Assignment::Outcome::AlreadyUsed) {
      QMessageBox::critical(this, tr("Error"), ToQt(a.message));
    } else if (a.outcome == ImportSession::Assignment::Outcome::Refused) {
      CVerifyFieldDialog(session_.Catalogue().Name(field), a.report, this).exec();
    }
  }
  model_->HeadersChanged();
  UpdateStatus();
}

void CImportDialog::SetGoodRowsOnly(bool on) {
  const auto unassigned = session_.SetSkipBadRows(on);
  model_->HeadersChanged();
  UpdateStatus();
  if (unassigned.empty()) return;
  QStringList columns;
  for (size_t c : unassigned)
    columns << tr("column %1 (\"%2\")").arg(c + 1).arg(ToQt(session_.Table().Printable(0, c)));
  QMessageBox::information(
      this, windowTitle(),
      tr("These columns hold values their fields cannot use, so they are \"Unused\" again: %1.\n\nAssign them "
         "again to see the errors.")
          .arg(columns.join(QStringLiteral(", "))));
}

void CImportDialog::Import() {
  if (!session_.CanImport()) return;
  if (const auto missing = session_.UnmappedRequiredFields(); !missing.empty()) {
    QMessageBox::warning(this, windowTitle(), ToQt(UnmappedRequiredMessage(session_.Flavour(), missing)));
    return;
  }
  const ImportOutcome outcome = session_.Import(ui_);
  if (outcome.cancelled) {
    // Nothing was loaded: the dialog stays as it was, unless the file could
    // not be read again as it was.
    if (!outcome.refusal.empty()) {
      QMessageBox::warning(this, windowTitle(), ToQt(outcome.refusal));
      ReadFile();
    }
    return;
  }
  const QString summary = BoxText(session_.Summary(outcome));
  if (!outcome.ran) {
    if (outcome.leftOut > 0) {
      // Every row was bad: the list tells why.
      const qsizetype split = summary.indexOf(QStringLiteral("\n\n"));
      CReportDialog(windowTitle(), summary.left(split), summary.mid(split + 2), true, this).exec();
    } else if (!outcome.refusal.empty()) {
      QMessageBox::warning(this, windowTitle(), ToQt(outcome.refusal));
    }
    return;
  }
  session_.RememberAssignment(settings_);
  const bool failed = outcome.saveCode != 0;
  if (outcome.dropped.empty() && outcome.leftOut == 0 && !failed) {
    QMessageBox::information(this, windowTitle(), summary);
  } else {
    const qsizetype split = summary.indexOf(QStringLiteral("\n\n"));
    CReportDialog(windowTitle(), summary.left(split), summary.mid(split + 2), failed, this).exec();
  }
  // The rows are in the company: importing the file again would only drop them.
  accept();
}

void CImportDialog::UpdateStatus() {
  const ImportTable& table = session_.Table();
  if (!session_.CanImport()) {
    status_->setText(tr("Choose the separators, then the file to import with \"Browse...\"."));
    return;
  }
  QString text = tr("%L1 rows of data and %L2 columns read.").arg(table.DataRowCount()).arg(table.ColumnCount());
  if (table.RefusedCount() > 0)
    text += " " + tr("%L1 values hold characters that cannot be stored (shown in red).").arg(table.RefusedCount());
  const size_t leftOut = session_.RowsToLeaveOut();
  const auto rows = [](size_t n) { return n == 1 ? tr("1 row") : tr("%L1 rows").arg(n); };
  if (session_.SkipBadRows() && leftOut > 0)
    text += " " + tr("%1 will be left out for values that cannot be used (marked in red).").arg(rows(leftOut));
  else if (!table.RowProblems().empty())
    text += " " + tr("%1 cannot be read as the header lays out the columns (marked in red): to import the others, "
                     "choose to load the good rows only.")
                      .arg(rows(table.RowProblems().size()));
  if (const size_t unpaired = session_.RowsWithUnpairedValues(); unpaired > 0 && !session_.SkipBadRows())
    text += " " + (unpaired == 1 ? tr("1 row holds values that do not go together (marked in red), such as a box "
                                      "12 code without its amount: to import the others, choose to load the good "
                                      "rows only.")
                                 : tr("%L1 rows hold values that do not go together (marked in red), such as a box "
                                      "12 code without its amount: to import the others, choose to load the good "
                                      "rows only.")
                                       .arg(unpaired));
  const auto missing = session_.UnmappedRequiredFields();
  if (missing.empty()) {
    text += " " + tr("Every required field has a column: click \"Import\" to load the rows.");
  } else {
    QStringList names;
    for (int f : missing) names << "\"" + ToQt(session_.Catalogue().Name(f)) + "\"";
    text += " " + tr("Still needed: %1.").arg(names.join(QStringLiteral(", ")));
  }
  status_->setText(text);
}

// ---- the menu commands ------------------------------------------------------------------

void RunImportDialog(ImportKind kind, CGlobalDoc& doc, UiServices& ui, SettingsStore& settings, QWidget* parent,
                     W2ListObserver* w2Page, Form1099ListObserver* formPage) {
  std::unique_ptr<ImportFlavour> flavour;
  if (kind == ImportKind::W2) flavour = std::make_unique<W2ImportFlavour>(doc, ui, w2Page);
  else flavour = std::make_unique<Form1099ImportFlavour>(doc, ui, formPage);
  CImportDialog dialog(*flavour, settings, parent, &ui);
  dialog.exec();
}

}  // namespace formet
