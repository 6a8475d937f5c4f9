#pragma once
// What a search box over a list of payees finds, as the user types: every
// word typed must be found in one of the name columns (letter case aside),
// or, when the word is a number (digits, with dashes or spaces), its digits
// must be found among the digits of the SSN or TIN column. So "gonz" finds
// Gonzalez, "1001" and "412-55" find 412-55-1001, and "maria 1001" finds
// only the Maria whose number holds 1001. An empty search finds every row.
// Texts are Windows-1252.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formet {

struct PayeeSearchColumns {
  std::vector<size_t> names;      // the columns of names
  std::optional<size_t> number;   // the column of the SSN or TIN
};

bool MatchesPayeeSearch(const std::vector<std::string>& row, const PayeeSearchColumns& columns,
                        std::string_view search);

// `text` with its letters in lower case (Windows-1252 letters included), for
// comparisons that ignore letter case.
std::string FoldLetterCase(std::string_view text);

}  // namespace formet
