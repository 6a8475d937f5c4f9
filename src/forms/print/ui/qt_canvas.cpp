#include "forms/print/ui/qt_canvas.h"

#include <QFontMetricsF>
#include <QImageReader>
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
QtCanvas::QtCanvas(QPainter& painter, const PageGeometry& geometry, double dotsPerInch, PictureCache& pictures)
    : painter_(painter), geometry_(geometry), scale_(dotsPerInch / kUnitsPerInch), pictures_(pictures) {
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
  ascent_ = QFontMetricsF(font_, painter_.device()).ascent();
}

void QtCanvas::SetTextColor(Rgb color) { textColor_ = ColorOf(color); }

void QtCanvas::DrawText(int x, int y, std::string_view text) {
  if (text.empty()) return;
  painter_.setFont(font_);
  painter_.setPen(QPen(textColor_));  // the text colour, whatever the pen
  painter_.drawText(Device(x, y) + QPointF(0, ascent_), Unicode(text));
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
  const QImage* image = pictures_.Get(name);
  if (!image) return false;
  painter_.drawImage(QRectF(Device(left, top), Device(left + width, top + height)), *image);
  return true;
}

TextSize QtCanvas::TextExtent(std::string_view text) {
  const QFontMetricsF metrics(font_, painter_.device());
  return {static_cast<int>(std::lround(metrics.horizontalAdvance(Unicode(text)) / scale_)),
          static_cast<int>(std::lround(metrics.height() / scale_))};
}

PageGeometry GeometryOfDevice(const QPagedPaintDevice& device) {
  const QRectF paint = device.pageLayout().paintRect(QPageLayout::Millimeter);
  return {static_cast<int>(paint.width() * 10), static_cast<int>(paint.height() * 10), paint.left() * 10,
          paint.top() * 10};
}

bool PrintJobOnDevice(const FormPrintJob& job, QPagedPaintDevice& device, PictureCache& pictures, int from,
                      int to) {
  const int last = job.PageCount();
  if (from < 1) from = 1;
  if (to < 1 || to > last) to = last;
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const PageGeometry geometry = GeometryOfDevice(device);
  const double dpi = device.logicalDpiX();
  for (int page = from; page <= to; ++page) {
    if (page > from) device.newPage();
    QtCanvas canvas(painter, geometry, dpi, pictures);
    job.DrawPage(canvas, page);
  }
  return painter.end();
}

bool WriteJobToPdfFile(const FormPrintJob& job, const QString& path, const QPageLayout& layout, int resolution,
                       PictureCache& pictures, const QString& title, QString* error) {
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
    if (!PrintJobOnDevice(job, writer, pictures) && !file.Failed()) {
      file.Abandon();
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
  return WriteJobToPdfFile(job, path,
                           QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                       QMarginsF(margins.leftMm, margins.topMm, margins.leftMm, margins.topMm),
                                       QPageLayout::Millimeter),
                           1200, pictures, title, error);
}

}  // namespace formet
