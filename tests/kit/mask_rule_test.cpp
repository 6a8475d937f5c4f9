// The mask kind: fixed patterns where '#' is a digit and the rest are literals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit_notation.h"
#include "kit/masked_edit_rules.h"

namespace formet::maskedit {
namespace {

using testing::Parse;
using testing::PressDelete;
using testing::Show;
using testing::Type;

const std::string kSsn = "###-##-####";
const std::string kEin = "##-#######";
const std::string kZip4 = "#####-####";
const std::string kZip = "#####";
const std::string kPhone = "(###) ###-####";

TEST(MaskRule, Typing) {
    struct Case {
        std::string mask;
        std::string start;
        std::string keys;
        std::string expected;
    };
    const std::vector<Case> cases = {
        // a digit on a literal writes the literals up to the next digit position first
        {kPhone, "|", "3", "(3|"},
        {kPhone, "|", "312555", "(312) 555|"},
        {kPhone, "|", "31255512349", "(312) 555-1234|"},
        {kPhone, "|", "(312) 555-1234", "(312) 555-1234|"},  // typing the literals too
        {kSsn, "|", "123456789", "123-45-6789|"},
        {kSsn, "|", "123-45-6789", "123-45-6789|"},
        {kEin, "|", "123456789", "12-3456789|"},
        {kZip4, "|", "123456789", "12345-6789|"},
        {kZip, "|", "1234567", "12345|"},
        // anything but a digit (or the literal itself) is dropped
        {kSsn, "12|", "a", "12|"},
        {kSsn, "123|", "a", "123|"},
        {kSsn, "123|", "/", "123|"},
        {kSsn, "123|", " ", "123|"},
        {kPhone, "|", "x", "|"},
        // characters are typed over in the middle: positions never shift
        {kSsn, "1|23-45-6789", "9", "19|3-45-6789"},
        {kSsn, "123|-45-6789", "7", "123-7|5-6789"},
        {kSsn, "123|-45-6789", "-", "123-|45-6789"},
        {kSsn, "|123-45-6789", "987654321", "987-65-4321|"},
        {kPhone, "|(312) 555-1234", "415", "(415|) 555-1234"},
        // at the end of the mask every character is dropped
        {kSsn, "123-45-6789|", "1", "123-45-6789|"},
        {kSsn, "123-45-6789|", "-", "123-45-6789|"},
        // a typed character goes to the start of a selection, which is not deleted
        {kSsn, "[123]-45-6789", "9", "9|23-45-6789"},
        {kSsn, "12[3-45-6789]", "0", "120|-45-6789"},
        // a mask that ends with literals: the digit has no place left
        {"##)", "12|", "3", "12)|"},
        {"##-", "|", "1234", "12-|"},
        // Backspace in the middle only moves the caret; at the end it deletes
        {kSsn, "123-4|5-6789", "\b", "123-|45-6789"},
        {kSsn, "123-4|5-6789", "\b\b\b", "12|3-45-6789"},
        {kSsn, "|123-45-6789", "\b", "|123-45-6789"},
        {kSsn, "123-45-6789|", "\b", "123-45-678|"},
        {kSsn, "123-45-6789|", "\b\b\b\b\b", "123-45|"},
        {kSsn, "123-|", "\b", "123|"},
        {kSsn, "123-45-6789|", "\b\b\b\b\b0", "123-45-0|"},
        {kSsn, "[123]-45-6789", "\b", "|123-45-6789"},
        {kSsn, "123-45-[6789]", "\b", "123-45|-6789"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask + " start " + c.start + " keys " + c.keys);
        MaskRule rule(c.mask);
        Effects effects;
        EXPECT_EQ(Type(rule, c.start, c.keys, &effects), c.expected);
        EXPECT_FALSE(effects.beep);
    }
}

TEST(MaskRule, ControlCharacters) {
    MaskRule rule(kSsn);
    // other control characters get the platform's handling before the end of the mask...
    EditState state = Parse("12|3");
    Effects effects;
    EXPECT_FALSE(rule.OnChar(state, '\t', effects));
    EXPECT_EQ(Show(state), "12|3");
    // ...and are dropped at its end
    state = Parse("123-45-6789|");
    EXPECT_TRUE(rule.OnChar(state, '\t', effects));
    EXPECT_EQ(Show(state), "123-45-6789|");
}

TEST(MaskRule, DeleteKey) {
    struct Case {
        std::string start;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"123-4|5-6789", "123-4|5-6789"},  // in the middle: nothing
        {"|123-45-6789", "|123-45-6789"},
        {"123-45-67|89", "123-45-67|89"},
        {"123-45-678|9", "123-45-678|"},   // before the last character
        {"123-45-6789|", "123-45-6789|"},
        {"123-45-[6789]", "123-45-|"},     // a selection up to the end
        {"[123-45-6789]", "|"},
        {"123-[45]-6789", "123-[45]-6789"},  // a selection inside: nothing
        {"123|-", "123|"},
    };
    MaskRule rule(kSsn);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        EditState state = Parse(c.start);
        Effects effects;
        EXPECT_TRUE(rule.OnKeyDown(state, Key::Delete, effects));
        EXPECT_EQ(Show(state), c.expected);
    }
    EditState state = Parse("12|3");
    Effects effects;
    EXPECT_FALSE(rule.OnKeyDown(state, Key::Other, effects));
}

TEST(MaskRule, ValidText) {
    struct Case {
        std::string mask;
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {kSsn, "123456789", "123-45-6789"},
        {kSsn, "12a", "12"},
        {kSsn, "123-45-6789", "123-45-6789"},
        {kSsn, "123-4a5", "123-4"},
        {kSsn, "1234567890123", "123-45-6789"},
        {kSsn, "123-45-6789-", "123-45-6789"},
        {kSsn, "", ""},
        {kSsn, "12-34", "12"},  // a literal where a digit belongs ends the walk
        {kSsn, " 123", ""},
        {kSsn, "123--45", "123-"},
        {kSsn, "123", "123"},  // trailing literals are not added
        {kSsn, "1234", "123-4"},
        {kPhone, "3125551234", "(312) 555-1234"},
        {kPhone, "(312) 555", "(312) 555"},
        {kPhone, "312) 555", "(312) 555"},
        {kPhone, "(312)555-1234", "(312) 555-1234"},  // a digit brings the literals before it
        {kEin, "12-3456789", "12-3456789"},
        {kEin, "123456789", "12-3456789"},
        {kZip4, "123456789", "12345-6789"},
        {kZip4, "12345", "12345"},
        {kZip, "123456789", "12345"},
        {"##)", "123", "12"},  // no digit position left for the third digit
        {"", "any text: 12a", "any text: 12a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask + " <- " + c.text);
        EXPECT_EQ(MaskRule(c.mask).GetValidText(c.text), c.expected);
    }
}

TEST(MaskRule, Paste) {
    struct Case {
        std::string start;
        std::string clip;
        std::string expected;
        bool scroll;
    };
    const std::vector<Case> cases = {
        {"|", "123456789", "|123-45-6789", true},
        {"|", "12a", "|12", true},
        {"|", "123-45", "123-45|", false},
        {"123|", "456789", "123|-45-6789", true},
        {"123-|", "45-6789", "123-45-6789|", false},
        {"[123-45-6789]", "987654321", "[987-65-4321]", true},
    };
    MaskRule rule(kSsn);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start + " <- " + c.clip);
        EditState state = Parse(c.start);
        Effects effects;
        rule.OnPaste(state, c.clip, effects);
        EXPECT_EQ(Show(state), c.expected);
        EXPECT_EQ(effects.scrollCaret, c.scroll);
    }
}

TEST(MaskRule, CutAndClearFollowTheDeleteRule) {
    MaskRule rule(kSsn);
    EditState state = Parse("123-[45]-6789");
    Effects effects;
    rule.OnCut(state, effects);
    EXPECT_TRUE(effects.copied);
    EXPECT_EQ(effects.clipboard, "45");
    EXPECT_EQ(Show(state), "123-[45]-6789");  // copied, but nothing removed from the middle

    state = Parse("123-45-[6789]");
    effects = {};
    rule.OnCut(state, effects);
    EXPECT_EQ(effects.clipboard, "6789");
    EXPECT_EQ(Show(state), "123-45-|");

    state = Parse("123-[45]-6789");
    rule.OnClear(state, effects);
    EXPECT_EQ(Show(state), "123-[45]-6789");
    state = Parse("[123-45-6789]");
    rule.OnClear(state, effects);
    EXPECT_EQ(Show(state), "|");
}

TEST(MaskRule, SetText) {
    MaskRule rule(kPhone);
    EditState state = Parse("|");
    rule.OnSetText(state, "3125551234");
    EXPECT_EQ(Show(state), "(312) 555-1234|");
    rule.OnSetText(state, "(312) 555-1234");
    EXPECT_EQ(Show(state), "(312) 555-1234|");
    rule.OnSetText(state, "n/a");
    EXPECT_EQ(Show(state), "|");
}

TEST(MaskRule, EmptyMaskIsAPlainEdit) {
    MaskRule rule("");
    EXPECT_EQ(Type(rule, "ab|cd", "x:1"), "abx:1|cd");
    EXPECT_EQ(Type(rule, "ab|cd", "\b"), "a|cd");
    EXPECT_EQ(PressDelete(rule, "ab|cd"), "ab|d");
    EXPECT_EQ(PressDelete(rule, "a[bc]d"), "a|d");
}

}  // namespace
}  // namespace formet::maskedit
