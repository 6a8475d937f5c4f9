#pragma once
// The alignment page of a red-ink form: one form with sample data in every
// box, printed as red-ink data with the offsets of the print options, with
// crosshairs at two corners of the form's boxes and rulers in tenths of an
// inch along the top and left edges. Laid on a pre-printed form against the
// light, it shows how far the data fall from the boxes: the offsets to
// enter.
#include <memory>
#include <string>
#include <vector>

#include "forms/print/print_layout.h"
#include "forms/red_ink_outline.h"
#include "store/print_settings.h"

namespace formet {

// The two corners the crosshairs mark: corners of the 2007 form's boxes far
// apart, in millimetres from the paper's top-left corner as measured on the
// government's PDFs, and how the page names them.
struct AlignmentCorner {
  double xMm = 0, yMm = 0;
  std::string name;  // "the top-left corner of box b"
};
struct AlignmentCorners {
  AlignmentCorner first, second;
};
AlignmentCorners AlignmentCornersOf(PrintForm form);

// Where a crosshair is drawn: the corner on a printable area that starts
// kRedInkReferenceMargin from the paper's edges, moved by the offsets of
// `settings` as the red-ink data are.
PrintPoint AlignmentCrosshairAt(const AlignmentCorner& corner, const FormPrintSettings& settings);

// The page for the form, with the offsets of `settings` (whatever its paper
// type; the other choices are those of a red-ink print of one form).
std::unique_ptr<FormPrintJob> MakeAlignmentPage(PrintForm form, const FormPrintSettings& settings);

// The crosshairs: arms this long each way from the corner, with a mark
// every tenth of an inch.
inline constexpr int kCrosshairArm = 76;  // 0.3 inch
inline constexpr double kTenthOfInch = kUnitsPerInch / 10.0;

}  // namespace formet
