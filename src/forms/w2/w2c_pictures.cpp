#include "forms/w2/w2c_pictures.h"

#include <string>

#include "forms/w2/w2c_form.h"

namespace formet {
namespace {

const FontSpec kLabelFont{"Arial", 60, false};
const FontSpec kSmallFont{"Arial", 50, false};
const FontSpec kHeadFont{"Arial", 70, true};
constexpr int kLabelDx = 8, kLabelDy = 3;
constexpr int kLeft = 20, kRight = 1880, kMiddle = 940;
// The two columns of each half: previously reported, then correct.
constexpr int kLeftSplit = 480, kRightSplit = 1410;

int LabelBottom(int y) { return y + TextCellHeight(kLabelFont); }

void LabelledBox(PictureBuilder& b, const std::string& id, int left, int top, int right, int bottom,
                 std::string_view key, std::string_view text) {
  const int x = left + kLabelDx, y = top + kLabelDy;
  b.Label(x, y, key, text, kLabelFont);
  b.Box(id, left, top, right, bottom, y, LabelBottom(y));
}

// A numbered box: its label over both columns, a rule between them under
// the label, and a data box for each column.
void TwoColumnBox(PictureBuilder& b, const std::string& key, std::string_view label, int left, int split, int right,
                  int top, int bottom) {
  const int y = top + kLabelDy;
  b.Label(left + kLabelDx, y, key.substr(0, key.find('.')), label, kLabelFont);
  b.VRule(split, LabelBottom(y) + 2, bottom);
  b.Box(key + "-prev", left, top, split, bottom, y, LabelBottom(y));
  b.Box(key + "-correct", split, top, right, bottom, y, LabelBottom(y));
}

// The headings of the two columns over a half of the form.
void ColumnHeadings(PictureBuilder& b, int left, int split, int right, int top) {
  b.TextCentred((left + split) / 2, top + 12, W2cTexts::kPreviously, kHeadFont);
  b.TextCentred((split + right) / 2, top + 12, W2cTexts::kCorrect, kHeadFont);
  b.VRule(split, top, top + 50);
}

const W2cBoxDef* BoxDef(std::string_view key) {
  for (const auto& d : W2cBoxes())
    if (key == d.key) return &d;
  return nullptr;
}

std::string LabelOf(std::string_view key) {
  const W2cBoxDef* d = BoxDef(key);
  if (!d) return {};
  std::string label = d->label;
  if (d->line == 2) label += " (second line)";
  return label;
}

// W-2c rows.
constexpr int kFrameTop = 90, kRow2 = 200, kRow3 = 310, kRowNote = 540, kRowHi = 575, kHeadings = 680,
              kMoney = 730, kMoneyStep = 100, kStateHead = 1630, kState = 1680, kStateStep = 90,
              kFrameBottom = 2220, kCopyTop = 2310, kCopyBottom = 2390;

void CheckRow(PictureBuilder& b, const std::string& side, int left, int right, int top) {
  const char* ids[3] = {"13-statutory-", "13-retirement-", "13-sick-pay-"};
  const std::vector<std::string_view> names[3] = {
      {"Statutory", "employee"}, {"Retirement", "plan"}, {"Third-party", "sick pay"}};
  const int step = (right - left) / 3;
  for (int i = 0; i < 3; ++i) {
    const int x = left + 12 + i * step;
    b.CheckBox(ids[i] + side, x, top, 30);
    b.TextLines(x + 38, top - 2, 17, names[i], kSmallFont);
  }
}

}  // namespace

FormPicture W2cPicture() {
  PictureBuilder b(kW2cPicture, "Form W-2c, one form a page", kW2cPictureWidth, kW2cPictureHeight);
  b.Text(kLeft, 30, "DO NOT CUT, FOLD, OR STAPLE THIS FORM", {"Arial", 70, true});
  b.TextCentred(950, 20, "44444", {"Arial", 140, true});
  const int office = b.Text(1250, 22, "For Official Use Only", kLabelFont);
  b.Arrow(office + 8, 24, 16);
  b.Text(1250, 50, "OMB No. 1545-0008", kLabelFont);
  b.Frame(kLeft, kFrameTop, kRight, kFrameBottom, kRuleBorder);

  // The lettered boxes.
  b.VRule(560, kFrameTop, kRow2);
  b.VRule(1200, kFrameTop, kRow2);
  LabelledBox(b, "a", kLeft, kFrameTop, 560, kRow2, "a", "Tax year/Form corrected");
  LabelledBox(b, "b", 560, kFrameTop, 1200, kRow2, "b", "Employee\u2019s correct SSN");
  b.CheckBox("c", 1212, kFrameTop + 14, 36);
  b.Label(1258, kFrameTop + 12, "c", W2cTexts::kBoxC, kLabelFont);
  b.TextLines(1258, kFrameTop + 42, 20,
              {"(Check this box and complete boxes h and/or i", "if incorrect on last form filed.)"}, kSmallFont);
  b.HRule(kRow2, kLeft, kRight);
  b.VRule(kMiddle, kRow2, kHeadings);
  b.VRule(1420, kRow2, kRow3);
  b.VRule(1770, kRow2, kRow3);
  LabelledBox(b, "d", kLeft, kRow2, kMiddle, kRow3, "d", "Employer\u2019s Federal EIN");
  LabelledBox(b, "e-first", kMiddle, kRow2, 1420, kRow3, "e", "Employee\u2019s first name and initial");
  LabelledBox(b, "e-last", 1420, kRow2, 1770, kRow3, "", "Last name");
  LabelledBox(b, "e-suffix", 1770, kRow2, kRight, kRow3, "", "Suff.");
  b.HRule(kRow3, kLeft, kRight);
  LabelledBox(b, "g", kLeft, kRow3, kMiddle, kRowNote, "g", "Employer\u2019s name, address, and ZIP code");
  LabelledBox(b, "f", kMiddle, kRow3, kRight, kRowNote, "f", "Employee\u2019s address and ZIP code");
  b.HRule(kRowNote, kLeft, kRight);
  b.Text(kLeft + kLabelDx, kRowNote + 6, "Complete boxes h and/or i only if incorrect on last form filed.",
         {"Arial", 70, true});
  b.HRule(kRowHi, kLeft, kRight);
  LabelledBox(b, "h", kLeft, kRowHi, kMiddle, kHeadings, "h", W2cTexts::kBoxH);
  LabelledBox(b, "i", kMiddle, kRowHi, kRight, kHeadings, "i", W2cTexts::kBoxI);
  b.HRule(kHeadings, kLeft, kRight, kRuleBorder);

  // The numbered boxes, two columns each.
  ColumnHeadings(b, kLeft, kLeftSplit, kMiddle, kHeadings);
  ColumnHeadings(b, kMiddle, kRightSplit, kRight, kHeadings);
  b.HRule(kMoney, kLeft, kRight);
  b.VRule(kMiddle, kHeadings, kFrameBottom);
  auto row = [](int k) { return kMoney + k * kMoneyStep; };
  const char* left[6] = {"1", "3", "5", "7", "9", "11"};
  const char* right[4] = {"2", "4", "6", "8"};
  for (int k = 0; k < 6; ++k) TwoColumnBox(b, left[k], LabelOf(left[k]), kLeft, kLeftSplit, kMiddle, row(k), row(k + 1));
  for (int k = 0; k < 4; ++k)
    TwoColumnBox(b, right[k], LabelOf(right[k]), kMiddle, kRightSplit, kRight, row(k), row(k + 1));
  TwoColumnBox(b, "10", LabelOf("10"), kMiddle, kRightSplit, kRight, row(4), row(5));
  for (int k = 1; k < 9; ++k) b.HRule(row(k), k == 8 ? kMiddle : kLeft, kRight);
  // Box 13: three check boxes in each column.
  {
    const int y = row(6) + kLabelDy;
    b.Label(kLeft + kLabelDx, y, "13", "", kLabelFont);
    b.VRule(kLeftSplit, row(6), row(7));
    CheckRow(b, "prev", kLeft, kLeftSplit, row(6) + 45);
    CheckRow(b, "correct", kLeftSplit, kMiddle, row(6) + 45);
  }
  TwoColumnBox(b, "14", LabelOf("14"), kLeft, kLeftSplit, kMiddle, row(7), row(9));
  // Box 12: a code cell and an amount in each column.
  const char* lines[4] = {"12a", "12b", "12c", "12d"};
  for (int k = 0; k < 4; ++k) {
    const int top = row(5 + k), bottom = row(6 + k), y = top + kLabelDy;
    b.Label(kMiddle + kLabelDx, y, lines[k], k == 0 ? "See instructions for box 12" : "", kLabelFont);
    const std::string key = lines[k];
    const int under = LabelBottom(y) + 2;
    for (int x : {kMiddle + 100, kRightSplit, kRightSplit + 100}) b.VRule(x, x == kRightSplit ? top : under, bottom);
    b.Box(key + "-prev-code", kMiddle, top, kMiddle + 100, bottom, y, LabelBottom(y));
    b.Box(key + "-prev", kMiddle + 100, top, kRightSplit, bottom, y, LabelBottom(y));
    b.Box(key + "-correct-code", kRightSplit, top, kRightSplit + 100, bottom, y, LabelBottom(y));
    b.Box(key + "-correct", kRightSplit + 100, top, kRight, bottom, y, LabelBottom(y));
  }
  b.HRule(kStateHead, kLeft, kRight, kRuleBorder);

  // State and local boxes, two lines each.
  b.TextCentred((kLeft + kMiddle) / 2, kStateHead + 12, "State Correction Information", kHeadFont);
  b.TextCentred((kMiddle + kRight) / 2, kStateHead + 12, "Locality Correction Information", kHeadFont);
  b.HRule(kState, kLeft, kRight);
  const char* state[6] = {"15", "16", "17", "15.2", "16.2", "17.2"};
  const char* local[6] = {"18", "19", "20", "18.2", "19.2", "20.2"};
  for (int k = 0; k < 6; ++k) {
    const int top = kState + k * kStateStep, bottom = top + kStateStep;
    TwoColumnBox(b, state[k], LabelOf(state[k]), kLeft, kLeftSplit, kMiddle, top, bottom);
    TwoColumnBox(b, local[k], LabelOf(local[k]), kMiddle, kRightSplit, kRight, top, bottom);
    if (k > 0) b.HRule(top, kLeft, kRight, k == 3 ? kRuleBorder : kRuleHair);
  }

  // The form's name.
  int x = b.Text(kLeft, kFrameBottom + 14, "Form", {"Arial", 80, false});
  x = b.Text(x + 10, kFrameBottom + 4, "W-2c", {"Arial", 160, true});
  b.Text(x + 12, kFrameBottom + 30, W2cTexts::kRevision, {"Arial", 60, false});
  b.TextCentred(960, kFrameBottom + 14, "Corrected Wage and Tax Statement", {"Arial", 110, true});
  b.TextRight(kRight, kFrameBottom + 14, "Department of the Treasury", kLabelFont);
  b.TextRight(kRight, kFrameBottom + 40, "Internal Revenue Service", kLabelFont);
  b.Box("copy", kLeft, kCopyTop, kRight, kCopyBottom);
  return b.Take();
}

namespace {

// W-3c rows.
constexpr int k3Top = 90, k3RowB = 200, k3RowC = 310, k3RowE = 420, k3RowH = 530, k3Headings = 640, k3Money = 690,
              k3Explain = 1590, k3Contact = 1750, k3Email = 1860, k3Bottom = 1970;

}  // namespace

FormPicture W3cPicture() {
  PictureBuilder b(kW3cPicture, "Form W-3c", kW3cPictureWidth, kW3cPictureHeight);
  b.Text(kLeft, 30, "DO NOT STAPLE OR FOLD", {"Arial", 70, true});
  const int office = b.Text(1250, 22, "For Official Use Only", kLabelFont);
  b.Arrow(office + 8, 24, 16);
  b.Text(1250, 50, "OMB No. 1545-0008", kLabelFont);
  b.Frame(kLeft, k3Top, kRight, k3Bottom, kRuleBorder);

  b.VRule(kMiddle, k3Top, k3Headings);
  LabelledBox(b, "a", kLeft, k3Top, kMiddle, k3RowB, "a", "Tax year/Form corrected");
  b.HRule(k3RowB, kLeft, kMiddle);
  LabelledBox(b, "b", kLeft, k3RowB, kMiddle, k3RowE, "b", "Employer\u2019s name, address, and ZIP code");
  b.HRule(k3RowE, kLeft, kRight);
  LabelledBox(b, "e", kLeft, k3RowE, kMiddle, k3RowH, "e", "Employer\u2019s Federal EIN");
  b.HRule(k3RowH, kLeft, kRight);
  LabelledBox(b, "h", kLeft, k3RowH, kMiddle, k3Headings, "h", "Employer\u2019s incorrect Federal EIN");

  // c: Kind of Payer, two rows of four check boxes.
  b.Label(kMiddle + kLabelDx, k3Top + kLabelDy, "c", "Kind of Payer", kLabelFont);
  const char* ids[8] = {"c-941", "c-military", "c-943", "c-944", "c-ct-1", "c-household", "c-medicare", "c-sick-pay"};
  const std::vector<std::string_view> names[8] = {{"941/941-SS"}, {"Military"}, {"943"},
                                                   {"944/944-SS"}, {"CT-1"},     {"Hshld.", "emp."},
                                                   {"Medicare", "govt. emp."}, {"Third-party", "sick pay"}};
  for (int i = 0; i < 8; ++i) {
    const int x = kMiddle + 20 + (i % 4) * 232, y = k3Top + 45 + (i / 4) * 90;
    b.CheckBox(ids[i], x, y, 36);
    b.TextLines(x + 46, y + (names[i].size() == 1 ? 6 : -2), 19, names[i],
                names[i].size() == 1 ? kLabelFont : kSmallFont);
  }
  b.HRule(k3RowC, kMiddle, kRight);
  b.VRule(kRightSplit, k3RowC, k3RowH);
  LabelledBox(b, "d", kMiddle, k3RowC, kRightSplit, k3RowE, "d", "Number of Forms W-2c");
  LabelledBox(b, "f", kRightSplit, k3RowC, kRight, k3RowE, "f", "Establishment number");
  LabelledBox(b, "g", kMiddle, k3RowE, kRightSplit, k3RowH, "g", "Employer\u2019s state ID number");
  LabelledBox(b, "i", kRightSplit, k3RowE, kRight, k3RowH, "i", "Incorrect establishment number");
  LabelledBox(b, "j", kMiddle, k3RowH, kRight, k3Headings, "j", "Employer\u2019s incorrect state ID number");
  b.HRule(k3Headings, kLeft, kRight, kRuleBorder);

  ColumnHeadings(b, kLeft, kLeftSplit, kMiddle, k3Headings);
  ColumnHeadings(b, kMiddle, kRightSplit, kRight, k3Headings);
  b.HRule(k3Money, kLeft, kRight);
  b.VRule(kMiddle, k3Headings, k3Explain);
  struct Numbered {
    const char* key;
    const char* text;
  };
  // Box 14 has the left half of its row; the right half is left blank.
  const Numbered pairs[9][2] = {
      {{"1", "Wages, tips, other compensation"}, {"2", "Federal income tax withheld"}},
      {{"3", "Social security wages"}, {"4", "Social security tax withheld"}},
      {{"5", "Medicare wages and tips"}, {"6", "Medicare tax withheld"}},
      {{"7", "Social security tips"}, {"8", "Allocated tips"}},
      {{"9", "Advance EIC payment"}, {"10", "Dependent care benefits"}},
      {{"11", "Nonqualified plans"}, {"12", "Deferred compensation"}},
      {{"14", "Income tax withheld by third-party sick pay payer"}, {nullptr, nullptr}},
      {{"16", "State wages, tips, etc."}, {"17", "State income tax"}},
      {{"18", "Local wages, tips, etc."}, {"19", "Local income tax"}},
  };
  for (int k = 0; k < 9; ++k) {
    const int top = k3Money + k * kMoneyStep, bottom = top + kMoneyStep;
    TwoColumnBox(b, pairs[k][0].key, pairs[k][0].text, kLeft, kLeftSplit, kMiddle, top, bottom);
    if (pairs[k][1].key) TwoColumnBox(b, pairs[k][1].key, pairs[k][1].text, kMiddle, kRightSplit, kRight, top, bottom);
    b.HRule(bottom, kLeft, kRight, k == 6 ? kRuleBorder : kRuleHair);
  }
  LabelledBox(b, "explain", kLeft, k3Explain, kRight, k3Contact, "", "Explain decreases here:");
  b.HRule(k3Contact, kLeft, kRight);
  b.HRule(k3Email, kLeft, kRight);
  b.VRule(kMiddle, k3Contact, k3Bottom);
  LabelledBox(b, "contact", kLeft, k3Contact, kMiddle, k3Email, "", "Contact person");
  LabelledBox(b, "telephone", kMiddle, k3Contact, kRight, k3Email, "", "Telephone number");
  LabelledBox(b, "email", kLeft, k3Email, kMiddle, k3Bottom, "", "E-mail address");
  LabelledBox(b, "fax", kMiddle, k3Email, kRight, k3Bottom, "", "Fax number");

  b.Text(kLeft, k3Bottom + 10,
         "Under penalties of perjury, I declare that I have examined this return and accompanying documents, and, "
         "to the best of my knowledge and belief, they are true, correct, and complete.",
         {"Arial", 60, false});
  const FontSpec signature{"Arial", 80, false};
  int x = b.Text(kLeft, k3Bottom + 42, "Signature", signature);
  b.Arrow(x + 8, k3Bottom + 46, 22);
  x = b.Text(900, k3Bottom + 42, "Title", signature);
  b.Arrow(x + 8, k3Bottom + 46, 22);
  x = b.Text(1500, k3Bottom + 42, "Date", signature);
  b.Arrow(x + 8, k3Bottom + 46, 22);
  x = b.Text(kLeft, k3Bottom + 80, "Form", {"Arial", 80, false});
  x = b.Text(x + 10, k3Bottom + 70, "W-3c", {"Arial", 140, true});
  b.Text(x + 12, k3Bottom + 92, W2cTexts::kRevision, {"Arial", 60, false});
  b.TextCentred(960, k3Bottom + 80, "Transmittal of Corrected Wage and Tax Statements", {"Arial", 100, true});
  b.TextRight(kRight, k3Bottom + 80, "Department of the Treasury", kLabelFont);
  b.TextRight(kRight, k3Bottom + 100, "Internal Revenue Service", kLabelFont);
  return b.Take();
}

}  // namespace formet
