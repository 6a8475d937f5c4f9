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

TEST(TextCodec, CaseInsensitiveNames) {
  EXPECT_TRUE(EqualsIgnoreCase1252("Acme.qdt", "ACME.QDT"));
  EXPECT_TRUE(EqualsIgnoreCase1252("caf\xE9", "CAF\xC9"));
  EXPECT_FALSE(EqualsIgnoreCase1252("Acme", "Acme "));
  EXPECT_FALSE(EqualsIgnoreCase1252("\xD7", "\xF7"));  // multiplication and division signs
}

}  // namespace
}  // namespace formet
