#include "records/states.h"

#include <array>

namespace formet {
namespace {

constexpr std::array<std::string_view, kStateCount> kStates = {
    "",   "AA", "AC", "AE", "AK", "AL", "AP", "AR", "AS", "AZ", "CA", "CO", "CT", "DC", "DE", "FL",
    "GA", "GU", "HI", "IA", "ID", "IL", "IN", "KS", "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO",
    "MP", "MS", "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA", "PR",
    "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VI", "VT", "WA", "WI", "WV", "WY"};

}  // namespace

static_assert(kStates.front().empty() && kStates.back() == "WY", "61 entries, the empty one first");

std::span<const std::string_view> StateTable() { return kStates; }

std::optional<int> FindState(std::string_view state) {
  for (size_t i = 0; i < kStates.size(); ++i)
    if (kStates[i] == state) return static_cast<int>(i);
  return std::nullopt;
}

std::optional<std::string_view> StateAt(int index) {
  if (index < 0 || static_cast<size_t>(index) >= kStates.size()) return std::nullopt;
  return kStates[static_cast<size_t>(index)];
}

}  // namespace formet
