#pragma once
// What the two electronic filing files share: the validation report that
// lists every problem at once, the checks of identification numbers, ZIP
// codes, amounts and texts against what a fixed-width file can hold, and the
// careful writing of the finished file.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/fixed_width.h"
#include "store/ui_services.h"
#include "store/work_progress.h"

namespace formet {
class CGlobalDoc;
enum class ChangeOp : int32_t;
}  // namespace formet

namespace formet::efile {

enum class Severity { Error, Warning };

struct Problem {
  Severity severity = Severity::Error;
  std::string where;  // "Submitter", "Company", "W-2 of Ann Lee (123-45-6789)"
  std::string what;   // a sentence for the user
  bool operator==(const Problem&) const = default;
};

// Every problem found before a file is written. Texts are Windows-1252.
class Report {
 public:
  void Error(std::string_view where, std::string what) { Add(Severity::Error, where, std::move(what)); }
  void Warning(std::string_view where, std::string what) { Add(Severity::Warning, where, std::move(what)); }
  void Add(Severity severity, std::string_view where, std::string what);

  bool HasErrors() const { return errors_ > 0; }
  size_t ErrorCount() const { return errors_; }
  size_t WarningCount() const { return problems_.size() - errors_; }
  const std::vector<Problem>& Problems() const { return problems_; }
  // True when a problem of that severity names `where` and contains `part`.
  bool Has(Severity severity, std::string_view where, std::string_view part) const;

  // "3 errors and 1 warning", "no problems".
  std::string Summary() const;
  // One line per problem, "Error: WHERE: WHAT" (errors first, each group in
  // the order found), then the summary.
  std::string Text() const;

 private:
  std::vector<Problem> problems_;
  size_t errors_ = 0;
};

// ---- identification numbers --------------------------------------------------------

// The nine digits of an employer identification number, or the problem with
// it ("is empty", "must have 9 digits").
struct IdCheck {
  std::string digits;           // nine digits when there is no problem
  std::optional<std::string> problem;
};
IdCheck CheckEin(std::string_view text);
// A social security number: nine digits (dashes allowed), and none the SSA
// never issues: area 000, 666 or 900-999, group 00, serial 0000. With
// `allowItin`, numbers of area 900-999 (individual taxpayer identification
// numbers) pass.
IdCheck CheckSsn(std::string_view text, bool allowItin);

// ---- texts, ZIP codes and amounts -----------------------------------------------

// How a text is written into a field of `width` characters.
struct TextRule {
  size_t width = 0;
  std::string_view punctuation;  // kept besides letters and digits
  bool upper = true;
  bool required = false;         // an empty text is an error
};

// The text converted for its field, with its problems in the report: a
// character with no ASCII form is an error; characters left out and a text
// cut to the width are warnings; an empty required text is an error.
FileText CheckText(Report& report, std::string_view where, std::string_view label, std::string_view text,
                   const TextRule& rule);

// An e-mail address as the file holds it: as typed (no upper-casing), at most
// `width` characters (error beyond), no blank or character outside ASCII, one
// "@" with text on both sides.
std::string CheckEmail(Report& report, std::string_view where, std::string_view label, std::string_view text,
                       size_t width, bool required);

// A ZIP code typed as #####-#### (or 5 or 9 digits): its five digits and
// its four-digit extension (empty when none). Any other number of digits is
// an error; an empty ZIP code is an error when required.
struct Zip {
  std::string zip5, ext4;
};
Zip CheckZip(Report& report, std::string_view where, std::string_view label, std::string_view text,
             bool required);

// A state as the file holds it: an entry of the state table (two capital
// letters). Anything else is an error; an empty state is an error when
// required.
std::string CheckState(Report& report, std::string_view where, std::string_view label, std::string_view text,
                       bool required);

// The amount of a money text in whole cents: a plain decimal number
// (optional minus, digits, one point) as the pages write it, an empty text
// being 0. Not a number, negative, or too large for `width` positions: an
// error (0 is returned). More than two decimals: a warning (the cents are
// kept, the rest cut, as the pages show it).
int64_t CheckAmount(Report& report, std::string_view where, std::string_view label, std::string_view text,
                    size_t width);

// "$1,234.56" for messages.
std::string DollarsText(int64_t cents);

// ---- the submitter and transmitter rows -------------------------------------------

// How the one row of an electronic filing table (EFiling_W2_Submitter or
// EFiling_1099_Transmitter) is to be written: an update where the company
// file holds it, an insert where it does not (a file made without it), so
// that what the user saved is never lost to an update of no row.
ChangeOp FilingRowChange(CGlobalDoc& doc, const char* table);

// ---- progress ---------------------------------------------------------------------

// A file of more forms than this shows its progress with the time left and
// Cancel while its forms are checked and written.
inline constexpr size_t kEfileProgressForms = 10000;

// Tells `progress` (when there is one) every few hundred forms that `done`
// of `total` forms are written; true when the user cancelled.
bool FormsCancelled(WorkProgress* progress, size_t done, size_t total);

// `make(options)`, with a progress window under `caption` over it when the
// file has more forms than `options.progressForms` and no progress is given.
template <class Options, class Make>
auto MakeWithProgress(UiServices& ui, size_t forms, const std::string& caption, Options options, const Make& make) {
  std::unique_ptr<WorkProgress> progress;
  if (!options.progress && forms > options.progressForms) {
    progress = ui.BeginProgress(caption);
    options.progress = progress.get();
  }
  return make(options);
}

// ---- the finished file --------------------------------------------------------------

// Writes the bytes to `path` as every output file is written
// (WriteOutputFile): never onto a company's files, in a work file of its own
// that is read back before it takes the name, so that an existing file is
// replaced only by the complete new one and what the caller reports of the
// bytes is what the file holds. Returns the problem (for the user), or
// nullopt.
std::optional<std::string> WriteFilingFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace formet::efile
