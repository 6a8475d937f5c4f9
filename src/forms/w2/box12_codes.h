#pragma once
// Box 12 codes of the 2007 Form W-2. A W2Record holds a code as one
// character: "AA" is held as "0" and "BB" as "1", every other code as its
// upper-case letter.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace formet {

// True for a code of the 2007 form, typed in any case: A-H, J-N, P-T, V, W,
// Y, Z, AA and BB. An empty text is no code.
bool IsBox12Code(std::string_view typed);

// The message for a code that is not one of the 2007 form, naming the valid
// codes.
std::string InvalidBox12CodeMessage(std::string_view typed);

// The code as a record holds it: upper-cased, "AA" as "0", "BB" as "1".
// Texts that are no code are upper-cased and kept as they are.
std::string HoldBox12Code(std::string_view typed);

// The code as shown and printed: a held "0" as "AA", "1" as "BB", every other
// text as held.
std::string ShowBox12Code(std::string_view held);

// The four lines of box 12, as messages name them.
inline constexpr std::array<const char*, 4> kBox12Lines = {"12a", "12b", "12c", "12d"};

// A line of box 12 ("12a") with an amount but no code, or with a code but no
// amount (0.00 is none): the message the W-2 page's Save shows, and the
// import for such a row; nullopt when the line is whole or empty. `amount`
// is a MoneyText.
std::optional<std::string> Box12LineProblem(const char* line, std::string_view code, std::string_view amount);

// The W-3 box 12 total counts only deferred-compensation codes: D, E, F, G,
// H, S, Y, AA and BB (a held code, in any case). An empty code never counts.
bool IsDeferredCompensationCode(std::string_view held);

}  // namespace formet
