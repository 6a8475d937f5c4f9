#include "forms/print/form_picture.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "store/text_codec.h"

namespace formet {
namespace {

// Advance widths of Arial (and of its metric-compatible twin) in thousandths
// of an em, for the characters 32-126.
constexpr short kArialRegular[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,   //  !"#$%&'()*+,-./
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,   // 0-9 :;<=>?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @A-O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,   // P-Z [\]^_
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,   // `a-o
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};       // p-z {|}~
constexpr short kArialBold[95] = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};

// The few characters beyond ASCII the pictures use: {code point, regular, bold}.
struct WideChar {
  char32_t code;
  short regular, bold;
};
constexpr WideChar kArialExtra[] = {
    {0x2014, 1000, 1000},  // em dash
    {0x2013, 556, 556},    // en dash
    {0x2018, 222, 278},    // left single quotation mark
    {0x2019, 222, 278},    // right single quotation mark
    {0x201C, 333, 500},    // left double quotation mark
    {0x201D, 333, 500},    // right double quotation mark
    {0x2022, 350, 350},    // bullet
    {0x00A7, 556, 556},    // section sign
    {0x00BD, 834, 834},    // one half
};

// Ascent and descent of the faces, in ems (as the recording canvas takes them).
constexpr double kArialAscent = 0.905, kArialDescent = 0.212;
constexpr double kCourierAscent = 0.833, kCourierDescent = 0.300;

// The code points of a UTF-8 text (a malformed byte counts as one character).
std::u32string CodePoints(std::string_view s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    int length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    if (i + static_cast<size_t>(length) > s.size()) length = 1;
    char32_t code = length == 1 ? c : c & (0x7F >> length);
    for (int k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(code);
    i += static_cast<size_t>(length);
  }
  return out;
}

bool IsCourier(const FontSpec& f) { return f.face == "Courier New"; }

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    size_t j = i;
    while (j < text.size() && text[j] != ' ') ++j;
    if (j > i) words.emplace_back(text.substr(i, j - i));
    i = j;
  }
  return words;
}

// A word ending with an em dash ("A\u2014") runs on into the next one.
bool EndsWithDash(std::string_view word) {
  static constexpr std::string_view kDash = "\u2014";
  return word.size() >= kDash.size() && word.substr(word.size() - kDash.size()) == kDash;
}

}  // namespace

int PictureText::Right() const { return x + TextWidth(font, text); }
int PictureText::Bottom() const { return y + TextCellHeight(font); }

const PictureBox* FormPicture::FindBox(std::string_view id) const {
  for (const auto& b : boxes)
    if (b.id == id) return &b;
  return nullptr;
}

void DrawPictureOnCanvas(Canvas& c, const FormPicture& p, int dx, int dy, Rgb color) {
  // Weights are in hundredths of a millimetre, the canvas's pens in tenths.
  auto pen = [&](int weight) { c.SetPen({std::max(1, static_cast<int>(std::lround(weight / 10.0))), color}); };
  for (const auto& l : p.lines) {
    pen(l.weight);
    if (!l.dashed) {
      c.DrawLine(l.x1 + dx, l.y1 + dy, l.x2 + dx, l.y2 + dy);
      continue;
    }
    const double length = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
    if (length <= 0) continue;
    const double ux = (l.x2 - l.x1) / length, uy = (l.y2 - l.y1) / length;
    for (double at = 0; at < length; at += kRuleDash + kRuleDashGap) {
      const double end = std::min(length, at + kRuleDash);
      c.DrawLine(static_cast<int>(std::lround(l.x1 + ux * at)) + dx, static_cast<int>(std::lround(l.y1 + uy * at)) + dy,
                 static_cast<int>(std::lround(l.x1 + ux * end)) + dx,
                 static_cast<int>(std::lround(l.y1 + uy * end)) + dy);
    }
  }
  for (const auto& r : p.rects) {
    pen(r.weight);
    c.DrawLine(r.left + dx, r.top + dy, r.right + dx, r.top + dy);
    c.DrawLine(r.right + dx, r.top + dy, r.right + dx, r.bottom + dy);
    c.DrawLine(r.right + dx, r.bottom + dy, r.left + dx, r.bottom + dy);
    c.DrawLine(r.left + dx, r.bottom + dy, r.left + dx, r.top + dy);
  }
  // An arrow filled with lines from its left edge to its point.
  c.SetPen({1, color});
  for (const auto& a : p.arrows) {
    const int tipX = a.left + static_cast<int>(std::lround(a.height * 0.6)), tipY = a.top + a.height / 2;
    for (int y = a.top; y <= a.top + a.height; ++y) c.DrawLine(a.left + dx, y + dy, tipX + dx, tipY + dy);
  }
  c.SetTextColor(color);
  for (const auto& t : p.texts) {
    c.SetFont(t.font);
    c.DrawText(t.x + dx, t.y + dy, Utf8ToWin1252(t.text).value_or(t.text));
  }
  c.SetTextColor(kBlack);
  c.SetPen({5, kBlack});
}

int PicturePixels(int units, int dotsPerInch) {
  return static_cast<int>(std::lround(static_cast<double>(units) * dotsPerInch / kUnitsPerInch));
}

double FontEm(const FontSpec& f) { return f.tenthsOfPoint / 10.0 * kUnitsPerInch / 72.0; }

double TextEms(const FontSpec& f, std::string_view utf8) {
  const std::u32string codes = CodePoints(utf8);
  if (IsCourier(f)) return 0.6 * static_cast<double>(codes.size());
  const short* table = f.bold ? kArialBold : kArialRegular;
  double thousandths = 0;
  for (char32_t c : codes) {
    if (c >= 32 && c < 127) {
      thousandths += table[c - 32];
      continue;
    }
    double w = 1000;  // unknown characters count as an em
    for (const auto& e : kArialExtra)
      if (e.code == c) w = f.bold ? e.bold : e.regular;
    thousandths += w;
  }
  return thousandths / 1000.0;
}

int WidthOfEms(const FontSpec& f, double ems) {
  // Rounded to a millionth of a unit first, so that a width of whole units
  // computed through a double is not raised by one.
  return static_cast<int>(std::ceil(std::round(ems * FontEm(f) * 1e6) / 1e6));
}

int TextWidth(const FontSpec& f, std::string_view utf8) { return WidthOfEms(f, TextEms(f, utf8)); }

int TextCellHeight(const FontSpec& f) {
  const double cell = IsCourier(f) ? kCourierAscent + kCourierDescent : kArialAscent + kArialDescent;
  return static_cast<int>(std::ceil(cell * FontEm(f)));
}

double TextAscent(const FontSpec& f) { return (IsCourier(f) ? kCourierAscent : kArialAscent) * FontEm(f); }

PictureBuilder::PictureBuilder(std::string file, std::string title, int width, int height) {
  picture_.file = std::move(file);
  picture_.title = std::move(title);
  picture_.width = width;
  picture_.height = height;
}

void PictureBuilder::Line(int x1, int y1, int x2, int y2, int weight, bool dashed) {
  picture_.lines.push_back({x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_, weight, dashed});
}

void PictureBuilder::Frame(int left, int top, int right, int bottom, int weight) {
  picture_.rects.push_back({left + dx_, top + dy_, right + dx_, bottom + dy_, weight});
}

void PictureBuilder::Arrow(int left, int top, int height) { picture_.arrows.push_back({left + dx_, top + dy_, height}); }

int PictureBuilder::Text(int x, int y, std::string_view text, const FontSpec& font) {
  picture_.texts.push_back({x + dx_, y + dy_, std::string(text), font});
  return x + TextWidth(font, text);
}

void PictureBuilder::TextRight(int right, int y, std::string_view text, const FontSpec& font) {
  Text(right - TextWidth(font, text), y, text, font);
}

void PictureBuilder::TextCentred(int centre, int y, std::string_view text, const FontSpec& font) {
  Text(centre - TextWidth(font, text) / 2, y, text, font);
}

int PictureBuilder::TextLines(int x, int y, int step, const std::vector<std::string_view>& lines,
                              const FontSpec& font) {
  for (const auto& line : lines) {
    Text(x, y, line, font);
    y += step;
  }
  return y - step + TextCellHeight(font);
}

int PictureBuilder::Label(int x, int y, std::string_view key, std::string_view text, const FontSpec& font) {
  FontSpec bold = font;
  bold.bold = true;
  int right = x;
  if (!key.empty()) right = Text(x, y, key, bold) + TextWidth(font, " ");
  if (!text.empty()) right = Text(right, y, text, font);
  return right;
}

void PictureBuilder::Box(std::string id, int left, int top, int right, int bottom, int labelTop, int labelBottom) {
  picture_.boxes.push_back(
      {std::move(id), left + dx_, top + dy_, right + dx_, bottom + dy_, labelTop + dy_, labelBottom + dy_, false});
}

void PictureBuilder::CheckBox(std::string id, int left, int top, int size, int weight) {
  Frame(left, top, left + size, top + size, weight);
  picture_.boxes.push_back({std::move(id), left + dx_, top + dy_, left + size + dx_, top + size + dy_, top + dy_,
                            top + dy_, true, weight});
}

FlowResult LayOutFlow(const TextFlow& flow) {
  FlowResult result;
  auto Text = [&](int x, int y, const std::string& text, const FontSpec& font) {
    result.texts.push_back({x, y, text, font});
    return x + TextWidth(font, text);
  };
  const int columnWidth = (flow.right - flow.left - flow.gutter * (flow.columns - 1)) / flow.columns;
  int column = 0;
  int y = flow.top;
  bool overflow = false;
  auto columnLeft = [&] { return flow.left + column * (columnWidth + flow.gutter); };

  for (const auto& paragraph : flow.paragraphs) {
    if (overflow) break;
    FontSpec leadFont = flow.body, textFont = flow.body;
    leadFont.bold = true;
    if (paragraph.kind == FlowParagraph::Kind::Heading) {
      leadFont.tenthsOfPoint += 10;
      textFont = leadFont;
    } else if (paragraph.kind == FlowParagraph::Kind::Title) {
      leadFont.tenthsOfPoint += 40;
      textFont = leadFont;
    }
    const int step = static_cast<int>(std::lround(FontEm(leadFont) * 1.18));
    const int bodyStep = static_cast<int>(std::lround(FontEm(flow.body) * 1.18));

    // The words with their fonts, lead first.
    std::vector<std::pair<std::string, const FontSpec*>> words;
    for (auto& w : Words(paragraph.lead)) words.emplace_back(std::move(w), &leadFont);
    for (auto& w : Words(paragraph.text)) words.emplace_back(std::move(w), &textFont);

    // Lines of words.
    std::vector<std::vector<size_t>> lines(1);
    int width = 0;
    for (size_t i = 0; i < words.size(); ++i) {
      const int wordWidth = TextWidth(*words[i].second, words[i].first);
      const int space = lines.back().empty() || EndsWithDash(words[i - 1].first) ? 0 : TextWidth(*words[i].second, " ");
      if (!lines.back().empty() && width + space + wordWidth > columnWidth) {
        lines.emplace_back();
        width = 0;
        lines.back().push_back(i);
        width = wordWidth;
      } else {
        lines.back().push_back(i);
        width += space + wordWidth;
      }
      if (wordWidth > columnWidth) {
        result.problems.push_back("\"" + words[i].first + "\" is wider than its column");
      }
    }

    if (y != flow.top) y += flow.paragraphGap;
    // A heading stays with the first line that follows it.
    const int needed = paragraph.kind == FlowParagraph::Kind::Body ? step : step + bodyStep;
    if (y + needed > flow.bottom) {
      ++column;
      y = flow.top;
    }
    for (const auto& line : lines) {
      if (y + TextCellHeight(leadFont) > flow.bottom) {
        ++column;
        y = flow.top;
      }
      if (column >= flow.columns) {
        result.problems.push_back("the text does not fit; it stops before \"" + words[line.front()].first + "\"");
        overflow = true;
        break;
      }
      // Runs of words in one font.
      int x = columnLeft();
      size_t k = 0;
      while (k < line.size()) {
        const FontSpec* font = words[line[k]].second;
        std::string run = words[line[k]].first;
        size_t j = k + 1;
        while (j < line.size() && words[line[j]].second == font) {
          run += (EndsWithDash(words[line[j - 1]].first) ? "" : " ") + words[line[j]].first;
          ++j;
        }
        if (k > 0 && !EndsWithDash(words[line[k - 1]].first)) x += TextWidth(*words[line[k - 1]].second, " ");
        x = Text(x, y, run, *font);
        k = j;
      }
      y += step;
    }
  }
  result.bottom = column == 0 ? y : flow.bottom;
  return result;
}

void PictureBuilder::Flow(const TextFlow& flow) {
  const FlowResult laid = LayOutFlow(flow);
  for (const auto& t : laid.texts) Text(t.x, t.y, t.text, t.font);
  for (const auto& problem : laid.problems) picture_.overflows.push_back(picture_.file + ": " + problem);
}

}  // namespace formet
