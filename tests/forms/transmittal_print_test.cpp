// The W-3 and 1096 layouts against the recording canvas.
#include <gtest/gtest.h>

#include <functional>

#include "forms/1099/form1096_print.h"
#include "forms/w2/w3_print.h"
#include "print_fixture.h"

namespace formet {
namespace {

using test::At;

FormPrintSettings Paper(int paperType) {
  FormPrintSettings s;
  s.paperType = paperType;
  return s;
}

W3Page SampleW3() {
  CompanyRecord c = test::PrintCompany();
  c.FormW3RadioKindOfPayer = 6;
  c.FormW3CheckThirdPartySickPay = 1;
  c.SetFormW3ThirdPartySickPay("0.00");
  c.SetFormW3IncomeTaxWithHeld("12.00");
  c.SetFormW3Telephone("(413) 555-0100");
  std::vector<W2Record> forms(2);
  forms[0].SetWages("1000");
  forms[1].SetWages("250.50");
  return BuildW3Page(c, forms);
}

RecordingCanvas PrintW3(const FormPrintSettings& s, const std::set<std::string>& pictures = {}) {
  return RecordJob(W3PrintJob(SampleW3(), s), RecordingCanvas::kLetterPdf, pictures)[0];
}

std::vector<int> Corners(const CanvasOp& op) { return {op.x, op.y, op.x2, op.y2}; }

// The outlined "COPY": its cell centred on (centreX, centreY).
void ExpectCopyStamp(const RecordingCanvas& page, int centreX, int centreY) {
  const auto stamps = page.OfKind(CanvasOp::Kind::OutlinedText);
  ASSERT_EQ(stamps.size(), 1u);
  const CanvasOp& s = stamps[0];
  EXPECT_EQ(s.text, "COPY");
  EXPECT_EQ(s.font, (FontSpec{"Times New Roman", 500, false}));
  EXPECT_EQ(s.x, centreX - (s.x2 - s.x) / 2);
  EXPECT_EQ(s.y, centreY - (s.y2 - s.y) / 2);
  EXPECT_EQ(s.pen, (PenSpec{5, kBlack}));
}

// The red-ink data moved up by kW3RedInkShift: each text's cell inside its
// box of our laser W-3 where it lies on the page.
TEST(W3Print, RedInkFormMovesByItsOffsets) {
  constexpr int dx = kW3RedInkShift.x, dy = kW3RedInkShift.y;
  auto page = PrintW3(Paper(1));
  EXPECT_EQ(At(page.FindText("CTRL9")), (PrintPoint{375 - dx, 183 - dy}));
  EXPECT_EQ(At(page.FindText("1250.50")), (PrintPoint{985 - dx, 273 - dy}));
  EXPECT_EQ(page.FindText("CTRL9")->font, (FontSpec{"Courier New", 120, false}));
  EXPECT_TRUE(page.OfKind(CanvasOp::Kind::Picture).empty());
  EXPECT_TRUE(page.OfKind(CanvasOp::Kind::OutlinedText).empty());

  FormPrintSettings s = Paper(1);
  s.horizontalOffset = 0.10;
  s.verticalOffset = -0.05;
  page = PrintW3(s);
  EXPECT_EQ(At(page.FindText("CTRL9")), (PrintPoint{375 - dx + 25, 183 - dy - 12}));
  EXPECT_EQ(At(page.FindText("1250.50")), (PrintPoint{985 - dx + 25, 273 - dy - 12}));
}

TEST(W3Print, ItemsMarksAndSkippedAmounts) {
  constexpr int dx = kW3RedInkShift.x, dy = kW3RedInkShift.y;
  const auto page = PrintW3(Paper(1));
  // Kind of Payer 6 marks "944"; the third-party sick pay box is marked too,
  // each where the laser substitute marks it on a page with the reference
  // margins.
  const auto lines = page.OfKind(CanvasOp::Kind::Line);
  ASSERT_EQ(lines.size(), 4u);
  const W3LayoutTable laser = W3AdjustedLayout(W3Layout::LaserSubstitute, Paper(2), {0, 0, 63.5, 63.5});
  EXPECT_EQ(Corners(lines[0]), (std::vector<int>{laser[65].x, laser[65].y, laser[66].x, laser[66].y}));
  EXPECT_EQ(Corners(lines[0]), (std::vector<int>{751, 195, 775, 219}));  // 784 - 63 + 30.48, 274 - 63 - 15.24, truncated
  EXPECT_EQ(Corners(lines[2]), (std::vector<int>{laser[25].x, laser[25].y, laser[26].x, laser[26].y}));
  // Telephone: the area code and the number apart, on one line; the table
  // puts them 12 units below the contact person, which would end below the
  // box: they are held at its foot.
  const PrintBox telephone = *W3BoxesOf(W3Layout::RedInk, Paper(1), RecordingCanvas::kLetterPdf).Find("telephone");
  const CanvasOp* area = page.FindText("413");
  const CanvasOp* number = page.FindText(" 555-0100");
  ASSERT_TRUE(area && number);
  EXPECT_EQ(At(area), (PrintPoint{978 - dx, telephone.bottom - (area->y2 - area->y)}));
  EXPECT_EQ(At(number), (PrintPoint{1082 - dx, area->y}));
  EXPECT_LT(area->y, 1211 - dy);
  // Box 13 of the company is "0.00": not printed; box 14 is; zero totals are not.
  EXPECT_EQ(page.FindText("0.00"), nullptr);
  EXPECT_NE(page.FindText("12.00"), nullptr);
  EXPECT_EQ(At(page.FindText("Springfield, MA 01101-0001")), (PrintPoint{160 - dx, 801 - dy}));
}

TEST(W3Print, CopyCarriesThePictureAndTheOutlinedCopy) {
  const auto page = PrintW3(Paper(0));
  const auto picture = page.OfKind(CanvasOp::Kind::Picture);
  ASSERT_EQ(picture.size(), 1u);
  EXPECT_EQ(picture[0].text, "Help2.svg");
  EXPECT_EQ(Corners(picture[0]), (std::vector<int>{70, 100, 70 + 1965, 100 + 2630}));
  ExpectCopyStamp(page, 1750, 1260);  // in the contact block's For Official Use Only cell
  // No adjustment of the copy's entries; the data is in 10-point Courier New.
  EXPECT_EQ(At(page.FindText("CTRL9")), (PrintPoint{388, 185}));
  EXPECT_EQ(page.FindText("CTRL9")->font.tenthsOfPoint, 100);
}

TEST(W3Print, LaserSubstituteAllowsForThePrinterMargins) {
  const auto page = PrintW3(Paper(2));
  const auto picture = page.OfKind(CanvasOp::Kind::Picture);
  ASSERT_EQ(picture.size(), 1u);
  EXPECT_EQ(picture[0].text, "Contactus.msg");
  // 92.875 and 84.375 less the margins of 63.5, truncated.
  EXPECT_EQ(Corners(picture[0]), (std::vector<int>{29, 20, 29 + 1981, 20 + 2667}));
  EXPECT_TRUE(page.OfKind(CanvasOp::Kind::OutlinedText).empty());
  // (425, 185) less the margins (63), then x + 30.48 and y - 15.24, truncated.
  EXPECT_EQ(At(page.FindText("CTRL9")), (PrintPoint{392, 106}));
  // Entry 40 20 further right, 41 and 42 10 lower, 47-50 10 higher.
  const W3LayoutTable t = W3AdjustedLayout(W3Layout::LaserSubstitute, Paper(2), RecordingCanvas::kLetterPdf);
  EXPECT_EQ(t[40], (PrintPoint{267, 949}));
  EXPECT_EQ(t[41], (PrintPoint{107, 1121}));
  EXPECT_EQ(t[47], (PrintPoint{952, 186}));
  EXPECT_EQ(t[51], (PrintPoint{952, 361}));
}

Form1096Page Sample1096(const std::string& filerName = "Acme Filing") {
  CompanyRecord c = test::PrintCompany();
  c.SetForm1096FilerName(filerName);
  c.Form1096CheckIsThisYourFinalReturn = 1;
  c.SetForm1096Fax("(413) 555-0199");
  std::vector<Form1099Record> forms(2);
  forms[0].SetRents("100.00");
  forms[1].SetRents("50.50");
  forms[0].SetFederalIncomeTaxWithheld("0.00");
  return Build1096Page(c, forms);
}

RecordingCanvas Print1096(const Form1096Page& p, const FormPrintSettings& s) {
  return RecordJob(Form1096PrintJob(p, s))[0];
}

// The legend of a 1096 that sends two-return corrections: under the
// signature line on both papers, inside its box of the pre-printed form and
// moved with the data; none on an ordinary 1096.
TEST(Form1096Print, TheLegendOfCorrectionsInTheBottomMargin) {
  Form1096Page page = Sample1096();
  for (int paper : {0, 1}) EXPECT_EQ(Print1096(page, Paper(paper)).FindText("Filed To Correct"), nullptr);
  page.marginLegend = "Filed To Correct";
  const FormBoxes boxes = Form1096BoxesOf(Form1096Layout::RedInk, Paper(1));
  for (int paper : {0, 1}) {
    const RecordingCanvas printed = Print1096(page, Paper(paper));
    const CanvasOp* legend = printed.FindText("Filed To Correct");
    ASSERT_NE(legend, nullptr) << paper;
    EXPECT_EQ(legend->y, kForm1096MarginLegendTop);
    EXPECT_GE(legend->y, boxes.Find("legend")->top);
  }
  FormPrintSettings s = Paper(1);
  s.horizontalOffset = -0.10;
  s.verticalOffset = 0.05;
  const RecordingCanvas a = Print1096(page, Paper(1)), b = Print1096(page, s);
  const CanvasOp* still = a.FindText("Filed To Correct");
  const CanvasOp* moved = b.FindText("Filed To Correct");
  ASSERT_TRUE(still && moved);
  EXPECT_EQ(At(moved), (PrintPoint{At(still).x - 25, At(still).y + 12}));
}

TEST(Form1096Print, PrePrintedPointsAndMarks) {
  const auto page = Print1096(Sample1096(), Paper(1));
  EXPECT_EQ(At(page.FindText("Acme Filing")), (PrintPoint{170, 390 - 63}));
  EXPECT_EQ(At(page.FindText("2")), (PrintPoint{947, 860 - 63}));
  EXPECT_EQ(At(page.FindText("150.50")), (PrintPoint{1530, 860 - 63}));
  EXPECT_EQ(page.FindText("0.00"), nullptr);  // box 4
  // The area codes' points lie 0.5 mm left of the telephone and fax boxes:
  // they start at the boxes' left edges.
  const FormBoxes boxes = Form1096BoxesOf(Form1096Layout::RedInk, Paper(1));
  EXPECT_EQ(At(page.FindText("413")), (PrintPoint{boxes.Find("telephone")->left, 690 - 63}));
  EXPECT_GT(boxes.Find("telephone")->left, 820);
  EXPECT_EQ(At(page.FindText(" 555-0199")), (PrintPoint{910, 780 - 63}));
  // The final-return mark and the type-of-form mark: y + 2, - 63, + 127 - 101.
  const auto lines = page.OfKind(CanvasOp::Kind::Line);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(Corners(lines[0]), (std::vector<int>{1851, 859, 1864, 878}));
  EXPECT_EQ(Corners(lines[2]), (std::vector<int>{142, 1153, 166, 1177}));
  EXPECT_TRUE(page.OfKind(CanvasOp::Kind::OutlinedText).empty());
  EXPECT_TRUE(page.OfKind(CanvasOp::Kind::Picture).empty());

  FormPrintSettings s = Paper(1);
  s.horizontalOffset = -0.10;
  s.verticalOffset = 0.05;
  EXPECT_EQ(At(Print1096(Sample1096(), s).FindText("Acme Filing")), (PrintPoint{170 - 25, 327 + 12}));
}

TEST(Form1096Print, CopyPointsPictureAndStamp) {
  Form1096Page p = Sample1096();
  p.finalReturn = false;
  const auto page = Print1096(p, Paper(0));
  EXPECT_EQ(At(page.FindText("Acme Filing")), (PrintPoint{170, 390 - 63 - 2}));
  const auto lines = page.OfKind(CanvasOp::Kind::Line);
  ASSERT_EQ(lines.size(), 2u);  // the type of form only
  EXPECT_EQ(Corners(lines[0]), (std::vector<int>{142 - 7, 1149, 166 - 7, 1173}));
  const auto picture = page.OfKind(CanvasOp::Kind::Picture);
  ASSERT_EQ(picture.size(), 1u);
  EXPECT_EQ(Corners(picture[0]), (std::vector<int>{35, 25, 1935, 2635}));
  EXPECT_EQ(picture[0].text, "Help4.svg");
  ExpectCopyStamp(page, 1652, 1146);  // in the empty cells after 5498-SA
}

TEST(Form1096Print, LongFilerNamesPrintSmaller) {
  const std::string forty(40, 'F');
  const std::string thirtyNine(39, 'F');
  EXPECT_EQ(Print1096(Sample1096(forty), Paper(1)).FindText(forty)->font, (FontSpec{"Courier New", 100, false}));
  const auto page = Print1096(Sample1096(thirtyNine), Paper(1));
  EXPECT_EQ(page.FindText(thirtyNine)->font.tenthsOfPoint, 120);
  // The data font returns after the long name.
  EXPECT_EQ(Print1096(Sample1096(forty), Paper(1)).FindText("1 Main St")->font.tenthsOfPoint, 120);
  // No filer name of its own: the company's name is printed.
  EXPECT_NE(Print1096(Sample1096(""), Paper(1)).FindText("Acme Supply"), nullptr);
}

// The e-mail address stays in its box, before the fax number, on every W-3
// and 1096 paper: a short one in the data font, one of the field's 40
// characters in the largest smaller size that fits.
TEST(TransmittalPrint, LongEmailAddressesStopBeforeTheFaxNumber) {
  const std::string shortAddress = "pat@example.com";
  const std::string longAddress = "accounts.payable.department@example.com.";
  ASSERT_EQ(longAddress.size(), 40u);
  auto w3 = [](const std::string& email, int paper) {
    CompanyRecord c = test::PrintCompany();
    c.SetFormW3Email(email);
    c.SetFormW3Fax("(518) 555-0199");
    return RecordJob(W3PrintJob(BuildW3Page(c, std::vector<W2Record>{}), Paper(paper)), RecordingCanvas::kLetterPdf)[0];
  };
  auto form1096 = [](const std::string& email, int paper) {
    CompanyRecord c = test::PrintCompany();
    c.SetForm1096Email(email);
    c.SetForm1096Fax("(518) 555-0199");
    return RecordJob(Form1096PrintJob(Build1096Page(c, std::vector<Form1099Record>{}), Paper(paper)))[0];
  };
  auto w3Box = [](int paper) {
    return *W3BoxesOf(static_cast<W3Layout>(paper), Paper(paper), RecordingCanvas::kLetterPdf).Find("email");
  };
  auto box1096 = [](int paper) { return *Form1096BoxesOf(static_cast<Form1096Layout>(paper), Paper(paper)).Find("email"); };
  const struct {
    const char* form;
    int paper;
    std::function<RecordingCanvas(const std::string&, int)> print;
    std::function<PrintBox(int)> box;
    int dataFont;
  } cases[] = {{"W-3 red-ink", 1, w3, w3Box, 120},           {"W-3 copy", 0, w3, w3Box, 100},
               {"W-3 laser", 2, w3, w3Box, 100},             {"1096 red-ink", 1, form1096, box1096, 120},
               {"1096 copy", 0, form1096, box1096, 100}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.form);
    const auto fits = k.print(shortAddress, k.paper);
    EXPECT_EQ(fits.FindText(shortAddress)->font, (FontSpec{"Courier New", k.dataFont, false}));

    const auto page = k.print(longAddress, k.paper);
    const CanvasOp* email = page.FindText(longAddress);
    const CanvasOp* faxAreaCode = page.FindText("518");
    ASSERT_NE(email, nullptr);
    ASSERT_NE(faxAreaCode, nullptr);
    const PrintBox box = k.box(k.paper);
    EXPECT_TRUE(box.Holds(email->x, email->y, email->x2, email->y2));
    EXPECT_LT(email->x2, faxAreaCode->x);
    EXPECT_EQ(email->font.face, "Courier New");
    EXPECT_LT(email->font.tenthsOfPoint, k.dataFont);
    // ... and no smaller than it must be: half a point more would not fit.
    RecordingCanvas measure;
    measure.SetFont({"Courier New", email->font.tenthsOfPoint + 5, false});
    EXPECT_GT(email->x + measure.TextExtent(longAddress).width, box.right);
    EXPECT_TRUE(page.CutsOfPage().Empty());
    // The fax number after it is in the data font again.
    EXPECT_EQ(faxAreaCode->font.tenthsOfPoint, k.dataFont);
  }
}

}  // namespace
}  // namespace formet
