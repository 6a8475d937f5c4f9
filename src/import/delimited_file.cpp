#include "import/delimited_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>

#include "import/line_splitter.h"
#include "store/text_codec.h"

namespace formet {
namespace {

namespace fs = std::filesystem;

ReadResult Failure(std::string message) {
  ReadResult r;
  r.outcome = ReadResult::Outcome::Failed;
  r.message = std::move(message);
  r.errorIcon = true;
  return r;
}

// The next line of `text` from `pos`, without its LF or CR LF; none at the
// end. A file ending with one line break has no empty last line.
std::optional<std::string_view> NextLine(std::string_view text, size_t& pos) {
  if (pos >= text.size()) return std::nullopt;
  const size_t end = text.find('\n', pos);
  std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
  pos = end == std::string_view::npos ? text.size() : end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool PlainAscii(std::string_view text) {
  for (unsigned char c : text)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

// The Windows-1252 text of a UTF-8 value, with "?" for what the code page
// lacks: what a refused value shows in places that need a record's text.
std::string Approximate1252(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
    const auto one = Utf8ToWin1252(utf8.substr(i, std::min(len, utf8.size() - i)));
    out += one && one->size() == 1 && static_cast<unsigned char>((*one)[0]) >= 0x20 ? *one : "?";
    i += len;
  }
  return out;
}

class TableWriter {
 public:
  TableWriter(ImportTable& table, FileEncoding encoding) : table_(table), encoding_(encoding) {}

  // A value as split from the line (in the file's text: UTF-8, or
  // Windows-1252 bytes) enters the table through the rule for entered text.
  void Add(std::string_view value) {
    if (PlainAscii(value)) {
      table_.AddCell(value);
      return;
    }
    std::string problem;
    if (encoding_ == FileEncoding::Windows1252) {
      std::string utf8 = Win1252ToUtf8(value);
      if (AcceptEnteredText(utf8, &problem)) table_.AddCell(value);
      else table_.AddRefusedCell(value, std::move(problem), std::move(utf8));
      return;
    }
    if (auto text = AcceptEnteredText(value, &problem)) table_.AddCell(*text);
    else table_.AddRefusedCell(Approximate1252(value), std::move(problem), std::string(value));
  }

 private:
  ImportTable& table_;
  FileEncoding encoding_;
};

std::string WithNumber(const char* format, size_t number) {
  char buf[256];
  std::snprintf(buf, sizeof buf, format, number);
  return buf;
}

}  // namespace

char DelimiterFromBox(std::string_view box) {
  if (box == "0x09") return '\t';
  return box.empty() ? ',' : box[0];
}

char QualifierFromBox(std::string_view box) { return box.empty() ? '"' : box[0]; }

// ---- the table ------------------------------------------------------------------

std::string_view ImportTable::Cell(size_t row, size_t column) const {
  if (row + 1 >= rowStart_.size()) return {};
  const size_t first = rowStart_[row], cells = rowStart_[row + 1] - first;
  if (column >= cells) return {};
  const size_t cell = first + column;
  const size_t begin = cell == 0 ? 0 : cellEnd_[cell - 1];
  return std::string_view(text_).substr(begin, cellEnd_[cell] - begin);
}

const RefusedCell* ImportTable::RefusedAt(size_t row, size_t column) const {
  const auto it = std::lower_bound(refused_.begin(), refused_.end(), std::pair(row, column),
                                   [](const RefusedCell& r, const std::pair<size_t, size_t>& at) {
                                     return std::pair(r.row, r.column) < at;
                                   });
  return it != refused_.end() && it->row == row && it->column == column ? &*it : nullptr;
}

void ImportTable::Clear() {
  columns_ = 0;
  text_.clear();
  cellEnd_.clear();
  rowStart_.clear();
  refused_.clear();
}

void ImportTable::Reserve(size_t textBytes, size_t cells, size_t rows) {
  text_.reserve(textBytes);
  cellEnd_.reserve(cells);
  rowStart_.reserve(rows + 1);
}

void ImportTable::BeginRow() {
  if (rowStart_.empty()) rowStart_.push_back(0);
  rowStart_.push_back(rowStart_.back());
}

void ImportTable::AddCell(std::string_view text) {
  text_.append(text);
  cellEnd_.push_back(static_cast<uint32_t>(text_.size()));
  ++rowStart_.back();
}

void ImportTable::AddRefusedCell(std::string_view shown, std::string reason, std::string original) {
  const size_t row = RowCount() - 1, column = rowStart_.back() - rowStart_[rowStart_.size() - 2];
  AddCell(shown);
  refused_.push_back({row, column, std::move(reason), std::move(original)});
}

// ---- reading --------------------------------------------------------------------

ReadResult ReadDelimitedText(std::string_view bytes, char delimiter, char qualifier, ImportTable& table) {
  table.Clear();
  ReadResult result;
  std::string decoded;
  std::string_view text = bytes;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
    result.encoding = FileEncoding::Utf8;
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    // Spreadsheets save "Unicode text" as UTF-16 with a byte-order mark.
    const bool little = bytes[0] == '\xFF';
    std::u16string units((bytes.size() - 2) / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
      const auto a = static_cast<unsigned char>(bytes[2 + 2 * i]), b = static_cast<unsigned char>(bytes[3 + 2 * i]);
      units[i] = static_cast<char16_t>(little ? a | (b << 8) : (a << 8) | b);
    }
    decoded = Utf16ToUtf8(units);
    text = decoded;
    result.encoding = FileEncoding::Utf16;
  } else {
    result.encoding = IsValidUtf8(bytes) ? FileEncoding::Utf8 : FileEncoding::Windows1252;
  }
  if (text.find('\0') != std::string_view::npos)
    return Failure(
        "This file is not a text file: it holds zero bytes, which text never holds. Please choose a text "
        "file whose values are separated by commas, semicolons or tabs, such as a spreadsheet saved as CSV.");

  size_t pos = 0;
  const auto first = NextLine(text, pos);
  if (!first) return Failure("Can\x92t read first line from file.");
  std::vector<std::string> values;
  const size_t columns = SplitLine(*first, delimiter, qualifier, values, kMaxImportColumns + 1);
  if (columns == 0) return Failure("Can\x92t parse first line");
  if (columns > kMaxImportColumns)
    return Failure(WithNumber("The first line of the file holds more than %zu values. A file to import can have "
                              "at most that many columns: please check that the right separator is chosen.",
                              kMaxImportColumns));

  // Room for the whole file at once. A line holds no more cells than it has
  // bytes, plus one.
  const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  table.Reserve(text.size(), std::min(lines * columns, text.size() + lines), lines);
  TableWriter writer(table, result.encoding);
  table.SetColumnCount(columns);
  table.BeginRow();
  for (size_t c = 0; c < columns; ++c) writer.Add(values[c]);
  result.outcome = ReadResult::Outcome::Read;

  for (size_t dataRow = 1;; ++dataRow) {
    const auto line = NextLine(text, pos);
    if (!line) break;
    const size_t count = SplitLine(*line, delimiter, qualifier, values, columns);
    if (count == 0) {
      // An empty line ends the reading; the rows before it stay.
      result.outcome = ReadResult::Outcome::Stopped;
      result.message = WithNumber("Can\x92t parse first line: %zu", dataRow + 1);
      result.errorIcon = false;
      break;
    }
    table.BeginRow();
    for (size_t c = 0; c < count; ++c) writer.Add(values[c]);
  }
  return result;
}

ReadResult ReadDelimitedFile(const fs::path& path, char delimiter, char qualifier, ImportTable& table) {
  table.Clear();
  const std::string opening = "Couldn't open source file: ";
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (ec) return Failure(opening + ec.message());
  if (fs::is_directory(status)) return Failure(opening + std::strerror(EISDIR));
  // A named pipe or a device would block or never end.
  if (!fs::is_regular_file(status)) return Failure(opening + "it is not a regular file.");
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return Failure(opening + std::strerror(errno));
  const auto size = fs::file_size(path, ec);
  if (ec) return Failure(opening + ec.message());
  if (size > kMaxImportFileBytes)
    return Failure(WithNumber("The file is too large to be imported: a file to import can hold at most %zu MB.",
                              static_cast<size_t>(kMaxImportFileBytes >> 20)));
  std::string bytes(static_cast<size_t>(size), '\0');
  size_t got = 0;
  while (got < bytes.size()) {
    const size_t n = std::fread(bytes.data() + got, 1, bytes.size() - got, file.get());
    if (n == 0) break;
    got += n;
  }
  if (std::ferror(file.get())) return Failure(opening + std::strerror(errno));
  // A file that shrank while it was read is read as far as it goes.
  bytes.resize(got);
  return ReadDelimitedText(bytes, delimiter, qualifier, table);
}

}  // namespace formet
