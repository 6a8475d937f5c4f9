#pragma once
// Amounts are held as text ("MoneyText"): a decimal number with two decimals,
// an optional leading minus sign and no thousands separators. Every page,
// total, print dialog and import converts them with these routines.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The same, or nullopt when the whole part is too large to be read exactly
// (where ParseMoneyCents saturates).
std::optional<int64_t> ParseMoneyCentsExact(std::string_view text);

// A sum of amounts in whole cents that knows when it can no longer be held:
// once an amount is too large to be read exactly or the sum leaves the range
// of 64 bits, it has no value, and a form must not show one.
class CentsTotal {
 public:
  void Add(std::string_view moneyText);
  void Add(int64_t cents);
  bool Held() const { return held_; }
  // The sum; 0 once it is no longer held.
  int64_t Cents() const { return held_ ? cents_ : 0; }

 private:
  int64_t cents_ = 0;
  bool held_ = true;
};

// What the money box of a transmittal (W-3, 1096) shows shows when its total cannot be held.
inline constexpr const char* kTotalTooLargeText = "too large";

// The message of totals that cannot be held: "The total of box 1 ..." for
// the boxes given (in order), the form and the forms it sums.
std::string TotalsTooLargeMessage(const std::vector<int>& boxes, const char* form, const char* summed);

// Cents printed as "%.2lf" prints the amount: "1250.50", "-0.25", "0.00".
std::string FormatCents(int64_t cents);

// The text replaced by its value printed with two decimals; empty gives
// "0.00". A negative zero ("-0", "-.00") gives "0.00".
std::string NormalizeMoney(std::string_view text);

// True when the text is exactly "0.00": such amounts are not printed.
inline bool IsZeroMoneyText(std::string_view text) { return text == "0.00"; }

}  // namespace formet
