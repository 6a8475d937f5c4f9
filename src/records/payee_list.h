#pragma once
// The list of the employees page and of the contractors page: its columns,
// its rows, and the order the user gives it by clicking column headings.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace formet {

struct ListColumn {
  const char* caption;
  int width;  // dialog units
};

// One row: the pair the page uses to find the record behind it, and the
// texts of its columns.
struct ListRow {
  int position = 0;  // in the document's list when the rows were made
  int32_t uniqueId = 0;
  std::vector<std::string> columns;
  bool operator==(const ListRow&) const = default;
};

// Compares two column texts: negative, zero or positive. The desktop page
// passes the platform's locale-aware comparison.
using TextCompare = std::function<int(const std::string&, const std::string&)>;

// The comparison used when the platform gives none: letters compared without
// regard to case first, and only texts equal in that way ordered by case,
// lower case first (so "adams" < "Adams" < "baker").
int DefaultListCompare(const std::string& a, const std::string& b);

// The header-click order of a list. The first click on a column sorts
// ascending, a click on the column sorted last reverses the direction, a
// click on another column sorts ascending again. Rows equal in the column
// keep their order. Only the view changes; the document's list stays.
class ListSorter {
 public:
  explicit ListSorter(TextCompare compare = DefaultListCompare) : compare_(std::move(compare)) {}

  void OnColumnClick(std::vector<ListRow>& rows, int column);
  // Sorts by a column in a given direction and remembers it.
  void Sort(std::vector<ListRow>& rows, int column, bool ascending);
  // Forgets the last column (after the list was rebuilt in document order).
  void Reset() { column_.reset(); }

  std::optional<int> Column() const { return column_; }
  bool Ascending() const { return ascending_; }

 private:
  TextCompare compare_;
  std::optional<int> column_;
  bool ascending_ = true;
};

// The position in the document's list behind the row at `rowIndex` of the
// shown order, if any.
std::optional<int> PositionOfRow(std::span<const ListRow> rows, int rowIndex);

// The selection of a list names a record (by its unique id), never a row
// number: it stays on its record when the list is sorted or rebuilt, and is
// gone when the record is (a deleted record leaves nothing selected, so a
// second Delete cannot hit its neighbour). Another company's list starts
// with nothing selected. Every list of records keeps its selection this way.
class ListSelection {
 public:
  void Select(int32_t uniqueId) { id_ = uniqueId; }
  void Clear() { id_.reset(); }
  std::optional<int32_t> Id() const { return id_; }
  // The row of the selected record in `rows` (in the order shown). When the
  // record is not there the selection is cleared.
  std::optional<size_t> RowIn(std::span<const ListRow> rows);

 private:
  std::optional<int32_t> id_;
};

}  // namespace formet
