#pragma once
// Amounts are held as text ("MoneyText"): a decimal number with two decimals,
// an optional leading minus sign and no thousands separators. Every page,
// total, print dialog and import converts them with these routines.
#include <cstdint>
#include <string>
#include <string_view>

namespace formet {

using MoneyText = std::string;

// The value of an amount text:
// - empty: 0;
// - no ".": the text read as a whole number (an optional leading minus sign,
//   then its leading decimal digits);
// - otherwise the leading digits after the first "." give the fraction: two
//   digits are hundredths, one digit tenths, more than two count only their
//   first two (cut, not rounded), none give 0; the part before the "." is read
//   as a whole number (an empty part is 0). The result is negative when the
//   text begins with a minus sign.
double ParseMoney(std::string_view text);

// The same value in whole cents. Every ParseMoney value is a whole number of
// cents, so sums of cents are exact where sums of doubles drift. A whole part
// too large for the range saturates.
int64_t ParseMoneyCents(std::string_view text);

// Cents printed as "%.2lf" prints the amount: "1250.50", "-0.25", "0.00".
std::string FormatCents(int64_t cents);

// The text replaced by its value printed with two decimals; empty gives
// "0.00". A negative zero ("-0", "-.00") gives "0.00".
std::string NormalizeMoney(std::string_view text);

// True when the text is exactly "0.00": such amounts are not printed.
inline bool IsZeroMoneyText(std::string_view text) { return text == "0.00"; }

}  // namespace formet
