#include "import/column_checks.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <unordered_map>

#include "forms/money.h"
#include "kit/masked_edit_rules.h"
#include "records/field_table.h"
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

}  // namespace

std::string LabelledLengthMessage(std::string_view label, size_t limit) {
  return "Field too long: \"" + std::string(label) + "\" can't be more than " + std::to_string(limit) +
         " characters long.";
}

std::optional<std::string> TypedValueProblem(const EditRule& typed, std::string_view value) {
  std::string problem;
  if (typed.kind == FieldKind::Text) {
    std::string found;
    for (char c : value)
      if (typed.refused.find(c) != std::string_view::npos && found.find(c) == std::string::npos) found += c;
    if (found.empty()) return std::nullopt;
    problem = maskedit::RefusedCharacterNote(found, typed.refused);
  } else if (typed.kind == FieldKind::Mask) {
    const auto misfit = FieldInputProblem(typed, value);
    if (!misfit) return std::nullopt;
    problem = "It " + *misfit + ".";
  } else {
    return std::nullopt;
  }
  return "\"" + std::string(value) + "\" cannot be stored. " + problem;
}

// ---- the report -----------------------------------------------------------------

void ErrorReport::Add(size_t row, std::string_view message) {
  if (sink_) sink_(row, message);
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

namespace {

// An import number as a plain decimal text: the sign and the exponent
// applied, the digits as they are (before any cut to two decimals).
std::string PlainDecimal(std::string_view t) {
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
  if (zeros == std::string::npos) return "0";
  digits.erase(0, zeros);
  point -= static_cast<long>(zeros);
  std::string text = negative ? "-" : "";
  if (point <= 0) {
    // Below one: only the first two decimals count.
    if (point < -2) return "0";
    text += "0." + std::string(static_cast<size_t>(-point), '0') + digits;
  } else if (static_cast<size_t>(point) >= digits.size()) {
    // A whole number; far beyond any amount only its size counts.
    text += point > 40 ? std::string(41, '9') : digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
  } else {
    text += digits.substr(0, static_cast<size_t>(point)) + "." + digits.substr(static_cast<size_t>(point));
  }
  return text;
}

// An amount as spreadsheets save it: an optional sign, an optional dollar
// sign (the sign may follow it), whole digits either plain or grouped by
// thousands with commas, then optionally a point and digits. As a plain
// decimal text, or nullopt when the text is not written so.
std::optional<std::string> FormattedDecimal(std::string_view t) {
  size_t i = 0;
  std::string out;
  const auto sign = [&] {
    if (out.empty() && i < t.size() && (t[i] == '-' || t[i] == '+')) {
      if (t[i] == '-') out = "-";
      else out = "+";
      ++i;
    }
  };
  sign();
  if (i < t.size() && t[i] == '$') ++i;
  sign();
  if (out == "+") out.clear();
  const size_t start = i;
  size_t group = 0;  // digits since the last comma (or the start)
  bool grouped = false;
  for (; i < t.size() && (IsDigit(t[i]) || t[i] == ','); ++i) {
    if (t[i] == ',') {
      // A comma follows one to three digits, and then only after three.
      if (group == 0 || group > 3 || (grouped && group != 3)) return std::nullopt;
      grouped = true;
      group = 0;
      continue;
    }
    out += t[i];
    ++group;
  }
  if (i == start || group == 0 || (grouped && group != 3)) return std::nullopt;
  if (i < t.size() && t[i] == '.') {
    out += '.';
    const size_t decimals = ++i;
    while (i < t.size() && IsDigit(t[i])) out += t[i++];
    if (i == decimals) return std::nullopt;
  }
  if (i != t.size()) return std::nullopt;
  return out;
}

bool IsSpace(char c) { return c == ' ' || c == '\xA0'; }

}  // namespace

ImportAmount ReadImportAmount(std::string_view text) {
  std::string_view t = text;
  while (!t.empty() && IsSpace(t.front())) t.remove_prefix(1);
  while (!t.empty() && IsSpace(t.back())) t.remove_suffix(1);
  ImportAmount result;
  if (t.empty()) {
    result.amount = "0.00";
    return result;
  }
  std::optional<std::string> plain;
  if (IsImportNumber(t)) plain = PlainDecimal(t);
  else if (t.size() < kLongestAmountText) plain = FormattedDecimal(t);
  if (!plain) {
    result.amount = NormalizeMoney(t);
    if (t.size() >= 2 && t.front() == '(' && t.back() == ')' && FormattedDecimal(t.substr(1, t.size() - 2)))
      result.problem = FormatMessage(
          "Negative amounts in parentheses are not read: \"%s\". Write a negative amount with a minus sign "
          "(-500.00), if the form is to carry one.",
          text);
    else
      result.problem =
          FormatMessage("Field has to be a number: \"%s\" can\x92t be interpreted as a numeric value", text);
    return result;
  }
  result.amount = NormalizeMoney(*plain);
  if (!AmountFitsForms(*plain) || text.size() >= kLongestAmountText)
    result.problem = FormatMessage(
        ("Amount too large: \"%s\" has more than " + std::to_string(kAmountWholeDigits) +
         " whole digits, more than any box of the form holds.")
            .c_str(),
        text);
  return result;
}

std::string ImportedAmount(std::string_view text) { return ReadImportAmount(text).amount; }

int LeadingNumber(std::string_view text) {
  long value = 0;
  for (char c : text) {
    if (!IsDigit(c)) break;
    value = std::min<long>(value * 10 + (c - '0'), std::numeric_limits<int>::max());
  }
  return static_cast<int>(value);
}

// ---- the values of a column ---------------------------------------------------------

ImportColumn ColumnOfTable(const ImportTable& table, size_t column) {
  ImportColumn values;
  const size_t rows = table.DataRowCount();
  values.values.reserve(rows);
  std::unordered_map<std::string, std::string_view> reasons;
  for (size_t r = 1; r <= rows; ++r) {
    values.values.push_back(table.Cell(r, column).substr(0, kCheckedCellLength));
    if (!table.IsRefused(r, column)) continue;
    // Few reasons, many values: each reason is held once.
    std::string reason = table.RefusedReason(r, column);
    auto it = reasons.find(reason);
    if (it == reasons.end()) {
      values.reasons.push_back(reason);
      it = reasons.emplace(std::move(reason), values.reasons.back()).first;
    }
    values.refused.push_back({r - 1, it->second});
  }
  return values;
}

// ---- the shared checks --------------------------------------------------------------

void CheckTexts(const ImportColumn& column, const char* empty, size_t limit, const std::string& tooLong,
                const EditRule* typed, ErrorReport& report) {
  // A text field's refused characters looked up at once: most values hold none.
  std::array<bool, 256> refused{};
  const bool text = typed && typed->kind == FieldKind::Text;
  if (text)
    for (unsigned char ch : typed->refused) refused[ch] = true;
  ForEachValue(column, report, [&](size_t row, std::string_view value) {
    if (empty && IsBlank(value)) report.Add(row, empty);  // spaces alone are no name
    if (value.size() > limit) report.Add(row, tooLong);
    if (!typed || value.empty()) return;
    const auto isRefused = [&](char ch) { return refused[static_cast<unsigned char>(ch)]; };
    if (text && std::none_of(value.begin(), value.end(), isRefused)) return;
    if (const auto problem = TypedValueProblem(*typed, value)) report.Add(row, *problem);
  });
}

void CheckAmounts(const ImportColumn& column, ErrorReport& report) {
  ForEachValue(column, report, [&](size_t row, std::string_view value) {
    if (value.empty()) return;
    const ImportAmount amount = ReadImportAmount(value);
    if (!amount.problem.empty()) report.Add(row, amount.problem);
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
