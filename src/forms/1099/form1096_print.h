#pragma once
// Printing the 1096: data only on the pre-printed red-ink form, or a copy on
// blank paper (the form's picture with the outlined word "COPY"). One page,
// the totals as the 1096 page shows them.
#include <array>

#include "forms/1099/form1096_totals.h"
#include "forms/print/box_fit.h"
#include "forms/print/print_layout.h"
#include "store/print_settings.h"

namespace formet {

// Points 3 and 4 exist but are not drawn; 16-19 are the strokes of the
// final-return mark, 20-23 those of the type-of-form mark.
inline constexpr int kForm1096LayoutPoints = 24;
using Form1096LayoutTable = std::array<PrintPoint, kForm1096LayoutPoints>;
const Form1096LayoutTable& Form1096BaseLayout();

enum class Form1096Layout { Copy = 0, RedInk = 1 };  // by paper type

// The points of a paper type with their adjustments, in order:
// 1. pre-printed: points 16-23 y + 2; copy: points 20-23 x - 7;
// 2. pre-printed: the user's offsets (inches times 254, truncated);
// 3. every point y - 63; points 16-23 then y + 127 and y - 101;
// 4. copy: every point y - 2.
// The copy keeps the x of the pre-printed form, which is that of the drawn
// form too. (Moved 226 units right, as the older layout had it, the
// final-return mark fell outside the printable area.)
Form1096LayoutTable Form1096AdjustedLayout(Form1096Layout layout, const FormPrintSettings& settings);

// The boxes the texts go in: the measured form's on the pre-printed form,
// moved with the data by the offsets; the drawing's on a copy.
FormBoxes Form1096BoxesOf(Form1096Layout layout, const FormPrintSettings& settings);

// A filer name this long or longer prints in 10-point Courier New.
inline constexpr size_t kForm1096LongFilerName = 40;
inline constexpr const char* kForm1096CopyPicture = "Help4.svg";
// The copy's outlined "COPY" is centred here: in the four empty cells at the
// end of the second row of form types. (Placed by the older rule, 1240 -
// (600 - h) / 2 from the top, it covered the 5498-SA box.)
inline constexpr PrintPoint kForm1096CopyStampAt{1652, 1146};

// The top of the legend in the form's bottom margin: under the signature
// line, above the instructions, on both papers (the pre-printed form's
// moved by the offsets).
inline constexpr int kForm1096MarginLegendTop = 1405;

class Form1096PrintJob : public FormPrintJob {
 public:
  // `page`: the 1096 as its page shows it; `settings`: the 1096 block after
  // the options dialog (offsets signed).
  Form1096PrintJob(Form1096Page page, const FormPrintSettings& settings);
  int PageCount() const override { return 1; }
  void DrawPage(Canvas& canvas, int page) const override;

 private:
  Form1096Page page_;
  FormPrintSettings settings_;
};

}  // namespace formet
