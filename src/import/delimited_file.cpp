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

std::string WithNumber(const char* format, size_t number) {
  char buf[256];
  std::snprintf(buf, sizeof buf, format, number);
  return buf;
}

// The lines of a text, from memory or read from a file a piece at a time.
// A line ends with LF, CR LF or a lone CR; a text ending with one line end
// has no empty last line.
class LineReader {
 public:
  explicit LineReader(std::string_view whole) : data_(whole) {}
  // From `skip` bytes on.
  LineReader(std::FILE* file, long skip) : file_(file), more_(true) {
    if (std::fseek(file_, skip, SEEK_SET) != 0) failed_ = true;
    buffer_.resize(kPiece);
  }

  // The next line, without its end; valid until the next call.
  std::optional<std::string_view> Next() {
    size_t from = 0;  // where the search for the line's end goes on
    for (;;) {
      const size_t at = data_.find_first_of("\r\n", from);
      if (at != std::string_view::npos) {
        // A CR at the end of what was read: an LF may follow.
        if (data_[at] == '\r' && at + 1 == data_.size() && more_) {
          from = at;
          Fill();
          continue;
        }
        const std::string_view line = data_.substr(0, at);
        const size_t end = data_[at] == '\r' && at + 1 < data_.size() && data_[at + 1] == '\n' ? 2 : 1;
        data_.remove_prefix(at + end);
        return line;
      }
      if (more_) {
        from = data_.size();
        Fill();
        continue;
      }
      if (data_.empty()) return std::nullopt;
      const std::string_view line = data_;
      data_ = {};
      return line;
    }
  }
  bool Failed() const { return failed_; }

 private:
  static constexpr size_t kPiece = 4u << 20;

  // Keeps what is not read yet at the start of the buffer and reads more
  // after it; the buffer grows for a line longer than it.
  void Fill() {
    const size_t kept = data_.size();
    if (kept > 0 && data_.data() != buffer_.data()) std::memmove(buffer_.data(), data_.data(), kept);
    if (buffer_.size() - kept < kPiece / 2) buffer_.resize(buffer_.size() * 2);
    const size_t n = std::fread(buffer_.data() + kept, 1, buffer_.size() - kept, file_);
    if (n == 0) {
      more_ = false;
      if (std::ferror(file_)) failed_ = true;
    }
    data_ = std::string_view(buffer_.data(), kept + n);
  }

  std::FILE* file_ = nullptr;
  std::string buffer_;
  std::string_view data_;
  bool more_ = false;
  bool failed_ = false;
};

// What a first pass finds: how many lines, and what the bytes are.
struct Census {
  size_t lines = 0;
  size_t bytes = 0;
  bool anyZero = false;
  bool utf8Characters = false;  // valid UTF-8 sequences beyond ASCII
  bool badUtf8 = false;         // bytes that are not UTF-8
};

void Count(std::string_view line, Census& census) {
  ++census.lines;
  census.bytes += line.size() + 1;
  if (line.find('\0') != std::string_view::npos) census.anyZero = true;
  for (size_t i = 0; i < line.size();) {
    if (static_cast<unsigned char>(line[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t len = Utf8SequenceLength(line, i);
    if (len == 0) {
      census.badUtf8 = true;
      ++i;
    } else {
      census.utf8Characters = true;
      i += len;
    }
  }
}

bool PlainAscii(std::string_view text) {
  for (unsigned char c : text)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

// The bytes of Windows-1252 whose Unicode form is a control character.
bool IsControl1252(unsigned char b) {
  return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// A value as split from the line (UTF-8, or Windows-1252 bytes) enters the
// table through the rule for entered text.
void AddValue(ImportTable& table, FileEncoding encoding, std::string_view value) {
  if (PlainAscii(value)) {
    table.AddCell(value);
    return;
  }
  if (encoding == FileEncoding::Windows1252) {
    if (std::any_of(value.begin(), value.end(), [](char c) { return IsControl1252(static_cast<unsigned char>(c)); }))
      table.AddRefusedCell(value, false);
    else
      table.AddCell(value);
    return;
  }
  if (auto text = AcceptEnteredText(value)) table.AddCell(*text);
  else table.AddRefusedCell(value, !IsValidUtf8(value));
}

// "rows 3, 7 and 9", "the header line and row 2": at most kMaxRowsNamed
// of them, then "and N more".
std::string RowList(const std::vector<uint32_t>& rows) {
  const size_t named = std::min(rows.size(), kMaxRowsNamed);
  const size_t dataRows = rows.size() - (!rows.empty() && rows[0] == 0 ? 1 : 0);
  std::string text;
  bool numbered = false;
  for (size_t i = 0; i < named; ++i) {
    if (i > 0) text += i + 1 == rows.size() ? " and " : ", ";
    if (rows[i] == 0) {
      text += "the header line";
      continue;
    }
    if (!numbered) text += dataRows == 1 ? "row " : "rows ";
    numbered = true;
    text += std::to_string(rows[i]);
  }
  if (rows.size() > named) text += " and " + std::to_string(rows.size() - named) + " more";
  return text;
}

void AddNotice(ReadResult& result, const std::string& notice) {
  if (!result.message.empty()) result.message += "\n\n";
  result.message += notice;
}

// What the user is told of the rows read: the rows holding bytes that are not
// UTF-8 and the bad rows.
void Notices(const ImportTable& table, ReadResult& result) {
  if (!table.RowsWithBadBytes().empty()) {
    const std::string rows = RowList(table.RowsWithBadBytes());
    AddNotice(result, "The file is read as UTF-8 text, which it is but for a few bytes: " + rows +
                          (table.RowsWithBadBytes().size() == 1 ? " holds" : " hold") +
                          " bytes that are not UTF-8. The values holding them cannot be imported: mend them in "
                          "the file, or save it again as UTF-8.");
  }
  const auto& problems = table.RowProblems();
  if (!problems.empty()) {
    std::string text = problems.size() == 1
                           ? "1 row cannot be read as the header line lays out the columns:"
                           : WithNumber("%zu rows cannot be read as the header line lays out the columns:",
                                        problems.size());
    for (size_t i = 0; i < problems.size() && i < kMaxRowsNamed; ++i)
      text += "\nRow " + std::to_string(problems[i].row) + ": " + table.RowProblemMessage(problems[i]);
    if (problems.size() > kMaxRowsNamed) text += WithNumber("\n... and %zu more.", problems.size() - kMaxRowsNamed);
    text += "\nSuch rows are never loaded: mend them in the file, or choose to load the good rows only.";
    AddNotice(result, text);
  }
}

// Reads the lines of `reader` into the table; `census` is what a first pass
// over the same lines found.
ReadResult ReadLines(LineReader& reader, const Census& census, FileEncoding encoding, char delimiter,
                     char qualifier, ImportTable& table) {
  ReadResult result;
  result.encoding = encoding;
  if (census.anyZero)
    return Failure(
        "This file is not a text file: it holds zero bytes, which text never holds. Please choose a text "
        "file whose values are separated by commas, semicolons or tabs, such as a spreadsheet saved as CSV.");
  if (census.bytes >= ImportTable::kMaxTextBytes)
    return Failure(WithNumber("The file is too large to be imported: a file to import can hold at most %zu MB.",
                              static_cast<size_t>(kMaxImportFileBytes >> 20)));

  table.SetSource(encoding, qualifier);
  const auto first = reader.Next();
  if (!first) return Failure("Can\x92t read first line from file.");
  std::vector<std::string> values;
  const size_t columns = SplitLine(*first, delimiter, qualifier, values, kMaxImportColumns + 1);
  if (columns == 0) return Failure("Can\x92t parse first line");
  if (columns > kMaxImportColumns)
    return Failure(WithNumber("The first line of the file holds more than %zu values. A file to import can have "
                              "at most that many columns: please check that the right separator is chosen.",
                              kMaxImportColumns));

  // Room for each block of rows at once, from the file's average line. A
  // line holds no more cells than it has bytes, plus one.
  const size_t lines = std::max<size_t>(census.lines, 1);
  table.Reserve(census.bytes / lines + 1, std::min(columns, census.bytes / lines + 1), census.lines);
  table.SetColumnCount(columns);
  table.BeginRow();
  for (size_t c = 0; c < columns; ++c) AddValue(table, encoding, values[c]);
  result.outcome = ReadResult::Outcome::Read;

  SplitEnd end;
  for (size_t dataRow = 1;; ++dataRow) {
    const auto line = reader.Next();
    if (!line) break;
    const size_t count = SplitLine(*line, delimiter, qualifier, values, kMaxImportColumns + 1, &end);
    if (count == 0) {
      // An empty line ends the reading; the rows before it stay.
      result.outcome = ReadResult::Outcome::Stopped;
      result.message = WithNumber("Can\x92t parse first line: %zu", dataRow + 1);
      break;
    }
    table.BeginRow();
    for (size_t c = 0; c < count && c < columns; ++c) AddValue(table, encoding, values[c]);
    const auto row = static_cast<uint32_t>(dataRow);
    if (end.quoteOpen) {
      // The rest of the line went into one value: the row's values are not
      // those it was meant to have.
      table.AddRowProblem({row, static_cast<uint32_t>(end.openedIn), static_cast<uint32_t>(count),
                           RowProblem::Kind::OpenQuote});
    } else if (count > columns) {
      // Extra values are dropped when they are empty (a spreadsheet's
      // trailing separators); any other means a value was split or the
      // columns moved.
      for (size_t c = columns; c < count; ++c) {
        if (values[c].empty()) continue;
        table.AddRowProblem({row, static_cast<uint32_t>(c), static_cast<uint32_t>(count),
                             RowProblem::Kind::TooManyValues},
                            values[c]);
        break;
      }
    }
  }
  if (reader.Failed()) return Failure("Couldn't open source file: " + std::string(std::strerror(EIO)));
  Notices(table, result);
  return result;
}

FileEncoding EncodingOf(const Census& census) {
  // A file with UTF-8 characters is UTF-8 even where a few bytes are not:
  // reading it as Windows-1252 would turn each of its characters into two
  // without a word.
  return !census.badUtf8 || census.utf8Characters ? FileEncoding::Utf8 : FileEncoding::Windows1252;
}

// Spreadsheets save "Unicode text" as UTF-16 with a byte-order mark.
std::string Utf16Text(std::string_view bytes) {
  const bool little = bytes[0] == '\xFF';
  std::u16string units((bytes.size() - 2) / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    const auto a = static_cast<unsigned char>(bytes[2 + 2 * i]), b = static_cast<unsigned char>(bytes[3 + 2 * i]);
    units[i] = static_cast<char16_t>(little ? a | (b << 8) : (a << 8) | b);
  }
  return Utf16ToUtf8(units);
}

bool IsUtf16(std::string_view start) { return start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF"); }

ReadResult ReadText(std::string_view text, FileEncoding known, bool encodingKnown, char delimiter, char qualifier,
                    ImportTable& table) {
  Census census;
  LineReader counting(text);
  while (const auto line = counting.Next()) Count(*line, census);
  LineReader reader(text);
  return ReadLines(reader, census, encodingKnown ? known : EncodingOf(census), delimiter, qualifier, table);
}

}  // namespace

char DelimiterFromBox(std::string_view box) {
  if (box == "0x09") return '\t';
  return box.empty() ? ',' : box[0];
}

char QualifierFromBox(std::string_view box) { return box.empty() ? '"' : box[0]; }

// ---- the table ------------------------------------------------------------------

const ImportTable::Block* ImportTable::Locate(size_t row, size_t& inBlock) const {
  if (row >= rows_) return nullptr;
  const size_t b = row / kBlockRows;
  if (!blocks_[b].rowStart.empty()) {
    inBlock = row % kBlockRows;
    return &blocks_[b];
  }
  const auto it = std::lower_bound(keptRows_.begin(), keptRows_.end(), static_cast<uint32_t>(row));
  if (it == keptRows_.end() || *it != row) return nullptr;
  inBlock = static_cast<size_t>(it - keptRows_.begin());
  return &kept_;
}

bool ImportTable::CellAt(size_t row, size_t column, const Block*& block, uint32_t& cell) const {
  size_t at = 0;
  block = Locate(row, at);
  if (!block) return false;
  const size_t first = block->rowStart[at], cells = block->rowStart[at + 1] - first;
  if (column >= cells) return false;
  cell = static_cast<uint32_t>(first + column);
  return true;
}

std::string_view ImportTable::Cell(size_t row, size_t column) const {
  const Block* block = nullptr;
  uint32_t cell = 0;
  if (!CellAt(row, column, block, cell)) return {};
  const size_t begin = cell == 0 ? 0 : block->cellEnd[cell - 1] & ~kRefusedBit;
  return std::string_view(block->text).substr(begin, (block->cellEnd[cell] & ~kRefusedBit) - begin);
}

bool ImportTable::IsRefused(size_t row, size_t column) const {
  const Block* block = nullptr;
  uint32_t cell = 0;
  return CellAt(row, column, block, cell) && (block->cellEnd[cell] & kRefusedBit) != 0;
}

std::string ImportTable::RefusedReason(size_t row, size_t column) const {
  if (!IsRefused(row, column)) return {};
  const std::string_view raw = Cell(row, column);
  if (encoding_ == FileEncoding::Windows1252) {
    std::string problem;
    AcceptEnteredText(Win1252ToUtf8(raw), &problem);
    return problem;
  }
  if (!IsValidUtf8(raw))
    return "The value holds bytes that are not UTF-8 text, though the rest of the file is UTF-8: the file was "
           "saved in two ways. Mend the value in the file, or save the file again as UTF-8.";
  std::string problem;
  AcceptEnteredText(raw, &problem);
  return problem;
}

std::string ImportTable::Original(size_t row, size_t column) const {
  const std::string_view raw = Cell(row, column);
  if (IsRefused(row, column)) return encoding_ == FileEncoding::Windows1252 ? Win1252ToUtf8(raw) : std::string(raw);
  return Win1252ToUtf8(raw);
}

std::string ImportTable::Printable(size_t row, size_t column) const {
  const std::string_view raw = Cell(row, column);
  if (!IsRefused(row, column)) return std::string(raw);
  std::string out;
  for (size_t i = 0; i < raw.size();) {
    const auto b = static_cast<unsigned char>(raw[i]);
    if (encoding_ == FileEncoding::Windows1252 || b < 0x80) {
      out += IsControl1252(b) ? '?' : static_cast<char>(b);
      ++i;
      continue;
    }
    const size_t len = std::max<size_t>(Utf8SequenceLength(raw, i), 1);
    const auto one = len > 1 ? Utf8ToWin1252(raw.substr(i, len)) : std::nullopt;
    out += one && !IsControl1252(static_cast<unsigned char>((*one)[0])) ? *one : "?";
    i += len;
  }
  return out;
}

const RowProblem* ImportTable::RowProblemAt(size_t row) const {
  const auto it = std::lower_bound(problems_.begin(), problems_.end(), row,
                                   [](const RowProblem& p, size_t r) { return p.row < r; });
  return it != problems_.end() && it->row == row ? &*it : nullptr;
}

std::string ImportTable::RowProblemMessage(const RowProblem& p) const {
  if (p.kind == RowProblem::Kind::OpenQuote)
    return std::string("A quote (") + qualifier_ + ") opened in column " + std::to_string(p.column + 1) +
           " is never closed: the rest of the line was read as one value, separators and all.";
  return "The row holds " + std::to_string(p.values) + " values where the header line has " +
         std::to_string(columns_) +
         " columns: a separator inside a value that is not in quotes (such as the comma of 1,234.50) splits the "
         "value, and the values after it are not in their columns.";
}

std::string ImportTable::RowProblemValue(const RowProblem& p) const {
  const size_t index = static_cast<size_t>(&p - problems_.data());
  if (p.kind == RowProblem::Kind::TooManyValues && index < problemValues_.size()) return problemValues_[index];
  return Printable(p.row, p.column).substr(0, kCheckedCellLength);
}

void ImportTable::Clear() {
  columns_ = 0;
  blocks_.clear();
  blocks_.shrink_to_fit();
  rows_ = 0;
  blockBytes_ = blockCells_ = 0;
  released_ = false;
  kept_.Free();
  keptRows_.clear();
  keptRows_.shrink_to_fit();
  refusedCount_ = 0;
  badByteRows_.clear();
  problems_.clear();
  problemValues_.clear();
}

void ImportTable::SetSource(FileEncoding encoding, char qualifier) {
  encoding_ = encoding;
  qualifier_ = qualifier;
}

void ImportTable::Reserve(size_t bytesPerRow, size_t cellsPerRow, size_t rows) {
  blocks_.reserve(rows / kBlockRows + 1);
  // A little more than the average, so that few blocks outgrow their room.
  blockBytes_ = std::min<size_t>(bytesPerRow * kBlockRows / 8 * 9, kMaxTextBytes);
  blockCells_ = std::min<size_t>(cellsPerRow * kBlockRows, kMaxTextBytes);
}

void ImportTable::Block::Shrink() {
  // A block that outgrew its room keeps what it holds, not what it grew to.
  if (text.capacity() > text.size() / 8 * 9 + 64) text.shrink_to_fit();
  if (cellEnd.capacity() > cellEnd.size() / 8 * 9 + 16) cellEnd.shrink_to_fit();
}

void ImportTable::Block::Free() {
  // Moving an empty block over this one would keep its text's room.
  text.clear();
  text.shrink_to_fit();
  cellEnd.clear();
  cellEnd.shrink_to_fit();
  rowStart.clear();
  rowStart.shrink_to_fit();
}

ImportTable::Block& ImportTable::Building() { return blocks_.back(); }

void ImportTable::BeginRow() {
  if (rows_ % kBlockRows == 0) {
    if (!blocks_.empty()) Building().Shrink();
    Block& block = blocks_.emplace_back();
    block.text.reserve(blockBytes_);
    block.cellEnd.reserve(blockCells_);
    block.rowStart.reserve(kBlockRows + 1);
    block.rowStart.push_back(0);
  }
  Block& block = Building();
  block.rowStart.push_back(block.rowStart.back());
  ++rows_;
}

void ImportTable::AddCell(std::string_view text) {
  Block& block = Building();
  block.text.append(text);
  block.cellEnd.push_back(static_cast<uint32_t>(block.text.size()));
  ++block.rowStart.back();
}

void ImportTable::AddRefusedCell(std::string_view original, bool badBytes) {
  AddCell(original);
  Building().cellEnd.back() |= kRefusedBit;
  ++refusedCount_;
  const auto row = static_cast<uint32_t>(RowCount() - 1);
  if (badBytes && (badByteRows_.empty() || badByteRows_.back() != row)) badByteRows_.push_back(row);
}

void ImportTable::Block::AddRowOf(const Block& from, size_t row) {
  if (rowStart.empty()) rowStart.push_back(0);
  const size_t first = from.rowStart[row], last = from.rowStart[row + 1];
  for (size_t c = first; c < last; ++c) {
    const size_t begin = c == 0 ? 0 : from.cellEnd[c - 1] & ~kRefusedBit;
    const uint32_t end = from.cellEnd[c];
    text.append(from.text, begin, (end & ~kRefusedBit) - begin);
    cellEnd.push_back(static_cast<uint32_t>(text.size()) | (end & kRefusedBit));
  }
  rowStart.push_back(rowStart.back() + static_cast<uint32_t>(last - first));
}

bool ImportTable::ReleaseRowsThrough(size_t lastTaken, const std::vector<bool>& keep) {
  bool any = false;
  // The first block stays: the header, and the rows a preview shows first.
  for (size_t b = 1; b < blocks_.size(); ++b) {
    if (std::min((b + 1) * kBlockRows, rows_) - 1 > lastTaken) break;
    Block& block = blocks_[b];
    if (block.rowStart.empty()) continue;
    for (size_t r = 0; r < block.Rows(); ++r) {
      const size_t row = b * kBlockRows + r;
      if (row < keep.size() && keep[row]) {
        kept_.AddRowOf(block, r);
        keptRows_.push_back(static_cast<uint32_t>(row));
      }
    }
    block.Free();
    released_ = any = true;
  }
  return any;
}

void ImportTable::AddRowProblem(RowProblem problem, std::string_view extra) {
  problems_.push_back(problem);
  if (problem.kind == RowProblem::Kind::TooManyValues) {
    problemValues_.resize(problems_.size());
    // In the file's text: made a message's text as any refused value is.
    std::string value(extra.substr(0, kCheckedCellLength));
    if (!PlainAscii(value) && encoding_ != FileEncoding::Windows1252) {
      auto text = Utf8ToWin1252(value);
      value = text ? *text : std::string(value.size(), '?');
    }
    problemValues_.back() = std::move(value);
  }
}

// ---- reading --------------------------------------------------------------------

ReadResult ReadDelimitedText(std::string_view bytes, char delimiter, char qualifier, ImportTable& table) {
  table.Clear();
  if (bytes.starts_with("\xEF\xBB\xBF"))
    return ReadText(bytes.substr(3), FileEncoding::Utf8, true, delimiter, qualifier, table);
  if (IsUtf16(bytes)) {
    const std::string text = Utf16Text(bytes);
    return ReadText(text, FileEncoding::Utf16, true, delimiter, qualifier, table);
  }
  return ReadText(bytes, FileEncoding::Utf8, false, delimiter, qualifier, table);
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
  char start[3] = {};
  const size_t got = std::fread(start, 1, sizeof start, file.get());
  const std::string_view head(start, got);
  if (IsUtf16(head)) {
    // UTF-16 is read whole and made UTF-8 first.
    std::string bytes(static_cast<size_t>(size), '\0');
    std::rewind(file.get());
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    if (std::ferror(file.get())) return Failure(opening + std::strerror(errno));
    return ReadDelimitedText(bytes, delimiter, qualifier, table);
  }
  const bool bom = head.starts_with("\xEF\xBB\xBF");
  const long skip = bom ? 3 : 0;
  // Two passes over the file, a piece at a time: what it holds, then the table.
  Census census;
  {
    LineReader counting(file.get(), skip);
    while (const auto line = counting.Next()) Count(*line, census);
    if (counting.Failed()) return Failure(opening + std::strerror(EIO));
  }
  LineReader reader(file.get(), skip);
  return ReadLines(reader, census, bom ? FileEncoding::Utf8 : EncodingOf(census), delimiter, qualifier, table);
}

}  // namespace formet
