// A compact notation for an edit's text and selection used by the masked edit
// tests: "ab|cd" is the caret after "ab"; "a[bc]d" selects "bc".
#pragma once

#include <stdexcept>
#include <string>

#include "kit/masked_edit_rules.h"

namespace formet::maskedit::testing {

inline EditState Parse(const std::string& marked) {
    EditState state;
    int caret = -1;
    int open = -1;
    int close = -1;
    for (char c : marked) {
        const int at = static_cast<int>(state.text.size());
        if (c == '|')
            caret = at;
        else if (c == '[')
            open = at;
        else if (c == ']')
            close = at;
        else
            state.text += c;
    }
    if (open >= 0 && close >= 0) {
        state.selStart = open;
        state.selEnd = close;
    } else if (caret >= 0) {
        state.SetCaret(caret);
    } else {
        throw std::invalid_argument("no caret or selection in \"" + marked + "\"");
    }
    return state;
}

inline std::string Show(const EditState& state) {
    std::string out = state.text;
    if (state.selStart == state.selEnd) {
        out.insert(static_cast<size_t>(state.selStart), 1, '|');
    } else {
        out.insert(static_cast<size_t>(state.selEnd), 1, ']');
        out.insert(static_cast<size_t>(state.selStart), 1, '[');
    }
    return out;
}

// Types every character of `keys` ('\b' is Backspace) and gathers the effects.
inline std::string Type(InputRule& rule, const std::string& start, const std::string& keys, Effects* effects = nullptr) {
    EditState state = Parse(start);
    Effects local;
    for (char c : keys) rule.OnChar(state, c, effects ? *effects : local);
    return Show(state);
}

inline std::string PressDelete(InputRule& rule, const std::string& start) {
    EditState state = Parse(start);
    Effects effects;
    rule.OnKeyDown(state, Key::Delete, effects);
    return Show(state);
}

}  // namespace formet::maskedit::testing
