#include "forms/w2/w2_pictures.h"

#include <algorithm>
#include <string>

#include "records/tax_year.h"

namespace formet {
namespace {

const FontSpec kLabelFont{"Arial", 60, false};
const FontSpec kSmallFont{"Arial", 50, false};
const FontSpec kTinyFont{"Arial", 45, false};

// ---- The W-2 form of the copies ------------------------------------------------
// In the units of the copy's picture ("Help1.svg"): the 2007 form's measured
// grid, the data of the blank-paper layout clear of every rule. Copy A uses
// the same grid, moved (-10, +5) on its own sheet.
namespace grid {
constexpr int kLeft = 37, kRight = 1940;
constexpr int kTop = 24, kRowB = 108, kRow3 = 193, kRow5 = 277, kRow7 = 362, kRowD = 446, kRowE = 531,
              kRowF = 615, kRow12c = 700, kRow12d = 784, kRow12End = 869, kBand = 911, kBandLine = 996,
              kBottom = 1081;
constexpr int kBoxALeft = 442, kBoxARight = 899;
constexpr int kCol1 = 1076, kCol2 = 1508, kCodeRight = 1635;
constexpr int kFirstNameRight = 519, kSuffixLeft = 1000;
// The bottom band: 15 State | state ID | 16 | 17 | 18 | 19 | 20.
constexpr int kBandX[8] = {kLeft, 138, 595, 899, 1178, 1483, 1762, kRight};
// Box 13's check boxes, 3.5 mm squares 12.7 mm apart.
constexpr int kCheckLeft[3] = {1137, 1264, 1391};
constexpr int kCheckTop = 658, kCheckSize = 35;
// The Void check box of Copies A and D, left of box a.
constexpr int kVoidTextX = 318, kVoidBoxX = 376, kVoidSize = 36;
// The labels sit this far inside a box.
constexpr int kLabelDx = 8, kLabelDy = 3;
}  // namespace grid

int LabelBottom(int y, const FontSpec& font) { return y + TextCellHeight(font); }

// A box with its label at its top-left corner.
void LabelledBox(PictureBuilder& b, const std::string& id, int left, int top, int right, int bottom,
                 std::string_view key, std::string_view text, const FontSpec& font = kLabelFont) {
  const int x = left + grid::kLabelDx, y = top + grid::kLabelDy;
  b.Label(x, y, key, text, font);
  b.Box(id, left, top, right, bottom, y, LabelBottom(y, font));
}

// "Code", one letter under the other, at the left of a box 12 code column.
void CodeWord(PictureBuilder& b, int x, int top) {
  const FontSpec font{"Arial", 40, false};
  int y = top;
  for (const char* letter : {"C", "o", "d", "e"}) {
    b.Text(x, y, letter, font);
    y += 12;
  }
}

enum class W2Variant { Copy, CopyA };

// Top strip: box a, heavy, and the cells around it.
void DrawTopStrip(PictureBuilder& b, bool copyA) {
  using namespace grid;
  b.Frame(kBoxALeft, kTop, kBoxARight, kRowB, kRuleHeavy);
  LabelledBox(b, "a", kBoxALeft, kTop, kBoxARight, kRowB, "a", "Employee\u2019s social security number");
  if (copyA) {
    // The laser substitute: "22222" in 14-point Arial bold, the Void box.
    b.Text(kLeft + 30, kTop + 20, "22222", {"Arial", 140, true});
    b.VRule(265, kTop, kRowB);
    b.Text(kVoidTextX, kTop + 30, "Void", kLabelFont);
    b.CheckBox("void", kVoidBoxX, kTop + 21, kVoidSize);
    const int right = b.Text(kBoxARight + 18, kTop + 10, "For Official Use Only", kLabelFont);
    b.Arrow(right + 8, kTop + 14, 16);
    b.Text(kBoxARight + 18, kTop + 42, "OMB No. 1545-0008", kLabelFont);
  } else {
    // The cell left of box a holds the mark of a reissued statement.
    b.Box("reissued", kLeft, kTop, kBoxALeft, kRowB);
    b.Text(kBoxARight + 12, kTop + 16, "OMB No. 1545-0008", kLabelFont);
    // Copy B's e-file notice (the print blanks it on the other copies).
    const FontSpec bold{"Arial", 75, true};
    const int right = b.Text(1205, kTop + 16, "Safe, accurate, FAST! Use", bold);
    b.Text(right + 14, kTop + 8, "e-file", {"Arial", 120, true});
    b.Text(1205, kTop + 50, "Visit the IRS website at www.irs.gov/efile.", kLabelFont);
  }
}

// Left column: the employer and the employee. Only Copy A rules off row e
// from the address under it.
void DrawPartyBoxes(PictureBuilder& b, bool copyA) {
  using namespace grid;
  b.VRule(kCol1, kRowB, kBand);
  for (int y : {kRow3, kRowD, kRowE}) b.HRule(y, kLeft, kCol1);
  if (copyA) b.HRule(kRowF, kLeft, kCol1);
  LabelledBox(b, "b", kLeft, kRowB, kCol1, kRow3, "b", "Employer identification number (EIN)");
  LabelledBox(b, "c", kLeft, kRow3, kCol1, kRowD, "c", "Employer\u2019s name, address, and ZIP code");
  LabelledBox(b, "d", kLeft, kRowD, kCol1, kRowE, "d", "Control number");
  b.VRule(kFirstNameRight, kRowE, kRowF);
  b.VRule(kSuffixLeft, kRowE, kRowF);
  LabelledBox(b, "e-first", kLeft, kRowE, kFirstNameRight, kRowF, "e", "Employee\u2019s first name and initial");
  LabelledBox(b, "e-last", kFirstNameRight, kRowE, kSuffixLeft, kRowF, "", "Last name");
  LabelledBox(b, "e-suffix", kSuffixLeft, kRowE, kCol1, kRowF, "", "Suff.");
  // f's label sits at the bottom of the address area, as on the form.
  {
    const int y = kBand - 27;
    b.Label(kLeft + kLabelDx, y, "f", "Employee\u2019s address and ZIP code", kLabelFont);
    b.Box("f", kLeft, kRowF, kCol1, kBand, y, LabelBottom(y, kLabelFont));
  }
}

// Boxes 1-11, and 2-10 beside them: each row's rule runs across both
// columns (and across 13-14 and 12a-12b below).
void DrawAmountBoxes(PictureBuilder& b) {
  using namespace grid;
  b.VRule(kCol2, kRowB, kBand);
  for (int y : {kRow3, kRow5, kRow7, kRowD, kRowE, kRowF, kRow12c}) b.HRule(y, kCol1, kRight);
  struct Numbered {
    const char* key;
    const char* text;
  };
  const int rows[7] = {kRowB, kRow3, kRow5, kRow7, kRowD, kRowE, kRowF};
  const Numbered left[6] = {{"1", "Wages, tips, other compensation"},
                            {"3", "Social security wages"},
                            {"5", "Medicare wages and tips"},
                            {"7", "Social security tips"},
                            {"9", "Advance EIC payment"},
                            {"11", "Nonqualified plans"}};
  const Numbered right[5] = {{"2", "Federal income tax withheld"},
                             {"4", "Social security tax withheld"},
                             {"6", "Medicare tax withheld"},
                             {"8", "Allocated tips"},
                             {"10", "Dependent care benefits"}};
  for (int i = 0; i < 6; ++i) LabelledBox(b, left[i].key, kCol1, rows[i], kCol2, rows[i + 1], left[i].key, left[i].text);
  for (int i = 0; i < 5; ++i)
    LabelledBox(b, right[i].key, kCol2, rows[i], kRight, rows[i + 1], right[i].key, right[i].text);
}

// Box 13: three check boxes with their two-line labels; box 14 under it.
void DrawBoxes13And14(PictureBuilder& b) {
  using namespace grid;
  b.Label(kCol1 + kLabelDx, kRowF + kLabelDy, "13", "", kLabelFont);
  const char* checkNames[3] = {"13-statutory", "13-retirement", "13-sick-pay"};
  const char* checkLabels[3][2] = {{"Statutory", "employee"}, {"Retirement", "plan"}, {"Third-party", "sick pay"}};
  for (int i = 0; i < 3; ++i) {
    // Centred over the box; the first one starts clear of the box's number.
    const int centre = kCheckLeft[i] + kCheckSize / 2;
    const int width = std::max(TextWidth(kSmallFont, checkLabels[i][0]), TextWidth(kSmallFont, checkLabels[i][1]));
    const int left = i == 0 ? kCol1 + 40 : centre - width / 2;
    b.TextLines(left, kRowF + 3, 18, {checkLabels[i][0], checkLabels[i][1]}, kSmallFont);
    b.CheckBox(checkNames[i], kCheckLeft[i], kCheckTop, kCheckSize);
  }
  LabelledBox(b, "14", kCol1, kRow12c, kCol2, kBand, "14", "Other");
}

// Box 12: four lines, each a code column and an amount.
void DrawBox12(PictureBuilder& b, bool copyA) {
  using namespace grid;
  const int rows12[5] = {kRowE, kRowF, kRow12c, kRow12d, kRow12End};
  const char* keys12[4] = {"12a", "12b", "12c", "12d"};
  for (int y : {kRow12d, kRow12End}) b.HRule(y, kCol2, kRight);
  for (int i = 0; i < 4; ++i) {
    const int top = rows12[i], bottom = rows12[i + 1];
    const int x = kCol2 + kLabelDx, y = top + kLabelDy;
    b.Label(x, y, keys12[i], i == 0 ? "See instructions for box 12" : "", kLabelFont);
    const int labelBottom = LabelBottom(y, kLabelFont);
    b.VRule(kCodeRight, labelBottom + 4, bottom);
    if (!copyA) CodeWord(b, kCol2 + 6, labelBottom + 3);  // no "Code" on the laser substitute
    b.Box(std::string(keys12[i]) + "-code", kCol2, top, kCodeRight, bottom, y, labelBottom);
    b.Box(keys12[i], kCodeRight, top, kRight, bottom, y, labelBottom);
  }
}

// The bottom band, two lines split by a dashed rule, and the footer with the
// form's name and year.
void DrawStateBandAndFooter(PictureBuilder& b, bool copyA) {
  using namespace grid;
  b.HRule(kBand, kLeft, kRight);
  b.HRule(kBandLine, kLeft, kRight, kRuleHair, true);
  for (int i = 1; i < 7; ++i) b.VRule(kBandX[i], kBand, kBottom);
  const char* bandIds[7] = {"15-state", "15-id", "16", "17", "18", "19", "20"};
  const char* bandKeys[7] = {"15", "", "16", "17", "18", "19", "20"};
  const char* bandTexts[7] = {"State",
                              "Employer\u2019s state ID number",
                              "State wages, tips, etc.",
                              "State income tax",
                              "Local wages, tips, etc.",
                              "Local income tax",
                              "Locality name"};
  for (int i = 0; i < 7; ++i) {
    LabelledBox(b, std::string(bandIds[i]) + "-1", kBandX[i], kBand, kBandX[i + 1], kBandLine, bandKeys[i],
                bandTexts[i]);
    b.Box(std::string(bandIds[i]) + "-2", kBandX[i], kBandLine, kBandX[i + 1], kBottom);
  }
  b.Text(kLeft, kBottom + 40, "Form", kLabelFont);
  const int nameRight = b.Text(kLeft + 44, kBottom + 10, "W-2", {"Arial", 200, true});
  b.TextLines(nameRight + 30, kBottom + 14, 38, {"Wage and Tax", "Statement"}, {"Arial", 100, true});
  b.Text(880, kBottom + 10, TaxYear::kYear, {"Arial", 200, !copyA});  // 20-point Arial on the laser substitute
  b.Text(1300, kBottom + 22, "Department of the Treasury\u2014Internal Revenue Service", kLabelFont);
}

// The boxes, rules and labels of one W-2, shared by the copies and Copy A.
void DrawW2Boxes(PictureBuilder& b, W2Variant variant) {
  using namespace grid;
  const bool copyA = variant == W2Variant::CopyA;
  b.Frame(kLeft, kTop, kRight, kBottom, kRuleBorder);
  b.HRule(kRowB, kLeft, kRight);
  DrawTopStrip(b, copyA);
  DrawPartyBoxes(b, copyA);
  DrawAmountBoxes(b);
  DrawBoxes13And14(b);
  DrawBox12(b, copyA);
  DrawStateBandAndFooter(b, copyA);
}

}  // namespace

FormPicture W2CopyPicture() {
  PictureBuilder b("Help1.svg", "Form W-2, Copies 1, 2, B, C and D", 1980, 1340);
  DrawW2Boxes(b, W2Variant::Copy);
  // The foot of Copy C's form keeps this notice (the print blanks it on the
  // other copies, whose captions sit at the left).
  const FontSpec bold{"Arial", 75, true};
  const int right = b.Text(1230, 1160, "Safe, accurate, FAST! Use", bold);
  b.Text(right + 14, 1152, "e-file", {"Arial", 120, true});
  b.Text(1230, 1188, "Visit the IRS website at www.irs.gov/efile.", kLabelFont);
  return b.Take();
}

FormPicture W2CopyAdditions(int blankCopyType) {
  using namespace grid;
  PictureBuilder b("", "Form W-2, what copy " + std::to_string(blankCopyType) + " adds", 1980, 1340);
  constexpr int kCopyB = 3, kCopyD = 5;
  if (blankCopyType == kCopyB) {
    // Boxes 1 and 2 in the heavy border of box a.
    b.Frame(kCol1, kRowB, kCol2, kRow3, kRuleHeavy);
    b.Frame(kCol2, kRowB, kRight, kRow3, kRuleHeavy);
  } else if (blankCopyType == kCopyD) {
    b.Text(kVoidTextX, kTop + 30, "Void", kLabelFont);
    b.CheckBox("void", kVoidBoxX, kTop + 21, kVoidSize);
    // In the footer's right part, which the print blanks on Copy D.
    b.TextRight(kRight, 1150, "For Privacy Act and Paperwork Reduction Act Notice, see back of Copy D.", kLabelFont);
  }
  return b.Take();
}

FormPicture W2CopyAPicture() {
  PictureBuilder b("Updater.dll", "Form W-2, complete laser substitute for Copy A", 1955, 2692);
  const FontSpec captionBold{"Arial", 70, true};
  for (int form = 0; form < 2; ++form) {
    b.Origin(-10, 5 + form * 1395);
    DrawW2Boxes(b, W2Variant::CopyA);
    b.Text(grid::kLeft, 1175, "Copy A For Social Security Administration \u2014 Send this entire page with Form W-3",
           captionBold);
    b.Text(grid::kLeft, 1205, "to the Social Security Administration; photocopies are not acceptable.", captionBold);
    b.TextRight(grid::kRight, 1150, "For Privacy Act and Paperwork Reduction Act Notice, see back of Copy D.",
                kLabelFont);
    b.TextRight(grid::kRight, 1205, "Cat. No. 10134D", kLabelFont);
  }
  b.Origin(0, 0);
  b.TextCentred(1955 / 2, 1318,
                "Do Not Cut, Fold, or Staple Forms on This Page \u2014 Do Not Cut, Fold, or Staple Forms on This Page",
                {"Arial", 70, true});
  return b.Take();
}

// ---- The 4-Up sheet --------------------------------------------------------------
// One employee's W-2 four times: Copies B, C, 2 and 2, each in a quarter of the
// printable area (its quadrants lie 971 and 1311 units apart on a US Letter
// page printed with quarter-inch margins; the print scales the sheet and the
// data alike to other printable areas).
namespace {
namespace fourup {
constexpr int kQuadrantWidth = 971, kQuadrantHeight = 1311;
constexpr int kLeft = 55, kRight = 965, kTop = 122, kBottom = 1243;
constexpr int kColA = 340, kColB = 670;        // boxes a | 1 | 2 and b | 3, 5 | 4, 6
constexpr int kRow3 = 185, kRowB = 215, kRow5 = 247, kRowC = 315, kRowD = 492, kRowE = 565, kRow7 = 733,
              kRow10 = 794, kRow12b = 857, kRow12c = 920, kRow12d = 983, kBand = 1045, kBandMid = 1140;
constexpr int kCol8 = 380, kCol9 = 700, kCodeRight = 795;
constexpr int kCol14 = 300;
constexpr int kBandX[5] = {kLeft, 140, 385, 700, kRight};  // 15 State | ID | 16 | 17
constexpr int kBand2X[4] = {kLeft, 385, 700, kRight};        // 18 | 19 | 20
constexpr int kCheckLeft = 128, kCheckSize = 35;
constexpr int kCheckTop[3] = {880, 947, 1007};
constexpr int kLabelDx = 6, kLabelDy = 2;
}  // namespace fourup

void FourUpBox(PictureBuilder& b, const std::string& id, int left, int top, int right, int bottom,
               std::string_view key, std::string_view text) {
  const int x = left + fourup::kLabelDx, y = top + fourup::kLabelDy;
  b.Label(x, y, key, text, kTinyFont);
  b.Box(id, left, top, right, bottom, y, LabelBottom(y, kTinyFont));
}

struct FourUpCopy {
  const char* caption;
  std::vector<std::string_view> notice;
};

// Heading: the form's name and year above its frame.
void DrawFourUpHeading(PictureBuilder& b) {
  using namespace fourup;
  b.Text(kLeft, 72, "Form", kSmallFont);
  const int nameRight = b.Text(kLeft + 36, 40, "W-2", {"Arial", 160, true});
  b.Text(nameRight + 20, 50, "Wage and Tax Statement", {"Arial", 90, true});
  b.Text(nameRight + 20, 86, "Department of the Treasury\u2014Internal Revenue Service", kTinyFont);
  b.TextRight(kRight, 40, TaxYear::kYear, {"Arial", 160, true});
  b.TextRight(kRight, 100, "OMB No. 1545-0008", kTinyFont);
}

// The boxes above box 13: a to f and 1 to 11.
void DrawFourUpUpperBoxes(PictureBuilder& b) {
  using namespace fourup;
  // a | 1 | 2, then b beside 3 | 4 and 5 | 6.
  b.VRule(kColA, kTop, kRowC);
  b.VRule(kColB, kTop, kRowC);
  b.HRule(kRowB, kLeft, kColA);
  for (int y : {kRow3, kRow5}) b.HRule(y, kColA, kRight);
  b.HRule(kRowC, kLeft, kRight);
  FourUpBox(b, "a", kLeft, kTop, kColA, kRowB, "a", "Employee\u2019s social security number");
  FourUpBox(b, "b", kLeft, kRowB, kColA, kRowC, "b", "Employer identification number (EIN)");
  FourUpBox(b, "1", kColA, kTop, kColB, kRow3, "1", "Wages, tips, other compensation");
  FourUpBox(b, "2", kColB, kTop, kRight, kRow3, "2", "Federal income tax withheld");
  FourUpBox(b, "3", kColA, kRow3, kColB, kRow5, "3", "Social security wages");
  FourUpBox(b, "4", kColB, kRow3, kRight, kRow5, "4", "Social security tax withheld");
  FourUpBox(b, "5", kColA, kRow5, kColB, kRowC, "5", "Medicare wages and tips");
  FourUpBox(b, "6", kColB, kRow5, kRight, kRowC, "6", "Medicare tax withheld");
  // c, d, and e with f, across the form.
  for (int y : {kRowD, kRowE, kRow7}) b.HRule(y, kLeft, kRight);
  FourUpBox(b, "c", kLeft, kRowC, kRight, kRowD, "c", "Employer\u2019s name, address, and ZIP code");
  FourUpBox(b, "d", kLeft, kRowD, kRight, kRowE, "d", "Control number");
  FourUpBox(b, "ef", kLeft, kRowE, kRight, kRow7, "e/f", "Employee\u2019s name, address, and ZIP code");
  // 7 | 8 | 9 and 10 | 11 | 12a.
  b.HRule(kRow10, kLeft, kRight);
  b.HRule(kRow12b, kLeft, kRight);
  b.VRule(kCol8, kRow7, kRow12b);
  b.VRule(kCol9, kRow7, kBand);
  FourUpBox(b, "7", kLeft, kRow7, kCol8, kRow10, "7", "Social security tips");
  FourUpBox(b, "8", kCol8, kRow7, kCol9, kRow10, "8", "Allocated tips");
  FourUpBox(b, "9", kCol9, kRow7, kRight, kRow10, "9", "Advance EIC payment");
  FourUpBox(b, "10", kLeft, kRow10, kCol8, kRow12b, "10", "Dependent care benefits");
  FourUpBox(b, "11", kCol8, kRow10, kCol9, kRow12b, "11", "Nonqualified plans");
}

// 13 | 14 | 12b-12d.
void DrawFourUpBoxes12To14(PictureBuilder& b) {
  using namespace fourup;
  b.VRule(kCol14, kRow12b, kBand);
  {
    const int y = kRow12b + kLabelDy;
    b.Label(kLeft + kLabelDx, y, "13", "", kTinyFont);
    const char* ids[3] = {"13-statutory", "13-retirement", "13-sick-pay"};
    const char* labels[3][2] = {{"Statutory", "employee"}, {"Retirement", "plan"}, {"Third-party", "sick pay"}};
    for (int i = 0; i < 3; ++i) {
      b.CheckBox(ids[i], kCheckLeft, kCheckTop[i], kCheckSize);
      b.TextLines(kCheckLeft + kCheckSize + 10, kCheckTop[i] - 2, 17, {labels[i][0], labels[i][1]}, kTinyFont);
    }
  }
  FourUpBox(b, "14", kCol14, kRow12b, kCol9, kBand, "14", "Other");
  const int rows12[5] = {kRow10, kRow12b, kRow12c, kRow12d, kBand};
  const char* keys12[4] = {"12a", "12b", "12c", "12d"};
  for (int y : {kRow12c, kRow12d}) b.HRule(y, kCol9, kRight);
  for (int i = 0; i < 4; ++i) {
    const int top = rows12[i], bottom = rows12[i + 1];
    const int x = kCol9 + kLabelDx, y = top + kLabelDy;
    b.Label(x, y, keys12[i], i == 0 ? "See instructions for box 12" : "", kTinyFont);
    const int labelBottom = LabelBottom(y, kTinyFont);
    b.VRule(kCodeRight, labelBottom + 3, bottom);
    b.Box(std::string(keys12[i]) + "-code", kCol9, top, kCodeRight, bottom, y, labelBottom);
    b.Box(keys12[i], kCodeRight, top, kRight, bottom, y, labelBottom);
  }
}

// The state and local band: two lines of data, their labels under them.
void DrawFourUpStateBand(PictureBuilder& b) {
  using namespace fourup;
  b.HRule(kBand, kLeft, kRight);
  b.HRule(kBandMid, kLeft, kRight);
  for (int i = 1; i < 4; ++i) b.VRule(kBandX[i], kBand, kBandMid);
  for (int i = 1; i < 3; ++i) b.VRule(kBand2X[i], kBandMid, kBottom);
  const int labelY1 = kBandMid - 21, labelY2 = kBottom - 21;
  const char* ids1[4] = {"15-state", "15-id", "16", "17"};
  const char* keys1[4] = {"15", "", "16", "17"};
  const char* texts1[4] = {"State", "Employer\u2019s state ID number", "State wages, tips, etc.", "State income tax"};
  for (int i = 0; i < 4; ++i) {
    b.Label(kBandX[i] + kLabelDx, labelY1, keys1[i], texts1[i], kTinyFont);
    for (int line = 1; line <= 2; ++line)
      b.Box(std::string(ids1[i]) + "-" + std::to_string(line), kBandX[i], kBand, kBandX[i + 1], kBandMid, labelY1,
            LabelBottom(labelY1, kTinyFont));
  }
  const char* ids2[3] = {"18", "19", "20"};
  const char* texts2[3] = {"Local wages, tips, etc.", "Local income tax", "Locality name"};
  for (int i = 0; i < 3; ++i) {
    b.Label(kBand2X[i] + kLabelDx, labelY2, ids2[i], texts2[i], kTinyFont);
    for (int line = 1; line <= 2; ++line)
      b.Box(std::string(ids2[i]) + "-" + std::to_string(line), kBand2X[i], kBandMid, kBand2X[i + 1], kBottom,
            labelY2, LabelBottom(labelY2, kTinyFont));
  }
}

void DrawFourUpForm(PictureBuilder& b, const FourUpCopy& copy) {
  using namespace fourup;
  DrawFourUpHeading(b);
  b.Frame(kLeft, kTop, kRight, kBottom, kRuleBorder);
  DrawFourUpUpperBoxes(b);
  DrawFourUpBoxes12To14(b);
  DrawFourUpStateBand(b);
  // The copy's caption.
  b.Text(kLeft, kBottom + 3, copy.caption, {"Arial", 55, true});
  if (!copy.notice.empty()) b.TextLines(kLeft, kBottom + 25, 17, copy.notice, kTinyFont);
}

}  // namespace

FormPicture W2FourUpPicture() {
  using namespace fourup;
  PictureBuilder b("5.qff", "Form W-2, Copies B, C and 2 on one sheet (4-Up)", 2032, 2667);
  const FourUpCopy copies[4] = {
      {"Copy B\u2014To Be Filed With Employee\u2019s FEDERAL Tax Return.",
       {"This information is being furnished to the Internal Revenue Service."}},
      {"Copy C\u2014For EMPLOYEE\u2019S RECORDS (See Notice to Employee on the back of Copy B.)",
       {"This information is being furnished to the Internal Revenue Service. If you are required to file a tax",
        "return, a negligence penalty or other sanction may be imposed on you if this income is taxable and you fail "
        "to report it."}},
      {"Copy 2\u2014To Be Filed With Employee\u2019s State, City, or Local Income Tax Return.", {}},
      {"Copy 2\u2014To Be Filed With Employee\u2019s State, City, or Local Income Tax Return.", {}},
  };
  for (int q = 0; q < 4; ++q) {
    b.Origin((q % 2) * kQuadrantWidth, (q / 2) * kQuadrantHeight);
    DrawFourUpForm(b, copies[q]);
  }
  // Where the sheet is separated: at its middle, where the perforations of
  // 4-Up blank sheets are (the picture covers the printable area, which lies
  // as far from each edge as from the opposite one).
  b.Origin(0, 0);
  const int cutX = 2032 / 2, cutY = 2667 / 2;
  b.Line(cutX, 0, cutX, 2667, kRuleHair, true);
  b.Line(0, cutY, 2032, cutY, kRuleHair, true);
  return b.Take();
}

}  // namespace formet
