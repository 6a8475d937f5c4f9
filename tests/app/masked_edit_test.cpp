// The field model: the settings calls of the masked edit and how each re-applies its rule.
#include <gtest/gtest.h>

#include <string>

#include "app/maskedit/masked_edit_rules.h"
#include "edit_notation.h"

namespace formet::maskedit {
namespace {

using testing::Parse;
using testing::Show;

std::string TypeInto(MaskedEdit& edit, const std::string& keys) {
    Effects effects;
    for (char c : keys) edit.OnChar(c, effects);
    return Show(edit.State());
}

TEST(MaskedEdit, NewFieldIsAPlainEdit) {
    MaskedEdit edit;
    EXPECT_EQ(TypeInto(edit, "a:b/12.5"), "a:b/12.5|");
    EXPECT_NE(dynamic_cast<TextRule*>(&edit.Rule()), nullptr);
}

TEST(MaskedEdit, TextSettingsReapplyTheRule) {
    MaskedEdit edit;
    edit.OnSetText("ab:cdefg");
    edit.SetTextRule(5, "%'*\"+?><:\\");
    EXPECT_EQ(edit.Text(), "abcd");  // cut to five, then the colon removed

    edit.OnSetText("abcd");
    edit.SetMaxLength(3);
    EXPECT_EQ(edit.Text(), "abc");
    edit.SetRefused("b");
    EXPECT_EQ(edit.Text(), "ac");

    // the text rule keeps working with its settings
    Effects effects;
    edit.OnChar('b', effects);
    EXPECT_TRUE(effects.beep);
    EXPECT_EQ(TypeInto(edit, "x"), "acx|");
    EXPECT_EQ(TypeInto(edit, "y"), "acx|");  // full
}

TEST(MaskedEdit, ValidTextKeepsItsSelectionWhenASettingChanges) {
    MaskedEdit edit;
    edit.State() = Parse("a[bc]d");
    edit.SetMaxLength(10);
    EXPECT_EQ(Show(edit.State()), "a[bc]d");
    edit.SetMaxLength(2);
    EXPECT_EQ(Show(edit.State()), "ab|");
}

TEST(MaskedEdit, MaskSettings) {
    MaskedEdit edit;
    edit.OnSetText("123456789");
    edit.SetMask("###-##-####");
    EXPECT_EQ(edit.Text(), "123-45-6789");
    edit.SetMask("#####");
    EXPECT_EQ(edit.Text(), "123");  // the literal ends the walk
    edit.SetMask("(###) ###-####");
    edit.OnSetText("");
    EXPECT_EQ(TypeInto(edit, "3125551234"), "(312) 555-1234|");
    edit.SetMask("");
    EXPECT_EQ(edit.Text(), "(312) 555-1234");
    EXPECT_EQ(TypeInto(edit, "x"), "(312) 555-1234x|");
}

TEST(MaskedEdit, NumberSettings) {
    MaskedEdit edit;
    edit.OnSetText("-12abc.5");
    edit.SetNumberRule(9, 4);
    EXPECT_EQ(edit.Text(), "-12.5");
    edit.SetDecimals(0);
    EXPECT_EQ(edit.Text(), "-12");
    edit.SetSignAllowed(false);
    EXPECT_EQ(edit.Text(), "12");
    edit.SetSignAllowed(true);
    edit.OnSetText("-1234");
    edit.SetGroupSize(3);
    EXPECT_EQ(edit.Text(), "-1,234");
    edit.SetWholeDigits(-2);  // two digits and no sign
    EXPECT_EQ(edit.Text(), "12");
    edit.SetPrefix("$");
    EXPECT_EQ(edit.Text(), "$12");

    edit.OnSetText("");
    edit.SetNumberRule(-2, 2);
    EXPECT_EQ(TypeInto(edit, "-1.234"), "1.23|");
}

TEST(MaskedEdit, NumberLocale) {
    MaskedEdit edit;
    edit.SetNumberLocale(NumberLocale{'-', ',', '.'});
    edit.SetNumberRule(9, 2);
    edit.SetGroupSize(3);
    edit.OnSetText("1234567,891");
    EXPECT_EQ(edit.Text(), "1.234.567,89");
    edit.OnSetText("");
    EXPECT_EQ(TypeInto(edit, "-1234,5"), "-1.234,5|");

    // a locale change re-applies the current numeric rule
    edit.OnSetText("12,5");
    edit.SetNumberLocale(NumberLocale{});
    EXPECT_EQ(edit.Text(), "125");
}

TEST(MaskedEdit, SettingOfAnotherKindSwitchesTheKind) {
    MaskedEdit edit;
    edit.SetNumberRule(9, 2);
    edit.SetGroupSize(3);
    edit.OnSetText("1234");
    EXPECT_EQ(edit.Text(), "1,234");
    edit.SetMaxLength(3);
    EXPECT_NE(dynamic_cast<TextRule*>(&edit.Rule()), nullptr);
    EXPECT_EQ(edit.Text(), "1,2");

    edit.SetWholeDigits(5);  // a fresh numeric rule: five digits, sign allowed, no decimals
    auto* numeric = dynamic_cast<NumericRule*>(&edit.Rule());
    ASSERT_NE(numeric, nullptr);
    EXPECT_EQ(numeric->WholeDigits(), 5);
    EXPECT_EQ(numeric->Decimals(), 0);
    EXPECT_TRUE(numeric->SignAllowed());
    EXPECT_EQ(edit.Text(), "12");
}

TEST(MaskedEdit, AcceptCharHookSurvivesAChangeOfKind) {
    MaskedEdit edit;
    edit.SetAcceptChar([](char c) { return c != '7'; });
    EXPECT_EQ(TypeInto(edit, "a7b"), "ab|");
    edit.OnSetText("");
    edit.SetMask("###");
    EXPECT_EQ(TypeInto(edit, "172"), "12|");
    edit.OnSetText("");
    edit.SetNumberRule(9, 2);
    EXPECT_EQ(TypeInto(edit, "7.75"), ".5|");
}

TEST(MaskedEdit, MessagesReachTheRule) {
    MaskedEdit edit;
    edit.SetMask("###-##-####");
    Effects effects;
    edit.OnPaste("123456789", effects);
    EXPECT_EQ(Show(edit.State()), "|123-45-6789");
    EXPECT_TRUE(effects.scrollCaret);

    edit.State() = Parse("123-[45]-6789");
    effects = {};
    edit.OnCut(effects);
    EXPECT_EQ(effects.clipboard, "45");
    EXPECT_EQ(edit.Text(), "123-45-6789");
    edit.State() = Parse("123-45-[6789]");
    edit.OnClear(effects);
    EXPECT_EQ(Show(edit.State()), "123-45-|");
    EXPECT_TRUE(edit.OnKeyDown(Key::Delete, effects));
    EXPECT_EQ(edit.Text(), "123-45-");
    edit.State().SetCaret(6);
    EXPECT_TRUE(edit.OnKeyDown(Key::Delete, effects));
    EXPECT_EQ(edit.Text(), "123-45");
    EXPECT_FALSE(edit.OnKeyDown(Key::Other, effects));
}

}  // namespace
}  // namespace formet::maskedit
