#include "records/identifying_numbers.h"

namespace formet {
namespace {

bool IsBlankChar(char c) { return c == ' ' || c == '\xA0'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view WithoutSurroundingBlanks(std::string_view text) {
  while (!text.empty() && IsBlankChar(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankChar(text.back())) text.remove_suffix(1);
  return text;
}

bool IsBlank(std::string_view text) { return WithoutSurroundingBlanks(text).empty(); }

bool SameIdentifyingNumber(std::string_view a, std::string_view b) {
  return WithoutSurroundingBlanks(a) == WithoutSurroundingBlanks(b);
}

bool IsIssuableSsn(std::string_view d, bool allowItin) {
  if (d.size() != 9) return false;
  for (char c : d)
    if (!IsDigit(c)) return false;
  const std::string_view area = d.substr(0, 3);
  if (area == "000" || area == "666" || (area[0] == '9' && !allowItin)) return false;
  return d.substr(3, 2) != "00" && d.substr(5, 4) != "0000";
}

std::string NeverIssuedSsnRule(bool allowItin) {
  return std::string("none is issued with area ") + (allowItin ? "000 or 666" : "000, 666 or 900-999") +
         " (the first three digits), group 00 (the middle two) or serial 0000 (the last four)";
}

std::optional<std::string> EmployeeSsnProblem(std::string_view ssn) {
  if (ssn.empty()) return std::nullopt;
  std::string digits;
  bool shaped = ssn.size() == 11;
  for (size_t i = 0; shaped && i < ssn.size(); ++i) {
    if (i == 3 || i == 6) shaped = ssn[i] == '-';
    else if ((shaped = IsDigit(ssn[i]))) digits += ssn[i];
  }
  const std::string quoted = "\"" + std::string(ssn) + "\"";
  if (!shaped)
    return "The social security number " + quoted + " must have nine digits, written ###-##-####.";
  if (!IsIssuableSsn(digits))
    return quoted + " is not a social security number: " + NeverIssuedSsnRule() + ".";
  return std::nullopt;
}

}  // namespace formet
