#include "forms/print/instruction_page.h"

namespace formet {

FormPicture BuildInstructionPage(const InstructionPage& page) {
  constexpr int kMargin = 60;
  PictureBuilder b(page.file, page.title, page.width, page.height);
  const FontSpec headingFont{"Arial", 120, true};
  const int right = b.Text(kMargin, kMargin, page.heading, headingFont);
  if (!page.subheading.empty()) b.Text(right + 30, kMargin + 14, page.subheading, {"Arial", 75, false});
  const int ruleY = kMargin + TextCellHeight(headingFont) + 8;
  b.HRule(ruleY, kMargin, page.width - kMargin, kRuleBorder);

  TextFlow flow;
  flow.left = kMargin;
  flow.right = page.width - kMargin;
  flow.top = ruleY + 20;
  flow.bottom = page.height - kMargin - 40;
  flow.columns = page.columns;
  flow.gutter = 60;
  flow.paragraphGap = 12;
  flow.paragraphs = page.paragraphs;
  // The largest type, 9 points down to 6, in which the text fits; then the
  // shortest columns that still hold it, so that they end level.
  for (int size = 90; size >= 60; size -= 5) {
    flow.body = {"Arial", size, false};
    if (LayOutFlow(flow).problems.empty()) break;
  }
  const int fullBottom = flow.bottom;
  for (int bottom = flow.top + (fullBottom - flow.top) / flow.columns; bottom < fullBottom; bottom += 10) {
    TextFlow trial = flow;
    trial.bottom = bottom;
    if (LayOutFlow(trial).problems.empty()) {
      flow.bottom = bottom;
      break;
    }
  }
  b.Flow(flow);
  b.Text(kMargin, page.height - kMargin - 20, page.footer, {"Arial", 60, false});
  return b.Take();
}

}  // namespace formet
