// Digits and upper case taken from texts as ASCII, Windows-1252 bytes kept.
#include "kit/ascii_text.h"

#include <gtest/gtest.h>

namespace formet {
namespace {

TEST(AsciiText, DigitsOf) {
  const struct {
    std::string_view text, digits;
  } cases[] = {
      {"(217) 555-0100", "2175550100"},
      {"123-45-6789", "123456789"},
      {"62701-1234", "627011234"},
      {"no digits", ""},
      {"", ""},
      {"\xB2\xB3 \xBD 7", "7"},  // superscripts and fractions are not digits
  };
  for (const auto& c : cases) EXPECT_EQ(DigitsOf(c.text), c.digits) << c.text;
}

TEST(AsciiText, UpperAscii) {
  const struct {
    std::string_view text, upper;
  } cases[] = {
      {"dd", "DD"},
      {"aA1z", "AA1Z"},
      {"il", "IL"},
      {"Jos\xE9 \xE6", "JOS\xE9 \xE6"},  // Windows-1252 letters stay as typed
      {"[`{", "[`{"},                    // the neighbours of a-z are no letters
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(UpperAscii(c.text), c.upper) << c.text;
}

}  // namespace
}  // namespace formet
