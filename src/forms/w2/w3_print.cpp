#include "forms/w2/w3_print.h"

#include <utility>

#include "forms/print/box_fit.h"
#include "forms/w2/w3_pictures.h"

namespace formet {
namespace {

// Each entry as {red-ink form, copy, laser substitute}; 36 and 37 are unused.
constexpr PrintPoint kW3Table[kW3LayoutEntries][3] = {
    /* 0 a control number    */ {{375, 183}, {388, 185}, {425, 185}},
    /* 1 b "941"             */ {{382, 274}, {388, 274}, {378, 274}},
    /* 2                     */ {{406, 298}, {412, 298}, {402, 298}},
    /* 3                     */ {{406, 274}, {412, 274}, {402, 274}},
    /* 4                     */ {{382, 298}, {388, 298}, {378, 298}},
    /* 5 b "CT-1"            */ {{382, 370}, {388, 366}, {378, 360}},
    /* 6                     */ {{406, 394}, {412, 390}, {402, 384}},
    /* 7                     */ {{406, 370}, {412, 366}, {402, 360}},
    /* 8                     */ {{382, 394}, {388, 390}, {378, 384}},
    /* 9 b "Mil."            */ {{509, 274}, {515, 274}, {509, 274}},
    /* 10                    */ {{533, 298}, {539, 298}, {533, 298}},
    /* 11                    */ {{533, 274}, {539, 274}, {533, 274}},
    /* 12                    */ {{509, 298}, {515, 298}, {509, 298}},
    /* 13 b "Hshld. emp."    */ {{509, 370}, {515, 366}, {509, 360}},
    /* 14                    */ {{533, 394}, {539, 390}, {533, 384}},
    /* 15                    */ {{533, 370}, {539, 366}, {533, 360}},
    /* 16                    */ {{509, 394}, {515, 390}, {509, 384}},
    /* 17 b "943"            */ {{636, 274}, {642, 274}, {636, 274}},
    /* 18                    */ {{660, 298}, {666, 298}, {660, 298}},
    /* 19                    */ {{660, 274}, {666, 274}, {660, 274}},
    /* 20                    */ {{636, 298}, {642, 298}, {636, 298}},
    /* 21 b "Med. govt. emp."*/ {{636, 370}, {642, 366}, {636, 360}},
    /* 22                    */ {{660, 394}, {666, 390}, {660, 384}},
    /* 23                    */ {{660, 370}, {666, 366}, {660, 360}},
    /* 24                    */ {{636, 394}, {642, 390}, {636, 384}},
    /* 25 b third-party sick */ {{787, 370}, {795, 366}, {784, 360}},
    /* 26                    */ {{811, 394}, {819, 390}, {808, 384}},
    /* 27                    */ {{811, 370}, {819, 366}, {808, 360}},
    /* 28                    */ {{787, 394}, {795, 390}, {784, 384}},
    /* 29 c number of W-2s   */ {{160, 438}, {160, 440}, {160, 440}},
    /* 30 d establishment    */ {{580, 438}, {580, 440}, {580, 440}},
    /* 31 e EIN              */ {{160, 521}, {160, 520}, {160, 520}},
    /* 32 f employer's name  */ {{160, 607}, {160, 610}, {160, 610}},
    /* 33 g address line 1   */ {{160, 683}, {160, 683}, {160, 683}},
    /* 34 g address line 2   */ {{160, 742}, {160, 742}, {160, 742}},
    /* 35 g city, state, ZIP */ {{160, 801}, {160, 801}, {160, 801}},
    /* 36                    */ {},
    /* 37                    */ {},
    /* 38 h other EIN        */ {{160, 947}, {160, 942}, {160, 942}},
    /* 39 15 state           */ {{160, 1033}, {160, 1028}, {160, 1028}},
    /* 40 15 state ID        */ {{280, 1033}, {280, 1028}, {280, 1028}},
    /* 41 contact person     */ {{140, 1199}, {140, 1190}, {140, 1190}},
    /* 42 e-mail address     */ {{140, 1284}, {140, 1275}, {140, 1275}},
    /* 43 telephone area     */ {{978, 1211}, {982, 1197}, {982, 1197}},
    /* 44 telephone number   */ {{1082, 1211}, {1082, 1197}, {1082, 1197}},
    /* 45 fax area code      */ {{978, 1296}, {982, 1282}, {982, 1282}},
    /* 46 fax number         */ {{1082, 1296}, {1082, 1282}, {1082, 1282}},
    /* 47 box 1              */ {{985, 273}, {985, 275}, {985, 275}},
    /* 48 box 2              */ {{1530, 280}, {1530, 275}, {1530, 275}},
    /* 49 box 3              */ {{985, 358}, {985, 360}, {985, 360}},
    /* 50 box 4              */ {{1530, 358}, {1530, 360}, {1530, 360}},
    /* 51 box 5              */ {{985, 438}, {985, 440}, {985, 440}},
    /* 52 box 6              */ {{1530, 438}, {1530, 440}, {1530, 440}},
    /* 53 box 7              */ {{985, 521}, {985, 520}, {985, 520}},
    /* 54 box 8              */ {{1530, 521}, {1530, 520}, {1530, 520}},
    /* 55 box 9              */ {{985, 607}, {985, 610}, {985, 610}},
    /* 56 box 10             */ {{1530, 607}, {1530, 610}, {1530, 610}},
    /* 57 box 11             */ {{985, 694}, {985, 688}, {985, 688}},
    /* 58 box 12             */ {{1530, 694}, {1530, 688}, {1530, 688}},
    /* 59 box 13             */ {{985, 782}, {985, 776}, {985, 776}},
    /* 60 box 14             */ {{985, 860}, {985, 860}, {985, 860}},
    /* 61 box 16             */ {{985, 1033}, {985, 1028}, {985, 1028}},
    /* 62 box 17             */ {{1530, 1033}, {1530, 1028}, {1530, 1028}},
    /* 63 box 18             */ {{985, 1122}, {985, 1110}, {985, 1110}},
    /* 64 box 19             */ {{1530, 1122}, {1530, 1110}, {1530, 1110}},
    /* 65 b "944"            */ {{787, 274}, {795, 274}, {784, 274}},
    /* 66                    */ {{811, 298}, {819, 298}, {808, 298}},
    /* 67                    */ {{811, 274}, {819, 274}, {808, 274}},
    /* 68                    */ {{787, 298}, {795, 298}, {784, 298}},
};

// The box of each entry's text, by the names of the W-3's drawing.
std::string_view EntryBox(int entry) {
  static const char* const kNumbered[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14"};
  if (entry >= 47 && entry <= 60) return kNumbered[entry - 47];
  switch (entry) {
    case 0: return "a";
    case 29: return "c";
    case 30: return "d";
    case 31: return "e";
    case 32: return "f";
    case 33: case 34: case 35: return "g";
    case 38: return "h";
    case 39: return "15-state";
    case 40: return "15-id";
    case 41: return "contact";
    case 42: return "email";
    case 43: case 44: return "telephone";
    case 45: case 46: return "fax";
    case 61: return "16";
    case 62: return "17";
    case 63: return "18";
    case 64: return "19";
    default: return "";
  }
}

std::string_view W3BoxCaption(std::string_view id) {
  static const std::pair<std::string_view, std::string_view> kCaptions[] = {
      {"a", "a Control number"},
      {"c", "c Total number of Forms W-2"},
      {"d", "d Establishment number"},
      {"e", "e Employer identification number"},
      {"f", "f Employer's name"},
      {"g", "g Employer's address and ZIP code"},
      {"h", "h Other EIN used this year"},
      {"15-state", "15 State"},
      {"15-id", "15 Employer's state ID number"},
      {"contact", "Contact person"},
      {"email", "E-mail address"},
      {"telephone", "Telephone number"},
      {"fax", "Fax number"},
      {"1", "1 Wages, tips, other compensation"},
      {"2", "2 Federal income tax withheld"},
      {"3", "3 Social security wages"},
      {"4", "4 Social security tax withheld"},
      {"5", "5 Medicare wages and tips"},
      {"6", "6 Medicare tax withheld"},
      {"7", "7 Social security tips"},
      {"8", "8 Allocated tips"},
      {"9", "9 Advance EIC payments"},
      {"10", "10 Dependent care benefits"},
      {"11", "11 Nonqualified plans"},
      {"12", "12 Deferred compensation"},
      {"13", "13 For third-party sick pay use only"},
      {"14", "14 Income tax withheld by payer of third-party sick pay"},
      {"16", "16 State wages, tips, etc."},
      {"17", "17 State income tax"},
      {"18", "18 Local wages, tips, etc."},
      {"19", "19 Local income tax"},
  };
  return NameOfBox(kCaptions, id);
}

// Where the pictures go: the copy at a fixed place, the laser substitute a
// fixed distance from the paper's edges.
constexpr PrintPoint kCopyPictureAt{70, 100};
PrintPoint LaserPictureAt(const PageGeometry& page) {
  return {PictureEdge(92.875, page.unprintableLeft), PictureEdge(84.375, page.unprintableTop)};
}

// The column of each layout in the table above.
int Column(W3Layout layout) {
  switch (layout) {
    case W3Layout::RedInk: return 0;
    case W3Layout::Copy: return 1;
    case W3Layout::LaserSubstitute: return 2;
  }
  return 0;
}

W3Layout LayoutOf(int paperType) {
  if (paperType == 0) return W3Layout::Copy;
  if (paperType == 2) return W3Layout::LaserSubstitute;
  return W3Layout::RedInk;
}

}  // namespace

const W3LayoutTable& W3BaseLayout(W3Layout layout) {
  static const auto kTables = [] {
    std::array<W3LayoutTable, 3> tables{};
    for (W3Layout l : {W3Layout::Copy, W3Layout::RedInk, W3Layout::LaserSubstitute})
      for (int i = 0; i < kW3LayoutEntries; ++i) tables[static_cast<int>(l)][i] = kW3Table[i][Column(l)];
    return tables;
  }();
  return kTables[static_cast<int>(layout)];
}

W3LayoutTable W3AdjustedLayout(W3Layout layout, const FormPrintSettings& s, const PageGeometry& page) {
  W3LayoutTable t = W3BaseLayout(layout);
  switch (layout) {
    case W3Layout::RedInk: {
      const int dx = InchesToUnits(s.horizontalOffset), dy = InchesToUnits(s.verticalOffset);
      for (auto& p : t) p = {p.x - kW3RedInkShift.x + dx, p.y - kW3RedInkShift.y + dy};
      // The marks of box b where our laser W-3 has its check boxes, on a
      // page with the reference margins (the table put them 1.5-1.9 mm to
      // the right of them).
      const W3LayoutTable laser =
          W3AdjustedLayout(W3Layout::LaserSubstitute, s, {0, 0, kRedInkReferenceMargin, kRedInkReferenceMargin});
      for (int i = 1; i <= 68; i = i == 28 ? 65 : i + 1) t[i] = {laser[i].x + dx, laser[i].y + dy};
      break;
    }
    case W3Layout::LaserSubstitute: {
      const int left = TruncatedMargin(page.unprintableLeft), top = TruncatedMargin(page.unprintableTop);
      for (auto& p : t) {
        p = {static_cast<int>(static_cast<double>(p.x - left) + 30.48),
             static_cast<int>(static_cast<double>(p.y - top) - 15.24)};
      }
      t[40].x += 20;
      t[41].y += 10;
      t[42].y += 10;
      for (int i = 47; i <= 50; ++i) t[i].y -= 10;
      break;
    }
    case W3Layout::Copy: break;
  }
  return t;
}

FormBoxes W3BoxesOf(W3Layout layout, const FormPrintSettings& s, const PageGeometry& page) {
  static const FormBoxes kCopy = BoxesOfPicture(W3CopyPicture()).front();
  static const FormBoxes kLaser = BoxesOfPicture(W3LaserPicture()).front();
  switch (layout) {
    case W3Layout::Copy: return kCopy.Placed(kCopyPictureAt.x, kCopyPictureAt.y);
    case W3Layout::LaserSubstitute: {
      const PrintPoint at = LaserPictureAt(page);
      return kLaser.Placed(at.x, at.y);
    }
    case W3Layout::RedInk: {
      // Our laser W-3 where it lies on a page with the reference margins,
      // moved with the data by the offsets.
      const PrintPoint at =
          LaserPictureAt({0, 0, kRedInkReferenceMargin, kRedInkReferenceMargin});
      return kLaser.Placed(at.x + InchesToUnits(s.horizontalOffset), at.y + InchesToUnits(s.verticalOffset));
    }
  }
  return {};
}

int W3KindOfPayerCrossEntry(int kind) {
  static constexpr int kFirst[7] = {1, 5, 9, 13, 17, 21, 65};  // 941, CT-1, Mil., Hshld. emp., 943, Med. govt. emp., 944
  return kind >= 0 && kind < 7 ? kFirst[kind] : -1;
}

W3PrintJob::W3PrintJob(W3Page page, const FormPrintSettings& settings)
    : page_(std::move(page)), settings_(settings) {}

void W3PrintJob::DrawPage(Canvas& c, int page) const {
  if (page != 1) return;
  const W3Layout layout = LayoutOf(settings_.paperType);
  const PageGeometry geometry = GeometryOf(c);
  c.SetPen(kBlackPen);
  const FontSpec dataFont = CourierNew(layout == W3Layout::RedInk ? 12 : 10);
  if (layout == W3Layout::LaserSubstitute) {
    const PrintPoint at = LaserPictureAt(geometry);
    c.DrawPicture(kW3LaserPicture, at.x, at.y, 1981, 2667);
  } else if (layout == W3Layout::Copy) {
    c.DrawPicture(kW3CopyPicture, kCopyPictureAt.x, kCopyPictureAt.y, 1965, 2630);
    // In the empty "For Official Use Only" cell of the contact block.
    DrawCopyStamp(c, kW3CopyStampAt.x, kW3CopyStampAt.y);
  }
  c.SetFont(dataFont);

  const W3LayoutTable e = W3AdjustedLayout(layout, settings_, geometry);
  const FormBoxes boxes = W3BoxesOf(layout, settings_, geometry);
  FormWriter out(c, boxes, dataFont, "Form W-3", W3BoxCaption);
  auto text = [&](int i, const std::string& s) { out.Text(e[i], s, EntryBox(i)); };
  auto amount = [&](int i, const std::string& s) { out.Amount(e[i], s, EntryBox(i)); };
  auto cross = [&](int first) { DrawCross(c, e[first], e[first + 1], e[first + 2], e[first + 3]); };
  const W3Page& p = page_;

  text(0, p.controlNumber);
  if (const int first = W3KindOfPayerCrossEntry(p.kindOfPayer); first >= 0) cross(first);
  if (p.thirdPartySickPay) cross(kW3SickPayCrossEntry);
  text(29, p.totalForms);
  text(30, p.establishmentNumber);
  text(31, p.ein);
  text(32, p.employerName);
  text(33, p.address1);
  text(34, p.address2);
  text(35, p.city + ", " + p.state + " " + p.zip);
  text(38, p.otherEin);
  text(39, p.box15State);
  text(40, p.box15StateId);
  text(41, p.contactName);
  text(42, p.email);
  text(43, PhoneAreaCode(p.telephone));
  text(44, PhoneNumber(p.telephone));
  text(45, PhoneAreaCode(p.fax));
  text(46, PhoneNumber(p.fax));
  for (int box = 1; box <= 11; ++box) amount(46 + box, p.box[static_cast<size_t>(box)]);
  amount(58, p.box12);
  amount(59, p.box13);
  amount(60, p.box14);
  amount(61, p.box16);
  amount(62, p.box17);
  amount(63, p.box18);
  amount(64, p.box19);
}

}  // namespace formet
