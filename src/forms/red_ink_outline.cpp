#include "forms/red_ink_outline.h"

#include <algorithm>
#include <cmath>

#include "forms/1099/form1099_pictures.h"
#include "forms/w2/w2_pictures.h"
#include "forms/w2/w3_pictures.h"

namespace formet {
namespace {

// The pictures, made once.
struct Pictures {
  FormPicture w2CopyA = W2CopyAPicture();
  FormPicture w3Laser = W3LaserPicture();
  FormPicture misc = Form1099CopyPicture();
  FormPicture miscCopyA = Form1099CopyAAdditions();
  FormPicture summary = Form1096CopyPicture();
};
const Pictures& ThePictures() {
  static const Pictures kPictures;
  return kPictures;
}

// The top-left corner of the outer frame of a picture's first form: its
// first frame drawn in the border's weight, or its topmost border rule.
PrintPoint FrameCorner(const FormPicture& p) {
  for (const auto& r : p.rects)
    if (r.weight == kRuleBorder) return {r.left, r.top};
  PrintPoint corner{1 << 20, 1 << 20};
  for (const auto& l : p.lines)
    if (l.weight == kRuleBorder) corner = {std::min({corner.x, l.x1, l.x2}), std::min({corner.y, l.y1, l.y2})};
  return corner;
}

// The picture placed so that its frame's corner lies at (x, y) on the paper.
SheetPicture AtCorner(const FormPicture& p, int x, int y) {
  const PrintPoint corner = FrameCorner(p);
  return {&p, {x - corner.x, y - corner.y}};
}

// The 1099-MISC forms of a red-ink sheet lie this far apart, as its layout
// spaces their data.
constexpr int kMiscSheetPitch = 1402;

std::vector<SheetPicture> MakeSheet(PrintForm form) {
  const Pictures& p = ThePictures();
  switch (form) {
    // The 2007 forms' corners (millimetres from the paper's corner, as
    // measured on the government's PDFs).
    case PrintForm::W2: return {AtCorner(p.w2CopyA, 129, 131)};  // 12.9, 13.1
    case PrintForm::W3:
      // Where the laser substitute prints it on a page with the reference
      // margins (92.875 and 84.375 less them, truncated): its frame's corner
      // at about 14.0 and 12.4 mm. The 2007 W-3's own grid is known from
      // other years only.
      return {{&p.w3Laser, {29 + 63, 20 + 63}}};
    case PrintForm::Form1099: {
      const SheetPicture upper = AtCorner(p.misc, 168, 169);  // 16.8, 16.9
      const SheetPicture lower{upper.picture, {upper.at.x, upper.at.y + kMiscSheetPitch}};
      return {upper, {&p.miscCopyA, upper.at}, lower, {&p.miscCopyA, lower.at}};
    }
    case PrintForm::Form1096:
      // Where the copy prints it, (35, 25), for data 2 units lower than the
      // copy's: the red-ink data's.
      return {{&p.summary, {35 + 63, 27 + 63}}};
  }
  return {};
}

}  // namespace

const std::vector<SheetPicture>& RedInkSheet(PrintForm form) {
  static const std::vector<SheetPicture> kSheets[4] = {MakeSheet(PrintForm::W2), MakeSheet(PrintForm::W3),
                                                       MakeSheet(PrintForm::Form1099), MakeSheet(PrintForm::Form1096)};
  return kSheets[static_cast<int>(form)];
}

void DrawRedInkSheet(Canvas& c, PrintForm form, Rgb color) {
  const int left = TruncatedMargin(c.UnprintableLeft()), top = TruncatedMargin(c.UnprintableTop());
  for (const auto& s : RedInkSheet(form)) DrawPictureOnCanvas(c, *s.picture, s.at.x - left, s.at.y - top, color);
}

OutlinedPrintJob::OutlinedPrintJob(const FormPrintJob& job, PrintForm form, bool markNotForFiling)
    : job_(job), form_(form), mark_(markNotForFiling) {}

void OutlinedPrintJob::DrawPage(Canvas& c, int page) const {
  DrawRedInkSheet(c, form_);
  if (mark_) {
    // In the paper's top margin, above the printable area, when it is wide
    // enough; else at the top of the printable area.
    const FontSpec font = Arial(8, true);
    c.SetFont(font);
    const TextSize size = c.TextExtent(kNotForFilingMark);
    const int top = static_cast<int>(c.UnprintableTop());
    const int y = top >= size.height + 10 ? -top + (top - size.height) / 2 : 0;
    c.DrawText((c.PrintableWidth() - size.width) / 2, y, kNotForFilingMark);
  }
  job_.DrawPage(c, page);
}

}  // namespace formet
