#include "import/column_checks.h"

#include <limits>
#include <unordered_map>

#include "forms/money.h"
#include "records/states.h"

namespace formet {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Replace(const char* format, std::string_view placeholder, std::string_view with) {
  std::string out(format);
  const size_t at = out.find(placeholder);
  if (at != std::string::npos) out.replace(at, placeholder.size(), with);
  return out;
}

std::string LabelledLengthMessage(const char* label, size_t limit) {
  return std::string("Field too long: \"") + label + "\" can't be more than " + std::to_string(limit) +
         " characters long.";
}

}  // namespace

// ---- the report -----------------------------------------------------------------

void ErrorReport::Add(size_t row, std::string_view message) {
  if (Full()) {
    ++unlisted_;
    return;
  }
  if (row != lastRow_) {
    if (block_ != 1) text_ += "\r\n" + std::string(166, '_');
    text_ += "\r\n\r\n(" + std::to_string(block_) + ")  Row #: " + std::to_string(row);
    ++block_;
    counter_ = 1;
    lastRow_ = row;
  }
  text_ += "\r\n\r\nError #" + std::to_string(counter_) + ": ";
  text_ += message;
  ++counter_;
  ++listed_;
}

std::string ErrorReport::Text() const {
  if (unlisted_ == 0) return text_;
  return text_ + "\r\n" + std::string(166, '_') + "\r\n\r\nThe report stops here: " + std::to_string(unlisted_) +
         (unlisted_ == 1 ? " more error was" : " more errors were") + " found in this column.";
}

std::string FormatMessage(const char* format, int number) { return Replace(format, "%d", std::to_string(number)); }
std::string FormatMessage(const char* format, std::string_view text) { return Replace(format, "%s", text); }

// ---- numbers --------------------------------------------------------------------

bool IsImportNumber(std::string_view t) {
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  const auto digits = [&] {
    const size_t start = i;
    while (i < t.size() && IsDigit(t[i])) ++i;
    return i > start;
  };
  if (!digits()) return false;
  if (i == t.size()) return true;
  if (t[i] != '.') return false;
  ++i;
  if (!digits()) return false;
  if (i == t.size()) return true;
  if (t[i] != 'e' && t[i] != 'E') return false;
  ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  return digits() && i == t.size();
}

std::string ImportedAmount(std::string_view t) {
  // Without a plus sign or an exponent, ParseMoney reads the number as it is.
  if (t.find_first_of("+eE") == std::string_view::npos || !IsImportNumber(t)) return NormalizeMoney(t);
  size_t i = 0;
  bool negative = false;
  if (t[i] == '+' || t[i] == '-') negative = t[i++] == '-';
  // The digits without the point, and where the point goes among them.
  std::string digits;
  while (i < t.size() && IsDigit(t[i])) digits += t[i++];
  long point = static_cast<long>(digits.size());
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && IsDigit(t[i])) digits += t[i++];
  }
  if (i < t.size()) {  // the exponent
    ++i;
    bool down = false;
    if (t[i] == '+' || t[i] == '-') down = t[i++] == '-';
    long exponent = 0;
    for (; i < t.size(); ++i)
      if (exponent < 1000000) exponent = exponent * 10 + (t[i] - '0');
    point += down ? -exponent : exponent;
  }
  const size_t zeros = digits.find_first_not_of('0');
  if (zeros == std::string::npos) return "0.00";
  digits.erase(0, zeros);
  point -= static_cast<long>(zeros);
  std::string text = negative ? "-" : "";
  if (point <= 0) {
    // Below one: only the first two decimals count.
    if (point < -2) return "0.00";
    text += "0." + std::string(static_cast<size_t>(-point), '0') + digits;
  } else if (static_cast<size_t>(point) >= digits.size()) {
    // A whole number; far beyond any amount it reads as large as ParseMoney
    // reads a whole number.
    text += point > 40 ? std::string(41, '9') : digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
  } else {
    text += digits.substr(0, static_cast<size_t>(point)) + "." + digits.substr(static_cast<size_t>(point));
  }
  return NormalizeMoney(text);
}

int LeadingNumber(std::string_view text) {
  long value = 0;
  for (char c : text) {
    if (!IsDigit(c)) break;
    value = std::min<long>(value * 10 + (c - '0'), std::numeric_limits<int>::max());
  }
  return static_cast<int>(value);
}

// ---- the shared checks --------------------------------------------------------------

void CheckLength(const ImportColumn& column, size_t limit, const char* message, ErrorReport& report) {
  const std::string text = FormatMessage(message, static_cast<int>(limit));
  ForEachValue(column, report, [&](size_t row, std::string_view value) {
    if (value.size() > limit) report.Add(row, text);
  });
}

void CheckLabelledLength(const ImportColumn& column, const char* label, size_t limit, ErrorReport& report) {
  const std::string text = LabelledLengthMessage(label, limit);
  ForEachValue(column, report, [&](size_t row, std::string_view value) {
    if (value.size() > limit) report.Add(row, text);
  });
}

void CheckNumbers(const ImportColumn& column, ErrorReport& report) {
  ForEachValue(column, report, [&](size_t row, std::string_view value) {
    if (!value.empty() && !IsImportNumber(value))
      report.Add(row,
                 FormatMessage("Field has to be a number: \"%s\" can\x92t be interpreted as a numeric value", value));
  });
}

void CheckStates(const ImportColumn& column, ErrorReport& report) {
  const std::string tooLong = LabelledLengthMessage("State Abbreviation", 2);
  ForEachValue(column, report, [&](size_t row, std::string_view value) {
    if (value.size() > 2) report.Add(row, tooLong);
    if (!FindState(value)) report.Add(row, FormatMessage("\"%s\" is not a valid state abbreviation.", value));
  });
}

void CheckZeroOrOne(const ImportColumn& column, const char* message, ErrorReport& report) {
  ForEachValue(column, report, [&](size_t row, std::string_view value) {
    if (!value.empty() && value != "0" && value != "1") report.Add(row, message);
  });
}

// ---- equal values -------------------------------------------------------------------

EqualValues::EqualValues(const ImportColumn& column) {
  constexpr size_t npos = static_cast<size_t>(-1);
  const size_t n = column.values.size();
  groupOf_.assign(n, npos);
  std::unordered_map<std::string_view, size_t> groups;
  groups.reserve(n);
  std::vector<size_t> counts;
  auto refused = column.refused.begin();
  for (size_t i = 0; i < n; ++i) {
    if (refused != column.refused.end() && refused->index == i) {
      ++refused;
      continue;
    }
    const std::string_view number = WithoutSurroundingBlanks(column.values[i]);
    if (number.empty()) continue;
    const auto [it, added] = groups.try_emplace(number, counts.size());
    if (added) counts.push_back(0);
    groupOf_[i] = it->second;
    ++counts[it->second];
  }
  groupStart_.assign(counts.size() + 1, 0);
  for (size_t g = 0; g < counts.size(); ++g) groupStart_[g + 1] = groupStart_[g] + counts[g];
  rows_.resize(groupStart_.back());
  std::vector<size_t> next(groupStart_.begin(), groupStart_.end() - 1);
  for (size_t i = 0; i < n; ++i)
    if (groupOf_[i] != npos) rows_[next[groupOf_[i]]++] = i + 1;
}

std::span<const size_t> EqualValues::RowsOf(size_t row) const {
  const size_t g = row >= 1 && row <= groupOf_.size() ? groupOf_[row - 1] : static_cast<size_t>(-1);
  if (g == static_cast<size_t>(-1)) return {};
  return std::span<const size_t>(rows_).subspan(groupStart_[g], groupStart_[g + 1] - groupStart_[g]);
}

}  // namespace formet
