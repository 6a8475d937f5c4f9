#pragma once
// The import of a delimited file as the import dialog and `formet-cli import`
// work it: the separator settings, the file read into a table, the
// assignment of columns to the flavour's fields (each column checked as it is
// assigned), and the loading of the rows.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "import/delimited_file.h"
#include "import/import_flavour.h"
#include "store/global_doc.h"  // SaveRetry

namespace formet {

class SettingsStore;

// An import of more rows than this shows its progress (the loading, then
// the save) with the time left and Cancel.
inline constexpr size_t kImportProgressRows = 10000;

struct DroppedRow {
  size_t row = 0;  // data rows count from 1
  std::string reason;
};

// What "Import" did.
struct ImportOutcome {
  bool ran = false;
  std::string refusal;  // why nothing was loaded, when it did not run; empty when the user cancelled
  size_t added = 0;
  // Rows the payee checks refused.
  std::vector<DroppedRow> dropped;
  // Rows left out for their values when the good rows are loaded without the
  // bad (ImportSession::ForEachLeftOut lists them).
  size_t leftOut = 0;
  int saveCode = 0;  // the final save's engine code, 0 when it succeeded
  // The user cancelled the loading or the save: nothing was loaded.
  bool cancelled = false;

  // The lines of rows left out a summary lists (ImportSession::Summary).
  static constexpr size_t kMaxListedRows = 1000;
};

// A row not loaded, and why: a value that cannot be used (with its column
// and value), a row that cannot be read as the header lays out the columns,
// or a payee check.
struct LeftOutRow {
  size_t row = 0;                      // data rows count from 1
  static constexpr size_t kNoColumn = static_cast<size_t>(-1);
  size_t column = kNoColumn;           // of the file, from 0
  std::string value;                   // Windows-1252, as far as it can show it
  std::string reason;
};

// What the preview marks on a cell.
struct CellMark {
  enum class Kind {
    None,
    Refused,  // the rule for entered text refuses the value
    BadRow,   // the row cannot be read as the header lays out the columns
    Bad,      // the check of the column's field refuses the value (the row is left out)
  };
  Kind kind = Kind::None;
  std::string reason;  // Windows-1252
};

// A column and the field assigned to it.
struct ColumnField {
  size_t column = 0;  // of the file, from 0
  int field = 0;
  bool operator==(const ColumnField&) const = default;
};

class ImportSession {
 public:
  static constexpr const char* kUnused = "Unused";

  explicit ImportSession(ImportFlavour& flavour) : flavour_(flavour) {}

  ImportFlavour& Flavour() { return flavour_; }
  const ImportFlavour& Flavour() const { return flavour_; }
  const FieldCatalogue& Catalogue() const { return flavour_.Catalogue(); }

  // Step one: the texts of the read-only boxes beside the separator lists.
  void SetDelimiterBox(std::string box) { delimiterBox_ = std::move(box); }
  void SetQualifierBox(std::string box) { qualifierBox_ = std::move(box); }
  // Step two.
  void SetPath(std::filesystem::path path) { path_ = std::move(path); }
  const std::filesystem::path& Path() const { return path_; }

  // Reads the file again, forgetting the table and every assignment.
  // Nothing happens (nullopt) while no path is set. A flavour without
  // fields gives "No fields defined, nothing will be imported.".
  std::optional<ReadResult> Read();
  // "Import" is possible once the file's first line was read.
  bool CanImport() const { return canImport_; }

  const ImportTable& Table() const { return table_; }
  // The header a file column (from 0) shows: "Unused" or its field's name.
  const std::string& ColumnHeader(size_t column) const { return headers_.at(column); }
  // The column a field is assigned to, or -1.
  int ColumnOfField(int field) const;
  // The field a column is assigned to, or -1.
  int FieldOfColumn(size_t column) const;

  // Loading the good rows: every row whose values pass is loaded, the others
  // are left out and listed. A column with values its field refuses is then
  // assigned, its bad values marked; without it, such a column is refused,
  // and a file with bad rows is not loaded at all. Turning it off makes the
  // columns with bad values "Unused" again: they are returned.
  std::vector<size_t> SetSkipBadRows(bool skip);
  bool SkipBadRows() const { return skipBadRows_; }

  // Assigns a field to a column after checking the column's values.
  struct Assignment {
    enum class Outcome { Assigned, AlreadyUsed, Refused, NoSuchColumn };
    Outcome outcome = Outcome::NoSuchColumn;
    std::string message;  // AlreadyUsed: the text for the user
    std::string report;   // Refused, or Assigned with bad values: the check's error report
    size_t badRows = 0;   // Assigned while loading the good rows: the rows with values the field refuses
  };
  Assignment Assign(size_t column, int field);
  // "Unused": the column loses its field.
  void SetUnused(size_t column);
  // The rows (from 1) of an assigned column whose values its field refuses,
  // while loading the good rows.
  size_t BadRowsOfColumn(size_t column) const;
  // What the preview marks on a cell (rows from 0, the header; columns of the file).
  CellMark MarkOf(size_t row, size_t column) const;
  // The data rows that will not be loaded for their values: the bad rows, and
  // while loading the good rows those with values their fields refuse.
  size_t RowsToLeaveOut() const;
  // The data rows whose values of a pair of fields (ImportFlavour::Pairs) do
  // not go together, as the columns are assigned now: a box 12 code without
  // its amount. Rows with a value refused already are not counted. Like the
  // bad rows, they stop the import unless the good rows are loaded alone.
  size_t RowsWithUnpairedValues() const;
  // The values of a column's data rows as the check sees them (each cut to
  // kCheckedCellLength characters), with the values refused on reading.
  ImportColumn ColumnValues(size_t column) const;

  // Required fields without a column, in catalogue order.
  std::vector<int> UnmappedRequiredFields() const;
  // The one text per catalogue field of a data row (from 1): its cell in the
  // field's column (cut as the check cut it), empty for a field without one.
  std::vector<std::string> RowValues(size_t row) const;
  // The same into `values`, whose strings are reused row after row.
  void RowValuesInto(size_t row, std::vector<std::string>& values) const;
  // Loads every data row in table order, one LoadRow each, asking for the
  // save on the last only, so that all rows are written in one save.
  // Refused while a required field has no column, or without data rows.
  // While loading the good rows, the bad ones are left out. With more rows
  // than the progress threshold, `ui` shows the progress; a Cancel takes
  // back every row loaded (the save's transaction rolled back when it had
  // begun), so that nothing of the file is kept.
  ImportOutcome Import(UiServices* ui = nullptr);
  // The number of rows above which an import shows its progress.
  void SetProgressThreshold(size_t rows) { progressRows_ = rows; }
  // Every row the import left out (payee checks, and while loading the good
  // rows the bad ones), in row order; a row with several bad values once per
  // value. `each` returns false to stop.
  void ForEachLeftOut(const ImportOutcome& outcome, const std::function<bool(const LeftOutRow&)>& each) const;
  // A left-out row for the user: "Row 3, column 4 ("Wages"), "1,250.00": why".
  std::string LeftOutLine(const LeftOutRow& row) const;
  // What the user is told of an import: how many payees were added, the
  // rows left out with their reasons (the first kMaxListedRows lines), a
  // failed save; or why nothing was loaded. Windows-1252. `retry`: whether
  // rows that could not be saved wait in the open company (the desktop) or
  // are gone with the program (formet-cli).
  std::string Summary(const ImportOutcome& outcome, SaveRetry retry = SaveRetry::WithNextSave) const;

  // Columns whose header names a field, ignoring case, spaces and
  // punctuation ("EMPLOYEE FIRST NAME" names "Employee First Name."); each
  // field and each column at most once, the first column winning.
  std::vector<ColumnField> MatchingHeaders() const;
  // The assignment used by the last import of a file with the same header
  // (the settings store keeps one per flavour); empty when there is none.
  std::vector<ColumnField> RememberedAssignment(SettingsStore& settings) const;
  // Remembers the current assignment for this header.
  void RememberAssignment(SettingsStore& settings) const;
  // The current assignment, in column order.
  std::vector<ColumnField> CurrentAssignment() const;

 private:
  std::string HeaderSignature() const;
  std::string SettingsKey() const;
  // The table lets go of its rows as they load; after a Cancel, or before
  // the table is used again, it is read again from the file, the
  // assignments kept. False (the table left as it is) when the file is no
  // longer the one read.
  bool RestoreTable();

  // A value of an assigned column its field refuses, while loading the good
  // rows: its row and the check's message (an entry of messages_).
  struct BadCell {
    uint32_t row;
    uint32_t message;
  };
  uint32_t MessageId(std::string_view message, std::string_view value);
  std::string Message(uint32_t id, std::string_view value) const;
  void ForgetBadCells();
  // The data rows (from 1) not to load while loading the good rows.
  std::vector<bool> BadRows() const;
  // True when the check of `column`'s field refused the value of `row`.
  bool IsBadCell(size_t column, size_t row) const;
  // The rows whose values of pair `pair` do not go together, found again
  // when a column of the pair changed since they were last asked for.
  const std::vector<uint32_t>& PairRows(size_t pair) const;
  // The column of `field` changed: the rows of its pairs are to be found again.
  void ColumnOfPairChanged(int field);
  // The values of a row for a pair, with the problem they make (nullopt when
  // they go together) and the column of the value to name for it.
  struct PairValues {
    std::string_view first, second;
    std::optional<std::string> problem;
    size_t column = 0;         // of the file
    std::string_view named;    // its value
  };
  PairValues ValuesOfPair(size_t pair, size_t row) const;
  bool PairFails(size_t pair, size_t row) const;
  // The problems of the pairs in row order (and pair order within a row),
  // each as the left-out row it makes; `each` returns false to stop.
  void ForEachPairProblem(const std::function<bool(const LeftOutRow&)>& each) const;

  ImportFlavour& flavour_;
  size_t progressRows_ = kImportProgressRows;
  bool skipBadRows_ = false;
  std::vector<std::vector<BadCell>> badCells_;  // per file column, in row order
  // The messages of bad values, each once, with the value in its place
  // replaced by kValueMark.
  std::vector<std::string> messages_;
  std::unordered_map<std::string, uint32_t> messageIds_;
  std::string delimiterBox_ = ",";
  std::string qualifierBox_ = "\"";
  std::filesystem::path path_;
  ImportTable table_;
  // What the table was read from: the file, its size and time, the separators.
  std::filesystem::path readPath_;
  std::uintmax_t readSize_ = 0;
  std::filesystem::file_time_type readTime_{};
  char readDelimiter_ = ',', readQualifier_ = '"';
  std::vector<std::string> headers_;
  std::vector<int> mapping_;  // per field: its column or -1
  // Per pair of the flavour: the rows (from 1, in order) whose values of it
  // do not go together, unless stale (found when first asked for, so that
  // assigning many columns at once checks each pair once).
  mutable std::vector<std::vector<uint32_t>> pairRows_;
  mutable std::vector<bool> pairStale_;
  bool canImport_ = false;
};

// Why a table could not be read again after rows were loaded from it.
inline constexpr const char* kFileChangedSinceRead =
    "The file changed on disk since it was read: please open it again to import it.";

// The end of the refusal of a file with bad rows, for the Import dialog.
inline constexpr const char* kMendOrLoadGoodRows = "Mend them in the file, or choose to load the good rows only.";

// The text for a column assigned a field already: "%s is already used,
// please pick a different field.".
std::string AlreadyUsedMessage(const std::string& fieldName);
// The text for required fields without a column.
std::string UnmappedRequiredMessage(const ImportFlavour& flavour, const std::vector<int>& fields);

}  // namespace formet
