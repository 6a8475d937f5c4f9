#pragma once
// Printing the W-3: data only on the pre-printed red-ink form, a copy on
// blank paper (the form's picture with the outlined word "COPY"), or the
// complete laser substitute. One page, the totals as the W-3 page shows them.
#include <array>

#include "forms/print/box_fit.h"
#include "forms/print/print_layout.h"
#include "forms/w2/print_settings.h"
#include "forms/w2/w3_totals.h"

namespace formet {

inline constexpr int kW3LayoutEntries = 69;
using W3LayoutTable = std::array<PrintPoint, kW3LayoutEntries>;

// By paper type: 0 copy, 1 red-ink form, 2 laser substitute. Entries 36 and
// 37 exist but are not drawn; entries 1-28 and 65-68 are the ends of the
// strokes of the box b crosses.
enum class W3Layout { Copy = 0, RedInk = 1, LaserSubstitute = 2 };
const W3LayoutTable& W3BaseLayout(W3Layout layout);

// The table of a paper type with its adjustments:
// - red-ink: kW3RedInkShift subtracted, then the user's offsets (inches
//   times 254, truncated) added; the marks of box b (entries 1-28, 65-68)
//   are those of the laser substitute on a page with the reference margins,
//   moved by the offsets;
// - laser substitute: the unprintable margins (truncated) subtracted, then
//   30.48 added to every x and 15.24 subtracted from every y (each truncated
//   toward zero), then entry 40 moved right by 20, entries 41 and 42 down by
//   10 and entries 47-50 up by 10;
// - copy: none.
// The red-ink form's data moved up and left by this much. Laid over our
// laser W-3, which follows the grid of the real form, a shift of (18, 59)
// put the data 2-2.8 mm low, box 1's amount across the rule under it; at
// (18, 84) each text's cell lies in its box, below the box's label.
inline constexpr PrintPoint kW3RedInkShift{18, 84};
W3LayoutTable W3AdjustedLayout(W3Layout layout, const FormPrintSettings& settings, const PageGeometry& page);

// The boxes the texts go in: those of our drawings on blank paper, where the
// picture is placed; on the red-ink form those of our laser W-3 (which
// follows the grid of the real form) where it lies on a page with the
// reference margins, moved with the data by the offsets.
FormBoxes W3BoxesOf(W3Layout layout, const FormPrintSettings& settings, const PageGeometry& page);

// The first entry of the cross of each Kind of Payer (0-6), and of
// "Third-party sick pay".
int W3KindOfPayerCrossEntry(int kind);
inline constexpr int kW3SickPayCrossEntry = 25;

inline constexpr const char* kW3CopyPicture = "Help2.svg";
// The copy's outlined "COPY" is centred here: in the "For Official Use Only"
// cell of the contact block, which holds nothing else on a copy. (Placed
// by the older rule, its top edge at 210 - (600 - h) / 2, it covered the
// form's top rule and "DO NOT STAPLE".)
inline constexpr PrintPoint kW3CopyStampAt{1750, 1260};
inline constexpr const char* kW3LaserPicture = "Contactus.msg";

class W3PrintJob : public FormPrintJob {
 public:
  // `page`: the W-3 as its page shows it; `settings`: the W-3 block after the
  // options dialog (offsets signed).
  W3PrintJob(W3Page page, const FormPrintSettings& settings);
  int PageCount() const override { return 1; }
  void DrawPage(Canvas& canvas, int page) const override;

 private:
  W3Page page_;
  FormPrintSettings settings_;
};

}  // namespace formet
