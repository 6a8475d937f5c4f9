// Normal edit handling, the operations common to all kinds, and the text kind.
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

// The refused sets of the pages' text fields.
const std::string kRefusedNames = "%'*\"+?><:\\";
const std::string kRefusedPaths = "%*\"+?><:\\/";
const std::string kRefusedPathsBar = "%*\"+?><:\\/|";

const std::string kThirty = "abcdefghijklmnopqrstuvwxyz0123";

// ---------------------------------------------------------------------------
// Normal handling

TEST(DefaultEditing, CharactersAndDeletion) {
    struct Case {
        const char* start;
        char op;  // 'i' insert "X", 'b' Backspace, 'd' Delete
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"ab|c", 'i', "abX|c"},   {"|", 'i', "X|"},         {"a[bc]d", 'i', "aX|d"},
        {"ab|c", 'b', "a|c"},     {"|abc", 'b', "|abc"},    {"a[bc]d", 'b', "a|d"},
        {"ab|c", 'd', "ab|"},     {"abc|", 'd', "abc|"},    {"a[bc]d", 'd', "a|d"},
        {"[abc]", 'd', "|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.op);
        EditState state = Parse(c.start);
        if (c.op == 'i') InsertText(state, "X");
        if (c.op == 'b') DefaultBackspace(state);
        if (c.op == 'd') DefaultDelete(state);
        EXPECT_EQ(Show(state), c.expected);
    }
}

TEST(DefaultEditing, SelectionIsClampedAndOrdered) {
    EditState state{"abcdef", 5, 2};
    ClampSelection(state);
    EXPECT_EQ(state.selStart, 2);
    EXPECT_EQ(state.selEnd, 5);
    state = EditState{"abc", -3, 10};
    ClampSelection(state);
    EXPECT_EQ(Show(state), "[abc]");
    EXPECT_EQ(state.SelectedText(), "abc");
}

TEST(DefaultEditing, PrintableCharacters) {
    EXPECT_TRUE(IsPrintable(' '));
    EXPECT_TRUE(IsPrintable('a'));
    EXPECT_TRUE(IsPrintable('~'));
    EXPECT_TRUE(IsPrintable(static_cast<char>(0xE9)));  // e acute in Windows-1252
    EXPECT_FALSE(IsPrintable('\b'));
    EXPECT_FALSE(IsPrintable('\t'));
    EXPECT_FALSE(IsPrintable('\r'));
    EXPECT_FALSE(IsPrintable(static_cast<char>(0x1B)));
    EXPECT_FALSE(IsPrintable(static_cast<char>(0x7F)));
}

// ---------------------------------------------------------------------------
// Text kind: typing

TEST(TextRule, Typing) {
    struct Case {
        int maxLength;
        std::string refused;
        std::string start;
        std::string keys;
        std::string expected;
        bool beep;
    };
    const std::vector<Case> cases = {
        // a full field of 30 is typed over at the caret
        {30, "", "abcde|" + kThirty.substr(5), "X", "abcdeX|" + kThirty.substr(6), false},
        {30, "", "abcde|" + kThirty.substr(5), "XY", "abcdeXY|" + kThirty.substr(7), false},
        {30, "", kThirty + "|", "X", kThirty + "|", false},
        {5, "", "abcd|e", "XY", "abcdX|", false},  // the second character meets the maximum
        {5, "", "ab|c", "XYZ", "abXYZ|", false},  // inserted until full, then typed over
        {5, "", "|abcde", "12345", "12345|", false},
        {5, "", "a[bc]de", "X", "aX|de", false},  // a selection is replaced even when full
        {5, "", "abcde|", "\b", "abcd|", false},
        {5, "", "ab|cde", "\b", "a|cde", false},
        {0, "", "ab|", "cdefghijklmnopqrstuvwxyz0123456789", "abcdefghijklmnopqrstuvwxyz0123456789|", false},
        {0, "", "a|c", "b", "ab|c", false},
        // refused characters beep and change nothing
        {0, kRefusedNames, "ab|", ":", "ab|", true},
        {0, kRefusedNames, "a[b]c", ":", "a[b]c", true},
        {0, kRefusedNames, "ab|", "'", "ab|", true},
        {0, kRefusedPaths, "ab|", "'", "ab'|", false},
        {0, kRefusedPaths, "ab|", "/", "ab|", true},
        {0, kRefusedPathsBar, "ab|", "/", "ab|", true},
        {0, kRefusedPathsBar, "ab|", "a|b", "abab|", true},
        {3, kRefusedNames, "abc|", "?", "abc|", true},  // beeps even when the field is full
        {0, kRefusedNames, "ab|", "c-d", "abc-d|", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("max " + std::to_string(c.maxLength) + " refused " + c.refused + " start " + c.start +
                     " keys " + c.keys);
        TextRule rule(c.maxLength, c.refused);
        Effects effects;
        EXPECT_EQ(Type(rule, c.start, c.keys, &effects), c.expected);
        EXPECT_EQ(effects.beep, c.beep);
    }
}

TEST(TextRule, EveryRefusedCharacterBeeps) {
    for (const std::string& set : {kRefusedNames, kRefusedPaths, kRefusedPathsBar}) {
        TextRule rule(0, set);
        for (char c : set) {
            SCOPED_TRACE(std::string("refused ") + c);
            EditState state = Parse("ab|");
            Effects effects;
            EXPECT_TRUE(rule.OnChar(state, c, effects));
            EXPECT_TRUE(effects.beep);
            EXPECT_EQ(Show(state), "ab|");
        }
    }
}

TEST(TextRule, OtherControlCharactersAreLeftToThePlatform) {
    TextRule rule(5, kRefusedNames);
    for (char c : {'\t', '\r', '\x1B', '\x03'}) {
        EditState state = Parse("ab|c");
        Effects effects;
        EXPECT_FALSE(rule.OnChar(state, c, effects));
        EXPECT_EQ(Show(state), "ab|c");
        EXPECT_FALSE(effects.beep);
    }
    EditState state = Parse("ab|c");
    Effects effects;
    EXPECT_TRUE(rule.OnChar(state, '\b', effects));
    EXPECT_EQ(Show(state), "a|c");
}

TEST(TextRule, KeyDownIsNormal) {
    TextRule rule(5, kRefusedNames);
    EXPECT_EQ(PressDelete(rule, "ab|cd"), "ab|d");
    EXPECT_EQ(PressDelete(rule, "a[bc]d"), "a|d");
    EXPECT_EQ(PressDelete(rule, "abcd|"), "abcd|");
    EditState state = Parse("ab|c");
    Effects effects;
    EXPECT_FALSE(rule.OnKeyDown(state, Key::Other, effects));
    EXPECT_EQ(Show(state), "ab|c");
}

TEST(TextRule, ValidText) {
    struct Case {
        int maxLength;
        std::string refused;
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {0, "", "anything: at all", "anything: at all"},
        {5, "", "abcdefgh", "abcde"},
        {5, "", "abcde", "abcde"},
        {5, "", "abc", "abc"},
        {0, kRefusedNames, "a:b", "ab"},
        {0, kRefusedNames, "O'Neil \"Jr\" <x> 5% + 2* ?\\", "ONeil Jr x 5  2 "},
        {0, kRefusedPaths, "O'Neil a/b", "O'Neil ab"},
        {0, kRefusedPathsBar, "a|b/c", "abc"},
        // the text is cut to the maximum before refused characters are removed
        {3, kRefusedNames, "a:bc", "ab"},
        {4, kRefusedNames, "::abcdef", "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextRule(c.maxLength, c.refused).GetValidText(c.text), c.expected);
    }
}

TEST(TextRule, NegativeMaximumMeansNoLimit) {
    TextRule rule(-4);
    EXPECT_EQ(rule.MaxLength(), 0);
    EXPECT_EQ(rule.GetValidText("abcdefgh"), "abcdefgh");
}

// ---------------------------------------------------------------------------
// Paste, cut, clear and set-text (common to every kind; shown on the text kind)

TEST(CommonOperations, Paste) {
    struct Case {
        int maxLength;
        std::string refused;
        std::string start;
        std::string clip;
        std::string expected;
        bool scroll;
    };
    const std::vector<Case> cases = {
        // an invalid result is replaced by the valid text and the selection
        // from before the paste comes back
        {0, kRefusedNames, "|", "a:b", "|ab", true},
        {0, kRefusedNames, "x|y", "a:b", "x|aby", true},
        // only the pasted text is cut, never what the field held before
        {5, "", "ab[cd]e", "12345", "ab[12]e", true},
        {0, kRefusedNames, "O'Con|", "n:or", "O'Con|nor", true},
        {5, "", "abc|", "defgh", "abc|de", true},
        // a valid result keeps the caret after the pasted text
        {0, kRefusedNames, "ab|", "cd", "abcd|", false},
        {5, "", "a[bcd]e", "XY", "aXY|e", false},
        {0, "", "|", "", "|", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start + " <- " + c.clip);
        TextRule rule(c.maxLength, c.refused);
        EditState state = Parse(c.start);
        Effects effects;
        rule.OnPaste(state, c.clip, effects);
        EXPECT_EQ(Show(state), c.expected);
        EXPECT_EQ(effects.scrollCaret, c.scroll);
        EXPECT_FALSE(effects.beep);
    }
}

TEST(CommonOperations, CutCopiesThenDeletes) {
    TextRule rule(10, "");
    EditState state = Parse("ab[cd]ef");
    Effects effects;
    rule.OnCut(state, effects);
    EXPECT_TRUE(effects.copied);
    EXPECT_EQ(effects.clipboard, "cd");
    EXPECT_EQ(Show(state), "ab|ef");

    // nothing selected: nothing copied, nothing deleted
    state = Parse("ab|cd");
    effects = {};
    rule.OnCut(state, effects);
    EXPECT_FALSE(effects.copied);
    EXPECT_EQ(Show(state), "ab|cd");
}

TEST(CommonOperations, ClearDeletesOnlyASelection) {
    TextRule rule;
    EditState state = Parse("a[bc]d");
    Effects effects;
    rule.OnClear(state, effects);
    EXPECT_EQ(Show(state), "a|d");
    EXPECT_FALSE(effects.copied);

    state = Parse("ab|cd");
    rule.OnClear(state, effects);
    EXPECT_EQ(Show(state), "ab|cd");
}

TEST(CommonOperations, SetTextTakesTheValidText) {
    TextRule rule(6, kRefusedNames);
    EditState state = Parse("old|");
    rule.OnSetText(state, "a:b:c:d:e");
    EXPECT_EQ(Show(state), "abc|");  // cut to "a:b:c:" and the colons removed
    rule.OnSetText(state, "fine");
    EXPECT_EQ(Show(state), "fine|");
    rule.OnSetText(state, "");
    EXPECT_EQ(Show(state), "|");
}

TEST(CommonOperations, ReapplyKeepsTheSelectionOfAValidText) {
    TextRule rule(10, "");
    EditState state = Parse("a[bc]d");
    rule.Reapply(state);
    EXPECT_EQ(Show(state), "a[bc]d");
    rule.SetMaxLength(2);
    rule.Reapply(state);
    EXPECT_EQ(Show(state), "ab|");
}

// ---------------------------------------------------------------------------
// The accept-char hook

TEST(AcceptChar, RefusesTypedCharactersSilently) {
    TextRule rule(0, kRefusedNames);
    rule.SetAcceptChar([](char c) { return c != 'x'; });
    Effects effects;
    EXPECT_EQ(Type(rule, "|", "axbx", &effects), "ab|");
    EXPECT_FALSE(effects.beep);
    // Backspace is not a character the hook decides on
    rule.SetAcceptChar([](char) { return false; });
    EXPECT_EQ(Type(rule, "ab|", "\bq"), "a|");
    // pasting and setting the text do not consult it
    EditState state = Parse("|");
    rule.OnPaste(state, "xyz", effects);
    EXPECT_EQ(state.text, "xyz");
}

TEST(AcceptChar, ByDefaultEveryCharacterIsAccepted) {
    TextRule rule;
    std::string all;
    for (int c = 0x20; c <= 0xFF; ++c)
        if (c != 0x7F) all += static_cast<char>(c);
    EXPECT_EQ(Type(rule, "|", all), all + "|");
}

TEST(AcceptChar, AppliesToEveryKind) {
    MaskRule mask("###-##-####");
    mask.SetAcceptChar([](char c) { return c != '5'; });
    EXPECT_EQ(Type(mask, "|", "12345"), "123-4|");
    NumericRule number(9, 4);
    number.SetAcceptChar([](char c) { return c != '.'; });
    EXPECT_EQ(Type(number, "|", "12.5"), "125|");
}

}  // namespace
}  // namespace formet::maskedit
