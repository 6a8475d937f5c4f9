#pragma once
// Printing the W-2: data only on pre-printed red-ink forms (two per sheet,
// moved by the user's offsets and spread by the vertical space), or on blank
// paper over the form's picture (Copies 1, 2, B, C and D two per sheet, the
// 4-Up sheet of Copies B, C and 2, the complete laser substitute for Copy A),
// or the instruction pages, which are pictures only.
//
// The layout table holds the position of every item in three variants; the
// adjustments of each kind of print are applied to it before drawing.
#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "forms/print/box_fit.h"
#include "forms/print/print_layout.h"
#include "forms/w2/print_settings.h"
#include "store/records.h"

namespace formet {

class UiServices;

inline constexpr int kW2LayoutEntries = 63;
using W2LayoutTable = std::array<PrintPoint, kW2LayoutEntries>;

// The three variants of the table. Entries 6, 7, 10, 15 and 16 exist but are
// not drawn; entries 36-47 are the ends of the strokes of box 13's three
// crosses. The 4-Up variant is in a grid of 2160 by 2790 units that is scaled
// to the printable area.
enum class W2Layout { RedInk = 0, BlankPaper = 1, FourUp = 2 };
const W2LayoutTable& W2BaseLayout(W2Layout layout);

// What a W-2 print draws, by the print settings.
enum class W2PrintKind {
  RedInk,        // data only, on the pre-printed red-ink form
  Copy,          // Copies 1, 2, B, C, D on blank paper (blank copy types 1-5)
  FourUp,        // Copies B, C and 2 of one employee on one sheet (blank copy type 0)
  Instructions,  // instruction pages, pictures only (blank copy types 6-9)
  CopyA,         // the complete laser substitute for Copy A (blank copy type 10)
};
W2PrintKind W2PrintKindOf(const FormPrintSettings& settings);

// The table of a kind of print with its adjustments, in their order:
// - red-ink: the user's offsets (inches times 254, truncated), then (60, 53);
// - blank paper: entries 36-47 moved by (-7, +5), each cross of box 13 then
//   by its kW2BlankCheckShift, entries 53-58 by kW2BlankBandShift, then
//   (73, 50) added;
// - Copy A: as blank paper, then the unprintable margins (truncated)
//   subtracted, (41, 47) added, and entries 8, 21 and 22 moved up by 5;
// - 4-Up: x times the printable width / 2160, y times the printable height /
//   2790, truncated.
// Moves the crosses of box 13 (statutory employee, retirement plan,
// third-party sick pay) into the check boxes of the drawn form, which stand
// where the 2007 form has them (12.7 mm apart, not 12.7 and 13.0).
inline constexpr PrintPoint kW2BlankCheckShift[3] = {{12, -5}, {12, -5}, {9, -5}};
// Moves the data of boxes 16, 17 and 18 (entries 53-58) right, 1.2 mm clear
// of the drawn form's dividers at 68.7, 99.1 and 127.0 mm.
inline constexpr int kW2BlankBandShift[3] = {8, 8, 5};
W2LayoutTable W2AdjustedLayout(W2PrintKind kind, const FormPrintSettings& settings, const PageGeometry& page);

// From one form's entries to the next form's on the same sheet: red-ink 1400
// plus the vertical space's difference from 1.33 inches in units (1443 at
// 1.50), blank paper 1364, Copy A 1395.
int W2FormSpacing(W2PrintKind kind, const FormPrintSettings& settings);
// On blank paper (not 4-Up) every text and line is drawn this much lower than
// its entry.
inline constexpr int kW2BlankPaperDrop = 34;
// Box 13's crosses are drawn this much lower than their entries.
inline constexpr int kW2CrossDrop = 63;

// The picture files of the blank-paper prints, in the program's folder.
inline constexpr const char* kW2CopyPicture = "Help1.svg";
inline constexpr const char* kW2FourUpPicture = "5.qff";
inline constexpr const char* kW2CopyAPicture = "Updater.dll";
// "1.qff" to "4.qff" for the instructions of Copies B, C, 2 and D.
std::string W2InstructionsPicture(int blankCopyType);

// What a W-2 print reads. The lists are the open company's and must outlive
// the job.
struct W2PrintData {
  const CompanyRecord* company = nullptr;
  const std::vector<EmployeeRecord>* employees = nullptr;
  const std::vector<W2Record>* forms = nullptr;
  // Employee indexes in the order of the employee page's list.
  std::vector<int> displayOrder;
  int currentEmployee = -1;  // index in `employees`: the W-2 page's employee
};

// One form of a page.
struct W2OnPage {
  const EmployeeRecord* employee = nullptr;
  const W2Record* form = nullptr;
};

class W2PrintJob : public FormPrintJob {
 public:
  // `settings` are the W-2 block after the options dialog (offsets signed).
  W2PrintJob(W2PrintData data, const FormPrintSettings& settings);

  // One form: "Current Employee", or all employees of a company with one W-2.
  bool SingleForm() const { return single_; }
  // The number of forms: the W-2 records for all employees, else 1.
  int FormCount() const { return formCount_; }
  int PageCount() const override;
  // The forms of a page, top first. A list position outside the employee
  // list, or an employee without a W-2, ends the page at that form.
  std::vector<W2OnPage> FormsOfPage(int page) const;
  void DrawPage(Canvas& canvas, int page) const override;

  W2PrintKind Kind() const { return kind_; }
  const W2PrintData& Data() const { return data_; }

  // The boxes each text of form `form` of a page goes in (0 the top form, or
  // the quadrant of the 4-Up sheet): the 2007 form's on red-ink paper, moved
  // with the data by the offsets and the vertical space; the drawing's on
  // blank paper, where the picture is placed.
  FormBoxes BoxesOf(int form, const PageGeometry& page) const;

 private:
  const W2Record* FormOf(const EmployeeRecord& employee) const;

  W2PrintData data_;
  FormPrintSettings settings_;
  W2PrintKind kind_;
  bool single_;
  int formCount_;
  std::unordered_map<int32_t, size_t> formOfEmployee_;  // EmployeeUniqueID -> first W-2
};

// The print after the options dialog, as the W-2 page starts it: the page
// count, then, for a 4-Up print, the Publication 1141 note. Returns nothing
// when nothing is to be printed: no W-2 for "All Employees" (nothing is
// said), or, for "Current Employee", the current employee is missing or has
// no W-2 (the user is told why). "All Employees" of a company with one W-2
// prints that W-2, whichever employee the page shows.
std::unique_ptr<W2PrintJob> PrepareW2Print(W2PrintData data, const FormPrintSettings& settings, UiServices& ui);

// The texts of that preparation (Windows-1252).
inline constexpr const char* kFourUpNoteHeading = "To order 4-Up Blank Sheets and other tax forms:";
inline constexpr const char* kFourUpNote =
    "Important Note: IRS Publication 1141 states the following:\n"
    "Employee copies of Form W-2 (Copies B, C, and 2), including those that are printed on a single sheet of "
    "paper, must be easily separated. Providing perforations between the individual copies satisfies this "
    "requirement, but using scissors to separate Copies B, C, and 2 does not.";
inline constexpr const char* kNoEmployeeToPrint = "There are no employees in this company";
inline constexpr const char* kEmployeeWithoutW2 = "This employee has no W2 form, so there is nothing to print.";

}  // namespace formet
