#pragma once
// Every printed value inside its box. Each data item of a form is drawn with
// the box it belongs in: the inside of the box of the real form on red-ink
// paper, the box our drawing gives it on blank paper. A value that does not
// fit at its font's size is drawn in the largest smaller size that fits, in
// half-point steps down to 6 points; one that does not fit even at 6 points
// is cut at a character, and the cut is noted in the canvas's cut report, so
// that the print can say what it could not hold.
//
// The fitting measures with the metric tables of the faces (TextWidth), as
// the Qt canvas draws them, whatever the device: what is cut depends on the
// data and the layout only, and can be listed before anything is printed.
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/print/canvas.h"
#include "forms/print/form_picture.h"
#include "forms/print/print_layout.h"

namespace formet {

// The inside of a box, in drawing units: where a text's cell may lie.
struct PrintBox {
  int left = 0, top = 0, right = 0, bottom = 0;
  PrintBox Moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  bool Holds(int x1, int y1, int x2, int y2) const { return x1 >= left && y1 >= top && x2 <= right && y2 <= bottom; }
  bool operator==(const PrintBox&) const = default;
};

// The sizes the fitting tries, in tenths of a point.
inline constexpr int kSmallestFittedSize = 60;
inline constexpr int kFittedSizeStep = 5;

// A text as the fitting places it: the top-left corner of its cell, its font
// and what of it is drawn.
struct FittedText {
  int x = 0, y = 0;
  FontSpec font;
  std::string text;  // Windows-1252
  bool cut = false;  // not even 6 points held it: `text` is its first characters
  bool operator==(const FittedText&) const = default;
};

// Fits `text` (Windows-1252), meant to start at `at` in `font`, into `box`:
// - it starts at `at`, or at the box's left edge where `at` lies left of it;
// - drawn smaller, it is centred on the line it would have filled;
// - its cell is kept between the box's top and bottom.
FittedText FitText(PrintPoint at, std::string_view text, const FontSpec& font, const PrintBox& box);

// The cell of a Windows-1252 text by the metric tables.
TextSize MeasureText(const FontSpec& font, std::string_view text);

// A value the print cannot hold, as the print tells it (Windows-1252).
struct CutText {
  std::string form;     // "Form W-2 of Ann Q Lee (123-45-6781)"
  std::string box;      // "16 State wages, tips, etc., line 1"
  std::string value;    // the whole value
  std::string printed;  // what the form holds of it
  bool operator==(const CutText&) const = default;
};

// The values cut in a print, each once (a form drawn several times on a
// sheet, as on the 4-Up sheet, cuts the same value once).
class CutReport {
 public:
  void Add(CutText cut);
  const std::vector<CutText>& Cuts() const { return cuts_; }
  bool Empty() const { return cuts_.empty(); }
  size_t Size() const { return cuts_.size(); }

 private:
  std::vector<CutText> cuts_;
};

// A cut as one line: `form`, box `box`: "value" does not fit even at 6
// points and is printed as "printed". Windows-1252.
std::string DescribeCut(const CutText& cut);

// The boxes of one form on a page, by the names its drawing gives them ("a",
// "12a-code", "16-1", ...).
class FormBoxes {
 public:
  void Add(std::string id, PrintBox box) { boxes_.emplace_back(std::move(id), box); }
  const PrintBox* Find(std::string_view id) const;
  FormBoxes Moved(int dx, int dy) const;
  // Each box scaled about the origin, then moved (a picture stretched into
  // its rectangle).
  FormBoxes Placed(int left, int top, double scaleX = 1, double scaleY = 1) const;
  const std::vector<std::pair<std::string, PrintBox>>& All() const { return boxes_; }

 private:
  std::vector<std::pair<std::string, PrintBox>> boxes_;
};

// How far a text keeps from the rules of its box, beyond the rule's own half
// width (tenths of a millimetre).
inline constexpr int kRuleClearance = 2;

// The insides of the boxes of a drawing, in its own units: each box moved in
// from every rule it has by half the rule's weight and the clearance, and
// kept clear of its label (above the data, or below it where the form puts
// the label at the foot of the box). A drawing that holds the same form more
// than once (two forms a sheet, the four copies of the 4-Up sheet) gives one
// set of boxes for each, in the order they were drawn. Check boxes are left
// out: they hold marks, not texts.
std::vector<FormBoxes> BoxesOfPicture(const FormPicture& picture);

// A box of a pre-printed form, measured in millimetres from the paper's
// top-left corner between the centres of its rules.
struct GridBox {
  const char* id;
  double left, top, right, bottom;
  double ruleMm = 0.18;  // the weight of its rules (0.5 point)
};
// The boxes of a measured grid in drawing units of the page the red-ink
// layouts are made for (kRedInkReferenceMargin).
FormBoxes BoxesOfGrid(const std::vector<GridBox>& grid);

// The name of a box in a form's table of (id, name) pairs, as a cut report
// gives it; the id itself where the table lacks it.
using BoxNames = std::span<const std::pair<std::string_view, std::string_view>>;
std::string_view NameOfBox(BoxNames names, std::string_view id);

// Draws the data of one form, each text fitted in its box, and notes what is
// cut in the canvas's report.
class FormWriter {
 public:
  // `captions` names a box for the cut report by its id; `form` names the
  // form. `font` is the data font, current on the canvas.
  using Captions = std::string_view (*)(std::string_view id);
  FormWriter(Canvas& canvas, const FormBoxes& boxes, const FontSpec& font, std::string form, Captions captions);

  // The size the following texts start from (the canvas gets it too).
  void SetFont(const FontSpec& font);
  const FontSpec& Font() const { return font_; }

  // A larger size the texts of the data font take where they fit their box
  // at it: the cell on the baseline the data font's text would have, moved
  // at most `mostMoved` units to keep inside the box. Elsewhere they are
  // fitted from the data font. (The laser substitute for Copy A prints its
  // data in 12 points, as the SSA asks, where that fits.)
  void PreferLarger(const FontSpec& larger, int mostMoved);

  // A text that starts at `at` in the box `box`. An empty text is drawn as
  // it is; a box the form does not have leaves the text as it is.
  void Text(PrintPoint at, std::string_view text, std::string_view box);
  // An amount: nothing when it is exactly "0.00".
  void Amount(PrintPoint at, const std::string& amount, std::string_view box);

 private:
  // Draws `text` in the larger size when it fits there; false when not.
  bool TextInLarger(PrintPoint at, std::string_view text, const PrintBox& box);

  Canvas& canvas_;
  const FormBoxes& boxes_;
  FontSpec font_;
  FontSpec dataFont_;
  std::string form_;
  Captions captions_;
  FontSpec larger_;
  int mostMoved_ = -1;  // no larger size
};

// What would be cut if the job were printed on a page of this geometry,
// without drawing it anywhere: the list the desktop shows before printing,
// the warnings of formet-cli print, and what a review of the forms shows.
CutReport ListCuts(const FormPrintJob& job, const PageGeometry& page);

}  // namespace formet
