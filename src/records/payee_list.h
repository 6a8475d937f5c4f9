#pragma once
// The list of the employees page and of the contractors page: its columns,
// its rows, and the order the user gives it by clicking column headings.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "records/payee_search.h"

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

// A list of payees as a page shows it: its columns, what its search box
// searches, and each payee's texts read from the document's list when asked,
// so that nothing of the payees is copied for the view.
class PayeeListSource {
 public:
  virtual ~PayeeListSource() = default;
  virtual std::span<const ListColumn> Columns() const = 0;
  virtual const PayeeSearchColumns& Search() const = 0;
  virtual size_t Count() const = 0;
  virtual int32_t UniqueId(size_t position) const = 0;
  // The text of a column of the payee at `position` of the document's list.
  virtual std::string Text(size_t position, size_t column) const = 0;
  // Every column's text of the payee at `position`, into `texts`.
  void Texts(size_t position, std::vector<std::string>& texts) const;
};

// A column of a family's payee list: its heading and the text it shows of a
// payee.
template <class R>
struct PayeeColumn {
  ListColumn heading;
  std::string (*text)(const R&);
};

// The headings of a family's columns.
template <class R, size_t N>
constexpr std::array<ListColumn, N> HeadingsOf(const std::array<PayeeColumn<R>, N>& columns) {
  std::array<ListColumn, N> headings{};
  for (size_t i = 0; i < N; ++i) headings[i] = columns[i].heading;
  return headings;
}

// The columns of a family's payee list over a list of its payees.
template <class R>
class RecordListSource : public PayeeListSource {
 public:
  // `records` gives the list each time it is asked: the document's list is
  // read as it stands.
  RecordListSource(std::function<const std::vector<R>&()> records, std::span<const PayeeColumn<R>> columns,
                   int32_t R::*id, PayeeSearchColumns search)
      : records_(std::move(records)), columns_(columns), id_(id), search_(std::move(search)) {
    for (const auto& column : columns_) headings_.push_back(column.heading);
  }
  std::span<const ListColumn> Columns() const override { return headings_; }
  const PayeeSearchColumns& Search() const override { return search_; }
  size_t Count() const override { return records_().size(); }
  int32_t UniqueId(size_t position) const override { return records_()[position].*id_; }
  std::string Text(size_t position, size_t column) const override {
    return columns_[column].text(records_()[position]);
  }

 private:
  std::function<const std::vector<R>&()> records_;
  std::span<const PayeeColumn<R>> columns_;
  int32_t R::*id_;
  PayeeSearchColumns search_;
  std::vector<ListColumn> headings_;
};

// The rows of a list of payees, in the list's order.
std::vector<ListRow> ListRowsOf(const PayeeListSource& source);

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
  // The direction a click on `column` sorts in (true: ascending), remembered
  // as the last sort.
  bool Clicked(int column);
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
  // The positions in the order shown.
  void Set(std::vector<int> positions);
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
