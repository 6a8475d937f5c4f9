#include "records/payee_search.h"

#include <algorithm>

#include "kit/ascii_text.h"

namespace formet {
namespace {

char FoldByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 0x20);
  // Latin capitals with their small letters 0x20 above (the multiplication
  // sign is no letter), and the four capitals of 0x80-0x9F.
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 0x20);
  switch (b) {
    case 0x8A: return static_cast<char>(0x9A);  // S caron
    case 0x8C: return static_cast<char>(0x9C);  // OE
    case 0x8E: return static_cast<char>(0x9E);  // Z caron
    case 0x9F: return static_cast<char>(0xFF);  // Y diaeresis
    default: return c;
  }
}

bool IsNumberWord(std::string_view word) {
  bool digit = false;
  for (char c : word) {
    if (c >= '0' && c <= '9') digit = true;
    else if (c != '-') return false;
  }
  return digit;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

}  // namespace

std::string FoldLetterCase(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldByte);
  return folded;
}

bool MatchesPayeeSearch(const std::vector<std::string>& row, const PayeeSearchColumns& columns,
                        std::string_view search) {
  const auto text = [&row](size_t column) -> std::string_view {
    return column < row.size() ? std::string_view(row[column]) : std::string_view();
  };
  for (std::string_view word : Words(search)) {
    if (IsNumberWord(word) && columns.number) {
      if (DigitsOf(text(*columns.number)).find(DigitsOf(word)) != std::string::npos) continue;
    }
    const std::string folded = FoldLetterCase(word);
    const bool inName = std::any_of(columns.names.begin(), columns.names.end(), [&](size_t column) {
      return FoldLetterCase(text(column)).find(folded) != std::string::npos;
    });
    if (!inName) return false;
  }
  return true;
}

}  // namespace formet
