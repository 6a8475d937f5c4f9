#include "store/text_codec.h"

#include <cstdint>
#include <cstdio>

namespace formet {
namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::optional<char> ToByte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

// The code point of the UTF-8 sequence at `i` and its length in bytes; 0
// when the bytes there are no UTF-8 (a bad or cut sequence, an overlong form
// such as "C0 80" for NUL, a surrogate, a code point beyond U+10FFFF).
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  const size_t len = b0 < 0x80 ? 1 : (b0 >> 5) == 0x6 ? 2 : (b0 >> 4) == 0xE ? 3 : (b0 >> 3) == 0x1E ? 4 : 0;
  if (len == 0 || i + len > s.size()) return 0;
  cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
  for (size_t k = 1; k < len; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  constexpr char32_t kShortest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kShortest[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return 0;
  return len;
}

unsigned char Lower1252(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<unsigned char>(c + 0x20);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 0x10);  // S, OE, Z with caron
  if (c == 0x9F) return 0xFF;                                                           // Y with diaeresis
  return c;
}

}  // namespace

bool EqualsIgnoreCase1252(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower1252(static_cast<unsigned char>(a[i])) != Lower1252(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::string Win1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (unsigned char b : text) {
    if (b < 0x80) out += static_cast<char>(b);
    else AppendUtf8(out, b < 0xA0 ? kHigh[b - 0x80] : char32_t{b});
  }
  return out;
}

std::optional<std::string> Utf8ToWin1252(std::string_view s, std::string* bad) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    char32_t cp = 0;
    const size_t len = DecodeUtf8(s, i, cp);
    if (len == 0) {
      if (bad) *bad = "invalid UTF-8";
      return std::nullopt;
    }
    const auto byte = ToByte(cp);
    if (!byte) {
      if (bad) *bad = std::string(s.substr(i, len));
      return std::nullopt;
    }
    out += *byte;
    i += len;
  }
  return out;
}

size_t Utf8SequenceLength(std::string_view s, size_t i) {
  char32_t cp = 0;
  return i < s.size() ? DecodeUtf8(s, i, cp) : 0;
}

bool IsValidUtf8(std::string_view s) {
  char32_t cp = 0;
  for (size_t i = 0; i < s.size();) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t len = DecodeUtf8(s, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::string PrintableUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    char32_t cp = 0;
    const size_t len = DecodeUtf8(s, i, cp);
    if (len > 0 && cp >= 0x20 && cp != 0x7F && !(cp >= 0x80 && cp <= 0x9F)) {
      out.append(s.substr(i, len));
      i += len;
      continue;
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(s[i])));
    out += hex;
    ++i;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t cp = units[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // a lone surrogate
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::optional<std::string> AcceptEnteredText(std::string_view utf8, std::string* problem) {
  std::string bad;
  auto text = Utf8ToWin1252(utf8, &bad);
  if (!text) {
    if (problem) {
      if (bad == "invalid UTF-8") {
        *problem = "The text is not valid UTF-8 and was refused.";
      } else {
        // Name the character by its code point: it has no Windows-1252 form.
        char32_t cp = 0;
        const auto b0 = static_cast<unsigned char>(bad[0]);
        cp = bad.size() == 2 ? (b0 & 0x1F) : bad.size() == 3 ? (b0 & 0x0F) : (b0 & 0x07);
        for (size_t k = 1; k < bad.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(bad[k]) & 0x3F);
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
        if (cp >= 0x80 && cp <= 0x9F)
          *problem = std::string("The text holds a control character (") + code +
                     "), such as a tab or a line break, which cannot be stored.";
        else
          *problem = std::string("The character ") + code +
                   " cannot be stored in a company file (only the characters of the Windows-1252 code page can).";
      }
    }
    return std::nullopt;
  }
  for (unsigned char b : *text) {
    // C0 controls, DEL, and the bytes whose Unicode form is a C1 control.
    const bool control = b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    if (control) {
      if (problem) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(b));
        *problem = std::string("The text holds a control character (") + code +
                   "), such as a tab or a line break, which cannot be stored.";
      }
      return std::nullopt;
    }
  }
  return text;
}

}  // namespace formet
