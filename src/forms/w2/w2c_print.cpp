#include "forms/w2/w2c_print.h"

#include <cctype>
#include <map>
#include <utility>

#include "forms/w2/w2c_pictures.h"

namespace formet {
namespace {

const FontSpec kDataFont = CourierNew(10);
// From one line of a box of several lines to the next.
constexpr int kLineStep = 40;
// Where a text starts inside its box.
constexpr int kInsetX = 6;

PrintPoint Start(const FormBoxes& boxes, std::string_view id) {
  const PrintBox* b = boxes.Find(id);
  return b ? PrintPoint{b->left + kInsetX, b->top} : PrintPoint{};
}

// The lines of a text held with line breaks.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t from = 0;
  while (from <= text.size()) {
    const size_t end = text.find('\n', from);
    lines.push_back(text.substr(from, end == std::string::npos ? std::string::npos : end - from));
    if (end == std::string::npos) break;
    from = end + 1;
  }
  return lines;
}

// Words laid into lines no wider than `width` in `font`; a word wider
// than a line stands alone on its line (the fitting then makes it smaller).
std::vector<std::string> WrapWords(const std::string& text, int width, const FontSpec& font) {
  std::vector<std::string> lines;
  std::string line;
  size_t from = 0;
  while (from < text.size()) {
    size_t end = text.find(' ', from);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(from, end - from);
    from = end + 1;
    if (word.empty()) continue;
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && MeasureText(font, longer).width > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void Explanation(Canvas& c, FormWriter& out, const FormBoxes& boxes, const std::string& text) {
  const PrintBox* box = boxes.Find("explain");
  if (!box || text.empty()) return;
  const W3cExplanation e = LayOutExplanation(text, *box);
  if (e.cut)
    if (CutReport* cuts = c.Cuts()) {
      std::string printed;
      for (const auto& line : e.lines) printed += (printed.empty() ? "" : " ") + line;
      cuts->Add({"Form W-3c", "Explain decreases here", text, printed});
    }
  out.SetFont(e.font);
  PrintPoint at{box->left + kInsetX, box->top};
  for (const auto& line : e.lines) {
    out.Text(at, line, "explain");
    at.y += e.step;
  }
  out.SetFont(kDataFont);
}

// A text of several lines, one under the other from the top of its box.
void TextLines(FormWriter& out, const FormBoxes& boxes, const std::vector<std::string>& lines, std::string_view id) {
  PrintPoint at = Start(boxes, id);
  for (const auto& line : lines) {
    out.Text(at, line, id);
    at.y += kLineStep;
  }
}

// The mark of a check box of the picture.
void Mark(Canvas& c, const FormPicture& picture, std::string_view id, PrintPoint at) {
  const PictureBox* b = picture.FindBox(id);
  if (!b) return;
  const int l = b->left + at.x + 5, t = b->top + at.y + 5, r = b->right + at.x - 5, bt = b->bottom + at.y - 5;
  DrawCross(c, {l, t}, {r, bt}, {r, t}, {l, bt});
}

const FormPicture& TheW2cPicture() {
  static const FormPicture kPicture = W2cPicture();
  return kPicture;
}
const FormPicture& TheW3cPicture() {
  static const FormPicture kPicture = W3cPicture();
  return kPicture;
}

PrintPoint PictureAt(PrintPoint at, bool redInk, const RedInkOffsets& offsets) {
  if (!redInk) return at;
  return {at.x + InchesToUnits(offsets.horizontal), at.y + InchesToUnits(offsets.vertical)};
}

// The names of the W-2c's boxes as a cut report gives them: the lettered
// boxes, and each numbered box of the W-2c's description with its column.
std::string_view W2cBoxCaption(std::string_view id) {
  static const std::map<std::string, std::string, std::less<>> kNames = [] {
    std::map<std::string, std::string, std::less<>> names = {
        {"a", "a Tax year/Form corrected"},      {"b", "b Employee's correct SSN"},
        {"d", "d Employer's Federal EIN"},       {"e-first", "e Employee's first name and initial"},
        {"e-last", "e Last name"},               {"e-suffix", "e Suff."},
        {"f", "f Employee's address and ZIP code"}, {"g", "g Employer's name, address, and ZIP code"},
        {"h", std::string("h ") + W2cTexts::kBoxH}, {"i", std::string("i ") + W2cTexts::kBoxI}};
    const std::pair<const char*, const char*> sides[2] = {{"-prev", W2cTexts::kPreviously},
                                                          {"-correct", W2cTexts::kCorrect}};
    for (const auto& d : W2cBoxes()) {
      std::string key = d.key;
      const std::string shown = key.substr(0, key.find('.'));
      for (const auto& [suffix, column] : sides)
        names[key + suffix] = shown + " " + d.label + (d.line == 2 ? ", line 2" : "") + ", " + column;
    }
    for (const char* line : {"12a", "12b", "12c", "12d"})
      for (const auto& [suffix, column] : sides) {
        names[std::string(line) + suffix] = std::string(line) + ", " + column;
        names[std::string(line) + suffix + "-code"] = std::string(line) + " code, " + column;
      }
    return names;
  }();
  const auto found = kNames.find(id);
  return found == kNames.end() ? id : std::string_view(found->second);
}

std::string_view W3cBoxCaption(std::string_view id) {
  static const std::pair<std::string_view, std::string_view> kCaptions[] = {
      {"a", "a Tax year/Form corrected"},
      {"b", "b Employer's name, address, and ZIP code"},
      {"d", "d Number of Forms W-2c"},
      {"e", "e Employer's Federal EIN"},
      {"f", "f Establishment number"},
      {"g", "g Employer's state ID number"},
      {"h", "h Employer's incorrect Federal EIN"},
      {"i", "i Incorrect establishment number"},
      {"j", "j Employer's incorrect state ID number"},
      {"explain", "Explain decreases here"},
      {"contact", "Contact person"},
      {"telephone", "Telephone number"},
      {"email", "E-mail address"},
      {"fax", "Fax number"},
  };
  return NameOfBox(kCaptions, id);
}

}  // namespace

W3cExplanation LayOutExplanation(const std::string& text, const PrintBox& box) {
  const int width = box.right - box.left - 2 * kInsetX, height = box.bottom - box.top;
  W3cExplanation e;
  e.font = kDataFont;
  for (int size = kDataFont.tenthsOfPoint; size >= kSmallestFittedSize; size -= kFittedSizeStep) {
    e.font.tenthsOfPoint = size;
    e.lines = WrapWords(text, width, e.font);
    e.step = MeasureText(e.font, "X").height;
    e.smaller = size < kDataFont.tenthsOfPoint;
    if (static_cast<int>(e.lines.size()) * e.step <= height) return e;
  }
  e.lines.resize(static_cast<size_t>(height / e.step));
  e.cut = true;
  return e;
}

std::vector<W2cForm> W2cFormsForCopy(const std::vector<W2cForm>& forms, W2cCopy copy, int32_t only,
                                     std::vector<std::string>* notes) {
  std::vector<W2cForm> chosen;
  for (const W2cForm& f : forms) {
    if (only >= 0 && f.employeeId != only) continue;
    if (IsW2cCopyA(copy) && !f.toSsa) {
      if (notes)
        notes->push_back("The W-2c of " + f.eFirst + " " + f.eLast +
                         " corrects only state or local boxes; it goes to the state, not to the SSA, so Copy A "
                         "leaves it out.");
      continue;
    }
    chosen.push_back(f);
  }
  return chosen;
}

std::string NoW2cToPrintMessage(const std::string& companyName, W2cCopy copy, bool oneEmployee) {
  return companyName + " has no W-2c" + (oneEmployee ? " for that employee" : "") +
         (IsW2cCopyA(copy) ? " to send to the SSA" : "") + "; nothing was printed";
}

std::string W2cCopyName(W2cCopy copy) {
  if (copy == W2cCopy::RedInkCopyA) return "Copy A (red-ink form)";
  const std::string caption = W2cTexts::kCopyCaptions[static_cast<int>(copy)];
  return caption.substr(0, caption.find('\x97'));
}

std::optional<W2cCopy> FindW2cCopy(const std::string& typed) {
  std::string t;
  for (char c : typed) t += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (t.rfind("copy ", 0) == 0) t = t.substr(5);
  static const char kLetters[kW2cCopyCount + 1] = "a1bc2d";
  if (t.size() == 1)
    for (int i = 0; i < kW2cCopyCount; ++i)
      if (t[0] == kLetters[i]) return static_cast<W2cCopy>(i);
  return std::nullopt;
}

FormBoxes W2cBoxesOnPage(bool redInk, const RedInkOffsets& offsets) {
  static const FormBoxes kBoxes = BoxesOfPicture(TheW2cPicture()).front();
  const PrintPoint at = PictureAt(kW2cPictureAt, redInk, offsets);
  return kBoxes.Placed(at.x, at.y);
}

FormBoxes W3cBoxesOnPage(bool redInk, const RedInkOffsets& offsets) {
  static const FormBoxes kBoxes = BoxesOfPicture(TheW3cPicture()).front();
  const PrintPoint at = PictureAt(kW3cPictureAt, redInk, offsets);
  return kBoxes.Placed(at.x, at.y);
}

W2cPrintJob::W2cPrintJob(std::vector<W2cForm> forms, W2cCopy copy, RedInkOffsets offsets)
    : forms_(std::move(forms)), copy_(copy), offsets_(offsets) {}

void W2cPrintJob::DrawPage(Canvas& c, int page) const {
  if (page < 1 || page > PageCount()) return;
  const W2cForm& f = forms_[static_cast<size_t>(page - 1)];
  const bool redInk = copy_ == W2cCopy::RedInkCopyA;
  const PrintPoint at = PictureAt(kW2cPictureAt, redInk, offsets_);
  c.SetPen(kBlackPen);
  if (!redInk) {
    c.DrawPicture(kW2cPicture, at.x, at.y, kW2cPictureWidth, kW2cPictureHeight);
    // The copy's caption, in the strip under the form.
    const PictureBox* strip = TheW2cPicture().FindBox("copy");
    c.SetFont(Arial(10, true));
    c.DrawText(at.x + strip->left + 10, at.y + strip->top + 10,
               W2cTexts::kCopyCaptions[static_cast<int>(copy_)]);
  }
  c.SetFont(kDataFont);
  const FormBoxes boxes = W2cBoxesOnPage(redInk, offsets_);
  std::string who = f.eFirst + (f.eLast.empty() ? "" : " " + f.eLast);
  FormWriter out(c, boxes, kDataFont, "Form W-2c of " + who + " (" + f.b + ")", W2cBoxCaption);
  auto text = [&](std::string_view id, const std::string& value) { out.Text(Start(boxes, id), value, id); };

  text("a", f.a + " / " + f.formCorrected);
  text("b", f.b);
  if (f.c) Mark(c, TheW2cPicture(), "c", at);
  text("d", f.d);
  text("e-first", f.eFirst);
  text("e-last", f.eLast);
  text("e-suffix", f.eSuffix);
  TextLines(out, boxes, {f.f1, f.f2, f.fCity}, "f");
  TextLines(out, boxes, {f.gName, f.g1, f.g2, f.gCity}, "g");
  text("h", f.h);
  text("i", f.i);
  for (const W2cBoxLine& line : f.boxes) {
    const std::string key = line.box->key;
    TextLines(out, boxes, Lines(line.previously), key + "-prev");
    TextLines(out, boxes, Lines(line.correct), key + "-correct");
  }
  const char* lines[4] = {"12a", "12b", "12c", "12d"};
  for (size_t i = 0; i < f.box12.size() && i < 4; ++i) {
    const std::string key = lines[i];
    text(key + "-prev-code", f.box12[i].code);
    text(key + "-prev", f.box12[i].previously);
    text(key + "-correct-code", f.box12[i].code);
    text(key + "-correct", f.box12[i].correct);
  }
  if (f.box13) {
    const char* ids[3] = {"13-statutory-", "13-retirement-", "13-sick-pay-"};
    for (int i = 0; i < 3; ++i) {
      if (f.box13->previously[static_cast<size_t>(i)]) Mark(c, TheW2cPicture(), std::string(ids[i]) + "prev", at);
      if (f.box13->correct[static_cast<size_t>(i)]) Mark(c, TheW2cPicture(), std::string(ids[i]) + "correct", at);
    }
  }
}

W3cPrintJob::W3cPrintJob(W3cPage page, bool redInk, RedInkOffsets offsets)
    : page_(std::move(page)), redInk_(redInk), offsets_(offsets) {}

void W3cPrintJob::DrawPage(Canvas& c, int page) const {
  if (page != 1) return;
  const PrintPoint at = PictureAt(kW3cPictureAt, redInk_, offsets_);
  c.SetPen(kBlackPen);
  if (!redInk_) c.DrawPicture(kW3cPicture, at.x, at.y, kW3cPictureWidth, kW3cPictureHeight);
  c.SetFont(kDataFont);
  const FormBoxes boxes = W3cBoxesOnPage(redInk_, offsets_);
  FormWriter out(c, boxes, kDataFont, "Form W-3c", W3cBoxCaption);
  auto text = [&](std::string_view id, const std::string& value) { out.Text(Start(boxes, id), value, id); };
  const W3cPage& p = page_;

  text("a", p.a + " / W-2");
  TextLines(out, boxes, {p.employerName, p.address1, p.address2, p.cityLine}, "b");
  static const char* const kKinds[7] = {"c-941", "c-ct-1", "c-military", "c-household", "c-943", "c-medicare", "c-944"};
  if (p.kindOfPayer >= 0 && p.kindOfPayer < 7) Mark(c, TheW3cPicture(), kKinds[p.kindOfPayer], at);
  if (p.thirdPartySickPay) Mark(c, TheW3cPicture(), "c-sick-pay", at);
  const std::pair<const char*, const std::string*> lettered[] = {{"d", &p.d}, {"e", &p.e}, {"f", &p.f}, {"g", &p.g},
                                                                 {"h", &p.h}, {"i", &p.i}, {"j", &p.j}};
  for (const auto& [id, value] : lettered) text(id, *value);
  auto columns = [&](const std::string& key, const std::array<std::string, 2>& v) {
    text(key + "-prev", v[0]);
    text(key + "-correct", v[1]);
  };
  for (int box = 1; box <= 11; ++box) columns(std::to_string(box), p.box[static_cast<size_t>(box)]);
  columns("12", p.box12);
  columns("14", p.box14);
  columns("16", p.box16);
  columns("17", p.box17);
  columns("18", p.box18);
  columns("19", p.box19);
  Explanation(c, out, boxes, p.explainDecreases);
  text("contact", p.contactName);
  text("telephone", p.telephone);
  text("email", p.email);
  text("fax", p.fax);
}

}  // namespace formet
