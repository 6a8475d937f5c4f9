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
  for (const auto& [text, amount] : cases) {
    EXPECT_EQ(ImportedAmount(text), amount) << text;
    EXPECT_EQ(ReadImportAmount(text).problem, "") << text;
  }
}

// An amount is stored with the form page's limits, 9 whole digits: an import
// stored 99999999999999999999 as 92233720368547757.00, and two such W-2s
// made the W-3 read -2.16. Any amount beyond them is refused, however it is
// written (found by the fuzz target: exponents far beyond any amount).
TEST(ImportAmounts, MoreThanNineWholeDigitsAreRefused) {
  const std::string eleven(11 << 20, '9');  // an 11 MB run of nines, as a check sees it: cut to 511
  for (const std::string& text :
       {std::string("99999999999999999999"), std::string("1.0e39"), std::string("1000000000"),
        std::string("-1000000000.00"), std::string("1.0e99999999999999999"), std::string("$1,000,000,000.00"),
        std::string("+51555555555555555555555555555555555555555512.3"),
        std::string("5.15555555555555555555555555555555555555555123E+43"), eleven.substr(0, 511),
        std::string(400, '0') + "1.00"}) {
    const ImportAmount a = ReadImportAmount(text);
    EXPECT_EQ(a.problem.substr(0, 20), "Amount too large: \"" + text.substr(0, 1)) << text.substr(0, 60);
    EXPECT_TRUE(a.problem.ends_with("\" has more than 9 whole digits, more than any box of the form holds."))
        << a.problem.substr(0, 60);
  }
  for (const char* text : {"999999999.99", "-999999999.99", "0000000999999999.99", "9.99999999e8", "$999,999,999"})
    EXPECT_EQ(ReadImportAmount(text).problem, "") << text;
  EXPECT_EQ(ImportedAmount("9.99999999e8"), "999999999.00");
}

// Amounts as spreadsheets save them: "$31,250.00" and "31,250.00" (quoted in
// a comma-separated file) load as 31250.00; negatives in parentheses are
// refused with a message of their own.
TEST(ImportAmounts, AsSpreadsheetsSaveThem) {
  const std::pair<const char*, const char*> accepted[] = {
      {"$31,250.00", "31250.00"}, {"31,250.00", "31250.00"}, {"1,234", "1234.00"},   {"$5", "5.00"},
      {"-$1,250.5", "-1250.50"},  {"$-1,250", "-1250.00"},   {"+$12", "12.00"},      {" 500.00 ", "500.00"},
      {"\xA0" "500\xA0", "500.00"}, {"1,234,567.891", "1234567.89"}, {"   ", "0.00"}, {"0,000", "0.00"},
  };
  for (const auto& [text, amount] : accepted) {
    const ImportAmount a = ReadImportAmount(text);
    EXPECT_EQ(a.problem, "") << text;
    EXPECT_EQ(a.amount, amount) << text;
  }
  const std::string notNumber = "\" can\x92t be interpreted as a numeric value";
  for (const char* text : {"1,23", "12,3456", ",123", "1,,234", "1,234,56", "$", "$$5", "5$", "1,234.", "--5", "$-", "USD 5",
                           "1.234,50", "(five)", "(1,5)", "$ 1,000"})
    EXPECT_EQ(ReadImportAmount(text).problem, "Field has to be a number: \"" + std::string(text) + notNumber) << text;
  for (const char* text : {"(500.00)", "($1,250.00)", "(5)"})
    EXPECT_EQ(ReadImportAmount(text).problem,
              "Negative amounts in parentheses are not read: \"" + std::string(text) +
                  "\". Write a negative amount with a minus sign (-500.00), if the form is to carry one.")
        << text;

  // The column check refuses what ReadImportAmount refuses, and nothing else.
  ImportColumn column;
  for (const char* v : {"$31,250.00", "", "(5)", "1.5e3", "1,23"}) column.values.emplace_back(v);
  ErrorReport report;
  CheckAmounts(column, report);
  const std::string text = report.Text();
  EXPECT_NE(text.find("(1)  Row #: 3\r\n\r\nError #1: Negative amounts in parentheses"), std::string::npos) << text;
  EXPECT_NE(text.find("(2)  Row #: 5\r\n\r\nError #1: Field has to be a number: \"1,23\""), std::string::npos) << text;
  EXPECT_EQ(text.find("Row #: 1"), std::string::npos);
}

TEST(ErrorReport, ItsSinkHearsOfEveryRowEvenWhenTheListIsFull) {
  std::vector<size_t> rows;
  ErrorReport report([&](size_t row, std::string_view message) {
    EXPECT_EQ(message, "bad");
    if (rows.empty() || rows.back() != row) rows.push_back(row);
  });
  for (size_t row = 1; row <= 1500; ++row) report.Add(row, "bad");
  // Many errors of one row after the list is full: the first is told.
  report.AddMany(1501, 5, [](size_t) { return "bad"; });
  EXPECT_EQ(rows.size(), 1501u);
  EXPECT_EQ(rows.back(), 1501u);
  EXPECT_TRUE(report.Text().ends_with("505 more errors were found in this column."));
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
