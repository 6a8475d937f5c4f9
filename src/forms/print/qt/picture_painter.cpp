#include "forms/print/qt/picture_painter.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <map>
#include <tuple>

#include "forms/print/qt/qt_canvas.h"

namespace formet {
namespace {

// Glyph outlines are taken from the face at this pixel size and scaled, so
// every text keeps the face's own advance widths, which the descriptions
// lay out with.
constexpr int kOutlineEm = 1000;

// The outline of a text, its baseline at y = 0, in a face kOutlineEm pixels
// to the em.
QPainterPath TextPath(const PictureText& t) {
  static std::map<std::tuple<std::string, bool>, QFont> fonts;
  auto found = fonts.find({t.font.face, t.font.bold});
  if (found == fonts.end()) {
    QFont font = QtCanvas::FontFor({t.font.face, 100, t.font.bold});
    font.setPixelSize(kOutlineEm);
    found = fonts.emplace(std::make_tuple(t.font.face, t.font.bold), font).first;
  }
  QPainterPath path;
  path.addText(QPointF(0, 0), found->second, QString::fromUtf8(t.text.data(), static_cast<qsizetype>(t.text.size())));
  return path;
}

}  // namespace

void PaintPicture(QPainter& p, const FormPicture& picture, double k) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  // Rules and frames: flat ends, square joins, so boxes close exactly.
  for (const auto& l : picture.lines) {
    QPen pen(Qt::black, l.weight / 10.0 * k, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    if (l.dashed) pen.setDashPattern({12.0 / (l.weight / 10.0), 8.0 / (l.weight / 10.0)});  // 1.2 mm dashes
    if (l.dashed) pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(QPointF(l.x1 * k, l.y1 * k), QPointF(l.x2 * k, l.y2 * k));
  }
  p.setBrush(Qt::NoBrush);
  for (const auto& r : picture.rects) {
    p.setPen(QPen(Qt::black, r.weight / 10.0 * k, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(QPointF(r.left * k, r.top * k), QPointF(r.right * k, r.bottom * k)));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  for (const auto& a : picture.arrows) {
    const QPointF points[3] = {{a.left * k, a.top * k},
                               {(a.left + a.height * 0.6) * k, (a.top + a.height / 2.0) * k},
                               {a.left * k, (a.top + a.height) * k}};
    p.drawPolygon(points, 3);
  }
  for (const auto& t : picture.texts) {
    const double scale = FontEm(t.font) * k / kOutlineEm;
    QTransform place;
    place.translate(t.x * k, (t.y + TextAscent(t.font)) * k);
    place.scale(scale, scale);
    p.drawPath(place.map(TextPath(t)));
  }
  p.restore();
}

QImage RenderPicture(const FormPicture& picture, int dotsPerInch) {
  const int width = PicturePixels(picture.width, dotsPerInch), height = PicturePixels(picture.height, dotsPerInch);
  QImage image(width, height, QImage::Format_Grayscale8);
  image.fill(255);
  const int perMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
  image.setDotsPerMeterX(perMetre);
  image.setDotsPerMeterY(perMetre);
  QPainter painter(&image);
  PaintPicture(painter, picture, static_cast<double>(dotsPerInch) / kUnitsPerInch);
  painter.end();
  return image;
}

MonoRaster ToMonoRaster(const QImage& image) {
  const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
  MonoRaster raster(grey.width(), grey.height());
  for (int y = 0; y < grey.height(); ++y) {
    const uchar* line = grey.constScanLine(y);
    for (int x = 0; x < grey.width(); ++x)
      if (line[x] < 128) raster.SetBlack(x, y);
  }
  return raster;
}

}  // namespace formet
