// The W-2 layouts against the recording canvas: which employees each page
// holds, where every kind of print puts the items, and what is skipped.
#include <gtest/gtest.h>

#include "forms/print/print_options.h"
#include "forms/w2/w2_print.h"
#include "print_fixture.h"

namespace formet {
namespace {

using test::At;
using test::PrintPayroll;
using test::TextsNamed;

FormPrintSettings RedInkAll() {
  FormPrintSettings s;
  s.paperType = 1;
  s.printTarget = 1;
  return s;
}

FormPrintSettings BlankCopy(int copy, int target = 1) {
  FormPrintSettings s;
  s.paperType = 0;
  s.blankCopyType = copy;
  s.printTarget = target;
  return s;
}

W2PrintData DataOf(const PrintPayroll& p, int current = 0) {
  return {&p.company, &p.employees, &p.forms, p.order, current};
}

std::vector<RecordingCanvas> Print(const PrintPayroll& p, const FormPrintSettings& s, int current = 0,
                                   const std::set<std::string>& pictures = {}) {
  return RecordJob(W2PrintJob(DataOf(p, current), s), RecordingCanvas::kLetterPdf, pictures);
}

TEST(W2Print, ThreeEmployeesOnRedInkTakeTwoPagesTheSecondWithOneFormAtTheTop) {
  const PrintPayroll payroll(3);
  const auto pages = Print(payroll, RedInkAll());
  ASSERT_EQ(pages.size(), 2u);
  // Box 1 of each form: entry (1082, 123) plus (60, 53); the bottom form 1400 lower.
  EXPECT_EQ(At(pages[0].FindText("1000.00")), (PrintPoint{1142, 176}));
  EXPECT_EQ(At(pages[0].FindText("2000.00")), (PrintPoint{1142, 1576}));
  EXPECT_EQ(At(pages[1].FindText("3000.00")), (PrintPoint{1142, 176}));
  EXPECT_EQ(TextsNamed(pages[1], "123-45-6783").size(), 1u);
  EXPECT_EQ(pages[1].FindText("123-45-6781"), nullptr);
  EXPECT_EQ(pages[0].FindText("1000.00")->font, (FontSpec{"Courier New", 120, false}));
  EXPECT_TRUE(pages[0].OfKind(CanvasOp::Kind::Picture).empty());
}

TEST(W2Print, VerticalSpaceAndOffsetsMoveTheRedInkForms) {
  const PrintPayroll payroll(2);
  FormPrintSettings s = RedInkAll();
  s.verticalSpace = 1.50;
  auto pages = Print(payroll, s);
  EXPECT_EQ(pages[0].FindText("2000.00")->y - pages[0].FindText("1000.00")->y, 1443);

  // -0.58 inch is -147.32 units, 0.42 is 106.68, and 0.50 exactly 127.
  for (const auto& [space, spacing] : {std::pair{0.75, 1253}, {1.75, 1506}, {1.83, 1527}, {0.83, 1273}}) {
    s.verticalSpace = space;
    EXPECT_EQ(W2FormSpacing(W2PrintKind::RedInk, s), spacing) << space;
  }

  // 0.25 inch to the left is 63.5 units, truncated to 63; 0.10 down is 25.
  s = RedInkAll();
  s.horizontalOffset = -0.25;
  s.verticalOffset = 0.10;
  pages = Print(payroll, s);
  EXPECT_EQ(At(pages[0].FindText("1000.00")), (PrintPoint{1142 - 63, 176 + 25}));
  EXPECT_EQ(At(pages[0].FindText("123-45-6781")), (PrintPoint{460 + 60 - 63, 36 + 53 + 25}));
}

TEST(W2Print, ItemsOfOneRedInkForm) {
  PrintPayroll payroll(1);
  payroll.employees[0].SetCity("");
  payroll.forms[0].RetirementPlan = 1;
  const auto page = Print(payroll, RedInkAll())[0];
  // "0.00" leaves its box empty; an amount typed "0" is printed as it is.
  EXPECT_EQ(page.FindText("0.00"), nullptr);
  EXPECT_EQ(At(page.FindText("0")), (PrintPoint{1142, 263}));
  // An employee without a city: box f's last line starts with the state.
  EXPECT_EQ(At(page.FindText("MA 02101")), (PrintPoint{112, 856}));
  EXPECT_EQ(At(page.FindText("Springfield, MA 01101-0001")), (PrintPoint{112, 392}));
  // Name, last name and the suffix beyond it.
  EXPECT_EQ(At(page.FindText("Ann Q")), (PrintPoint{112, 595}));
  EXPECT_EQ(At(page.FindText("Lee1")), (PrintPoint{609, 595}));
  EXPECT_EQ(At(page.FindText("Jr")), (PrintPoint{2 * 609 - 112 - 58, 595}));
  // Box 12: the held "0" shows as AA, with its year, in the code cell (8
  // points hold it there, centred on its line); the amount beside it.
  const CanvasOp* code = page.FindText("AA 07");
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(code->font, (FontSpec{"Courier New", 80, false}));
  EXPECT_EQ(At(code), (PrintPoint{1574, 608 + (48 - 32) / 2}));
  EXPECT_EQ(At(page.FindText("300.00")), (PrintPoint{1682, 608}));
  EXPECT_LT(code->x2, 1682);
  // Box 14: Other1 on top, 56 units between the lines.
  EXPECT_EQ(At(page.FindText("bottom")), (PrintPoint{1142, 885}));
  EXPECT_EQ(At(page.FindText("middle")), (PrintPoint{1142, 829}));
  EXPECT_EQ(At(page.FindText("top")), (PrintPoint{1142, 773}));
  // Box 15 line 1 falls back to the company's state and state ID.
  EXPECT_EQ(At(page.FindText("MA-77")), (PrintPoint{212, 979}));
  // Box 13: only the retirement plan's cross, 63 below its entries.
  const auto lines = page.OfKind(CanvasOp::Kind::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ((PrintPoint{lines[0].x, lines[0].y}), (PrintPoint{1305, 702}));
  EXPECT_EQ((PrintPoint{lines[0].x2, lines[0].y2}), (PrintPoint{1324, 726}));
  EXPECT_EQ((PrintPoint{lines[1].x, lines[1].y}), (PrintPoint{1324, 702}));
  EXPECT_EQ(lines[0].pen, (PenSpec{5, kBlack}));
}

// The company's state ID is its own state's: a line 1 of another state
// without an ID of its own prints no ID rather than the company's.
TEST(W2Print, AnotherStatesLineNeverTakesTheCompanysStateId) {
  PrintPayroll payroll(1);
  payroll.forms[0].SetState1("CT");
  auto page = Print(payroll, RedInkAll())[0];
  EXPECT_NE(page.FindText("CT"), nullptr);
  EXPECT_EQ(page.FindText("MA-77"), nullptr);
  payroll.forms[0].SetState1("MA");  // the company's state, typed: the company's ID
  page = Print(payroll, RedInkAll())[0];
  EXPECT_EQ(At(page.FindText("MA-77")), (PrintPoint{212, 979}));
}

TEST(W2Print, BlankCopiesDrawPicturesCaptionsAndDataLower) {
  PrintPayroll payroll(2);
  payroll.forms[0].StatutoryEmployee = 1;
  const auto page = Print(payroll, BlankCopy(3), 0, {"Help1.svg"})[0];
  const auto pictures = page.OfKind(CanvasOp::Kind::Picture);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ((std::vector<int>{pictures[1].x, pictures[1].y, pictures[1].x2, pictures[1].y2}),
            (std::vector<int>{50, 1424, 2030, 2764}));
  // Entry + (73, 50), drawn 34 lower; the bottom form 1364 lower.
  EXPECT_EQ(At(page.FindText("1000.00")), (PrintPoint{1155, 207}));
  EXPECT_EQ(At(page.FindText("2000.00")), (PrintPoint{1155, 207 + 1364}));
  EXPECT_EQ(page.FindText("1000.00")->font.tenthsOfPoint, 100);
  // The statutory cross: entries moved by (-7, +5), into the drawn check box
  // by (12, -5), and by (73, 50), then 34 + 63 lower.
  const auto lines = page.Marks();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ((std::vector<int>{lines[0].x, lines[0].y, lines[0].x2, lines[0].y2}),
            (std::vector<int>{1183 + 12, 728 - 5, 1202 + 12, 752 - 5}));
  // Copy B's captions on both forms, in 7-point Arial bold; the second line
  // continues the first in the footer.
  const auto line1 = TextsNamed(page, "Copy B\x97" "To Be Filed With Employee's FEDERAL Tax Return.");
  ASSERT_EQ(line1.size(), 2u);
  EXPECT_EQ((PrintPoint{line1[1].x, line1[1].y}), (PrintPoint{85, 1234 + 1364}));
  EXPECT_EQ(line1[0].font, (FontSpec{"Arial", 70, true}));
  EXPECT_EQ(At(page.FindText("This information is being furnished to the Internal Revenue Service.")),
            (PrintPoint{85, 1266}));
  // Copy B keeps the picture's top right corner and blanks the footer's right.
  const auto rects = page.OfKind(CanvasOp::Kind::Rect);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ((std::vector<int>{rects[0].x, rects[0].y, rects[0].x2, rects[0].y2}),
            (std::vector<int>{1260, 1204, 1990, 1274}));
  EXPECT_EQ(rects[0].fill, kWhite);
  EXPECT_EQ(rects[0].pen, (PenSpec{5, kWhite}));
}

TEST(W2Print, EachCopyBlanksAndWritesItsOwnCorners) {
  const PrintPayroll payroll(1);
  struct Case {
    int copy;
    size_t rects;
    bool notice;
  };
  for (const Case c : {Case{1, 4, false}, Case{2, 4, false}, Case{4, 2, true}, Case{5, 4, false}}) {
    const auto page = Print(payroll, BlankCopy(c.copy))[0];
    EXPECT_EQ(page.OfKind(CanvasOp::Kind::Rect).size(), c.rects) << c.copy;
    const auto notice = TextsNamed(page, "be imposed on you if this income is taxable and you fail to report it.");
    EXPECT_EQ(notice.size(), c.notice ? 2u : 0u) << c.copy;
    if (c.notice) {
      EXPECT_EQ((PrintPoint{notice[0].x, notice[0].y}), (PrintPoint{1190, 137}));
      EXPECT_EQ(notice[0].font, (FontSpec{"Arial", 60, false}));
    }
    // The data is printed although no picture could be loaded.
    EXPECT_NE(page.FindText("1000.00"), nullptr) << c.copy;
    EXPECT_FALSE(page.OfKind(CanvasOp::Kind::Picture)[0].loaded);
  }
}

TEST(W2Print, InstructionPagesArePicturesOnly) {
  const PrintPayroll payroll(3);
  const auto pages = Print(payroll, BlankCopy(8));
  ASSERT_EQ(pages.size(), 2u);
  const auto pictures = pages[1].OfKind(CanvasOp::Kind::Picture);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].text, "3.qff");
  EXPECT_TRUE(pages[1].Texts().empty());
}

TEST(W2Print, CopyASubstituteAllowsForThePrinterMargins) {
  const PrintPayroll payroll(2);
  FormPrintSettings s = BlankCopy(kW2CopyASubstitute);
  const auto page = Print(payroll, s)[0];
  const auto picture = page.OfKind(CanvasOp::Kind::Picture);
  ASSERT_EQ(picture.size(), 1u);
  EXPECT_EQ(picture[0].text, "Updater.dll");
  // 102.235 and 102 less the margins of 63.5, truncated.
  EXPECT_EQ((std::vector<int>{picture[0].x, picture[0].y, picture[0].x2, picture[0].y2}),
            (std::vector<int>{38, 38, 38 + 1955, 38 + 2692}));
  // SSN: (460, 36) + (73, 50) - (63, 63) + (41, 47), 5 up, 34 lower; in 12
  // points its cell starts 4 higher, just under the box's label.
  EXPECT_EQ(At(page.FindText("123-45-6781")), (PrintPoint{511, 99 - 4}));
  EXPECT_EQ(page.FindText("123-45-6782")->y - page.FindText("123-45-6781")->y, 1395);
  // Box 1 is not moved up; boxes 5 and 6 are. (Printed in 12 points, box
  // 1's cell starts 6 higher, on the same baseline.)
  EXPECT_EQ(At(page.FindText("1000.00")), (PrintPoint{1082 + 73 - 63 + 41, 123 + 50 - 63 + 47 + 34 - 6}));
  EXPECT_TRUE(TextsNamed(page, "Copy B\x97" "To Be Filed With Employee's FEDERAL Tax Return.").empty());

  // A picture edge never goes negative on a printer with wide margins.
  const auto wide = RecordJob(W2PrintJob(DataOf(payroll), s), {2000, 2600, 120.0, 110.0});
  const auto widePicture = wide[0].OfKind(CanvasOp::Kind::Picture)[0];
  EXPECT_EQ((PrintPoint{widePicture.x, widePicture.y}), (PrintPoint{0, 0}));
}

TEST(W2Print, FourUpPrintsFourCopiesOfOneEmployeePerPageScaledToThePrintableArea) {
  const PrintPayroll payroll(5);
  test::ScriptedUi ui;
  auto job = PrepareW2Print(DataOf(payroll), BlankCopy(kW2FourUp), ui);
  ASSERT_TRUE(job);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind(kFourUpNoteHeading, 0), 0u);
  const auto pages = RecordJob(*job);
  ASSERT_EQ(pages.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    const std::string ssn = "123-45-678" + std::to_string(i + 1);
    EXPECT_EQ(TextsNamed(pages[static_cast<size_t>(i)], ssn).size(), 4u) << i;
  }
  // (89, 174) in the grid of 2160 x 2790 on a printable area of 2032 x 2667,
  // and the quadrants (1033, 0), (0, 1372) scaled the same way.
  const auto ssn = TextsNamed(pages[0], "123-45-6781");
  EXPECT_EQ((PrintPoint{ssn[0].x, ssn[0].y}), (PrintPoint{83, 166}));
  EXPECT_EQ((PrintPoint{ssn[1].x, ssn[1].y}), (PrintPoint{83 + 971, 166}));
  EXPECT_EQ((PrintPoint{ssn[2].x, ssn[2].y}), (PrintPoint{83, 166 + 1311}));
  EXPECT_EQ(ssn[0].font, (FontSpec{"Courier New", 90, false}));
  // The whole name, its suffix too, on each copy.
  EXPECT_EQ(TextsNamed(pages[0], "Ann Q Lee1 Jr").size(), 4u);
  const auto picture = pages[0].OfKind(CanvasOp::Kind::Picture);
  ASSERT_EQ(picture.size(), 1u);
  EXPECT_EQ((std::vector<int>{picture[0].x, picture[0].y, picture[0].x2, picture[0].y2}),
            (std::vector<int>{0, 0, 2032, 2667}));
}

TEST(W2Print, PagesFollowTheDisplayOrderAndStopAtAMissingForm) {
  PrintPayroll payroll(3);
  payroll.order = {2, 0, 1};
  auto pages = Print(payroll, RedInkAll());
  EXPECT_EQ(At(pages[0].FindText("3000.00")), (PrintPoint{1142, 176}));
  EXPECT_EQ(At(pages[0].FindText("1000.00")), (PrintPoint{1142, 1576}));

  // The employee at position 1 has no W-2 (its form belongs to nobody): the
  // page ends there; the third employee is not drawn in its place.
  payroll.order = {0, 1, 2};
  payroll.forms[1].EmployeeUniqueID = 99;
  pages = Print(payroll, RedInkAll());
  EXPECT_NE(pages[0].FindText("1000.00"), nullptr);
  EXPECT_EQ(pages[0].FindText("3000.00"), nullptr);
  EXPECT_EQ(pages[0].FindText("123-45-6782"), nullptr);
  EXPECT_EQ(At(pages[1].FindText("3000.00")), (PrintPoint{1142, 176}));
}

TEST(W2Print, PreparationSaysWhyNothingIsPrinted) {
  PrintPayroll payroll(2);
  test::ScriptedUi ui;
  FormPrintSettings current = RedInkAll();
  current.printTarget = 0;

  // The current employee's one form, even when the company has more.
  auto job = PrepareW2Print(DataOf(payroll, 1), current, ui);
  ASSERT_TRUE(job);
  EXPECT_EQ(job->PageCount(), 1);
  EXPECT_EQ(At(RecordJob(*job)[0].FindText("2000.00")), (PrintPoint{1142, 176}));

  payroll.forms[1].EmployeeUniqueID = 99;
  EXPECT_FALSE(PrepareW2Print(DataOf(payroll, 1), current, ui));
  EXPECT_EQ(ui.messages, (std::vector<std::string>{kEmployeeWithoutW2}));

  const PrintPayroll nobody(0);
  ui.messages.clear();
  EXPECT_FALSE(PrepareW2Print(DataOf(nobody, -1), current, ui));
  EXPECT_EQ(ui.messages, (std::vector<std::string>{kNoEmployeeToPrint}));

  // "All Employees" with no W-2: nothing printed, nothing said.
  ui.messages.clear();
  EXPECT_FALSE(PrepareW2Print(DataOf(nobody, -1), RedInkAll(), ui));
  EXPECT_TRUE(ui.messages.empty());
}

// "All Employees" of a company with one W-2 prints that W-2 whichever
// employee is current, and when none is (as on the command line).
TEST(W2Print, AllEmployeesOfACompanyWithOneW2PrintsIt) {
  PrintPayroll payroll(2);
  payroll.forms.erase(payroll.forms.begin());  // only the second employee has a W-2
  for (int current : {-1, 0, 1}) {
    test::ScriptedUi ui;
    const auto job = PrepareW2Print(DataOf(payroll, current), RedInkAll(), ui);
    ASSERT_TRUE(job) << current;
    EXPECT_TRUE(ui.messages.empty()) << current;
    const auto pages = RecordJob(*job);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(At(pages[0].FindText("2000.00")), (PrintPoint{1142, 176})) << current;
    EXPECT_NE(pages[0].FindText("123-45-6782"), nullptr) << current;
  }
}

}  // namespace
}  // namespace formet
