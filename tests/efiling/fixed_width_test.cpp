// The fixed-width writer and the checks both filing files share.
#include <gtest/gtest.h>

#include <filesystem>

#include "forms/efile_common.h"
#include "forms/fixed_width.h"
#include "test_support.h"

namespace formet::efile {
namespace {

TEST(FixedWidth, TextToTheFilesAscii) {
  const struct {
    const char* in;
    bool upper;
    const char* text;
    const char* left;
    const char* refused;
  } cases[] = {
      {"Jos\xE9 Mu\xF1oz", true, "JOSE MUNOZ", "", ""},
      {"Stra\xDF" "e \xC6sir", true, "STRASSE AESIR", "", ""},
      {"O\x92" "Brien", true, "O'BRIEN", "", ""},                  // typographic apostrophe
      {"  Attn:  Leasing  ", true, "ATTN LEASING", ":", ""},       // blanks collapsed and trimmed
      {"A & B, Inc. #4/5", true, "A & B, INC. #4/5", "", ""},
      {"Caf\xE9 (north) 100%", false, "Cafe north 100", "()%", ""},
      {"Price \x80" "5", true, "PRICE 5", "", "\x80"},              // the euro sign has no ASCII form
      {"Tab\there", true, "TABHERE", "", "\t"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    const FileText t = ToFileText(c.in, " &-,./'#", c.upper);
    EXPECT_EQ(t.text, c.text);
    EXPECT_EQ(t.left, c.left);
    EXPECT_EQ(t.refused, c.refused);
  }
}

TEST(FixedWidth, FieldsInTheirPlaces) {
  std::string file = "xx";
  RecordWriter rec(file, 20);
  rec.Put(1, 2, "AB");
  rec.Text(3, 5, ToFileText("longer than five", " ", true));
  rec.Digits(8, 4, "(217) 5");
  rec.Count(12, 3, 7);
  rec.Money(15, 6, 12345);
  EXPECT_TRUE(rec.Ok());
  EXPECT_EQ(file, "xxABLONGE2175007012345");
  rec.Put(3, 5, "\r\nA");  // never a line end inside a record
  EXPECT_EQ(file.substr(4, 5), "  A  ");
}

TEST(FixedWidth, MoneyThatDoesNotFitIsNeverWritten) {
  std::string file;
  RecordWriter rec(file, 10);
  rec.Money(1, 5, 99999);
  EXPECT_TRUE(rec.Ok());
  rec.Money(6, 5, 100000);
  EXPECT_FALSE(rec.Ok());
  EXPECT_EQ(file, "99999*****");
  std::string other;
  RecordWriter negative(other, 4);
  negative.Money(1, 4, -1);
  EXPECT_FALSE(negative.Ok());
  EXPECT_EQ(other, "****");
  EXPECT_EQ(NumberAt("12345", 1, 5), 12345);
  EXPECT_EQ(NumberAt("12 45", 1, 5), std::nullopt);
  EXPECT_EQ(NumberAt("123", 2, 5), std::nullopt);  // runs past the record
}

TEST(EfileChecks, IdentificationNumbers) {
  EXPECT_EQ(CheckEin("36-4125798").digits, "364125798");
  EXPECT_FALSE(CheckEin("364125798").problem);
  EXPECT_TRUE(CheckEin("").problem);
  EXPECT_TRUE(CheckEin("36-41257").problem);
  EXPECT_TRUE(CheckEin("36-41257a8").problem);
  EXPECT_TRUE(CheckEin("00-4125798").problem);
  const struct {
    const char* ssn;
    bool valid;
    bool validAsItin;
  } ssns[] = {
      {"123-45-6789", true, true},  {"123456789", true, true},     {"000-12-3456", false, false},
      {"666-12-3456", false, false}, {"900-12-3456", false, true}, {"999-88-7777", false, true},
      {"123-00-4567", false, false}, {"123-45-0000", false, false}, {"123-45-678", false, false},
      {"123 45 6789", false, false},
  };
  for (const auto& s : ssns) {
    SCOPED_TRACE(s.ssn);
    EXPECT_EQ(!CheckSsn(s.ssn, false).problem, s.valid);
    EXPECT_EQ(!CheckSsn(s.ssn, true).problem, s.validAsItin);
  }
}

TEST(EfileChecks, AmountsAndZipCodes) {
  Report report;
  EXPECT_EQ(CheckAmount(report, "W", "Box 1", "", 11), 0);
  EXPECT_EQ(CheckAmount(report, "W", "Box 1", "1234.5", 11), 123450);
  EXPECT_EQ(CheckAmount(report, "W", "Box 1", "999999999.99", 11), 99999999999);
  EXPECT_EQ(report.Problems().size(), 0u);
  EXPECT_EQ(CheckAmount(report, "W", "Box 2", "12.345", 11), 1234);
  EXPECT_TRUE(report.Has(Severity::Warning, "W", "more than two decimals; $12.34 is reported"));
  for (const char* bad : {"1,000.00", "12a", ".", "-", "1.2.3", " 5"}) {
    Report r;
    EXPECT_EQ(CheckAmount(r, "W", "Box 3", bad, 11), 0) << bad;
    EXPECT_TRUE(r.Has(Severity::Error, "W", "is not an amount")) << bad;
  }
  Report big;
  CheckAmount(big, "W", "Box 3", "1000000000.00", 11);
  EXPECT_TRUE(big.Has(Severity::Error, "W", "Box 3 $1,000,000,000.00 is too large for the 11 digits"));

  Report zips;
  EXPECT_EQ(CheckZip(zips, "W", "Zip code", "62701-1234", true).ext4, "1234");
  EXPECT_EQ(CheckZip(zips, "W", "Zip code", "62701", true).zip5, "62701");
  EXPECT_EQ(CheckZip(zips, "W", "Zip code", "", false).zip5, "");
  EXPECT_EQ(zips.Problems().size(), 0u);
  CheckZip(zips, "W", "Zip code", "6270", false);
  CheckZip(zips, "W", "Zip code", "", true);
  EXPECT_EQ(zips.ErrorCount(), 2u);
}

TEST(EfileChecks, WritingReplacesAFileOnlyWhenComplete) {
  test::TempDir dir;
  const auto path = dir / "W2REPORT.txt";
  test::WriteBytes(path, "the old file");
  EXPECT_EQ(WriteFilingFile(path, "the new file"), std::nullopt);
  EXPECT_EQ(test::ReadBytes(path), "the new file");
  EXPECT_FALSE(std::filesystem::exists(dir / "W2REPORT.txt.part"));
  // A folder that does not exist: the message says so, nothing is left behind.
  const auto problem = WriteFilingFile(dir / "missing" / "file.txt", "lost?");
  ASSERT_TRUE(problem);
  EXPECT_NE(problem->find("Nothing was written"), std::string::npos) << *problem;
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  EXPECT_TRUE(WriteFilingFile(dir.path(), "x"));  // a folder is no file
}

}  // namespace
}  // namespace formet::efile
