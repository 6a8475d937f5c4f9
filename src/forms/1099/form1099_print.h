#pragma once
// Printing the 1099-MISC, two forms per sheet: data only on the pre-printed
// red-ink laser form, or a copy on blank paper (the form's picture, the
// copy's caption and the data), or the instructions of Copies B and C
// (pictures only).
#include <array>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "forms/print/box_fit.h"
#include "forms/print/print_layout.h"
#include "store/print_settings.h"
#include "store/records.h"

namespace formet {

class UiServices;

// The base points of the data; points 4, 5, 13, 14 and 45-48 exist but are
// not drawn. Only the "2nd TIN not." mark (16-19) and the VOID mark (41-44)
// differ between the pre-printed form and blank paper.
inline constexpr int kForm1099LayoutPoints = 51;
using Form1099LayoutTable = std::array<PrintPoint, kForm1099LayoutPoints>;
enum class Form1099Layout { Copy = 0, RedInk = 1 };  // by paper type
const Form1099LayoutTable& Form1099BaseLayout(Form1099Layout layout);

// The points of a paper type with their adjustments, in order:
// 1. pre-printed only: the user's offsets (inches times 254, truncated);
// 2. every point y - 63;
// 3. points 41-44 y + 30, then x - 38; points 16-19 y + 25;
// 4. pre-printed x - 33, y - 7; copy x - 30, y - 7.
Form1099LayoutTable Form1099AdjustedLayout(Form1099Layout layout, const FormPrintSettings& settings);

// The last horizontal shift of the pre-printed form's points. A shift of
// +239 put every item about 27 mm right of its box on the 2007 form (box 18
// beyond the form's right edge, the marks beside their check boxes); -33
// puts the marks into the 2nd TIN, box 9 and VOID boxes and each text just
// inside its box, as the W-2, W-3 and 1096 layouts do.
inline constexpr int kForm1099PrePrintedShiftX = -33;
// The same for the copy on blank paper: its points are those of the drawn
// form, whose VOID, "2nd TIN not." and box 9 check boxes and whose caption
// areas (blanked at fixed places) lie where the 2007 form has them. (Shifted
// 208 units right, the marks missed their boxes and box 18 ran past the
// printable area.)
inline constexpr int kForm1099CopyShiftX = -30;

// The second form of a sheet lies this much lower than the first.
int Form1099SlotPitch(Form1099Layout layout);  // 1402 pre-printed, 1375 copy
// Box 9's mark is drawn this much lower than its points.
inline constexpr int kForm1099Box9Drop = 38;
// A recipient name line longer than this prints both lines in 10-point
// Courier New.
inline constexpr size_t kForm1099LongNameLine = 32;

// Copies 1 and C have a VOID box; B and 2 do not, so the lower form of a
// single-form page is marked VOID on the red-ink form, Copy 1 and Copy C.
bool Form1099CopyHasVoidBox(int copy);

// The picture of each copy type (0-5).
const char* Form1099Picture(int copy);
inline constexpr int kForm1099InstructionsB = 4;

// True when any of the 19 box texts of the record is empty (boxes 1-8, 10,
// 13, 14, 15a, 15b and both lines of 16, 17 and 18); box 9 does not count.
bool HasEmptyFields(const Form1099Record& record);

// What a 1099-MISC print reads. The lists are the open company's and must
// outlive the job.
struct Form1099PrintData {
  const CompanyRecord* company = nullptr;
  const std::vector<ContractorRecord>* contractors = nullptr;
  const std::vector<Form1099Record>* forms = nullptr;
  // Contractor indexes in the order of the contractor page's list.
  std::vector<int> displayOrder;
  int currentContractor = -1;  // index in `contractors`: the 1099 page's contractor
};

struct Form1099OnPage {
  const ContractorRecord* contractor = nullptr;
  const Form1099Record* form = nullptr;
  bool corrected = false;
  bool zeroed = false;
};

// The strokes of the CORRECTED mark of a form of the sheet (slot 0 the
// upper): the VOID mark's, as far right as the CORRECTED box lies from the
// VOID box, in that form.
std::array<PrintPoint, 4> Form1099CorrectedMark(Form1099Layout layout, const FormPrintSettings& settings, int slot);

class Form1099PrintJob : public FormPrintJob {
 public:
  // `settings`: the 1099 block after the options dialog (offsets signed).
  Form1099PrintJob(Form1099PrintData data, const FormPrintSettings& settings);

  // By index in the contractor list: the form of that contractor has its
  // CORRECTED box checked (a corrected return), and (`zeroed`) shows its
  // zero amounts, which a form otherwise leaves blank (a return corrected to
  // zero). None has until this is set.
  void MarkCorrected(std::vector<char> corrected, std::vector<char> zeroed = {}) {
    corrected_ = std::move(corrected);
    zeroed_ = std::move(zeroed);
  }
  int FormCount() const { return formCount_; }
  const Form1099PrintData& Data() const { return data_; }
  const FormPrintSettings& Settings() const { return settings_; }
  int PageCount() const override;
  // The forms of a page, upper first; a position outside the contractor list
  // or a contractor without a form ends the page at that form.
  std::vector<Form1099OnPage> FormsOfPage(int page) const;
  // The page holds one form: its lower form gets the VOID mark.
  bool SingleFormPage(int page) const;
  void DrawPage(Canvas& canvas, int page) const override;

  // The boxes the texts of a form of the sheet go in (slot 0 the upper): the
  // 2007 form's on the pre-printed form, moved with the data by the offsets;
  // the drawing's on blank paper, where the picture is stretched.
  FormBoxes BoxesOf(int slot) const;

 private:
  const Form1099Record* FormOf(const ContractorRecord& contractor) const;
  static bool FlagAt(const std::vector<char>& flags, int index);
  void DrawForm(Canvas& c, const Form1099LayoutTable& p, int slot, const Form1099OnPage& form,
                const FontSpec& dataFont) const;

  Form1099PrintData data_;
  FormPrintSettings settings_;
  int formCount_;
  std::unordered_map<int32_t, size_t> formOfContractor_;  // ContractorUniqueID -> first form
  std::vector<char> corrected_, zeroed_;
};

// The print after the options dialog, as the 1099 page starts it: the empty
// box questions, then the page count. Returns nothing when nothing is to be
// printed: the user said No, there is no form for "All Contractors" (nothing
// is said), or the current contractor is missing or has no form (the user is
// told why).
std::unique_ptr<Form1099PrintJob> PrepareForm1099Print(Form1099PrintData data, const FormPrintSettings& settings,
                                                       UiServices& ui);

// The questions and messages of that preparation (Windows-1252).
inline constexpr const char* kAllFormsEmptyQuestion =
    "One or more 1099 Forms contain empty fields(s), Do you wish to continue in printing?";
inline constexpr const char* kCurrentFormEmptyQuestion =
    "Current 1099 Form contains empty filed(s), Do you wish to continue in printing?";
inline constexpr const char* kNoContractorToPrint = "There are no contractors in this company";
inline constexpr const char* kContractorWithoutForm =
    "This contractor has no 1099 form, so there is nothing to print.";

}  // namespace formet
