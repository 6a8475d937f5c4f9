#pragma once
// Printing the W-2c and the W-3c, one form a page: Copy A's data only on the
// pre-printed red-ink form, or the form's picture on blank paper with the
// data (the black-and-white laser substitute for Copy A, Copies 1, B, C, 2
// and D; the W-3c). Every value is fitted into its box of the picture; on
// red-ink paper into the boxes of the picture where it would lie, moved with
// the data by the user's offsets.
#include <optional>
#include <string>
#include <vector>

#include "forms/print/box_fit.h"
#include "forms/print/print_layout.h"
#include "forms/w2/w2c_form.h"
#include "forms/w2/w3c_totals.h"

namespace formet {

// What a W-2c print draws, in the order of the copies' captions.
enum class W2cCopy { RedInkCopyA = -1, CopyA = 0, Copy1, CopyB, CopyC, Copy2, CopyD };
inline constexpr int kW2cCopyCount = 6;
// "Copy A", "Copy 1", ...; the red-ink print as "Copy A (red-ink form)".
std::string W2cCopyName(W2cCopy copy);
// A copy by its letter or digit ("B", "copy b", "2"); "A" is the laser
// substitute. Nothing for any other text.
std::optional<W2cCopy> FindW2cCopy(const std::string& typed);
// Copy A goes to the SSA: it prints only the W-2c's that go there.
inline bool IsW2cCopyA(W2cCopy copy) { return copy == W2cCopy::RedInkCopyA || copy == W2cCopy::CopyA; }

// The W-2c's a print of `copy` holds, of the employee `only` (-1: every
// employee): Copy A leaves out those that go to the state only, each named
// in `notes`.
std::vector<W2cForm> W2cFormsForCopy(const std::vector<W2cForm>& forms, W2cCopy copy, int32_t only,
                                     std::vector<std::string>* notes = nullptr);
// What is said when that leaves nothing to print.
std::string NoW2cToPrintMessage(const std::string& companyName, W2cCopy copy, bool oneEmployee);

// Where the pictures lie on the printable area.
inline constexpr PrintPoint kW2cPictureAt{66, 60};
inline constexpr PrintPoint kW3cPictureAt{66, 60};

// The user's offsets of the red-ink forms, in inches (right and down).
struct RedInkOffsets {
  double horizontal = 0, vertical = 0;
};

// The boxes of a W-2c or W-3c on the page: where the picture lies, moved by
// the offsets on red-ink paper.
FormBoxes W2cBoxesOnPage(bool redInk, const RedInkOffsets& offsets = {});
FormBoxes W3cBoxesOnPage(bool redInk, const RedInkOffsets& offsets = {});

class W2cPrintJob : public FormPrintJob {
 public:
  W2cPrintJob(std::vector<W2cForm> forms, W2cCopy copy, RedInkOffsets offsets = {});
  int PageCount() const override { return static_cast<int>(forms_.size()); }
  void DrawPage(Canvas& canvas, int page) const override;
  const std::vector<W2cForm>& Forms() const { return forms_; }

 private:
  std::vector<W2cForm> forms_;
  W2cCopy copy_;
  RedInkOffsets offsets_;
};

// "Explain decreases here" as printed: the words flowed into lines of its box
// in the largest size down to 6 points whose lines all fit, `step` apart;
// when even 6 points does not hold them, the lines that fit, and `cut`.
struct W3cExplanation {
  FontSpec font;
  std::vector<std::string> lines;
  int step = 0;
  bool smaller = false;  // below the data font's size
  bool cut = false;
};
W3cExplanation LayOutExplanation(const std::string& text, const PrintBox& box);

class W3cPrintJob : public FormPrintJob {
 public:
  W3cPrintJob(W3cPage page, bool redInk, RedInkOffsets offsets = {});
  int PageCount() const override { return 1; }
  void DrawPage(Canvas& canvas, int page) const override;

 private:
  W3cPage page_;
  bool redInk_;
  RedInkOffsets offsets_;
};

}  // namespace formet
