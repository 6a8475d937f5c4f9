// The options dialogs' rules: what they show from the print settings and
// what their OK stores.
#include <gtest/gtest.h>

#include "forms/print/print_options.h"
#include "store/settings_store.h"

namespace formet {
namespace {

TEST(PrintOptions, FirstRunW2Dialog) {
  const PrintOptionsEntry e = ShowPrintOptions(PrintForm::W2, FormPrintSettings{});
  EXPECT_EQ(e.horizontalOffset, "0.00");
  EXPECT_EQ(e.verticalOffset, "0.00");
  EXPECT_EQ(e.verticalSpace, "1.33");
  EXPECT_EQ(e.horizontalDirection, 1);
  EXPECT_EQ(e.verticalDirection, 1);
  EXPECT_EQ(e.target, 0);
  EXPECT_EQ(e.paper, static_cast<int>(W2PaperChoice::RedInk));
  EXPECT_EQ(e.copy, 0);
  EXPECT_STREQ(W2CopyName(e.copy), "Copies B, C and 2 [4-Up Format]");
  EXPECT_TRUE(OffsetsEnabled(PrintForm::W2, e));
  EXPECT_FALSE(CopyListEnabled(PrintForm::W2, e));
}

TEST(PrintOptions, OffsetsTakeTheirSignAndAreStoredWithoutIt) {
  PrintSettingsSet set{};
  FormPrintSettings& s = set[static_cast<int>(PrintForm::W2)];
  PrintOptionsEntry e = ShowPrintOptions(PrintForm::W2, s);
  e.horizontalOffset = "0.25";
  e.horizontalDirection = 0;
  e.verticalOffset = "0.10";
  e.verticalDirection = 0;
  e.target = 1;
  ASSERT_EQ(ConfirmPrintOptions(PrintForm::W2, e, s), std::nullopt);
  EXPECT_DOUBLE_EQ(s.horizontalOffset, -0.25);
  EXPECT_DOUBLE_EQ(s.verticalOffset, -0.10);
  EXPECT_EQ(s.printTarget, 1);
  EXPECT_EQ(s.paperType, 1);

  MemorySettingsStore store;
  SavePrintSettings(store, set);
  const std::string key = std::string(kSettingsRoot) + "\\Form W2 Print Options";
  EXPECT_EQ(store.ReadNumber(key, "W2 Horizontal Offset Value"), 25u);
  EXPECT_EQ(store.ReadNumber(key, "W2 Horizontal Offset Direction"), 0u);
  PrintSettingsSet back{};
  LoadPrintSettings(store, back);
  const PrintOptionsEntry shown = ShowPrintOptions(PrintForm::W2, back[0]);
  EXPECT_EQ(shown.horizontalOffset, "0.25");
  EXPECT_EQ(shown.horizontalDirection, 0);

  // A negative offset still in memory shows as its size.
  FormPrintSettings signed1099;
  signed1099.verticalOffset = -0.05;
  signed1099.verticalDirection = 0;
  EXPECT_EQ(ShowPrintOptions(PrintForm::Form1099, signed1099).verticalOffset, "0.05");
}

TEST(PrintOptions, CopyASubstituteIsBlankCopyTypeTen) {
  FormPrintSettings s;
  PrintOptionsEntry e = ShowPrintOptions(PrintForm::W2, s);
  e.paper = static_cast<int>(W2PaperChoice::CopyASubstitute);
  e.copy = 3;
  ASSERT_EQ(ConfirmPrintOptions(PrintForm::W2, e, s), std::nullopt);
  EXPECT_EQ(s.paperType, 0);
  EXPECT_EQ(s.blankCopyType, kW2CopyASubstitute);
  const PrintOptionsEntry again = ShowPrintOptions(PrintForm::W2, s);
  EXPECT_EQ(again.paper, static_cast<int>(W2PaperChoice::CopyASubstitute));
  EXPECT_EQ(again.copy, 0);
  EXPECT_FALSE(OffsetsEnabled(PrintForm::W2, again));
  EXPECT_FALSE(CopyListEnabled(PrintForm::W2, again));

  e.paper = static_cast<int>(W2PaperChoice::Copy);
  ASSERT_EQ(ConfirmPrintOptions(PrintForm::W2, e, s), std::nullopt);
  EXPECT_EQ(s.blankCopyType, 3);
  EXPECT_TRUE(CopyListEnabled(PrintForm::W2, ShowPrintOptions(PrintForm::W2, s)));
}

TEST(PrintOptions, VerticalSpaceMustLieBetween075And175) {
  struct Case {
    const char* typed;
    const char* refusal;  // nullptr: accepted
    double stored;
  };
  const std::string tooSmall = VerticalSpaceTooSmallMessage(), tooLarge = VerticalSpaceTooLargeMessage();
  for (const Case c : {Case{"0.74", tooSmall.c_str(), 0}, Case{"0.75", nullptr, 0.75}, Case{"1.75", nullptr, 1.75},
                       Case{"1.76", tooLarge.c_str(), 0}, Case{"1.5099", nullptr, 1.50}, Case{"", tooSmall.c_str(), 0}}) {
    FormPrintSettings s;
    s.paperType = 0;
    PrintOptionsEntry e = ShowPrintOptions(PrintForm::W2, s);
    e.verticalSpace = c.typed;
    e.paper = static_cast<int>(W2PaperChoice::RedInk);
    const auto refusal = ConfirmPrintOptions(PrintForm::W2, e, s);
    if (c.refusal) {
      EXPECT_EQ(refusal, std::string(c.refusal)) << c.typed;
      EXPECT_EQ(e.verticalSpace, "1.330000") << c.typed;
      EXPECT_EQ(s, FormPrintSettings{.paperType = 0}) << c.typed;  // the block is untouched
    } else {
      EXPECT_EQ(refusal, std::nullopt) << c.typed;
      EXPECT_DOUBLE_EQ(s.verticalSpace, c.stored) << c.typed;
      EXPECT_EQ(s.paperType, 1);
    }
  }
  EXPECT_EQ(tooSmall, "Vertical space between top and bottom forms can\x92t be less than .75 inches");
  EXPECT_EQ(tooLarge, "Vertical space between top and bottom forms can\x92t be greater than 1.75 inches");
}

TEST(PrintOptions, OtherFormsTakePaperCopyAndTarget) {
  FormPrintSettings w3;
  PrintOptionsEntry e = ShowPrintOptions(PrintForm::W3, w3);
  EXPECT_TRUE(OffsetsEnabled(PrintForm::W3, e));
  e.paper = 2;
  e.horizontalOffset = "1.239";  // only five characters count
  ASSERT_EQ(ConfirmPrintOptions(PrintForm::W3, e, w3), std::nullopt);
  EXPECT_EQ(w3.paperType, 2);
  EXPECT_DOUBLE_EQ(w3.horizontalOffset, 1.23);
  EXPECT_FALSE(OffsetsEnabled(PrintForm::W3, ShowPrintOptions(PrintForm::W3, w3)));

  FormPrintSettings misc;
  e = ShowPrintOptions(PrintForm::Form1099, misc);
  e.paper = 0;
  e.copy = 2;
  e.target = 1;
  e.verticalOffset = "0.05";
  e.verticalDirection = 0;
  ASSERT_EQ(ConfirmPrintOptions(PrintForm::Form1099, e, misc), std::nullopt);
  EXPECT_EQ(misc.blankCopyType, 2);
  EXPECT_EQ(misc.printTarget, 1);
  EXPECT_DOUBLE_EQ(misc.verticalOffset, -0.05);
  EXPECT_TRUE(CopyListEnabled(PrintForm::Form1099, e));
  EXPECT_STREQ(Form1099CopyName(2), "Copy 2-To be filed with recipient\x92s state income tax");

  FormPrintSettings transmittal;
  transmittal.printTarget = 1;  // not the 1096's
  e = ShowPrintOptions(PrintForm::Form1096, transmittal);
  e.paper = 0;
  e.target = 0;
  ASSERT_EQ(ConfirmPrintOptions(PrintForm::Form1096, e, transmittal), std::nullopt);
  EXPECT_EQ(transmittal.paperType, 0);
  EXPECT_EQ(transmittal.printTarget, 1);
  EXPECT_FALSE(CopyListEnabled(PrintForm::Form1096, e));
}

}  // namespace
}  // namespace formet
