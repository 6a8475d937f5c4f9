#pragma once
// The import of a delimited file as the import dialog and `formet-cli import`
// work it: the separator settings, the file read into a table, the
// assignment of columns to the flavour's fields (each column checked as it is
// assigned), and the loading of the rows.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "import/delimited_file.h"
#include "import/import_flavour.h"
#include "store/global_doc.h"  // SaveRetry

namespace formet {

class SettingsStore;

// Told how far the loading is, every few hundred rows and at the end.
class ImportProgress {
 public:
  virtual ~ImportProgress() = default;
  virtual void RowsLoaded(size_t done, size_t total) = 0;
};

struct DroppedRow {
  size_t row = 0;  // data rows count from 1
  std::string reason;
};

// What "Import" did.
struct ImportOutcome {
  bool ran = false;
  std::string refusal;  // why nothing was loaded, when it did not run; empty when the user cancelled
  size_t added = 0;
  std::vector<DroppedRow> dropped;
  int saveCode = 0;  // the final save's engine code, 0 when it succeeded

  // What the user is told: how many payees were added, each dropped row with
  // its reason (the first kMaxListedRows of them), a failed save. Windows-1252.
  // `retry`: whether rows that could not be saved wait in the open company
  // (the desktop) or are gone with the program (formet-cli).
  std::string Summary(const ImportFlavour& flavour, SaveRetry retry = SaveRetry::WithNextSave) const;
  static constexpr size_t kMaxListedRows = 1000;
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

  // Assigns a field to a column after checking the column's values.
  struct Assignment {
    enum class Outcome { Assigned, AlreadyUsed, Refused, NoSuchColumn };
    Outcome outcome = Outcome::NoSuchColumn;
    std::string message;  // AlreadyUsed: the text for the user
    std::string report;   // Refused: the check's error report
  };
  Assignment Assign(size_t column, int field);
  // "Unused": the column loses its field.
  void SetUnused(size_t column);
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
  ImportOutcome Import(ImportProgress* progress = nullptr);

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

  ImportFlavour& flavour_;
  std::string delimiterBox_ = ",";
  std::string qualifierBox_ = "\"";
  std::filesystem::path path_;
  ImportTable table_;
  std::vector<std::string> headers_;
  std::vector<int> mapping_;  // per field: its column or -1
  bool canImport_ = false;
};

// The text for a column assigned a field already: "%s is already used,
// please pick a different field.".
std::string AlreadyUsedMessage(const std::string& fieldName);
// The text for required fields without a column.
std::string UnmappedRequiredMessage(const ImportFlavour& flavour, const std::vector<int>& fields);

}  // namespace formet
