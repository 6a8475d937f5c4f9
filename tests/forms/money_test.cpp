// Amounts as text: reading, normalising and printing them, and the box 12
// codes of the 2007 form.
#include "forms/money.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "forms/w2/box12_codes.h"

namespace formet {
namespace {

struct MoneyCase {
  const char* text;
  double value;
  int64_t cents;
  const char* normalized;
};

TEST(Money, ParsesAndNormalises) {
  const MoneyCase cases[] = {
      {"", 0, 0, "0.00"},
      {"12", 12, 1200, "12.00"},
      {"12.5", 12.5, 1250, "12.50"},
      {"12.345", 12.34, 1234, "12.34"},  // cut, not rounded
      {"12.349", 12.34, 1234, "12.34"},
      {".5", 0.5, 50, "0.50"},
      {"12.", 12, 1200, "12.00"},
      {"-12.50", -12.5, -1250, "-12.50"},
      {"-0.25", -0.25, -25, "-0.25"},
      {"-.05", -0.05, -5, "-0.05"},
      {"97500.09", 97500.09, 9750009, "97500.09"},
      {"0012.07", 12.07, 1207, "12.07"},
      {"12abc", 12, 1200, "12.00"},  // the leading whole number only
      {"+5", 0, 0, "0.00"},          // no sign but the minus
      {"abc", 0, 0, "0.00"},
      {"-0", 0, 0, "0.00"},          // no negative zero on the page
      {"999999999.99", 999999999.99, 99999999999, "999999999.99"},
  };
  for (const MoneyCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(ParseMoney(c.text), c.value);
    EXPECT_EQ(ParseMoneyCents(c.text), c.cents);
    EXPECT_EQ(NormalizeMoney(c.text), c.normalized);
  }
}

TEST(Money, CentsPrintAsTwoDecimalsWould) {
  for (int64_t cents : {0LL, 1LL, -1LL, 99LL, 100LL, -125050LL, 123456789012LL}) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.2lf", static_cast<double>(cents) / 100.0);
    EXPECT_EQ(FormatCents(cents), expected) << cents;
  }
  // A whole part beyond the range saturates instead of wrapping.
  EXPECT_GT(ParseMoneyCents("99999999999999999999999"), 0);
  EXPECT_LT(ParseMoneyCents("-99999999999999999999999"), 0);
}

TEST(Box12Codes, OnlyTheCodesOfThe2007Form) {
  for (const char* code : {"A", "b", "D", "h", "J", "N", "P", "T", "V", "W", "Y", "Z", "AA", "aa", "Bb"})
    EXPECT_TRUE(IsBox12Code(code)) << code;
  for (const char* code : {"", "I", "O", "U", "X", "CC", "AB", "1", "0", " D", "D "})
    EXPECT_FALSE(IsBox12Code(code)) << code;
  const std::string message = InvalidBox12CodeMessage("U");
  EXPECT_NE(message.find("\"U\""), std::string::npos);
  EXPECT_NE(message.find("AA and BB"), std::string::npos);
}

TEST(Box12Codes, TwoLetterCodesAreHeldAsDigits) {
  EXPECT_EQ(HoldBox12Code("aa"), "0");
  EXPECT_EQ(HoldBox12Code("BB"), "1");
  EXPECT_EQ(HoldBox12Code("d"), "D");
  EXPECT_EQ(ShowBox12Code("0"), "AA");
  EXPECT_EQ(ShowBox12Code("1"), "BB");
  EXPECT_EQ(ShowBox12Code("D"), "D");
  EXPECT_EQ(ShowBox12Code(""), "");
}

TEST(Box12Codes, DeferredCompensationCodes) {
  for (const char* code : {"D", "d", "E", "F", "G", "H", "S", "Y", "0", "1", "AA", "bb"})
    EXPECT_TRUE(IsDeferredCompensationCode(code)) << code;
  for (const char* code : {"", "A", "C", "W", "Z", "CC"}) EXPECT_FALSE(IsDeferredCompensationCode(code)) << code;
}

}  // namespace
}  // namespace formet
