#pragma once
// The fixed-width records of the electronic filing files: one writer for
// every field (text, digits, counts and money), the text conversion from the
// company files' Windows-1252 to the files' ASCII, and the field readers the
// read-back checks use.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "kit/ascii_text.h"

namespace formet::efile {

// What a text becomes in a file.
struct FileText {
  std::string text;        // ASCII, folded, upper-cased when asked, never a control character
  std::string left;        // the ASCII characters left out (outside the allowed set), each once
  std::string refused;     // the characters with no ASCII form (Windows-1252), each once
};

// Folds a Windows-1252 text to ASCII: accented letters to their letters (É
// to E, ß to SS, Æ to AE), typographic quotes and dashes to ' " -, the
// no-break space to a blank. Upper-cases the letters when `upper` is set.
// Keeps letters, digits and the characters of `punctuation`; every other
// ASCII character is left out, and a blank that would follow another blank
// is dropped too.
FileText ToFileText(std::string_view win1252, std::string_view punctuation, bool upper);

// The decimal digits of a text, as the kit gives them.
using ::formet::DigitsOf;

// Whether `cents` fits a money field of `width` positions (never negative).
bool FitsMoney(int64_t cents, size_t width);

// Reserves room for a file of up to `bytes` and asks the system to back a
// large buffer with huge pages, so that filling it costs a few page faults
// instead of one per 4 KB. Memory reserved but never written costs nothing.
void ReserveFileBuffer(std::string& file, size_t bytes);

// One record being written at the end of a file's text: `width` blanks are
// appended, then every field is written into its place; positions are
// 1-based and inclusive, as in the published layouts. Nothing is ever
// written outside the record, and a field never runs past its length.
class RecordWriter {
 public:
  RecordWriter(std::string& file, size_t width);
  // A record written earlier, beginning at `start` of the file, to complete
  // fields known only later (counts, code lists).
  RecordWriter(std::string& file, size_t start, size_t width);

  // The characters as given (ASCII), left-justified; cut to the length.
  void Put(size_t pos, size_t len, std::string_view ascii);
  // A text already converted by ToFileText, left-justified, blank-filled, cut.
  void Text(size_t pos, size_t len, const FileText& text) { Put(pos, len, text.text); }
  // The digits of a text, left-justified, blank-filled, cut.
  void Digits(size_t pos, size_t len, std::string_view text) { Put(pos, len, DigitsOf(text)); }
  // A count or a sequence number: right-justified, zero-filled.
  void Count(size_t pos, size_t len, uint64_t n);
  // Whole cents, right-justified, zero-filled, with no point and no sign. An
  // amount that does not fit (or is negative) is not written: the field is
  // filled with '*' and Ok() turns false, so the read-back check refuses it.
  void Money(size_t pos, size_t len, int64_t cents);
  // Fills a field with one character (zeros or blanks).
  void Fill(size_t pos, size_t len, char c);

  bool Ok() const { return ok_; }

 private:
  char* At(size_t pos, size_t len);

  std::string& file_;
  size_t start_;
  size_t width_;
  bool ok_ = true;
};

// ---- reading records back ---------------------------------------------------------

// The field at 1-based `pos` of `len` characters (empty when outside the record).
std::string_view FieldAt(std::string_view record, size_t pos, size_t len);
// A field of digits only, as a number; nullopt for anything else.
std::optional<int64_t> NumberAt(std::string_view record, size_t pos, size_t len);
// True when every character of the field is `c`.
bool FilledWith(std::string_view record, size_t pos, size_t len, char c);

}  // namespace formet::efile
