#pragma once
// The canvas on a printer or a PDF file: QPainter on any paged device
// (QPrinter, QPdfWriter, the print preview's printer). Needs Qt GUI only, so
// the command line writes the same PDF files as the desktop.
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QString>

#include <map>
#include <optional>
#include <string>

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
  const QString& Folder() const { return folder_; }

 private:
  QString folder_;
  std::map<std::string, std::optional<QImage>> images_;
};

class QtCanvas : public Canvas {
 public:
  // `painter` is active on a device whose origin is the top-left corner of
  // the printable area; `dotsPerInch` is the device's resolution.
  QtCanvas(QPainter& painter, const PageGeometry& geometry, double dotsPerInch, PictureCache& pictures);
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

  QPainter& painter_;
  PageGeometry geometry_;
  double scale_;  // device pixels per drawing unit
  PictureCache& pictures_;
  QPen pen_;
  QColor textColor_{Qt::black};
  FontSpec spec_;
  QFont font_;
  double ascent_ = -1;  // of font_ on the device, in device pixels
};

// The printable area of a paged device (a printer or a PDF writer), from its
// page layout.
PageGeometry GeometryOfDevice(const QPagedPaintDevice& device);

// Draws pages `from`..`to` of the job (all when 0) onto the device, one
// device page each. False when painting could not start (the printer or the
// file could not be opened).
bool PrintJobOnDevice(const FormPrintJob& job, QPagedPaintDevice& device, PictureCache& pictures, int from = 0,
                      int to = 0);

// Margins of a PDF file: a PDF has no unprintable margins of its own, so the
// program gives it some. A quarter inch left and top puts a red-ink print
// with zero offsets into the boxes of the real 2007 forms; the right and
// bottom margins equal them.
struct PdfMargins {
  double leftMm = 6.35, topMm = 6.35;
  bool operator==(const PdfMargins&) const = default;
};

// Writes the job to a PDF file with the page layout and resolution of a
// printer, as every output file is written (OutputFile): never onto a
// company's file, into a work file that is checked and only then takes the
// name, so that a file already there is replaced only by the complete new
// one. False, with `error` set to the message for the user, when the file
// could not be written.
bool WriteJobToPdfFile(const FormPrintJob& job, const QString& path, const QPageLayout& layout, int resolution,
                       PictureCache& pictures, const QString& title, QString* error = nullptr);

// Writes the job to a PDF file on US Letter paper. The texts stay text. False,
// with `error` set, when the file could not be written.
bool WriteJobToPdf(const FormPrintJob& job, const QString& path, const PdfMargins& margins,
                   const QString& pictureFolder, const QString& title, QString* error = nullptr);

}  // namespace formet
