#pragma once
// What a kind of import (W-2 or 1099-MISC) supplies to the import of a
// delimited file: its fields, their groups in the field menu, the fields it
// cannot do without, the check of a column for a field and the loading of
// one row.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "import/column_checks.h"
#include "store/global_doc.h"

namespace formet {

struct FieldGroup {
  std::string name;
  int first = 0;  // field number
  int count = 0;
};

// The fields of an import. A field's position is its number; names are
// unique, as they also become the column headers once assigned.
class FieldCatalogue {
 public:
  static constexpr size_t kMaxFields = 79;
  static constexpr size_t kMaxGroups = 10;

  // False (and nothing added) when the catalogue is full or the name taken.
  bool AddField(std::string name);
  // False when ten groups exist already or the range leaves the catalogue.
  bool AddGroup(std::string name, int first, int count);

  const std::vector<std::string>& Fields() const { return fields_; }
  // In the order they were added.
  const std::vector<FieldGroup>& Groups() const { return groups_; }
  size_t Size() const { return fields_.size(); }
  const std::string& Name(int field) const { return fields_[static_cast<size_t>(field)]; }
  bool Contains(int field) const { return field >= 0 && static_cast<size_t>(field) < fields_.size(); }
  // The field of this name, else of a name equal to it when case, spaces and
  // punctuation are ignored; -1 when none.
  int Find(std::string_view name) const;

 private:
  std::vector<std::string> fields_;
  std::vector<FieldGroup> groups_;
};

// Two fields whose values in one row must go together: a box 12 code and
// its amount.
struct FieldPair {
  int first = 0;
  int second = 0;
};

// A count with its thousands grouped: "100,000".
std::string GroupedCount(size_t count);

// What became of one row.
struct RowLoad {
  bool added = false;
  std::string reason;  // why the payee was not added (the payee check's message)
  int saveCode = 0;    // the save asked for on the row (engine code), else 0
};

class UiServices;
class WorkProgress;

class ImportFlavour {
 public:
  virtual ~ImportFlavour() = default;

  virtual std::string Caption() const = 0;
  // The help page, a file beside the program.
  virtual std::string HelpFile() const = 0;
  // A number of payees added, for reports: "2 employees with their W-2s".
  virtual std::string PayeesAdded(size_t count) const = 0;
  const FieldCatalogue& Catalogue() const { return catalogue_; }
  const std::vector<int>& RequiredFields() const { return required_; }

  // The error report of a column for a field; empty when the column is
  // acceptable, and for a field number outside the catalogue.
  std::string CheckColumn(int field, const ImportColumn& column);
  // The same checks, each error added to `report` (whose sink hears of every
  // row with an error).
  virtual void CheckValues(int field, const ImportColumn& column, ErrorReport& report) = 0;
  // What a value of a field is stored as, for the preview: an amount as it
  // will be stored ("$31,250.00" 31250.00), any other value as it is.
  virtual std::string StoredText(int field, std::string_view value) const = 0;
  // The fields whose values must go together in a row, each checked once
  // every row's values of its fields are known (by ImportSession). None
  // unless the flavour has such fields.
  virtual std::span<const FieldPair> Pairs() const { return {}; }
  // Why the values of a row for pair `pair` (Pairs()) do not go together;
  // nullopt when they do. A field without a column gives an empty value.
  virtual std::optional<std::string> PairProblem(size_t /*pair*/, std::string_view /*first*/,
                                                 std::string_view /*second*/) const {
    return std::nullopt;
  }

  // Called before the first of `rows` rows of an import.
  // The loading refreshes every page from the records: a page's edits not
  // yet applied are asked about first. False: the user cancelled.
  virtual bool BeginLoad(size_t rows) = 0;
  // Loads one data row: one text per catalogue field, in catalogue order.
  // With `saveNow` every pending change is saved and every page refreshed
  // after the row.
  virtual RowLoad LoadRow(const std::vector<std::string>& values, bool saveNow) = 0;
  // The save a row asks for tells this progress, and stops at its Cancel
  // (CGlobalDoc::kSaveCancelled); none by default.
  void SetSaveProgress(WorkProgress* progress) { saveProgress_ = progress; }
  // Takes back every row loaded since the load began (none of them saved)
  // and refreshes every page.
  void CancelLoad();

 protected:
  // The save a row asks for: every pending change saved and every page
  // refreshed, under the wait cursor. Returns the save's engine code.
  int SaveAndRefresh(CGlobalDoc& doc, UiServices& ui);
  // A load into `doc` begins: what CancelLoad comes back to.
  void StartLoad(CGlobalDoc& doc);
  // The rows loaded were taken back: the form page told of their forms is
  // told they are gone.
  virtual void LoadDropped() {}

  FieldCatalogue catalogue_;
  std::vector<int> required_;

 private:
  WorkProgress* saveProgress_ = nullptr;
  CGlobalDoc* loading_ = nullptr;
  CGlobalDoc::ChangeMark mark_;
};

}  // namespace formet
