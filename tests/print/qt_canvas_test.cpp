// The canvas on PDF files: the faces the forms are designed for, text sizes,
// where the data lands on the page, and the pictures.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPdfWriter>

#include "../forms/print_fixture.h"
#include "forms/print/print_options.h"
#include "forms/print/ui/qt_canvas.h"
#include "forms/w2/w2_print.h"
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
  TempDir dir;
  QPdfWriter writer(QString::fromStdString((dir / "x.pdf").string()));
  writer.setResolution(1200);
  QPainter painter(&writer);
  PictureCache pictures(QString::fromStdString(dir.path().string()));
  QtCanvas canvas(painter, GeometryOfDevice(writer), 1200, pictures);
  canvas.SetFont({"Courier New", 120, false});
  EXPECT_EQ(canvas.TextExtent("0123456789"), (TextSize{254, 48}));
  canvas.SetFont({"Times New Roman", 500, false});
  const TextSize copy = canvas.TextExtent("COPY");
  EXPECT_NEAR(copy.width, 470, 1);
  EXPECT_NEAR(copy.height, 195, 1);
  canvas.SetFont({"Arial", 100, true});
  EXPECT_NEAR(canvas.TextExtent("Copy B").width, 124, 1);  // 3.5 em of Arial Bold at 10 points
}

std::unique_ptr<W2PrintJob> RedInkJob(const test::PrintPayroll& p) {
  FormPrintSettings s;
  s.printTarget = 1;
  return std::make_unique<W2PrintJob>(W2PrintData{&p.company, &p.employees, &p.forms, p.order, 0}, s);
}

TEST(QtCanvas, PdfTextLandsAtItsPlaceAndStaysText) {
  TempDir dir;
  test::PrintPayroll payroll(3);
  payroll.company.EmployerName = "Caf\xE9 O\x92Neil";  // Windows-1252, as records hold it
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

int CountImages(const std::filesystem::path& pdf) {
  const std::string bytes = test::ReadBytes(pdf);
  int n = 0;
  for (size_t at = bytes.find("/Subtype /Image"); at != std::string::npos; at = bytes.find("/Subtype /Image", at + 1))
    ++n;
  return n;
}

TEST(QtCanvas, APictureIsEmbeddedOnceAndAMissingOneIsLeftOut) {
  TempDir dir;
  const test::PrintPayroll payroll(6);
  FormPrintSettings copyB;
  copyB.paperType = 0;
  copyB.blankCopyType = 3;
  copyB.printTarget = 1;
  const W2PrintJob job({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, copyB);
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
