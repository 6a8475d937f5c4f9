#pragma once
// The checks a column of an import file passes before it is assigned to a
// field, and the error report they write. Shared by the W-2 and 1099-MISC
// imports.
#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/identifying_numbers.h"
#include "records/payee_batch.h"

namespace formet {

// A column's values of data rows 1 to n, in row order (Windows-1252), and the
// values the rule for entered text refused, which the checks report first.
struct ImportColumn {
  struct Refused {
    size_t index;        // into values
    std::string reason;  // for the user
  };
  std::vector<std::string_view> values;
  std::vector<Refused> refused;  // by index
};

// The report of one column's check. Each error names its row (rows are
// numbered from 1); errors of one row form a numbered block:
//   "\r\n\r\n(B)  Row #: R" then "\r\n\r\nError #E: message" per error,
// blocks after the first preceded by CR LF and a line of 166 underscores.
// A column of thousands of bad values stops listing them after
// kMaxListedErrors and ends with the number of those not listed.
class ErrorReport {
 public:
  static constexpr size_t kMaxListedErrors = 1000;

  void Add(size_t row, std::string_view message);
  // `count` further errors of `row` that need not be spelled out once the
  // list is full (each is listed by `listed(i)` while there is room).
  template <class Listed>
  void AddMany(size_t row, size_t count, Listed&& listed) {
    for (size_t i = 0; i < count; ++i) {
      if (Full()) {
        unlisted_ += count - i;
        return;
      }
      Add(row, listed(i));
    }
  }
  bool Full() const { return listed_ >= kMaxListedErrors; }
  bool Empty() const { return listed_ == 0 && unlisted_ == 0; }
  // The report; empty when the column is acceptable.
  std::string Text() const;

 private:
  std::string text_;
  size_t block_ = 1;
  size_t lastRow_ = 0;  // rows count from 1; 0 = no error yet
  int counter_ = 1;
  size_t listed_ = 0, unlisted_ = 0;
};

// "%d" or "%s" put into a message.
std::string FormatMessage(const char* format, int number);
std::string FormatMessage(const char* format, std::string_view text);

// A number as the import reads it: an optional sign, digits, and optionally
// a point with digits, which may be followed by an exponent (e or E, an
// optional sign, digits). No spaces, no thousands separators, no currency
// sign; no exponent right after the whole digits, no leading or trailing point.
bool IsImportNumber(std::string_view text);

// The amount an import number stands for, as a MoneyText with two decimals:
// the sign and exponent are applied and the decimals beyond two are cut as
// ParseMoney cuts them ("+5" 5.00, "1.5E+03" 1500.00, "-1.239" -1.23). An
// empty text gives "0.00". Any other text goes to NormalizeMoney as it is.
std::string ImportedAmount(std::string_view text);

// The value of a check-box text: its leading digits (empty gives 0).
int LeadingNumber(std::string_view text);

// What every check does per row: a value the rule for entered text refused
// is reported with that reason and not checked further; `check(row, value)`
// runs for every other value, rows numbered from 1.
template <class Check>
void ForEachValue(const ImportColumn& column, ErrorReport& report, Check&& check) {
  auto refused = column.refused.begin();
  for (size_t i = 0; i < column.values.size(); ++i) {
    if (refused != column.refused.end() && refused->index == i) {
      report.Add(i + 1, refused->reason);
      ++refused;
      continue;
    }
    check(i + 1, column.values[i]);
  }
}

// The shared checks, each over a whole column.
void CheckLength(const ImportColumn& column, size_t limit, const char* message, ErrorReport& report);
void CheckLabelledLength(const ImportColumn& column, const char* label, size_t limit, ErrorReport& report);
void CheckNumbers(const ImportColumn& column, ErrorReport& report);
void CheckStates(const ImportColumn& column, ErrorReport& report);
void CheckZeroOrOne(const ImportColumn& column, const char* message, ErrorReport& report);

// An identifying number per row (a social security or identification
// number), blanks around it aside: for each non-empty value, every other row
// with an equal value is reported with `duplicate` (naming that row), and a
// value some payee of the company has already (`company`) with `existing`
// (naming the value). `lengthCheck` runs first on each value (without its
// blanks). Equal values are found through a hash, so a column costs the same
// per row however long it is.
template <class LengthCheck>
void CheckIdentifyingNumbers(const ImportColumn& column, const PayeeBatch& company,
                             const char* duplicate, const char* existing, ErrorReport& report,
                             LengthCheck&& lengthCheck);

// ---- implementation of the template ------------------------------------------------

// Rows (from 1) of each non-empty, accepted value (blanks around it aside),
// in row order.
class EqualValues {
 public:
  explicit EqualValues(const ImportColumn& column);
  // The rows holding the value of `row`, itself included, in row order;
  // empty for an empty or refused value.
  std::span<const size_t> RowsOf(size_t row) const;

 private:
  std::vector<size_t> groupOf_;     // per row (from 0): its group, or npos
  std::vector<size_t> groupStart_;  // each group's first entry in rows_, then the end
  std::vector<size_t> rows_;        // rows of group 0, then of group 1, ...
};

template <class LengthCheck>
void CheckIdentifyingNumbers(const ImportColumn& column, const PayeeBatch& company,
                             const char* duplicate, const char* existing, ErrorReport& report,
                             LengthCheck&& lengthCheck) {
  const EqualValues equal(column);
  ForEachValue(column, report, [&](size_t row, std::string_view given) {
    const std::string_view value = WithoutSurroundingBlanks(given);
    lengthCheck(row, value);
    const auto rows = equal.RowsOf(row);
    if (rows.size() > 1) {
      // Every other row with the same value, in row order.
      const auto self = static_cast<size_t>(std::lower_bound(rows.begin(), rows.end(), row) - rows.begin());
      report.AddMany(row, rows.size() - 1, [&](size_t i) {
        return FormatMessage(duplicate, static_cast<int>(rows[i < self ? i : i + 1]));
      });
    }
    if (!value.empty() && company.Has(value)) report.Add(row, FormatMessage(existing, value));
  });
}

}  // namespace formet
