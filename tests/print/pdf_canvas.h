#pragma once
// A Qt canvas painting into a 1200-dpi PDF file in a scratch folder, for the
// tests that measure and draw texts as the printing does.
#include <QPainter>
#include <QPdfWriter>

#include "forms/print/ui/qt_canvas.h"
#include "pdf_support.h"

namespace formet::test {

class PdfCanvas {
 public:
  explicit PdfCanvas(const std::string& file = "canvas.pdf")
      : path_(dir_ / file),
        writer_(QString::fromStdString(path_.string())),
        painter_((writer_.setResolution(1200), &writer_)),
        pictures_(QString::fromStdString(dir_.path().string())),
        canvas_(painter_, GeometryOfDevice(writer_), 1200, pictures_) {}

  QtCanvas& Canvas() { return canvas_; }
  // Ends the painting and gives the file.
  const std::filesystem::path& Finish() {
    painter_.end();
    return path_;
  }

 private:
  TempDir dir_;
  std::filesystem::path path_;
  QPdfWriter writer_;
  QPainter painter_;
  PictureCache pictures_;
  QtCanvas canvas_;
};

}  // namespace formet::test
