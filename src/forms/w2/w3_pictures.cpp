#include "forms/w2/w3_pictures.h"

#include <string>

#include "records/tax_year.h"

namespace formet {
namespace {

const FontSpec kLabelFont{"Arial", 60, false};
const FontSpec kSmallFont{"Arial", 50, false};

// The W-3 in the units of the copy's picture; the laser substitute places the
// same form 8 units right and 1 lower on its own sheet.
constexpr int kLeft = 40, kRight = 1930, kTop = 40, kStrip = 132, kBottom = 1235;
constexpr int kBoxALeft = 290, kBoxARight = 805, kFirstLeft = 885, kCol2 = 1430;
constexpr int kRowC = 308, kRowE = 390, kRowF = 473, kRowH = 810, kRow15 = 895, kRow18 = 980, kContact = 1057,
              kEmail = 1145;
constexpr int kDLeft = 480, kStateIdLeft = 185;
// Rows of boxes 1-14 and 16-19.
constexpr int kRows[9] = {kStrip, 219, kRowC, kRowE, kRowF, 557, 645, 728, kRow15};
constexpr int kLabelDx = 8, kLabelDy = 3;

int LabelBottom(int y) { return y + TextCellHeight(kLabelFont); }

void LabelledBox(PictureBuilder& b, const std::string& id, int left, int top, int right, int bottom,
                 std::string_view key, std::string_view text) {
  const int x = left + kLabelDx, y = top + kLabelDy;
  b.Label(x, y, key, text, kLabelFont);
  b.Box(id, left, top, right, bottom, y, LabelBottom(y));
}

// Where each variant prints the marks of box b: the top-left corners of the
// crosses, in the form's units, in the order 941, Military, 943, 944, CT-1,
// Hshld. emp., Medicare govt. emp., Third-party sick pay.
struct PayerMarks {
  int x[8], y[8];
};
constexpr PayerMarks kCopyMarks{{318, 445, 572, 725, 318, 445, 572, 725}, {174, 174, 174, 174, 266, 266, 266, 266}};
constexpr PayerMarks kLaserMarks{{308, 439, 566, 714, 308, 439, 566, 714}, {174, 174, 174, 174, 260, 260, 260, 260}};
constexpr int kMarkSize = 24, kCheckSize = 36;

std::vector<FlowParagraph> W3Instructions() {
  using K = FlowParagraph::Kind;
  return {
      {K::Heading, "", "General Instructions"},
      {K::Body, "Purpose of form.",
       "Form W-3 carries Copy A of your paper Forms W-2 to the Social Security Administration (SSA) and gives the "
       "totals of all of them. Send one Form W-3 with every batch of paper Forms W-2 and keep a copy of it, with "
       "Copy D of each Form W-2, for your records. Employers who file their Forms W-2 electronically do not send a "
       "Form W-3."},
      {K::Body, "Who must file.",
       "Every employer who files paper Forms W-2. A household employer files a Form W-3 even for a single Form W-2 "
       "and marks the \u201cHshld. emp.\u201d box."},
      {K::Body, "When to file.",
       "Mail Form W-3 with Copy A of Forms W-2 by February 29, 2008. If you file electronically, the due date is "
       "March 31, 2008."},
      {K::Body, "Where to file.",
       "Social Security Administration, Data Operations Center, Wilkes-Barre, PA 18769-0001. By certified mail, "
       "use the ZIP code 18769-0002. A private delivery service needs \u201cATTN: W-2 Process, 1150 E. Mountain "
       "Dr.\u201d in the address and the ZIP code 18702-7997."},
      {K::Body, "Mailing.",
       "Do not staple or tape Form W-3 to the Forms W-2, nor the Forms W-2 to each other, and do not fold them. "
       "Do not send any payment with Forms W-2 and W-3."},
      {K::Body, "Box b\u2014Kind of Payer.",
       "Mark the one box for the return you file for the year: Form 941 (or 941-SS), Military (Form 941 for "
       "military employers), Form 943, Form 944, Form CT-1, household employees (Schedule H), or Medicare "
       "government employees. Mark \u201cThird-party sick pay\u201d as well when the form reports sick pay paid by "
       "a third party."},
      {K::Body, "Boxes c and d.",
       "Box c is the number of Forms W-2 sent with this Form W-3 (voided forms are not counted). Box d may hold "
       "an establishment number that tells apart the separate establishments of your business."},
      {K::Body, "Boxes e to h.",
       "Use the same employer identification number, name and address as on your employment tax returns. In "
       "box h, show any other EIN you used to report wages or taxes during the year."},
      {K::Body, "Boxes 1 to 11, 16 to 19.",
       "Each is the total of the same box of all the Forms W-2 sent with this Form W-3."},
      {K::Body, "Box 12\u2014Deferred compensation.",
       "The total of the box 12 amounts shown with codes D, E, F, G, H, S, Y, AA and BB. Other codes are not "
       "added in."},
      {K::Body, "Boxes 13 and 14.",
       "For third-party sick pay only: box 13 is for the payer\u2019s use, box 14 shows the income tax withheld "
       "by the payer of third-party sick pay."},
      {K::Body, "Box 15.",
       "The state and your state identification number; when Forms W-2 of more than one state are sent, enter "
       "\u201cX\u201d and leave the number blank."},
      {K::Body, "Contact person.",
       "The SSA uses the name, telephone and fax numbers and e-mail address you give to reach you about "
       "problems with the forms."},
      {K::Body, "Reconciling.",
       "The totals of Form W-3 should agree with the amounts reported for the year on Forms 941, 943, 944, CT-1 "
       "or Schedule H (Form 1040). Keep your records for at least 4 years."},
      {K::Body, "Electronic filing.",
       "If you file 250 or more Forms W-2, you must file them electronically, following SSA Publication 42-007 "
       "(EFW2). See www.socialsecurity.gov/employer."},
      {K::Body, "Corrections.",
       "Correct a Form W-2 already filed with Form W-2c, sent with Form W-3c."},
      {K::Body, "Need help?",
       "SSA employer reporting help: 1-800-772-6270. IRS information reporting call site: 1-866-455-7438. Forms "
       "and instructions: 1-800-TAX-FORM (1-800-829-3676) or www.irs.gov."},
  };
}

// Top strip: 33333, a, and the office's cell.
void DrawTopStrip(PictureBuilder& b) {
  b.Text(kLeft + 30, kTop + 18, "33333", {"Arial", 140, true});
  b.VRule(kBoxALeft, kTop, kStrip);
  b.VRule(kBoxARight, kTop, kStrip);
  LabelledBox(b, "a", kBoxALeft, kTop, kBoxARight, kStrip, "a", "Control number");
  const int officeRight = b.Text(kBoxARight + 12, kTop + 10, "For Official Use Only", kLabelFont);
  b.Arrow(officeRight + 8, kTop + 14, 16);
  b.Text(kBoxARight + 12, kTop + 42, "OMB No. 1545-0008", kLabelFont);
  b.HRule(kStrip, kLeft, kRight);
}

// Box b: the eight Kind of Payer check boxes where the payer's marks stand.
void DrawKindOfPayer(PictureBuilder& b, const PayerMarks& marks) {
  b.Label(kLeft + kLabelDx, kStrip + kLabelDy, "b", "", kLabelFont);
  b.TextLines(kLeft + kLabelDx, kStrip + 40, 30, {"Kind", "of", "Payer"}, {"Arial", 75, true});
  const char* ids[8] = {"b-941", "b-military", "b-943", "b-944", "b-ct-1", "b-household", "b-medicare", "b-sick-pay"};
  const std::vector<std::string_view> names[8] = {{"941"},   {"Military"},       {"943"},   {"944"},
                                                   {"CT-1"},  {"Hshld.", "emp."}, {"Medicare", "govt. emp."},
                                                   {"Third-party", "sick pay"}};
  for (int i = 0; i < 8; ++i) {
    const int centreX = marks.x[i] + kMarkSize / 2, centreY = marks.y[i] + kMarkSize / 2;
    const int top = centreY - kCheckSize / 2;
    b.CheckBox(ids[i], centreX - kCheckSize / 2, top, kCheckSize);
    const FontSpec& font = names[i].size() == 1 ? kLabelFont : kSmallFont;
    const int step = 18, lines = static_cast<int>(names[i].size());
    int y = top - 4 - (lines - 1) * step - TextCellHeight(font);
    for (const auto& name : names[i]) {
      b.TextCentred(centreX, y, name, font);
      y += step;
    }
  }
}

// Left part: b, c | d, e, f and g, h, 15.
void DrawEmployerBoxes(PictureBuilder& b, const PayerMarks& marks) {
  b.VRule(kFirstLeft, kStrip, kContact);
  for (int y : {kRowC, kRowE, kRowF, kRowH, kRow15, kRow18}) b.HRule(y, kLeft, kFirstLeft);
  DrawKindOfPayer(b, marks);
  b.VRule(kDLeft, kRowC, kRowE);
  LabelledBox(b, "c", kLeft, kRowC, kDLeft, kRowE, "c", "Total number of Forms W-2");
  LabelledBox(b, "d", kDLeft, kRowC, kFirstLeft, kRowE, "d", "Establishment number");
  LabelledBox(b, "e", kLeft, kRowE, kFirstLeft, kRowF, "e", "Employer identification number (EIN)");
  LabelledBox(b, "f", kLeft, kRowF, kFirstLeft, 565, "f", "Employer\u2019s name");
  {
    // g's label sits at the foot of the address, under the name, as on the form.
    const int y = kRowH - 30;
    b.Label(kLeft + kLabelDx, y, "g", "Employer\u2019s address and ZIP code", kLabelFont);
    b.Box("g", kLeft, 565, kFirstLeft, kRowH, y, LabelBottom(y));
  }
  LabelledBox(b, "h", kLeft, kRowH, kFirstLeft, kRow15, "h", "Other EIN used this year");
  b.VRule(kStateIdLeft, kRow15, kRow18);
  LabelledBox(b, "15-state", kLeft, kRow15, kStateIdLeft, kRow18, "15", "State");
  LabelledBox(b, "15-id", kStateIdLeft, kRow15, kFirstLeft, kRow18, "", "Employer\u2019s state ID number");
}

// Boxes 1-14, then 16-19.
void DrawNumberedBoxes(PictureBuilder& b) {
  b.VRule(kCol2, kStrip, kRows[6]);
  b.VRule(kCol2, kRow15, kContact);
  for (int i = 1; i < 9; ++i) b.HRule(kRows[i], kFirstLeft, kRight);
  b.HRule(kRow18, kFirstLeft, kRight);
  b.HRule(kContact, kLeft, kRight);
  struct Numbered {
    const char* key;
    const char* text;
  };
  const Numbered left[6] = {{"1", "Wages, tips, other compensation"}, {"3", "Social security wages"},
                            {"5", "Medicare wages and tips"},         {"7", "Social security tips"},
                            {"9", "Advance EIC payments"},            {"11", "Nonqualified plans"}};
  const Numbered right[6] = {{"2", "Federal income tax withheld"}, {"4", "Social security tax withheld"},
                             {"6", "Medicare tax withheld"},       {"8", "Allocated tips"},
                             {"10", "Dependent care benefits"},    {"12", "Deferred compensation"}};
  for (int i = 0; i < 6; ++i) {
    LabelledBox(b, left[i].key, kFirstLeft, kRows[i], kCol2, kRows[i + 1], left[i].key, left[i].text);
    LabelledBox(b, right[i].key, kCol2, kRows[i], kRight, kRows[i + 1], right[i].key, right[i].text);
  }
  LabelledBox(b, "13", kFirstLeft, kRows[6], kRight, kRows[7], "13", "For third-party sick pay use only");
  LabelledBox(b, "14", kFirstLeft, kRows[7], kRight, kRows[8], "14",
              "Income tax withheld by payer of third-party sick pay");
  LabelledBox(b, "16", kFirstLeft, kRow15, kCol2, kRow18, "16", "State wages, tips, etc.");
  LabelledBox(b, "17", kCol2, kRow15, kRight, kRow18, "17", "State income tax");
  LabelledBox(b, "18", kFirstLeft, kRow18, kCol2, kContact, "18", "Local wages, tips, etc.");
  LabelledBox(b, "19", kCol2, kRow18, kRight, kContact, "19", "Local income tax");
}

// The contact block.
void DrawContactBlock(PictureBuilder& b) {
  b.HRule(kEmail, kLeft, kCol2);
  b.VRule(kFirstLeft, kContact, kBottom);
  b.VRule(kCol2, kContact, kBottom);
  LabelledBox(b, "contact", kLeft, kContact, kFirstLeft, kEmail, "", "Contact person");
  LabelledBox(b, "telephone", kFirstLeft, kContact, kCol2, kEmail, "", "Telephone number");
  LabelledBox(b, "email", kLeft, kEmail, kFirstLeft, kBottom, "", "E-mail address");
  LabelledBox(b, "fax", kFirstLeft, kEmail, kCol2, kBottom, "", "Fax number");
  const FontSpec paren{"Arial", 90, false};
  for (int top : {kContact, kEmail}) {
    const int y = top == kContact ? 1097 : 1182;
    b.Text(kFirstLeft + 8, y, "(", paren);
    b.Text(kFirstLeft + 95, y, ")", paren);
  }
  b.Text(kCol2 + kLabelDx, kContact + kLabelDy, "For Official Use Only", kLabelFont);
}

// Signature and the form's name.
void DrawSignatureAndTitle(PictureBuilder& b, bool laser) {
  b.TextLines(kLeft, kBottom + 12, 24,
              {"Under penalties of perjury, I declare that I have examined this return and accompanying documents, "
               "and, to the best of my knowledge and belief,",
               "they are true, correct, and complete."},
              {"Arial", 65, false});
  const FontSpec signature{"Arial", 80, false};
  int x = b.Text(kLeft, kBottom + 90, "Signature", signature);
  b.Arrow(x + 8, kBottom + 94, 22);
  b.HRule(kBottom + 124, x + 30, 1080);
  x = b.Text(1100, kBottom + 90, "Title", signature);
  b.Arrow(x + 8, kBottom + 94, 22);
  b.HRule(kBottom + 124, x + 30, 1560);
  x = b.Text(1580, kBottom + 90, "Date", signature);
  b.Arrow(x + 8, kBottom + 94, 22);
  b.HRule(kBottom + 124, x + 30, kRight);
  b.Text(kLeft, kBottom + 170, "Form", kLabelFont);
  x = b.Text(kLeft + 48, kBottom + 140, "W-3", {"Arial", 200, true});
  b.Text(x + 30, kBottom + 158, "Transmittal of Wage and Tax Statements", {"Arial", 120, true});
  b.Text(1300, kBottom + 140, TaxYear::kYear, {"Arial", 200, !laser});  // 20-point Arial on the laser substitute
  b.TextLines(1620, kBottom + 150, 26, {"Department of the Treasury", "Internal Revenue Service"}, kLabelFont);
  b.TextLines(kLeft, kBottom + 230, 32,
              {"Send this entire page with the entire Copy A page of Forms W-2 to the Social Security Administration. "
               "Photocopies are not acceptable.",
               "Do not send any payment (cash, checks, money orders, etc.) with Forms W-2 and W-3."},
              {"Arial", 80, true});
}

void DrawW3(PictureBuilder& b, const PayerMarks& marks, bool laser) {
  b.TextCentred(985, 6, "DO NOT STAPLE", {"Arial", 80, true});
  b.Frame(kLeft, kTop, kRight, kBottom, kRuleBorder);
  DrawTopStrip(b);
  DrawEmployerBoxes(b, marks);
  DrawNumberedBoxes(b);
  DrawContactBlock(b);
  DrawSignatureAndTitle(b, laser);

  TextFlow flow;
  flow.left = kLeft;
  flow.right = kRight;
  flow.top = kBottom + 320;
  flow.bottom = 2600;
  flow.columns = 2;
  flow.gutter = 70;
  flow.body = {"Arial", 75, false};
  flow.paragraphGap = 14;
  flow.paragraphs = W3Instructions();
  b.Flow(flow);
}

}  // namespace

FormPicture W3CopyPicture() {
  PictureBuilder b("Help2.svg", "Form W-3, copy", 1965, 2630);
  DrawW3(b, kCopyMarks, false);
  return b.Take();
}

FormPicture W3LaserPicture() {
  PictureBuilder b("Contactus.msg", "Form W-3, complete laser substitute", 1981, 2667);
  b.Origin(8, 1);
  DrawW3(b, kLaserMarks, true);
  return b.Take();
}

}  // namespace formet
