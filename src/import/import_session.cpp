#include "import/import_session.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "store/global_doc.h"
#include "store/settings_store.h"
#include "store/ui_services.h"

namespace formet {
namespace {

// A header or field name without case, spaces and punctuation: its letters
// and digits, ASCII letters in lower case.
std::string Squeezed(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 'A' && c <= 'Z') out += static_cast<char>(c - 'A' + 'a');
    else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += static_cast<char>(c);
    // Letters of the code page: the accented ones and the few in 0x8A-0x9F.
    else if ((c >= 0xC0 && c != 0xD7 && c != 0xF7) || c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A ||
             c == 0x9C || c == 0x9E || c == 0x9F)
      out += static_cast<char>(c);
  }
  return out;
}

}  // namespace

// ---- the catalogue ------------------------------------------------------------------

bool FieldCatalogue::AddField(std::string name) {
  if (fields_.size() >= kMaxFields || std::find(fields_.begin(), fields_.end(), name) != fields_.end()) return false;
  fields_.push_back(std::move(name));
  return true;
}

int FieldCatalogue::Find(std::string_view name) const {
  for (size_t f = 0; f < fields_.size(); ++f)
    if (fields_[f] == name) return static_cast<int>(f);
  const std::string squeezed = Squeezed(name);
  if (squeezed.empty()) return -1;
  for (size_t f = 0; f < fields_.size(); ++f)
    if (Squeezed(fields_[f]) == squeezed) return static_cast<int>(f);
  return -1;
}

bool FieldCatalogue::AddGroup(std::string name, int first, int count) {
  if (groups_.size() >= kMaxGroups || first < 0 || count < 0 ||
      static_cast<size_t>(first) + static_cast<size_t>(count) > fields_.size())
    return false;
  groups_.push_back({std::move(name), first, count});
  return true;
}

std::string ImportFlavour::CheckColumn(int field, const ImportColumn& column) {
  ErrorReport report;
  CheckValues(field, column, report);
  return report.Text();
}

void ImportFlavour::StartLoad(CGlobalDoc& doc) {
  loading_ = &doc;
  mark_ = doc.MarkChanges();
}

void ImportFlavour::CancelLoad() {
  if (!loading_) return;
  loading_->DropChangesSince(mark_);
  LoadDropped();
  loading_->RefreshAllViews();
  loading_ = nullptr;
}

int ImportFlavour::SaveAndRefresh(CGlobalDoc& doc, UiServices& ui) {
  ui.BeginWaitCursor();
  const int code = doc.SaveChanges(saveProgress_);
  doc.RefreshAllViews();
  ui.EndWaitCursor();
  return code;
}

std::string GroupedCount(size_t count) {
  const std::string digits = std::to_string(count);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

// ---- messages -------------------------------------------------------------------------

std::string AlreadyUsedMessage(const std::string& fieldName) {
  return fieldName + " is already used, please pick a different field.";
}

std::string UnmappedRequiredMessage(const ImportFlavour& flavour, const std::vector<int>& fields) {
  if (fields.empty()) return {};
  const auto& catalogue = flavour.Catalogue();
  if (fields.size() == 1)
    return "Please assign the required field \"" + catalogue.Name(fields[0]) +
           "\" to a column before importing: click the header of the column that holds it.";
  std::string text = "Please assign these required fields to columns before importing: click the header of the "
                     "column that holds each.\n";
  for (int f : fields) text += "\n\"" + catalogue.Name(f) + "\"";
  return text;
}

// ---- reading ----------------------------------------------------------------------

std::optional<ReadResult> ImportSession::Read() {
  if (path_.empty()) return std::nullopt;
  if (Catalogue().Size() == 0) {
    ReadResult none;
    none.message = "No fields defined, nothing will be imported.";
    return none;
  }
  mapping_.assign(Catalogue().Size(), -1);
  headers_.clear();
  ForgetBadCells();
  pairRows_.assign(flavour_.Pairs().size(), {});
  pairStale_.assign(flavour_.Pairs().size(), false);
  canImport_ = false;
  readPath_ = path_;
  readDelimiter_ = DelimiterFromBox(delimiterBox_);
  readQualifier_ = QualifierFromBox(qualifierBox_);
  std::error_code ec;
  readSize_ = std::filesystem::file_size(path_, ec);
  readTime_ = std::filesystem::last_write_time(path_, ec);
  ReadResult result = ReadDelimitedFile(path_, readDelimiter_, readQualifier_, table_);
  if (result.HasTable()) {
    headers_.assign(table_.ColumnCount(), kUnused);
    badCells_.resize(table_.ColumnCount());
    canImport_ = true;
  }
  return result;
}

bool ImportSession::RestoreTable() {
  if (!table_.HasReleased()) return true;
  std::error_code sizeError, timeError;
  const auto size = std::filesystem::file_size(readPath_, sizeError);
  const auto time = std::filesystem::last_write_time(readPath_, timeError);
  if (sizeError || timeError || size != readSize_ || time != readTime_) return false;
  ImportTable again;
  const ReadResult read = ReadDelimitedFile(readPath_, readDelimiter_, readQualifier_, again);
  if (!read.HasTable() || again.RowCount() != table_.RowCount() || again.ColumnCount() != table_.ColumnCount() ||
      again.RefusedCount() != table_.RefusedCount() || again.RowProblems().size() != table_.RowProblems().size())
    return false;
  table_ = std::move(again);
  return true;
}

int ImportSession::ColumnOfField(int field) const {
  return Catalogue().Contains(field) && static_cast<size_t>(field) < mapping_.size()
             ? mapping_[static_cast<size_t>(field)]
             : -1;
}

int ImportSession::FieldOfColumn(size_t column) const {
  for (size_t f = 0; f < mapping_.size(); ++f)
    if (mapping_[f] == static_cast<int>(column)) return static_cast<int>(f);
  return -1;
}

// ---- assigning ------------------------------------------------------------------------

ImportColumn ImportSession::ColumnValues(size_t column) const { return ColumnOfTable(table_, column); }

// The messages of bad values hold the value, most of them: it is kept once in
// the table, and each message once with a mark in its place.
constexpr char kValueMark = '\x01';

uint32_t ImportSession::MessageId(std::string_view message, std::string_view value) {
  std::string key(message);
  if (!value.empty()) {
    const size_t at = key.find(value);
    if (at != std::string::npos) key.replace(at, value.size(), 1, kValueMark);
  }
  const auto [it, added] = messageIds_.try_emplace(key, static_cast<uint32_t>(messages_.size()));
  if (added) messages_.push_back(std::move(key));
  return it->second;
}

std::string ImportSession::Message(uint32_t id, std::string_view value) const {
  std::string text = messages_[id];
  const size_t at = text.find(kValueMark);
  if (at != std::string::npos) text.replace(at, 1, value);
  return text;
}

void ImportSession::ForgetBadCells() {
  for (auto& cells : badCells_) {
    cells.clear();
    cells.shrink_to_fit();
  }
  messages_.clear();
  messageIds_.clear();
}

ImportSession::Assignment ImportSession::Assign(size_t column, int field) {
  Assignment result;
  if (column >= headers_.size() || !Catalogue().Contains(field)) return result;
  const std::string& name = Catalogue().Name(field);
  if (std::find(headers_.begin(), headers_.end(), name) != headers_.end()) {
    result.outcome = Assignment::Outcome::AlreadyUsed;
    result.message = AlreadyUsedMessage(name);
    return result;
  }
  if (!RestoreTable()) {
    result.outcome = Assignment::Outcome::Refused;
    result.report = kFileChangedSinceRead;
    return result;
  }
  const ImportColumn values = ColumnValues(column);
  std::vector<BadCell> bad;
  ErrorReport::Sink sink;
  if (skipBadRows_) {
    sink = [&](size_t row, std::string_view message) {
      bad.push_back({static_cast<uint32_t>(row), MessageId(message, values.values[row - 1])});
    };
  }
  ErrorReport report(std::move(sink));
  flavour_.CheckValues(field, values, report);
  result.report = report.Text();
  if (!result.report.empty() && !skipBadRows_) {
    result.outcome = Assignment::Outcome::Refused;
    return result;
  }
  headers_[column] = name;
  const int before = FieldOfColumn(column);
  for (int& c : mapping_)
    if (c == static_cast<int>(column)) c = -1;
  mapping_[static_cast<size_t>(field)] = static_cast<int>(column);
  std::stable_sort(bad.begin(), bad.end(), [](const BadCell& a, const BadCell& b) { return a.row < b.row; });
  bad.shrink_to_fit();
  badCells_[column] = std::move(bad);
  if (before >= 0) ColumnOfPairChanged(before);
  ColumnOfPairChanged(field);
  result.badRows = BadRowsOfColumn(column);
  result.outcome = Assignment::Outcome::Assigned;
  return result;
}

std::vector<size_t> ImportSession::SetSkipBadRows(bool skip) {
  std::vector<size_t> unassigned;
  skipBadRows_ = skip;
  if (skip) return unassigned;
  for (size_t c = 0; c < badCells_.size(); ++c) {
    if (badCells_[c].empty()) continue;
    SetUnused(c);
    unassigned.push_back(c);
  }
  return unassigned;
}

size_t ImportSession::BadRowsOfColumn(size_t column) const {
  if (column >= badCells_.size()) return 0;
  size_t rows = 0;
  uint32_t last = 0;
  for (const BadCell& cell : badCells_[column]) {
    if (cell.row != last) ++rows;
    last = cell.row;
  }
  return rows;
}

CellMark ImportSession::MarkOf(size_t row, size_t column) const {
  CellMark mark;
  if (table_.IsRefused(row, column)) {
    mark.kind = CellMark::Kind::Refused;
    mark.reason = table_.RefusedReason(row, column);
    return mark;
  }
  if (const RowProblem* problem = row > 0 ? table_.RowProblemAt(row) : nullptr) {
    mark.kind = CellMark::Kind::BadRow;
    mark.reason = table_.RowProblemMessage(*problem);
    return mark;
  }
  if (column < badCells_.size() && !badCells_[column].empty()) {
    const auto& cells = badCells_[column];
    auto it = std::lower_bound(cells.begin(), cells.end(), row,
                               [](const BadCell& c, size_t r) { return c.row < r; });
    const std::string_view value = table_.Cell(row, column).substr(0, kCheckedCellLength);
    for (; it != cells.end() && it->row == row; ++it) {
      mark.kind = CellMark::Kind::Bad;
      if (!mark.reason.empty()) mark.reason += "\n";
      mark.reason += Message(it->message, value);
    }
  }
  // Both values of a pair that do not go together.
  const int field = row > 0 ? FieldOfColumn(column) : -1;
  const auto pairs = flavour_.Pairs();
  for (size_t p = 0; field >= 0 && p < pairs.size() && p < pairRows_.size(); ++p) {
    if ((pairs[p].first != field && pairs[p].second != field) || !PairFails(p, row)) continue;
    mark.kind = CellMark::Kind::Bad;
    if (!mark.reason.empty()) mark.reason += "\n";
    mark.reason += ValuesOfPair(p, row).problem.value_or("");
  }
  return mark;
}

void ImportSession::SetUnused(size_t column) {
  if (column >= headers_.size()) return;
  headers_[column] = kUnused;
  badCells_[column].clear();
  badCells_[column].shrink_to_fit();
  const int before = FieldOfColumn(column);
  for (int& c : mapping_)
    if (c == static_cast<int>(column)) c = -1;
  if (before >= 0) ColumnOfPairChanged(before);
}

// ---- values that go together ------------------------------------------------------------

bool ImportSession::IsBadCell(size_t column, size_t row) const {
  if (column >= badCells_.size()) return false;
  const auto& cells = badCells_[column];
  const auto it = std::lower_bound(cells.begin(), cells.end(), row,
                                   [](const BadCell& c, size_t r) { return c.row < r; });
  return it != cells.end() && it->row == row;
}

ImportSession::PairValues ImportSession::ValuesOfPair(size_t pair, size_t row) const {
  const FieldPair& fields = flavour_.Pairs()[pair];
  const int first = ColumnOfField(fields.first), second = ColumnOfField(fields.second);
  PairValues values;
  if (first >= 0) values.first = table_.Cell(row, static_cast<size_t>(first)).substr(0, kCheckedCellLength);
  if (second >= 0) values.second = table_.Cell(row, static_cast<size_t>(second)).substr(0, kCheckedCellLength);
  // Rows whose values stand together are most rows: they need no check.
  if (values.first.empty() && values.second.empty()) return values;
  values.problem = flavour_.PairProblem(pair, values.first, values.second);
  // The value the problem is about: the one given (a code without amount,
  // an amount without code), the first when both are.
  const bool firstNamed = !values.first.empty();
  values.column = static_cast<size_t>(firstNamed ? first : second);
  values.named = firstNamed ? values.first : values.second;
  return values;
}

const std::vector<uint32_t>& ImportSession::PairRows(size_t pair) const {
  auto& rows = pairRows_[pair];
  if (!pairStale_[pair]) return rows;
  pairStale_[pair] = false;
  rows.clear();
  const FieldPair& fields = flavour_.Pairs()[pair];
  const int first = ColumnOfField(fields.first), second = ColumnOfField(fields.second);
  if (first >= 0 || second >= 0) {
    const auto refused = [&](int column, size_t row) {
      return column >= 0 && (table_.IsRefused(row, static_cast<size_t>(column)) ||
                             IsBadCell(static_cast<size_t>(column), row));
    };
    for (size_t r = 1; r <= table_.DataRowCount(); ++r) {
      // A row left out already for a value of its own is not listed again.
      if (table_.RowProblemAt(r) || refused(first, r) || refused(second, r)) continue;
      if (ValuesOfPair(pair, r).problem) rows.push_back(static_cast<uint32_t>(r));
    }
  }
  rows.shrink_to_fit();
  return rows;
}

void ImportSession::ColumnOfPairChanged(int field) {
  const auto pairs = flavour_.Pairs();
  for (size_t p = 0; p < pairs.size() && p < pairRows_.size(); ++p)
    if (pairs[p].first == field || pairs[p].second == field) pairStale_[p] = true;
}

bool ImportSession::PairFails(size_t pair, size_t row) const {
  const auto& rows = PairRows(pair);
  return std::binary_search(rows.begin(), rows.end(), static_cast<uint32_t>(row));
}

void ImportSession::ForEachPairProblem(const std::function<bool(const LeftOutRow&)>& each) const {
  std::vector<const std::vector<uint32_t>*> pairs;
  for (size_t p = 0; p < pairRows_.size(); ++p) pairs.push_back(&PairRows(p));
  std::vector<size_t> next(pairs.size(), 0);
  for (;;) {
    size_t row = static_cast<size_t>(-1);
    for (size_t p = 0; p < pairs.size(); ++p)
      if (next[p] < pairs[p]->size()) row = std::min<size_t>(row, (*pairs[p])[next[p]]);
    if (row == static_cast<size_t>(-1)) return;
    for (size_t p = 0; p < pairs.size(); ++p) {
      if (next[p] >= pairs[p]->size() || (*pairs[p])[next[p]] != row) continue;
      ++next[p];
      PairValues values = ValuesOfPair(p, row);
      LeftOutRow left;
      left.row = row;
      left.column = values.column;
      left.value = std::string(values.named);
      left.reason = values.problem.value_or("");
      if (!each(left)) return;
    }
  }
}

size_t ImportSession::RowsWithUnpairedValues() const {
  size_t rows = 0, last = 0;
  ForEachPairProblem([&](const LeftOutRow& left) {
    if (left.row != last) ++rows;
    last = left.row;
    return true;
  });
  return rows;
}

// ---- importing ------------------------------------------------------------------------

std::vector<int> ImportSession::UnmappedRequiredFields() const {
  std::vector<int> missing;
  for (int f : flavour_.RequiredFields())
    if (ColumnOfField(f) < 0) missing.push_back(f);
  std::sort(missing.begin(), missing.end());
  return missing;
}

std::vector<std::string> ImportSession::RowValues(size_t row) const {
  std::vector<std::string> values;
  RowValuesInto(row, values);
  return values;
}

void ImportSession::RowValuesInto(size_t row, std::vector<std::string>& values) const {
  values.resize(Catalogue().Size());
  for (size_t f = 0; f < values.size(); ++f) {
    if (f < mapping_.size() && mapping_[f] >= 0)
      values[f].assign(table_.Cell(row, static_cast<size_t>(mapping_[f])).substr(0, kCheckedCellLength));
    else
      values[f].clear();
  }
}

std::vector<bool> ImportSession::BadRows() const {
  std::vector<bool> bad(table_.DataRowCount() + 1, false);
  for (const RowProblem& p : table_.RowProblems()) bad[p.row] = true;
  for (const auto& cells : badCells_)
    for (const BadCell& cell : cells) bad[cell.row] = true;
  for (size_t p = 0; p < pairRows_.size(); ++p)
    for (uint32_t row : PairRows(p)) bad[row] = true;
  return bad;
}

size_t ImportSession::RowsToLeaveOut() const {
  if (table_.RowCount() == 0) return 0;
  const std::vector<bool> bad = BadRows();
  return static_cast<size_t>(std::count(bad.begin(), bad.end(), true));
}

ImportOutcome ImportSession::Import(UiServices* ui) {
  ImportOutcome outcome;
  if (!canImport_) {
    outcome.refusal = "Please choose the file to import first.";
    return outcome;
  }
  if (const auto missing = UnmappedRequiredFields(); !missing.empty()) {
    outcome.refusal = UnmappedRequiredMessage(flavour_, missing);
    return outcome;
  }
  if (!RestoreTable()) {
    outcome.refusal = kFileChangedSinceRead;
    return outcome;
  }
  const size_t rows = table_.DataRowCount();
  if (rows == 0) {
    outcome.refusal = "The file holds no rows below its header line: there is nothing to import.";
    return outcome;
  }
  const auto& problems = table_.RowProblems();
  if (!problems.empty() && !skipBadRows_) {
    outcome.refusal = "Nothing was imported: " +
                      (problems.size() == 1 ? std::string("a row") : GroupedCount(problems.size()) + " rows") +
                      " of the file cannot be read as its header line lays out the columns.";
    for (size_t i = 0; i < problems.size() && i < kMaxRowsNamed; ++i)
      outcome.refusal += "\nRow " + std::to_string(problems[i].row) + ": " + table_.RowProblemMessage(problems[i]);
    if (problems.size() > kMaxRowsNamed)
      outcome.refusal += "\n... and " + GroupedCount(problems.size() - kMaxRowsNamed) + " more.";
    outcome.refusal += std::string("\n") + kMendOrLoadGoodRows;
    return outcome;
  }
  if (const size_t unpaired = RowsWithUnpairedValues(); unpaired > 0 && !skipBadRows_) {
    outcome.refusal = "Nothing was imported: " +
                      (unpaired == 1 ? std::string("a row of the file holds values") : GroupedCount(unpaired) +
                                                                                      " rows of the file hold values") +
                      " that do not go together.";
    size_t named = 0, more = 0;
    ForEachPairProblem([&](const LeftOutRow& left) {
      if (named < kMaxRowsNamed) outcome.refusal += "\n" + LeftOutLine(left);
      else ++more;
      ++named;
      return true;
    });
    if (more > 0) outcome.refusal += "\n... and " + GroupedCount(more) + " more.";
    outcome.refusal += std::string("\n") + kMendOrLoadGoodRows;
    return outcome;
  }
  const std::vector<bool> bad = BadRows();
  size_t lastGood = 0;
  for (size_t r = 1; r <= rows; ++r)
    if (!bad[r]) lastGood = r;
  outcome.leftOut = static_cast<size_t>(std::count(bad.begin() + 1, bad.end(), true));
  if (lastGood == 0) {
    outcome.refusal = "Nothing was imported: every row of the file holds a value that cannot be used.";
    return outcome;
  }
  if (!flavour_.BeginLoad(rows - outcome.leftOut)) {
    outcome.leftOut = 0;
    return outcome;  // cancelled: nothing to say
  }
  outcome.ran = true;
  const std::unique_ptr<WorkProgress> progress =
      ui && rows > progressRows_ ? ui->BeginProgress(flavour_.Caption()) : nullptr;
  flavour_.SetSaveProgress(progress.get());
  const auto cancel = [&] {
    flavour_.SetSaveProgress(nullptr);
    flavour_.CancelLoad();
    ImportOutcome cancelled;
    cancelled.cancelled = true;
    // The dialog stays for another try: the rows let go of are read again.
    if (!RestoreTable()) {
      cancelled.refusal = kFileChangedSinceRead;
      canImport_ = false;
    }
    return cancelled;
  };
  std::vector<std::string> values;
  for (size_t r = 1; r <= rows; ++r) {
    // Cancel is heard before a row loads: the save comes with the last.
    if (progress && r % 512 == 1) {
      progress->Step(r - 1, rows, "Loading row " + GroupedCount(r) + " of " + GroupedCount(rows) + "...");
      if (progress->Cancelled()) return cancel();
    }
    if (!bad[r]) RowValuesInto(r, values);
    // The rows taken let go of their cells (those of rows left out are kept
    // for the list of them): the table is never held whole beside the
    // records made from it, and none of it while they are saved.
    if (r == lastGood) table_.ReleaseRowsThrough(rows, bad);
    else if ((r + 1) % ImportTable::kBlockRows == 0) table_.ReleaseRowsThrough(r, bad);
    if (!bad[r]) {
      // The save is asked for on the last row loaded, so that all are written in one save.
      const RowLoad load = flavour_.LoadRow(values, r == lastGood);
      if (load.added) ++outcome.added;
      else outcome.dropped.push_back({r, load.reason});
      if (r == lastGood) outcome.saveCode = load.saveCode;
    }
  }
  flavour_.SetSaveProgress(nullptr);
  if (outcome.saveCode == CGlobalDoc::kSaveCancelled) return cancel();
  return outcome;
}

void ImportSession::ForEachLeftOut(const ImportOutcome& outcome,
                                   const std::function<bool(const LeftOutRow&)>& each) const {
  // The sources, each in row order: the bad rows, the bad values of each
  // column, the rows the payee checks refused.
  const auto& problems = table_.RowProblems();
  size_t nextProblem = 0, nextDropped = 0;
  std::vector<size_t> next(badCells_.size(), 0);
  const bool withBad = outcome.leftOut > 0;
  // The pairs' problems, in row order.
  std::vector<LeftOutRow> unpaired;
  if (withBad)
    ForEachPairProblem([&](const LeftOutRow& left) {
      unpaired.push_back(left);
      return true;
    });
  size_t nextUnpaired = 0;
  for (;;) {
    size_t row = static_cast<size_t>(-1);
    if (withBad && nextProblem < problems.size()) row = std::min<size_t>(row, problems[nextProblem].row);
    if (withBad)
      for (size_t c = 0; c < badCells_.size(); ++c)
        if (next[c] < badCells_[c].size()) row = std::min<size_t>(row, badCells_[c][next[c]].row);
    if (nextUnpaired < unpaired.size()) row = std::min(row, unpaired[nextUnpaired].row);
    if (nextDropped < outcome.dropped.size()) row = std::min(row, outcome.dropped[nextDropped].row);
    if (row == static_cast<size_t>(-1)) return;

    LeftOutRow left;
    left.row = row;
    if (withBad && nextProblem < problems.size() && problems[nextProblem].row == row) {
      const RowProblem& p = problems[nextProblem++];
      left.column = p.column;
      left.value = table_.RowProblemValue(p);
      left.reason = table_.RowProblemMessage(p);
      if (!each(left)) return;
    }
    for (size_t c = 0; withBad && c < badCells_.size(); ++c) {
      const std::string_view value = table_.Cell(row, c).substr(0, kCheckedCellLength);
      for (; next[c] < badCells_[c].size() && badCells_[c][next[c]].row == row; ++next[c]) {
        left.column = c;
        left.value = table_.IsRefused(row, c) ? table_.Printable(row, c).substr(0, kCheckedCellLength)
                                              : std::string(value);
        left.reason = Message(badCells_[c][next[c]].message, value);
        if (!each(left)) return;
      }
    }
    for (; nextUnpaired < unpaired.size() && unpaired[nextUnpaired].row == row; ++nextUnpaired)
      if (!each(unpaired[nextUnpaired])) return;
    for (; nextDropped < outcome.dropped.size() && outcome.dropped[nextDropped].row == row; ++nextDropped) {
      left.column = LeftOutRow::kNoColumn;
      left.value.clear();
      left.reason = outcome.dropped[nextDropped].reason;
      if (!each(left)) return;
    }
  }
}

std::string ImportSession::LeftOutLine(const LeftOutRow& left) const {
  std::string line = "Row " + std::to_string(left.row);
  if (left.column != LeftOutRow::kNoColumn) {
    line += ", column " + std::to_string(left.column + 1);
    if (left.column < table_.ColumnCount()) line += " (\"" + table_.Printable(0, left.column) + "\")";
    line += ", \"" + left.value + "\"";
  }
  return line + ": " + left.reason;
}

std::string ImportSession::Summary(const ImportOutcome& outcome, SaveRetry retry) const {
  // Rows that could not be saved by a program about to end were not added.
  const bool lost = outcome.ran && outcome.saveCode != 0 && retry == SaveRetry::Never;
  std::string text;
  if (lost) text = "Nothing was added: the " + flavour_.PayeesAdded(outcome.added) + " read could not be saved.";
  else if (outcome.ran) text = "Added " + flavour_.PayeesAdded(outcome.added) + ".";
  else text = outcome.refusal;
  const size_t rows = outcome.leftOut + outcome.dropped.size();
  if (rows > 0) {
    text += rows == 1 ? "\n\n1 row was not loaded:" : "\n\n" + GroupedCount(rows) + " rows were not loaded:";
    size_t lines = 0, more = 0;
    ForEachLeftOut(outcome, [&](const LeftOutRow& left) {
      if (lines < ImportOutcome::kMaxListedRows) {
        text += "\n" + LeftOutLine(left);
        ++lines;
      } else {
        ++more;
      }
      return true;
    });
    if (more > 0) text += "\n... and " + GroupedCount(more) + " more.";
  }
  if (lost)
    text += "\n\n" + SaveFailureMessage(outcome.saveCode, nullptr, retry);
  else if (outcome.ran && outcome.saveCode != 0)
    text += "\n\nThe loaded rows could not be saved; they stay in the open company until it is saved.\n" +
            SaveFailureMessage(outcome.saveCode);
  return text;
}

// ---- header matching and the remembered assignment --------------------------------

std::vector<ColumnField> ImportSession::MatchingHeaders() const {
  std::vector<ColumnField> matches;
  if (table_.RowCount() == 0) return matches;
  std::vector<std::string> names;
  for (const auto& name : Catalogue().Fields()) names.push_back(Squeezed(name));
  std::vector<bool> taken(names.size(), false);
  for (size_t c = 0; c < table_.ColumnCount(); ++c) {
    const std::string header = Squeezed(table_.Cell(0, c));
    if (header.empty()) continue;
    for (size_t f = 0; f < names.size(); ++f) {
      if (!taken[f] && names[f] == header) {
        taken[f] = true;
        matches.push_back({c, static_cast<int>(f)});
        break;
      }
    }
  }
  return matches;
}

std::vector<ColumnField> ImportSession::CurrentAssignment() const {
  std::vector<ColumnField> current;
  for (size_t f = 0; f < mapping_.size(); ++f)
    if (mapping_[f] >= 0) current.push_back({static_cast<size_t>(mapping_[f]), static_cast<int>(f)});
  std::sort(current.begin(), current.end(),
            [](const ColumnField& a, const ColumnField& b) { return a.column < b.column; });
  return current;
}

std::string ImportSession::SettingsKey() const {
  return std::string(kSettingsRoot) + "\\Import Data\\" + flavour_.Caption();
}

std::string ImportSession::HeaderSignature() const {
  // FNV-1a over the header's values, each ended by a byte no text holds.
  uint64_t hash = 14695981039346656037ull;
  const auto mix = [&](unsigned char b) {
    hash ^= b;
    hash *= 1099511628211ull;
  };
  for (size_t c = 0; c < table_.ColumnCount(); ++c) {
    for (unsigned char b : table_.Cell(0, c)) mix(b);
    mix(0);
  }
  char text[32];
  std::snprintf(text, sizeof text, "%zu:%016" PRIx64, table_.ColumnCount(), hash);
  return text;
}

std::vector<ColumnField> ImportSession::RememberedAssignment(SettingsStore& settings) const {
  std::vector<ColumnField> remembered;
  if (table_.RowCount() == 0) return remembered;
  const auto header = settings.ReadText(SettingsKey(), "Header");
  const auto columns = settings.ReadText(SettingsKey(), "Columns");
  if (!header || !columns || *header != HeaderSignature()) return remembered;
  // "column=field" pairs separated by ";".
  size_t pos = 0;
  while (pos < columns->size()) {
    const size_t end = std::min(columns->find(';', pos), columns->size());
    const std::string pair = columns->substr(pos, end - pos);
    pos = end + 1;
    unsigned long column = 0, field = 0;
    char rest = 0;
    if (std::sscanf(pair.c_str(), "%lu=%lu%c", &column, &field, &rest) != 2) return {};
    if (column >= table_.ColumnCount() || field >= Catalogue().Size()) return {};
    remembered.push_back({static_cast<size_t>(column), static_cast<int>(field)});
  }
  return remembered;
}

void ImportSession::RememberAssignment(SettingsStore& settings) const {
  if (table_.RowCount() == 0) return;
  std::string columns;
  for (const auto& cf : CurrentAssignment()) {
    if (!columns.empty()) columns += ';';
    columns += std::to_string(cf.column) + "=" + std::to_string(cf.field);
  }
  settings.WriteText(SettingsKey(), "Header", HeaderSignature());
  settings.WriteText(SettingsKey(), "Columns", columns);
}

}  // namespace formet
