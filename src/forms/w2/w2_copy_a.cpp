#include "forms/w2/w2_copy_a.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "forms/print/form_picture.h"
#include "forms/w2/w2_pictures.h"

namespace formet {
namespace {

const FormPicture& CopyAPicture() {
  static const FormPicture kPicture = W2CopyAPicture();
  return kPicture;
}

// How far the cell of a 12-point text starts above a 10-point one on the
// same baseline.
int AscentRise() {
  return static_cast<int>(std::lround(TextAscent(kCopyAFont) - TextAscent(kCopyALayoutFont)));
}

// Kept this far inside a box's rules; a 12-point line moved at most this far
// from the layout's baseline to fit its box (the lines of box c lie 43
// apart).
constexpr int kInside = 2, kMostMoved = 3;

}  // namespace

CopyAFontCanvas::CopyAFontCanvas(Canvas& page, PrintPoint pictureAt)
    : page_(page), pictureAt_(pictureAt), picture_(CopyAPicture()) {}

void CopyAFontCanvas::SetFont(const FontSpec& font) {
  font_ = font;
  page_.SetFont(font);
}

void CopyAFontCanvas::DrawText(int x, int y, std::string_view text) {
  if (font_ != kCopyALayoutFont || text.empty()) {
    page_.DrawText(x, y, text);
    return;
  }
  const TextSize small = page_.TextExtent(text);
  // The box the text starts in, in the picture's units.
  const int px = x - pictureAt_.x, py = y - pictureAt_.y;
  const PictureBox* box = nullptr;
  for (const auto& b : picture_.boxes)
    if (!b.checkBox && px >= b.left && px < b.right && py + small.height / 2 >= b.top &&
        py + small.height / 2 < b.bottom)
      box = &b;
  if (box) {
    page_.SetFont(kCopyAFont);
    const TextSize large = page_.TextExtent(text);
    // Between the box's rules and clear of its label, as near to the
    // layout's baseline as that allows.
    const bool labelled = box->labelTop != box->labelBottom;
    const bool labelAbove = labelled && box->labelBottom <= py, labelBelow = labelled && box->labelTop >= py + small.height;
    const int lowest = labelAbove ? box->labelBottom + 1 : box->top + kInside;
    const int highest = (labelBelow ? box->labelTop - 1 : box->bottom - kInside) - large.height;
    const int wanted = py - AscentRise();
    const int top = std::clamp(wanted, lowest, highest);
    const bool besideLabel = labelled && !labelAbove && !labelBelow;
    if (!besideLabel && lowest <= highest && std::abs(top - wanted) <= kMostMoved &&
        px + large.width <= box->right - kInside) {
      page_.DrawText(x, top + pictureAt_.y, text);
      page_.SetFont(font_);
      return;
    }
    page_.SetFont(font_);
  }
  page_.DrawText(x, y, text);
}

}  // namespace formet
