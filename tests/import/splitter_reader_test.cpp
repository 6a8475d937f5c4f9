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

TEST(ReadDelimitedText, LineEndsAndRaggedRows) {
  const std::vector<Values> expected = {{"A", "B", "C"}, {"1", "2", "3"}, {"4", "", ""}, {"5", "6", "7"}};
  for (const std::string text :
       {"A,B,C\n1,2,3\n4\n5,6,7,8\n", "A,B,C\r\n1,2,3\r\n4\r\n5,6,7,8", "A,B,C\n1,2,3\r\n4\n5,6,7,8\r\n"}) {
    ImportTable t;
    const auto r = ReadDelimitedText(text, ',', '"', t);
    EXPECT_EQ(r.outcome, ReadResult::Outcome::Read);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(Rows(t), expected) << text;  // the fourth value of the last row is dropped
    EXPECT_EQ(t.DataRowCount(), 3u);
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
    EXPECT_TRUE(t.Refused().empty());
  }
}

TEST(ReadDelimitedText, ValuesTheCodePageCannotHoldAreKeptAsideWithTheReason) {
  ImportTable t;
  // U+0141 (L with stroke) is not in Windows-1252; a tab inside quotes is a control character.
  ReadDelimitedText("Last,Note\n\xC5\x81\xC3\xB3" "dz,ok\nfine,\"a\tb\"\n", ',', '"', t);
  ASSERT_EQ(t.Refused().size(), 2u);
  const auto* first = t.RefusedAt(1, 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->original, "\xC5\x81\xC3\xB3" "dz");
  EXPECT_EQ(first->reason,
            "The character U+0141 cannot be stored in a company file (only the characters of the Windows-1252 code "
            "page can).");
  EXPECT_EQ(t.Cell(1, 0), "?\xF3" "dz");  // what a record's text would be
  const auto* second = t.RefusedAt(2, 1);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second->reason.find("control character (U+0009)"), std::string::npos);
  EXPECT_EQ(t.RefusedAt(1, 1), nullptr);

  // In a Windows-1252 file the control bytes are refused the same way.
  ReadDelimitedText("A\nx\x81y\xE9\n", ',', '"', t);
  ASSERT_EQ(t.Refused().size(), 1u);
  EXPECT_NE(t.Refused()[0].reason.find("U+0081"), std::string::npos);
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

}  // namespace
}  // namespace formet
