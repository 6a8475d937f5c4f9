#pragma once
// Form artwork described as data: the rules, boxes, labels, check boxes and
// fixed texts of a form picture, in drawing units (tenths of a millimetre)
// from the picture's top-left corner, at the size the print stretches it to.
// The build draws every description into a bitmap file beside the programs;
// the tests hold the printed data against the boxes described here.
//
// Texts are laid out here, with the advance widths of the faces the pictures
// use, so a description knows where every word ends: the drawing only puts
// each text at its place.
#include <string>
#include <string_view>
#include <vector>

#include "forms/print/canvas.h"

namespace formet {

// Rule weights, in hundredths of a millimetre.
inline constexpr int kRuleHair = 18;    // 0.5 point: the rules between boxes
inline constexpr int kRuleBorder = 28;  // 0.8 point: a form's outer border
inline constexpr int kRuleHeavy = 70;   // 2 points: the heavy border of box a

struct PictureLine {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int weight = kRuleHair;
  bool dashed = false;
};

// An outlined rectangle (check boxes, heavy borders).
struct PictureRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int weight = kRuleHair;
};

// A solid black triangle pointing right (the "pointer" of the forms), its
// left edge at `left`, `height` high and 0.6 of that wide.
struct PictureArrow {
  int left = 0, top = 0, height = 0;
};

// One run of text in one font; (x, y) is the top-left corner of its cell.
// UTF-8.
struct PictureText {
  int x = 0, y = 0;
  std::string text;
  FontSpec font;
  int Right() const;
  int Bottom() const;
};

// The place of a printed data item: the inside of a box, between its rules,
// and the band its label takes (labelTop == labelBottom: no label). The label
// lies above the data, or below it where the form puts it at the bottom.
struct PictureBox {
  std::string id;
  int left = 0, top = 0, right = 0, bottom = 0;
  int labelTop = 0, labelBottom = 0;
  bool checkBox = false;  // a check box: the mark goes inside it
  int weight = kRuleHair;  // of a check box's outline
};

struct FormPicture {
  std::string file;   // the file name the print loads
  std::string title;  // what it shows
  int width = 0, height = 0;  // the rectangle the print stretches it into
  std::vector<PictureLine> lines;
  std::vector<PictureRect> rects;
  std::vector<PictureArrow> arrows;
  std::vector<PictureText> texts;
  std::vector<PictureBox> boxes;
  // Texts flowed into columns that did not fit their area (none when the
  // description is sound).
  std::vector<std::string> overflows;

  const PictureBox* FindBox(std::string_view id) const;
};

// Draws a description through a canvas in one colour, its top-left corner at
// (dx, dy): rules (a dashed rule as its dashes), frames, arrows and texts, at
// the size described. The print draws so what one copy adds to a picture its
// copies share, and the outline of a form behind red-ink data. The pen is
// black and the text colour black again afterwards.
void DrawPictureOnCanvas(Canvas& canvas, const FormPicture& picture, int dx, int dy, Rgb color = kBlack);
// The dashes of a dashed rule and the gaps between them.
inline constexpr int kRuleDash = 12, kRuleDashGap = 8;

// Pixels of a length in drawing units at a resolution, rounded.
int PicturePixels(int units, int dotsPerInch);

// Text metrics of the faces the pictures and the data use: Arial (and its
// metric-compatible twin) from its advance widths, Courier New at 0.6 em a
// character. In drawing units.
double FontEm(const FontSpec& font);
int TextWidth(const FontSpec& font, std::string_view utf8);
// The advance of a text in ems of its face, and a width in ems in units of a
// font (rounded up to a whole unit, as TextWidth).
double TextEms(const FontSpec& font, std::string_view utf8);
int WidthOfEms(const FontSpec& font, double ems);
int TextCellHeight(const FontSpec& font);  // ascent + descent
double TextAscent(const FontSpec& font);

// A paragraph of an instruction page: a bold lead-in ("Box 1.") followed by
// its text, or a heading.
struct FlowParagraph {
  enum class Kind { Body, Heading, Title };
  Kind kind = Kind::Body;
  std::string lead;
  std::string text;
};

// Paragraphs flowed into columns, top to bottom and left to right.
struct TextFlow {
  int left = 0, top = 0, right = 0, bottom = 0;
  int columns = 1;
  int gutter = 60;
  FontSpec body{"Arial", 70, false};
  int paragraphGap = 10;  // extra space before a paragraph
  std::vector<FlowParagraph> paragraphs;
};

// Paragraphs laid out: the runs of text, where the flow ended, and what did
// not fit (nothing when the flow fits its area).
struct FlowResult {
  std::vector<PictureText> texts;
  std::vector<std::string> problems;
  int bottom = 0;  // below the last line when it ended in the first column
};
FlowResult LayOutFlow(const TextFlow& flow);

// Builds a description. Everything added is moved by the current origin, so
// one form can be placed several times on a sheet.
class PictureBuilder {
 public:
  PictureBuilder(std::string file, std::string title, int width, int height);

  void Origin(int dx, int dy) { dx_ = dx, dy_ = dy; }

  void Line(int x1, int y1, int x2, int y2, int weight = kRuleHair, bool dashed = false);
  void HRule(int y, int x1, int x2, int weight = kRuleHair, bool dashed = false) { Line(x1, y, x2, y, weight, dashed); }
  void VRule(int x, int y1, int y2, int weight = kRuleHair) { Line(x, y1, x, y2, weight); }
  void Frame(int left, int top, int right, int bottom, int weight);
  void Arrow(int left, int top, int height);

  // Text with its cell's top-left corner at (x, y); returns its right end.
  int Text(int x, int y, std::string_view text, const FontSpec& font);
  // Text ending at `right`, or centred on `centre`.
  void TextRight(int right, int y, std::string_view text, const FontSpec& font);
  void TextCentred(int centre, int y, std::string_view text, const FontSpec& font);
  // Lines one under the other, `step` apart; returns the bottom of the last.
  int TextLines(int x, int y, int step, const std::vector<std::string_view>& lines, const FontSpec& font);
  // A label: its key ("1", "a", "12a") in bold, then the text; returns its
  // right end.
  int Label(int x, int y, std::string_view key, std::string_view text, const FontSpec& font);

  // Where a data item goes; a label band from labelTop to labelBottom.
  void Box(std::string id, int left, int top, int right, int bottom, int labelTop = 0, int labelBottom = 0);
  // A check box, drawn, and the place of its mark.
  void CheckBox(std::string id, int left, int top, int size, int weight = kRuleHair);

  // Paragraphs flowed into columns; a text that does not fit is noted in the
  // picture's overflows.
  void Flow(const TextFlow& flow);

  FormPicture Take() { return std::move(picture_); }

 private:
  FormPicture picture_;
  int dx_ = 0, dy_ = 0;
};

}  // namespace formet
