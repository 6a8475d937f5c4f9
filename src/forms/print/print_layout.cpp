#include "forms/print/print_layout.h"

#include <cmath>

#include "forms/money.h"

namespace formet {

PageGeometry GeometryOf(const Canvas& canvas) {
  return {canvas.PrintableWidth(), canvas.PrintableHeight(), canvas.UnprintableLeft(), canvas.UnprintableTop()};
}

int InchesToUnits(double inches) {
  const long long hundredths = std::llround(inches * 100.0);
  return static_cast<int>(hundredths * kUnitsPerInch / 100);  // integer division truncates toward zero
}

int PictureEdge(double position, double margin) {
  const int edge = static_cast<int>(position - margin);
  return edge < 0 ? 0 : edge;
}

void DrawCross(Canvas& canvas, PrintPoint a, PrintPoint b, PrintPoint c, PrintPoint d, int dx, int dy) {
  canvas.DrawLine(a.x + dx, a.y + dy, b.x + dx, b.y + dy);
  canvas.DrawLine(c.x + dx, c.y + dy, d.x + dx, d.y + dy);
}

void DrawAmount(Canvas& canvas, PrintPoint at, const std::string& amount) {
  if (!IsZeroMoneyText(amount)) canvas.DrawText(at.x, at.y, amount);
}

void DrawCopyStamp(Canvas& canvas, int centreX, int centreY) {
  static constexpr std::string_view kCopy = "COPY";
  canvas.SetFont({kTimesNewRoman, 500, false});
  const TextSize size = canvas.TextExtent(kCopy);
  canvas.DrawOutlinedText(centreX - size.width / 2, centreY - size.height / 2, kCopy);
}

std::string PhoneAreaCode(std::string_view phone) {
  return phone.size() > 1 ? std::string(phone.substr(1, 3)) : std::string();
}

std::string PhoneNumber(std::string_view phone) {
  return phone.size() > 5 ? std::string(phone.substr(5)) : std::string();
}

}  // namespace formet
