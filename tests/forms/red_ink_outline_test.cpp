// The 2007 form behind red-ink data, and the alignment page: the drawn sheet
// where the pre-printed form has its boxes (the corners the government's
// PDFs measure), the red-ink data with zero offsets inside its boxes, the
// sheet drawn light grey behind the data and fixed to the paper, and the
// alignment page's sample data, crosshairs and rulers moving as they must.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "forms/1099/form1096_print.h"
#include "forms/1099/form1099_print.h"
#include "forms/alignment_page.h"
#include "forms/red_ink_outline.h"
#include "forms/w2/w2_print.h"
#include "forms/w2/w3_print.h"
#include "print_fixture.h"

namespace formet {
namespace {

const char* Name(PrintForm form) {
  switch (form) {
    case PrintForm::W2: return "W-2";
    case PrintForm::W3: return "W-3";
    case PrintForm::Form1099: return "1099-MISC";
    case PrintForm::Form1096: return "1096";
  }
  return "";
}

constexpr PrintForm kForms[] = {PrintForm::W2, PrintForm::W3, PrintForm::Form1099, PrintForm::Form1096};

// The outer frame of each form on the sheet, in millimetres from the paper's
// corner: the border's rules of each picture placed on it.
struct Frame {
  double left, top, right, bottom;
};
std::vector<Frame> FramesOf(PrintForm form) {
  std::vector<Frame> frames;
  for (const auto& s : RedInkSheet(form)) {
    const FormPicture& p = *s.picture;
    auto mm = [](int units) { return units / 10.0; };
    for (const auto& r : p.rects)
      if (r.weight == kRuleBorder)
        frames.push_back({mm(r.left + s.at.x), mm(r.top + s.at.y), mm(r.right + s.at.x), mm(r.bottom + s.at.y)});
    // A frame of rules: the extent of the border's rules.
    Frame f{1e9, 1e9, -1e9, -1e9};
    bool any = false;
    for (const auto& l : p.lines)
      if (l.weight == kRuleBorder) {
        any = true;
        f = {std::min({f.left, mm(l.x1 + s.at.x), mm(l.x2 + s.at.x)}), std::min({f.top, mm(l.y1 + s.at.y), mm(l.y2 + s.at.y)}),
             std::max({f.right, mm(l.x1 + s.at.x), mm(l.x2 + s.at.x)}), std::max({f.bottom, mm(l.y1 + s.at.y), mm(l.y2 + s.at.y)})};
      }
    if (any) frames.push_back(f);
  }
  return frames;
}

TEST(RedInkSheet, EachFormLiesWhereTheRedInkDataExpectIt) {
  // The W-2 and the 1099-MISC, drawn on the 2007 grid, at the 2007 forms'
  // frames: two W-2s half a page apart, two 1099-MISCs as far apart as the
  // red-ink layout spaces them.
  struct Case {
    PrintForm form;
    std::vector<Frame> frames;
  };
  const Case cases[] = {
      {PrintForm::W2, {{12.9, 13.1, 203.2, 118.8}, {12.9, 13.1 + 139.7, 203.2, 118.8 + 139.7}}},
      {PrintForm::Form1099, {{16.8, 16.9, 202.3, 131.2}, {16.8, 16.9 + 140.2, 202.3, 131.2 + 140.2}}},
  };
  for (const Case& c : cases) {
    const auto frames = FramesOf(c.form);
    ASSERT_EQ(frames.size(), c.frames.size()) << Name(c.form);
    for (size_t i = 0; i < frames.size(); ++i) {
      EXPECT_NEAR(frames[i].left, c.frames[i].left, 0.5) << Name(c.form) << " form " << i;
      EXPECT_NEAR(frames[i].top, c.frames[i].top, 0.5) << Name(c.form) << " form " << i;
      EXPECT_NEAR(frames[i].right, c.frames[i].right, 0.5) << Name(c.form) << " form " << i;
      EXPECT_NEAR(frames[i].bottom, c.frames[i].bottom, 0.5) << Name(c.form) << " form " << i;
    }
  }
  // The W-3 and the 1096 where their blank-paper prints put them on a page
  // with the reference margins (the 1096's copy data lie 2 units above the
  // red-ink data), within 1.5 mm of the frames measured on later forms.
  const auto w3 = RedInkSheet(PrintForm::W3), summary = RedInkSheet(PrintForm::Form1096);
  ASSERT_EQ(w3.size(), 1u);
  ASSERT_EQ(summary.size(), 1u);
  EXPECT_EQ(w3[0].picture->file, "Contactus.msg");
  EXPECT_EQ(w3[0].at, (PrintPoint{PictureEdge(92.875, 63.5) + 63, PictureEdge(84.375, 63.5) + 63}));
  EXPECT_EQ(summary[0].picture->file, "Help4.svg");
  EXPECT_EQ(summary[0].at, (PrintPoint{35 + 63, 25 + 2 + 63}));
  EXPECT_NEAR(FramesOf(PrintForm::W3)[0].left, 12.7, 1.5);
  EXPECT_NEAR(FramesOf(PrintForm::W3)[0].top, 12.7, 1.5);
}

// Every data text of a page drawn with the reference margins lies inside the
// box of the sheet its start falls in (a text in no box counts as outside).
void ExpectDataInSheetBoxes(const RecordingCanvas& page, PrintForm form, double toleranceMm,
                            const std::string& what) {
  const double margin = kRedInkReferenceMargin, tolerance = toleranceMm * 10;
  int checked = 0;
  for (const auto& op : page.Texts()) {
    if (op.font.face != kCourierNew || op.text.find_first_not_of(' ') == std::string::npos) continue;
    const double left = op.x + margin, top = op.y + margin, right = op.x2 + margin, bottom = op.y2 + margin;
    const double midY = (top + bottom) / 2;
    const PictureBox* in = nullptr;
    PrintPoint at;
    for (const auto& s : RedInkSheet(form))
      for (const auto& b : s.picture->boxes)
        if (!b.checkBox && left + 1 >= b.left + s.at.x && left + 1 < b.right + s.at.x && midY >= b.top + s.at.y &&
            midY < b.bottom + s.at.y) {
          in = &b;
          at = s.at;
        }
    ++checked;
    if (!in) {
      ADD_FAILURE() << what << ": \"" << op.text << "\" at (" << left << ", " << top << ") is in no box of the sheet";
      continue;
    }
    EXPECT_TRUE(left >= in->left + at.x - tolerance && right <= in->right + at.x + tolerance &&
                top >= in->top + at.y - tolerance && bottom <= in->bottom + at.y + tolerance)
        << what << ": \"" << op.text << "\" (" << left << ", " << top << ")-(" << right << ", " << bottom
        << ") runs out of box " << in->id << " (" << in->left + at.x << ", " << in->top + at.y << ")-("
        << in->right + at.x << ", " << in->bottom + at.y << ")";
  }
  EXPECT_GT(checked, 5) << what;
}

TEST(RedInkSheet, RedInkDataWithZeroOffsetsFallIntoItsBoxes) {
  test::PrintPayroll payroll(2);
  for (auto& w : payroll.forms) w.SetField12aYear("");  // a year runs past the code column: a fault of its own
  FormPrintSettings s;
  s.printTarget = 1;
  ExpectDataInSheetBoxes(RecordJob(W2PrintJob({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, s))[0],
                         PrintForm::W2, 0.5, "W-2");
  const test::PrintContractors people(1);
  ExpectDataInSheetBoxes(
      RecordJob(Form1099PrintJob({&people.company, &people.contractors, &people.forms, people.order, 0}, s))[0],
      PrintForm::Form1099, 0.5, "1099-MISC");
  ExpectDataInSheetBoxes(RecordJob(Form1096PrintJob(Build1096Page(people.company, people.forms), s))[0],
                         PrintForm::Form1096, 1.0, "1096");
}

TEST(RedInkSheet, OutlinedJobDrawsTheSheetGreyBehindTheDataFixedToThePaper) {
  const test::PrintPayroll payroll(1);
  FormPrintSettings s;
  s.horizontalOffset = 0.25;  // the data move; the form does not
  const W2PrintJob job({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, s);
  const OutlinedPrintJob outlined(job, PrintForm::W2, false);
  ASSERT_EQ(outlined.PageCount(), job.PageCount());
  const auto page = RecordJob(outlined)[0];
  const auto plain = RecordJob(job)[0];
  // The data as without the outline, after it, in black.
  const auto& ops = page.Ops();
  ASSERT_GE(ops.size(), plain.Ops().size());
  const size_t first = ops.size() - plain.Ops().size();
  for (size_t i = 0; i < plain.Ops().size(); ++i) {
    EXPECT_EQ(ops[first + i].text, plain.Ops()[i].text);
    EXPECT_EQ(ops[first + i].x, plain.Ops()[i].x);
    if (ops[first + i].kind == CanvasOp::Kind::Text) {
      EXPECT_EQ(ops[first + i].textColor, kBlack);
    }
  }
  // The sheet before them, all grey.
  ASSERT_GT(first, 100u);
  for (size_t i = 0; i < first; ++i) {
    if (ops[i].kind == CanvasOp::Kind::Text) {
      EXPECT_EQ(ops[i].textColor, kOutlineGrey) << ops[i].text;
    }
    if (ops[i].kind == CanvasOp::Kind::Line) {
      EXPECT_EQ(ops[i].pen.color, kOutlineGrey);
    }
  }
  // Box b's label where the sheet has it, whatever the offsets; on a printer
  // whose printable area starts nearer the paper's edge, as much further in.
  auto labelX = [](const RecordingCanvas& p) {
    for (const auto& op : p.Texts())
      if (op.text == "Employer identification number (EIN)") return op.x;
    return -1;
  };
  const int x = labelX(page);
  FormPrintSettings zero;
  EXPECT_EQ(labelX(RecordJob(OutlinedPrintJob(W2PrintJob({&payroll.company, &payroll.employees, &payroll.forms,
                                                          payroll.order, 0}, zero),
                                               PrintForm::W2, false))[0]),
            x);
  EXPECT_EQ(labelX(RecordJob(outlined, {2100, 2700, 42.3, 42.3})[0]), x + 21);
  // The drawn EIN label of the first form is 12.9 mm plus a label's inset
  // from the paper's left edge.
  EXPECT_NEAR(x + 63, 129 + 8 + TextWidth({"Arial", 60, true}, "b") + TextWidth({"Arial", 60, false}, " "), 2);
}

TEST(RedInkSheet, APdfWithTheOutlineIsMarkedNotForFilingInItsMargin) {
  const test::PrintContractors people(1);
  const Form1096PrintJob job(Build1096Page(people.company, people.forms), FormPrintSettings{});
  const auto marked = RecordJob(OutlinedPrintJob(job, PrintForm::Form1096, true))[0];
  const CanvasOp* mark = marked.FindText(kNotForFilingMark);
  ASSERT_NE(mark, nullptr);
  EXPECT_LT(mark->y2, 0);   // above the printable area
  EXPECT_GE(mark->y, -63);  // on the paper
  EXPECT_EQ(RecordJob(OutlinedPrintJob(job, PrintForm::Form1096, false))[0].FindText(kNotForFilingMark), nullptr);
  // With no margin to hold it, at the top of the printable area.
  const auto noMargin = RecordJob(OutlinedPrintJob(job, PrintForm::Form1096, true), {2159, 2794, 0, 0})[0];
  ASSERT_NE(noMargin.FindText(kNotForFilingMark), nullptr);
  EXPECT_EQ(noMargin.FindText(kNotForFilingMark)->y, 0);
}

// ---- the alignment page ---------------------------------------------------------------------

// The crosshair of a page: the level and upright arms 2 x 0.3 inch long that
// cross at its centre.
std::vector<PrintPoint> Crosshairs(const RecordingCanvas& page) {
  std::vector<PrintPoint> centres;
  const auto lines = page.OfKind(CanvasOp::Kind::Line);
  for (const auto& h : lines) {
    if (h.y != h.y2 || h.x2 - h.x != 2 * kCrosshairArm) continue;
    for (const auto& v : lines)
      if (v.x == v.x2 && v.y2 - v.y == 2 * kCrosshairArm && v.x == (h.x + h.x2) / 2 && h.y == (v.y + v.y2) / 2)
        centres.push_back({v.x, h.y});
  }
  return centres;
}

TEST(AlignmentPage, SampleDataInEveryBoxAndCrosshairsOnTwoCornersOfTheBoxes) {
  for (PrintForm form : kForms) {
    const auto job = MakeAlignmentPage(form, FormPrintSettings{});
    ASSERT_EQ(job->PageCount(), 1);
    const auto page = RecordJob(*job)[0];
    // The sample data fill the form's data boxes (the W-3's red-ink data are
    // held to its drawing elsewhere).
    if (form != PrintForm::W3) ExpectDataInSheetBoxes(page, form, form == PrintForm::Form1096 ? 1.0 : 0.5, Name(form));
    std::set<std::string> filled;
    const double margin = kRedInkReferenceMargin;
    for (const auto& op : page.Texts()) {
      if (op.font.face != kCourierNew || op.text.find_first_not_of(' ') == std::string::npos) continue;
      for (const auto& s : RedInkSheet(form))
        for (const auto& b : s.picture->boxes)
          if (!b.checkBox && op.x + margin + 1 >= b.left + s.at.x && op.x + margin + 1 < b.right + s.at.x &&
              (op.y + op.y2) / 2.0 + margin >= b.top + s.at.y && (op.y + op.y2) / 2.0 + margin < b.bottom + s.at.y)
            filled.insert(b.id);
    }
    const std::vector<std::string> expected[4] = {
        {"a", "b", "c", "d", "e-first", "e-last", "e-suffix", "f", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
         "11", "12a", "12b", "12c", "12d", "14", "15-state-1", "15-id-1", "16-1", "17-1", "18-1", "19-1", "20-1",
         "15-state-2", "15-id-2", "16-2", "17-2", "18-2", "19-2", "20-2"},
        {},
        {"payer", "payer-tin", "recipient-tin", "recipient-name", "street", "city", "account", "1", "2", "3", "4",
         "5", "6", "7", "8", "10", "13", "14", "15a", "15b", "16-1", "17-1", "18-1", "16-2", "17-2", "18-2"},
        {"filer-name", "street", "city", "contact", "email", "telephone", "fax", "1", "2", "3", "4", "5"},
    };
    for (const auto& id : expected[static_cast<int>(form)]) EXPECT_TRUE(filled.count(id)) << Name(form) << ": box " << id;

    // The crosshairs on the 2007 form's corners, for a printable area a
    // quarter inch from the paper's edges; on the drawn sheet's corners
    // where it follows the 2007 grid.
    const AlignmentCorners corners = AlignmentCornersOf(form);
    const auto crosses = Crosshairs(page);
    ASSERT_EQ(crosses.size(), 2u) << Name(form);
    EXPECT_EQ(crosses[0], (PrintPoint{static_cast<int>(std::lround(corners.first.xMm * 10)) - 63,
                                      static_cast<int>(std::lround(corners.first.yMm * 10)) - 63}))
        << Name(form);
    EXPECT_EQ(crosses[1], (PrintPoint{static_cast<int>(std::lround(corners.second.xMm * 10)) - 63,
                                      static_cast<int>(std::lround(corners.second.yMm * 10)) - 63}))
        << Name(form);
    if (form == PrintForm::W2 || form == PrintForm::Form1099) {
      const SheetPicture& sheet = RedInkSheet(form).front();
      const char* ids[2][2] = {{"b", "20-2"}, {"payer", "18-2"}};
      const PictureBox* first = sheet.picture->FindBox(ids[form == PrintForm::W2 ? 0 : 1][0]);
      const PictureBox* second = sheet.picture->FindBox(ids[form == PrintForm::W2 ? 0 : 1][1]);
      ASSERT_TRUE(first && second);
      EXPECT_NEAR(crosses[0].x, first->left + sheet.at.x - 63, 5) << Name(form);
      EXPECT_NEAR(crosses[0].y, first->top + sheet.at.y - 63, 5) << Name(form);
      EXPECT_NEAR(crosses[1].x, second->right + sheet.at.x - 63, 5) << Name(form);
      EXPECT_NEAR(crosses[1].y, second->bottom + sheet.at.y - 63, 5) << Name(form);
    }
    // Far apart: across most of the form.
    EXPECT_GT(crosses[1].x - crosses[0].x, 1500) << Name(form);
  }
}

TEST(AlignmentPage, CrosshairsAndDataMoveWithTheOffsetsAndTheRulersStayWithThePaper) {
  struct Case {
    double h, v;
    int dx, dy;
  };
  for (const Case& c : {Case{0.10, -0.05, 25, -12}, Case{-0.25, 0.50, -63, 127}}) {
    for (PrintForm form : kForms) {
      FormPrintSettings s;
      s.paperType = 0;  // whatever the paper chosen, the page is for the red-ink form
      s.horizontalOffset = c.h;
      s.verticalOffset = c.v;
      const auto moved = RecordJob(*MakeAlignmentPage(form, s))[0];
      const auto still = RecordJob(*MakeAlignmentPage(form, FormPrintSettings{}))[0];
      const auto a = Crosshairs(moved), b = Crosshairs(still);
      ASSERT_EQ(a.size(), 2u);
      ASSERT_EQ(b.size(), 2u);
      for (int i = 0; i < 2; ++i) EXPECT_EQ(a[i], (PrintPoint{b[i].x + c.dx, b[i].y + c.dy})) << Name(form);
      // The sample data with them (the first data text of the page).
      auto firstData = [](const RecordingCanvas& p) {
        for (const auto& op : p.Texts())
          if (op.font.face == kCourierNew && !op.text.empty()) return PrintPoint{op.x, op.y};
        return PrintPoint{-1000, -1000};
      };
      EXPECT_EQ(firstData(moved), (PrintPoint{firstData(still).x + c.dx, firstData(still).y + c.dy})) << Name(form);
      // The page says which offsets it was printed with.
      bool said = false;
      for (const auto& op : moved.Texts())
        if (op.text.rfind("Printed with the offsets", 0) == 0) {
          said = true;
          char expected[128];
          std::snprintf(expected, sizeof expected, "Printed with the offsets %.2f inch %s and %.2f inch %s.",
                        std::abs(c.h), c.h < 0 ? "to the left" : "to the right", std::abs(c.v), c.v < 0 ? "up" : "down");
          EXPECT_EQ(op.text, expected);
        }
      EXPECT_TRUE(said) << Name(form);
    }
  }
  // The rulers: a mark every tenth of an inch from the paper's edge, along
  // the top and the left of the printable area, whatever the offsets.
  FormPrintSettings s;
  s.horizontalOffset = 0.3;
  for (const PageGeometry geometry : {RecordingCanvas::kLetterPdf, PageGeometry{2100, 2700, 42.3, 42.3}}) {
    const auto page = RecordJob(*MakeAlignmentPage(PrintForm::W2, s), geometry)[0];
    std::vector<int> top, left;
    for (const auto& op : page.OfKind(CanvasOp::Kind::Line)) {
      if (op.x == op.x2 && op.y == 0) top.push_back(op.x);
      if (op.y == op.y2 && op.x == 0) left.push_back(op.y);
    }
    ASSERT_EQ(top.size(), static_cast<size_t>((geometry.printableWidth + geometry.unprintableLeft) / kTenthOfInch) -
                              static_cast<size_t>(std::ceil(geometry.unprintableLeft / kTenthOfInch)) + 1);
    ASSERT_GE(left.size(), 100u);
    for (size_t i = 0; i < top.size(); ++i) {
      const int k = static_cast<int>(std::ceil(geometry.unprintableLeft / kTenthOfInch)) + static_cast<int>(i);
      EXPECT_NEAR(top[i], k * kTenthOfInch - geometry.unprintableLeft, 0.6) << i;
    }
    for (size_t i = 0; i < left.size(); ++i) {
      const int k = static_cast<int>(std::ceil(geometry.unprintableTop / kTenthOfInch)) + static_cast<int>(i);
      EXPECT_NEAR(left[i], k * kTenthOfInch - geometry.unprintableTop, 0.6) << i;
    }
  }
}

}  // namespace
}  // namespace formet
