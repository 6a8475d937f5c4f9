#pragma once
// The canvas on a printer or a PDF file: QPainter on any paged device
// (QPrinter, QPdfWriter, the print preview's printer). Needs Qt GUI only, so
// the command line writes the same PDF files as the desktop.
#include <QGlyphRun>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPixmap>
#include <QRawFont>
#include <QString>

#include <map>
#include <optional>
#include <string>

#include "store/work_progress.h"

#include "forms/print/canvas.h"
#include "forms/print/print_layout.h"

class QPagedPaintDevice;

namespace formet {

// The form pictures of one print job, each loaded once and drawn from the
// same image on every page (a PDF then embeds it once). Pictures are read by
// their content, whatever their names say.
class PictureCache {
 public:
  explicit PictureCache(QString folder) : folder_(std::move(folder)) {}
  // nullptr when the picture is missing or unreadable (asked again, it is
  // not read again).
  const QImage* Get(const std::string& name);
  // The picture as a one-bit pixmap, black on white, for a PDF file (which
  // then holds it as a one-bit image rather than in 24-bit colour); nullptr
  // when it is missing or has other colours than black and white.
  const QPixmap* OneBit(const std::string& name);
  const QString& Folder() const { return folder_; }

 private:
  QString folder_;
  std::map<std::string, std::optional<QImage>> images_;
  std::map<std::string, std::optional<QPixmap>> oneBit_;
};

// The faces of one print job at the sizes it draws them, each made once.
// Texts are drawn at the exact size of their font, as the layouts measure
// them: a font of the platform is sized in whole device pixels (10 points at
// 1200 dots per inch are 166.67 pixels, drawn as 167), which made a text up
// to 0.5% wider than its box was measured for.
class FontCache {
 public:
  // The face of `font` with its em at `pixels` device pixels.
  const QRawFont& Get(const FontSpec& font, double pixels);

 private:
  std::map<std::tuple<std::string, int, bool, double>, QRawFont> fonts_;
};

class QtCanvas : public Canvas {
 public:
  // `painter` is active on a device whose origin is the top-left corner of
  // the printable area; `dotsPerInch` is the device's resolution. `fonts`,
  // when given, keeps the faces from page to page of a job.
  QtCanvas(QPainter& painter, const PageGeometry& geometry, double dotsPerInch, PictureCache& pictures,
           FontCache* fonts = nullptr);
  ~QtCanvas() override;

  void SetPen(const PenSpec& pen) override;
  void SetFont(const FontSpec& font) override;
  void SetTextColor(Rgb color) override;
  void DrawText(int x, int y, std::string_view text) override;
  void DrawOutlinedText(int x, int y, std::string_view text) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void FillRect(int left, int top, int right, int bottom, Rgb fill) override;
  bool DrawPicture(const std::string& name, int left, int top, int width, int height) override;
  TextSize TextExtent(std::string_view text) override;
  int PrintableWidth() const override { return geometry_.printableWidth; }
  int PrintableHeight() const override { return geometry_.printableHeight; }
  double UnprintableLeft() const override { return geometry_.unprintableLeft; }
  double UnprintableTop() const override { return geometry_.unprintableTop; }

  // The Qt font that stands for a face, size and weight.
  static QFont FontFor(const FontSpec& font);

 private:
  QPointF Device(double x, double y) const;  // drawing units to device pixels
  // The glyphs of a text in the current face with their advances; false when
  // the face lacks one of its characters.
  bool Glyphs(const QString& text, QGlyphRun& run, double& width) const;

  QPainter& painter_;
  PageGeometry geometry_;
  double scale_;  // device pixels per drawing unit
  PictureCache& pictures_;
  FontCache ownFonts_;
  FontCache& fonts_;
  bool pdf_;  // painting into a PDF file (or a printer that makes one)
  QPen pen_;
  QColor textColor_{Qt::black};
  FontSpec spec_;
  QFont font_;
  const QRawFont* raw_ = nullptr;  // font_ at its exact size on the device
  double ascent_ = -1;             // of raw_, in device pixels
};

// The printable area of a paged device (a printer or a PDF writer), from its
// page layout.
PageGeometry GeometryOfDevice(const QPagedPaintDevice& device);

// Draws pages `from`..`to` of the job (all when 0) onto the device, one
// device page each, telling `progress` (when given) every few pages. False
// when painting could not start (the printer or the file could not be
// opened), or when the progress was cancelled (the pages drawn so far are
// the device's: an output file is then abandoned).
bool PrintJobOnDevice(const FormPrintJob& job, QPagedPaintDevice& device, PictureCache& pictures, int from = 0,
                      int to = 0, WorkProgress* progress = nullptr);

// Margins of a PDF file: a PDF has no unprintable margins of its own, so the
// program gives it some. A quarter inch left and top puts a red-ink print
// with zero offsets into the boxes of the real 2007 forms; the right and
// bottom margins equal them.
struct PdfMargins {
  double leftMm = 6.35, topMm = 6.35;
  bool operator==(const PdfMargins&) const = default;
};

// US Letter, upright, with these margins.
QPageLayout PdfPageLayout(const PdfMargins& margins);

// The printable area of a PDF file written with these margins.
PageGeometry PdfGeometry(const PdfMargins& margins);

// Writes the job to a PDF file with the page layout and resolution of a
// printer, as every output file is written (OutputFile): never onto a
// company's file, into a work file that is checked and only then takes the
// name, so that a file already there is replaced only by the complete new
// one. False, with `error` set to the message for the user, when the file
// could not be written; false with no error when `progress` was cancelled,
// and then no file is left.
bool WriteJobToPdfFile(const FormPrintJob& job, const QString& path, const QPageLayout& layout, int resolution,
                       PictureCache& pictures, const QString& title, QString* error = nullptr,
                       WorkProgress* progress = nullptr);

// Writes the job to a PDF file on US Letter paper. The texts stay text. False,
// with `error` set, when the file could not be written.
bool WriteJobToPdf(const FormPrintJob& job, const QString& path, const PdfMargins& margins,
                   const QString& pictureFolder, const QString& title, QString* error = nullptr);

}  // namespace formet
