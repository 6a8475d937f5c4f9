#pragma once
// Identification numbers and names as the user means them: blanks around a
// number are not part of it, a name of nothing but blanks is no name, and a
// social security number is one the SSA can have issued. One rule for every
// way a payee comes in (the dialogs, formet-cli, import) and for the
// electronic filing checks.
#include <optional>
#include <string>
#include <string_view>

namespace formet {

// A text without the blanks (spaces and no-break spaces) before and after it.
std::string_view WithoutSurroundingBlanks(std::string_view text);
// True when the text is empty or holds nothing but blanks.
bool IsBlank(std::string_view text);
// Two identification or social security numbers are the same number when
// they are equal but for blanks before and after them.
bool SameIdentifyingNumber(std::string_view a, std::string_view b);

// The nine digits of a social security number could have been issued: the
// SSA never issues area 000, 666 or 900-999, group 00 or serial 0000. With
// `allowItin`, area 900-999 passes (individual taxpayer identification
// numbers begin with 9).
bool IsIssuableSsn(std::string_view nineDigits, bool allowItin = false);
// That rule in words: "none is issued with area 000, 666 or 900-999 (...)".
std::string NeverIssuedSsnRule(bool allowItin = false);

// Why a text is not an employee's social security number: not nine digits
// written ###-##-####, or a number that is never issued. Nullopt when it is
// one; an empty text is left to the caller's own message.
std::optional<std::string> EmployeeSsnProblem(std::string_view ssn);

}  // namespace formet
