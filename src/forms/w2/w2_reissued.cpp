#include "forms/w2/w2_reissued.h"

#include "forms/print/canvas.h"

namespace formet {
namespace {

FormPrintSettings ReissuedSettings(int blankCopyType) {
  FormPrintSettings s;
  s.paperType = 0;     // blank paper
  s.printTarget = 0;   // the one employee
  s.blankCopyType = blankCopyType;
  return s;
}

std::string_view MarkCaption(std::string_view) { return "Reissued statement"; }

}  // namespace

W2ReissuedJob::W2ReissuedJob(const W2PrintData& data) {
  for (size_t i = 0; i < copies_.size(); ++i)
    copies_[i] = std::make_unique<W2PrintJob>(data, ReissuedSettings(kReissuedCopies[i]));
}

int W2ReissuedJob::PageCount() const {
  // No W-2 for the employee: nothing to reissue.
  return copies_[0]->FormsOfPage(1).empty() ? 0 : static_cast<int>(copies_.size());
}

PrintBox W2ReissuedJob::MarkBox(const PageGeometry& geometry) const {
  const FormBoxes boxes = copies_[0]->BoxesOf(0, geometry);
  const PrintBox* box = boxes.Find("reissued");
  return box ? *box : PrintBox{};
}

void W2ReissuedJob::DrawPage(Canvas& c, int page) const {
  if (page < 1 || page > PageCount()) return;
  const W2PrintJob& copy = *copies_[static_cast<size_t>(page - 1)];
  copy.DrawPage(c, 1);
  const FormBoxes boxes = copy.BoxesOf(0, GeometryOf(c));
  const PrintBox* box = boxes.Find("reissued");
  if (!box) return;
  const FontSpec font{"Arial", 100, true};
  c.SetFont(font);
  const auto forms = copy.FormsOfPage(1);
  const std::string who = forms.empty() || !forms.front().employee ? std::string()
                                                                    : " of " + forms.front().employee->SocialSecurityNumber();
  FormWriter out(c, boxes, font, "Form W-2 (reissued)" + who, MarkCaption);
  out.Text({box->left, box->top}, kReissuedMark, "reissued");
}

}  // namespace formet
