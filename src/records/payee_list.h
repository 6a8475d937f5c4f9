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

// The order a payee page shows its payees in, as positions in the document's
// list: the W-2 and 1099-MISC pages step through the payees in it.
class PayeeOrder {
 public:
  virtual ~PayeeOrder() = default;
  virtual std::optional<int> First() const = 0;
  // The payee after (before) the one at `position`; none at the end or for
  // a position the order does not hold.
  virtual std::optional<int> Next(int position) const = 0;
  virtual std::optional<int> Previous(int position) const = 0;
  // Every position, in the order.
  virtual std::vector<int> Positions() const = 0;
};

// The document's own order of a list of `count` payees.
class DocumentOrder : public PayeeOrder {
 public:
  explicit DocumentOrder(size_t count) : count_(count) {}
  std::optional<int> First() const override;
  std::optional<int> Next(int position) const override;
  std::optional<int> Previous(int position) const override;
  std::vector<int> Positions() const override;

 private:
  size_t count_;
};

// The order of a list's rows as shown. Each step is a lookup: the row of
// every position is noted once when the order is set.
class ListOrder : public PayeeOrder {
 public:
  ListOrder() = default;
  explicit ListOrder(std::span<const ListRow> rows) { Set(rows); }
  void Set(std::span<const ListRow> rows);
  std::optional<int> First() const override;
  std::optional<int> Next(int position) const override;
  std::optional<int> Previous(int position) const override;
  std::vector<int> Positions() const override { return positions_; }
  size_t Size() const { return positions_.size(); }

 private:
  std::optional<int> At(int row) const;
  std::optional<int> RowOf(int position) const;

  std::vector<int> positions_;  // row -> position
  std::vector<int> rowOf_;      // position -> row, -1 for none
};

}  // namespace formet
