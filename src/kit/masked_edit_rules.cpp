#include "kit/masked_edit_rules.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "kit/ascii_text.h"

namespace formet::maskedit {

namespace {

int Length(const std::string& text) { return static_cast<int>(text.size()); }

// The characters of a set, one after the other with spaces between.
std::string Spaced(std::string_view chars) {
    std::string out;
    for (char c : chars) {
        if (!out.empty()) out += ' ';
        out += c;
    }
    return out;
}

std::string FullFieldNote(int maxLength) {
    return "This field holds at most " + std::to_string(maxLength) + " characters.";
}

}  // namespace

// ---------------------------------------------------------------------------
// Normal handling of the edit

std::string EditState::SelectedText() const {
    const int len = Length(text);
    const int a = std::clamp(std::min(selStart, selEnd), 0, len);
    const int b = std::clamp(std::max(selStart, selEnd), 0, len);
    return text.substr(static_cast<size_t>(a), static_cast<size_t>(b - a));
}

std::string RefusedCharacterNote(std::string_view found, std::string_view refused) {
    const std::string which = found.size() == 1 ? "the character " : "the characters ";
    return "This field does not take " + which + Spaced(found) + " (not allowed: " + Spaced(refused) + ").";
}

bool IsPrintable(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return c >= 0x20 && c != 0x7F;
}

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

void ClampSelection(EditState& state) {
    const int len = Length(state.text);
    int a = std::clamp(state.selStart, 0, len);
    int b = std::clamp(state.selEnd, 0, len);
    if (a > b) std::swap(a, b);
    state.selStart = a;
    state.selEnd = b;
}

void InsertText(EditState& state, const std::string& text) {
    ClampSelection(state);
    state.text.replace(static_cast<size_t>(state.selStart),
                       static_cast<size_t>(state.selEnd - state.selStart), text);
    state.SetCaret(state.selStart + Length(text));
}

void DefaultBackspace(EditState& state) {
    ClampSelection(state);
    if (!state.HasSelection()) {
        if (state.selStart == 0) return;
        --state.selStart;
    }
    InsertText(state, {});
}

void DefaultDelete(EditState& state) {
    ClampSelection(state);
    if (!state.HasSelection()) {
        if (state.selEnd == Length(state.text)) return;
        ++state.selEnd;
    }
    InsertText(state, {});
}

// ---------------------------------------------------------------------------
// Common to all kinds

InputRule::~InputRule() = default;

void InputRule::SetAcceptChar(std::function<bool(char)> acceptChar) {
    m_acceptChar = std::move(acceptChar);
}

bool InputRule::AcceptChar(char ch) const { return !m_acceptChar || m_acceptChar(ch); }

bool InputRule::OnChar(EditState& state, char ch, Effects& effects) {
    ClampSelection(state);
    if (IsPrintable(ch) && !AcceptChar(ch)) return true;
    return HandleChar(state, ch, effects);
}

bool InputRule::OnKeyDown(EditState& state, Key key, Effects& /*effects*/) {
    if (key != Key::Delete) return false;
    DefaultDelete(state);
    return true;
}

void InputRule::OnPaste(EditState& state, const std::string& clipboardText, Effects& effects) {
    ClampSelection(state);
    const int rememberedStart = state.selStart;
    const int rememberedEnd = state.selEnd;
    InsertText(state, clipboardText);
    std::string valid = GetValidText(state.text);
    if (valid == state.text) return;
    effects.note = LossNote(state.text, valid);
    state.text = std::move(valid);
    state.selStart = rememberedStart;
    state.selEnd = rememberedEnd;
    ClampSelection(state);
    effects.scrollCaret = true;
}

void InputRule::OnCut(EditState& state, Effects& effects) {
    ClampSelection(state);
    if (!state.HasSelection()) return;
    effects.clipboard = state.SelectedText();
    effects.copied = true;
    OnKeyDown(state, Key::Delete, effects);
}

void InputRule::OnClear(EditState& state, Effects& effects) {
    ClampSelection(state);
    if (!state.HasSelection()) return;
    OnKeyDown(state, Key::Delete, effects);
}

void InputRule::OnSetText(EditState& state, const std::string& text) {
    // The edit takes the text; when it is not valid it is set a second time in
    // its valid form, which the next pass finds valid.
    state.text = text;
    std::string valid = GetValidText(state.text);
    if (valid != state.text) state.text = std::move(valid);
    state.SetCaret(Length(state.text));
}

void InputRule::Reapply(EditState& state) {
    ClampSelection(state);
    if (GetValidText(state.text) != state.text) OnSetText(state, state.text);
}

// ---------------------------------------------------------------------------
// Text kind

TextRule::TextRule(int maxLength, std::string refused)
    : m_maxLength(std::max(maxLength, 0)), m_refused(std::move(refused)) {}

void TextRule::SetMaxLength(int maxLength) { m_maxLength = std::max(maxLength, 0); }

void TextRule::SetRefused(std::string refused) { m_refused = std::move(refused); }

std::string TextRule::GetValidText(const std::string& text) const {
    std::string valid = text;
    if (m_maxLength > 0 && Length(valid) > m_maxLength) valid.resize(static_cast<size_t>(m_maxLength));
    if (!m_refused.empty()) {
        std::erase_if(valid, [this](char c) { return m_refused.find(c) != std::string::npos; });
    }
    return valid;
}

void TextRule::OnPaste(EditState& state, const std::string& clipboardText, Effects& effects) {
    ClampSelection(state);
    const int rememberedStart = state.selStart;
    const int rememberedEnd = state.selEnd;
    std::string taken = clipboardText;
    std::erase_if(taken, [this](char c) { return m_refused.find(c) != std::string::npos; });
    if (m_maxLength > 0) {
        const int kept = Length(state.text) - (state.selEnd - state.selStart);
        const int room = std::max(m_maxLength - kept, 0);
        if (Length(taken) > room) taken.resize(static_cast<size_t>(room));
    }
    InsertText(state, taken);
    if (taken == clipboardText) return;
    effects.note = LossNote(clipboardText, taken);
    state.selStart = rememberedStart;
    state.selEnd = rememberedEnd;
    ClampSelection(state);
    effects.scrollCaret = true;
}

std::string TextRule::LossNote(const std::string& given, const std::string& valid) const {
    std::string found;
    for (char c : given)
        if (m_refused.find(c) != std::string::npos && found.find(c) == std::string::npos) found += c;
    std::string note;
    if (!found.empty()) note = RefusedCharacterNote(found, m_refused);
    std::string withoutRefused = given;
    std::erase_if(withoutRefused, [this](char c) { return m_refused.find(c) != std::string::npos; });
    if (valid.size() < withoutRefused.size() && m_maxLength > 0) {
        if (!note.empty()) note += ' ';
        note += FullFieldNote(m_maxLength) + " The rest was left out.";
    }
    return note;
}

bool TextRule::HandleChar(EditState& state, char ch, Effects& effects) {
    if (m_refused.find(ch) != std::string::npos) {
        effects.beep = true;
        effects.note = RefusedCharacterNote(std::string(1, ch), m_refused);
        return true;
    }
    if (ch == kBackspace) {
        DefaultBackspace(state);
        return true;
    }
    if (!IsPrintable(ch)) return false;
    // A full field is typed over, as long as the caret is before the maximum.
    // A selection is replaced as usual: that never makes the text longer.
    if (m_maxLength > 0 && Length(state.text) >= m_maxLength && !state.HasSelection()) {
        effects.note = FullFieldNote(m_maxLength);
        const int p = state.selStart;
        if (p < m_maxLength) {
            state.text[static_cast<size_t>(p)] = ch;
            state.SetCaret(p + 1);
        }
        return true;
    }
    InsertText(state, std::string(1, ch));
    return true;
}

// ---------------------------------------------------------------------------
// Mask kind

MaskRule::MaskRule(std::string mask) : m_mask(std::move(mask)) {}

void MaskRule::SetMask(std::string mask) { m_mask = std::move(mask); }

std::string MaskRule::GetValidText(const std::string& text) const {
    if (m_mask.empty()) return text;
    const size_t m_len = m_mask.size();
    std::string valid;
    size_t m = 0;
    for (char c : text) {
        if (m >= m_len) break;
        if (IsDigit(c)) {
            const size_t slot = m_mask.find('#', m);
            if (slot == std::string::npos) break;
            valid.append(m_mask, m, slot - m);
            valid += c;
            m = slot + 1;
        } else if (m_mask[m] != '#' && c == m_mask[m]) {
            valid += c;
            ++m;
        } else {
            break;
        }
    }
    return valid;
}

namespace {

// Writes `ch` at position p: over the character there, or at the end.
void PutAt(EditState& state, int p, char ch) {
    if (p < Length(state.text))
        state.text[static_cast<size_t>(p)] = ch;
    else
        state.text += ch;
    state.SetCaret(p + 1);
}

}  // namespace

std::string MaskRule::LossNote(const std::string& given, const std::string& valid) const {
    if (DigitsOf(given) == DigitsOf(valid)) return {};
    return "Only digits fit this field (" + m_mask + "); the rest was left out.";
}

bool MaskRule::HandleChar(EditState& state, char ch, Effects& effects) {
    if (m_mask.empty()) {
        if (ch == kBackspace) {
            DefaultBackspace(state);
            return true;
        }
        if (!IsPrintable(ch)) return false;
        InsertText(state, std::string(1, ch));
        return true;
    }
    const int maskLen = Length(m_mask);
    // A digit typed on a literal first writes the literals up to the next
    // digit position and is then typed again there. Re-sending the key press
    // to the edit would run this handler a second time with the caret on that
    // position and the same character (already accepted by the hook); the loop
    // runs that second pass at once, which gives the same text and caret and
    // cannot let a character typed ahead slip in between. The loop ends: each
    // pass either stops or moves the caret onto a digit position or to the end
    // of the mask.
    const std::string digitsOnly = "Only digits can be typed here (" + m_mask + ").";
    for (;;) {
        const int p = state.selStart;
        if (p >= maskLen && ch != kBackspace) {
            effects.note = "The field is complete (" + m_mask + ").";
            return true;
        }
        if (ch == kBackspace) {
            // Only the last character can be removed; elsewhere Backspace just
            // moves the caret so that positions never shift.
            if (p == Length(state.text))
                DefaultBackspace(state);
            else
                state.SetCaret(std::max(p - 1, 0));
            return true;
        }
        if (!IsPrintable(ch)) return false;
        const char slot = m_mask[static_cast<size_t>(p)];
        if (slot == '#') {
            if (IsDigit(ch))
                PutAt(state, p, ch);
            else
                effects.note = digitsOnly;
            return true;
        }
        if (ch == slot) {
            PutAt(state, p, ch);
            return true;
        }
        if (!IsDigit(ch)) {
            effects.note = digitsOnly;
            return true;
        }
        size_t next = m_mask.find('#', static_cast<size_t>(p));
        if (next == std::string::npos) next = m_mask.size();
        for (int i = p; i < static_cast<int>(next); ++i) PutAt(state, i, m_mask[static_cast<size_t>(i)]);
        if (next == m_mask.size()) return true;  // no digit position left: the key press would be dropped
    }
}

bool MaskRule::OnKeyDown(EditState& state, Key key, Effects& effects) {
    if (m_mask.empty() || key != Key::Delete) return InputRule::OnKeyDown(state, key, effects);
    ClampSelection(state);
    const int len = Length(state.text);
    const bool allowed = state.HasSelection() ? state.selEnd == len : state.selStart == len - 1;
    if (allowed)
        DefaultDelete(state);
    else if (state.selStart < len)
        effects.note = "Digits are removed from the end only; type over a digit to change it.";
    return true;
}

// ---------------------------------------------------------------------------
// Numeric kind

NumericRule::NumericRule(int wholeDigits, int decimals, NumberLocale locale)
    : m_wholeDigits(std::abs(wholeDigits)),
      m_decimals(std::max(decimals, 0)),
      m_signAllowed(wholeDigits >= 0),
      m_locale(locale) {}

void NumericRule::SetWholeDigits(int n) {
    if (n < 0) m_signAllowed = false;
    m_wholeDigits = std::abs(n);
}

void NumericRule::SetDecimals(int f) { m_decimals = std::max(f, 0); }
void NumericRule::SetSignAllowed(bool on) { m_signAllowed = on; }
void NumericRule::SetGroupSize(int n) { m_groupSize = std::max(n, 0); }
void NumericRule::SetPrefix(std::string prefix) { m_prefix = std::move(prefix); }
void NumericRule::SetLocale(NumberLocale locale) { m_locale = locale; }

bool NumericRule::IsDecimalKey(char ch) const {
    if (ch == m_locale.decimal) return true;
    return ch == '.' && !(m_groupSize > 0 && m_locale.thousands == '.');
}

namespace {

// Swaps a with b and b with a, character by character.
std::string Swap(std::string text, char a, char b) {
    if (a == b) return text;
    for (char& c : text) {
        if (c == a)
            c = b;
        else if (c == b)
            c = a;
    }
    return text;
}

}  // namespace

std::string NumericRule::ToShown(const std::string& stored) const {
    return Swap(Swap(stored, '.', m_locale.decimal), '-', m_locale.minus);
}

std::string NumericRule::ToStored(const std::string& shown) const {
    // Each swap is its own inverse; undo them in the reverse order.
    return Swap(Swap(shown, '-', m_locale.minus), '.', m_locale.decimal);
}

std::string NumericRule::CharactersNote() const {
    std::string allowed = "Only digits";
    std::vector<std::string> others;
    if (m_signAllowed) others.push_back(std::string("\"") + m_locale.minus + "\"");
    if (m_decimals > 0) others.push_back(std::string("\"") + m_locale.decimal + "\"");
    for (size_t i = 0; i < others.size(); ++i) allowed += (i + 1 == others.size() ? " and " : ", ") + others[i];
    return allowed + " can be typed here.";
}

std::string NumericRule::LossNote(const std::string& given, const std::string& valid) const {
    std::string plain = given;
    std::string plainValid = valid;
    if (!IsDecimalKey(m_locale.thousands)) {
        // Separators of thousands carry nothing.
        std::erase(plain, m_locale.thousands);
        std::erase(plainValid, m_locale.thousands);
    }
    for (char& c : plain)
        if (IsDecimalKey(c)) c = m_locale.decimal;
    if (plain == plainValid) return {};
    std::string note = "This field takes an amount of at most " + std::to_string(m_wholeDigits) + " whole digits";
    if (m_decimals > 0) note += " and " + std::to_string(m_decimals) + " decimals";
    return note + "; the rest was left out.";
}

std::string NumericRule::GetValidText(const std::string& text) const {
    std::string_view body = text;
    if (!m_prefix.empty() && body.starts_with(m_prefix)) body.remove_prefix(m_prefix.size());

    bool negative = false;
    bool hasDecimal = false;
    std::string whole;
    std::string fraction;
    for (size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (IsDigit(c)) {
            if (!hasDecimal) {
                if (Length(whole) < m_wholeDigits) whole += c;  // further whole digits are dropped
            } else {
                if (Length(fraction) >= m_decimals) break;  // a digit beyond the decimals ends the scan
                fraction += c;
            }
        } else if (c == m_locale.minus && i == 0 && m_signAllowed) {
            negative = true;
        } else if (IsDecimalKey(c)) {
            if (m_decimals == 0) break;
            hasDecimal = true;  // later separators are dropped
        }
        // every other character is dropped
    }

    std::string valid;
    if (negative) valid += m_locale.minus;
    for (size_t i = 0; i < whole.size(); ++i) {
        const size_t left = whole.size() - i;  // digits from here to the end of the whole part
        if (m_groupSize > 0 && i > 0 && left % static_cast<size_t>(m_groupSize) == 0) valid += m_locale.thousands;
        valid += whole[i];
    }
    if (hasDecimal) {
        valid += m_locale.decimal;
        valid += fraction;
    }
    if (!valid.empty()) valid.insert(0, m_prefix);
    return valid;
}

int NumericRule::NumberStart(const std::string& text) const {
    if (!m_prefix.empty() && text.starts_with(m_prefix)) return Length(m_prefix);
    return 0;
}

// How many characters of the number (thousands separators left out) stand
// before `pos`; -1 when pos is inside the prefix.
int NumericRule::LogicalIndex(const std::string& text, int pos) const {
    const int start = NumberStart(text);
    if (pos < start) return -1;
    int count = 0;
    for (int i = start; i < pos && i < Length(text); ++i)
        if (text[static_cast<size_t>(i)] != m_locale.thousands) ++count;
    return count;
}

// The position just after the `logical`-th character of the number.
int NumericRule::PositionOf(const std::string& text, int logical) const {
    int pos = NumberStart(text);
    int count = 0;
    while (count < logical && pos < Length(text)) {
        if (text[static_cast<size_t>(pos)] != m_locale.thousands) ++count;
        ++pos;
    }
    return pos;
}

void NumericRule::Rebuild(EditState& state) const {
    ClampSelection(state);
    const int startIndex = LogicalIndex(state.text, state.selStart);
    const int endIndex = LogicalIndex(state.text, state.selEnd);
    std::string valid = GetValidText(state.text);
    auto place = [&](int index, int oldPos) {
        return index < 0 ? std::min(oldPos, Length(valid)) : PositionOf(valid, index);
    };
    state.selStart = place(startIndex, state.selStart);
    state.selEnd = place(endIndex, state.selEnd);
    state.text = std::move(valid);
    ClampSelection(state);
}

bool NumericRule::OnKeyDown(EditState& state, Key key, Effects& effects) {
    if (key != Key::Delete) return InputRule::OnKeyDown(state, key, effects);
    ClampSelection(state);
    if (state.selStart < NumberStart(state.text)) return true;  // nothing is deleted inside the prefix
    DefaultDelete(state);
    Rebuild(state);
    return true;
}

bool NumericRule::HandleChar(EditState& state, char ch, Effects& effects) {
    if (ch == kBackspace) {
        DefaultBackspace(state);
        Rebuild(state);
        return true;
    }
    if (!IsPrintable(ch)) return false;

    const bool isSign = ch == m_locale.minus && m_signAllowed;
    const bool isDecimal = IsDecimalKey(ch) && m_decimals > 0;
    const bool isDigit = IsDigit(ch);

    const int start = NumberStart(state.text);
    if (state.selStart < start) {
        // Inside the prefix: its own character steps over it; the characters
        // of a number are typed just after the prefix.
        if (ch == m_prefix[static_cast<size_t>(state.selStart)]) {
            state.SetCaret(state.selStart + 1);
            return true;
        }
        if (!isSign && !isDecimal && !isDigit) {
            effects.note = CharactersNote();
            return true;
        }
        state.SetCaret(start);
        return HandleChar(state, ch, effects);
    }

    if (isSign)
        TypeSign(state);
    else if (isDecimal)
        TypeDecimal(state);
    else if (isDigit)
        TypeDigit(state, ch, effects);
    else
        effects.note = CharactersNote();  // any other printable character is dropped
    return true;
}

void NumericRule::TypeSign(EditState& state) {
    const int start = NumberStart(state.text);
    const bool hasSign = start < Length(state.text) && state.text[static_cast<size_t>(start)] == m_locale.minus;
    if (state.selStart == start) {
        // At the start of the number the sign is never toggled off: an
        // existing sign is typed over, otherwise the sign is typed there.
        if (hasSign && !state.HasSelection()) {
            state.SetCaret(start + 1);
            return;
        }
        InsertText(state, std::string(1, m_locale.minus));
        Rebuild(state);
        return;
    }
    const int shift = hasSign ? -1 : 1;
    if (hasSign)
        state.text.erase(static_cast<size_t>(start), 1);
    else
        state.text.insert(static_cast<size_t>(start), 1, m_locale.minus);
    state.selStart = std::max(state.selStart + shift, start);
    state.selEnd = std::max(state.selEnd + shift, start);
    Rebuild(state);
}

namespace {

// A typed digit or decimal separator replaces the selection: the selection is
// removed first and the character is then typed at its place.
void RemoveSelection(EditState& state) {
    if (state.HasSelection()) InsertText(state, {});
}

}  // namespace

void NumericRule::TypeDecimal(EditState& state) {
    if (state.HasSelection()) {
        RemoveSelection(state);
        Rebuild(state);
    }
    const int start = NumberStart(state.text);
    const size_t decimal = state.text.find(m_locale.decimal, static_cast<size_t>(start));
    if (decimal != std::string::npos) {
        state.SetCaret(static_cast<int>(decimal) + 1);
        return;
    }
    // Never in front of the sign, which must stay the first character.
    if (state.selStart == start && start < Length(state.text) &&
        state.text[static_cast<size_t>(start)] == m_locale.minus)
        state.SetCaret(start + 1);
    InsertText(state, std::string(1, m_locale.decimal));
    Rebuild(state);
}

void NumericRule::TypeDigit(EditState& state, char ch, Effects& effects) {
    if (state.HasSelection()) {
        RemoveSelection(state);
        Rebuild(state);
    }
    const std::string& text = state.text;
    const int len = Length(text);
    const int start = NumberStart(text);
    int p = state.selStart;
    if (p == start && start < len && text[static_cast<size_t>(start)] == m_locale.minus) ++p;

    const size_t decimalAt = text.find(m_locale.decimal, static_cast<size_t>(start));
    const int wholeEnd = decimalAt == std::string::npos ? len : static_cast<int>(decimalAt);

    if (p <= wholeEnd) {
        const int wholeDigits = static_cast<int>(
            std::count_if(text.begin() + start, text.begin() + wholeEnd, [](char c) { return IsDigit(c); }));
        if (wholeDigits >= m_wholeDigits) {
            // Full whole part: type over the digit at the caret.
            if (p < wholeEnd && text[static_cast<size_t>(p)] == m_locale.thousands) ++p;
            if (p >= wholeEnd) {
                effects.note = "At most " + std::to_string(m_wholeDigits) + " digits before the decimal separator.";
                return;
            }
            state.text[static_cast<size_t>(p)] = ch;
            state.SetCaret(p + 1);
            Rebuild(state);
            return;
        }
    } else {
        const int fractionDigits = len - wholeEnd - 1;
        if (fractionDigits >= m_decimals) {
            // Full fraction: type over the digit at the caret, up to the last place.
            if (p - wholeEnd - 1 >= m_decimals) {
                effects.note = "At most " + std::to_string(m_decimals) + " digits after the decimal separator.";
                return;
            }
            state.text[static_cast<size_t>(p)] = ch;
            state.SetCaret(p + 1);
            Rebuild(state);
            return;
        }
    }
    state.SetCaret(p);
    InsertText(state, std::string(1, ch));
    Rebuild(state);
}

// ---------------------------------------------------------------------------
// The field model

MaskedEdit::MaskedEdit() : m_rule(std::make_unique<TextRule>()) {}

void MaskedEdit::SetStoredText(const std::string& stored) {
    m_state.text = m_rule->ToShown(stored);
    m_state.SetCaret(Length(m_state.text));
}

void MaskedEdit::Install(std::unique_ptr<InputRule> rule, bool reapply) {
    m_rule = std::move(rule);
    m_rule->SetAcceptChar(m_acceptChar);
    if (reapply) m_rule->Reapply(m_state);
}

TextRule& MaskedEdit::AsTextRule() {
    if (auto* rule = dynamic_cast<TextRule*>(m_rule.get())) return *rule;
    // The caller changes a setting and re-applies the rule itself.
    Install(std::make_unique<TextRule>(), false);
    return static_cast<TextRule&>(*m_rule);
}

NumericRule& MaskedEdit::AsNumericRule() {
    if (auto* rule = dynamic_cast<NumericRule*>(m_rule.get())) return *rule;
    Install(std::make_unique<NumericRule>(0, 0, m_locale), false);
    return static_cast<NumericRule&>(*m_rule);
}

void MaskedEdit::SetTextRule(int maxLength, const std::string& refused) {
    Install(std::make_unique<TextRule>(maxLength, refused));
}

void MaskedEdit::SetMaxLength(int maxLength) {
    AsTextRule().SetMaxLength(maxLength);
    m_rule->Reapply(m_state);
}

void MaskedEdit::SetRefused(const std::string& refused) {
    AsTextRule().SetRefused(refused);
    m_rule->Reapply(m_state);
}

void MaskedEdit::SetMask(const std::string& mask) {
    if (auto* rule = dynamic_cast<MaskRule*>(m_rule.get())) {
        rule->SetMask(mask);
        m_rule->Reapply(m_state);
        return;
    }
    Install(std::make_unique<MaskRule>(mask));
}

void MaskedEdit::SetNumberRule(int wholeDigits, int decimals) {
    Install(std::make_unique<NumericRule>(wholeDigits, decimals, m_locale));
}

void MaskedEdit::SetWholeDigits(int n) {
    AsNumericRule().SetWholeDigits(n);
    m_rule->Reapply(m_state);
}

void MaskedEdit::SetDecimals(int f) {
    AsNumericRule().SetDecimals(f);
    m_rule->Reapply(m_state);
}

void MaskedEdit::SetSignAllowed(bool on) {
    AsNumericRule().SetSignAllowed(on);
    m_rule->Reapply(m_state);
}

void MaskedEdit::SetGroupSize(int n) {
    AsNumericRule().SetGroupSize(n);
    m_rule->Reapply(m_state);
}

void MaskedEdit::SetPrefix(const std::string& prefix) {
    AsNumericRule().SetPrefix(prefix);
    m_rule->Reapply(m_state);
}

void MaskedEdit::SetNumberLocale(const NumberLocale& locale) {
    m_locale = locale;
    if (auto* rule = dynamic_cast<NumericRule*>(m_rule.get())) {
        rule->SetLocale(locale);
        m_rule->Reapply(m_state);
    }
}

void MaskedEdit::SetAcceptChar(std::function<bool(char)> acceptChar) {
    m_acceptChar = std::move(acceptChar);
    m_rule->SetAcceptChar(m_acceptChar);
}

}  // namespace formet::maskedit
