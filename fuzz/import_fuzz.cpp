// libFuzzer target of the import's file reading: any bytes must end in a
// clean refusal or a table whose every cell obeys the rule for entered text,
// with the line splitter agreeing with a plain reference, and the column
// checks running over every column, with no crash, hang, out-of-bounds
// access or undefined behaviour. Built by scripts/fuzz-import.sh, never by
// the CMake build.
//
// The first byte chooses the separators (delimiter: comma, semicolon, tab;
// qualifier: double quote, apostrophe); the rest is the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "forms/money.h"
#include "import/column_checks.h"
#include "import/delimited_file.h"
#include "import/line_splitter.h"
#include "store/text_codec.h"

namespace {

using namespace formet;

void Require(bool condition) {
  if (!condition) std::abort();
}

// The splitting rules written out as plainly as possible.
std::vector<std::string> ReferenceSplit(std::string_view line, char d, char q) {
  std::vector<std::string> values;
  if (line.empty()) return values;
  std::string value;
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == q && quoted && i + 1 < line.size() && line[i + 1] == q) {
      value += q;
      ++i;
    } else if (c == q) {
      quoted = !quoted;
    } else if (c == d && !quoted) {
      values.push_back(value);
      value.clear();
      if (i + 1 == line.size()) return values;
    } else {
      value += c;
    }
  }
  values.push_back(value);
  return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char delimiters[] = {',', ';', '\t'};
  const char qualifiers[] = {'"', '\''};
  const char d = delimiters[data[0] % 3];
  const char q = qualifiers[(data[0] / 3) % 2];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  // The splitter on the raw bytes, line by line.
  size_t pos = 0;
  std::vector<std::string> reused;
  while (pos <= bytes.size()) {
    const size_t end = std::min(bytes.find('\n', pos), bytes.size());
    const std::string_view line = bytes.substr(pos, end - pos);
    const auto expected = ReferenceSplit(line, d, q);
    Require(SplitLine(line, d, q) == expected);
    const size_t n = SplitLine(line, d, q, reused, 3);
    Require(n == std::min<size_t>(expected.size(), 3));
    for (size_t i = 0; i < n; ++i) Require(reused[i] == expected[i]);
    pos = end + 1;
  }

  ImportTable table;
  const ReadResult result = ReadDelimitedText(bytes, d, q, table);
  if (!result.HasTable()) {
    Require(table.RowCount() == 0 && !result.message.empty());
    return 0;
  }
  Require(table.RowCount() >= 1 && table.ColumnCount() >= 1 && table.ColumnCount() <= kMaxImportColumns);
  // Every cell of the first columns (a wide header with many short rows
  // would make all of them too many to visit per input).
  const size_t columns = std::min<size_t>(table.ColumnCount(), 64);
  size_t refusedSeen = 0;
  for (size_t r = 0; r < table.RowCount(); ++r) {
    for (size_t c = 0; c < columns; ++c) {
      const std::string_view cell = table.Cell(r, c);
      if (table.IsRefused(r, c)) {
        ++refusedSeen;
        Require(!table.RefusedReason(r, c).empty());
        continue;
      }
      // What entered the table passes the rule for entered text as it is.
      const auto again = AcceptEnteredText(Win1252ToUtf8(cell));
      Require(again && *again == cell);
    }
    Require(table.Cell(r, table.ColumnCount()).empty());
  }
  Require(refusedSeen <= table.RefusedCount());
  if (columns == table.ColumnCount()) Require(refusedSeen == table.RefusedCount());
  // Bad rows are in row order and name a value of their row.
  for (size_t i = 0; i < table.RowProblems().size(); ++i) {
    const RowProblem& p = table.RowProblems()[i];
    Require(p.row >= 1 && p.row < table.RowCount());
    Require(i == 0 || table.RowProblems()[i - 1].row < p.row);
    Require(!table.RowProblemMessage(p).empty());
  }

  // The checks over every column: numbers, states, identifying numbers, and
  // texts under the rules of a name field and of a zip code's mask.
  PayeeBatch none;
  const EditRule name{.kind = FieldKind::Text, .maxLength = 20, .refused = kPersonNameExclusion};
  const EditRule zip{.kind = FieldKind::Mask, .mask = "#####-####"};
  for (size_t c = 0; c < table.ColumnCount() && c < 8; ++c) {
    const ImportColumn column = ColumnOfTable(table, c);
    ErrorReport report;
    CheckAmounts(column, report);
    CheckStates(column, report);
    CheckIdentifyingNumbers(column, none, "dup %d", "has %s", report, [](size_t, std::string_view) {});
    CheckTexts(column, "empty", 20, "long", &name, report);
    CheckTexts(column, nullptr, 11, "long", &zip, report);
    (void)report.Text();
    for (const auto value : column.values) {
      // A text is refused exactly when it holds a character the field refuses.
      Require(TypedValueProblem(name, value).has_value() ==
              (value.find_first_of(kPersonNameExclusion) != std::string_view::npos));

      if (!IsImportNumber(value)) continue;
      const std::string amount = ImportedAmount(value);
      Require(NormalizeMoney(amount) == amount);
      // Without an exponent the amount is what ParseMoney reads, sign aside.
      if (value.find_first_of("eE") == std::string_view::npos) {
        const std::string_view unsigned_ = value[0] == '+' ? value.substr(1) : value;
        Require(amount == NormalizeMoney(unsigned_));
      }
    }
  }
  return 0;
}
