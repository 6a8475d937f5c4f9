#include "forms/1099/form1099_pictures.h"

#include <string>

namespace formet {
namespace {

const FontSpec kLabelFont{"Arial", 60, false};
const FontSpec kSmallFont{"Arial", 55, false};
constexpr int kLabelDx = 8, kLabelDy = 3;

int LabelBottom(int y, const FontSpec& font = kLabelFont) { return y + TextCellHeight(font); }

// A box with its label, one line or more, at its top-left corner.
void LabelledBox(PictureBuilder& b, const std::string& id, int left, int top, int right, int bottom,
                 std::string_view key, const std::vector<std::string_view>& lines, const FontSpec& font = kLabelFont) {
  const int x = left + kLabelDx, y = top + kLabelDy, step = 22;
  for (size_t i = 0; i < lines.size(); ++i)
    b.Label(x, y + static_cast<int>(i) * step, i == 0 ? key : "", lines[i], font);
  if (lines.empty()) b.Label(x, y, key, "", font);
  const int last = lines.empty() ? 0 : static_cast<int>(lines.size()) - 1;
  b.Box(id, left, top, right, bottom, y, LabelBottom(y + last * step, font));
}

// ---- Form 1099-MISC ------------------------------------------------------------------
// In the units of the copy's picture, which the print stretches over
// (20, 10)-(2000, 1380) and again as far lower as the data of the lower form
// lie: the 2007 form where it lies on the page, the copy's captions (printed
// by the print) in its right column.
namespace misc {
constexpr int kLeft = 84, kTinSplit = 517, kMoney = 962, kMoney2 = 1304, kCaption = 1660, kRight = 1939;
constexpr int kTop = 95, kRow2 = 222, kRow3 = 349, kRow5 = 455, kRow7 = 603, kRow9 = 770, kRow11 = 893,
              kRow13 = 974, kRow16 = 1111, kBottom = 1236;
// The state row's boxes 16 | 17 | 18 under the money columns, and the dashed
// rule between its two lines.
constexpr int kState17 = kMoney2, kState18 = kCaption, kStateLine = 1184;
// The VOID and CORRECTED check boxes above the form.
constexpr int kVoidRight = 558, kVoidBox = 566, kCorrectedRight = 763, kCorrectedBox = 771, kStripTop = 33;
static_assert(kCorrectedBox - kVoidBox == kForm1099CorrectedRightOfVoid);
// The "2nd TIN not." cell; the print paints it out on Copies 1, B and 2.
constexpr int kSecondTinLeft = 795;
}  // namespace misc

void DollarSign(PictureBuilder& b, int left, int dataTop) { b.Text(left + kLabelDx, dataTop, "$", kLabelFont); }

}  // namespace

FormPicture Form1099CopyPicture() {
  using namespace misc;
  PictureBuilder b("Help3.svg", "Form 1099-MISC, Copies 1, B, 2 and C", 1980, 1370);

  // Above the form, each copy has its own VOID and CORRECTED boxes (the
  // copies' additions).

  // Outline.
  b.HRule(kTop, kLeft, kRight, kRuleBorder);
  b.HRule(kBottom, kLeft, kRight, kRuleBorder);
  b.VRule(kLeft, kTop, kBottom, kRuleBorder);
  b.VRule(kRight, kTop, kBottom, kRuleBorder);

  // Left half.
  b.VRule(kMoney, kTop, kBottom);
  for (int y : {kRow5, kRow7, kRow9, kRow11, kRow13}) b.HRule(y, kLeft, kMoney);
  b.VRule(kTinSplit, kRow5, kRow7);
  LabelledBox(b, "payer", kLeft, kTop, kMoney, kRow5, "",
              {"PAYER\u2019S name, street address, city, state, ZIP code, and telephone no."});
  LabelledBox(b, "payer-tin", kLeft, kRow5, kTinSplit, kRow7, "", {"PAYER\u2019S federal", "identification number"});
  LabelledBox(b, "recipient-tin", kTinSplit, kRow5, kMoney, kRow7, "", {"RECIPIENT\u2019S", "identification number"});
  LabelledBox(b, "recipient-name", kLeft, kRow7, kMoney, kRow9, "", {"RECIPIENT\u2019S name"});
  LabelledBox(b, "street", kLeft, kRow9, kMoney, kRow11, "", {"Street address (including apt. no.)"});
  LabelledBox(b, "city", kLeft, kRow11, kMoney, kRow13, "", {"City, state, and ZIP code"});
  LabelledBox(b, "account", kLeft, kRow13, kSecondTinLeft, kRow16, "", {"Account number (see instructions)"});
  // The "2nd TIN not." cell, drawn within the area the print blanks.
  b.VRule(kSecondTinLeft, kRow13 + 9, kRow16 - 15);
  b.Text(kSecondTinLeft + 8, kRow13 + 9, "2nd TIN not.", kLabelFont);
  // A finer line lets the box hold the mark of both forms of the sheet and
  // still lie within the blanked area.
  b.CheckBox("second-tin", 854, 1061, 36, 10);
  b.HRule(kRow16, kLeft, kRight);
  b.VRule(kTinSplit, kRow16, kBottom);
  LabelledBox(b, "15a", kLeft, kRow16, kTinSplit, kBottom, "15a", {"Section 409A deferrals"});
  LabelledBox(b, "15b", kTinSplit, kRow16, kMoney, kBottom, "15b", {"Section 409A income"});
  DollarSign(b, kLeft, 1179);
  DollarSign(b, kTinSplit, 1179);

  // The money boxes.
  b.VRule(kMoney2, kTop, kRow16);
  b.VRule(kCaption, kTop, kRow16);
  b.HRule(kRow2, kMoney, kMoney2);
  for (int y : {kRow3, kRow5, kRow7, kRow9, kRow11, kRow13}) b.HRule(y, kMoney, kCaption);
  LabelledBox(b, "1", kMoney, kTop, kMoney2, kRow2, "1", {"Rents"});
  LabelledBox(b, "2", kMoney, kRow2, kMoney2, kRow3, "2", {"Royalties"});
  LabelledBox(b, "3", kMoney, kRow3, kMoney2, kRow5, "3", {"Other income"});
  LabelledBox(b, "4", kMoney2, kRow3, kCaption, kRow5, "4", {"Federal income tax withheld"});
  LabelledBox(b, "5", kMoney, kRow5, kMoney2, kRow7, "5", {"Fishing boat proceeds"});
  LabelledBox(b, "6", kMoney2, kRow5, kCaption, kRow7, "6", {"Medical and health care", "payments"});
  LabelledBox(b, "7", kMoney, kRow7, kMoney2, kRow9, "7", {"Nonemployee compensation"});
  LabelledBox(b, "8", kMoney2, kRow7, kCaption, kRow9, "8", {"Substitute payments in lieu of", "dividends or interest"});
  {
    const int y = kRow9 + kLabelDy;
    b.Label(kMoney + kLabelDx, y, "9", "Payer made direct sales of", kLabelFont);
    b.TextLines(kMoney + kLabelDx, y + 22, 22,
                {"$5,000 or more of consumer", "products to a buyer", "(recipient) for resale"}, kLabelFont);
    b.Arrow(kMoney + kLabelDx + TextWidth(kLabelFont, "(recipient) for resale") + 10, y + 3 * 22 + 4, 16);
    b.CheckBox("9", 1259, 846, 38);
  }
  LabelledBox(b, "10", kMoney2, kRow9, kCaption, kRow11, "10", {"Crop insurance proceeds"});
  LabelledBox(b, "11", kMoney, kRow11, kMoney2, kRow13, "11", {});
  LabelledBox(b, "12", kMoney2, kRow11, kCaption, kRow13, "12", {});
  LabelledBox(b, "13", kMoney, kRow13, kMoney2, kRow16, "13", {"Excess golden parachute", "payments"});
  LabelledBox(b, "14", kMoney2, kRow13, kCaption, kRow16, "14", {"Gross proceeds paid to an", "attorney"});
  for (int y : {160, 285, 395, 545, 710, 1055}) DollarSign(b, kMoney, y);
  for (int y : {395, 545, 710, 840, 1055}) DollarSign(b, kMoney2, y);

  // The state row: two lines, split by a dashed rule.
  b.VRule(kState17, kRow16, kBottom);
  b.VRule(kState18, kRow16, kBottom);
  b.HRule(kStateLine, kMoney, kRight, kRuleHair, true);
  const int labelY = kRow16 + 2;
  b.Label(kMoney + kLabelDx, labelY, "16", "State tax withheld", kLabelFont);
  b.Label(kState17 + kLabelDx, labelY, "17", "State/Payer\u2019s state no.", kLabelFont);
  b.Label(kState18 + kLabelDx, labelY, "18", "State income", kLabelFont);
  const int columns[4] = {kMoney, kState17, kState18, kRight};
  const char* ids[3] = {"16", "17", "18"};
  for (int i = 0; i < 3; ++i) {
    b.Box(std::string(ids[i]) + "-1", columns[i], kRow16, columns[i + 1], kStateLine, labelY, LabelBottom(labelY));
    b.Box(std::string(ids[i]) + "-2", columns[i], kStateLine, columns[i + 1], kBottom);
  }
  for (int y : {1140, 1188}) DollarSign(b, kMoney, y);

  // The title cell and the title.
  b.HRule(kRow3, kMoney2, kCaption);
  b.Text(kMoney2 + kLabelDx, kTop + 6, "OMB No. 1545-0115", kLabelFont);
  b.TextCentred((kMoney2 + kCaption) / 2, 150, "2007", {"Arial", 260, true});
  b.TextCentred((kMoney2 + kCaption) / 2, 290, "Form 1099-MISC", {"Arial", 90, true});
  b.TextLines(kCaption + 22, 150, 44, {"Miscellaneous", "Income"}, {"Arial", 105, true});

  // Copy C keeps this part of the caption column (the print blanks it on the
  // other copies).
  b.TextLines(kCaption + 22, 640, 26,
              {"For Privacy Act and", "Paperwork Reduction", "Act Notice, see the", "2007 General", "Instructions for",
               "Forms 1099, 1098,", "5498, and W-2G."},
              {"Arial", 65, false});

  // Footer.
  int x = b.Text(kLeft, 1250, "Form", kLabelFont);
  b.Text(x + 8, 1242, "1099-MISC", {"Arial", 90, true});
  b.TextRight(kRight, 1248, "Department of the Treasury - Internal Revenue Service", kLabelFont);
  return b.Take();
}

namespace {

const FontSpec kStripFont{"Arial", 65, true};

void VoidBox(PictureBuilder& b) {
  using namespace misc;
  b.TextRight(kVoidRight, kStripTop + 7, "VOID", kStripFont);
  b.CheckBox("void", kVoidBox, kStripTop, 36);
}

void CorrectedBox(PictureBuilder& b, std::string_view text) {
  using namespace misc;
  b.TextRight(kCorrectedRight, kStripTop + 7, text, kStripFont);
  b.CheckBox("corrected", kCorrectedBox, kStripTop, 36);
}

}  // namespace

FormPicture Form1099CopyAdditions(int copy) {
  PictureBuilder b("", "Form 1099-MISC, what copy " + std::to_string(copy) + " adds", 1980, 1370);
  constexpr int kCopy1 = 0, kCopyB = 1, kCopyC = 3;
  if (copy == kCopy1 || copy == kCopyC) VoidBox(b);
  if (copy >= 0 && copy <= kCopyC) CorrectedBox(b, copy == kCopyB ? "CORRECTED (if checked)" : "CORRECTED");
  return b.Take();
}

FormPicture Form1099CopyAAdditions() {
  using namespace misc;
  PictureBuilder b("", "Form 1099-MISC, what Copy A adds", 1980, 1370);
  b.Text(313, kStripTop - 4, "9595", {"Arial", 120, true});
  VoidBox(b);
  CorrectedBox(b, "CORRECTED");
  // The caption, where the copies print theirs.
  const FontSpec caption{"Arial", 100, true};
  b.TextLines(kCaption + 22, 347, 53, {"Copy A", "For", "Internal Revenue", "Service Center"}, caption);
  b.TextLines(kCaption + 22, 570, 26, {"File with Form 1096."}, {"Arial", 65, false});
  b.Text(620, 1250, "Cat. No. 14425J", {"Arial", 60, false});
  return b.Take();
}

// ---- Form 1096 ------------------------------------------------------------------------
// In the units of its picture, stretched over (35, 25)-(1935, 2635).
namespace {
namespace summary {
constexpr int kLeft = 45, kRight = 1880;
constexpr int kTop = 70, kHeader = 240, kContact = 556, kEmail = 646, kBoxes = 736, kHeading = 820, kTypes = 866,
              kTypes2 = 1036, kBottom = 1206;
constexpr int kFilerRight = 1196, kPhoneLeft = 760;
constexpr int kBoxX[6] = {kLeft, 405, 870, 1115, 1420, kRight};
constexpr int kTypeCells = 14;
struct TypeOfForm {
  const char* name;
  const char* code;
  const char* id;
};
constexpr TypeOfForm kRow1[14] = {{"W-2G", "32", "w-2g"},         {"1098", "81", "1098"},
                                  {"1098-C", "78", "1098-c"},     {"1098-E", "84", "1098-e"},
                                  {"1098-T", "83", "1098-t"},     {"1099-A", "80", "1099-a"},
                                  {"1099-B", "79", "1099-b"},     {"1099-C", "85", "1099-c"},
                                  {"1099-CAP", "73", "1099-cap"}, {"1099-DIV", "91", "1099-div"},
                                  {"1099-G", "86", "1099-g"},     {"1099-H", "71", "1099-h"},
                                  {"1099-INT", "92", "1099-int"}, {"1099-LTC", "93", "1099-ltc"}};
constexpr TypeOfForm kRow2[10] = {{"1099-MISC", "95", "1099-misc"}, {"1099-OID", "96", "1099-oid"},
                                  {"1099-PATR", "97", "1099-patr"}, {"1099-Q", "31", "1099-q"},
                                  {"1099-R", "98", "1099-r"},       {"1099-S", "75", "1099-s"},
                                  {"1099-SA", "94", "1099-sa"},     {"5498", "28", "5498"},
                                  {"5498-ESA", "72", "5498-esa"},   {"5498-SA", "27", "5498-sa"}};
}  // namespace summary

std::vector<FlowParagraph> Form1096Instructions() {
  using K = FlowParagraph::Kind;
  return {
      {K::Heading, "", "Instructions"},
      {K::Body, "Purpose of form.",
       "Use this form to send paper Forms 1099, 1098, 5498 and W-2G to the Internal Revenue Service. Complete "
       "the Form 1096 and send it with Copy A of the forms it summarizes. Do not use it to send returns filed "
       "electronically."},
      {K::Body, "One Form 1096 for each type.",
       "Group the forms by form number and send each group with its own Form 1096; several Forms 1096 may go "
       "in one envelope. Mark one box only in the row of form types."},
      {K::Body, "When to file.",
       "File Form 1096 with Copies A of Form 1099-MISC by February 28, 2008. If you file electronically, the "
       "due date is March 31, 2008. Give Copy B to each recipient by January 31, 2008."},
      {K::Body, "Where to file.",
       "Mail the forms flat to the Internal Revenue Service Center for the state of your principal business, "
       "office or agency; the addresses are listed in the 2007 General Instructions for Forms 1099, 1098, 5498, "
       "and W-2G."},
      {K::Body, "Filer\u2019s name and address.",
       "Enter them as they appear on the forms you send. If you received a preprinted label from the IRS, use "
       "it and correct any errors on it."},
      {K::Body, "Box 1 or 2.",
       "Enter your employer identification number in box 1 or, if you are an individual without one, your "
       "social security number in box 2. Never fill in both boxes."},
      {K::Body, "Box 3.",
       "The number of forms sent with this Form 1096, not the number of pages. Do not count blank or voided "
       "forms."},
      {K::Body, "Box 4.", "The total federal income tax withheld shown on the forms sent with this Form 1096."},
      {K::Body, "Box 5.",
       "For Form 1099-MISC, the total of boxes 1, 2, 3, 5, 6, 7, 8, 10, 13 and 14 of the forms. Boxes 4, 15a, "
       "15b and 16 to 18 are not included."},
      {K::Body, "Final return.",
       "Mark the box to the right of the heading if you will not file information returns again, on paper or "
       "electronically."},
      {K::Body, "Corrected returns.",
       "Send corrected forms with their own Form 1096; mark the \u201cCORRECTED\u201d box of each form."},
      {K::Body, "Electronic filing.",
       "If you file 250 or more information returns of one type, you must file them electronically, following "
       "Publication 1220."},
      {K::Body, "Need help?",
       "Call the IRS information reporting call site at 1-866-455-7438. Forms and instructions: "
       "1-800-TAX-FORM (1-800-829-3676) or www.irs.gov."},
  };
}

}  // namespace

FormPicture Form1096CopyPicture() {
  using namespace summary;
  PictureBuilder b("Help4.svg", "Form 1096, copy", 1900, 2610);

  b.Text(kLeft, 22, "Do Not Staple", {"Arial", 80, true});
  b.Text(420, 16, "6969", {"Arial", 120, true});
  b.Frame(kLeft, kTop, kRight, kBottom, kRuleBorder);

  // Heading: the form, its title, OMB number and year.
  b.VRule(380, kTop, kHeader);
  b.VRule(1600, kTop, kHeader);
  b.HRule(kHeader, kLeft, kRight);
  int x = b.Text(kLeft + 12, 128, "Form", kLabelFont);
  b.Text(x + 8, 90, "1096", {"Arial", 260, true});
  b.TextLines(kLeft + 12, 186, 22, {"Department of the Treasury", "Internal Revenue Service"}, kLabelFont);
  b.TextCentred(990, 100, "Annual Summary and Transmittal of", {"Arial", 150, true});
  b.TextCentred(990, 160, "U.S. Information Returns", {"Arial", 150, true});
  b.Text(1608, kTop + 6, "OMB No. 1545-0108", kLabelFont);
  b.TextCentred(1740, 110, "2007", {"Arial", 260, true});

  // The filer, the contact, and the office's block.
  b.VRule(kFilerRight, kHeader, kBoxes);
  b.Text(kLeft + 8, kHeader + 3, "FILER\u2019S name", kLabelFont);
  b.Box("filer-name", kLeft, kHeader, kFilerRight, 370, kHeader + 3, LabelBottom(kHeader + 3));
  b.Text(kLeft + 8, 380, "Street address (including room or suite number)", kLabelFont);
  b.Box("street", kLeft, 370, kFilerRight, 472, 380, LabelBottom(380));
  b.Text(kLeft + 8, 480, "City, state, and ZIP code", kLabelFont);
  b.Box("city", kLeft, 472, kFilerRight, kContact, 480, LabelBottom(480));
  b.Arrow(kLeft + 8, 310, 22);
  b.HRule(kContact, kLeft, kFilerRight);
  b.HRule(kEmail, kLeft, kFilerRight);
  b.VRule(kPhoneLeft, kContact, kBoxes);
  LabelledBox(b, "contact", kLeft, kContact, kPhoneLeft, kEmail, "", {"Name of person to contact"});
  LabelledBox(b, "telephone", kPhoneLeft, kContact, kFilerRight, kEmail, "", {"Telephone number"});
  LabelledBox(b, "email", kLeft, kEmail, kPhoneLeft, kBoxes, "", {"E-mail address"});
  LabelledBox(b, "fax", kPhoneLeft, kEmail, kFilerRight, kBoxes, "", {"Fax number"});
  const FontSpec paren{"Arial", 90, false};
  for (int y : {600, 690}) {
    b.Text(770, y, "(", paren);
    b.Text(853, y, ")", paren);
  }
  b.Text(kFilerRight + 8, kHeader + 3, "For Official Use Only", {"Arial", 60, true});
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 4; ++col)
      b.Frame(1260 + col * 150, 330 + row * 120, 1360 + col * 150, 390 + row * 120, kRuleHair);

  // Boxes 1-5.
  b.HRule(kBoxes, kLeft, kRight);
  for (int i = 1; i < 5; ++i) b.VRule(kBoxX[i], kBoxes, kHeading);
  const char* keys[5] = {"1", "2", "3", "4", "5"};
  const char* texts[5] = {"Employer identification number", "Social security number", "Total number of forms",
                          "Federal income tax withheld", "Total amount reported with this Form 1096"};
  for (int i = 0; i < 5; ++i)
    LabelledBox(b, keys[i], kBoxX[i], kBoxes, kBoxX[i + 1], kHeading, keys[i], {texts[i]},
                i == 4 ? kSmallFont : kLabelFont);
  DollarSign(b, kBoxX[3], 770);
  DollarSign(b, kBoxX[4], 770);

  // The row of form types, and the final-return box.
  b.HRule(kHeading, kLeft, kRight);
  b.HRule(kTypes, kLeft, kRight);
  b.Text(kLeft + 8, kHeading + 10, "Enter an \u201cX\u201d in only one box below to indicate the type of form being filed.",
         {"Arial", 70, true});
  const FontSpec finalFont{"Arial", 70, true};
  b.TextRight(1782, kHeading + 10, "If this is your final return, enter an \u201cX\u201d here", finalFont);
  b.Arrow(1788, kHeading + 14, 18);
  b.CheckBox("final-return", 1808, 825, 30);
  b.HRule(kTypes2, kLeft, kRight);
  auto cellLeft = [](int i) { return kLeft + i * (kRight - kLeft) / kTypeCells; };
  auto typeCell = [&](const TypeOfForm& type, int i, int top) {
    const int left = cellLeft(i), right = cellLeft(i + 1), centre = (left + right) / 2;
    if (i > 0) b.VRule(left, top, top + 170);
    b.TextCentred(centre, top + 8, type.name, {"Arial", 60, true});
    b.TextCentred(centre, top + 40, type.code, kLabelFont);
    b.CheckBox(std::string("type-") + type.id, centre - 17, top + 83, 34);
  };
  for (int i = 0; i < 14; ++i) typeCell(kRow1[i], i, kTypes);
  for (int i = 0; i < 10; ++i) typeCell(kRow2[i], i, kTypes2);
  b.VRule(cellLeft(10), kTypes2, kBottom);

  // Under the form.
  b.Text(kLeft, kBottom + 14,
         "Return this entire page to the Internal Revenue Service. Photocopies are not acceptable.",
         {"Arial", 80, true});
  b.TextLines(kLeft, kBottom + 56, 24,
              {"Under penalties of perjury, I declare that I have examined this return and accompanying documents, "
               "and, to the best of my knowledge and belief,",
               "they are true, correct, and complete."},
              {"Arial", 65, false});
  const FontSpec signature{"Arial", 80, false};
  x = b.Text(kLeft, kBottom + 130, "Signature", signature);
  b.Arrow(x + 8, kBottom + 134, 22);
  b.HRule(kBottom + 164, x + 30, 1060);
  x = b.Text(1080, kBottom + 130, "Title", signature);
  b.Arrow(x + 8, kBottom + 134, 22);
  b.HRule(kBottom + 164, x + 30, 1520);
  x = b.Text(1540, kBottom + 130, "Date", signature);
  b.Arrow(x + 8, kBottom + 134, 22);
  b.HRule(kBottom + 164, x + 30, kRight);

  TextFlow flow;
  flow.left = kLeft;
  flow.right = kRight;
  flow.top = kBottom + 230;
  flow.bottom = 2560;
  flow.columns = 2;
  flow.gutter = 70;
  flow.body = {"Arial", 75, false};
  flow.paragraphGap = 14;
  flow.paragraphs = Form1096Instructions();
  b.Flow(flow);
  b.Text(kLeft, 2575, "Form 1096 (2007)", kLabelFont);
  return b.Take();
}

}  // namespace formet
