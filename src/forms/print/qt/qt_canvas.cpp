#include "forms/print/qt/qt_canvas.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QPaintEngine>
#include <QPagedPaintDevice>
#include <QPainterPath>
#include <QPdfWriter>
#include <QFile>

#include <cmath>

#include "store/file_words.h"
#include "store/output_file.h"
#include "store/text_codec.h"

namespace formet {
namespace {

QString Unicode(std::string_view win1252) { return QString::fromStdString(Win1252ToUtf8(win1252)); }

QColor ColorOf(Rgb rgb) { return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                                        static_cast<int>(rgb & 0xFF)); }

// The PDF writer's device over an output file: every write goes straight to
// the work file, and the first failure is kept for the commit to report.
class OutputFileDevice : public QIODevice {
 public:
  explicit OutputFileDevice(OutputFile& file) : file_(file) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    return file_.Write(data, static_cast<size_t>(size)) ? size : -1;
  }

 private:
  OutputFile& file_;
};

// The em of a font in tenths of a millimetre.
double EmOf(const FontSpec& f) { return f.tenthsOfPoint / 10.0 * kUnitsPerInch / 72.0; }

}  // namespace

const QImage* PictureCache::Get(const std::string& name) {
  auto found = images_.find(name);
  if (found == images_.end()) {
    QImageReader reader(folder_ + "/" + QString::fromStdString(name));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    found = images_.emplace(name, image.isNull() ? std::nullopt : std::optional<QImage>(std::move(image))).first;
  }
  return found->second ? &*found->second : nullptr;
}

const QPixmap* PictureCache::OneBit(const std::string& name) {
  auto found = oneBit_.find(name);
  if (found == oneBit_.end()) {
    std::optional<QPixmap> pixmap;
    const QImage* image = Get(name);
    const QList<QRgb> blackOnWhite{qRgb(0, 0, 0), qRgb(255, 255, 255)};
    auto twoColours = [&](const QImage& i) {
      if (i.colorCount() != 2) return false;
      const QRgb a = i.color(0) | 0xFF000000u, b = i.color(1) | 0xFF000000u;
      return (a == blackOnWhite[0] && b == blackOnWhite[1]) || (a == blackOnWhite[1] && b == blackOnWhite[0]);
    };
    if (image && twoColours(*image)) {
      // Black first: the PDF writer keeps such a pixmap as a one-bit image.
      // (A one-bit picture converts to its own format unchanged, white first
      // as bitmap files have it: its pixels are then turned over.)
      QImage mono = image->convertToFormat(QImage::Format_Mono, blackOnWhite);
      if ((mono.color(0) | 0xFF000000u) != blackOnWhite[0]) {
        mono.invertPixels();
        mono.setColorTable(blackOnWhite);
      }
      pixmap = QPixmap::fromImage(mono, Qt::NoFormatConversion);
    }
    found = oneBit_.emplace(name, std::move(pixmap)).first;
  }
  return found->second ? &*found->second : nullptr;
}

const QRawFont& FontCache::Get(const FontSpec& font, double pixels) {
  const auto key = std::make_tuple(font.face, font.tenthsOfPoint, font.bold, pixels);
  auto found = fonts_.find(key);
  if (found == fonts_.end()) {
    QRawFont raw = QRawFont::fromFont(QtCanvas::FontFor(font));
    raw.setPixelSize(pixels);
    found = fonts_.emplace(key, std::move(raw)).first;
  }
  return found->second;
}

QFont QtCanvas::FontFor(const FontSpec& f) {
  QFont font(QString::fromStdString(f.face));
  font.setPointSizeF(f.tenthsOfPoint / 10.0);
  font.setBold(f.bold);
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// The painter works in device pixels: drawing units are scaled here rather
// than by a painter transform, so the fonts are sized in the device's pixels
// (12 points is 200 pixels at 1200 dots per inch) and keep their exact width.
QtCanvas::QtCanvas(QPainter& painter, const PageGeometry& geometry, double dotsPerInch, PictureCache& pictures,
                   FontCache* fonts)
    : painter_(painter),
      geometry_(geometry),
      scale_(dotsPerInch / kUnitsPerInch),
      pictures_(pictures),
      fonts_(fonts ? *fonts : ownFonts_),
      pdf_(painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf) {
  painter_.save();
  painter_.setRenderHint(QPainter::SmoothPixmapTransform);
  painter_.setRenderHint(QPainter::Antialiasing);
  // Pictures keep every pixel: a PDF would otherwise hold the form pictures
  // as JPEG photographs, blurred and six times larger.
  painter_.setRenderHint(QPainter::LosslessImageRendering);
  painter_.setBackgroundMode(Qt::TransparentMode);
  SetPen(PenSpec{});
  SetFont(FontSpec{});
}

QtCanvas::~QtCanvas() { painter_.restore(); }

QPointF QtCanvas::Device(double x, double y) const { return {x * scale_, y * scale_}; }

void QtCanvas::SetPen(const PenSpec& pen) {
  pen_ = QPen(ColorOf(pen.color), pen.width * scale_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void QtCanvas::SetFont(const FontSpec& font) {
  if (font == spec_ && ascent_ >= 0) return;
  spec_ = font;
  font_ = FontFor(font);
  raw_ = &fonts_.Get(font, EmOf(font) * scale_);
  ascent_ = raw_->ascent();
}

bool QtCanvas::Glyphs(const QString& text, QGlyphRun& run, double& width) const {
  const QList<quint32> glyphs = raw_->glyphIndexesForString(text);
  for (quint32 g : glyphs)
    if (g == 0) return false;
  const QList<QPointF> advances = raw_->advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
  QList<QPointF> positions;
  positions.reserve(advances.size());
  double x = 0;
  for (const QPointF& a : advances) {
    positions.push_back({x, 0});
    x += a.x();
  }
  run.setRawFont(*raw_);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  width = x;
  return true;
}

void QtCanvas::SetTextColor(Rgb color) { textColor_ = ColorOf(color); }

void QtCanvas::DrawText(int x, int y, std::string_view text) {
  if (text.empty()) return;
  const QString unicode = Unicode(text);
  painter_.setPen(QPen(textColor_));  // the text colour, whatever the pen
  QGlyphRun run;
  double width = 0;
  if (Glyphs(unicode, run, width)) {
    painter_.drawGlyphRun(Device(x, y) + QPointF(0, ascent_), run);
  } else {
    // A character the face lacks: the platform finds another face for it.
    painter_.setFont(font_);
    painter_.drawText(Device(x, y) + QPointF(0, QFontMetricsF(font_, painter_.device()).ascent()), unicode);
  }
}

void QtCanvas::DrawOutlinedText(int x, int y, std::string_view text) {
  // The outline is built from the face at a large pixel size and scaled to
  // the em in device pixels.
  constexpr double kPathEm = 1000.0;
  QFont big = font_;
  big.setPixelSize(static_cast<int>(kPathEm));
  const double em = EmOf(spec_) * scale_;
  QPainterPath path;
  path.addText(QPointF(0, QFontMetricsF(big).ascent()), big, Unicode(text));
  QTransform place;
  place.translate(x * scale_, y * scale_);
  place.scale(em / kPathEm, em / kPathEm);
  painter_.strokePath(place.map(path), pen_);
}

void QtCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  painter_.setPen(pen_);
  painter_.drawLine(Device(x1, y1), Device(x2, y2));
}

void QtCanvas::FillRect(int left, int top, int right, int bottom, Rgb fill) {
  painter_.setPen(pen_);
  painter_.setBrush(ColorOf(fill));
  painter_.drawRect(QRectF(Device(left, top), Device(right, bottom)));
  painter_.setBrush(Qt::NoBrush);
}

bool QtCanvas::DrawPicture(const std::string& name, int left, int top, int width, int height) {
  const QRectF target(Device(left, top), Device(left + width, top + height));
  if (pdf_) {
    if (const QPixmap* oneBit = pictures_.OneBit(name)) {
      painter_.drawPixmap(target, *oneBit, QRectF(oneBit->rect()));
      return true;
    }
  }
  const QImage* image = pictures_.Get(name);
  if (!image) return false;
  painter_.drawImage(target, *image);
  return true;
}

TextSize QtCanvas::TextExtent(std::string_view text) {
  const QString unicode = Unicode(text);
  QGlyphRun run;
  double width = 0;
  if (!Glyphs(unicode, run, width)) width = QFontMetricsF(font_, painter_.device()).horizontalAdvance(unicode);
  return {static_cast<int>(std::lround(width / scale_)),
          static_cast<int>(std::lround((raw_->ascent() + raw_->descent()) / scale_))};
}

PageGeometry GeometryOfDevice(const QPagedPaintDevice& device) {
  const QRectF paint = device.pageLayout().paintRect(QPageLayout::Millimeter);
  return {static_cast<int>(paint.width() * 10), static_cast<int>(paint.height() * 10), paint.left() * 10,
          paint.top() * 10};
}

bool PrintJobOnDevice(const FormPrintJob& job, QPagedPaintDevice& device, PictureCache& pictures, int from,
                      int to, WorkProgress* progress) {
  const int last = job.PageCount();
  if (from < 1) from = 1;
  if (to < 1 || to > last) to = last;
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const PageGeometry geometry = GeometryOfDevice(device);
  const double dpi = device.logicalDpiX();
  FontCache fonts;
  const auto count = static_cast<size_t>(to - from + 1);
  for (int page = from; page <= to; ++page) {
    const auto done = static_cast<size_t>(page - from);
    if (progress && done % 8 == 0) {
      progress->Step(done, count, "Printing page " + std::to_string(page) + " of " + std::to_string(to) + "...");
      if (progress->Cancelled()) {
        painter.end();
        return false;
      }
    }
    if (page > from) device.newPage();
    QtCanvas canvas(painter, geometry, dpi, pictures, &fonts);
    job.DrawPage(canvas, page);
  }
  return painter.end();
}

QPageLayout PdfPageLayout(const PdfMargins& m) {
  return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                     QMarginsF(m.leftMm, m.topMm, m.leftMm, m.topMm), QPageLayout::Millimeter);
}

PageGeometry PdfGeometry(const PdfMargins& margins) {
  const QRectF paint = PdfPageLayout(margins).paintRect(QPageLayout::Millimeter);
  return {static_cast<int>(paint.width() * 10), static_cast<int>(paint.height() * 10), paint.left() * 10,
          paint.top() * 10};
}

bool WriteJobToPdfFile(const FormPrintJob& job, const QString& path, const QPageLayout& layout, int resolution,
                       PictureCache& pictures, const QString& title, QString* error, WorkProgress* progress) {
  const auto fail = [&](const std::string& problem) {
    if (error) *error = QString::fromStdString(Win1252ToUtf8(problem));
    return false;
  };
  // Written into a work file of its own, checked, and only then given the
  // name: a file already there stays whole until the new one is complete.
  OutputFile file;
  if (const auto problem = file.Open(std::filesystem::path(QFile::encodeName(path).toStdString())))
    return fail(*problem);
  {
    OutputFileDevice device(file);
    QPdfWriter writer(&device);
    writer.setResolution(resolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Formet (2007)"));
    writer.setPageLayout(layout);
    if (!PrintJobOnDevice(job, writer, pictures, 0, 0, progress) && !file.Failed()) {
      file.Abandon();
      if (progress && progress->Cancelled()) return false;  // nothing is left of the work file
      return fail("Formet could not write the file " + ShownPath(file.Target()) +
                  ": the PDF could not be drawn. Nothing was written.");
    }
  }
  const auto problem = file.Commit([&](std::string_view written) -> std::optional<std::string> {
    // A complete PDF ends with its end-of-file mark.
    const std::string_view tail = written.substr(written.size() > 32 ? written.size() - 32 : 0);
    if (tail.find("%%EOF") != std::string_view::npos) return std::nullopt;
    return "Formet could not write the file " + ShownPath(file.Target()) +
           ": the PDF read back is incomplete. Nothing was written.";
  });
  if (problem) return fail(*problem);
  return true;
}

bool WriteJobToPdf(const FormPrintJob& job, const QString& path, const PdfMargins& margins,
                   const QString& pictureFolder, const QString& title, QString* error) {
  PictureCache pictures(pictureFolder);
  return WriteJobToPdfFile(job, path, PdfPageLayout(margins), 1200, pictures, title, error);
}

}  // namespace formet
