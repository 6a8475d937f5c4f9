// The canvas on PDF files: the faces the forms are designed for, text sizes,
// where the data lands on the page, and the pictures.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPdfWriter>

#include "../forms/print_fixture.h"
#include "forms/print/box_fit.h"
#include "forms/print/print_options.h"
#include "forms/print/qt/qt_canvas.h"
#include "forms/w2/w2_print.h"
#include "pdf_canvas.h"
#include "pdf_support.h"

namespace formet {
namespace {

using test::FindWord;
using test::PdfWords;
using test::TempDir;

TEST(QtCanvas, FacesResolveToMetricCompatibleFonts) {
  struct Case {
    FontSpec font;
    const char* family;
  };
  for (const Case& c : {Case{{"Courier New", 120, false}, "Liberation Mono"},
                        Case{{"Arial", 70, true}, "Liberation Sans"},
                        Case{{"Arial", 60, false}, "Liberation Sans"},
                        Case{{"Times New Roman", 500, false}, "Liberation Serif"}}) {
    const QFontInfo info(QtCanvas::FontFor(c.font));
    EXPECT_EQ(info.family().toStdString(), c.family) << c.font.face;
    EXPECT_EQ(info.bold(), c.font.bold) << c.font.face;
  }
}

// Text cells on a 1200-dpi PDF page, in tenths of a millimetre, as the
// metrics of the faces give them (Courier New: 0.6 em wide, cell 1.133 em;
// "COPY" in Times New Roman: 2.6675 em wide, cell 1.107 em).
TEST(QtCanvas, TextExtentsMatchTheFormsFaces) {
  test::PdfCanvas pdf;
  QtCanvas& canvas = pdf.Canvas();
  canvas.SetFont({"Courier New", 120, false});
  EXPECT_EQ(canvas.TextExtent("0123456789"), (TextSize{254, 48}));
  canvas.SetFont({"Times New Roman", 500, false});
  const TextSize copy = canvas.TextExtent("COPY");
  EXPECT_NEAR(copy.width, 470, 1);
  EXPECT_NEAR(copy.height, 195, 1);
  canvas.SetFont({"Arial", 100, true});
  EXPECT_NEAR(canvas.TextExtent("Copy B").width, 124, 1);  // 3.5 em of Arial Bold at 10 points
}

// What the fitting measures is what the canvas draws: the data face at every
// size the fitting tries, over every character a record can hold, and the
// captions' face over the characters of its tables. A text is drawn at the
// exact size of its font, not at the nearest whole number of device pixels.
TEST(QtCanvas, TheFittingMeasuresTextsAsTheCanvasDrawsThem) {
  test::PdfCanvas pdf;
  QtCanvas& canvas = pdf.Canvas();
  std::string win1252;  // every printable character of the code page
  for (int c = 0x20; c <= 0xFF; ++c)
    if (c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) win1252 += static_cast<char>(c);
  std::string ascii;
  for (int c = 0x20; c < 0x7F; ++c) ascii += static_cast<char>(c);
  struct Case {
    const char* face;
    bool bold;
    const std::string* text;
  };
  for (const Case& k : {Case{"Courier New", false, &win1252}, Case{"Arial", false, &ascii}, Case{"Arial", true, &ascii}}) {
    for (int size = kSmallestFittedSize; size <= 120; size += kFittedSizeStep) {
      const FontSpec font{k.face, size, k.bold};
      canvas.SetFont(font);
      // The whole text, and a 59-character one, the longest a field holds.
      for (const std::string& text : {*k.text, k.text->substr(0, 59)}) {
        const TextSize drawn = canvas.TextExtent(text);
        const TextSize measured = MeasureText(font, text);
        EXPECT_NEAR(drawn.width, measured.width, 1) << k.face << " " << size << ": " << text.size() << " characters";
        EXPECT_NEAR(drawn.height, measured.height, 1) << k.face << " " << size;
      }
    }
  }
}

// In the file, as pdftotext reads it back: 59 characters of 6.5-point
// Courier New are 59 x 0.6 x 6.5 points wide (a size rounded to whole pixels
// at 1200 dots per inch made them 0.2% narrower; at 7 points, wider).
TEST(QtCanvas, TextsInThePdfHaveTheExactSizeOfTheirFont) {
  test::PdfCanvas canvas("sizes.pdf");
  int y = 100;
  for (int size : {65, 70, 100, 115}) {
    canvas.Canvas().SetFont({"Courier New", size, false});
    canvas.Canvas().DrawText(100, y, std::string(58, 'W') + static_cast<char>('0' + size / 10 % 10));
    y += 100;
  }
  const auto pdf = canvas.Finish();
  const auto words = PdfWords(pdf);
  for (int size : {65, 70, 100, 115}) {
    const auto* word = FindWord(words, std::string(58, 'W') + static_cast<char>('0' + size / 10 % 10));
    ASSERT_NE(word, nullptr) << size;
    EXPECT_NEAR(word->xMax - word->xMin, 59 * 0.6 * size / 10.0 * 25.4 / 72, 0.05) << size;
  }
}

std::unique_ptr<W2PrintJob> RedInkJob(const test::PrintPayroll& p) {
  FormPrintSettings s;
  s.printTarget = 1;
  return std::make_unique<W2PrintJob>(W2PrintData{&p.company, &p.employees, &p.forms, p.order, 0}, s);
}

TEST(QtCanvas, PdfTextLandsAtItsPlaceAndStaysText) {
  TempDir dir;
  test::PrintPayroll payroll(3);
  payroll.company.SetEmployerName("Caf\xE9 O\x92Neil");  // Windows-1252, as records hold it
  const auto job = RedInkJob(payroll);
  const auto pdf = dir / "w2.pdf";
  ASSERT_TRUE(WriteJobToPdf(*job, QString::fromStdString(pdf.string()), PdfMargins{},
                            QString::fromStdString(dir.path().string()), "Form W-2"));
  const auto words = PdfWords(pdf);
  // Box 1 of the top form: (1142, 176) tenths of a millimetre from the
  // printable area, which begins a quarter inch from the paper's edges:
  // inside box 1 of the 2007 form (x 116.8-160.0, y 21.5-30.0 mm).
  const auto* wages = FindWord(words, "1000.00");
  ASSERT_NE(wages, nullptr);
  EXPECT_NEAR(wages->xMin, 114.2 + 6.35, 0.2);
  EXPECT_NEAR(wages->yMin, 17.6 + 6.35, 0.4);
  EXPECT_NEAR(wages->xMax - wages->xMin, 7 * 0.6 * 12 * 25.4 / 72, 0.2);
  EXPECT_NE(FindWord(words, "Caf\xC3\xA9"), nullptr);
  EXPECT_NE(FindWord(words, "O\xE2\x80\x99Neil"), nullptr);
  // The bottom form 140 mm lower; the third employee on page 2.
  ASSERT_NE(FindWord(words, "2000.00"), nullptr);
  EXPECT_NEAR(FindWord(words, "2000.00")->yMin - wages->yMin, 140.0, 0.1);
  ASSERT_NE(FindWord(words, "3000.00", 2), nullptr);
  EXPECT_EQ(FindWord(words, "3000.00", 1), nullptr);

  // Other margins move everything with them.
  ASSERT_TRUE(WriteJobToPdf(*job, QString::fromStdString(pdf.string()), PdfMargins{10, 20},
                            QString::fromStdString(dir.path().string()), "Form W-2"));
  const auto moved = PdfWords(pdf);
  ASSERT_NE(FindWord(moved, "1000.00"), nullptr);
  EXPECT_NEAR(FindWord(moved, "1000.00")->xMin, 114.2 + 10, 0.2);
  EXPECT_NEAR(FindWord(moved, "1000.00")->yMin, 17.6 + 20, 0.4);
}

// The dictionaries of the images a PDF file holds.
std::vector<std::string> ImageDictionaries(const std::filesystem::path& pdf) {
  std::vector<std::string> found;
  const std::string bytes = test::ReadBytes(pdf);
  for (size_t at = bytes.find("/Subtype /Image"); at != std::string::npos; at = bytes.find("/Subtype /Image", at + 1)) {
    const size_t begin = bytes.rfind("<<", at), end = bytes.find(">>", at);
    found.push_back(bytes.substr(begin, end - begin));
  }
  return found;
}
int CountImages(const std::filesystem::path& pdf) { return static_cast<int>(ImageDictionaries(pdf).size()); }

FormPrintSettings AllCopyB() {
  FormPrintSettings s;
  s.paperType = 0;
  s.blankCopyType = 3;
  s.printTarget = 1;
  return s;
}

TEST(QtCanvas, APictureIsEmbeddedOnceAndAMissingOneIsLeftOut) {
  TempDir dir;
  const test::PrintPayroll payroll(6);
  const W2PrintJob job({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, AllCopyB());
  const QString folder = QString::fromStdString(dir.path().string());
  const auto pdf = dir / "copyB.pdf";

  // No picture: the pages carry the data all the same.
  ASSERT_TRUE(WriteJobToPdf(job, QString::fromStdString(pdf.string()), PdfMargins{}, folder, "Form W-2"));
  EXPECT_EQ(CountImages(pdf), 0);
  EXPECT_NE(FindWord(PdfWords(pdf), "6000.00", 3), nullptr);

  // A Windows bitmap named as the program names it, drawn twice on each of
  // three pages, is in the file once.
  QImage art(600, 400, QImage::Format_Mono);
  art.fill(1);
  ASSERT_TRUE(art.save(QString::fromStdString((dir / kW2CopyPicture).string()), "BMP"));
  ASSERT_TRUE(WriteJobToPdf(job, QString::fromStdString(pdf.string()), PdfMargins{}, folder, "Form W-2"));
  EXPECT_EQ(CountImages(pdf), 1);
  EXPECT_NE(FindWord(PdfWords(pdf), "6000.00", 3), nullptr);

  // A file that is no picture counts as missing.
  test::WriteBytes(dir / kW2CopyPicture, "not a picture");
  ASSERT_TRUE(WriteJobToPdf(job, QString::fromStdString(pdf.string()), PdfMargins{}, folder, "Form W-2"));
  EXPECT_EQ(CountImages(pdf), 0);
}

// The form pictures are black on white: a PDF holds them as one-bit images,
// once per file, not as 24-bit colour (a colour picture stays in colour).
TEST(QtCanvas, BlackAndWhitePicturesAreOneBitImagesInThePdf) {
  TempDir dir;
  const test::PrintPayroll payroll(4);
  const W2PrintJob job({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, AllCopyB());
  const QString folder = QString::fromStdString(dir.path().string());
  const auto pdf = dir / "copyB.pdf";
  auto imageDictionaries = [&] { return ImageDictionaries(pdf); };

  // A picture with a colour table of white and black (as the build writes
  // them, four bits a pixel), and a one-bit bitmap.
  QImage indexed(600, 400, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  indexed.fill(0);
  for (int x = 0; x < 600; ++x) indexed.setPixel(x, 200, 1);
  QImage oneBit(600, 400, QImage::Format_Mono);
  oneBit.fill(1);
  QPainter rule(&oneBit);
  rule.setPen(QPen(Qt::black, 3));
  rule.drawLine(0, 200, 599, 200);
  rule.end();
  for (const QImage& art : {indexed, oneBit}) {
    ASSERT_TRUE(art.save(QString::fromStdString((dir / kW2CopyPicture).string()), "BMP"));
    ASSERT_TRUE(WriteJobToPdf(job, QString::fromStdString(pdf.string()), PdfMargins{}, folder, "Form W-2"));
    const auto images = imageDictionaries();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_NE(images[0].find("/BitsPerComponent 1"), std::string::npos) << images[0];
    EXPECT_NE(images[0].find("/DeviceGray"), std::string::npos) << images[0];
    // Read back, the picture is black where it was drawn black.
    const test::ToolResult r = test::RunTool("pdftoppm -r 50 -gray -f 1 -l 1 " + test::Quoted(pdf) + " " +
                                             test::Quoted(dir / "page"));
    ASSERT_EQ(r.code, 0);
    QImage page(QString::fromStdString((dir / "page-1.pgm").string()));
    ASSERT_FALSE(page.isNull());
    int dark = 0;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) dark += qGray(page.pixel(x, y)) < 128;
    EXPECT_GT(dark, 0);
    EXPECT_LT(dark, page.width() * page.height() / 20);  // a rule, not an inverted sheet
  }

  QImage colour(600, 400, QImage::Format_RGB32);
  colour.fill(qRgb(200, 30, 30));
  ASSERT_TRUE(colour.save(QString::fromStdString((dir / kW2CopyPicture).string()), "BMP"));
  ASSERT_TRUE(WriteJobToPdf(job, QString::fromStdString(pdf.string()), PdfMargins{}, folder, "Form W-2"));
  const auto images = imageDictionaries();
  ASSERT_EQ(images.size(), 1u);
  EXPECT_NE(images[0].find("/BitsPerComponent 8"), std::string::npos) << images[0];
}

TEST(QtCanvas, AFileThatCannotBeWrittenIsReported) {
  TempDir dir;
  const test::PrintPayroll payroll(1);
  QString error;
  EXPECT_FALSE(WriteJobToPdf(*RedInkJob(payroll), QString::fromStdString((dir / "no" / "such.pdf").string()),
                             PdfMargins{}, {}, "Form W-2", &error));
  EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace formet
