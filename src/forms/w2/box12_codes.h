#pragma once
// Box 12 codes of the 2007 Form W-2. A W2Record holds a code as one
// character: "AA" is held as "0" and "BB" as "1", every other code as its
// upper-case letter.
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

// The W-3 box 12 total counts only deferred-compensation codes: D, E, F, G,
// H, S, Y, AA and BB (a held code, in any case). An empty code never counts.
bool IsDeferredCompensationCode(std::string_view held);

}  // namespace formet
