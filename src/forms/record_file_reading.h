#pragma once
// Reading back a file of fixed-width records, as the wage and corrections
// files are read before they are offered: the file cut into its records, and
// the checks every record gets whatever its type.
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formet::efile {

// Calls `each(index, record, end)` for every whole record of `width`
// characters and the `recordEnd` after it, and gives the count of records.
// An empty file, or one that is not a whole number of records, is said in
// `problems`; an empty file is not read further (0 records).
template <class Each>
size_t ForEachRecord(std::string_view bytes, size_t width, std::string_view recordEnd,
                     std::vector<std::string>& problems, Each each) {
  const size_t stride = width + recordEnd.size();
  if (bytes.empty()) {
    problems.push_back("the file is empty");
    return 0;
  }
  if (bytes.size() % stride != 0)
    problems.push_back("the file is " + std::to_string(bytes.size()) + " bytes long, not a whole number of " +
                       std::to_string(stride) + "-byte records");
  const size_t records = bytes.size() / stride;
  for (size_t i = 0; i < records; ++i)
    each(i, bytes.substr(i * stride, width), bytes.substr(i * stride + width, recordEnd.size()));
  return records;
}

// The first position (from 0) of a character outside printable ASCII.
inline std::optional<size_t> UnprintableAt(std::string_view record) {
  for (size_t p = 0; p < record.size(); ++p) {
    const auto c = static_cast<unsigned char>(record[p]);
    if (c < 0x20 || c >= 0x7F) return p;
  }
  return std::nullopt;
}

// Whether the record type before (`prev`, empty for the first record) is
// one the record may follow; the checker is told the problem when not.
template <class Checker>
void CheckFollows(Checker& check, size_t record, const std::string& type, const std::string& prev,
                  std::initializer_list<const char*> allowed) {
  for (const char* a : allowed)
    if (prev == a) return;
  check.Problem(record, type, prev.empty() ? "cannot open the file" : "cannot follow " + prev);
}

// The checks every record gets whatever its type: `width` characters and the
// `recordEnd` after them, printable ASCII, nothing after the final record
// (`afterFinal`), and the first record (`index` 0) of type `firstType`.
template <class Checker>
void CheckRecordFrame(Checker& check, size_t index, const std::string& type, std::string_view record,
                      std::string_view end, std::string_view recordEnd, bool afterFinal,
                      std::string_view finalType, std::string_view firstType) {
  const size_t n = index + 1;
  if (end != recordEnd)
    check.Problem(n, type, "is not " + std::to_string(record.size()) + " characters followed by the record end");
  if (const auto p = UnprintableAt(record))
    check.Problem(n, type, "position " + std::to_string(*p + 1) + " holds a character outside printable ASCII");
  if (afterFinal) check.Problem(n, type, "follows the final record " + std::string(finalType));
  if (index == 0 && type != firstType) check.Problem(n, type, "the file must begin with " + std::string(firstType));
}

}  // namespace formet::efile
