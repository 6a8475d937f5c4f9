#pragma once
// Reading a delimited text file (comma, semicolon or tab separated, first
// line a header) into the table the import shows and loads from.
//
// Files in the wild: lines end with LF or CR LF; a file that is valid UTF-8
// (with or without a byte-order mark) is read as UTF-8, one with a UTF-16
// byte-order mark as UTF-16, any other as Windows-1252. Every value passes
// the rule for text entering the program (AcceptEnteredText): it is kept in
// the Windows-1252 code page of company files, and a value that breaks the
// rule (a character that code page lacks, a control character) is kept aside
// with the reason, so that the column's check reports it instead of storing
// it mangled.
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

// A value of the file refused by the rule for entered text.
struct RefusedCell {
  size_t row = 0, column = 0;
  std::string reason;    // for the user, Windows-1252
  std::string original;  // the value as the file has it, in UTF-8, for display
};

// The file's lines as rows of values: row 0 is the header (the first line),
// rows 1 to n the following lines. The number of columns is the number of
// values of the header; a longer row's extra values are dropped, a shorter
// row's missing ones are empty. Texts are Windows-1252.
class ImportTable {
 public:
  size_t RowCount() const { return rowStart_.empty() ? 0 : rowStart_.size() - 1; }
  size_t ColumnCount() const { return columns_; }
  size_t DataRowCount() const { return RowCount() > 0 ? RowCount() - 1 : 0; }

  std::string_view Cell(size_t row, size_t column) const;
  // Refused values, in row order (then column order).
  const std::vector<RefusedCell>& Refused() const { return refused_; }
  // The refused value at a cell, if any.
  const RefusedCell* RefusedAt(size_t row, size_t column) const;

  // Building (used by the reader and by tests).
  void Clear();
  void Reserve(size_t textBytes, size_t cells, size_t rows);
  void SetColumnCount(size_t columns) { columns_ = columns; }
  void BeginRow();
  void AddCell(std::string_view text);
  void AddRefusedCell(std::string_view shown, std::string reason, std::string original);

 private:
  size_t columns_ = 0;
  std::string text_;                 // every cell's text, one after the other
  std::vector<uint32_t> cellEnd_;    // end of each cell in text_
  std::vector<uint32_t> rowStart_;   // first cell of each row, then the cell count
  std::vector<RefusedCell> refused_;
};

// What reading gave. The texts are the program's own (Windows-1252).
struct ReadResult {
  enum class Outcome {
    Read,     // the whole file is in the table
    Stopped,  // an empty line stopped the reading; the rows before it are kept
    Failed,   // nothing usable was read
  };
  Outcome outcome = Outcome::Failed;
  std::string message;       // empty when there is nothing to say
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

}  // namespace formet
