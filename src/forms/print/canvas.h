#pragma once
// The drawing surface of every printed form. Units are tenths of a
// millimetre; x grows to the right and y downwards from the top-left corner
// of the printable area. The layout engines draw through this interface only:
// the desktop and the command line hand them a canvas over a printer or a PDF
// file, the tests a canvas that records every call.
#include <cstdint>
#include <string>
#include <string_view>

namespace formet {

class CutReport;

inline constexpr int kUnitsPerInch = 254;  // tenths of a millimetre

using Rgb = uint32_t;  // 0xRRGGBB
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kWhite = 0xFFFFFF;

struct PenSpec {
  int width = 5;  // tenths of a millimetre
  Rgb color = kBlack;
  bool operator==(const PenSpec&) const = default;
};

// A font by face name and size. Faces are the names the forms are designed
// for ("Courier New", "Arial", "Times New Roman"); the platform meets them
// with metric-compatible fonts.
struct FontSpec {
  std::string face;
  int tenthsOfPoint = 120;  // the em height: 120 is 12 points
  bool bold = false;
  bool operator==(const FontSpec&) const = default;
};

struct TextSize {
  int width = 0, height = 0;  // tenths of a millimetre; height is the text cell's
  bool operator==(const TextSize&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetPen(const PenSpec& pen) = 0;
  virtual void SetFont(const FontSpec& font) = 0;
  // The colour of texts, whatever the pen; black until it is set.
  virtual void SetTextColor(Rgb color) = 0;
  // Text in the current font and text colour; (x, y) is the top-left corner
  // of its cell. Texts are Windows-1252, as records hold them.
  virtual void DrawText(int x, int y, std::string_view text) = 0;
  // The same text as an outline stroked with the current pen.
  virtual void DrawOutlinedText(int x, int y, std::string_view text) = 0;
  // A straight line with the current pen.
  virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
  // A rectangle outlined with the current pen and filled with `fill`.
  virtual void FillRect(int left, int top, int right, int bottom, Rgb fill) = 0;
  // The picture file `name` (looked up in the folder of the form pictures)
  // stretched into the rectangle. False, with nothing drawn, when the picture
  // cannot be loaded.
  virtual bool DrawPicture(const std::string& name, int left, int top, int width, int height) = 0;

  // The cell of a text in the current font.
  virtual TextSize TextExtent(std::string_view text) = 0;
  // The printable area.
  virtual int PrintableWidth() const = 0;
  virtual int PrintableHeight() const = 0;
  // How far the printable area lies from the left and top edges of the paper,
  // in tenths of a millimetre (fractions kept; the forms truncate them).
  virtual double UnprintableLeft() const = 0;
  virtual double UnprintableTop() const = 0;

  // Where the values a form cannot hold are noted while it is drawn
  // (box_fit.h); nullptr when nobody asks.
  virtual CutReport* Cuts() { return nullptr; }
};

}  // namespace formet
