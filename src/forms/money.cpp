#include "forms/money.h"

#include <cinttypes>
#include <cstdio>
#include <limits>

#include "records/field_table.h"

namespace formet {
namespace {

constexpr int64_t kMaxWholeDollars = std::numeric_limits<int64_t>::max() / 100 - 1;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct MoneyParts {
  bool negative = false;
  int64_t whole = 0;     // saturated at kMaxWholeDollars
  int64_t hundredths = 0;
  bool saturated = false;
};

MoneyParts Split(std::string_view text) {
  MoneyParts p;
  size_t i = 0;
  if (!text.empty() && text[0] == '-') {
    p.negative = true;
    i = 1;
  }
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (p.whole <= kMaxWholeDollars) p.whole = p.whole * 10 + (text[i] - '0');
  }
  if (p.whole > kMaxWholeDollars) {
    p.whole = kMaxWholeDollars;
    p.saturated = true;
  }
  const size_t point = text.find('.');
  if (point == std::string_view::npos) return p;
  // The whole part is only what precedes the point; "12x.5" reads 12 and .5.
  size_t j = point + 1;
  int digits = 0;
  int64_t frac = 0;
  while (j < text.size() && IsDigit(text[j]) && digits < 2) {
    frac = frac * 10 + (text[j] - '0');
    ++digits;
    ++j;
  }
  p.hundredths = digits == 1 ? frac * 10 : frac;
  return p;
}

}  // namespace

double ParseMoney(std::string_view text) {
  const MoneyParts p = Split(text);
  const double size = static_cast<double>(p.whole) + static_cast<double>(p.hundredths) * 0.01;
  return p.negative ? -size : size;
}

int64_t ParseMoneyCents(std::string_view text) {
  const MoneyParts p = Split(text);
  const int64_t size = p.whole * 100 + p.hundredths;
  return p.negative ? -size : size;
}

std::optional<int64_t> ParseMoneyCentsExact(std::string_view text) {
  const MoneyParts p = Split(text);
  if (p.saturated) return std::nullopt;
  const int64_t size = p.whole * 100 + p.hundredths;
  return p.negative ? -size : size;
}

void CentsTotal::Add(std::string_view moneyText) {
  if (const auto cents = ParseMoneyCentsExact(moneyText)) Add(*cents);
  else held_ = false;
}

void CentsTotal::Add(int64_t cents) {
  if (held_ && __builtin_add_overflow(cents_, cents, &cents_)) held_ = false;
}

std::string TotalsTooLargeMessage(const std::vector<int>& boxes, const char* form, const char* summed) {
  if (boxes.empty()) return {};
  std::string names;
  for (size_t i = 0; i < boxes.size(); ++i) {
    if (i > 0) names += i + 1 == boxes.size() ? " and " : ", ";
    names += std::to_string(boxes[i]);
  }
  const bool one = boxes.size() == 1;
  return std::string(one ? "The total of box " : "The totals of boxes ") + names + " of the " + form +
         (one ? " is" : " are") + " too large to be held: the " + summed +
         " amounts add up to more than any form can show. One of them is far too large (a form's amount has at "
         "most " + std::to_string(kAmountWholeDigits) + " whole digits); correct it on its form.";
}

std::string FormatCents(int64_t cents) {
  const bool negative = cents < 0;
  // Magnitude as unsigned so the most negative value is safe.
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%s%" PRIu64 ".%02" PRIu64, negative ? "-" : "", magnitude / 100,
                magnitude % 100);
  return buf;
}

std::string NormalizeMoney(std::string_view text) { return FormatCents(ParseMoneyCents(text)); }

}  // namespace formet
