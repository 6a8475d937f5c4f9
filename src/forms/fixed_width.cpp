#include "forms/fixed_width.h"

#include <sys/mman.h>

#include <array>
#include <cassert>
#include <cstring>

namespace formet::efile {
namespace {

// The ASCII form of Windows-1252 bytes 0x80-0xFF; nullptr: none. An empty
// text drops the character (the soft hyphen).
constexpr std::array<const char*, 128> kFolded = {
    // 0x80
    nullptr, nullptr, "'", "F", "\"", "...", nullptr, nullptr, nullptr, nullptr, "S", nullptr, "OE", nullptr, "Z",
    nullptr,
    // 0x90
    nullptr, "'", "'", "\"", "\"", nullptr, "-", "-", nullptr, nullptr, "s", nullptr, "oe", nullptr, "z", "Y",
    // 0xA0
    " ", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    "", nullptr, nullptr,
    // 0xB0
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr,
    // 0xC0
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    // 0xD0
    "D", "N", "O", "O", "O", "O", "O", nullptr, "O", "U", "U", "U", "U", "Y", "TH", "ss",
    // 0xE0
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    // 0xF0
    "d", "n", "o", "o", "o", "o", "o", nullptr, "o", "u", "u", "u", "u", "y", "th", "y",
};

bool IsAsciiLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

void NoteOnce(std::string& list, char c) {
  if (list.find(c) == std::string::npos) list += c;
}

constexpr std::array<int64_t, 19> kPowersOfTen = [] {
  std::array<int64_t, 19> p{};
  p[0] = 1;
  for (size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
  return p;
}();

}  // namespace

FileText ToFileText(std::string_view win1252, std::string_view punctuation, bool upper) {
  FileText out;
  out.text.reserve(win1252.size());
  const auto keep = [&](char c) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == ' ') {
      // No blank at the start, none after another blank.
      if (out.text.empty() || out.text.back() == ' ') return;
      out.text += c;
      return;
    }
    if (IsAsciiLetterOrDigit(c) || punctuation.find(c) != std::string_view::npos)
      out.text += c;
    else
      NoteOnce(out.left, c);
  };
  for (char raw : win1252) {
    const auto byte = static_cast<unsigned char>(raw);
    if (byte < 0x20 || byte == 0x7F) {
      NoteOnce(out.refused, raw);
    } else if (byte < 0x80) {
      keep(raw);
    } else if (const char* folded = kFolded[byte - 0x80]) {
      for (const char* p = folded; *p; ++p) keep(*p);
    } else {
      NoteOnce(out.refused, raw);
    }
  }
  while (!out.text.empty() && out.text.back() == ' ') out.text.pop_back();
  return out;
}

bool FitsMoney(int64_t cents, size_t width) {
  if (cents < 0) return false;
  return width >= kPowersOfTen.size() || cents < kPowersOfTen[width];
}

void ReserveFileBuffer(std::string& file, size_t bytes) {
  file.reserve(bytes);
  constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
  if (bytes < 2 * kHugePage) return;
  const auto begin = reinterpret_cast<uintptr_t>(file.data());
  const uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t last = (begin + bytes) & ~(kHugePage - 1);
  // Advice only: where the system does not follow it, nothing changes.
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

RecordWriter::RecordWriter(std::string& file, size_t width) : file_(file), start_(file.size()), width_(width) {
  file_.append(width, ' ');
}

RecordWriter::RecordWriter(std::string& file, size_t start, size_t width)
    : file_(file), start_(start), width_(width) {
  assert(start + width <= file.size());
  if (start + width > file.size()) {
    width_ = 0;
    ok_ = false;
  }
}

char* RecordWriter::At(size_t pos, size_t len) {
  assert(pos >= 1 && pos + len - 1 <= width_);
  if (pos < 1 || pos + len - 1 > width_) {
    ok_ = false;
    return nullptr;
  }
  return file_.data() + start_ + pos - 1;
}

void RecordWriter::Put(size_t pos, size_t len, std::string_view ascii) {
  char* field = At(pos, len);
  if (!field) return;
  const size_t n = std::min(len, ascii.size());
  for (size_t i = 0; i < n; ++i) {
    const char c = ascii[i];
    // Never a line end or another control character inside a record.
    field[i] = (c >= 0x20 && c < 0x7F) ? c : ' ';
  }
  std::memset(field + n, ' ', len - n);
}

void RecordWriter::Count(size_t pos, size_t len, uint64_t n) {
  char* field = At(pos, len);
  if (!field) return;
  for (size_t i = len; i-- > 0;) {
    field[i] = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  if (n != 0) {
    std::memset(field, '*', len);
    ok_ = false;
  }
}

void RecordWriter::Money(size_t pos, size_t len, int64_t cents) {
  if (!FitsMoney(cents, len)) {
    if (char* field = At(pos, len)) std::memset(field, '*', len);
    ok_ = false;
    return;
  }
  Count(pos, len, static_cast<uint64_t>(cents));
}

void RecordWriter::Fill(size_t pos, size_t len, char c) {
  if (char* field = At(pos, len)) std::memset(field, c, len);
}

std::string_view FieldAt(std::string_view record, size_t pos, size_t len) {
  if (pos < 1 || pos - 1 >= record.size()) return {};
  return record.substr(pos - 1, len);
}

std::optional<int64_t> NumberAt(std::string_view record, size_t pos, size_t len) {
  const std::string_view field = FieldAt(record, pos, len);
  if (field.size() != len || len == 0 || len >= kPowersOfTen.size()) return std::nullopt;
  int64_t n = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

bool FilledWith(std::string_view record, size_t pos, size_t len, char c) {
  const std::string_view field = FieldAt(record, pos, len);
  if (field.size() != len) return false;
  for (char f : field)
    if (f != c) return false;
  return true;
}

}  // namespace formet::efile
