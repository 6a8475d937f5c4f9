#pragma once
// The 2007 form behind red-ink data: the drawing of each form that blank
// paper gets, placed on the sheet where the pre-printed form has its boxes,
// in light grey. The red-ink preview can show it, formet-cli can write it
// into a PDF marked "not for filing", and the alignment page marks two of
// its corners. It is never printed on a form.
#include <string>
#include <vector>

#include "forms/print/form_picture.h"
#include "forms/print/print_layout.h"
#include "forms/w2/print_settings.h"

namespace formet {

// A drawing on the sheet: the top-left corner of its picture in tenths of a
// millimetre from the top-left corner of the paper.
struct SheetPicture {
  const FormPicture* picture = nullptr;
  PrintPoint at;
};

// The pre-printed sheet of a form, placed where the red-ink data expect the
// form. The W-2 (the laser substitute for Copy A, both forms of the sheet)
// and the 1099-MISC (its copy with Copy A's own boxes and caption, two forms
// 140.2 mm apart as the red-ink layout spaces them) follow the 2007 grid:
// their frames lie at the 2007 forms' corners. The drawings of the W-3 (its
// laser substitute) and the 1096 (its copy) follow the forms' grids only
// roughly: they lie where their blank-paper prints put them for data at the
// red-ink places, so the data sit in the drawn boxes as on blank paper.
const std::vector<SheetPicture>& RedInkSheet(PrintForm form);

inline constexpr Rgb kOutlineGrey = 0xA8A8A8;

// Draws the sheet on a canvas: where the paper's corner lies by the canvas's
// unprintable margins, so the boxes appear where the pre-printed form has
// them on that printer. The pen and text colour are black afterwards.
void DrawRedInkSheet(Canvas& canvas, PrintForm form, Rgb color = kOutlineGrey);

// The words of the mark a PDF with the outline carries in its top margin
// (Windows-1252).
inline constexpr const char* kNotForFilingMark =
    "NOT FOR FILING \x97 the grey form only shows where the data fall on the pre-printed form";

// A job with the sheet drawn behind every page and, when `markNotForFiling`,
// the mark in the top margin. `job` must outlive it.
class OutlinedPrintJob : public FormPrintJob {
 public:
  OutlinedPrintJob(const FormPrintJob& job, PrintForm form, bool markNotForFiling);
  int PageCount() const override { return job_.PageCount(); }
  void DrawPage(Canvas& canvas, int page) const override;

 private:
  const FormPrintJob& job_;
  PrintForm form_;
  bool mark_;
};

}  // namespace formet
