#include "forms/1099/form1096_print.h"

#include <utility>

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

}  // namespace

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
    c.DrawPicture(kForm1096CopyPicture, 35, 25, 1935 - 35, 2635 - 25);
    DrawCopyStamp(c, kForm1096CopyStampAt.x, kForm1096CopyStampAt.y);
  }
  c.SetFont(dataFont);

  const Form1096LayoutTable e = Form1096AdjustedLayout(layout, settings_);
  auto text = [&](int i, const std::string& s) { c.DrawText(e[i].x, e[i].y, s); };
  const Form1096Page& p = page_;

  if (!p.filerName.empty()) {
    const bool longName = p.filerName.size() >= kForm1096LongFilerName;
    if (longName) c.SetFont(CourierNew(10));
    text(0, p.filerName);
    if (longName) c.SetFont(dataFont);
  }
  text(1, p.street);
  text(2, p.city + ", " + p.state + " " + p.zip);
  text(5, p.contactName);
  // A long e-mail address would run into the fax number: it is made smaller.
  DrawTextBefore(c, e[6], p.email, e[9].x - kGapBeforeNextText, dataFont);
  text(7, PhoneAreaCode(p.telephone));
  text(8, PhoneNumber(p.telephone));
  text(9, PhoneAreaCode(p.fax));
  text(10, PhoneNumber(p.fax));
  text(11, p.box1);
  text(12, p.box2);
  text(13, p.box3);
  DrawAmount(c, e[14], p.box4);
  DrawAmount(c, e[15], p.box5);
  if (p.finalReturn) DrawCross(c, e[16], e[17], e[18], e[19]);
  DrawCross(c, e[20], e[21], e[22], e[23]);
}

}  // namespace formet
