#pragma once
// Reading a delimited text file (comma, semicolon or tab separated, first
// line a header) into the table the import shows and loads from.
//
// Files in the wild: lines end with LF, CR LF or a lone CR; a file with a
// UTF-16 byte-order mark is read as UTF-16, a file that holds UTF-8
// characters (or none but ASCII) as UTF-8, even where a few of its bytes are
// not UTF-8 (those values are refused, and the reading says which rows hold
// them), any other as Windows-1252. Every value passes the rule for text
// entering the program (AcceptEnteredText): it is kept in the Windows-1252
// code page of company files, and a value that breaks the rule (a character
// that code page lacks, a control character, bytes that are no UTF-8) is
// kept as the file has it and marked refused, so that the column's check
// reports it instead of storing it mangled.
//
// A row that cannot be read as the header line lays out the columns (more
// values than the header has, or a quote left open at the end of the line)
// is a bad row: it is shown, but never loaded.
//
// A file is read a piece at a time: reading holds the table and a buffer of
// a few megabytes, never the whole file besides.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace formet {

// The separator lists of the import dialog: what each entry is called and
// what its read-only box shows.
struct SeparatorChoice {
  const char* name;
  const char* box;
};
// "Comma" ",", "Semicolon" ";", "Tab" "0x09".
inline constexpr SeparatorChoice kDelimiterChoices[] = {{"Comma", ","}, {"Semicolon", ";"}, {"Tab", "0x09"}};
// "Double Quote" and "Single Quote" (the apostrophe).
inline constexpr SeparatorChoice kQualifierChoices[] = {{"Double Quote", "\""}, {"Single Quote", "'"}};

// The delimiter a box names: "0x09" is the tab, any other text its first
// character, an empty box the comma.
char DelimiterFromBox(std::string_view box);
// The qualifier a box names: its first character, the double quote when empty.
char QualifierFromBox(std::string_view box);

// Most characters a cell's text is checked with; longer texts are cut.
inline constexpr size_t kCheckedCellLength = 511;
// Most columns a file may have (as many as a spreadsheet has).
inline constexpr size_t kMaxImportColumns = 16384;
// Largest file that is read.
inline constexpr std::uintmax_t kMaxImportFileBytes = 256u << 20;

enum class FileEncoding { Utf8, Utf16, Windows1252 };

// A data row that cannot be read as the header line lays out the columns.
struct RowProblem {
  enum class Kind : uint8_t {
    TooManyValues,  // more values than the header has columns, the extra ones not all empty
    OpenQuote,      // a quote opened in a value is still open at the end of the line
  };
  uint32_t row = 0;     // data rows count from 1
  uint32_t column = 0;  // from 0: the first extra value that is not empty, or the value the quote opened
  uint32_t values = 0;  // TooManyValues: the values of the row
  Kind kind = Kind::TooManyValues;
};

// The file's lines as rows of values: row 0 is the header (the first line),
// rows 1 to n the following lines. The number of columns is the number of
// values of the header; a shorter row's missing values are empty. Texts are
// Windows-1252, but for the values refused by the rule for entered text:
// those are kept as the file has them (Original shows them).
class ImportTable {
 public:
  // Most bytes of text a table holds (a cell's end keeps a bit of its own).
  static constexpr size_t kMaxTextBytes = 0x7FFFFFFF;

  size_t RowCount() const { return rows_; }
  size_t ColumnCount() const { return columns_; }
  size_t DataRowCount() const { return RowCount() > 0 ? RowCount() - 1 : 0; }
  FileEncoding Encoding() const { return encoding_; }
  char Qualifier() const { return qualifier_; }

  std::string_view Cell(size_t row, size_t column) const;

  // Values refused by the rule for entered text.
  size_t RefusedCount() const { return refusedCount_; }
  bool IsRefused(size_t row, size_t column) const;
  // Why a refused value cannot be stored (Windows-1252); empty for any other.
  std::string RefusedReason(size_t row, size_t column) const;
  // A value as the file has it, in UTF-8, for display (bytes that are no
  // UTF-8 stay as they are).
  std::string Original(size_t row, size_t column) const;
  // A value in Windows-1252 for a message: a refused one with "?" for what
  // the code page cannot show.
  std::string Printable(size_t row, size_t column) const;
  // Rows (from 0, the header) holding bytes that are not UTF-8 in a file read
  // as UTF-8, in order.
  const std::vector<uint32_t>& RowsWithBadBytes() const { return badByteRows_; }

  // Bad rows, in row order.
  const std::vector<RowProblem>& RowProblems() const { return problems_; }
  const RowProblem* RowProblemAt(size_t row) const;
  // Why a bad row is not loaded, for the user (Windows-1252).
  std::string RowProblemMessage(const RowProblem& problem) const;
  // The value a bad row's problem names (Windows-1252, cut to
  // kCheckedCellLength characters).
  std::string RowProblemValue(const RowProblem& problem) const;

  // Letting go of rows taken: every block of rows that lies wholly at or
  // before data row `lastTaken` is freed, but for the first (the header and
  // the rows a preview opens on) and for the rows `keep` names (from 1),
  // whose cells are kept apart. A released row's cells read as empty unless
  // kept. Returns whether any block was freed.
  bool ReleaseRowsThrough(size_t lastTaken, const std::vector<bool>& keep);
  // Whether rows were let go of.
  bool HasReleased() const { return released_; }
  // Rows a block holds: the table is let go of a block at a time.
  static constexpr size_t kBlockRows = 2048;

  // Building (used by the reader and by tests).
  void Clear();
  void SetSource(FileEncoding encoding, char qualifier);
  // Room for `rows` rows, each block of them given room for rows averaging
  // `bytesPerRow` bytes of text and `cellsPerRow` cells.
  void Reserve(size_t bytesPerRow, size_t cellsPerRow, size_t rows);
  void SetColumnCount(size_t columns) { columns_ = columns; }
  void BeginRow();
  void AddCell(std::string_view text);
  // A value the rule for entered text refuses, as the file has it.
  void AddRefusedCell(std::string_view original, bool badBytes);
  // The row being built is a bad row; `extra` is the first extra value that
  // is not empty, for TooManyValues.
  void AddRowProblem(RowProblem problem, std::string_view extra = {});

 private:
  // A cell's end in text_, with the top bit set for a refused value.
  static constexpr uint32_t kRefusedBit = 0x80000000u;
  // Rows one after the other: their cells' texts, one after the other.
  struct Block {
    std::string text;
    std::vector<uint32_t> cellEnd;   // end of each cell in text, and its refused bit
    std::vector<uint32_t> rowStart;  // first cell of each row, then the cell count
    size_t Rows() const { return rowStart.empty() ? 0 : rowStart.size() - 1; }
    void AddRowOf(const Block& from, size_t row);
    void Shrink();
    void Free();
  };
  // The block holding a row's cells (the kept rows for a row let go of) and
  // the row's place in it; null when the row has no cells here.
  const Block* Locate(size_t row, size_t& inBlock) const;
  // A cell's index in its block, or false.
  bool CellAt(size_t row, size_t column, const Block*& block, uint32_t& cell) const;
  Block& Building();

  size_t columns_ = 0;
  FileEncoding encoding_ = FileEncoding::Utf8;
  char qualifier_ = '"';
  std::vector<Block> blocks_;        // kBlockRows rows each, the last fewer
  size_t rows_ = 0;
  size_t blockBytes_ = 0, blockCells_ = 0;  // the room a new block is given
  bool released_ = false;
  Block kept_;                       // the rows kept of blocks let go of
  std::vector<uint32_t> keptRows_;   // their numbers, in order
  size_t refusedCount_ = 0;
  std::vector<uint32_t> badByteRows_;
  std::vector<RowProblem> problems_;
  std::vector<std::string> problemValues_;  // per problem: the extra value of TooManyValues
};

// What reading gave. The texts are the program's own (Windows-1252).
struct ReadResult {
  enum class Outcome {
    Read,     // the whole file is in the table
    Stopped,  // an empty line stopped the reading; the rows before it are kept
    Failed,   // nothing usable was read
  };
  Outcome outcome = Outcome::Failed;
  // Empty when there is nothing to say; else why reading stopped or failed,
  // and what the user should know of the rows read: the bad rows and the
  // rows holding bytes that are not UTF-8.
  std::string message;
  bool errorIcon = false;    // shown with the error icon, else plainly
  FileEncoding encoding = FileEncoding::Utf8;

  bool HasTable() const { return outcome != Outcome::Failed; }
};

// Reads the bytes of a whole file into `table`.
ReadResult ReadDelimitedText(std::string_view bytes, char delimiter, char qualifier, ImportTable& table);

// Opens and reads a file. Refuses what is not a regular file (a folder, a
// named pipe) and files larger than kMaxImportFileBytes.
ReadResult ReadDelimitedFile(const std::filesystem::path& path, char delimiter, char qualifier,
                             ImportTable& table);

// How many rows the reading's messages name before "and N more".
inline constexpr size_t kMaxRowsNamed = 20;

}  // namespace formet
