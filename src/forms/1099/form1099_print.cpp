#include "forms/1099/form1099_print.h"

#include <utility>

#include "forms/1099/form1099_pictures.h"
#include "forms/print/box_fit.h"
#include "forms/print/form_picture.h"
#include "records/contractors.h"
#include "store/ui_services.h"

namespace formet {
namespace {

// Each point as {copy, pre-printed}; they differ only for 16-19 and 41-44,
// and for box 17, which on the drawn copy starts under the money column it
// continues, as on the 2007 form.
constexpr PrintPoint kForm1099Table[kForm1099LayoutPoints][2] = {
    /* 0 payer's name         */ {{160, 205}, {160, 205}},
    /* 1 payer's street 1     */ {{160, 251}, {160, 251}},
    /* 2 payer's street 2     */ {{160, 297}, {160, 297}},
    /* 3 payer's city line    */ {{160, 342}, {160, 342}},
    /* 4                      */ {},
    /* 5                      */ {},
    /* 6 payer's telephone    */ {{160, 464}, {160, 464}},
    /* 7 payer's federal ID   */ {{160, 625}, {160, 625}},
    /* 8 recipient's ID       */ {{600, 625}, {600, 625}},
    /* 9 recipient's name     */ {{160, 720}, {160, 720}},
    /* 10 recipient's street 1*/ {{160, 880}, {160, 880}},
    /* 11 recipient's street 2*/ {{160, 920}, {160, 920}},
    /* 12 recipient's city    */ {{160, 1005}, {160, 1005}},
    /* 13                     */ {},
    /* 14                     */ {},
    /* 15 account number      */ {{160, 1125}, {160, 1125}},
    /* 16 2nd TIN not. mark   */ {{910, 1122}, {914, 1120}},
    /* 17                     */ {{934, 1146}, {938, 1144}},
    /* 18                     */ {{934, 1122}, {938, 1120}},
    /* 19                     */ {{910, 1146}, {914, 1144}},
    /* 20 box 1               */ {{1070, 240}, {1070, 240}},
    /* 21 box 2               */ {{1070, 365}, {1070, 365}},
    /* 22 box 3               */ {{1070, 475}, {1070, 475}},
    /* 23 box 4               */ {{1430, 475}, {1430, 475}},
    /* 24 box 5               */ {{1070, 625}, {1070, 625}},
    /* 25 box 6               */ {{1430, 625}, {1430, 625}},
    /* 26 box 7               */ {{1070, 790}, {1070, 790}},
    /* 27 box 8               */ {{1430, 790}, {1430, 790}},
    /* 28 box 9 mark          */ {{1316, 895}, {1316, 895}},
    /* 29                     */ {{1340, 919}, {1340, 919}},
    /* 30                     */ {{1340, 895}, {1340, 895}},
    /* 31                     */ {{1316, 919}, {1316, 919}},
    /* 32 box 10              */ {{1430, 920}, {1430, 920}},
    /* 33 box 13              */ {{1070, 1135}, {1070, 1135}},
    /* 34 box 14              */ {{1430, 1135}, {1430, 1135}},
    /* 35 box 16, line 1      */ {{1050, 1220}, {1050, 1220}},
    /* 36 box 17, line 1      */ {{1362, 1220}, {1400, 1220}},
    /* 37 box 16, line 2      */ {{1050, 1268}, {1050, 1268}},
    /* 38 box 17, line 2      */ {{1362, 1268}, {1400, 1268}},
    /* 39 box 18, line 1      */ {{1755, 1220}, {1755, 1220}},
    /* 40 box 18, line 2      */ {{1755, 1268}, {1755, 1268}},
    /* 41 VOID mark           */ {{661, 1461}, {665, 1494}},
    /* 42                     */ {{684, 1484}, {688, 1517}},
    /* 43                     */ {{684, 1461}, {688, 1494}},
    /* 44                     */ {{661, 1484}, {665, 1517}},
    /* 45                     */ {},
    /* 46                     */ {},
    /* 47                     */ {},
    /* 48                     */ {},
    /* 49 box 15a             */ {{220, 1259}, {220, 1259}},
    /* 50 box 15b             */ {{640, 1259}, {640, 1259}},
};

// The box of each point's text, by the names of the form's drawing.
constexpr const char* kPointBox[kForm1099LayoutPoints] = {
    "payer", "payer", "payer", "payer", "", "", "payer", "payer-tin", "recipient-tin", "recipient-name",
    "street", "street", "city", "", "", "account", "", "", "", "",
    "1", "2", "3", "4", "5", "6", "7", "8", "", "", "", "", "10", "13", "14",
    "16-1", "17-1", "16-2", "17-2", "18-1", "18-2", "", "", "", "", "", "", "", "", "15a", "15b"};

// The boxes of the 2007 form (Copy A, as measured), for the pre-printed form.
const std::vector<GridBox>& RedInkGrid() {
  static const std::vector<GridBox> kGrid = {
      {"payer", 16.8, 16.9, 103.2, 52.9, 0.35},
      {"payer-tin", 16.8, 52.9, 60.1, 67.7, 0.35},
      {"recipient-tin", 60.1, 52.9, 103.2, 67.7, 0.35},
      {"recipient-name", 16.8, 67.7, 103.2, 84.7, 0.35},
      {"street", 16.8, 84.7, 103.2, 97.4, 0.35},
      {"city", 16.8, 97.4, 103.2, 105.8, 0.35},
      {"account", 16.8, 105.8, 87.9, 118.5, 0.35},
      {"15a", 16.8, 118.5, 60.1, 131.2, 0.35},
      {"15b", 60.1, 118.5, 103.2, 131.2, 0.35},
      {"1", 103.2, 16.9, 138.8, 29.6, 0.35},
      {"2", 103.2, 29.6, 138.8, 42.3, 0.35},
      {"3", 103.2, 42.3, 138.8, 52.9, 0.35},
      {"4", 138.8, 42.3, 174.4, 52.9, 0.35},
      {"5", 103.2, 52.9, 138.8, 67.7, 0.35},
      {"6", 138.8, 52.9, 174.4, 67.7, 0.35},
      {"7", 103.2, 67.7, 138.8, 84.7, 0.35},
      {"8", 138.8, 67.7, 174.4, 84.7, 0.35},
      {"10", 138.8, 84.7, 174.4, 97.4, 0.35},
      {"13", 103.2, 105.8, 138.8, 118.5, 0.35},
      {"14", 138.8, 105.8, 174.4, 118.5, 0.35},
      // The state row: two lines split by a dashed rule at y 127.0.
      {"16-1", 103.2, 118.5, 138.8, 127.0, 0.35},
      {"16-2", 103.2, 127.0, 138.8, 131.2, 0.35},
      {"17-1", 138.8, 118.5, 174.4, 127.0, 0.35},
      {"17-2", 138.8, 127.0, 174.4, 131.2, 0.35},
      {"18-1", 174.4, 118.5, 202.3, 127.0, 0.35},
      {"18-2", 174.4, 127.0, 202.3, 131.2, 0.35},
  };
  return kGrid;
}

std::string_view BoxCaption(std::string_view id) {
  static const std::pair<std::string_view, std::string_view> kCaptions[] = {
      {"payer", "PAYER'S name, street address, city, state, ZIP code, and telephone no."},
      {"payer-tin", "PAYER'S federal identification number"},
      {"recipient-tin", "RECIPIENT'S identification number"},
      {"recipient-name", "RECIPIENT'S name"},
      {"street", "Street address (including apt. no.)"},
      {"city", "City, state, and ZIP code"},
      {"account", "Account number"},
      {"1", "1 Rents"},
      {"2", "2 Royalties"},
      {"3", "3 Other income"},
      {"4", "4 Federal income tax withheld"},
      {"5", "5 Fishing boat proceeds"},
      {"6", "6 Medical and health care payments"},
      {"7", "7 Nonemployee compensation"},
      {"8", "8 Substitute payments in lieu of dividends or interest"},
      {"10", "10 Crop insurance proceeds"},
      {"13", "13 Excess golden parachute payments"},
      {"14", "14 Gross proceeds paid to an attorney"},
      {"15a", "15a Section 409A deferrals"},
      {"15b", "15b Section 409A income"},
      {"16-1", "16 State tax withheld, line 1"},
      {"16-2", "16 State tax withheld, line 2"},
      {"17-1", "17 State/Payer's state no., line 1"},
      {"17-2", "17 State/Payer's state no., line 2"},
      {"18-1", "18 State income, line 1"},
      {"18-2", "18 State income, line 2"},
  };
  return NameOfBox(kCaptions, id);
}

// The form pictures: stretched twice, one per form of the sheet, the lower
// one as far below the upper as the data of the lower form.
constexpr int kPictureRects[2][4] = {{20, 10, 2000, 1380}, {20, 1385, 2000, 2755}};

// The "2nd TIN not." box is painted out on Copies 1, B and 2: a rectangle
// on each form of the sheet, the second one pitch lower.
constexpr int kSecondTinBlank[4] = {790, 989, 940, 1107};

struct CaptionLine {
  const char* text;
  PrintPoint at;
};
struct WhiteArea {
  int left, top, right, bottom;
  bool afterLines;
};
struct Caption {
  std::vector<WhiteArea> white;
  std::vector<CaptionLine> lines;  // "Arial Bold" 10 point
};

const Caption& CaptionOf(int copy) {
  // The white areas stay inside the caption column, between its rule on the
  // left and the form's right border.
  static const Caption kCaptions[4] = {
      // Copy 1
      {{{1690, 350, 1950, 590, false}, {1690, 610, 1950, 1100, true}},
       {{"Copy 1", {1830, 357}}, {"For State Tax", {1722, 410}}, {"Department", {1750, 463}}}},
      // Copy B
      {{{1690, 350, 1950, 590, false}, {1690, 610, 1950, 1100, false}},
       {{"Copy B", {1823, 357}}, {"For Recipient", {1720, 410}}}},
      // Copy 2
      {{{1690, 350, 1950, 1100, false}},
       {{"Copy 2", {1830, 357}},
        {"To be filed", {1773, 410}},
        {"with", {1878, 463}},
        {"recipient\x92s", {1772, 516}},
        {"state income", {1732, 569}},
        {"tax return,", {1780, 622}},
        {"when", {1855, 675}},
        {"required.", {1800, 728}}}},
      // Copy C
      {{{1690, 350, 1950, 590, false}}, {{"Copy C", {1820, 357}}, {"For Payer", {1783, 410}}}},
  };
  return kCaptions[copy];
}

// Copy B's notice, right-aligned to end at x = 1927, one line every 30 units
// from y = 620.
constexpr const char* kCopyBNotice[15] = {
    "This is important tax", "information and is",  "being furnished to", "the Internal Revenue",
    "Service. If you are",   "required to file a",  "return, a negligence", "penalty or other",
    "sanction may be",       "imposed on you if",   "this income is",     "taxable and the IRS",
    "determines that it",    "has not been",        "reported."};
constexpr int kCopyBNoticeRight = 1927, kCopyBNoticeTop = 620, kCopyBNoticeStep = 30;
constexpr PrintPoint kKeepForRecordsAt{840, 1250};
// Copy 2's rule under its caption starts inside the caption column (its
// rule lies at 1680).
constexpr int kCopy2RuleLeft = 1685;
constexpr int kCopyB = 1, kCopy2 = 2, kCopyC = 3;

void PaintWhite(Canvas& c, int left, int top, int right, int bottom) {
  c.SetPen(kWhitePen);
  c.FillRect(left, top, right, bottom, kWhite);
  c.SetPen(kBlackPen);
}

void DrawCaption(Canvas& c, int copy, int pitch) {
  const Caption& caption = CaptionOf(copy);
  for (int slot = 0; slot < 2; ++slot) {
    const int dy = slot * pitch;
    for (const auto& w : caption.white)
      if (!w.afterLines) PaintWhite(c, w.left, w.top + dy, w.right, w.bottom + dy);
    c.SetFont(Arial(10, true));
    for (const auto& line : caption.lines) c.DrawText(line.at.x, line.at.y + dy, line.text);
    for (const auto& w : caption.white)
      if (w.afterLines) PaintWhite(c, w.left, w.top + dy, w.right, w.bottom + dy);
    if (copy == kCopyB) {
      c.SetFont(Arial(7));
      for (int i = 0; i < 15; ++i) {
        const int width = c.TextExtent(kCopyBNotice[i]).width;
        c.DrawText(kCopyBNoticeRight - width, kCopyBNoticeTop + i * kCopyBNoticeStep + dy, kCopyBNotice[i]);
      }
      c.SetFont(Arial(9));
      c.DrawText(kKeepForRecordsAt.x, kKeepForRecordsAt.y + dy, "(keep for your records)");
    } else if (copy == kCopy2) {
      c.SetPen({4, kBlack});
      c.DrawLine(kCopy2RuleLeft, 895 + dy, 1944, 895 + dy);
      c.SetPen(kBlackPen);
    }
  }
}

// What the copy adds to its picture: the VOID and CORRECTED boxes.
void DrawCopyAdditions(Canvas& c, int copy) {
  static const auto kAdditions = [] {
    std::array<FormPicture, 4> all;
    for (int k = 0; k < 4; ++k) all[static_cast<size_t>(k)] = Form1099CopyAdditions(k);
    return all;
  }();
  for (const auto& r : kPictureRects) DrawPictureOnCanvas(c, kAdditions[static_cast<size_t>(copy)], r[0], r[1]);
}

std::string CityLine(const std::string& city, const std::string& state, const std::string& zip) {
  return city + ", " + state + " " + zip;
}

}  // namespace

const Form1099LayoutTable& Form1099BaseLayout(Form1099Layout layout) {
  static const auto kTables = [] {
    std::array<Form1099LayoutTable, 2> tables{};
    for (int v = 0; v < 2; ++v)
      for (int i = 0; i < kForm1099LayoutPoints; ++i) tables[v][i] = kForm1099Table[i][v];
    return tables;
  }();
  return kTables[static_cast<int>(layout)];
}

Form1099LayoutTable Form1099AdjustedLayout(Form1099Layout layout, const FormPrintSettings& s) {
  Form1099LayoutTable t = Form1099BaseLayout(layout);
  const bool preprinted = layout == Form1099Layout::RedInk;
  if (preprinted) {
    const int dx = InchesToUnits(s.horizontalOffset), dy = InchesToUnits(s.verticalOffset);
    for (auto& p : t) p = {p.x + dx, p.y + dy};
  }
  for (auto& p : t) p.y -= 63;
  for (int i = 41; i <= 44; ++i) t[i] = {t[i].x - 38, t[i].y + 30};
  for (int i = 16; i <= 19; ++i) t[i].y += 25;
  for (auto& p : t) p = {p.x + (preprinted ? kForm1099PrePrintedShiftX : kForm1099CopyShiftX), p.y - 7};
  return t;
}

std::array<PrintPoint, 4> Form1099CorrectedMark(Form1099Layout layout, const FormPrintSettings& settings, int slot) {
  const Form1099LayoutTable p = Form1099AdjustedLayout(layout, settings);
  // The VOID points mark the lower form of the sheet.
  const int dy = (slot - 1) * Form1099SlotPitch(layout);
  std::array<PrintPoint, 4> mark;
  for (int i = 0; i < 4; ++i) mark[static_cast<size_t>(i)] = {p[41 + i].x + kForm1099CorrectedRightOfVoid, p[41 + i].y + dy};
  return mark;
}

int Form1099SlotPitch(Form1099Layout layout) { return layout == Form1099Layout::RedInk ? 1402 : 1375; }

bool Form1099CopyHasVoidBox(int copy) { return copy == 0 || copy == 3; }

const char* Form1099Picture(int copy) {
  if (copy == 4) return "6.qff";
  if (copy == 5) return "7.qff";
  return "Help3.svg";
}

bool HasEmptyFields(const Form1099Record& r) {
  using T = Form1099Record::Text;
  const std::string_view boxes[] = {r.TextAt(T::Rents),
                                    r.TextAt(T::Royalities),
                                    r.TextAt(T::OtherIncome),
                                    r.TextAt(T::FederalIncomeTaxWithheld),
                                    r.TextAt(T::FishingBoatProceeds),
                                    r.TextAt(T::MedicalAndHealthCarePayments),
                                    r.TextAt(T::NonemployeeCompensation),
                                    r.TextAt(T::SubstitutePayments),
                                    r.TextAt(T::CropInsuranceProceeds),
                                    r.TextAt(T::ExcessGoldenParachutePayments),
                                    r.TextAt(T::GrossProceedsPaidToAttorney),
                                    r.TextAt(T::Field15A),
                                    r.TextAt(T::Field15B),
                                    r.TextAt(T::StateTaxWithheld1),
                                    r.TextAt(T::StateTaxWithheld2),
                                    r.TextAt(T::PayerStateID1),
                                    r.TextAt(T::PayerStateID2),
                                    r.TextAt(T::StateIncome1),
                                    r.TextAt(T::StateIncome2)};
  for (std::string_view box : boxes)
    if (box.empty()) return true;
  return false;
}

Form1099PrintJob::Form1099PrintJob(Form1099PrintData data, const FormPrintSettings& settings)
    : data_(std::move(data)), settings_(settings) {
  const auto& forms = *data_.forms;
  for (size_t i = forms.size(); i-- > 0;) formOfContractor_[forms[i].ContractorUniqueID] = i;
  formCount_ = settings_.printTarget == 0 ? 1 : static_cast<int>(forms.size());
}

int Form1099PrintJob::PageCount() const { return settings_.printTarget == 0 ? 1 : (formCount_ + 1) / 2; }

const Form1099Record* Form1099PrintJob::FormOf(const ContractorRecord& contractor) const {
  const auto found = formOfContractor_.find(contractor.ContractorUniqueID);
  return found == formOfContractor_.end() ? nullptr : &(*data_.forms)[found->second];
}

bool Form1099PrintJob::SingleFormPage(int page) const {
  if (settings_.printTarget == 0) return true;
  return page == PageCount() && formCount_ % 2 == 1;
}

std::vector<Form1099OnPage> Form1099PrintJob::FormsOfPage(int page) const {
  std::vector<Form1099OnPage> out;
  const auto& contractors = *data_.contractors;
  if (page < 1 || page > PageCount()) return out;
  if (settings_.printTarget == 0) {
    const int index = data_.currentContractor;
    if (index < 0 || index >= static_cast<int>(contractors.size())) return out;
    const ContractorRecord& contractor = contractors[static_cast<size_t>(index)];
    if (const Form1099Record* form = FormOf(contractor))
      out.push_back({&contractor, form, FlagAt(corrected_, index), FlagAt(zeroed_, index)});
    return out;
  }
  const int first = (page - 1) * 2;
  const int count = SingleFormPage(page) ? 1 : 2;
  for (int position = first; position < first + count; ++position) {
    if (position >= static_cast<int>(data_.displayOrder.size())) break;
    const int index = data_.displayOrder[static_cast<size_t>(position)];
    if (index < 0 || index >= static_cast<int>(contractors.size())) break;
    const ContractorRecord& contractor = contractors[static_cast<size_t>(index)];
    const Form1099Record* form = FormOf(contractor);
    if (!form) break;
    out.push_back({&contractor, form, FlagAt(corrected_, index), FlagAt(zeroed_, index)});
  }
  return out;
}

FormBoxes Form1099PrintJob::BoxesOf(int slot) const {
  const Form1099Layout layout = settings_.paperType == 0 ? Form1099Layout::Copy : Form1099Layout::RedInk;
  if (layout == Form1099Layout::RedInk) {
    static const FormBoxes kRedInk = BoxesOfGrid(RedInkGrid());
    return kRedInk.Moved(InchesToUnits(settings_.horizontalOffset),
                         InchesToUnits(settings_.verticalOffset) + slot * Form1099SlotPitch(layout));
  }
  static const FormPicture kPicture = Form1099CopyPicture();
  static const FormBoxes kCopy = BoxesOfPicture(kPicture).front();
  const int* r = kPictureRects[slot];
  return kCopy.Placed(r[0], r[1], static_cast<double>(r[2] - r[0]) / kPicture.width,
                      static_cast<double>(r[3] - r[1]) / kPicture.height);
}

void Form1099PrintJob::DrawForm(Canvas& c, const Form1099LayoutTable& p, int slot, const Form1099OnPage& on,
                                const FontSpec& dataFont) const {
  const Form1099Layout layout = settings_.paperType == 0 ? Form1099Layout::Copy : Form1099Layout::RedInk;
  const int pitch = Form1099SlotPitch(layout);
  const int dy = slot * pitch;
  const CompanyRecord& payer = *data_.company;
  const ContractorRecord& recipient = *on.contractor;
  const Form1099Record& f = *on.form;
  const NameLines name = ContractorNameLines(recipient);

  const FormBoxes boxes = BoxesOf(slot);
  FormWriter out(c, boxes, dataFont, "Form 1099-MISC of " + name.line1 + " (" + recipient.IdentificationNumber() + ")",
                 BoxCaption);
  auto at = [&](int i) { return PrintPoint{p[i].x, p[i].y + dy}; };
  auto text = [&](int i, const std::string& s) { out.Text(at(i), s, kPointBox[i]); };
  // A return corrected to zero shows its zeros.
  auto amount = [&](int i, const std::string& s) {
    if (on.zeroed) out.Text(at(i), s, kPointBox[i]);
    else out.Amount(at(i), s, kPointBox[i]);
  };

  text(0, payer.EmployerName());
  text(1, payer.Address1());
  text(2, payer.Address2());
  text(3, CityLine(payer.City(), payer.State(), payer.Zip()));
  text(6, payer.Form1096Telephone());
  text(7, payer.EmployerIdentificationNumber().empty() ? payer.SocialSecurityNumber()
                                                     : payer.EmployerIdentificationNumber());
  text(8, recipient.IdentificationNumber());

  const bool longName = name.line1.size() > kForm1099LongNameLine || name.line2.size() > kForm1099LongNameLine;
  if (longName) out.SetFont(CourierNew(10));
  text(9, name.line1);
  out.Text({p[9].x, p[9].y + dy + 60}, name.line2, kPointBox[9]);
  if (longName) out.SetFont(dataFont);

  text(10, recipient.Address1());
  text(11, recipient.Address2());
  text(12, CityLine(recipient.City(), recipient.State(), recipient.Zip()));
  text(15, recipient.AccountNumber());

  if (layout == Form1099Layout::Copy && settings_.blankCopyType >= 0 && settings_.blankCopyType < kCopyC) {
    for (int k = 0; k < 2; ++k)
      PaintWhite(c, kSecondTinBlank[0], k * pitch + kSecondTinBlank[1], kSecondTinBlank[2],
                 k * pitch + kSecondTinBlank[3]);
  } else if (recipient.SecondTIN) {
    DrawCross(c, p[16], p[17], p[18], p[19], 0, dy);
  }

  amount(20, f.Rents());
  amount(21, f.Royalities());
  amount(22, f.OtherIncome());
  amount(23, f.FederalIncomeTaxWithheld());
  amount(24, f.FishingBoatProceeds());
  amount(25, f.MedicalAndHealthCarePayments());
  amount(26, f.NonemployeeCompensation());
  amount(27, f.SubstitutePayments());
  if (f.PayerMadeDirectSales) DrawCross(c, p[28], p[29], p[30], p[31], 0, dy + kForm1099Box9Drop);
  amount(32, f.CropInsuranceProceeds());
  amount(33, f.ExcessGoldenParachutePayments());
  amount(34, f.GrossProceedsPaidToAttorney());
  amount(49, f.Field15A());
  amount(50, f.Field15B());
  amount(35, f.StateTaxWithheld1());
  text(36, f.PayerStateID1());
  amount(37, f.StateTaxWithheld2());
  text(38, f.PayerStateID2());
  amount(39, f.StateIncome1());
  amount(40, f.StateIncome2());
  if (on.corrected) {
    const auto m = Form1099CorrectedMark(layout, settings_, slot);
    DrawCross(c, m[0], m[1], m[2], m[3]);
  }
}

bool Form1099PrintJob::FlagAt(const std::vector<char>& flags, int index) {
  return index >= 0 && static_cast<size_t>(index) < flags.size() && flags[static_cast<size_t>(index)] != 0;
}

void Form1099PrintJob::DrawPage(Canvas& c, int page) const {
  c.SetPen(kBlackPen);
  const auto forms = FormsOfPage(page);
  if (forms.empty()) return;
  const Form1099Layout layout = settings_.paperType == 0 ? Form1099Layout::Copy : Form1099Layout::RedInk;
  const FontSpec dataFont = CourierNew(layout == Form1099Layout::RedInk ? 12 : 10);
  if (layout == Form1099Layout::Copy) {
    const int copy = settings_.blankCopyType;
    for (const auto& r : kPictureRects) c.DrawPicture(Form1099Picture(copy), r[0], r[1], r[2] - r[0], r[3] - r[1]);
    if (copy >= kForm1099InstructionsB || copy < 0) return;
    DrawCaption(c, copy, Form1099SlotPitch(layout));
    DrawCopyAdditions(c, copy);
  }
  c.SetFont(dataFont);
  const Form1099LayoutTable points = Form1099AdjustedLayout(layout, settings_);
  for (size_t slot = 0; slot < forms.size(); ++slot) DrawForm(c, points, static_cast<int>(slot), forms[slot], dataFont);
  // The lower form of a single-form page is marked VOID where it has the box.
  if (SingleFormPage(page) && (layout == Form1099Layout::RedInk || Form1099CopyHasVoidBox(settings_.blankCopyType)))
    DrawCross(c, points[41], points[42], points[43], points[44]);
}

std::unique_ptr<Form1099PrintJob> PrepareForm1099Print(Form1099PrintData data, const FormPrintSettings& s,
                                                       UiServices& ui) {
  const auto& forms = *data.forms;
  if (s.printTarget == 0) {
    // A print of the current contractor needs one, with a form.
    const int index = data.currentContractor;
    if (index < 0 || index >= static_cast<int>(data.contractors->size())) {
      ui.ShowMessage(kNoContractorToPrint);
      return nullptr;
    }
    const int32_t id = (*data.contractors)[static_cast<size_t>(index)].ContractorUniqueID;
    const Form1099Record* form = nullptr;
    for (const auto& f : forms)
      if (f.ContractorUniqueID == id) {
        form = &f;
        break;
      }
    if (!form) {
      ui.ShowMessage(kContractorWithoutForm);
      return nullptr;
    }
    if (HasEmptyFields(*form) && !ui.AskYesNo(kCurrentFormEmptyQuestion)) return nullptr;
  } else {
    // With no forms at all the check counts as failed: the question is asked.
    bool empty = forms.empty();
    for (const auto& f : forms)
      if (HasEmptyFields(f)) {
        empty = true;
        break;
      }
    if (empty && !ui.AskYesNo(kAllFormsEmptyQuestion)) return nullptr;
    if (forms.empty()) return nullptr;
  }
  return std::make_unique<Form1099PrintJob>(std::move(data), s);
}

}  // namespace formet
