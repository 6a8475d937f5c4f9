// The 1099-MISC layouts against the recording canvas, and the questions
// asked before printing.
#include <gtest/gtest.h>

#include <algorithm>

#include "forms/1099/form1099_pictures.h"
#include "forms/1099/form1099_print.h"
#include "print_fixture.h"

namespace formet {
namespace {

using test::At;
using test::PrintContractors;
using test::TextsNamed;

FormPrintSettings Settings(int paperType, int target, int copy = 0) {
  FormPrintSettings s;
  s.paperType = paperType;
  s.printTarget = target;
  s.blankCopyType = copy;
  return s;
}

Form1099PrintData DataOf(const PrintContractors& p, int current = 0) {
  return {&p.company, &p.contractors, &p.forms, p.order, current};
}

std::vector<RecordingCanvas> Print(const PrintContractors& p, const FormPrintSettings& s, int current = 0) {
  return RecordJob(Form1099PrintJob(DataOf(p, current), s));
}

std::vector<int> Corners(const CanvasOp& op) { return {op.x, op.y, op.x2, op.y2}; }

TEST(Form1099Print, ThreeContractorsTakeTwoPagesAndTheLoneFormGetsAVoidLowerForm) {
  const PrintContractors people(3);
  const auto pages = Print(people, Settings(1, 1));
  ASSERT_EQ(pages.size(), 2u);
  // Pre-printed: x - 33, y - 63 - 7; the lower form 1402 lower.
  EXPECT_EQ(At(pages[0].FindText("Bolt Electric 1")), (PrintPoint{160 - 33, 720 - 70}));
  EXPECT_EQ(At(pages[0].FindText("Bolt Electric 2")), (PrintPoint{127, 650 + 1402}));
  EXPECT_EQ(At(pages[0].FindText("Acme Supply")), (PrintPoint{127, 135}));
  EXPECT_EQ(At(pages[0].FindText("Bolt Electric 2")), (PrintPoint{127, 2052}));
  EXPECT_TRUE(pages[0].OfKind(CanvasOp::Kind::Line).empty());
  EXPECT_EQ(At(pages[1].FindText("Bolt Electric 3")), (PrintPoint{127, 650}));
  // The VOID mark of the empty lower form: y - 63 + 30, x - 38, then the
  // pre-printed shift, not moved by the slot pitch.
  const auto lines = pages[1].OfKind(CanvasOp::Kind::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Corners(lines[0]), (std::vector<int>{665 - 38 - 33, 1454, 688 - 38 - 33, 1477}));
  EXPECT_EQ(pages[1].FindText("Bolt Electric 3")->font, (FontSpec{"Courier New", 120, false}));
}

// A corrected return has the X in its CORRECTED box: inside the box of each
// copy's drawing, and on the pre-printed form as far right of the VOID mark
// as the box lies of the VOID box; a form not corrected has none.
TEST(Form1099Print, ACorrectedFormHasItsCorrectedBoxMarked) {
  const PrintContractors people(2);
  for (int copy = 0; copy <= 3; ++copy) {
    SCOPED_TRACE(copy);
    Form1099PrintJob job(DataOf(people), Settings(0, 1, copy));
    job.MarkCorrected({0, 1});  // the lower form only
    const auto marks = RecordJob(job)[0].Marks();
    ASSERT_EQ(marks.size(), 2u);
    const FormPicture additions = Form1099CopyAdditions(copy);
    const auto box = std::find_if(additions.boxes.begin(), additions.boxes.end(),
                                  [](const PictureBox& b) { return b.id == "corrected"; });
    ASSERT_NE(box, additions.boxes.end());
    // The lower picture is drawn at (20, 1385), at its own size.
    for (const auto& m : marks)
      for (const auto& [x, y] : {std::pair{m.x, m.y}, std::pair{m.x2, m.y2}}) {
        EXPECT_GT(x, box->left + 20);
        EXPECT_LT(x, box->right + 20);
        EXPECT_GT(y, box->top + 1385);
        EXPECT_LT(y, box->bottom + 1385);
      }
  }
  Form1099PrintJob redInk(DataOf(people), Settings(1, 1));
  redInk.MarkCorrected({1, 0});  // the upper form only
  const auto marks = RecordJob(redInk)[0].Marks();
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(Corners(marks[0]), (std::vector<int>{665 - 38 - 33 + kForm1099CorrectedRightOfVoid, 1454 - 1402,
                                                 688 - 38 - 33 + kForm1099CorrectedRightOfVoid, 1477 - 1402}));
  EXPECT_TRUE(RecordJob(Form1099PrintJob(DataOf(people), Settings(1, 1)))[0].Marks().empty());
}

// A return corrected to zero shows its zero amounts; any other form leaves
// a zero box blank.
TEST(Form1099Print, AReturnCorrectedToZeroShowsItsZeros) {
  PrintContractors people(2);
  for (auto& f : people.forms) f.SetRents("0.00");
  Form1099PrintJob job(DataOf(people), Settings(0, 1, 1));
  job.MarkCorrected({1, 1}, {1, 0});  // the upper form corrected to zero
  const auto page = RecordJob(job)[0];
  // The fixture's forms hold 0.00 in every money box but box 7.
  size_t upper = 0, lower = 0;
  for (const auto& zero : TextsNamed(page, "0.00")) ++(zero.y < 1385 ? upper : lower);
  EXPECT_EQ(upper, 16u);
  EXPECT_EQ(lower, 0u);
}

TEST(Form1099Print, CurrentContractorIsOnePageWithTheVoidMark) {
  const PrintContractors people(3);
  const auto pages = Print(people, Settings(0, 0, 3), 1);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(At(pages[0].FindText("Bolt Electric 2")), (PrintPoint{160 - 30, 720 - 70}));
  EXPECT_EQ(pages[0].FindText("Bolt Electric 1"), nullptr);
  // On blank paper the VOID points are those of the copy: (661, 1461).
  const auto lines = pages[0].Marks();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Corners(lines[0]), (std::vector<int>{661 - 38 - 30, 1461 - 63 + 30 - 7, 684 - 38 - 30, 1484 - 40}));
}

TEST(Form1099Print, OffsetsMoveEveryPrePrintedPoint) {
  const PrintContractors people(1);
  FormPrintSettings s = Settings(1, 1);
  s.horizontalOffset = 0.10;   // right: 25.4, truncated
  s.verticalOffset = -0.05;    // up: -12.7, truncated
  const auto moved = Form1099AdjustedLayout(Form1099Layout::RedInk, s);
  const auto still = Form1099AdjustedLayout(Form1099Layout::RedInk, Settings(1, 1));
  for (int i = 0; i < kForm1099LayoutPoints; ++i) {
    EXPECT_EQ(moved[static_cast<size_t>(i)].x - still[static_cast<size_t>(i)].x, 25) << i;
    EXPECT_EQ(moved[static_cast<size_t>(i)].y - still[static_cast<size_t>(i)].y, -12) << i;
  }
  // Copies ignore the offsets.
  EXPECT_EQ(Form1099AdjustedLayout(Form1099Layout::Copy, s), Form1099AdjustedLayout(Form1099Layout::Copy, {}));
  EXPECT_EQ(At(Print(people, s)[0].FindText("1500.00")), (PrintPoint{1070 - 33 + 25, 240 - 70 - 12}));
}

TEST(Form1099Print, ItemsOfOneForm) {
  PrintContractors people(1);
  people.forms[0].SetRoyalities("");
  people.forms[0].SetPayerStateID2("");
  people.forms[0].PayerMadeDirectSales = 1;
  people.company.SetEmployerIdentificationNumber("");
  const auto page = Print(people, Settings(1, 1))[0];
  // "0.00" prints nothing; an empty amount is drawn as an empty text.
  EXPECT_EQ(page.FindText("0.00"), nullptr);
  // Box 17 line 2 is drawn even when empty.
  std::vector<PrintPoint> empty;
  for (const auto& op : TextsNamed(page, "")) empty.push_back({op.x, op.y});
  EXPECT_EQ(empty, (std::vector<PrintPoint>{{127, 920 - 70}, {1070 - 33, 365 - 70}, {1400 - 33, 1268 - 70}}));
  EXPECT_EQ(At(page.FindText("NY-1")), (PrintPoint{1400 - 33, 1220 - 70}));
  // Without an employer identification number the payer's SSN is printed.
  EXPECT_EQ(At(page.FindText("999-88-7777")), (PrintPoint{127, 625 - 70}));
  EXPECT_EQ(At(page.FindText("(413) 555-0100")), (PrintPoint{127, 464 - 70}));
  EXPECT_EQ(At(page.FindText("dba Bolt")), (PrintPoint{127, 650 + 60}));
  EXPECT_EQ(At(page.FindText("Albany, NY 12201")), (PrintPoint{127, 1005 - 70}));
  // Box 9: its mark 38 below its points; plus the VOID mark of the lone form.
  const auto lines = page.OfKind(CanvasOp::Kind::Line);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(Corners(lines[0]), (std::vector<int>{1316 - 33, 895 - 70 + 38, 1340 - 33, 919 - 70 + 38}));
}

TEST(Form1099Print, ANameLineOf33CharactersPrintsBothLinesSmaller) {
  PrintContractors people(1);
  people.contractors[0].SetNameLine1(std::string(33, 'N'));
  const auto page = Print(people, Settings(1, 1))[0];
  EXPECT_EQ(page.FindText(std::string(33, 'N'))->font, (FontSpec{"Courier New", 100, false}));
  EXPECT_EQ(page.FindText("dba Bolt")->font.tenthsOfPoint, 100);
  EXPECT_EQ(page.FindText("5 Oak Ave")->font.tenthsOfPoint, 120);

  people.contractors[0].SetNameLine1(std::string(32, 'N'));
  EXPECT_EQ(Print(people, Settings(1, 1))[0].FindText("dba Bolt")->font.tenthsOfPoint, 120);
}

TEST(Form1099Print, SecondTinBoxIsPaintedOutOnCopies1B2AndMarkedElsewhere) {
  PrintContractors people(1);
  people.contractors[0].SecondTIN = 1;
  for (int copy = 0; copy <= 2; ++copy) {
    const auto page = Print(people, Settings(0, 1, copy))[0];
    std::vector<std::vector<int>> rects;
    for (const auto& r : page.OfKind(CanvasOp::Kind::Rect))
      if (r.x == 790) rects.push_back(Corners(r));
    EXPECT_EQ(rects, (std::vector<std::vector<int>>{{790, 989, 940, 1107}, {790, 1375 + 989, 940, 1375 + 1107}}))
        << copy;
    // No 2nd TIN mark; the VOID mark only on Copy 1, which has the box.
    EXPECT_EQ(page.Marks().size(), copy == 0 ? 2u : 0u) << copy;
  }
  // Copy C and the pre-printed form draw the mark.
  const auto copyC = Print(people, Settings(0, 1, 3))[0].Marks();
  ASSERT_EQ(copyC.size(), 4u);
  EXPECT_EQ(Corners(copyC[0]), (std::vector<int>{910 - 30, 1122 - 63 + 25 - 7, 934 - 30, 1146 - 45}));
  const auto redInk = Print(people, Settings(1, 1))[0].Marks();
  ASSERT_EQ(redInk.size(), 4u);
  EXPECT_EQ(Corners(redInk[0]), (std::vector<int>{914 - 33, 1075, 938 - 33, 1099}));
}

TEST(Form1099Print, CopyCaptions) {
  const PrintContractors people(2);
  const auto b = Print(people, Settings(0, 1, 1))[0];
  const auto pictures = b.OfKind(CanvasOp::Kind::Picture);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].text, "Help3.svg");
  EXPECT_EQ(Corners(pictures[1]), (std::vector<int>{20, 1385, 2000, 2755}));  // one slot pitch lower
  const auto copyB = TextsNamed(b, "Copy B");
  ASSERT_EQ(copyB.size(), 2u);
  EXPECT_EQ((PrintPoint{copyB[1].x, copyB[1].y}), (PrintPoint{1823, 357 + 1375}));
  EXPECT_EQ(copyB[0].font, (FontSpec{"Arial", 100, true}));
  // The notice ends at x = 1927, one line every 30 units from 620.
  const auto last = TextsNamed(b, "reported.");
  ASSERT_EQ(last.size(), 2u);
  EXPECT_EQ(last[0].x2, 1927);
  EXPECT_EQ(last[0].y, 620 + 14 * 30);
  EXPECT_EQ(last[0].font, (FontSpec{"Arial", 70, false}));
  EXPECT_EQ(At(b.FindText("(keep for your records)")), (PrintPoint{840, 1250}));
  // The white areas come before the lines, so the lines stay visible.
  const auto& ops = b.Ops();
  size_t lastWhite = 0, firstCaption = ops.size();
  for (size_t i = 0; i < ops.size(); ++i) {
    if (ops[i].kind == CanvasOp::Kind::Rect && ops[i].x >= 1670 && ops[i].y < 1375) lastWhite = i;
    if (ops[i].kind == CanvasOp::Kind::Text && ops[i].text == "Copy B" && firstCaption == ops.size()) firstCaption = i;
  }
  EXPECT_LT(lastWhite, firstCaption);
  // The data comes back in the data font.
  EXPECT_EQ(b.FindText("Bolt Electric 1")->font, (FontSpec{"Courier New", 100, false}));

  const auto two = Print(people, Settings(0, 1, 2))[0];
  EXPECT_NE(two.FindText("recipient\x92s"), nullptr);
  const auto rule = two.OfKind(CanvasOp::Kind::Line);
  ASSERT_FALSE(rule.empty());
  EXPECT_EQ(Corners(rule[0]), (std::vector<int>{1685, 895, 1944, 895}));
  EXPECT_EQ(rule[0].pen.width, 4);
}

TEST(Form1099Print, InstructionCopiesArePicturesOnly) {
  const PrintContractors people(2);
  for (int copy : {4, 5}) {
    const auto page = Print(people, Settings(0, 1, copy))[0];
    const auto pictures = page.OfKind(CanvasOp::Kind::Picture);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].text, copy == 4 ? "6.qff" : "7.qff");
    EXPECT_EQ(page.Ops().size(), 2u);
  }
}

TEST(Form1099Print, EmptyBoxesAreAskedAbout) {
  PrintContractors people(2);
  test::ScriptedUi ui;
  EXPECT_FALSE(HasEmptyFields(people.forms[0]));
  people.forms[1].SetPayerStateID2("");
  EXPECT_TRUE(HasEmptyFields(people.forms[1]));

  ui.answers = {Answer::No};
  EXPECT_FALSE(PrepareForm1099Print(DataOf(people), Settings(1, 1), ui));
  EXPECT_EQ(ui.questions, (std::vector<std::string>{kAllFormsEmptyQuestion}));
  ui.answers = {Answer::Yes};
  auto job = PrepareForm1099Print(DataOf(people), Settings(1, 1), ui);
  ASSERT_TRUE(job);
  EXPECT_EQ(job->PageCount(), 1);

  // The current contractor's own form is what counts.
  ui.questions.clear();
  EXPECT_TRUE(PrepareForm1099Print(DataOf(people, 0), Settings(1, 0), ui));
  EXPECT_TRUE(ui.questions.empty());
  ui.answers = {Answer::No};
  EXPECT_FALSE(PrepareForm1099Print(DataOf(people, 1), Settings(1, 0), ui));
  EXPECT_EQ(ui.questions, (std::vector<std::string>{kCurrentFormEmptyQuestion}));
}

TEST(Form1099Print, NothingToPrint) {
  PrintContractors people(0);
  test::ScriptedUi ui;
  // No forms for all contractors: the check counts as failed, then nothing
  // is printed and nothing said.
  ui.answers = {Answer::Yes};
  EXPECT_FALSE(PrepareForm1099Print(DataOf(people, -1), Settings(1, 1), ui));
  EXPECT_EQ(ui.questions, (std::vector<std::string>{kAllFormsEmptyQuestion}));
  EXPECT_TRUE(ui.messages.empty());
  // The current contractor: none, or one without a form, is said.
  EXPECT_FALSE(PrepareForm1099Print(DataOf(people, -1), Settings(1, 0), ui));
  EXPECT_EQ(ui.messages, (std::vector<std::string>{kNoContractorToPrint}));
  people.contractors.push_back(test::PrintContractor(7, "Lone"));
  ui.messages.clear();
  EXPECT_FALSE(PrepareForm1099Print(DataOf(people, 0), Settings(1, 0), ui));
  EXPECT_EQ(ui.messages, (std::vector<std::string>{kContractorWithoutForm}));
}

}  // namespace
}  // namespace formet
