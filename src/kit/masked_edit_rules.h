// Input rules of the masked edit field, kept apart from any window system.
//
// The `CMaskedEdit` widget holds the real text; for every key press, paste,
// cut, clear or set-text it copies its text and selection into an
// `EditState`, lets the rule (or the `MaskedEdit` model below) act on it,
// writes the state back and carries out the reported `Effects` (beep,
// clipboard, scrolling the caret into view).
//
// Texts are 8-bit strings in the user's code page (Windows-1252); positions
// are byte offsets.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace formet::maskedit {

// The text of a single-line edit with its selection. `selStart <= selEnd`;
// with no selection both are the caret. A typed character lands at
// `selStart`, which is where an edit replacing the selection puts it.
// Every operation first clamps the positions into the text and orders them.
struct EditState {
    std::string text;
    int selStart = 0;
    int selEnd = 0;

    bool HasSelection() const { return selStart != selEnd; }
    void SetCaret(int pos) { selStart = selEnd = pos; }
    std::string SelectedText() const;
};

// Keys that reach the key-down handler. Backspace is not a key here: the
// platform delivers it as the character 0x08 to `OnChar`.
enum class Key { Delete, Other };

// What the widget must do after an operation, besides taking the new state.
struct Effects {
    bool beep = false;         // warning beep (the exclamation sound)
    bool copied = false;       // put `clipboard` on the clipboard
    std::string clipboard;
    bool scrollCaret = false;  // scroll the caret into view
    // Why something the user typed, pasted or dropped was refused or cut, or
    // why a deletion was refused, in the user's words (Windows-1252). The
    // widget shows it at the field; empty when everything was taken.
    std::string note;
};

// Characters of the user's locale used by the numeric kind.
struct NumberLocale {
    char minus = '-';
    char decimal = '.';
    char thousands = ',';
};

constexpr char kBackspace = '\b';

// A character the edit would insert: not a control character.
bool IsPrintable(char ch);
bool IsDigit(char ch);
// The note for characters a text field refuses: "This field does not take
// the character : (not allowed: % * ...)." `found` holds each once.
std::string RefusedCharacterNote(std::string_view found, std::string_view refused);

// Normal handling of the edit, used by the rules and usable on its own.
void ClampSelection(EditState& state);
void InsertText(EditState& state, const std::string& text);  // replaces the selection, caret after it
void DefaultBackspace(EditState& state);  // deletes the selection, else the character before the caret
void DefaultDelete(EditState& state);     // deletes the selection, else the character after the caret

class InputRule {
public:
    virtual ~InputRule();

    // The text made valid for this rule.
    virtual std::string GetValidText(const std::string& text) const = 0;

    // A character typed (Backspace included, as 0x08). A printable character
    // refused by the accept-char hook is dropped silently. Returns false when
    // the character was left to the platform's own handling (control
    // characters other than Backspace that the rule does not take, such as
    // Tab or Return); the state is then unchanged.
    bool OnChar(EditState& state, char ch, Effects& effects);

    // A key pressed. Returns true when the key was handled here (the Delete
    // key always is: either it deleted or it was refused); false leaves the
    // key to the platform (caret movement and the like).
    virtual bool OnKeyDown(EditState& state, Key key, Effects& effects);

    // Paste (and drop): the clipboard text replaces the selection; when the
    // result is not valid, the valid text is set, the selection from before
    // the paste is restored, the caret scrolled into view and the note says
    // what was left out.
    virtual void OnPaste(EditState& state, const std::string& clipboardText, Effects& effects);
    // Cut: with a selection, copy it and act as if Delete were pressed.
    void OnCut(EditState& state, Effects& effects);
    // Clear: with a selection, act as if Delete were pressed.
    void OnClear(EditState& state, Effects& effects);
    // Set text (also from the program): the edit takes the valid form of the
    // text, with the caret at its end.
    void OnSetText(EditState& state, const std::string& text);
    // After a change of settings: make the current text valid. A text that is
    // already valid keeps its selection.
    void Reapply(EditState& state);

    // A record's text as the field shows it, and back. Both are identities
    // except for the numeric kind, which shows the locale's separators while
    // records always hold "." and "-". The two are inverse to each other, so
    // a text that is shown and read back untouched is the stored text.
    virtual std::string ToShown(const std::string& stored) const { return stored; }
    virtual std::string ToStored(const std::string& shown) const { return shown; }

    // Why making `given` valid gave `valid`, for the user: what was left out
    // of it. Empty when nothing the user gave was lost (a mask's literals
    // filled in, thousands separators dropped).
    virtual std::string LossNote(const std::string& given, const std::string& valid) const = 0;

    // The widget's AcceptChar hook; without one every character is accepted.
    void SetAcceptChar(std::function<bool(char)> acceptChar);

protected:
    // Handles a character that passed the accept-char hook.
    virtual bool HandleChar(EditState& state, char ch, Effects& effects) = 0;
    bool AcceptChar(char ch) const;

private:
    std::function<bool(char)> m_acceptChar;
};

// Free text with an optional maximum length and a set of refused characters.
class TextRule : public InputRule {
public:
    explicit TextRule(int maxLength = 0, std::string refused = {});

    void SetMaxLength(int maxLength);  // 0 (or less) = no limit
    void SetRefused(std::string refused);
    int MaxLength() const { return m_maxLength; }
    const std::string& Refused() const { return m_refused; }

    std::string GetValidText(const std::string& text) const override;
    // Only the pasted text is filtered: what the field held already (a stored
    // value with a character the field refuses) stays as it was. The pasted
    // text loses its refused characters and is cut so that the whole fits the
    // maximum length.
    void OnPaste(EditState& state, const std::string& clipboardText, Effects& effects) override;
    std::string LossNote(const std::string& given, const std::string& valid) const override;

protected:
    bool HandleChar(EditState& state, char ch, Effects& effects) override;

private:
    int m_maxLength = 0;
    std::string m_refused;
};

// A fixed pattern: '#' stands for a digit, any other character is a literal.
// Characters are only ever overwritten or added and removed at the end, so
// positions never shift. An empty mask behaves as a plain edit.
class MaskRule : public InputRule {
public:
    explicit MaskRule(std::string mask = {});

    void SetMask(std::string mask);
    const std::string& Mask() const { return m_mask; }

    std::string GetValidText(const std::string& text) const override;
    bool OnKeyDown(EditState& state, Key key, Effects& effects) override;
    std::string LossNote(const std::string& given, const std::string& valid) const override;

protected:
    bool HandleChar(EditState& state, char ch, Effects& effects) override;

private:
    std::string m_mask;
};

// A decimal number: at most `WholeDigits()` digits before the decimal
// separator and `Decimals()` after it, an optional minus sign, thousands
// separators every `GroupSize()` digits and an optional prefix.
class NumericRule : public InputRule {
public:
    // |wholeDigits| whole digits; a negative value switches the sign off.
    NumericRule(int wholeDigits, int decimals, NumberLocale locale = {});

    // A negative value sets |n| and switches the sign off; a value of 0 or
    // more leaves the sign setting as it is.
    void SetWholeDigits(int n);
    void SetDecimals(int f);  // 0 (or less) = no decimal separator allowed
    void SetSignAllowed(bool on);
    void SetGroupSize(int n);  // 0 (or less) = no thousands separators
    void SetPrefix(std::string prefix);
    void SetLocale(NumberLocale locale);

    int WholeDigits() const { return m_wholeDigits; }
    int Decimals() const { return m_decimals; }
    bool SignAllowed() const { return m_signAllowed; }
    int GroupSize() const { return m_groupSize; }
    const std::string& Prefix() const { return m_prefix; }
    const NumberLocale& Locale() const { return m_locale; }

    std::string GetValidText(const std::string& text) const override;
    bool OnKeyDown(EditState& state, Key key, Effects& effects) override;
    std::string LossNote(const std::string& given, const std::string& valid) const override;

    // Records hold amounts with "." and "-"; the field shows the locale's
    // decimal separator and minus sign. The two characters of each pair are
    // swapped, so any text survives the way there and back unchanged.
    std::string ToShown(const std::string& stored) const override;
    std::string ToStored(const std::string& shown) const override;

    // A character that types the decimal separator: the locale's, and "."
    // (the decimal point of records and of many keypads) as long as "." does
    // not separate thousands in this field.
    bool IsDecimalKey(char ch) const;

protected:
    bool HandleChar(EditState& state, char ch, Effects& effects) override;

private:
    std::string CharactersNote() const;  // what can be typed here
    int NumberStart(const std::string& text) const;
    int LogicalIndex(const std::string& text, int pos) const;
    int PositionOf(const std::string& text, int logical) const;
    // Replaces the text by its valid form, keeping the selection at the same
    // logical places (thousands separators do not count).
    void Rebuild(EditState& state) const;
    void TypeSign(EditState& state);
    void TypeDecimal(EditState& state);
    void TypeDigit(EditState& state, char ch, Effects& effects);

    int m_wholeDigits = 0;
    int m_decimals = 0;
    bool m_signAllowed = true;
    int m_groupSize = 0;
    std::string m_prefix;
    NumberLocale m_locale;
};

// The model of one masked edit field: its current text and selection and the
// rule of its kind, with the settings calls of `CMaskedEdit`. A new field is a
// plain edit (a text rule without limit or refused characters). Every
// settings call re-applies the rule to the current text; calling a setting of
// another kind switches the field to that kind with default settings first.
class MaskedEdit {
public:
    MaskedEdit();

    EditState& State() { return m_state; }
    const EditState& State() const { return m_state; }
    // The text as shown.
    const std::string& Text() const { return m_state.text; }
    InputRule& Rule() { return *m_rule; }
    const InputRule& Rule() const { return *m_rule; }

    // The text as records hold it (amounts with "." whatever the locale).
    std::string StoredText() const { return m_rule->ToStored(m_state.text); }
    // Shows a record's text as it is stored: nothing is filtered or cut (only
    // what the user types is); an amount takes the locale's separators. The
    // caret goes to the end.
    void SetStoredText(const std::string& stored);

    void SetTextRule(int maxLength, const std::string& refused);
    void SetMaxLength(int maxLength);
    void SetRefused(const std::string& refused);
    void SetMask(const std::string& mask);
    void SetNumberRule(int wholeDigits, int decimals);
    void SetWholeDigits(int n);
    void SetDecimals(int f);
    void SetSignAllowed(bool on);
    void SetGroupSize(int n);
    void SetPrefix(const std::string& prefix);
    // Used by numeric rules created afterwards and by the current one.
    void SetNumberLocale(const NumberLocale& locale);
    void SetAcceptChar(std::function<bool(char)> acceptChar);

    bool OnChar(char ch, Effects& effects) { return m_rule->OnChar(m_state, ch, effects); }
    bool OnKeyDown(Key key, Effects& effects) { return m_rule->OnKeyDown(m_state, key, effects); }
    void OnPaste(const std::string& text, Effects& effects) { m_rule->OnPaste(m_state, text, effects); }
    void OnCut(Effects& effects) { m_rule->OnCut(m_state, effects); }
    void OnClear(Effects& effects) { m_rule->OnClear(m_state, effects); }
    void OnSetText(const std::string& text) { m_rule->OnSetText(m_state, text); }

private:
    TextRule& AsTextRule();
    NumericRule& AsNumericRule();
    void Install(std::unique_ptr<InputRule> rule, bool reapply = true);

    EditState m_state;
    std::unique_ptr<InputRule> m_rule;
    NumberLocale m_locale;
    std::function<bool(char)> m_acceptChar;
};

}  // namespace formet::maskedit
