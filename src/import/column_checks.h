#pragma once
// The checks a column of an import file passes before it is assigned to a
// field, and the error report they write. Shared by the W-2 and 1099-MISC
// imports.
#include <algorithm>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "import/delimited_file.h"
#include "records/field_table.h"
#include "records/identifying_numbers.h"
#include "records/payee_batch.h"

namespace formet {

// A column's values of data rows 1 to n, in row order (Windows-1252), and the
// values the rule for entered text refused, which the checks report first.
struct ImportColumn {
  struct Refused {
    size_t index;             // into values
    std::string_view reason;  // for the user: one of `reasons`, or a text that outlives the column
  };
  std::vector<std::string_view> values;
  std::vector<Refused> refused;  // by index
  // The reasons the refused values name, each once (they do not move while
  // the column lives, moved or not; it is never copied).
  std::deque<std::string> reasons;

  ImportColumn() = default;
  ImportColumn(ImportColumn&&) = default;
  ImportColumn& operator=(ImportColumn&&) = default;
  ImportColumn(const ImportColumn&) = delete;
  ImportColumn& operator=(const ImportColumn&) = delete;
};

// The values of a table's column as the checks see them: those of rows 1 to
// n, each cut to kCheckedCellLength characters, and the values refused on
// reading with their reasons.
ImportColumn ColumnOfTable(const ImportTable& table, size_t column);

// The report of one column's check. Each error names its row (rows are
// numbered from 1); errors of one row form a numbered block:
//   "\r\n\r\n(B)  Row #: R" then "\r\n\r\nError #E: message" per error,
// blocks after the first preceded by CR LF and a line of 166 underscores.
// A column of thousands of bad values stops listing them after
// kMaxListedErrors and ends with the number of those not listed.
class ErrorReport {
 public:
  static constexpr size_t kMaxListedErrors = 1000;
  // Told of the errors of every row, listed in the text or not: each error
  // while the list has room, at least the first of a row after.
  using Sink = std::function<void(size_t row, std::string_view message)>;

  ErrorReport() = default;
  explicit ErrorReport(Sink sink) : sink_(std::move(sink)) {}

  void Add(size_t row, std::string_view message);
  // `count` further errors of `row` that need not be spelled out once the
  // list is full (each is listed by `listed(i)` while there is room).
  template <class Listed>
  void AddMany(size_t row, size_t count, Listed&& listed) {
    for (size_t i = 0; i < count; ++i) {
      if (Full()) {
        if (sink_) sink_(row, listed(i));
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
  Sink sink_;
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

// An amount text this long or longer is refused as too large: no amount is
// written so, and a cell longer than the part a check sees must never be read
// as the shorter amount it was cut to.
inline constexpr size_t kLongestAmountText = 100;

// An amount of an import file as it will be stored, or why it cannot be.
struct ImportAmount {
  std::string amount;   // a MoneyText with two decimals
  std::string problem;  // the error for the report; empty when the amount is accepted
};

// Reads an amount of an import file: an import number (IsImportNumber), or
// an amount as spreadsheets save it, with a currency sign and thousands
// separators ("$31,250.00", "-$1,250", "31,250"). Spaces around it do not
// count; an empty text is 0.00. The sign and exponent are applied and the
// decimals beyond two cut as ParseMoney cuts them ("+5" 5.00, "1.5E+03"
// 1500.00, "-1.239" -1.23). Refused: what is no amount, a negative amount in
// parentheses, and an amount of more than kAmountWholeDigits whole digits,
// which no form holds. `amount` is the text NormalizeMoney makes of it even
// then.
ImportAmount ReadImportAmount(std::string_view text);

// The amount an accepted import amount is stored as (ReadImportAmount's).
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

// "Field too long: \"Address 1\" can't be more than 30 characters long."
std::string LabelledLengthMessage(std::string_view label, size_t limit);

// Why a value of a file cannot go into the page or dialog field whose input
// rule is `typed` as the field would take it from the keyboard: a character
// the text field refuses ("\"Attn: Ren\xE9e\" cannot be stored. This field
// does not take the character : (not allowed: ...).") or a pattern the mask
// field has no place for. Its length is the check's own. Nullopt when the
// field takes it.
std::optional<std::string> TypedValueProblem(const EditRule& typed, std::string_view value);

// The shared checks, each over a whole column.
// Texts: `empty` (when given) for a value of blanks alone, `tooLong` for a
// value of more than `limit` characters, and what the field whose input rule
// the column follows (`typed`, when given) refuses.
void CheckTexts(const ImportColumn& column, const char* empty, size_t limit, const std::string& tooLong,
                const EditRule* typed, ErrorReport& report);
// Amounts: each value must be read by ReadImportAmount without a problem.
void CheckAmounts(const ImportColumn& column, ErrorReport& report);
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
