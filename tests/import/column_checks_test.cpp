// The error report, the number grammar of the import and the amounts its
// numbers load as.
#include <gtest/gtest.h>

#include "forms/money.h"
#include "import/column_checks.h"

namespace formet {
namespace {

const std::string kRule = "\r\n" + std::string(166, '_');

TEST(ErrorReport, OneNumberedBlockPerRow) {
  ErrorReport report;
  EXPECT_EQ(report.Text(), "");
  report.Add(1, "first");
  report.Add(1, "second");
  report.Add(5, "third");
  EXPECT_EQ(report.Text(),
            "\r\n\r\n(1)  Row #: 1\r\n\r\nError #1: first\r\n\r\nError #2: second" + kRule +
                "\r\n\r\n(2)  Row #: 5\r\n\r\nError #1: third");
}

TEST(ErrorReport, StopsListingAfterAThousandErrors) {
  ErrorReport report;
  for (size_t row = 1; row <= 1500; ++row) report.Add(row, "bad");
  const std::string text = report.Text();
  EXPECT_NE(text.find("(1000)  Row #: 1000"), std::string::npos);
  EXPECT_EQ(text.find("Row #: 1001"), std::string::npos);
  EXPECT_TRUE(text.ends_with(kRule + "\r\n\r\nThe report stops here: 500 more errors were found in this column."));
}

TEST(ImportNumbers, TheGrammarOfTheCheck) {
  for (const char* yes : {"0", "12", "-12", "+12", "12.5", "0.25", "1.5E+03", "1.5e3", "-2.0e-2", "007"})
    EXPECT_TRUE(IsImportNumber(yes)) << yes;
  for (const char* no : {"", "1,000.50", "$5", " 5", "5 ", ".5", "5.", "15e3", "1.5e", "1.5e+", "--5", "+", "1.2.3",
                         "1e5.5", "five", "5%"})
    EXPECT_FALSE(IsImportNumber(no)) << no;
}

TEST(ImportNumbers, LoadAsTheNumberTheyAreCutToTwoDecimals) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "0.00"},          {"1500", "1500.00"},     {"+5", "5.00"},        {"1.5e3", "1500.00"},
      {"1.5E+03", "1500.00"}, {"12.345", "12.34"},   {"-1.239", "-1.23"},   {"2.5e-1", "0.25"},
      {"1.999e-2", "0.01"},  {"9.9e-3", "0.00"},     {"-9.9e-3", "0.00"},   {"-0.0", "0.00"},
      {"0001.50", "1.50"},   {"1.234567e2", "123.45"}, {"5.0e0", "5.00"},
  };
  for (const auto& [text, amount] : cases) EXPECT_EQ(ImportedAmount(text), amount) << text;
  // Beyond any amount: as large as ParseMoney reads a whole number, with the
  // decimals it has (found by the fuzz target).
  EXPECT_EQ(ImportedAmount("1.0e99999999999999999"), ImportedAmount("99999999999999999999999"));
  const std::string huge = "51555555555555555555555555555555555555555512.3";
  EXPECT_EQ(ImportedAmount("+" + huge), NormalizeMoney(huge));
  EXPECT_EQ(ImportedAmount("5.15555555555555555555555555555555555555555123E+43"), NormalizeMoney(huge));
}

TEST(IdentifyingNumbers, EqualRowsNameEachOtherWithoutComparingEveryPair) {
  ImportColumn column;
  std::vector<std::string> values(200000);
  for (size_t i = 0; i < values.size(); ++i) values[i] = std::to_string(1000000 + i);
  values[2] = values[6] = "same";  // rows 3 and 7
  for (const auto& v : values) column.values.emplace_back(v);
  ErrorReport report;
  PayeeBatch none;
  CheckIdentifyingNumbers(column, none, "dup %d", "has %s", report, [](size_t, std::string_view) {});
  EXPECT_EQ(report.Text(), "\r\n\r\n(1)  Row #: 3\r\n\r\nError #1: dup 7" + kRule +
                               "\r\n\r\n(2)  Row #: 7\r\n\r\nError #1: dup 3");

  // A column of one value repeated: the pairs are counted, not listed.
  ImportColumn same;
  same.values.assign(100000, "000-00-0000");
  ErrorReport many;
  CheckIdentifyingNumbers(same, none, "dup %d", "has %s", many, [](size_t, std::string_view) {});
  EXPECT_TRUE(many.Text().ends_with("The report stops here: 9999899000 more errors were found in this column."));
}

}  // namespace
}  // namespace formet
