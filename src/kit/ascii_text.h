#pragma once
// Texts taken apart as ASCII: the digits of identifying numbers, telephone
// numbers and ZIP codes, compared whatever their dashes, blanks and
// brackets; and codes and state abbreviations upper-cased as typed in any
// case. Bytes outside ASCII (Windows-1252 letters) are never changed.
#include <string>
#include <string_view>

namespace formet {

// The decimal digits of a text, in order ("(217) 555-0100" gives 2175550100).
inline std::string DigitsOf(std::string_view text) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  return digits;
}

// The text with its ASCII letters a-z upper-cased, every other byte as it is.
inline std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

}  // namespace formet
