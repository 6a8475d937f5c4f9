#pragma once
// The data of the complete laser substitute for Copy A in 12-point Courier
// New, as the SSA asks filers to type, wherever it fits.
#include <string_view>

#include "forms/print/canvas.h"
#include "forms/print/print_layout.h"

namespace formet {

struct FormPicture;

// A canvas over the page of a Copy A print. A text drawn in the layout's
// 10-point Courier New goes out in 12 points when its 12-point cell, with
// its baseline where the 10-point text has it, lies inside the box of the
// drawn form ("Updater.dll", placed at `pictureAt`) the text starts in and
// clear of that box's label; otherwise in 10 points as laid out. Everything
// else passes through.
class CopyAFontCanvas : public Canvas {
 public:
  CopyAFontCanvas(Canvas& page, PrintPoint pictureAt);

  void SetPen(const PenSpec& pen) override { page_.SetPen(pen); }
  void SetFont(const FontSpec& font) override;
  void SetTextColor(Rgb color) override { page_.SetTextColor(color); }
  void DrawText(int x, int y, std::string_view text) override;
  void DrawOutlinedText(int x, int y, std::string_view text) override { page_.DrawOutlinedText(x, y, text); }
  void DrawLine(int x1, int y1, int x2, int y2) override { page_.DrawLine(x1, y1, x2, y2); }
  void FillRect(int left, int top, int right, int bottom, Rgb fill) override {
    page_.FillRect(left, top, right, bottom, fill);
  }
  bool DrawPicture(const std::string& name, int left, int top, int width, int height) override {
    return page_.DrawPicture(name, left, top, width, height);
  }
  TextSize TextExtent(std::string_view text) override { return page_.TextExtent(text); }
  int PrintableWidth() const override { return page_.PrintableWidth(); }
  int PrintableHeight() const override { return page_.PrintableHeight(); }
  double UnprintableLeft() const override { return page_.UnprintableLeft(); }
  double UnprintableTop() const override { return page_.UnprintableTop(); }

 private:
  Canvas& page_;
  PrintPoint pictureAt_;
  const FormPicture& picture_;
  FontSpec font_;
};

// The sizes of the substitute's data: as laid out, and as printed where it
// fits.
inline const FontSpec kCopyALayoutFont = CourierNew(10);
inline const FontSpec kCopyAFont = CourierNew(12);

}  // namespace formet
