#pragma once
// Texts of records, company files and settings are 8-bit Windows-1252 strings.
// These two conversions are the only way between them and Unicode (UTF-8),
// used at the boundaries: widgets, the command line, JSON output, file names.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace formet {

// Every byte has a Unicode form (the five unassigned bytes map to the C1
// controls of the same value, so the conversion round-trips).
std::string Win1252ToUtf8(std::string_view text);

// Returns nullopt when the text is not valid UTF-8 (overlong forms, surrogates
// and code points beyond U+10FFFF included) or holds a character with no
// Windows-1252 form; `bad`, when given, receives the first such character.
std::optional<std::string> Utf8ToWin1252(std::string_view utf8, std::string* bad = nullptr);

// The length of the UTF-8 sequence that begins at `i` (1 for an ASCII
// byte), or 0 when the bytes there are no UTF-8 by the rules above.
size_t Utf8SequenceLength(std::string_view bytes, size_t i);

// True when the bytes are valid UTF-8 by the rules above.
bool IsValidUtf8(std::string_view bytes);

// Bytes of unknown origin (a command-line argument, a path) made safe to show
// in a message or on a terminal: valid UTF-8 characters other than controls
// as they are, every other byte as \xNN.
std::string PrintableUtf8(std::string_view bytes);

// UTF-16 (as read from a file) in UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

// The one rule for text that enters the program, whichever way it comes
// (typing, paste, drag, the command line, import files): it must be valid
// UTF-8, hold no control character (C0, DEL or C1) and only characters with a
// Windows-1252 form. Returns the Windows-1252 text; otherwise nullopt and,
// when `problem` is given, a message for the user (Windows-1252) naming what
// was refused.
std::optional<std::string> AcceptEnteredText(std::string_view utf8, std::string* problem = nullptr);

// Compares two Windows-1252 texts as the file system of the original platform
// compares file names: letters without regard to case.
bool EqualsIgnoreCase1252(std::string_view a, std::string_view b);

}  // namespace formet
