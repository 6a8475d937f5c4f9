// The fitting of printed values into their boxes: the size it picks, where
// it puts a text, when it cuts one, the boxes it reads from the drawings and
// the measured grids, and the cut report of a print.
#include <gtest/gtest.h>

#include "forms/print/box_fit.h"
#include "forms/print/form_picture.h"
#include "forms/print/print_options.h"
#include "forms/print/recording_canvas.h"
#include "forms/w2/w2_print.h"
#include "print_fixture.h"

namespace formet {
namespace {

// Courier New: 0.6 em a character, a cell of 1.133 em. At 12 points an em is
// 42.33 units, a character 25.4 and the cell 48; at 6 points 12.7 and 24.
const FontSpec k12 = CourierNew(12);

TEST(BoxFit, TheSizeAndPlaceOfAText) {
  const PrintBox box{100, 100, 400, 200};
  struct Case {
    const char* what;
    PrintPoint at;
    std::string text;
    FittedText expected;
  };
  const Case cases[] = {
      // 11 characters are 279.4 units: they fit from x 110 (room 290).
      {"fits", {110, 120}, "ABCDEFGHIJK", {110, 120, k12, "ABCDEFGHIJK", false}},
      // 12 characters need 304.8 at 12 points; 11.5 points make 292.2 (too
      // wide), 11 points 279.4: drawn at 11 points, centred on the line (cell
      // 44 instead of 48).
      {"smaller", {110, 120}, "ABCDEFGHIJKL", {110, 122, CourierNew(11), "ABCDEFGHIJKL", false}},
      // A start left of the box moves to its edge.
      {"left of the box", {60, 120}, "ABC", {100, 120, k12, "ABC", false}},
      // A cell that would end below the box is lifted to its foot; one above
      // its top is lowered to it.
      {"below", {110, 180}, "ABC", {110, 152, k12, "ABC", false}},
      {"above", {110, 80}, "ABC", {110, 100, k12, "ABC", false}},
      // Room for 22 characters at 6 points (12.7 each, room 290): 30 are cut.
      {"cut", {110, 120}, std::string(30, 'W'), {110, 132, CourierNew(6), std::string(22, 'W'), true}},
      {"empty", {110, 120}, "", {110, 120, k12, "", false}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitText(c.at, c.text, k12, box), c.expected) << c.what;
}

TEST(BoxFit, TheLargestSmallerSizeIsTakenInHalfPointSteps) {
  // For every length, the size chosen fits and half a point more would not.
  const PrintBox box{0, 0, 600, 100};
  for (size_t n = 1; n <= 60; ++n) {
    const std::string text(n, '9');
    const FittedText f = FitText({0, 0}, text, k12, box);
    const int width = MeasureText(f.font, f.text).width;
    EXPECT_LE(width, box.right) << n;
    EXPECT_EQ(f.font.tenthsOfPoint % kFittedSizeStep, 0) << n;
    if (f.font.tenthsOfPoint < 120 && !f.cut) {
      EXPECT_GT(MeasureText({"Courier New", f.font.tenthsOfPoint + kFittedSizeStep, false}, text).width, box.right) << n;
    }
    EXPECT_EQ(f.cut, n > 47) << n;  // 600 / 12.7 holds 47 characters at 6 points
    if (f.cut) {
      EXPECT_EQ(f.text, std::string(47, '9'));
    }
  }
}

TEST(BoxFit, ABoxTooLowForTheFontMakesItSmallerButNeverCutsIt) {
  // 36 units high: 9 points (cell 35.97) is the largest that fits.
  EXPECT_EQ(FitText({10, 5}, "123", k12, {0, 0, 500, 36}).font, CourierNew(9));
  // 20 units: not even 6 points (24) fits; the text keeps 6 points at the top.
  const FittedText low = FitText({10, 5}, "123", k12, {0, 0, 500, 20});
  EXPECT_EQ(low, (FittedText{10, 0, CourierNew(6), "123", false}));
}

TEST(BoxFit, ArialIsMeasuredWithItsWidths) {
  // "Wi" in Arial: 944 + 222 thousandths of an em.
  const FontSpec arial = Arial(10);
  EXPECT_EQ(MeasureText(arial, "Wi").width, WidthOfEms(arial, 1.166));
  const PrintBox box{0, 0, MeasureText(arial, "WWWW").width, 100};
  EXPECT_EQ(FitText({0, 0}, "WWWW", arial, box).font, arial);
  EXPECT_EQ(FitText({0, 0}, "WWWWi", arial, box).font.tenthsOfPoint, 95);
}

TEST(BoxFit, ACutIsReportedOnceAndSaysWhatIsPrinted) {
  CutReport report;
  const CutText cut{"Form W-2 of Ann Lee (123-45-6789)", "16 State wages, tips, etc., line 1", "999999999.99", "9999"};
  report.Add(cut);
  report.Add(cut);  // the same form drawn again (4-Up)
  report.Add({cut.form, cut.box, "888888888.88", "8888"});
  ASSERT_EQ(report.Size(), 2u);
  EXPECT_EQ(DescribeCut(report.Cuts()[0]),
            "Form W-2 of Ann Lee (123-45-6789), box 16 State wages, tips, etc., line 1: \"999999999.99\" does not fit "
            "even at 6 points and is printed as \"9999\"");
}

TEST(BoxFit, BoxesOfADrawingKeepClearOfTheirRulesAndLabels) {
  PictureBuilder b("x", "x", 1000, 1000);
  b.Frame(0, 0, 1000, 1000, kRuleBorder);   // 0.28 mm: 1.4 units each side
  b.VRule(500, 0, 1000);                    // a hair rule: 0.9 units
  b.Frame(500, 0, 1000, 300, kRuleHeavy);   // 0.7 mm: 3.5 units
  b.Box("top-label", 0, 0, 500, 300, 10, 40);
  b.Box("heavy", 500, 0, 1000, 300);
  b.Box("foot-label", 0, 300, 500, 1000, 950, 980);
  b.CheckBox("mark", 600, 600, 30);
  b.Origin(0, 1000);
  b.Box("heavy", 500, 0, 1000, 300);  // a second form of the sheet
  const auto sets = BoxesOfPicture(b.Take());
  ASSERT_EQ(sets.size(), 2u);
  // Each edge inset by the heaviest rule along it (half its width rounded
  // up) and the clearance of 2; an edge with no rule as if it had a hair rule.
  EXPECT_EQ(*sets[0].Find("top-label"), (PrintBox{2 + 2, 40 + 1, 500 - 4 - 2, 300 - 1 - 2}));
  EXPECT_EQ(*sets[0].Find("heavy"), (PrintBox{500 + 4 + 2, 0 + 4 + 2, 1000 - 4 - 2, 300 - 4 - 2}));
  EXPECT_EQ(*sets[0].Find("foot-label"), (PrintBox{2 + 2, 300 + 1 + 2, 500 - 1 - 2, 950 - 1}));
  EXPECT_EQ(sets[0].Find("mark"), nullptr);
  EXPECT_EQ(sets[1].Find("top-label"), nullptr);
  EXPECT_EQ(sets[1].Find("heavy")->top, 1000 + 2 + 2);  // the outer frame's foot lies along it
  // Placed where the picture is drawn, stretched.
  EXPECT_EQ(*sets[0].Placed(100, 50, 2.0, 0.5).Find("heavy"), (PrintBox{100 + 1012, 50 + 3, 100 + 1988, 50 + 147}));
}

TEST(BoxFit, BoxesOfAMeasuredGridAreOnThePageWithTheReferenceMargins) {
  // 12.9 mm from the paper's edge is 129 - 63.5 units from the printable
  // area's, rounded; 0.5-point rules keep the text 1 + 2 units in.
  const FormBoxes boxes = BoxesOfGrid({{"b", 12.9, 21.5, 116.8, 30.0}, {"a", 53.4, 13.1, 99.1, 21.5, 0.7}});
  EXPECT_EQ(*boxes.Find("b"), (PrintBox{66 + 3, 152 + 3, 1105 - 3, 237 - 3}));
  EXPECT_EQ(*boxes.Find("a"), (PrintBox{471 + 6, 68 + 6, 928 - 6, 152 - 6}));
  EXPECT_EQ(*boxes.Moved(10, -5).Find("a"), (PrintBox{487, 69, 932, 141}));
}

TEST(BoxFit, AFormWriterDrawsEachTextInItsBoxAndNotesCuts) {
  RecordingCanvas canvas;
  canvas.SetFont(k12);
  FormBoxes boxes;
  boxes.Add("1", {100, 100, 400, 200});
  FormWriter out(canvas, boxes, k12, "Form X", [](std::string_view id) -> std::string_view {
    return id == "1" ? "1 Wages" : "?";
  });
  out.Text({110, 120}, "ABCDEFGHIJKL", "1");  // drawn at 11 points
  out.Amount({110, 150}, "0.00", "1");        // not drawn
  out.Amount({110, 150}, "12.00", "1");
  out.Text({110, 120}, std::string(30, 'W'), "1");  // cut
  out.Text({900, 900}, "unboxed", "none");           // a box the form lacks: as it is
  const auto texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[0].font, CourierNew(11));
  EXPECT_EQ(texts[1].font, k12);  // the data font again after a smaller text
  EXPECT_EQ(texts[1].text, "12.00");
  EXPECT_EQ(texts[2].text, std::string(22, 'W'));
  EXPECT_EQ((PrintPoint{texts[3].x, texts[3].y}), (PrintPoint{900, 900}));
  ASSERT_EQ(canvas.CutsOfPage().Size(), 1u);
  EXPECT_EQ(canvas.CutsOfPage().Cuts()[0], (CutText{"Form X", "1 Wages", std::string(30, 'W'), std::string(22, 'W')}));
}

// The cuts of a job, listed without drawing it: the same as the pages drawn
// report, each once though the 4-Up sheet draws the form four times.
TEST(BoxFit, ListCutsOfAJobWithoutDrawingIt) {
  test::PrintPayroll payroll(2);
  for (auto& w : payroll.forms) w.SetField12aAmount("-999999999.99");  // 13 characters: too wide even at 6 points
  FormPrintSettings fourUp;
  fourUp.paperType = 0;
  fourUp.blankCopyType = kW2FourUp;
  fourUp.printTarget = 1;
  const W2PrintJob job({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, fourUp);
  const CutReport cuts = ListCuts(job, RecordingCanvas::kLetterPdf);
  ASSERT_EQ(cuts.Size(), 2u);
  EXPECT_EQ(cuts.Cuts()[0].form, "Form W-2 of Ann Q Lee1 Jr (123-45-6781)");
  EXPECT_EQ(cuts.Cuts()[0].box, "12a amount");
  EXPECT_EQ(cuts.Cuts()[0].value, "-999999999.99");
  EXPECT_EQ(cuts.Cuts()[1].form, "Form W-2 of Ann Q Lee2 Jr (123-45-6782)");
  const auto pages = RecordJob(job);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].CutsOfPage().Cuts(), std::vector<CutText>{cuts.Cuts()[0]});
  EXPECT_EQ(test::TextsNamed(pages[0], cuts.Cuts()[0].printed).size(), 4u);
  // On the copies, where box 12 is wider, nothing is cut.
  FormPrintSettings copyB = fourUp;
  copyB.blankCopyType = 3;
  EXPECT_TRUE(ListCuts(W2PrintJob({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, copyB),
                       RecordingCanvas::kLetterPdf)
                  .Empty());
}

}  // namespace
}  // namespace formet
