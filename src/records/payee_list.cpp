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

void ListSorter::OnColumnClick(std::vector<ListRow>& rows, int column) {
  const bool ascending = column_ == column ? !ascending_ : true;
  Sort(rows, column, ascending);
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

}  // namespace formet
