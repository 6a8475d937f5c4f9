// The drawn forms against the 2007 forms (docs of the forms' grids, captions
// and copies): the rules and boxes of each picture where the form has them,
// and what each copy adds to or leaves out of the picture its copies share,
// as the print puts it on the page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "forms/1099/form1096_print.h"
#include "forms/1099/form1099_print.h"
#include "forms/form_pictures.h"
#include "forms/print/print_options.h"
#include "forms/w2/w2_print.h"
#include "forms/w2/w3_print.h"
#include "picture_pieces.h"
#include "print_fixture.h"
#include "store/text_codec.h"

namespace formet {
namespace {

using test::Area;

// The gaps of a dashed rule, and a little.
constexpr double kDashGap = 9;

const FormPicture& Picture(const std::string& name) {
  static const auto kAll = AllFormPictures();
  for (const auto& p : kAll)
    if (p.file == name) return p;
  ADD_FAILURE() << "no picture " << name;
  return kAll.front();
}

std::set<std::string> AllPictureNames() {
  std::set<std::string> names;
  for (const auto& p : AllFormPictures()) names.insert(p.file);
  return names;
}

// ---- what a page shows -------------------------------------------------------------------
// The rules and texts of the pictures placed on a page, less what the white
// areas of the print paint out, and the lines and texts the print draws. In
// page units; texts in UTF-8.

struct Rule {
  double x1, y1, x2, y2;
  int weight;  // hundredths of a millimetre
  bool dashed;
  bool Horizontal() const { return y1 == y2; }
  bool Vertical() const { return x1 == x2; }
};

struct Art {
  std::vector<Rule> rules;
  std::vector<PictureText> texts;
  std::vector<Area> textCells;
};

void AddRule(std::vector<Rule>& out, Rule r) {
  if (r.x1 > r.x2) std::swap(r.x1, r.x2);
  if (r.y1 > r.y2) std::swap(r.y1, r.y2);
  out.push_back(r);
}

// A rule less the parts a white area covers (rules of the pictures are
// horizontal or vertical).
std::vector<Rule> Clip(const Rule& r, const Area& white) {
  const double half = r.weight / 20.0;
  if (r.Horizontal() && r.y1 - half >= white.top && r.y1 + half <= white.bottom) {
    std::vector<Rule> out;
    if (r.x1 < white.left) out.push_back({r.x1, r.y1, std::min(r.x2, white.left), r.y2, r.weight, r.dashed});
    if (r.x2 > white.right) out.push_back({std::max(r.x1, white.right), r.y1, r.x2, r.y2, r.weight, r.dashed});
    return out;
  }
  if (r.Vertical() && r.x1 - half >= white.left && r.x1 + half <= white.right) {
    std::vector<Rule> out;
    if (r.y1 < white.top) out.push_back({r.x1, r.y1, r.x2, std::min(r.y2, white.top), r.weight, r.dashed});
    if (r.y2 > white.bottom) out.push_back({r.x1, std::max(r.y1, white.bottom), r.x2, r.y2, r.weight, r.dashed});
    return out;
  }
  return {r};
}

Art ArtOf(const RecordingCanvas& page) {
  Art art;
  std::vector<Area> white;
  for (const auto& op : page.OfKind(CanvasOp::Kind::Rect))
    if (op.fill == kWhite) white.push_back(Area{1.0 * op.x, 1.0 * op.y, 1.0 * op.x2, 1.0 * op.y2}.Grown(op.pen.width / 2.0));
  std::vector<Rule> pictureRules;
  for (const auto& op : page.OfKind(CanvasOp::Kind::Picture)) {
    const FormPicture& p = Picture(op.text);
    for (const auto& l : p.lines)
      AddRule(pictureRules, {1.0 * l.x1 + op.x, 1.0 * l.y1 + op.y, 1.0 * l.x2 + op.x, 1.0 * l.y2 + op.y, l.weight, l.dashed});
    for (const auto& r : p.rects) {
      const double l = r.left + op.x, t = r.top + op.y, rt = r.right + op.x, b = r.bottom + op.y;
      for (const Rule side : {Rule{l, t, rt, t, r.weight, false}, Rule{l, b, rt, b, r.weight, false},
                              Rule{l, t, l, b, r.weight, false}, Rule{rt, t, rt, b, r.weight, false}})
        AddRule(pictureRules, side);
    }
    for (auto t : p.texts) {
      const Area cell = Area{1.0 * t.x, 1.0 * t.y, 1.0 * t.Right(), 1.0 * t.Bottom()}.Moved(op.x, op.y);
      bool erased = false;
      for (const auto& w : white) erased = erased || cell.Within(w);
      if (erased) continue;
      t.x += op.x;
      t.y += op.y;
      art.texts.push_back(t);
      art.textCells.push_back(cell);
    }
  }
  for (const auto& r : pictureRules) {
    std::vector<Rule> pieces{r};
    for (const auto& w : white) {
      std::vector<Rule> next;
      for (const auto& piece : pieces)
        for (const auto& kept : Clip(piece, w)) next.push_back(kept);
      pieces = next;
    }
    art.rules.insert(art.rules.end(), pieces.begin(), pieces.end());
  }
  for (const auto& op : page.OfKind(CanvasOp::Kind::Line))
    AddRule(art.rules, {1.0 * op.x, 1.0 * op.y, 1.0 * op.x2, 1.0 * op.y2, op.pen.width * 10, false});
  for (const auto& op : page.Texts()) {
    art.texts.push_back({op.x, op.y, Win1252ToUtf8(op.text), op.font});
    art.textCells.push_back({1.0 * op.x, 1.0 * op.y, 1.0 * op.x2, 1.0 * op.y2});
  }
  return art;
}

int CountText(const Art& art, const std::string& text) {
  return static_cast<int>(std::count_if(art.texts.begin(), art.texts.end(), [&](const PictureText& t) { return t.text == text; }));
}

// Whether rules at `at` (within `tolerance`), at least `minWeight` heavy, run
// from `from` to `to` without a gap wider than `gap` (the gaps of a dashed
// rule).
bool Covered(const std::vector<Rule>& rules, bool horizontal, double at, double from, double to, double tolerance,
             int minWeight = 0, double gap = 1.0) {
  std::vector<std::pair<double, double>> spans;
  for (const auto& r : rules) {
    if (r.weight < minWeight) continue;
    if (horizontal && r.Horizontal() && std::abs(r.y1 - at) <= tolerance) spans.push_back({r.x1, r.x2});
    if (!horizontal && r.Vertical() && std::abs(r.x1 - at) <= tolerance) spans.push_back({r.y1, r.y2});
  }
  std::sort(spans.begin(), spans.end());
  double reached = from + tolerance;
  for (const auto& [a, b] : spans) {
    if (a > reached + gap) break;
    reached = std::max(reached, b);
  }
  return reached >= to - tolerance;
}
bool HRule(const std::vector<Rule>& r, double y, double x1, double x2, double tol = 3, int minWeight = 0, double gap = 1) {
  return Covered(r, true, y, x1, x2, tol, minWeight, gap);
}
bool VRule(const std::vector<Rule>& r, double x, double y1, double y2, double tol = 3, int minWeight = 0) {
  return Covered(r, false, x, y1, y2, tol, minWeight);
}

std::vector<Rule> RulesOf(const FormPicture& p) {
  RecordingCanvas page;
  page.DrawPicture(p.file, 0, 0, p.width, p.height);
  return ArtOf(page).rules;
}

// ---- Form W-2 ----------------------------------------------------------------------------
// The 2007 form's grid, in millimetres from the top-left corner of the
// paper for Copy A (other copies have the same grid).
constexpr double kW2Left = 12.9, kW2Top = 13.1;

struct W2Frame {
  double left, top;  // picture units
  double X(double mm) const { return left + (mm - kW2Left) * 10; }
  double Y(double mm) const { return top + (mm - kW2Top) * 10; }
};

std::vector<W2Frame> W2Frames(const FormPicture& p) {
  std::vector<W2Frame> frames;
  for (const auto& r : p.rects)
    if (r.weight == kRuleBorder) frames.push_back({1.0 * r.left, 1.0 * r.top});
  return frames;
}

TEST(FormArtwork, W2GridFollowsThe2007Form) {
  for (const char* name : {"Help1.svg", "Updater.dll"}) {
    const FormPicture& p = Picture(name);
    const auto rules = RulesOf(p);
    const auto frames = W2Frames(p);
    ASSERT_EQ(frames.size(), std::string(name) == "Updater.dll" ? 2u : 1u) << name;
    for (const W2Frame& f : frames) {
      // Boxes 1 to 12a and 13 to 12b: every row rule runs across both
      // columns, boxes 12c and 12d across box 12's column.
      for (double y : {21.5, 30.0, 38.4, 46.9, 55.3, 63.8, 72.2})
        EXPECT_TRUE(HRule(rules, f.Y(y), f.X(116.8), f.X(203.2))) << name << ": the rule at y " << y;
      for (double y : {80.7, 89.1, 97.6})
        EXPECT_TRUE(HRule(rules, f.Y(y), f.X(160.0), f.X(203.2))) << name << ": the rule at y " << y;
      // The left column's rules, and the one under row e on Copy A only.
      for (double y : {30.0, 55.3, 63.8})
        EXPECT_TRUE(HRule(rules, f.Y(y), f.X(12.9), f.X(116.8))) << name << ": the rule at y " << y;
      EXPECT_EQ(HRule(rules, f.Y(72.2), f.X(12.9), f.X(116.8)), std::string(name) == "Updater.dll")
          << name << ": the rule under row e";
      // The columns, and the bottom band's dividers.
      for (double x : {116.8, 160.0}) EXPECT_TRUE(VRule(rules, f.X(x), f.Y(21.5), f.Y(101.8))) << name << ": x " << x;
      for (double x : {23.0, 68.7, 99.1, 127.0, 157.5, 185.4})
        EXPECT_TRUE(VRule(rules, f.X(x), f.Y(101.8), f.Y(118.8))) << name << ": the band divider at x " << x;
      // Box 13's check boxes, 3.5 mm wide at 12.7 mm apart.
      const char* checks[3] = {"13-statutory", "13-retirement", "13-sick-pay"};
      for (int i = 0; i < 3; ++i) {
        const PictureBox* box = nullptr;
        for (const auto& b : p.boxes)
          if (b.id == checks[i] && std::abs(b.top - f.Y(76.5)) < 30) box = &b;
        ASSERT_NE(box, nullptr) << name << ": " << checks[i];
        EXPECT_NEAR(box->left, f.X(122.9 + 12.7 * i), 3) << name << ": " << checks[i];
        EXPECT_NEAR(box->right - box->left, 35, 2) << name << ": " << checks[i];
        EXPECT_NEAR(box->top, f.Y(76.5), 6) << name << ": " << checks[i];
      }
    }
  }
}

std::vector<RecordingCanvas> PrintW2Copy(int blankCopyType) {
  test::PrintPayroll payroll(2);
  payroll.forms[0].SetStateWages1("1600.00");
  payroll.forms[0].SetStateIncomTax1("170.00");
  payroll.forms[0].SetLocalWages1("1800.00");
  payroll.forms[0].SetLocalIncomeTax1("190.00");
  payroll.forms[0].SetLocalityName1("TOWN");
  FormPrintSettings s;
  s.paperType = 0;
  s.blankCopyType = blankCopyType;
  s.printTarget = 1;
  return RecordJob(W2PrintJob({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, s),
                   RecordingCanvas::kLetterPdf, AllPictureNames());
}

// The caption of the upper form: the texts in the caption's font, by line.
std::string W2Caption(const RecordingCanvas& page) {
  std::vector<CanvasOp> lines;
  for (const auto& op : page.Texts())
    if (op.font == FontSpec{"Arial", 70, true} && op.y < 1300) lines.push_back(op);
  std::sort(lines.begin(), lines.end(), [](const CanvasOp& a, const CanvasOp& b) { return a.y < b.y; });
  std::string caption;
  for (const auto& op : lines) {
    std::string text = Win1252ToUtf8(op.text);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (text.empty()) continue;
    caption += (caption.empty() ? "" : " ") + text;
  }
  return caption;
}

// The data of the bottom band's boxes 16 to 20 start at least 1.2 mm right
// of the dividers that stand where the 2007 form has them.
TEST(FormArtwork, W2BandDataClearTheDividers) {
  for (int copy : {3, kW2CopyASubstitute}) {
    const auto page = PrintW2Copy(copy)[0];
    const auto& picture = Picture(copy == 3 ? "Help1.svg" : "Updater.dll");
    const auto placed = page.OfKind(CanvasOp::Kind::Picture)[0];
    struct Item {
      const char* text;
      const char* box;
    };
    test::PrintPayroll payroll(2);
    for (const Item& item : {Item{"1600.00", "16-1"}, Item{"170.00", "17-1"}, Item{"1800.00", "18-1"},
                             Item{"190.00", "19-1"}, Item{"TOWN", "20-1"}}) {
      const CanvasOp* op = page.FindText(item.text);
      ASSERT_NE(op, nullptr) << item.text;
      const PictureBox* box = picture.FindBox(item.box);
      ASSERT_NE(box, nullptr);
      EXPECT_GE(op->x - placed.x - box->left, 12) << "copy " << copy << ": " << item.text;
    }
  }
}

TEST(FormArtwork, EachW2CopyCarriesWhatThe2007CopyHas) {
  struct Case {
    int copy;
    const char* caption;
    bool heavyBoxes12;  // boxes 1 and 2 in the heavy border of box a
    bool voidBox;
  };
  const Case cases[] = {
      {1, "Copy 1\u2014For State, City, or Local Tax Department", false, false},
      {2, "Copy 2\u2014To Be Filed With Employee's State, City, or Local Income Tax Return.", false, false},
      {3,
       "Copy B\u2014To Be Filed With Employee's FEDERAL Tax Return. This information is being furnished to the "
       "Internal Revenue Service.",
       true, false},
      {4, "Copy C\u2014For EMPLOYEE'S RECORDS (See Notice to Employee on the back of Copy B.)", false, false},
      {5, "Copy D\u2014For Employer.", false, true},
  };
  const FormPicture& copy = Picture("Help1.svg");
  for (const Case& c : cases) {
    const auto page = PrintW2Copy(c.copy)[0];
    const Art art = ArtOf(page);
    EXPECT_EQ(W2Caption(page), c.caption) << c.copy;
    const auto pictures = page.OfKind(CanvasOp::Kind::Picture);
    ASSERT_EQ(pictures.size(), 2u);
    for (const auto& placed : pictures) {
      for (const char* id : {"1", "2"}) {
        const PictureBox* b = copy.FindBox(id);
        ASSERT_NE(b, nullptr);
        const double l = b->left + placed.x, t = b->top + placed.y, r = b->right + placed.x, bt = b->bottom + placed.y;
        const bool heavy = HRule(art.rules, t, l, r, 3, kRuleHeavy) && HRule(art.rules, bt, l, r, 3, kRuleHeavy) &&
                           VRule(art.rules, l, t, bt, 3, kRuleHeavy) && VRule(art.rules, r, t, bt, 3, kRuleHeavy);
        EXPECT_EQ(heavy, c.heavyBoxes12) << "copy " << c.copy << ", box " << id;
      }
    }
    EXPECT_EQ(CountText(art, "Void"), c.voidBox ? 2 : 0) << c.copy;
    EXPECT_EQ(CountText(art, "For Privacy Act and Paperwork Reduction Act Notice, see back of Copy D."),
              c.voidBox ? 2 : 0)
        << c.copy;
    // Copy A's own marks stay on Copy A.
    EXPECT_EQ(CountText(art, "22222"), 0) << c.copy;
  }
}

// The laser substitute prints its data in 12-point Courier New, the size the
// SSA asks for, where a value fits its box at that size (on the baseline of
// the layout's 10-point text); elsewhere in 10 points.
TEST(FormArtwork, W2CopyAPrintsItsDataIn12PointCourierWhereItFits) {
  test::PrintPayroll payroll(2);
  payroll.employees[1].SetFirstName("Maximiliano-Jose");  // with the initial, too wide for box e at 12 points
  FormPrintSettings s;
  s.paperType = 0;
  s.blankCopyType = kW2CopyASubstitute;
  s.printTarget = 1;
  const auto page = RecordJob(W2PrintJob({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, s),
                              RecordingCanvas::kLetterPdf, AllPictureNames())[0];
  std::set<std::string> small;
  for (const auto& op : page.Texts()) {
    if (op.font.face != "Courier New" || op.text.find_first_not_of(' ') == std::string::npos) continue;
    if (op.font.tenthsOfPoint == 100) small.insert(op.text);
    else if (op.text == "AA 07") EXPECT_EQ(op.font.tenthsOfPoint, 85);  // fitted into the code column
    else if (op.font.tenthsOfPoint != 120) ADD_FAILURE() << op.text << " in " << op.font.tenthsOfPoint;
  }
  // Everything else is in 12 points (box 12a's code with its year fits its
  // code column only in 8.5 points).
  EXPECT_EQ(small, (std::set<std::string>{"Maximiliano-Jose Q"}));
  // Box 1: the 10-point place (1082 + 73 - 63 + 41, 123 + 50 - 63 + 47 + 34)
  // less the rise of the 12-point cell on the same baseline.
  EXPECT_EQ(test::At(page.FindText("1000.00")), (PrintPoint{1133, 191 - 6}));
  EXPECT_EQ(test::At(page.FindText("Maximiliano-Jose Q")), (PrintPoint{52 + 73 - 63 + 41, 542 + 50 - 63 + 47 + 34 + 1395}));
}

TEST(FormArtwork, W2FourUpCutLinesLieAtTheMiddleOfTheSheet) {
  const auto page = PrintW2Copy(kW2FourUp)[0];
  const Art art = ArtOf(page);
  // The printable area of a PDF page: a quarter inch from the paper's edges.
  const double middleX = 1079.5 - 63.5, middleY = 1397.0 - 63.5;
  EXPECT_TRUE(VRule(art.rules, middleX, 0, 2667, 3)) << "the cut line at x 108.0 mm";
  double dashedAtX = 0;
  for (const auto& r : art.rules)
    if (r.dashed && r.Vertical()) dashedAtX = r.x1;
  EXPECT_NEAR(dashedAtX, middleX, 3);
  bool horizontal = false;
  for (const auto& r : art.rules)
    if (r.dashed && r.Horizontal() && std::abs(r.y1 - middleY) <= 3) horizontal = true;
  EXPECT_TRUE(horizontal) << "the cut line at y 139.7 mm";
  // The captions of Copies B, C, 2 and 2, in the form's words.
  EXPECT_EQ(CountText(art, "Copy B—To Be Filed With Employee’s FEDERAL Tax Return."), 1);
  EXPECT_EQ(CountText(art, "Copy C—For EMPLOYEE’S RECORDS (See Notice to Employee on the back of Copy B.)"), 1);
  EXPECT_EQ(CountText(art, "Copy 2—To Be Filed With Employee’s State, City, or Local Income Tax Return."), 2);
  // Every text of the sheet lies in one quarter.
  for (const auto& cell : art.textCells) {
    EXPECT_FALSE(cell.left < middleX && cell.right > middleX) << test::Show(cell) << " crosses the upright cut";
    EXPECT_FALSE(cell.top < middleY && cell.bottom > middleY) << test::Show(cell) << " crosses the level cut";
  }
}

// ---- Form 1099-MISC -------------------------------------------------------------------------
// The 2007 grid in millimetres from the paper's corner; the copy's picture
// is placed so that its upper form lies on it on a PDF page.
struct MiscFrame {
  double x0, y0;  // where the picture is placed
  double X(double mm) const { return x0 + mm * 10 - 63.5 - 20; }
  double Y(double mm) const { return y0 + mm * 10 - 63.5 - 10; }
};

TEST(FormArtwork, EachForm1099CopyCarriesWhatThe2007CopyHas) {
  struct Case {
    int copy;
    bool voidBox;
    const char* corrected;
  };
  const Case cases[] = {{0, true, "CORRECTED"}, {1, false, "CORRECTED (if checked)"}, {2, false, "CORRECTED"},
                        {3, true, "CORRECTED"}};
  const test::PrintContractors people(3);
  for (const Case& c : cases) {
    FormPrintSettings s;
    s.paperType = 0;
    s.blankCopyType = c.copy;
    s.printTarget = 1;
    const auto pages = RecordJob(Form1099PrintJob({&people.company, &people.contractors, &people.forms, people.order, 0}, s),
                                 RecordingCanvas::kLetterPdf, AllPictureNames());
    ASSERT_EQ(pages.size(), 2u);
    const Art art = ArtOf(pages[0]);
    for (const auto& placed : pages[0].OfKind(CanvasOp::Kind::Picture)) {
      const MiscFrame f{1.0 * placed.x, 1.0 * placed.y};
      EXPECT_TRUE(VRule(art.rules, f.X(202.3), f.Y(16.9), f.Y(131.2))) << "copy " << c.copy << ": the right border";
      // Boxes 17 and 18 start under the money columns they continue.
      for (double x : {138.8, 174.4})
        EXPECT_TRUE(VRule(art.rules, f.X(x), f.Y(118.5), f.Y(131.2))) << "copy " << c.copy << ": state band at x " << x;
      // The dashed rule between the two state lines, across boxes 16 to 18.
      double dashedAt = -1;
      for (const auto& r : art.rules)
        if (r.dashed && r.Horizontal() && r.y1 > f.Y(118.5) + 30 && r.y1 < f.Y(131.2) - 30) dashedAt = r.y1;
      EXPECT_GE(dashedAt, 0) << "copy " << c.copy << ": the dashed rule between the state lines";
      EXPECT_TRUE(HRule(art.rules, dashedAt, f.X(105.0), f.X(202.3), 3, 0, kDashGap))
          << "copy " << c.copy << ": the dashed rule's length";
    }
    EXPECT_EQ(CountText(art, "VOID"), c.voidBox ? 2 : 0) << c.copy;
    EXPECT_EQ(CountText(art, c.corrected), 2) << c.copy;
    EXPECT_EQ(CountText(art, "CORRECTED") + CountText(art, "CORRECTED (if checked)"), 2) << c.copy;
    // The lower form of the single-form page is marked VOID only where the
    // copy has the box (no other mark is due on it).
    size_t marks = 0;
    for (const auto& op : pages[1].OfKind(CanvasOp::Kind::Line))
      if (op.x != op.x2 && op.y != op.y2) ++marks;
    EXPECT_EQ(marks, c.voidBox ? 2u : 0u) << c.copy;
  }
}

// ---- the "COPY" stamps ----------------------------------------------------------------------

// Where the outlined glyphs of the stamp lie (capitals of Times New Roman,
// at most 2.7 ems wide, from 0.22 to 0.9 em below the top of its cell), with
// the pen around them.
Area StampGlyphs(const CanvasOp& stamp) {
  const double em = FontEm(stamp.font), centre = (stamp.x + stamp.x2) / 2.0;
  return Area{centre - 1.35 * em, stamp.y + 0.22 * em, centre + 1.35 * em, stamp.y + 0.9 * em}.Grown(stamp.pen.width / 2.0);
}

TEST(FormArtwork, CopyStampsCoverNothingOfTheForm) {
  const test::PrintPayroll payroll(2);
  FormPrintSettings s;
  s.paperType = 0;
  const auto w3 = RecordJob(W3PrintJob(BuildW3Page(payroll.company, payroll.forms), s), RecordingCanvas::kLetterPdf,
                            AllPictureNames())[0];
  const test::PrintContractors people(2);
  const auto f1096 = RecordJob(Form1096PrintJob(Build1096Page(people.company, people.forms), s),
                               RecordingCanvas::kLetterPdf, AllPictureNames())[0];
  for (const auto* page : {&w3, &f1096}) {
    const auto stamps = page->OfKind(CanvasOp::Kind::OutlinedText);
    ASSERT_EQ(stamps.size(), 1u);
    EXPECT_EQ(stamps[0].text, "COPY");
    const Area glyphs = StampGlyphs(stamps[0]);
    const Art art = ArtOf(*page);
    for (const auto& r : art.rules) {
      const double half = r.weight / 20.0;
      const Area rule{r.x1 - half, r.y1 - half, r.x2 + half, r.y2 + half};
      EXPECT_FALSE(glyphs.Meets(rule)) << "the stamp " << test::Show(glyphs) << " covers a rule at " << test::Show(rule);
    }
    for (size_t i = 0; i < art.texts.size(); ++i)
      EXPECT_FALSE(glyphs.Meets(art.textCells[i]))
          << "the stamp " << test::Show(glyphs) << " covers \"" << art.texts[i].text << "\"";
    // Inside the page.
    EXPECT_GE(glyphs.top, 0);
    EXPECT_LE(glyphs.right, 2032);
  }
}

}  // namespace
}  // namespace formet
