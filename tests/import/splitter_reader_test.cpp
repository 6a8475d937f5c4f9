// Splitting lines and reading delimited files: encodings, line ends, the
// reading messages, and files that are no CSV at all.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "import/delimited_file.h"
#include "import/line_splitter.h"
#include "test_support.h"

namespace formet {
namespace {

using Values = std::vector<std::string>;

TEST(SplitLine, Cases) {
  struct Case {
    std::string line;
    char delimiter, qualifier;
    Values values;
  };
  const Case cases[] = {
      {"a,b,c", ',', '"', {"a", "b", "c"}},
      {"a,,c", ',', '"', {"a", "", "c"}},
      {"a,b,", ',', '"', {"a", "b"}},  // a trailing delimiter opens no value
      {"", ',', '"', {}},
      {",", ',', '"', {""}},
      {",,", ',', '"', {"", ""}},
      {"\"", ',', '"', {""}},
      {"\"a,b\",c", ',', '"', {"a,b", "c"}},
      {"\"say \"\"hi\"\"\"", ',', '"', {"say \"hi\""}},
      // A doubled qualifier keeps the stretch open: the comma after it is text.
      {"\"Bolt \"\"Sparky\"\", LLC\",NJ", ',', '"', {"Bolt \"Sparky\", LLC", "NJ"}},
      {"\"\"\"\",x", ',', '"', {"\"", "x"}},
      {"\"\",x", ',', '"', {"", "x"}},
      // A qualifier inside an unquoted value opens a stretch and is dropped.
      {"ab\"c,d\"e,f", ',', '"', {"abc,de", "f"}},
      {"\"a,\"", ',', '"', {"a,"}},
      {"\"open, never closed", ',', '"', {"open, never closed"}},
      {"x;\"y;z\";", ';', '"', {"x", "y;z"}},
      {"'it''s'\t'a\tb'\tc", '\t', '\'', {"it's", "a\tb", "c"}},
      {"a\"b\"", ',', '\'', {"a\"b\""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLine(c.line, c.delimiter, c.qualifier), c.values) << c.line;
}

TEST(SplitLine, StopsAfterTheValuesAsked) {
  Values values;
  EXPECT_EQ(SplitLine("a,b,c,d", ',', '"', values, 2), 2u);
  EXPECT_EQ(values[0], "a");
  EXPECT_EQ(values[1], "b");
  // The storage is reused; only the count says what belongs to the line.
  EXPECT_EQ(SplitLine("x", ',', '"', values), 1u);
  EXPECT_EQ(values[0], "x");
}

TEST(SplitLine, TellsOfAQuoteLeftOpenAndSplitsToTheEnd) {
  struct Case {
    std::string line;
    bool open;
    size_t openedIn, values;
  };
  const Case cases[] = {
      {"a,\"b,c", true, 1, 2},    {"a,\"b\",c", false, 0, 3}, {"\"", true, 0, 1},
      {"a,b\"c,d", true, 1, 2},   {"\"x\"\"", true, 0, 1},    {"a,b,c,d,e", false, 0, 5},
  };
  Values values;
  for (const auto& c : cases) {
    SplitEnd end;
    // However few values are asked for, the whole line is split.
    EXPECT_EQ(SplitLine(c.line, ',', '"', values, 2, &end), c.values) << c.line;
    EXPECT_EQ(end.quoteOpen, c.open) << c.line;
    if (c.open) {
      EXPECT_EQ(end.openedIn, c.openedIn) << c.line;
    }
  }
}

TEST(SeparatorBoxes, NameTheirCharacters) {
  EXPECT_EQ(DelimiterFromBox("0x09"), '\t');
  EXPECT_EQ(DelimiterFromBox(";"), ';');
  EXPECT_EQ(DelimiterFromBox(""), ',');
  EXPECT_EQ(QualifierFromBox("'"), '\'');
  EXPECT_EQ(QualifierFromBox(""), '"');
}

std::vector<Values> Rows(const ImportTable& t) {
  std::vector<Values> rows;
  for (size_t r = 0; r < t.RowCount(); ++r) {
    Values row;
    for (size_t c = 0; c < t.ColumnCount(); ++c) row.emplace_back(t.Cell(r, c));
    rows.push_back(row);
  }
  return rows;
}

TEST(ReadDelimitedText, LineEndsAndShortRows) {
  const std::vector<Values> expected = {{"A", "B", "C"}, {"1", "2", "3"}, {"4", "", ""}, {"5", "6", "7"}};
  // LF, CR LF, a lone CR (as older spreadsheets on the Mac write), mixed;
  // empty values after the last column are a spreadsheet's trailing separators.
  for (const std::string text : {"A,B,C\n1,2,3\n4\n5,6,7\n", "A,B,C\r\n1,2,3\r\n4\r\n5,6,7,,", "A,B,C\r1,2,3\r4\r5,6,7\r",
                                 "A,B,C\n1,2,3\r\n4\r5,6,7,\"\"\r\n"}) {
    ImportTable t;
    const auto r = ReadDelimitedText(text, ',', '"', t);
    EXPECT_EQ(r.outcome, ReadResult::Outcome::Read);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(Rows(t), expected) << text;
    EXPECT_EQ(t.DataRowCount(), 3u);
    EXPECT_TRUE(t.RowProblems().empty());
  }
}

// A row with more values than the header has columns, or a quote left open
// at the end of its line, is a bad row: a value was split, or merged with
// the ones after it, and the values are not in their columns.
TEST(ReadDelimitedText, RowsThatCannotBeReadAsTheHeaderLaysOutTheColumnsAreBadRows) {
  struct Case {
    std::string text;
    uint32_t row, column;
    RowProblem::Kind kind;
    std::string value, message;
  };
  const std::string tooMany =
      " values where the header line has 4 columns: a separator inside a value that is not in quotes (such as the "
      "comma of 1,234.50) splits the value, and the values after it are not in their columns.";
  const Case cases[] = {
      // An unquoted thousands separator.
      {"SSN,First,Last,Wages\n111-22-3333,Bob,Smith,1,234.50\n", 1, 4, RowProblem::Kind::TooManyValues, "234.50",
       "The row holds 5" + tooMany},
      // With the wages in the second column, every value after it moves.
      {"SSN,Wages,First,Last\n111-22-3335,10,Ann,Lee\n111-22-3333,1,234.50,Bob,Smith\n", 2, 4,
       RowProblem::Kind::TooManyValues, "Smith", "The row holds 5" + tooMany},
      // Empty extra values do not count; the first that is not empty is named.
      {"A,B,C,D\n1,2,3,4,,,x,\n", 1, 6, RowProblem::Kind::TooManyValues, "x", "The row holds 7" + tooMany},
      // A quote left open at the end of the file.
      {"SSN,Last,First,Wages\n111-22-3335,Lee,Ann,10\n111-22-3334,Smith,\"Al,2000", 2, 2, RowProblem::Kind::OpenQuote,
       "Al,2000",
       "A quote (\") opened in column 3 is never closed: the rest of the line was read as one value, separators "
       "and all."},
      {"A,B\n'x,y\n", 1, 0, RowProblem::Kind::OpenQuote, "x,y", "A quote (') opened in column 1"},
  };
  for (const auto& c : cases) {
    ImportTable t;
    const char qualifier = c.text.find('\'') != std::string::npos ? '\'' : '"';
    const auto r = ReadDelimitedText(c.text, ',', qualifier, t);
    ASSERT_EQ(r.outcome, ReadResult::Outcome::Read) << c.text;
    ASSERT_EQ(t.RowProblems().size(), 1u) << c.text;
    const RowProblem& p = t.RowProblems()[0];
    EXPECT_EQ(p.row, c.row) << c.text;
    EXPECT_EQ(p.column, c.column) << c.text;
    EXPECT_EQ(p.kind, c.kind) << c.text;
    EXPECT_EQ(t.RowProblemValue(p), c.value) << c.text;
    EXPECT_TRUE(t.RowProblemMessage(p).starts_with(c.message)) << t.RowProblemMessage(p);
    EXPECT_EQ(t.RowProblemAt(c.row), &p);
    EXPECT_EQ(t.RowProblemAt(c.row == 1 ? 2 : 1), nullptr);
    // The reading tells of it, by row number.
    EXPECT_NE(r.message.find("1 row cannot be read as the header line lays out the columns:\nRow " +
                             std::to_string(c.row) + ": "),
              std::string::npos)
        << r.message;
  }
}

TEST(ReadDelimitedText, AnEmptyLineStopsTheReadingAndKeepsTheRowsBefore) {
  ImportTable t;
  auto r = ReadDelimitedText("A,B\n1,2\n\n3,4\n", ',', '"', t);
  EXPECT_EQ(r.outcome, ReadResult::Outcome::Stopped);
  EXPECT_EQ(r.message, "Can\x92t parse first line: 3");  // the third line of the file
  EXPECT_FALSE(r.errorIcon);
  EXPECT_EQ(Rows(t), (std::vector<Values>{{"A", "B"}, {"1", "2"}}));

  // A file ending with an empty line stops at that line.
  r = ReadDelimitedText("A,B\r\n1,2\r\n3,4\r\n\r\n", ',', '"', t);
  EXPECT_EQ(r.message, "Can\x92t parse first line: 4");
  EXPECT_EQ(t.DataRowCount(), 2u);
}

TEST(ReadDelimitedText, EncodingsEndInTheCodePageOfCompanyFiles) {
  struct Case {
    std::string bytes;
    FileEncoding encoding;
  };
  // "Name\nJosé" in each form a file comes in.
  const Case cases[] = {
      {"\xEF\xBB\xBFName\nJos\xC3\xA9\n", FileEncoding::Utf8},
      {"Name\nJos\xC3\xA9\n", FileEncoding::Utf8},
      {"Name\nJos\xE9\n", FileEncoding::Windows1252},
      {std::string("\xFF\xFEN\0a\0m\0e\0\n\0J\0o\0s\0\xE9\0\n\0", 22), FileEncoding::Utf16},
      {std::string("\xFE\xFF\0N\0a\0m\0e\0\n\0J\0o\0s\0\xE9\0\n", 22), FileEncoding::Utf16},
  };
  for (const auto& c : cases) {
    ImportTable t;
    const auto r = ReadDelimitedText(c.bytes, ',', '"', t);
    EXPECT_EQ(r.encoding, c.encoding);
    ASSERT_EQ(t.RowCount(), 2u);
    EXPECT_EQ(t.Cell(0, 0), "Name");
    EXPECT_EQ(t.Cell(1, 0), "Jos\xE9");
    EXPECT_EQ(t.RefusedCount(), 0u);
  }
}

// A UTF-8 file with a few Windows-1252 bytes was read wholly as Windows-1252:
// "José" was stored "JosÃ©". It is read as UTF-8, and the values with the
// bad bytes are refused, the reading naming their rows.
TEST(ReadDelimitedText, AUtf8FileWithAFewBadBytesIsReadAsUtf8) {
  const std::string bytes = test::ReadBytes(test::TestData("import/w2-utf8-bad-bytes.csv"));
  ImportTable t;
  const auto r = ReadDelimitedText(bytes, ',', '"', t);
  EXPECT_EQ(r.outcome, ReadResult::Outcome::Read);
  EXPECT_EQ(r.encoding, FileEncoding::Utf8);
  EXPECT_EQ(t.Cell(1, 1), "Jos\xE9");
  EXPECT_EQ(t.Cell(3, 1), "Zo\xEB");
  EXPECT_EQ(t.RefusedCount(), 2u);
  EXPECT_TRUE(t.IsRefused(2, 1));
  EXPECT_TRUE(t.IsRefused(4, 2));
  EXPECT_EQ(t.Printable(2, 1), "Ren?");
  EXPECT_EQ(t.Original(2, 1), "Ren\xE9");  // as the file has it, for the preview to show
  EXPECT_EQ(t.RefusedReason(2, 1),
            "The value holds bytes that are not UTF-8 text, though the rest of the file is UTF-8: the file was saved "
            "in two ways. Mend the value in the file, or save the file again as UTF-8.");
  EXPECT_EQ(t.RowsWithBadBytes(), (std::vector<uint32_t>{2, 4}));
  EXPECT_EQ(r.message,
            "The file is read as UTF-8 text, which it is but for a few bytes: rows 2 and 4 hold bytes that are not "
            "UTF-8. The values holding them cannot be imported: mend them in the file, or save it again as UTF-8.");

  // The header line and many rows: the first twenty are named.
  std::string many = "N\xE9,x\n";
  for (int i = 0; i < 25; ++i) many += "Jos\xC3\xA9,Ren\xE9\n";
  const std::string message = ReadDelimitedText(many, ',', '"', t).message;
  EXPECT_TRUE(message.starts_with("The file is read as UTF-8 text, which it is but for a few bytes: the header line, "
                                  "rows 1, 2, 3,"))
      << message;
  EXPECT_NE(message.find(", 19 and 6 more hold bytes"), std::string::npos) << message;

  // Only bytes of no UTF-8 character: Windows-1252, as before.
  EXPECT_EQ(ReadDelimitedText("A\nRen\xE9\n", ',', '"', t).encoding, FileEncoding::Windows1252);
  EXPECT_EQ(t.RefusedCount(), 0u);
}

TEST(ReadDelimitedText, ValuesTheCodePageCannotHoldAreKeptAsideWithTheReason) {
  ImportTable t;
  // U+0141 (L with stroke) is not in Windows-1252; a tab inside quotes is a control character.
  ReadDelimitedText("Last,Note\n\xC5\x81\xC3\xB3" "dz,ok\nfine,\"a\tb\"\n", ',', '"', t);
  ASSERT_EQ(t.RefusedCount(), 2u);
  ASSERT_TRUE(t.IsRefused(1, 0));
  EXPECT_EQ(t.Original(1, 0), "\xC5\x81\xC3\xB3" "dz");
  EXPECT_EQ(t.RefusedReason(1, 0),
            "The character U+0141 cannot be stored in a company file (only the characters of the Windows-1252 code "
            "page can).");
  EXPECT_EQ(t.Printable(1, 0), "?\xF3" "dz");  // what a message can show of it
  ASSERT_TRUE(t.IsRefused(2, 1));
  EXPECT_NE(t.RefusedReason(2, 1).find("control character (U+0009)"), std::string::npos);
  EXPECT_FALSE(t.IsRefused(1, 1));
  EXPECT_EQ(t.RefusedReason(1, 1), "");
  EXPECT_TRUE(t.RowsWithBadBytes().empty());

  // In a Windows-1252 file the control bytes are refused the same way.
  ReadDelimitedText("A\nx\x81y\xE9\n", ',', '"', t);
  ASSERT_EQ(t.RefusedCount(), 1u);
  EXPECT_NE(t.RefusedReason(1, 0).find("U+0081"), std::string::npos);
  EXPECT_EQ(t.Original(1, 0), "x\xC2\x81y\xC3\xA9");
}

TEST(ReadDelimitedText, FilesThatCannotBeReadSaySo) {
  struct Case {
    std::string bytes, message;
  };
  const Case cases[] = {
      {"", "Can\x92t read first line from file."},
      {"\xEF\xBB\xBF", "Can\x92t read first line from file."},
      {"\n1,2\n", "Can\x92t parse first line"},
      {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "This file is not a text file"},
      {std::string(kMaxImportColumns + 1, ','), "The first line of the file holds more than 16384 values."},
  };
  for (const auto& c : cases) {
    ImportTable t;
    const auto r = ReadDelimitedText(c.bytes, ',', '"', t);
    EXPECT_EQ(r.outcome, ReadResult::Outcome::Failed);
    EXPECT_TRUE(r.errorIcon);
    EXPECT_EQ(r.message.substr(0, c.message.size()), c.message);
    EXPECT_EQ(t.RowCount(), 0u);
  }
}

TEST(ReadDelimitedText, ATenMegabyteSingleLineIsOneHeaderWithoutRows) {
  ImportTable t;
  const std::string line(10 << 20, 'x');
  const auto r = ReadDelimitedText(line, ',', '"', t);
  EXPECT_EQ(r.outcome, ReadResult::Outcome::Read);
  EXPECT_EQ(t.ColumnCount(), 1u);
  EXPECT_EQ(t.DataRowCount(), 0u);
  EXPECT_EQ(t.Cell(0, 0).size(), line.size());
}

TEST(ReadDelimitedFile, WhatIsNotAReadableFileIsRefusedWithoutWaiting) {
  test::TempDir dir;
  ImportTable t;
  auto r = ReadDelimitedFile(dir / "missing.csv", ',', '"', t);
  EXPECT_EQ(r.message, "Couldn't open source file: No such file or directory");
  r = ReadDelimitedFile(dir.path(), ',', '"', t);
  EXPECT_EQ(r.message, "Couldn't open source file: Is a directory");
  // A named pipe would block the reading forever.
  const auto fifo = dir / "pipe.csv";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  r = ReadDelimitedFile(fifo, ',', '"', t);
  EXPECT_EQ(r.message, "Couldn't open source file: it is not a regular file.");

  test::WriteBytes(dir / "ok.csv", "A;B\n1;2\n");
  r = ReadDelimitedFile(dir / "ok.csv", ';', '"', t);
  EXPECT_EQ(r.outcome, ReadResult::Outcome::Read);
  EXPECT_EQ(t.Cell(1, 1), "2");
}

// A file is read a few megabytes at a time: lines across the pieces (a
// CR LF split between two of them, a line longer than a piece) read as the
// same bytes do at once.
TEST(ReadDelimitedFile, ReadsInPiecesAsAtOnce) {
  test::TempDir dir;
  std::string bytes = "\xEF\xBB\xBFName,Note\r\n";
  for (int i = 0; bytes.size() < (9u << 20); ++i) {
    bytes += "Jos\xC3\xA9 " + std::to_string(i) + ",";
    if (i == 70000) bytes += std::string(5u << 20, 'x');
    bytes += i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\r" : "\n";
  }
  test::WriteBytes(dir / "big.csv", bytes);
  ImportTable inPieces, atOnce;
  const auto a = ReadDelimitedFile(dir / "big.csv", ',', '"', inPieces);
  const auto b = ReadDelimitedText(bytes, ',', '"', atOnce);
  ASSERT_EQ(a.outcome, ReadResult::Outcome::Read) << a.message;
  EXPECT_EQ(a.encoding, b.encoding);
  ASSERT_EQ(inPieces.RowCount(), atOnce.RowCount());
  EXPECT_GT(inPieces.RowCount(), 200000u);
  for (size_t r = 0; r < atOnce.RowCount(); ++r)
    for (size_t c = 0; c < 2; ++c) ASSERT_EQ(inPieces.Cell(r, c), atOnce.Cell(r, c)) << r;
  EXPECT_EQ(inPieces.Cell(70001, 0), "Jos\xE9 70000");
  EXPECT_EQ(inPieces.Cell(70001, 1).size(), 5u << 20);
}

}  // namespace
}  // namespace formet
