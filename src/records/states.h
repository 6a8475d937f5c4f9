#pragma once
// The state table of the payer and payee pages: the entries of their State
// drop-down lists, in list order (unsorted), the empty entry first.
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace formet {

inline constexpr size_t kStateCount = 61;

std::span<const std::string_view> StateTable();

// The entry whose text is exactly `state` (case matters), if any.
std::optional<int> FindState(std::string_view state);
// The text of the entry at `index`; nullopt outside the table (no selection).
std::optional<std::string_view> StateAt(int index);

}  // namespace formet
