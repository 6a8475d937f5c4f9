// The field model: the settings calls of the masked edit and how each re-applies its rule.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "edit_notation.h"
#include "kit/masked_edit_rules.h"

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


// Records hold amounts with "." whatever the user's locale; the field shows
// the locale's separators and reads back exactly what it was given.
TEST(MaskedEdit, AmountsAreConvertedOnlyBetweenRecordAndField) {
    const NumberLocale german{'-', ',', '.'};
    MaskedEdit edit;
    edit.SetNumberLocale(german);
    edit.SetNumberRule(9, 2);
    struct Case {
        std::string stored, shown;
    } cases[] = {{"12.50", "12,50"}, {"-3.5", "-3,5"}, {"", ""}, {"0.00", "0,00"},
                 // a text no amount field would make still comes back unchanged
                 {"1,234.5", "1.234,5"}, {"12,5", "12.5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        edit.SetStoredText(c.stored);
        EXPECT_EQ(edit.Text(), c.shown);
        EXPECT_EQ(edit.StoredText(), c.stored);
    }
    // Either decimal key types the locale's separator; records get ".".
    for (const std::string keys : {"1234.5", "1234,5"}) {
        edit.SetStoredText("");
        TypeInto(edit, keys);
        EXPECT_EQ(edit.Text(), "1234,5") << keys;
        EXPECT_EQ(edit.StoredText(), "1234.5") << keys;
    }
    Effects effects;
    edit.SetStoredText("");
    edit.OnPaste("1234.56", effects);
    EXPECT_EQ(edit.StoredText(), "1234.56");
    EXPECT_TRUE(effects.note.empty());

    // In a US locale nothing changes on the way.
    MaskedEdit us;
    us.SetNumberRule(9, 2);
    us.SetStoredText("-12.50");
    EXPECT_EQ(us.Text(), "-12.50");
    EXPECT_EQ(us.StoredText(), "-12.50");
}

// A stored value is shown as stored; only what the user types is filtered.
TEST(MaskedEdit, StoredTextIsShownAsStored) {
    MaskedEdit edit;
    edit.SetTextRule(20, "%'*\"+?><:\\");
    edit.SetStoredText("O'Connor: Attn");
    EXPECT_EQ(edit.Text(), "O'Connor: Attn");
    EXPECT_EQ(TypeInto(edit, "s'"), "O'Connor: Attns|");
    Effects effects;
    edit.State() = Parse("O'|Connor: Attns");
    edit.OnPaste("a'b", effects);
    EXPECT_EQ(edit.Text(), "O'abConnor: Attns");

    MaskedEdit ssn;
    ssn.SetMask("###-##-####");
    ssn.SetStoredText("123456789");  // as an older file may hold it
    EXPECT_EQ(ssn.StoredText(), "123456789");
}

// Whatever is refused or cut says why, for the field to show.
TEST(MaskedEdit, RefusalsComeWithANote) {
    struct Case {
        const char* what;
        std::function<void(MaskedEdit&)> setup;
        std::string start, keys;
        std::string noteHas;
    };
    const auto text = [](MaskedEdit& e) { e.SetTextRule(5, "%'*\"+?><:\\"); };
    const auto ssn = [](MaskedEdit& e) { e.SetMask("###-##-####"); };
    const auto amount = [](MaskedEdit& e) { e.SetNumberRule(9, 2); };
    const auto offset = [](MaskedEdit& e) { e.SetNumberRule(-2, 2); };
    const Case cases[] = {
        {"refused character", text, "ab|", "'", "does not take the character '"},
        {"full field", text, "abcde|", "f", "at most 5 characters"},
        {"typed over when full", text, "ab|cde", "x", "at most 5 characters"},
        {"letter in a mask", ssn, "12|", "a", "Only digits can be typed here (###-##-####)"},
        {"mask complete", ssn, "123-45-6789|", "1", "complete"},
        {"letter in an amount", amount, "12|", "x", "Only digits, \"-\" and \".\" can be typed here."},
        {"sign where none is allowed", offset, "1|", "-", "Only digits and \".\" can be typed here."},
        {"tenth whole digit", amount, "123456789|", "1", "At most 9 digits before"},
        {"third decimal", amount, "1.25|", "1", "At most 2 digits after"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MaskedEdit edit;
        c.setup(edit);
        edit.State() = Parse(c.start);
        Effects effects;
        for (char k : c.keys) edit.OnChar(k, effects);
        EXPECT_NE(effects.note.find(c.noteHas), std::string::npos) << effects.note;
    }
    // What is taken says nothing.
    MaskedEdit plain;
    plain.SetMask("###-##-####");
    Effects effects;
    for (char k : std::string("123456789")) plain.OnChar(k, effects);
    EXPECT_EQ(effects.note, "");
    plain.OnPaste("12a", effects);  // the field is complete: the pasted digits find no place
    EXPECT_EQ(plain.Text(), "123-45-6789");
    EXPECT_NE(effects.note.find("left out"), std::string::npos);

    // Pastes name what they left out; a refused deletion says how to change digits.
    MaskedEdit name;
    text(name);
    effects = {};
    name.OnPaste("O'Brien", effects);
    EXPECT_EQ(name.Text(), "OBrie");
    EXPECT_NE(effects.note.find("the character '"), std::string::npos) << effects.note;
    EXPECT_NE(effects.note.find("at most 5"), std::string::npos) << effects.note;
    MaskedEdit mask;
    ssn(mask);
    mask.State() = Parse("123-4|5-6789");
    effects = {};
    mask.OnKeyDown(Key::Delete, effects);
    EXPECT_EQ(mask.Text(), "123-45-6789");
    EXPECT_NE(effects.note.find("from the end only"), std::string::npos);
    effects = {};
    mask.State() = Parse("|");
    mask.OnPaste("12x45", effects);
    EXPECT_EQ(mask.Text(), "12");
    EXPECT_NE(effects.note.find("left out"), std::string::npos);
    MaskedEdit money;
    amount(money);
    effects = {};
    money.OnPaste("$1,234.567", effects);
    EXPECT_EQ(money.Text(), "1234.56");
    EXPECT_NE(effects.note.find("at most 9 whole digits and 2 decimals"), std::string::npos);
    effects = {};
    money.State() = Parse("[1234.56]");
    money.OnPaste("1,234.50", effects);
    EXPECT_EQ(effects.note, "");  // thousands separators carry nothing
}

}  // namespace
}  // namespace formet::maskedit
