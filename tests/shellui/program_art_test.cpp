// The program's pictures: sizes the windows rely on, and real drawings.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "qt_app.h"
#include "shell/ui/art/program_art.h"

namespace formet::art {
namespace {

// Pixels that are neither transparent nor the top-left pixel's colour.
int DrawnPixels(const QImage& image) {
  const QRgb background = image.pixel(0, 0);
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0 && image.pixel(x, y) != background) ++n;
  return n;
}

TEST(ProgramArt, IconStripHoldsSevenDistinctIconsOnTransparency) {
  test::QtApp();
  const QPixmap strip = NavIconStrip();
  EXPECT_EQ(strip.size(), QSize(7 * 32, 32));
  EXPECT_TRUE(strip.hasAlphaChannel());

  const QList<QPixmap> icons = NavIcons();
  ASSERT_EQ(icons.size(), kNavIconCount);
  for (int i = 0; i < kNavIconCount; ++i) {
    const QImage image = icons[i].toImage();
    SCOPED_TRACE(i);
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);  // the corners show the bar's background
    EXPECT_GT(DrawnPixels(image), 150);       // a real drawing, not a dot
    for (int j = 0; j < i; ++j) EXPECT_NE(image, icons[j].toImage()) << "same as icon " << j;
  }
}

TEST(ProgramArt, SplitIconStripCutsWholeIconsOnly) {
  test::QtApp();
  QImage strip(3 * 10 + 4, 10, QImage::Format_ARGB32);
  for (int x = 0; x < strip.width(); ++x)
    for (int y = 0; y < 10; ++y) strip.setPixel(x, y, qRgb(x, 0, 0));
  const QList<QPixmap> parts = SplitIconStrip(QPixmap::fromImage(strip), 10);
  ASSERT_EQ(parts.size(), 3);
  EXPECT_EQ(qRed(parts[2].toImage().pixel(0, 0)), 20);
  EXPECT_EQ(qRed(parts[2].toImage().pixel(9, 9)), 29);
  EXPECT_TRUE(SplitIconStrip(QPixmap::fromImage(strip), 0).isEmpty());
}

TEST(ProgramArt, PicturesHaveTheirSizesAndAreFullyPainted) {
  test::QtApp();
  const struct {
    const char* name;
    QPixmap pixmap;
    QSize size;
    bool opaque;
  } cases[] = {
      {"splash", SplashPicture(), QSize(409, 261), true},
      {"welcome", WelcomePicture(), kWelcomeSize, true},
      {"about", AboutPicture(), kAboutSize, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QImage image = c.pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(image.size(), c.size);
    if (c.opaque) {
      bool allOpaque = true;
      for (int y = 0; y < image.height() && allOpaque; ++y)
        for (int x = 0; x < image.width(); ++x)
          if (qAlpha(image.pixel(x, y)) != 255) allOpaque = false;
      EXPECT_TRUE(allOpaque);
    }
    EXPECT_GT(DrawnPixels(image), image.width() * image.height() / 4);
  }
  EXPECT_FALSE(ProgramIcon().isNull());
  EXPECT_EQ(ProgramIcon().availableSizes().size(), static_cast<qsizetype>(std::size(kDesktopIconSizes)));
}

// On a high-DPI screen the pictures are painted at the device pixel ratio,
// not scaled up from their size in logical pixels.
TEST(ProgramArt, PicturesArePaintedAtTheDevicePixelRatio) {
  test::QtApp();
  const struct {
    const char* name;
    QPixmap (*make)(qreal);
    QSize size;
  } cases[] = {{"splash", SplashPicture, kSplashSize}, {"welcome", WelcomePicture, kWelcomeSize},
               {"about", AboutPicture, kAboutSize}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QPixmap sharp = c.make(2.0);
    EXPECT_EQ(sharp.size(), c.size * 2);
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(sharp.deviceIndependentSize().toSize(), c.size);
    const QImage upscaled =
        c.make(1.0).toImage().convertToFormat(QImage::Format_ARGB32).scaled(c.size * 2, Qt::IgnoreAspectRatio,
                                                                             Qt::FastTransformation);
    const QImage painted = sharp.toImage().convertToFormat(QImage::Format_ARGB32);
    int different = 0;
    for (int y = 0; y < painted.height(); ++y)
      for (int x = 0; x < painted.width(); ++x) different += painted.pixel(x, y) != upscaled.pixel(x, y);
    EXPECT_GT(different, painted.width() * painted.height() / 50);  // detail a 1x picture does not have
  }
}

}  // namespace
}  // namespace formet::art
