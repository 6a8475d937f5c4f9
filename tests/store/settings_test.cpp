// Print settings in the settings store, and the text conversions.
#include <gtest/gtest.h>

#include "forms/w2/print_settings.h"
#include "store/settings_store.h"
#include "store/text_codec.h"

namespace formet {
namespace {

const std::string kW2Key = "SOFTWARE\\Quorvane\\Formet (2007)\\Form W2 Print Options";

TEST(PrintSettings, FirstRunGivesStartValues) {
  MemorySettingsStore store;
  PrintSettingsSet s;
  s[0].paperType = 0;  // overwritten by the load
  LoadPrintSettings(store, s);
  for (const auto& block : s) {
    EXPECT_EQ(block.horizontalOffset, 0);
    EXPECT_EQ(block.horizontalDirection, 1);
    EXPECT_EQ(block.verticalDirection, 1);
    EXPECT_EQ(block.paperType, 1);
  }
  EXPECT_DOUBLE_EQ(s[0].verticalSpace, 1.33);
  EXPECT_EQ(s[0].printTarget, 0);
  EXPECT_EQ(s[0].blankCopyType, 0);
}

TEST(PrintSettings, StoredAsHundredthsWithDirectionsApart) {
  MemorySettingsStore store;
  PrintSettingsSet s;
  s[0].horizontalOffset = -0.25;  // left, as a print dialog leaves it in memory
  s[0].horizontalDirection = 0;
  s[0].verticalOffset = 0.29;
  s[0].verticalSpace = 1.75;
  s[0].blankCopyType = 10;
  s[0].paperType = 0;
  s[2].printTarget = 1;
  s[2].blankCopyType = 4;
  s[3].verticalOffset = -1.5;
  SavePrintSettings(store, s);
  EXPECT_EQ(s[0].horizontalOffset, 0.25);  // made non-negative before writing

  EXPECT_EQ(store.ReadNumber(kW2Key, "W2 Horizontal Offset Value"), 25u);
  EXPECT_EQ(store.ReadNumber(kW2Key, "W2 Horizontal Offset Direction"), 0u);
  EXPECT_EQ(store.ReadNumber(kW2Key, "W2 Vertical Offset Value"), 29u);
  EXPECT_EQ(store.ReadNumber(kW2Key, "W2 Vertical Space Between forms"), 175u);
  EXPECT_EQ(store.ReadNumber(kW2Key, "W2 Blank Copy Type"), 10u);
  EXPECT_EQ(store.ReadNumber(kW2Key, "W2 Paper Type"), 0u);
  const std::string k1099 = "SOFTWARE\\Quorvane\\Formet (2007)\\Form 1099 Print Options";
  EXPECT_EQ(store.ReadNumber(k1099, "1099 Copy Type"), 4u);
  EXPECT_EQ(store.ReadNumber(k1099, "1099 Print Target"), 1u);
  EXPECT_EQ(store.ReadNumber("SOFTWARE\\Quorvane\\Formet (2007)\\Form 1096 Print Options",
                             "1096 Vertical Offset Value"),
            150u);
  // The W-3 and 1096 keep no target, copy type or vertical space.
  const std::string kW3 = "SOFTWARE\\Quorvane\\Formet (2007)\\Form W3 Print Options";
  EXPECT_FALSE(store.ReadNumber(kW3, "W3 Print Target"));
  EXPECT_EQ(store.Numbers().size(), 8u + 5u + 7u + 5u);

  PrintSettingsSet back;
  LoadPrintSettings(store, back);
  EXPECT_EQ(back[0].horizontalOffset, 0.25);
  EXPECT_EQ(back[0].horizontalDirection, 0);
  EXPECT_DOUBLE_EQ(back[0].verticalOffset, 0.29);
  EXPECT_DOUBLE_EQ(back[0].verticalSpace, 1.75);
  EXPECT_EQ(back[2].blankCopyType, 4);
  EXPECT_EQ(HundredthsOf(0.257), 25u);  // more decimals are cut, not rounded
}

TEST(PrintSettings, StoredValuesTheDialogsCannotGiveAreReplacedByTheirDefaults) {
  const std::string root = std::string(kSettingsRoot) + "\\";
  struct Case {
    const char* key;
    const char* value;
    uint32_t stored;
    bool kept;
  } cases[] = {
      {"Form W2 Print Options", "W2 Horizontal Offset Value", 4294967295u, false},
      {"Form W2 Print Options", "W2 Vertical Offset Value", 9999, true},  // 99.99 inches, the most the field takes
      {"Form W3 Print Options", "W3 Vertical Offset Value", 10000, false},
      {"Form W2 Print Options", "W2 Horizontal Offset Direction", 2, false},
      {"Form 1099 Print Options", "1099 Vertical Offset Direction", 0, true},
      {"Form W2 Print Options", "W2 Paper Type", 2, false},
      {"Form W3 Print Options", "W3 Paper Type", 2, true},  // the laser substitute
      {"Form 1096 Print Options", "1096 Paper Type", 3, false},
      {"Form W2 Print Options", "W2 Blank Copy Type", 10, true},  // the Copy A substitute
      {"Form W2 Print Options", "W2 Blank Copy Type", 11, false},
      {"Form 1099 Print Options", "1099 Copy Type", 5, true},
      {"Form 1099 Print Options", "1099 Copy Type", 6, false},
      {"Form 1099 Print Options", "1099 Print Target", 2, false},
      {"Form W2 Print Options", "W2 Vertical Space Between forms", 74, false},
      {"Form W2 Print Options", "W2 Vertical Space Between forms", 75, true},
      {"Form W2 Print Options", "W2 Vertical Space Between forms", 175, true},
      {"Form W2 Print Options", "W2 Vertical Space Between forms", 176, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.value) + " " + std::to_string(c.stored));
    MemorySettingsStore store;
    store.WriteNumber(root + c.key, c.value, c.stored);
    PrintSettingsSet read;
    const auto replaced = LoadPrintSettings(store, read);
    MemorySettingsStore none;
    PrintSettingsSet defaults;
    LoadPrintSettings(none, defaults);
    EXPECT_EQ(replaced.empty(), c.kept);
    EXPECT_EQ(read == defaults, !c.kept);
  }
  // The list says what was found and what is used instead.
  MemorySettingsStore store;
  store.WriteNumber(root + "Form W2 Print Options", "W2 Horizontal Offset Value", 4294967295u);
  store.WriteNumber(root + "Form W2 Print Options", "W2 Vertical Space Between forms", 20);
  store.WriteNumber(root + "Form W3 Print Options", "W3 Paper Type", 7);
  PrintSettingsSet read;
  EXPECT_EQ(LoadPrintSettings(store, read),
            (std::vector<std::string>{"W2 Horizontal Offset Value 42949672.95 inches (now 0.00 inches)",
                                      "W2 Vertical Space Between forms 0.20 inches (now 1.33 inches)",
                                      "W3 Paper Type 7 (now 1)"}));
  EXPECT_EQ(read[0].horizontalOffset, 0);
  EXPECT_DOUBLE_EQ(read[0].verticalSpace, 1.33);
  EXPECT_EQ(read[1].paperType, 1);
}

TEST(TextCodec, EveryByteRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Win1252ToUtf8(all);
  EXPECT_EQ(Utf8ToWin1252(utf8), all);
  EXPECT_EQ(Win1252ToUtf8("O\x92Neil caf\xE9 \x80"), "O\xE2\x80\x99Neil caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(TextCodec, RefusesCharactersWithoutAWindows1252Form) {
  std::string bad;
  EXPECT_FALSE(Utf8ToWin1252("Stra\xC3\x9F" "e \xE2\x82\xAC ok", &bad) == std::nullopt);
  EXPECT_EQ(Utf8ToWin1252("Pay \xE4\xB8\xAD", &bad), std::nullopt);  // a CJK character
  EXPECT_EQ(bad, "\xE4\xB8\xAD");
  EXPECT_EQ(Utf8ToWin1252("\xC3", &bad), std::nullopt);  // cut short
  EXPECT_EQ(Utf8ToWin1252("\xF0\x9F\x98\x80", &bad), std::nullopt);  // an emoji
}

TEST(TextCodec, RefusesMalformedUtf8) {
  // Overlong NUL and slash, a surrogate, a code point past U+10FFFF, a stray
  // continuation byte: none is UTF-8, so none may reach a name.
  for (const char* bad : {"a\xC0\x80" "b", "\xC1\xBF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                          "\x80"}) {
    std::string why;
    EXPECT_EQ(Utf8ToWin1252(bad, &why), std::nullopt) << bad;
    EXPECT_EQ(why, "invalid UTF-8");
  }
  EXPECT_EQ(Utf8ToWin1252("\xF4\x8F\xBF\xBF"), std::nullopt);  // valid, but no Windows-1252 form
}

TEST(TextCodec, EnteredTextRefusesControlCharactersAndNamesTheProblem) {
  struct Case {
    const char* utf8;
    const char* problem;  // a part of the message; nullptr = accepted
  } const cases[] = {
      {"O\xE2\x80\x99Neil caf\xC3\xA9", nullptr},
      {"", nullptr},
      {"tab\there", "control character (U+0009)"},
      {"line\nbreak", "control character (U+000A)"},
      {"esc\x1B[31m", "control character (U+001B)"},
      {"del\x7F", "control character (U+007F)"},
      {"c1 \xC2\x85", "control character (U+0085)"},  // NEL: a C1 control, has no 1252 form
      {"c1 \xC2\x81", "control character (U+0081)"},  // unassigned in 1252, kept as a C1 control
      {"nul \xC0\x80", "not valid UTF-8"},
      {"\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C", "U+043F cannot be stored"},
  };
  for (const Case& c : cases) {
    std::string problem;
    const auto text = AcceptEnteredText(c.utf8, &problem);
    if (!c.problem) {
      EXPECT_TRUE(text.has_value()) << c.utf8 << ": " << problem;
    } else {
      EXPECT_FALSE(text.has_value()) << c.utf8;
      EXPECT_NE(problem.find(c.problem), std::string::npos) << c.utf8 << ": " << problem;
    }
  }
}

TEST(TextCodec, CaseInsensitiveNames) {
  EXPECT_TRUE(EqualsIgnoreCase1252("Acme.qdt", "ACME.QDT"));
  EXPECT_TRUE(EqualsIgnoreCase1252("caf\xE9", "CAF\xC9"));
  EXPECT_FALSE(EqualsIgnoreCase1252("Acme", "Acme "));
  EXPECT_FALSE(EqualsIgnoreCase1252("\xD7", "\xF7"));  // multiplication and division signs
}

}  // namespace
}  // namespace formet
