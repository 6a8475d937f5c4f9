#include "forms/1099/form1096_print.h"

#include <utility>

#include "forms/1099/form1099_pictures.h"
#include "forms/print/box_fit.h"

namespace formet {
namespace {

constexpr PrintPoint kForm1096Table[kForm1096LayoutPoints] = {
    /* 0 filer's name        */ {170, 390},
    /* 1 street address      */ {170, 501},
    /* 2 city, state, ZIP    */ {170, 600},
    /* 3                     */ {660, 600},
    /* 4                     */ {860, 600},
    /* 5 contact name        */ {110, 690},
    /* 6 e-mail address      */ {110, 780},
    /* 7 telephone area code */ {820, 690},
    /* 8 telephone number    */ {910, 690},
    /* 9 fax area code       */ {820, 780},
    /* 10 fax number         */ {910, 780},
    /* 11 box 1 EIN          */ {110, 860},
    /* 12 box 2 SSN          */ {460, 860},
    /* 13 box 3              */ {947, 860},
    /* 14 box 4              */ {1180, 860},
    /* 15 box 5              */ {1530, 860},
    /* 16 final return mark  */ {1851, 894},
    /* 17                    */ {1864, 913},
    /* 18                    */ {1864, 894},
    /* 19                    */ {1851, 913},
    /* 20 type of form mark  */ {142, 1188},
    /* 21                    */ {166, 1212},
    /* 22                    */ {166, 1188},
    /* 23                    */ {142, 1212},
};

// The box of each point's text, by the names of the form's drawing.
constexpr const char* kPointBox[kForm1096LayoutPoints] = {
    "filer-name", "street", "city", "", "", "contact", "email", "telephone", "telephone", "fax", "fax",
    "1", "2", "3", "4", "5", "", "", "", "", "", "", "", ""};

// The boxes of the form as measured on a later 1096, whose filer, contact
// and numbered boxes are those of the 2007 form.
const std::vector<GridBox>& RedInkGrid() {
  static const std::vector<GridBox> kGrid = {
      {"filer-name", 17.9, 33.8, 129.5, 46.5},
      {"street", 17.9, 46.5, 129.5, 59.2},
      {"city", 17.9, 59.2, 129.5, 67.6},
      {"contact", 17.9, 67.6, 88.9, 76.1},
      {"telephone", 88.9, 67.6, 142.2, 76.1},
      {"email", 17.9, 76.1, 88.9, 84.6},
      {"fax", 88.9, 76.1, 142.2, 84.6},
      {"1", 17.9, 84.6, 53.4, 93.0},
      {"2", 53.4, 84.6, 88.9, 93.0},
      {"3", 88.9, 84.6, 119.4, 93.0},
      {"4", 119.4, 84.6, 154.9, 93.0},
      {"5", 154.9, 84.6, 203.1, 93.0},
      // The bottom margin under the signature line, where a legend goes.
      {"legend", 17.9, 146.0, 203.1, 152.5, 0},
  };
  return kGrid;
}

std::string_view BoxCaption(std::string_view id) {
  static const std::pair<std::string_view, std::string_view> kCaptions[] = {
      {"filer-name", "FILER'S name"},
      {"street", "Street address (including room or suite number)"},
      {"city", "City, state, and ZIP code"},
      {"contact", "Name of person to contact"},
      {"telephone", "Telephone number"},
      {"email", "E-mail address"},
      {"fax", "Fax number"},
      {"1", "1 Employer identification number"},
      {"2", "2 Social security number"},
      {"3", "3 Total number of forms"},
      {"4", "4 Federal income tax withheld"},
      {"5", "5 Total amount reported with this Form 1096"},
  };
  return NameOfBox(kCaptions, id);
}

constexpr int kCopyPicture[4] = {35, 25, 1935, 2635};

}  // namespace

FormBoxes Form1096BoxesOf(Form1096Layout layout, const FormPrintSettings& s) {
  if (layout == Form1096Layout::RedInk) {
    static const FormBoxes kRedInk = BoxesOfGrid(RedInkGrid());
    return kRedInk.Moved(InchesToUnits(s.horizontalOffset), InchesToUnits(s.verticalOffset));
  }
  static const FormPicture kPicture = Form1096CopyPicture();
  static const FormBoxes kCopy = BoxesOfPicture(kPicture).front();
  return kCopy.Placed(kCopyPicture[0], kCopyPicture[1],
                      static_cast<double>(kCopyPicture[2] - kCopyPicture[0]) / kPicture.width,
                      static_cast<double>(kCopyPicture[3] - kCopyPicture[1]) / kPicture.height);
}

const Form1096LayoutTable& Form1096BaseLayout() {
  static const auto kTable = [] {
    Form1096LayoutTable t{};
    for (int i = 0; i < kForm1096LayoutPoints; ++i) t[i] = kForm1096Table[i];
    return t;
  }();
  return kTable;
}

Form1096LayoutTable Form1096AdjustedLayout(Form1096Layout layout, const FormPrintSettings& s) {
  Form1096LayoutTable t = Form1096BaseLayout();
  const bool preprinted = layout == Form1096Layout::RedInk;
  if (preprinted) {
    for (int i = 16; i <= 23; ++i) t[i].y += 2;
    const int dx = InchesToUnits(s.horizontalOffset), dy = InchesToUnits(s.verticalOffset);
    for (auto& p : t) p = {p.x + dx, p.y + dy};
  } else {
    for (int i = 20; i <= 23; ++i) t[i].x -= 7;
  }
  for (auto& p : t) p.y -= 63;
  for (int i = 16; i <= 23; ++i) t[i].y += 127 - 101;
  if (!preprinted)
    for (auto& p : t) p.y -= 2;
  return t;
}

Form1096PrintJob::Form1096PrintJob(Form1096Page page, const FormPrintSettings& settings)
    : page_(std::move(page)), settings_(settings) {}

void Form1096PrintJob::DrawPage(Canvas& c, int page) const {
  if (page != 1) return;
  const Form1096Layout layout = settings_.paperType == 0 ? Form1096Layout::Copy : Form1096Layout::RedInk;
  c.SetPen(kBlackPen);
  const FontSpec dataFont = CourierNew(layout == Form1096Layout::RedInk ? 12 : 10);
  if (layout == Form1096Layout::Copy) {
    c.DrawPicture(kForm1096CopyPicture, kCopyPicture[0], kCopyPicture[1], kCopyPicture[2] - kCopyPicture[0],
                  kCopyPicture[3] - kCopyPicture[1]);
    DrawCopyStamp(c, kForm1096CopyStampAt.x, kForm1096CopyStampAt.y);
  }
  c.SetFont(dataFont);

  const Form1096LayoutTable e = Form1096AdjustedLayout(layout, settings_);
  const FormBoxes boxes = Form1096BoxesOf(layout, settings_);
  FormWriter out(c, boxes, dataFont, "Form 1096", BoxCaption);
  auto text = [&](int i, const std::string& s) { out.Text(e[i], s, kPointBox[i]); };
  const Form1096Page& p = page_;

  if (!p.filerName.empty()) {
    const bool longName = p.filerName.size() >= kForm1096LongFilerName;
    if (longName) out.SetFont(CourierNew(10));
    text(0, p.filerName);
    if (longName) out.SetFont(dataFont);
  }
  text(1, p.street);
  text(2, p.city + ", " + p.state + " " + p.zip);
  text(5, p.contactName);
  text(6, p.email);
  text(7, PhoneAreaCode(p.telephone));
  text(8, PhoneNumber(p.telephone));
  text(9, PhoneAreaCode(p.fax));
  text(10, PhoneNumber(p.fax));
  text(11, p.box1);
  text(12, p.box2);
  text(13, p.box3);
  out.Amount(e[14], p.box4, kPointBox[14]);
  out.Amount(e[15], p.box5, kPointBox[15]);
  if (p.finalReturn) DrawCross(c, e[16], e[17], e[18], e[19]);
  DrawCross(c, e[20], e[21], e[22], e[23]);
  if (!p.marginLegend.empty()) {
    // Centred under the form; on the pre-printed form moved with the data.
    const bool preprinted = layout == Form1096Layout::RedInk;
    const int dx = preprinted ? InchesToUnits(settings_.horizontalOffset) : 0;
    const int dy = preprinted ? InchesToUnits(settings_.verticalOffset) : 0;
    c.SetFont(Arial(10, true));
    const int width = c.TextExtent(p.marginLegend).width;
    c.DrawText((kCopyPicture[0] + kCopyPicture[2] - width) / 2 + dx, kForm1096MarginLegendTop + dy, p.marginLegend);
  }
}

}  // namespace formet
