#include "records/payee_list.h"

#include <algorithm>

namespace formet {
namespace {

unsigned char Lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c; }

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

int DefaultListCompare(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = Lower(static_cast<unsigned char>(a[i])), y = Lower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  // Equal but for case: lower case first.
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) return x > y ? -1 : 1;
  }
  return 0;
}

void ListSorter::Sort(std::vector<ListRow>& rows, int column, bool ascending) {
  column_ = column;
  ascending_ = ascending;
  const auto text = [column](const ListRow& r) -> const std::string& {
    static const std::string kNone;
    return column >= 0 && static_cast<size_t>(column) < r.columns.size() ? r.columns[static_cast<size_t>(column)]
                                                                         : kNone;
  };
  std::stable_sort(rows.begin(), rows.end(), [&](const ListRow& a, const ListRow& b) {
    const int c = Sign(compare_(text(a), text(b)));
    return ascending ? c < 0 : c > 0;
  });
}

bool ListSorter::Clicked(int column) {
  ascending_ = column_ == column ? !ascending_ : true;
  column_ = column;
  return ascending_;
}

void ListSorter::OnColumnClick(std::vector<ListRow>& rows, int column) {
  const bool ascending = Clicked(column);
  Sort(rows, column, ascending);
}

void PayeeListSource::Texts(size_t position, std::vector<std::string>& texts) const {
  const size_t columns = Columns().size();
  texts.resize(columns);
  for (size_t c = 0; c < columns; ++c) texts[c] = Text(position, c);
}

std::vector<ListRow> ListRowsOf(const PayeeListSource& source) {
  const size_t count = source.Count();
  std::vector<ListRow> rows(count);
  for (size_t i = 0; i < count; ++i) {
    rows[i].position = static_cast<int>(i);
    rows[i].uniqueId = source.UniqueId(i);
    source.Texts(i, rows[i].columns);
  }
  return rows;
}

std::optional<int> PositionOfRow(std::span<const ListRow> rows, int rowIndex) {
  if (rowIndex < 0 || static_cast<size_t>(rowIndex) >= rows.size()) return std::nullopt;
  return rows[static_cast<size_t>(rowIndex)].position;
}

std::optional<size_t> ListSelection::RowIn(std::span<const ListRow> rows) {
  if (!id_) return std::nullopt;
  for (size_t r = 0; r < rows.size(); ++r)
    if (rows[r].uniqueId == *id_) return r;
  id_.reset();
  return std::nullopt;
}

std::optional<int> DocumentOrder::First() const {
  return count_ > 0 ? std::optional<int>(0) : std::nullopt;
}

std::optional<int> DocumentOrder::Next(int position) const {
  if (position < 0 || static_cast<size_t>(position) + 1 >= count_) return std::nullopt;
  return position + 1;
}

std::optional<int> DocumentOrder::Previous(int position) const {
  if (position <= 0 || static_cast<size_t>(position) >= count_) return std::nullopt;
  return position - 1;
}

std::vector<int> DocumentOrder::Positions() const {
  std::vector<int> all(count_);
  for (size_t i = 0; i < count_; ++i) all[i] = static_cast<int>(i);
  return all;
}

void ListOrder::Set(std::span<const ListRow> rows) {
  std::vector<int> positions;
  positions.reserve(rows.size());
  for (const auto& row : rows) positions.push_back(row.position);
  Set(std::move(positions));
}

void ListOrder::Set(std::vector<int> positions) {
  positions_ = std::move(positions);
  int top = -1;
  for (int position : positions_) top = std::max(top, position);
  rowOf_.assign(static_cast<size_t>(top + 1), -1);
  for (size_t r = 0; r < positions_.size(); ++r)
    if (positions_[r] >= 0) rowOf_[static_cast<size_t>(positions_[r])] = static_cast<int>(r);
}

std::optional<int> ListOrder::At(int row) const {
  if (row < 0 || static_cast<size_t>(row) >= positions_.size()) return std::nullopt;
  return positions_[static_cast<size_t>(row)];
}

std::optional<int> ListOrder::RowOf(int position) const {
  if (position < 0 || static_cast<size_t>(position) >= rowOf_.size() || rowOf_[static_cast<size_t>(position)] < 0)
    return std::nullopt;
  return rowOf_[static_cast<size_t>(position)];
}

std::optional<int> ListOrder::First() const { return At(0); }

std::optional<int> ListOrder::Next(int position) const {
  const auto row = RowOf(position);
  return row ? At(*row + 1) : std::nullopt;
}

std::optional<int> ListOrder::Previous(int position) const {
  const auto row = RowOf(position);
  return row ? At(*row - 1) : std::nullopt;
}

}  // namespace formet
