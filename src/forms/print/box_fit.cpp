#include "forms/print/box_fit.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "forms/money.h"
#include "store/text_codec.h"

namespace formet {

TextSize MeasureText(const FontSpec& font, std::string_view text) {
  return {TextWidth(font, Win1252ToUtf8(text)), TextCellHeight(font)};
}

FittedText FitText(PrintPoint at, std::string_view text, const FontSpec& font, const PrintBox& box) {
  FittedText out{at.x, at.y, font, std::string(text), false};
  if (text.empty()) return out;
  const double ems = TextEms(font, Win1252ToUtf8(text));
  const int x = std::max(at.x, box.left);
  const int room = box.right - x;
  const int height = box.bottom - box.top;
  // A box too low for even the smallest size takes it, kept inside as far as
  // it goes: the height alone never cuts a value.
  auto fits = [&](const FontSpec& f) {
    return WidthOfEms(f, ems) <= room && (TextCellHeight(f) <= height || f.tenthsOfPoint <= kSmallestFittedSize);
  };
  FontSpec size = font;
  while (!fits(size) && size.tenthsOfPoint - kFittedSizeStep >= kSmallestFittedSize)
    size.tenthsOfPoint -= kFittedSizeStep;
  if (!fits(size)) {
    // Not even the smallest size holds it: cut at a character.
    while (!out.text.empty() && MeasureText(size, out.text).width > room) out.text.pop_back();
    out.cut = true;
  }
  const int cell = TextCellHeight(size);
  int y = at.y + (TextCellHeight(font) - cell) / 2;  // centred on the line it would have filled
  if (y + cell > box.bottom) y = box.bottom - cell;
  if (y < box.top) y = box.top;
  out.x = x;
  out.y = y;
  out.font = size;
  return out;
}

void CutReport::Add(CutText cut) {
  if (std::find(cuts_.begin(), cuts_.end(), cut) == cuts_.end()) cuts_.push_back(std::move(cut));
}

std::string DescribeCut(const CutText& cut) {
  return cut.form + ", box " + cut.box + ": \"" + cut.value + "\" does not fit even at 6 points and is printed as \"" +
         cut.printed + "\"";
}

const PrintBox* FormBoxes::Find(std::string_view id) const {
  for (const auto& [name, box] : boxes_)
    if (name == id) return &box;
  return nullptr;
}

FormBoxes FormBoxes::Moved(int dx, int dy) const {
  FormBoxes out = *this;
  for (auto& entry : out.boxes_) entry.second = entry.second.Moved(dx, dy);
  return out;
}

FormBoxes FormBoxes::Placed(int left, int top, double scaleX, double scaleY) const {
  FormBoxes out = *this;
  // Scaled inward: a stretched box never grows past its rules.
  auto lo = [](int v, double s) { return static_cast<int>(std::ceil(v * s - 1e-9)); };
  auto hi = [](int v, double s) { return static_cast<int>(std::floor(v * s + 1e-9)); };
  for (auto& [name, b] : out.boxes_)
    b = {left + lo(b.left, scaleX), top + lo(b.top, scaleY), left + hi(b.right, scaleX), top + hi(b.bottom, scaleY)};
  return out;
}

namespace {

// The heaviest rule of a drawing lying along one edge of a box: a vertical
// edge at `at` from `from` to `to` (or a horizontal one). Hundredths of a
// millimetre; a hair rule where the drawing has none.
int RuleWeightAlong(const FormPicture& p, bool vertical, int at, int from, int to) {
  int weight = 0;
  auto consider = [&](int x1, int y1, int x2, int y2, int w) {
    const bool lineVertical = x1 == x2;
    if (lineVertical != vertical) return;
    const int position = vertical ? x1 : y1;
    const int a = vertical ? std::min(y1, y2) : std::min(x1, x2);
    const int b = vertical ? std::max(y1, y2) : std::max(x1, x2);
    if (std::abs(position - at) <= 1 && a < to && b > from) weight = std::max(weight, w);
  };
  for (const auto& l : p.lines) consider(l.x1, l.y1, l.x2, l.y2, l.weight);
  for (const auto& r : p.rects) {
    consider(r.left, r.top, r.right, r.top, r.weight);
    consider(r.left, r.bottom, r.right, r.bottom, r.weight);
    consider(r.left, r.top, r.left, r.bottom, r.weight);
    consider(r.right, r.top, r.right, r.bottom, r.weight);
  }
  return weight > 0 ? weight : kRuleHair;
}

int Inset(int weightHundredths) { return static_cast<int>(std::ceil(weightHundredths / 20.0)) + kRuleClearance; }

}  // namespace

std::vector<FormBoxes> BoxesOfPicture(const FormPicture& p) {
  std::vector<FormBoxes> sets;
  std::map<std::string, size_t> seen;
  for (const PictureBox& b : p.boxes) {
    if (b.checkBox) continue;
    PrintBox inside{b.left + Inset(RuleWeightAlong(p, true, b.left, b.top, b.bottom)),
                    b.top + Inset(RuleWeightAlong(p, false, b.top, b.left, b.right)),
                    b.right - Inset(RuleWeightAlong(p, true, b.right, b.top, b.bottom)),
                    b.bottom - Inset(RuleWeightAlong(p, false, b.bottom, b.left, b.right))};
    if (b.labelBottom > b.labelTop) {
      if (b.labelTop + b.labelBottom < b.top + b.bottom)
        inside.top = std::max(inside.top, b.labelBottom + 1);
      else
        inside.bottom = std::min(inside.bottom, b.labelTop - 1);
    }
    const size_t occurrence = seen[b.id]++;
    if (sets.size() <= occurrence) sets.resize(occurrence + 1);
    sets[occurrence].Add(b.id, inside);
  }
  return sets;
}

FormBoxes BoxesOfGrid(const std::vector<GridBox>& grid) {
  FormBoxes out;
  for (const GridBox& g : grid) {
    const int inset = static_cast<int>(std::ceil(g.ruleMm * 10 / 2)) + kRuleClearance;
    auto units = [](double mm) { return static_cast<int>(std::lround(mm * 10 - kRedInkReferenceMargin)); };
    out.Add(g.id, {units(g.left) + inset, units(g.top) + inset, units(g.right) - inset, units(g.bottom) - inset});
  }
  return out;
}

std::string_view NameOfBox(BoxNames names, std::string_view id) {
  for (const auto& [box, name] : names)
    if (box == id) return name;
  return id;
}

FormWriter::FormWriter(Canvas& canvas, const FormBoxes& boxes, const FontSpec& font, std::string form,
                       Captions captions)
    : canvas_(canvas), boxes_(boxes), font_(font), dataFont_(font), form_(std::move(form)), captions_(captions) {}

void FormWriter::SetFont(const FontSpec& font) {
  font_ = font;
  canvas_.SetFont(font);
}

void FormWriter::PreferLarger(const FontSpec& larger, int mostMoved) {
  larger_ = larger;
  mostMoved_ = mostMoved;
}

bool FormWriter::TextInLarger(PrintPoint at, std::string_view text, const PrintBox& box) {
  if (mostMoved_ < 0 || !(font_ == dataFont_)) return false;
  const TextSize large = MeasureText(larger_, text);
  const int x = std::max(at.x, box.left);
  if (x + large.width > box.right) return false;
  // On the baseline of the data font's text, as near as the box allows.
  const int wanted = at.y - static_cast<int>(std::lround(TextAscent(larger_) - TextAscent(font_)));
  const int top = std::clamp(wanted, box.top, box.bottom - large.height);
  if (box.bottom - large.height < box.top || std::abs(top - wanted) > mostMoved_) return false;
  canvas_.SetFont(larger_);
  canvas_.DrawText(x, top, text);
  canvas_.SetFont(font_);
  return true;
}

void FormWriter::Text(PrintPoint at, std::string_view text, std::string_view box) {
  const PrintBox* inside = text.empty() ? nullptr : boxes_.Find(box);
  if (!inside) {
    canvas_.DrawText(at.x, at.y, text);
    return;
  }
  if (TextInLarger(at, text, *inside)) return;
  const FittedText fitted = FitText(at, text, font_, *inside);
  const bool smaller = !(fitted.font == font_);
  if (smaller) canvas_.SetFont(fitted.font);
  canvas_.DrawText(fitted.x, fitted.y, fitted.text);
  if (smaller) canvas_.SetFont(font_);
  if (fitted.cut)
    if (CutReport* report = canvas_.Cuts())
      report->Add({form_, std::string(captions_(box)), std::string(text), fitted.text});
}

void FormWriter::Amount(PrintPoint at, const std::string& amount, std::string_view box) {
  if (!IsZeroMoneyText(amount)) Text(at, amount, box);
}

namespace {

// Draws nothing; measures as the fitting does and keeps the cuts.
class CutListingCanvas : public Canvas {
 public:
  explicit CutListingCanvas(const PageGeometry& page) : page_(page) {}
  void SetPen(const PenSpec&) override {}
  void SetFont(const FontSpec& font) override { font_ = font; }
  void SetTextColor(Rgb) override {}
  void DrawText(int, int, std::string_view) override {}
  void DrawOutlinedText(int, int, std::string_view) override {}
  void DrawLine(int, int, int, int) override {}
  void FillRect(int, int, int, int, Rgb) override {}
  bool DrawPicture(const std::string&, int, int, int, int) override { return false; }
  TextSize TextExtent(std::string_view text) override { return MeasureText(font_, text); }
  int PrintableWidth() const override { return page_.printableWidth; }
  int PrintableHeight() const override { return page_.printableHeight; }
  double UnprintableLeft() const override { return page_.unprintableLeft; }
  double UnprintableTop() const override { return page_.unprintableTop; }
  CutReport* Cuts() override { return &report; }

  CutReport report;

 private:
  PageGeometry page_;
  FontSpec font_;
};

}  // namespace

CutReport ListCuts(const FormPrintJob& job, const PageGeometry& page) {
  CutListingCanvas canvas(page);
  for (int p = 1; p <= job.PageCount(); ++p) job.DrawPage(canvas, p);
  return canvas.report;
}

}  // namespace formet
