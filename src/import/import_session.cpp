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

int ImportFlavour::SaveAndRefresh(CGlobalDoc& doc, UiServices& ui) {
  ui.BeginWaitCursor();
  const int code = doc.SaveChanges();
  doc.RefreshAllViews();
  ui.EndWaitCursor();
  return code;
}

std::string GroupedCount(size_t count) {
  std::string digits = std::to_string(count);
  for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
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

std::string ImportOutcome::Summary(const ImportFlavour& flavour, SaveRetry retry) const {
  if (!ran) return refusal;
  std::string text = "Added " + flavour.PayeesAdded(added) + ".";
  if (!dropped.empty()) {
    text += dropped.size() == 1 ? "\n\n1 row was not loaded:"
                                : "\n\n" + GroupedCount(dropped.size()) + " rows were not loaded:";
    for (size_t i = 0; i < dropped.size() && i < kMaxListedRows; ++i)
      text += "\nRow " + std::to_string(dropped[i].row) + ": " + dropped[i].reason;
    if (dropped.size() > kMaxListedRows)
      text += "\n... and " + GroupedCount(dropped.size() - kMaxListedRows) + " more.";
  }
  if (saveCode != 0)
    text += (retry == SaveRetry::WithNextSave
                 ? "\n\nThe loaded rows could not be saved; they stay in the open company until it is saved.\n"
                 : "\n\nThe loaded rows could not be saved; none of them reached the company file.\n") +
            SaveFailureMessage(saveCode, nullptr, retry);
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
  canImport_ = false;
  ReadResult result =
      ReadDelimitedFile(path_, DelimiterFromBox(delimiterBox_), QualifierFromBox(qualifierBox_), table_);
  if (result.HasTable()) {
    headers_.assign(table_.ColumnCount(), kUnused);
    canImport_ = true;
  }
  return result;
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

ImportColumn ImportSession::ColumnValues(size_t column) const {
  ImportColumn values;
  const size_t rows = table_.DataRowCount();
  values.values.reserve(rows);
  for (size_t r = 1; r <= rows; ++r) values.values.push_back(table_.Cell(r, column).substr(0, kCheckedCellLength));
  for (const auto& refused : table_.Refused())
    if (refused.row >= 1 && refused.column == column) values.refused.push_back({refused.row - 1, refused.reason});
  return values;
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
  result.report = flavour_.CheckColumn(field, ColumnValues(column));
  if (!result.report.empty()) {
    result.outcome = Assignment::Outcome::Refused;
    return result;
  }
  headers_[column] = name;
  for (int& c : mapping_)
    if (c == static_cast<int>(column)) c = -1;
  mapping_[static_cast<size_t>(field)] = static_cast<int>(column);
  result.outcome = Assignment::Outcome::Assigned;
  return result;
}

void ImportSession::SetUnused(size_t column) {
  if (column >= headers_.size()) return;
  headers_[column] = kUnused;
  for (int& c : mapping_)
    if (c == static_cast<int>(column)) c = -1;
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

ImportOutcome ImportSession::Import(ImportProgress* progress) {
  ImportOutcome outcome;
  if (!canImport_) {
    outcome.refusal = "Please choose the file to import first.";
    return outcome;
  }
  if (const auto missing = UnmappedRequiredFields(); !missing.empty()) {
    outcome.refusal = UnmappedRequiredMessage(flavour_, missing);
    return outcome;
  }
  const size_t rows = table_.DataRowCount();
  if (rows == 0) {
    outcome.refusal = "The file holds no rows below its header line: there is nothing to import.";
    return outcome;
  }
  if (!flavour_.BeginLoad(rows)) return outcome;  // cancelled: nothing to say
  outcome.ran = true;
  std::vector<std::string> values;
  for (size_t r = 1; r <= rows; ++r) {
    RowValuesInto(r, values);
    const RowLoad load = flavour_.LoadRow(values, r == rows);
    if (load.added) ++outcome.added;
    else outcome.dropped.push_back({r, load.reason});
    if (r == rows) outcome.saveCode = load.saveCode;
    if (progress && (r % 512 == 0 || r == rows)) progress->RowsLoaded(r, rows);
  }
  return outcome;
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
