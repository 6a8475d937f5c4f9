#pragma once
// What the four form layouts share: points, the conversion of inches to
// drawing units, the print job, and small drawing rules (crosses, amounts,
// telephone numbers).
#include <memory>
#include <string>
#include <string_view>

#include "forms/print/canvas.h"

namespace formet {

struct PrintPoint {
  int x = 0, y = 0;
  bool operator==(const PrintPoint&) const = default;
};

// The printable area a job is drawn on, as the canvas reports it.
struct PageGeometry {
  int printableWidth = 0, printableHeight = 0;  // tenths of a millimetre
  double unprintableLeft = 0, unprintableTop = 0;
  bool operator==(const PageGeometry&) const = default;
};
PageGeometry GeometryOf(const Canvas& canvas);

// Inches as drawing units: 254 per inch, truncated toward zero. The offsets
// and spaces of the print settings are typed with two decimals; they are
// taken as whole hundredths first, so 0.50 gives exactly 127 and -0.25 gives
// -63 whatever the binary form of the double.
int InchesToUnits(double inches);

// The red-ink layouts put their data with zero offsets into the boxes of the
// pre-printed forms when the printable area starts this far (a quarter inch)
// from the paper's left and top edges, as on the program's PDF pages; the
// user's offsets make up for any other printer.
inline constexpr double kRedInkReferenceMargin = 63.5;

// An unprintable margin as the layouts subtract it: truncated toward zero.
inline int TruncatedMargin(double tenthsOfMillimetre) { return static_cast<int>(tenthsOfMillimetre); }

// A picture's position from a fixed point minus an unprintable margin,
// truncated toward zero and never negative (the laser substitutes).
int PictureEdge(double position, double margin);

// The faces the forms are designed for.
inline constexpr const char* kCourierNew = "Courier New";
inline constexpr const char* kArial = "Arial";
inline constexpr const char* kTimesNewRoman = "Times New Roman";
inline FontSpec CourierNew(int points) { return {kCourierNew, points * 10, false}; }
inline FontSpec Arial(int points, bool bold = false) { return {kArial, points * 10, bold}; }
inline constexpr PenSpec kBlackPen{5, kBlack};
inline constexpr PenSpec kWhitePen{5, kWhite};

// The mark of a check box: two strokes, a to b and c to d, each moved by
// (dx, dy).
void DrawCross(Canvas& canvas, PrintPoint a, PrintPoint b, PrintPoint c, PrintPoint d, int dx = 0, int dy = 0);

// A money box: the text as stored, unless it is exactly "0.00".
void DrawAmount(Canvas& canvas, PrintPoint at, const std::string& amount);

// The word "COPY" outlined in 50-point Times New Roman with the current pen,
// its cell centred on (centreX, centreY): its left edge at centreX - w / 2
// and its top edge at centreY - h / 2 (w and h the text's cell, integer
// divisions). Each form puts it on a part of its picture that holds nothing,
// so it hides no rule or text of the form.
void DrawCopyStamp(Canvas& canvas, int centreX, int centreY);

// A telephone or fax number held as "(###) ###-####": the area code (the
// three characters after the parenthesis) and the number (the text from the
// sixth character on). Shorter texts give what they have.
std::string PhoneAreaCode(std::string_view phone);
std::string PhoneNumber(std::string_view phone);

// A print job: its pages, drawn one at a time onto a canvas.
// A print of more pages than this shows its progress with the time left and
// Cancel.
inline constexpr int kPrintProgressPages = 500;

class FormPrintJob {
 public:
  virtual ~FormPrintJob() = default;
  virtual int PageCount() const = 0;
  // Draws page `page` (1 to PageCount()).
  virtual void DrawPage(Canvas& canvas, int page) const = 0;
};

}  // namespace formet
