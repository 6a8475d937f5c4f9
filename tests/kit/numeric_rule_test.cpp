// The numeric kind: amounts with whole digits, decimals, sign, grouping and locale.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "edit_notation.h"
#include "kit/masked_edit_rules.h"

namespace formet::maskedit {
namespace {

using testing::Parse;
using testing::PressDelete;
using testing::Show;
using testing::Type;

const NumberLocale kUs{};
const NumberLocale kGerman{'-', ',', '.'};

// The settings of one numeric field.
struct Field {
    Field(int n, int f, int group = 0, NumberLocale loc = kUs, std::string pre = {})
        : wholeDigits(n), decimals(f), groupSize(group), locale(loc), prefix(std::move(pre)) {}

    int wholeDigits;  // negative: no sign, as on construction
    int decimals;
    int groupSize;
    NumberLocale locale;
    std::string prefix;

    NumericRule Make() const {
        NumericRule rule(wholeDigits, decimals, locale);
        rule.SetGroupSize(groupSize);
        rule.SetPrefix(prefix);
        return rule;
    }
    std::string Name() const {
        return "N" + std::to_string(wholeDigits) + " F" + std::to_string(decimals) + " G" +
               std::to_string(groupSize) + " " + locale.decimal + locale.thousands + " prefix " + prefix;
    }
};

const Field kAmount{9, 4};
const Field kOffset{-2, 2};
const Field kWhole{9, 0};
const Field kGrouped{9, 2, 3};
const Field kGerman9{9, 2, 3, kGerman};
const Field kDollar{9, 2, 0, kUs, "$"};

TEST(NumericRule, Construction) {
    NumericRule amount(9, 4);
    EXPECT_EQ(amount.WholeDigits(), 9);
    EXPECT_EQ(amount.Decimals(), 4);
    EXPECT_TRUE(amount.SignAllowed());
    EXPECT_EQ(amount.GroupSize(), 0);
    EXPECT_EQ(amount.Prefix(), "");

    NumericRule offset(-2, 2);
    EXPECT_EQ(offset.WholeDigits(), 2);
    EXPECT_FALSE(offset.SignAllowed());

    NumericRule zero(0, 2);
    EXPECT_TRUE(zero.SignAllowed());

    NumericRule rule(5, -1);
    EXPECT_EQ(rule.Decimals(), 0);
    rule.SetWholeDigits(-7);
    EXPECT_EQ(rule.WholeDigits(), 7);
    EXPECT_FALSE(rule.SignAllowed());
    rule.SetWholeDigits(3);  // a positive count leaves the sign setting alone
    EXPECT_EQ(rule.WholeDigits(), 3);
    EXPECT_FALSE(rule.SignAllowed());
    rule.SetSignAllowed(true);
    EXPECT_TRUE(rule.SignAllowed());
}

TEST(NumericRule, Typing) {
    struct Case {
        Field setup;
        std::string start;
        std::string keys;
        std::string expected;
    };
    const std::vector<Case> cases = {
        // amount field: nine whole digits and four decimals
        {kAmount, "|", "1234567890", "123456789|"},
        {kAmount, "|", "1.23456", "1.2345|"},
        {kAmount, "1.23|", ".", "1.|23"},  // a second decimal point moves the caret after the first
        {kAmount, "12|3.45", ".", "123.|45"},
        {kAmount, "|1.2345", ".", "1.|2345"},
        {kAmount, "|", ".5", ".5|"},
        {kAmount, "|", "0.07", "0.07|"},
        {kAmount, "123|456789", ".", "123.|4567"},  // the digits after it become decimals, up to four
        // a full whole part is typed over; at its end the digit is dropped
        {kAmount, "12|3456789", "0", "120|456789"},
        {kAmount, "|123456789", "987", "987|456789"},
        {kAmount, "123456789|", "0", "123456789|"},
        {kAmount, "123456789|.5", "1", "123456789|.5"},
        {kAmount, "12345678|9.5", "01", "123456780|.5"},
        // a full fraction is typed over up to the last place
        {kAmount, "1.2|345", "9", "1.29|45"},
        {kAmount, "1.2345|", "9", "1.2345|"},
        {kAmount, "1.|2345", "98765", "1.9876|"},
        {kAmount, "1.2|3", "9", "1.29|3"},
        // every other printable character is dropped
        {kAmount, "12|", "a ,+$", "12|"},
        {kWhole, "12|", ".", "12|"},
        {kWhole, "|", "1.5", "15|"},
        // the sign: toggled anywhere but at the start of the number
        {kAmount, "12|3", "-", "-12|3"},
        {kAmount, "-12|3", "-", "12|3"},
        {kAmount, "-|123", "-", "|123"},
        {kAmount, "123|", "-", "-123|"},
        {kAmount, "123|", "--", "123|"},
        {kAmount, "1.2|5", "-", "-1.2|5"},
        {kAmount, "1[23]", "-", "-1[23]"},
        {kAmount, "-1[23]", "-", "1[23]"},
        // at the start it overtypes an existing sign, or is typed there
        {kAmount, "|-123", "-", "-|123"},
        {kAmount, "|123", "-", "-|123"},
        {kAmount, "|", "-5", "-5|"},
        {kAmount, "|", "--5", "5|"},  // the second sign toggles the first off
        {kAmount, "[123]", "-", "-|"},
        {kAmount, "[-1]23", "-", "-|23"},
        // digits and the decimal point are never typed in front of the sign
        {kAmount, "|-12", "3", "-3|12"},
        {kAmount, "|-12", ".", "-.|12"},
        // offset field: two whole digits, two decimals, no sign
        {kOffset, "|", "-", "|"},
        {kOffset, "1|2", "-", "1|2"},
        {kOffset, "|", "-1.5", "1.5|"},
        {kOffset, "|", "123", "12|"},
        {kOffset, "|", "1.234", "1.23|"},
        // Backspace deletes normally and the number is rebuilt
        {kAmount, "12|3", "\b", "1|3"},
        {kAmount, "-|12", "\b", "|12"},
        {kAmount, "1.|5", "\b", "1|5"},
        {kAmount, "123456789.|12", "\b", "123456789|"},  // the decimals join the full whole part and are dropped
        {kAmount, "|12", "\b", "|12"},
        // a digit or decimal point replaces a selection
        {kAmount, "[123]", "5", "5|"},
        {kAmount, "1[23].5", ".", "1.|5"},
        {kAmount, "[1.5]", ".", ".|"},
        {kAmount, "12[34]56789", "0", "120|56789"},
        {kAmount, "1.[23]45", "9", "1.9|45"},
        // thousands separators every three digits
        {kGrouped, "|", "1234567", "1,234,567|"},
        {kGrouped, "1,234|", "5", "12,345|"},
        {kGrouped, "|234,567", "1", "1|,234,567"},
        {kGrouped, "1,23|4", "-", "-1,23|4"},
        {kGrouped, "1,|234", "\b", "1|,234"},
        {kGrouped, "12,3|45", "\b", "1,2|45"},
        {kGrouped, "-1,234|", "\b", "-123|"},
        {kGrouped, "[1,234]", "9", "9|"},
        {kGrouped, "123,456,789|", "0", "123,456,789|"},
        {kGrouped, "123,456,78|9", "0", "123,456,780|"},
        {Field{4, 2, 3}, "1|,234", "9", "1,9|34"},  // typing over steps across the separator
        {Field{6, 2, 3}, "123,456|", "7", "123,456|"},
        {Field{9, 2, 2}, "|", "1234567", "1,23,45,67|"},
        // a locale with decimal comma and thousands point
        {kGerman9, "|", "1234,5", "1.234,5|"},
        {kGerman9, "1.234|", ".", "1.234|"},
        {kGerman9, "1.234,5|", ",", "1.234,|5"},
        {kGerman9, "12|", "-", "-12|"},
        {Field{9, 2, 0, NumberLocale{'~', '.', ','}}, "12|", "-~", "~12|"},
        // a prefix: its own character steps over it, a number character goes after it
        {kDollar, "|$12", "$", "$|12"},
        {kDollar, "|$12", "5", "$5|12"},
        {kDollar, "|$12", "-", "$-|12"},
        {kDollar, "|$12", ".", "$.|12"},
        {kDollar, "|$12", "a", "|$12"},
        {kDollar, "|", "7", "$7|"},
        {kDollar, "$|12", "\b", "$|12"},
        {kDollar, "$12|", "\b\b", "|"},  // no number, no prefix
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setup.Name() + " start " + c.start + " keys " + c.keys);
        NumericRule rule = c.setup.Make();
        Effects effects;
        EXPECT_EQ(Type(rule, c.start, c.keys, &effects), c.expected);
        EXPECT_FALSE(effects.beep);
    }
}

TEST(NumericRule, OtherControlCharactersAreLeftToThePlatform) {
    NumericRule rule(9, 4);
    EditState state = Parse("12|3");
    Effects effects;
    EXPECT_FALSE(rule.OnChar(state, '\r', effects));
    EXPECT_EQ(Show(state), "12|3");
}

TEST(NumericRule, DeleteKey) {
    struct Case {
        Field setup;
        std::string start;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {kAmount, "1|23", "1|3"},
        {kAmount, "123|", "123|"},
        {kAmount, "|-12", "|12"},
        {kAmount, "1|.5", "1|5"},
        {kAmount, "1[23]4", "1|4"},
        {kGrouped, "1,|234", "1|34"},
        {kGrouped, "1|,234", "1|,234"},  // the separator comes back with the rebuild
        {kGrouped, "|1,234,567", "|234,567"},
        {kGrouped, "1[,2]34,567", "1|34,567"},
        {kDollar, "|$12", "|$12"},  // nothing inside the prefix
        {kDollar, "$|12", "$|2"},
        {kDollar, "$|1", "|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setup.Name() + " start " + c.start);
        NumericRule rule = c.setup.Make();
        EXPECT_EQ(PressDelete(rule, c.start), c.expected);
    }
    NumericRule rule(9, 4);
    EditState state = Parse("12|3");
    Effects effects;
    EXPECT_FALSE(rule.OnKeyDown(state, Key::Other, effects));
}

TEST(NumericRule, ValidText) {
    struct Case {
        Field setup;
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {kAmount, "", ""},
        {kAmount, "123.45", "123.45"},
        {kAmount, "1234567890", "123456789"},
        {kAmount, "1234567890.5", "123456789.5"},  // further whole digits are dropped, the scan goes on
        {kAmount, "1.23456", "1.2345"},
        {kAmount, "1.2345-6", "1.2345"},
        {kAmount, "1.23456-", "1.2345"},
        {kAmount, "1.2.3", "1.23"},  // later decimal points are dropped
        {kAmount, "-12", "-12"},
        {kAmount, "1-2", "12"},
        {kAmount, "--1", "-1"},
        {kAmount, " -1", "1"},  // the sign counts only as the very first character
        {kAmount, "-", "-"},
        {kAmount, ".", "."},
        {kAmount, "-.", "-."},
        {kAmount, "abc", ""},
        {kAmount, "$1,234.50", "1234.50"},
        {kAmount, "007", "007"},
        {kWhole, "12.5", "12"},
        {kWhole, "12a.5", "12"},
        {kWhole, "1,234", "1234"},
        {kOffset, "-12.345", "12.34"},
        {kOffset, "123.4", "12.4"},
        {kGrouped, "1234567.5", "1,234,567.5"},
        {kGrouped, "-1234", "-1,234"},
        {kGrouped, "123", "123"},
        {kGrouped, "123456", "123,456"},
        {kGrouped, ",,1,2,3,4", "1,234"},
        {kGrouped, "12,34,567.891", "1,234,567.89"},
        {kGrouped, ".5", ".5"},
        {Field{9, 2, 2}, "1234567", "1,23,45,67"},
        {Field{9, 2, 1}, "1234", "1,2,3,4"},
        {kGerman9, "1.234,56", "1.234,56"},
        {kGerman9, "1234,5", "1.234,5"},
        {kGerman9, "1.5", "15"},
        {kGerman9, "-1234567,891", "-1.234.567,89"},
        {Field{9, 2, 0, NumberLocale{'~', '.', ','}}, "~12", "~12"},
        {Field{9, 2, 0, NumberLocale{'~', '.', ','}}, "-12", "12"},
        {kDollar, "12", "$12"},
        {kDollar, "$12", "$12"},
        {kDollar, "$$12", "$12"},
        {kDollar, "$", ""},
        {kDollar, "", ""},
        {kDollar, "-$12", "$-12"},
        {kDollar, "$-12", "$-12"},
        {Field{9, 2, 3, kUs, "No. "}, "No. 12345", "No. 12,345"},
        {Field{0, 2}, "12.34", ".34"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setup.Name() + " <- " + c.text);
        EXPECT_EQ(c.setup.Make().GetValidText(c.text), c.expected);
    }
}

TEST(NumericRule, ValidTextIsStable) {
    for (const Field& setup : {kAmount, kOffset, kWhole, kGrouped, kGerman9, kDollar}) {
        NumericRule rule = setup.Make();
        for (const std::string text : {"1234567890.123456", "-98,765.4", "-", ".", "$-0,001.10", "12.3.4-5"}) {
            SCOPED_TRACE(setup.Name() + " <- " + text);
            const std::string once = rule.GetValidText(text);
            EXPECT_EQ(rule.GetValidText(once), once);
        }
    }
}

TEST(NumericRule, Paste) {
    struct Case {
        Field setup;
        std::string start;
        std::string clip;
        std::string expected;
        bool scroll;
    };
    const std::vector<Case> cases = {
        {kAmount, "|", "1234567890", "|123456789", true},
        {kAmount, "|", "12.5", "12.5|", false},
        {kAmount, "1|", "-5", "1|5", true},
        {kAmount, "[99]", "-5", "-5|", false},
        {kAmount, "|", "$ 1,234.56", "|1234.56", true},
        {kGrouped, "1,234|", "567", "1,234|,567", true},
        {kGrouped, "[1,234]", "7", "7|", false},
        {kOffset, "|", "-3", "|3", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setup.Name() + " start " + c.start + " <- " + c.clip);
        NumericRule rule = c.setup.Make();
        EditState state = Parse(c.start);
        Effects effects;
        rule.OnPaste(state, c.clip, effects);
        EXPECT_EQ(Show(state), c.expected);
        EXPECT_EQ(effects.scrollCaret, c.scroll);
    }
}

TEST(NumericRule, CutClearAndSetText) {
    NumericRule grouped = kGrouped.Make();
    EditState state = Parse("1,[23]4");
    Effects effects;
    grouped.OnCut(state, effects);
    EXPECT_TRUE(effects.copied);
    EXPECT_EQ(effects.clipboard, "23");
    EXPECT_EQ(Show(state), "1|4");

    state = Parse("[12].5");
    grouped.OnClear(state, effects);
    EXPECT_EQ(Show(state), "|.5");

    grouped.OnSetText(state, "1234567.891");
    EXPECT_EQ(Show(state), "1,234,567.89|");

    NumericRule amount(9, 4);
    amount.OnSetText(state, "abc1234.56789");
    EXPECT_EQ(Show(state), "1234.5678|");

    // inside the prefix a cut copies but removes nothing
    NumericRule dollar = kDollar.Make();
    state = Parse("[$1]2");
    effects = {};
    dollar.OnCut(state, effects);
    EXPECT_EQ(effects.clipboard, "$1");
    EXPECT_EQ(Show(state), "[$1]2");
}

}  // namespace
}  // namespace formet::maskedit
