// The form pictures as drawn: the widths the descriptions are laid out with
// are those of the faces, the drawing puts ink only where a description says,
// the bitmap files read back pixel for pixel in every encoding, and the build
// wrote every picture, at 300 dots per inch, as its description draws it.
#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QRawFont>

#include <filesystem>
#include <fstream>

#include "../forms/picture_pieces.h"
#include "forms/form_pictures.h"
#include "forms/print/bitmap_file.h"
#include "forms/print/qt/picture_painter.h"
#include "forms/print/qt/qt_canvas.h"
#include "pdf_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

QImage ReadPicture(const fs::path& file, std::string* error = nullptr) {
  QImageReader reader(QString::fromStdString(file.string()));
  reader.setDecideFormatFromContent(true);
  QImage image = reader.read();
  if (error) *error = reader.errorString().toStdString();
  return image;
}

bool SamePixels(const QImage& image, const MonoRaster& raster) {
  if (image.width() != raster.Width() || image.height() != raster.Height()) return false;
  for (int y = 0; y < raster.Height(); ++y)
    for (int x = 0; x < raster.Width(); ++x)
      if ((qGray(image.pixel(x, y)) < 128) != raster.Black(x, y)) return false;
  return true;
}

// The advance widths the descriptions use are the faces' own, to the
// thousandth of an em the tables keep (and the unit a width is rounded up
// to): every character of the tables, and a label.
TEST(FormPictureFaces, WidthTablesAreThoseOfTheFaces) {
  for (bool bold : {false, true}) {
    const FontSpec spec{"Arial", 7200, bold};  // an em of 2540 units
    constexpr double kTolerance = 2540 / 1000.0 + 1;
    QFont font = QtCanvas::FontFor(spec);
    font.setPixelSize(2540);
    const QRawFont raw = QRawFont::fromFont(font);
    ASSERT_TRUE(raw.isValid());
    auto advance = [&](const QString& text) {
      double sum = 0;
      const auto glyphs = raw.glyphIndexesForString(text);
      for (const QPointF& a : raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics)) sum += a.x();
      return sum;
    };
    QString all;
    for (char c = 32; c < 127; ++c) all += QChar(c);
    all += QString::fromUtf8("\u2014\u2013\u2018\u2019\u201C\u201D\u2022\u00A7\u00BD");
    for (QChar c : all) {
      const std::string utf8 = QString(c).toStdString();
      EXPECT_NEAR(TextWidth(spec, utf8), advance(c), kTolerance) << "\"" << utf8 << "\"" << (bold ? " bold" : "");
    }
    const char* label = "Employer\u2019s name, address, and ZIP code";
    EXPECT_NEAR(TextWidth(spec, label), advance(QString::fromUtf8(label)), 10 * kTolerance);
  }
}

// Every black pixel of every picture lies on a piece of its description
// (with a fifth of a millimetre for smoothing), so what the tests hold the
// data against is what is drawn.
TEST(FormPictureFaces, InkLiesOnlyWhereTheDescriptionSaysIt) {
  for (const FormPicture& picture : AllFormPictures()) {
    const MonoRaster raster = ToMonoRaster(RenderPicture(picture));
    QImage allowed(raster.Width(), raster.Height(), QImage::Format_Grayscale8);
    allowed.fill(0);
    const double k = static_cast<double>(kPictureDotsPerInch) / kUnitsPerInch;
    for (const auto& piece : test::PiecesOf(picture)) {
      const test::Area a = piece.area.Grown(2);
      const int left = std::max(0, static_cast<int>(a.left * k)), top = std::max(0, static_cast<int>(a.top * k));
      const int right = std::min(raster.Width() - 1, static_cast<int>(a.right * k) + 1);
      const int bottom = std::min(raster.Height() - 1, static_cast<int>(a.bottom * k) + 1);
      for (int y = top; y <= bottom; ++y) std::fill(allowed.scanLine(y) + left, allowed.scanLine(y) + right + 1, 255);
    }
    int stray = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < raster.Height(); ++y)
      for (int x = 0; x < raster.Width(); ++x)
        if (raster.Black(x, y) && allowed.constScanLine(y)[x] == 0 && stray++ == 0) firstX = x, firstY = y;
    EXPECT_EQ(stray, 0) << picture.file << ": ink at pixel (" << firstX << ", " << firstY
                        << ") lies on no piece of the description";
  }
}

TEST(FormPictureFiles, EveryEncodingReadsBackPixelForPixel) {
  // Runs longer than 255 pixels, single pixels, an odd width, both colours
  // at the row ends.
  MonoRaster raster(601, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 601; ++x) raster.SetBlack(x, y, (x * 7 + y * 13) % 11 == 0 || (y == 3 && x > 20 && x < 400) || x == 600);
  TempDir dir;
  size_t smallest = SIZE_MAX;
  for (auto encoding : {BitmapEncoding::Mono, BitmapEncoding::Rle4, BitmapEncoding::Rle8}) {
    const auto bytes = EncodeBitmap(raster, 300, encoding);
    smallest = std::min(smallest, bytes.size());
    const fs::path file = dir / "picture.qff";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    std::string error;
    const QImage image = ReadPicture(file, &error);
    ASSERT_FALSE(image.isNull()) << static_cast<int>(encoding) << ": " << error;
    EXPECT_TRUE(SamePixels(image, raster)) << static_cast<int>(encoding);
    EXPECT_EQ(image.dotsPerMeterX(), 11811) << static_cast<int>(encoding);
    EXPECT_LE(image.colorCount(), 2) << static_cast<int>(encoding);
  }
  EXPECT_EQ(EncodeSmallestBitmap(raster, 300).size(), smallest);
}

TEST(FormPictureFiles, TheBuildWroteEveryPictureAsItsDescriptionDrawsIt) {
  for (const FormPicture& picture : AllFormPictures()) {
    const fs::path file = fs::path(FORMET_BIN_DIR) / picture.file;
    ASSERT_TRUE(fs::exists(file)) << file;
    std::string error;
    const QImage image = ReadPicture(file, &error);
    ASSERT_FALSE(image.isNull()) << picture.file << ": " << error;
    // A Windows bitmap at 300 dots per inch, with the aspect of the
    // rectangle the print stretches it into, black and white.
    QFile bytes(QString::fromStdString(file.string()));
    ASSERT_TRUE(bytes.open(QIODevice::ReadOnly));
    EXPECT_EQ(bytes.read(2), QByteArray("BM")) << picture.file;
    EXPECT_EQ(image.width(), PicturePixels(picture.width, 300)) << picture.file;
    EXPECT_EQ(image.height(), PicturePixels(picture.height, 300)) << picture.file;
    EXPECT_NEAR(static_cast<double>(image.width()) / image.height(),
                static_cast<double>(picture.width) / picture.height, 0.001)
        << picture.file;
    EXPECT_EQ(image.dotsPerMeterX(), 11811) << picture.file;
    EXPECT_LE(image.colorCount(), 2) << picture.file;
    // No larger than the plain one-bit file.
    const qint64 plain = 62 + static_cast<qint64>((image.width() + 31) / 32 * 4) * image.height();
    EXPECT_LE(bytes.size(), plain) << picture.file;
    EXPECT_TRUE(SamePixels(image, ToMonoRaster(RenderPicture(picture)))) << picture.file << " is out of date";
  }
}

}  // namespace
}  // namespace formet
