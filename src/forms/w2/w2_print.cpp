#include "forms/w2/w2_print.h"

#include <cmath>
#include <optional>
#include <utility>

#include "forms/print/box_fit.h"
#include "forms/print/print_options.h"
#include "forms/print/form_picture.h"
#include "forms/w2/box12_codes.h"
#include "forms/w2/box15_lines.h"
#include "forms/w2/w2_pictures.h"
#include "records/employees.h"
#include "store/ui_services.h"

namespace formet {
namespace {

// Each entry in its three variants: red-ink form, blank paper, 4-Up grid.
// The unused entries (6, 7, 10, 15, 16) are kept at (0, 0).
constexpr PrintPoint kW2Table[kW2LayoutEntries][3] = {
    /* 0 d control number      */ {{52, 463}, {52, 463}, {89, 540}},
    /* 1 b EIN                 */ {{52, 123}, {52, 123}, {89, 267}},
    /* 2 c employer's name     */ {{52, 210}, {52, 210}, {89, 360}},
    /* 3 c address line 1      */ {{52, 253}, {52, 253}, {89, 396}},
    /* 4 c address line 2      */ {{52, 296}, {52, 296}, {89, 430}},
    /* 5 c city, state, ZIP    */ {{52, 339}, {52, 339}, {89, 464}},
    /* 6                       */ {},
    /* 7                       */ {},
    /* 8 a employee's SSN      */ {{460, 36}, {460, 36}, {89, 174}},
    /* 9 e first, middle name  */ {{52, 542}, {52, 542}, {89, 615}},
    /* 10                      */ {},
    /* 11 e last name          */ {{549, 542}, {547, 542}, {584, 615}},
    /* 12 f address line 1     */ {{52, 629}, {52, 629}, {89, 651}},
    /* 13 f address line 2     */ {{52, 716}, {52, 716}, {89, 685}},
    /* 14 f city, state, ZIP   */ {{52, 803}, {52, 803}, {89, 719}},
    /* 15                      */ {},
    /* 16                      */ {},
    /* 17 box 1                */ {{1082, 123}, {1082, 123}, {373, 154}},
    /* 18 box 2                */ {{1542, 123}, {1542, 123}, {724, 154}},
    /* 19 box 3                */ {{1082, 210}, {1082, 207}, {373, 219}},
    /* 20 box 4                */ {{1542, 210}, {1542, 207}, {724, 219}},
    /* 21 box 5                */ {{1082, 297}, {1082, 293}, {373, 281}},
    /* 22 box 6                */ {{1542, 297}, {1542, 293}, {724, 281}},
    /* 23 box 7                */ {{1082, 384}, {1082, 376}, {89, 789}},
    /* 24 box 8                */ {{1542, 384}, {1542, 376}, {419, 789}},
    /* 25 box 9                */ {{1082, 469}, {1082, 462}, {755, 789}},
    /* 26 box 10               */ {{1542, 469}, {1542, 462}, {89, 855}},
    /* 27 box 11               */ {{1082, 555}, {1082, 546}, {419, 855}},
    /* 28 box 12a code, year   */ {{1514, 555}, {1514, 546}, {755, 855}},
    /* 29 box 12a amount       */ {{1622, 555}, {1622, 546}, {855, 855}},
    /* 30 box 12b code, year   */ {{1514, 640}, {1514, 633}, {755, 920}},
    /* 31 box 12b amount       */ {{1622, 640}, {1622, 633}, {855, 920}},
    /* 32 box 12c code, year   */ {{1514, 720}, {1514, 717}, {755, 988}},
    /* 33 box 12c amount       */ {{1622, 720}, {1622, 717}, {855, 988}},
    /* 34 box 12d code, year   */ {{1514, 801}, {1514, 796}, {755, 1052}},
    /* 35 box 12d amount       */ {{1622, 801}, {1622, 796}, {855, 1052}},
    /* 36 13 statutory         */ {{1118, 586}, {1117, 576}, {142, 861}},
    /* 37                      */ {{1137, 610}, {1136, 600}, {168, 887}},
    /* 38                      */ {{1137, 586}, {1136, 576}, {168, 861}},
    /* 39                      */ {{1118, 610}, {1117, 600}, {142, 887}},
    /* 40 13 retirement plan   */ {{1245, 586}, {1244, 576}, {142, 931}},
    /* 41                      */ {{1264, 610}, {1263, 600}, {168, 957}},
    /* 42                      */ {{1264, 586}, {1263, 576}, {168, 931}},
    /* 43                      */ {{1245, 610}, {1244, 600}, {142, 957}},
    /* 44 13 third-party sick  */ {{1375, 586}, {1374, 576}, {142, 993}},
    /* 45                      */ {{1394, 610}, {1393, 600}, {168, 1019}},
    /* 46                      */ {{1394, 586}, {1393, 576}, {168, 993}},
    /* 47                      */ {{1375, 610}, {1374, 600}, {142, 1019}},
    /* 48 box 14 third line    */ {{1082, 832}, {1082, 832}, {337, 1048}},
    /* 49 15 state, line 1     */ {{52, 926}, {50, 928}, {75, 1098}},
    /* 50 15 state, line 2     */ {{52, 1005}, {50, 1002}, {75, 1132}},
    /* 51 15 state ID, line 1  */ {{152, 926}, {152, 928}, {158, 1098}},
    /* 52 15 state ID, line 2  */ {{152, 1005}, {152, 1002}, {158, 1132}},
    /* 53 box 16, line 1       */ {{579, 926}, {577, 928}, {417, 1098}},
    /* 54 box 16, line 2       */ {{579, 1005}, {577, 1002}, {417, 1132}},
    /* 55 box 17, line 1       */ {{884, 926}, {882, 928}, {755, 1098}},
    /* 56 box 17, line 2       */ {{884, 1005}, {882, 1002}, {755, 1132}},
    /* 57 box 18, line 1       */ {{1162, 926}, {1162, 928}, {75, 1209}},
    /* 58 box 18, line 2       */ {{1162, 1005}, {1162, 1002}, {75, 1240}},
    /* 59 box 19, line 1       */ {{1472, 926}, {1472, 928}, {417, 1209}},
    /* 60 box 19, line 2       */ {{1472, 1005}, {1472, 1002}, {417, 1240}},
    /* 61 box 20, line 1       */ {{1752, 926}, {1752, 928}, {755, 1209}},
    /* 62 box 20, line 2       */ {{1752, 1005}, {1752, 1002}, {755, 1240}},
};

// The box each entry's text goes in, by the names of the form's drawing
// (the 4-Up sheet joins e and f into "ef"). Entries that hold no text (the
// unused ones and the strokes of box 13's crosses) have none.
constexpr const char* kW2EntryBox[kW2LayoutEntries] = {
    "d", "b", "c", "c", "c", "c", "", "", "a", "e-first", "", "e-last", "f", "f", "f", "", "",
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11",
    "12a-code", "12a", "12b-code", "12b", "12c-code", "12c", "12d-code", "12d",
    "", "", "", "", "", "", "", "", "", "", "", "",
    "14", "15-state-1", "15-state-2", "15-id-1", "15-id-2", "16-1", "16-2", "17-1", "17-2", "18-1", "18-2",
    "19-1", "19-2", "20-1", "20-2"};

// The boxes of the 2007 form (Copy A, as measured), for the red-ink print.
// Box f's label sits at the foot of the address area, from y 97.6.
const std::vector<GridBox>& W2RedInkGrid() {
  static const std::vector<GridBox> kGrid = [] {
    std::vector<GridBox> g = {
        {"a", 53.4, 13.1, 99.1, 21.5, 0.7},
        {"b", 12.9, 21.5, 116.8, 30.0},
        {"c", 12.9, 30.0, 116.8, 55.3},
        {"d", 12.9, 55.3, 116.8, 63.8},
        {"e-first", 12.9, 63.8, 61.1, 72.2},
        {"e-last", 61.1, 63.8, 109.2, 72.2},
        {"e-suffix", 109.2, 63.8, 116.8, 72.2},
        {"f", 12.9, 72.2, 116.8, 97.6},
        {"11", 116.8, 63.8, 160.0, 72.2},
        {"14", 116.8, 80.7, 160.0, 101.8},
    };
    // Boxes 1-10, two columns of five rows.
    const double rows[6] = {21.5, 30.0, 38.4, 46.9, 55.3, 63.8};
    static const char* const kNumbers[10] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    for (int i = 0; i < 10; ++i) {
      const double left = i % 2 == 0 ? 116.8 : 160.0;
      g.push_back({kNumbers[i], left, rows[i / 2], left + 43.2, rows[i / 2 + 1]});
    }
    // Box 12: a code column and the amount, four lines.
    static const char* const kCodes[4] = {"12a-code", "12b-code", "12c-code", "12d-code"};
    static const char* const kAmounts[4] = {"12a", "12b", "12c", "12d"};
    const double lines12[5] = {63.8, 72.2, 80.7, 89.1, 97.6};
    for (int i = 0; i < 4; ++i) {
      g.push_back({kCodes[i], 160.0, lines12[i], 172.7, lines12[i + 1]});
      g.push_back({kAmounts[i], 172.7, lines12[i], 203.2, lines12[i + 1]});
    }
    // The bottom band, two lines split by a dashed rule.
    static const char* const kBand[2][7] = {
        {"15-state-1", "15-id-1", "16-1", "17-1", "18-1", "19-1", "20-1"},
        {"15-state-2", "15-id-2", "16-2", "17-2", "18-2", "19-2", "20-2"}};
    const double columns[8] = {12.9, 23.0, 68.7, 99.1, 127.0, 157.5, 185.4, 203.2};
    const double lines[3] = {101.8, 110.3, 118.8};
    for (int line = 0; line < 2; ++line)
      for (int i = 0; i < 7; ++i) g.push_back({kBand[line][i], columns[i], lines[line], columns[i + 1], lines[line + 1]});
    return g;
  }();
  return kGrid;
}

std::string_view W2BoxCaption(std::string_view id) {
  static const std::pair<std::string_view, std::string_view> kCaptions[] = {
      {"a", "a Employee's social security number"},
      {"b", "b Employer identification number"},
      {"c", "c Employer's name, address, and ZIP code"},
      {"d", "d Control number"},
      {"e-first", "e Employee's first name and initial"},
      {"e-last", "e Last name"},
      {"e-suffix", "e Suffix"},
      {"f", "f Employee's address and ZIP code"},
      {"ef", "e/f Employee's name, address, and ZIP code"},
      {"1", "1 Wages, tips, other compensation"},
      {"2", "2 Federal income tax withheld"},
      {"3", "3 Social security wages"},
      {"4", "4 Social security tax withheld"},
      {"5", "5 Medicare wages and tips"},
      {"6", "6 Medicare tax withheld"},
      {"7", "7 Social security tips"},
      {"8", "8 Allocated tips"},
      {"9", "9 Advance EIC payment"},
      {"10", "10 Dependent care benefits"},
      {"11", "11 Nonqualified plans"},
      {"12a-code", "12a code and year"},
      {"12a", "12a amount"},
      {"12b-code", "12b code and year"},
      {"12b", "12b amount"},
      {"12c-code", "12c code and year"},
      {"12c", "12c amount"},
      {"12d-code", "12d code and year"},
      {"12d", "12d amount"},
      {"14", "14 Other"},
      {"15-state-1", "15 State, line 1"},
      {"15-state-2", "15 State, line 2"},
      {"15-id-1", "15 Employer's state ID number, line 1"},
      {"15-id-2", "15 Employer's state ID number, line 2"},
      {"16-1", "16 State wages, tips, etc., line 1"},
      {"16-2", "16 State wages, tips, etc., line 2"},
      {"17-1", "17 State income tax, line 1"},
      {"17-2", "17 State income tax, line 2"},
      {"18-1", "18 Local wages, tips, etc., line 1"},
      {"18-2", "18 Local wages, tips, etc., line 2"},
      {"19-1", "19 Local income tax, line 1"},
      {"19-2", "19 Local income tax, line 2"},
      {"20-1", "20 Locality name, line 1"},
      {"20-2", "20 Locality name, line 2"},
  };
  return NameOfBox(kCaptions, id);
}

// The boxes of the drawings, in their own units, one set a form of a sheet.
const std::vector<FormBoxes>& CopyBoxes() {
  static const auto kBoxes = BoxesOfPicture(W2CopyPicture());
  return kBoxes;
}
const std::vector<FormBoxes>& CopyABoxes() {
  static const auto kBoxes = BoxesOfPicture(W2CopyAPicture());
  return kBoxes;
}
const std::vector<FormBoxes>& FourUpBoxes() {
  static const auto kBoxes = BoxesOfPicture(W2FourUpPicture());
  return kBoxes;
}

// The 4-Up grid, and where its four copies of the form start in it.
constexpr int kFourUpGridWidth = 2160;
constexpr int kFourUpGridHeight = 2790;
constexpr PrintPoint kFourUpQuadrants[4] = {{0, 0}, {1033, 0}, {0, 1372}, {1033, 1372}};

// Blank-paper copies: the picture twice, each form's captions.
constexpr PrintPoint kCopyPictureAt[2] = {{50, 59}, {50, 1424}};
constexpr int kCopyPictureWidth = 1980, kCopyPictureHeight = 1340;
constexpr int kCaptionSheetPitch = 1364;  // the bottom form's captions lie this much lower

struct CopyCaption {
  const char* line1;
  const char* line2;
};
// Blank copy types 1-5: Copies 1, 2, B, C, D, in the form's words and with
// its dash (Windows-1252 0x97).
constexpr CopyCaption kCaptions[5] = {
    {"Copy 1\x97" "For State, City, or Local Tax Department", " "},
    {"Copy 2\x97" "To Be Filed With Employee's State, City, or Local ", "Income Tax Return."},
    {"Copy B\x97" "To Be Filed With Employee's FEDERAL Tax Return.",
     "This information is being furnished to the Internal Revenue Service."},
    {"Copy C\x97" "For EMPLOYEE'S RECORDS (See Notice to ", "Employee on the back of Copy B.)"},
    {"Copy D\x97" "For Employer.", " "},
};
constexpr PrintPoint kCaptionLine1At{85, 1234};
// The second caption line continues the first in the form's footer, one line
// below it. (Placed at the top right, where the copies' notices are blanked
// and written, it was cut off on Copy 2 and ran through Copy C's notice.)
constexpr PrintPoint kCaptionLine2At{85, 1266};
constexpr int kCaptionPoints = 7;
constexpr int kNoticePoints = 6;
// Blanked on every copy but B: the top right corner of each form.
constexpr int kTopRightBlank[4] = {1240, 89, 1970, 159};
// Blanked on Copies 1, 2, B and D: the bottom right of each form's footer.
constexpr int kFooterBlank[4] = {1260, 1204, 1990, 1274};
// Copy C's notice, written where the top right corner was blanked.
constexpr const char* kCopyCNotice[3] = {
    "This information is being furnished to the Internal Revenue Service. If you",
    "are required to file a tax return, a negligence penalty or other sanction may",
    "be imposed on you if this income is taxable and you fail to report it."};
constexpr int kCopyCNoticeY[3] = {89, 112, 137};
constexpr int kCopyCNoticeX = 1190;

constexpr int kBlankCopyB = 3, kBlankCopyC = 4;

std::string CityLine(const std::string& city, const std::string& state, const std::string& zip,
                     bool commaOnlyAfterCity) {
  std::string line = city;
  if (!commaOnlyAfterCity || !city.empty()) line += ", ";
  return line + state + " " + zip;
}

// A 12-point line of the laser substitute is moved at most this far from the
// baseline of the layout's 10-point text to fit its box (the lines of box c
// lie 43 apart).
constexpr int kCopyAMostMoved = 3;

// The data of one form, every item moved by (dx, dy), each in its box.
// `copyA`: the laser substitute, whose data take 12 points wherever they
// fit, on the baseline of the layout's 10-point text.
void DrawW2Data(Canvas& c, const W2LayoutTable& e, int dx, int dy, bool fourUp, const CompanyRecord& company,
                const EmployeeRecord& employee, const W2Record& w, const FormBoxes& boxes, const FontSpec& font,
                bool copyA = false) {
  FormWriter out(c, boxes, font, "Form W-2 of " + EmployeeFullName(employee) + " (" + employee.SocialSecurityNumber() + ")",
                 W2BoxCaption);
  if (copyA) out.PreferLarger(CourierNew(12), kCopyAMostMoved);
  auto at = [&](int i) { return PrintPoint{e[i].x + dx, e[i].y + dy}; };
  auto text = [&](int i, const std::string& s) { out.Text(at(i), s, kW2EntryBox[i]); };
  auto amount = [&](int i, const std::string& s) { out.Amount(at(i), s, kW2EntryBox[i]); };

  text(0, company.FormW3ControlNumber());
  text(1, company.EmployerIdentificationNumber());
  text(2, company.EmployerName());
  text(3, company.Address1());
  text(4, company.Address2());
  text(5, CityLine(company.City(), company.State(), company.Zip(), false));
  text(8, employee.SocialSecurityNumber());
  if (fourUp) {
    // The whole name, suffix included, on the line of e and f.
    out.Text(at(9), EmployeeFullName(employee), "ef");
    for (int i : {12, 13, 14}) {
      const std::string& line =
          i == 12 ? employee.Address1() : i == 13 ? employee.Address2() : CityLine(employee.City(), employee.State(),
                                                                               employee.Zip(), true);
      out.Text(at(i), line, "ef");
    }
  } else {
    text(9, employee.FirstName() + " " + employee.MiddleName());
    text(11, employee.LastName());
    out.Text({2 * e[11].x - e[9].x - 58 + dx, e[11].y + dy}, employee.Suffix(), "e-suffix");
    text(12, employee.Address1());
    text(13, employee.Address2());
    text(14, CityLine(employee.City(), employee.State(), employee.Zip(), true));
  }

  const std::string boxes11[11] = {w.Wages(),           w.FederalIncomeTaxWithdrawal(), w.SocialSecurityWages(),
                                    w.SocialSecurityTaxWithheld(), w.MedicareWages(), w.MedicareTaxWithheld(),
                                    w.SocialSecurityTips(), w.AllocatedTips(), w.AdvancEICPayment(),
                                    w.DependentCareBenefits(), w.NonQualifiedPlans()};
  for (int i = 0; i < 11; ++i) amount(17 + i, boxes11[i]);

  // Box 12: the code and its year in the code cell, the amount beside it.
  const std::string box12[4][3] = {{w.Field12aCode(), w.Field12aYear(), w.Field12aAmount()},
                                    {w.Field12bCode(), w.Field12bYear(), w.Field12bAmount()},
                                    {w.Field12cCode(), w.Field12cYear(), w.Field12cAmount()},
                                    {w.Field12dCode(), w.Field12dYear(), w.Field12dAmount()}};
  for (int k = 0; k < 4; ++k) {
    text(28 + 2 * k, ShowBox12Code(box12[k][0]) + " " + box12[k][1]);
    amount(29 + 2 * k, box12[k][2]);
  }

  const int32_t checks[3] = {w.StatutoryEmployee, w.RetirementPlan, w.ThirdPartySickpay};
  for (int k = 0; k < 3; ++k) {
    if (!checks[k]) continue;
    const int first = 36 + 4 * k;
    DrawCross(c, e[first], e[first + 1], e[first + 2], e[first + 3], dx, dy + kW2CrossDrop);
  }

  // Box 14: Other3 on the entry, Other2 and Other1 on the lines above it.
  out.Text({e[48].x + dx, e[48].y + dy}, w.Other3(), "14");
  out.Text({e[48].x + dx, e[48].y + dy - 56}, w.Other2(), "14");
  out.Text({e[48].x + dx, e[48].y + dy - 112}, w.Other1(), "14");

  text(49, Box15State(company, w, 1));
  text(51, Box15StateId(company, w, 1));
  text(50, w.State2());
  text(52, w.StateID2());
  amount(53, w.StateWages1());
  amount(54, w.StateWages2());
  amount(55, w.StateIncomTax1());
  amount(56, w.StateIncomTax2());
  amount(57, w.LocalWages1());
  amount(58, w.LocalWages2());
  amount(59, w.LocalIncomeTax1());
  amount(60, w.LocalIncomeTax2());
  text(61, w.LocalityName1());
  text(62, w.LocalityName2());
}

void DrawCopyCaptions(Canvas& c, int blankCopyType) {
  const CopyCaption& caption = kCaptions[blankCopyType - 1];
  c.SetFont(Arial(kCaptionPoints, true));
  for (int form = 0; form < 2; ++form) {
    const int dy = form * kCaptionSheetPitch;
    c.DrawText(kCaptionLine1At.x, kCaptionLine1At.y + dy, caption.line1);
    c.DrawText(kCaptionLine2At.x, kCaptionLine2At.y + dy, caption.line2);
  }
  c.SetFont(Arial(kNoticePoints));
  for (int form = 0; form < 2; ++form) {
    const int dy = form * kCaptionSheetPitch;
    if (blankCopyType != kBlankCopyB) {
      c.SetPen(kWhitePen);
      c.FillRect(kTopRightBlank[0], kTopRightBlank[1] + dy, kTopRightBlank[2], kTopRightBlank[3] + dy, kWhite);
      c.SetPen(kBlackPen);
    }
    if (blankCopyType == kBlankCopyC) {
      for (int i = 0; i < 3; ++i) c.DrawText(kCopyCNoticeX, kCopyCNoticeY[i] + dy, kCopyCNotice[i]);
    } else {
      c.SetPen(kWhitePen);
      c.FillRect(kFooterBlank[0], kFooterBlank[1] + dy, kFooterBlank[2], kFooterBlank[3] + dy, kWhite);
      c.SetPen(kBlackPen);
    }
  }
}

void DrawCopyPictureTwice(Canvas& c, const std::string& picture) {
  for (const auto& at : kCopyPictureAt) c.DrawPicture(picture, at.x, at.y, kCopyPictureWidth, kCopyPictureHeight);
}

// What the copy adds to the picture, on each form.
void DrawCopyAdditions(Canvas& c, int blankCopyType) {
  static const auto kAdditions = [] {
    std::array<FormPicture, 6> all;
    for (int copy = 1; copy <= 5; ++copy) all[static_cast<size_t>(copy)] = W2CopyAdditions(copy);
    return all;
  }();
  if (blankCopyType < 1 || blankCopyType > 5) return;
  for (const auto& at : kCopyPictureAt)
    DrawPictureOnCanvas(c, kAdditions[static_cast<size_t>(blankCopyType)], at.x, at.y);
}

}  // namespace

const W2LayoutTable& W2BaseLayout(W2Layout layout) {
  static const auto kTables = [] {
    std::array<W2LayoutTable, 3> tables{};
    for (int v = 0; v < 3; ++v)
      for (int i = 0; i < kW2LayoutEntries; ++i) tables[v][i] = kW2Table[i][v];
    return tables;
  }();
  return kTables[static_cast<int>(layout)];
}

W2PrintKind W2PrintKindOf(const FormPrintSettings& s) {
  if (s.paperType == 1) return W2PrintKind::RedInk;
  if (s.blankCopyType == kW2CopyASubstitute) return W2PrintKind::CopyA;
  if (s.blankCopyType == kW2FourUp) return W2PrintKind::FourUp;
  if (s.blankCopyType >= 6 && s.blankCopyType <= 9) return W2PrintKind::Instructions;
  return W2PrintKind::Copy;
}

std::string W2InstructionsPicture(int blankCopyType) { return std::to_string(blankCopyType - 5) + ".qff"; }

W2LayoutTable W2AdjustedLayout(W2PrintKind kind, const FormPrintSettings& s, const PageGeometry& page) {
  W2LayoutTable t;
  switch (kind) {
    case W2PrintKind::RedInk: {
      t = W2BaseLayout(W2Layout::RedInk);
      const int dx = InchesToUnits(s.horizontalOffset), dy = InchesToUnits(s.verticalOffset);
      for (auto& p : t) p = {p.x + dx + 60, p.y + dy + 53};
      break;
    }
    case W2PrintKind::Copy:
    case W2PrintKind::Instructions:
    case W2PrintKind::CopyA: {
      t = W2BaseLayout(W2Layout::BlankPaper);
      for (int i = 36; i <= 47; ++i) t[i] = {t[i].x - 7, t[i].y + 5};
      // The drawn form's check boxes of box 13 stand where the 2007 form has
      // them: each cross is moved into the middle of its box.
      for (int k = 0; k < 3; ++k)
        for (int i = 36 + 4 * k; i < 40 + 4 * k; ++i) t[i] = {t[i].x + kW2BlankCheckShift[k].x, t[i].y + kW2BlankCheckShift[k].y};
      // So do the bottom band's dividers: boxes 16 to 18 keep their data
      // clear of them.
      for (int i = 53; i <= 58; ++i) t[i].x += kW2BlankBandShift[(i - 53) / 2];
      for (auto& p : t) p = {p.x + 73, p.y + 50};
      if (kind == W2PrintKind::CopyA) {
        const int left = TruncatedMargin(page.unprintableLeft), top = TruncatedMargin(page.unprintableTop);
        for (auto& p : t) p = {p.x - left + 41, p.y - top + 47};
        for (int i : {8, 21, 22}) t[i].y -= 5;
      }
      break;
    }
    case W2PrintKind::FourUp: {
      t = W2BaseLayout(W2Layout::FourUp);
      for (auto& p : t) {
        p = {static_cast<int>(static_cast<long long>(p.x) * page.printableWidth / kFourUpGridWidth),
             static_cast<int>(static_cast<long long>(p.y) * page.printableHeight / kFourUpGridHeight)};
      }
      break;
    }
  }
  return t;
}

int W2FormSpacing(W2PrintKind kind, const FormPrintSettings& s) {
  switch (kind) {
    case W2PrintKind::RedInk:
      // The space is typed with two decimals; its difference from 1.33 is
      // taken in whole hundredths so 1.83 gives 127, not 126.
      return 1400 + InchesToUnits(static_cast<double>(std::llround(s.verticalSpace * 100.0) - 133) / 100.0);
    case W2PrintKind::CopyA: return 1395;
    default: return 1364;
  }
}

W2PrintJob::W2PrintJob(W2PrintData data, const FormPrintSettings& settings)
    : data_(std::move(data)), settings_(settings), kind_(W2PrintKindOf(settings)) {
  const auto& forms = *data_.forms;
  for (size_t i = forms.size(); i-- > 0;) formOfEmployee_[forms[i].EmployeeUniqueID] = i;
  single_ = settings.printTarget == 0 || forms.size() == 1;
  formCount_ = settings.printTarget == 0 ? 1 : static_cast<int>(forms.size());
}

int W2PrintJob::PageCount() const {
  if (settings_.printTarget == 0) return 1;
  return kind_ == W2PrintKind::FourUp ? formCount_ : (formCount_ + 1) / 2;
}

const W2Record* W2PrintJob::FormOf(const EmployeeRecord& employee) const {
  const auto found = formOfEmployee_.find(employee.EmployeeUniqueID);
  return found == formOfEmployee_.end() ? nullptr : &(*data_.forms)[found->second];
}

std::vector<W2OnPage> W2PrintJob::FormsOfPage(int page) const {
  std::vector<W2OnPage> out;
  const auto& employees = *data_.employees;
  if (page < 1 || page > PageCount()) return out;
  if (settings_.printTarget == 0) {
    if (data_.currentEmployee < 0 || data_.currentEmployee >= static_cast<int>(employees.size())) return out;
    const EmployeeRecord& employee = employees[static_cast<size_t>(data_.currentEmployee)];
    if (const W2Record* form = FormOf(employee)) out.push_back({&employee, form});
    return out;
  }
  if (single_) {
    // All employees of a company with one W-2: that W-2, whoever the page
    // shows (the command line has no current employee).
    const int32_t id = data_.forms->front().EmployeeUniqueID;
    for (const EmployeeRecord& employee : employees)
      if (employee.EmployeeUniqueID == id) {
        out.push_back({&employee, &data_.forms->front()});
        break;
      }
    return out;
  }
  const bool fourUp = kind_ == W2PrintKind::FourUp;
  const int first = fourUp ? page - 1 : 2 * page - 2;
  const int count = fourUp || (page == PageCount() && formCount_ % 2 == 1) ? 1 : 2;
  for (int position = first; position < first + count; ++position) {
    if (position >= static_cast<int>(data_.displayOrder.size())) break;
    const int index = data_.displayOrder[static_cast<size_t>(position)];
    if (index < 0 || index >= static_cast<int>(employees.size())) break;
    const EmployeeRecord& employee = employees[static_cast<size_t>(index)];
    const W2Record* form = FormOf(employee);
    if (!form) break;
    out.push_back({&employee, form});
  }
  return out;
}

FormBoxes W2PrintJob::BoxesOf(int form, const PageGeometry& page) const {
  switch (kind_) {
    case W2PrintKind::RedInk: {
      static const FormBoxes kRedInk = BoxesOfGrid(W2RedInkGrid());
      return kRedInk.Moved(InchesToUnits(settings_.horizontalOffset),
                           InchesToUnits(settings_.verticalOffset) + form * W2FormSpacing(kind_, settings_));
    }
    case W2PrintKind::Copy: return CopyBoxes()[0].Placed(kCopyPictureAt[form].x, kCopyPictureAt[form].y);
    case W2PrintKind::CopyA:
      return CopyABoxes()[static_cast<size_t>(form)].Placed(PictureEdge(102.235, page.unprintableLeft),
                                                            PictureEdge(102, page.unprintableTop));
    case W2PrintKind::FourUp: {
      const FormPicture& sheet = [] () -> const FormPicture& {
        static const FormPicture kSheet = W2FourUpPicture();
        return kSheet;
      }();
      return FourUpBoxes()[static_cast<size_t>(form)].Placed(
          0, 0, static_cast<double>(page.printableWidth) / sheet.width,
          static_cast<double>(page.printableHeight) / sheet.height);
    }
    case W2PrintKind::Instructions: break;
  }
  return {};
}

void W2PrintJob::DrawPage(Canvas& c, int page) const {
  c.SetPen(kBlackPen);
  const auto forms = FormsOfPage(page);
  if (forms.empty()) return;

  const PageGeometry geometry = GeometryOf(c);
  const W2LayoutTable entries = W2AdjustedLayout(kind_, settings_, geometry);
  const int spacing = W2FormSpacing(kind_, settings_);
  const FontSpec dataFont = CourierNew(kind_ == W2PrintKind::RedInk ? 12 : kind_ == W2PrintKind::FourUp ? 9 : 10);

  const PrintPoint copyAAt{PictureEdge(102.235, geometry.unprintableLeft), PictureEdge(102, geometry.unprintableTop)};
  switch (kind_) {
    case W2PrintKind::Instructions:
      DrawCopyPictureTwice(c, W2InstructionsPicture(settings_.blankCopyType));
      return;
    case W2PrintKind::RedInk: break;
    case W2PrintKind::CopyA:
      c.DrawPicture(kW2CopyAPicture, copyAAt.x, copyAAt.y, 1955, 2692);
      break;
    case W2PrintKind::FourUp:
      c.DrawPicture(kW2FourUpPicture, 0, 0, geometry.printableWidth, geometry.printableHeight);
      break;
    case W2PrintKind::Copy:
      DrawCopyPictureTwice(c, kW2CopyPicture);
      DrawCopyCaptions(c, settings_.blankCopyType);
      DrawCopyAdditions(c, settings_.blankCopyType);
      break;
  }

  c.SetFont(dataFont);
  if (kind_ == W2PrintKind::FourUp) {
    const W2OnPage& form = forms.front();
    for (int q = 0; q < 4; ++q) {
      const PrintPoint quadrant = kFourUpQuadrants[q];
      const int dx = static_cast<int>(static_cast<long long>(quadrant.x) * geometry.printableWidth / kFourUpGridWidth);
      const int dy = static_cast<int>(static_cast<long long>(quadrant.y) * geometry.printableHeight / kFourUpGridHeight);
      DrawW2Data(c, entries, dx, dy, true, *data_.company, *form.employee, *form.form, BoxesOf(q, geometry),
                 dataFont);
    }
    return;
  }
  const int drop = kind_ == W2PrintKind::RedInk ? 0 : kW2BlankPaperDrop;
  for (size_t k = 0; k < forms.size(); ++k) {
    const int form = static_cast<int>(k);
    DrawW2Data(c, entries, 0, form * spacing + drop, false, *data_.company, *forms[k].employee, *forms[k].form,
               BoxesOf(form, geometry), dataFont, kind_ == W2PrintKind::CopyA);
  }
}

std::unique_ptr<W2PrintJob> PrepareW2Print(W2PrintData data, const FormPrintSettings& s, UiServices& ui) {
  if (s.printTarget == 1 && data.forms->empty()) return nullptr;
  auto job = std::make_unique<W2PrintJob>(std::move(data), s);
  if (s.printTarget == 0 && job->FormsOfPage(1).empty()) {
    const auto& d = job->Data();
    const bool noEmployee = d.currentEmployee < 0 || d.currentEmployee >= static_cast<int>(d.employees->size());
    ui.ShowMessage(noEmployee ? kNoEmployeeToPrint : kEmployeeWithoutW2);
    return nullptr;
  }
  if (job->Kind() == W2PrintKind::FourUp) ui.ShowNote(kFourUpNoteHeading, kFourUpNote);
  return job;
}

}  // namespace formet
