#pragma once
// Splitting one line of a delimited text file into its values.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace formet {

// Splits one line (without its line end) into values. There is no escape
// character and consecutive delimiters are not merged:
// - an empty line gives no values;
// - a qualifier outside a quoted stretch opens one, a lone qualifier inside
//   closes it; neither is copied. A qualifier in the middle of an unquoted
//   value therefore opens a stretch and is dropped;
// - inside a quoted stretch the delimiter is an ordinary character, and two
//   qualifiers in a row stand for one qualifier character: the stretch goes
//   on after them, so "Bolt ""Sparky"", LLC" is one value;
// - the delimiter outside a quoted stretch ends the value; two delimiters in
//   a row make an empty value between them, while a delimiter as the line's
//   last character makes no empty value after it;
// - every other character is copied.
//
// The values are written to the first entries of `values` (their storage is
// reused from line to line) and their number is returned. Splitting stops
// once `maxValues` values are complete.
//
// `end`, when given, is told whether a quoted stretch is still open at the
// end of the line (the line was cut inside a quoted value) and in which value
// it opened; splitting then goes to the end of the line whatever `maxValues`.
struct SplitEnd {
  bool quoteOpen = false;
  size_t openedIn = 0;  // the value (from 0) in which the open stretch began
};
size_t SplitLine(std::string_view line, char delimiter, char qualifier, std::vector<std::string>& values,
                 size_t maxValues = static_cast<size_t>(-1), SplitEnd* end = nullptr);

// The same, as a list of its own.
std::vector<std::string> SplitLine(std::string_view line, char delimiter, char qualifier);

}  // namespace formet
