#pragma once
// A canvas that draws nothing and records every call: the tests hold the
// layouts against it, and the form artwork is checked against the positions
// and fonts of the data it records.
#include <set>
#include <string>
#include <vector>

#include "forms/print/box_fit.h"
#include "forms/print/canvas.h"
#include "forms/print/print_layout.h"

namespace formet {

struct CanvasOp {
  enum class Kind { Text, OutlinedText, Line, Rect, Picture };
  Kind kind = Kind::Text;
  // Text and OutlinedText: (x, y) the top-left corner of the text's cell and
  // (x2, y2) its bottom-right corner as TextExtent gives it. Line: from (x, y)
  // to (x2, y2). Rect and Picture: left, top, right, bottom.
  int x = 0, y = 0, x2 = 0, y2 = 0;
  std::string text;  // Text and OutlinedText: the Windows-1252 text; Picture: the file name
  FontSpec font;     // the font current at the call
  PenSpec pen;       // the pen current at the call
  Rgb fill = kBlack; // Rect
  Rgb textColor = kBlack;  // Text: the text colour current at the call
  bool loaded = false;  // Picture: whether it was found
};

class RecordingCanvas : public Canvas {
 public:
  // A US Letter page with the margins of a PDF written by the program.
  static constexpr PageGeometry kLetterPdf{2032, 2667, 63.5, 63.5};

  // `pictures`: the picture files that load; every other one fails.
  explicit RecordingCanvas(PageGeometry geometry = kLetterPdf, std::set<std::string> pictures = {});

  void SetPen(const PenSpec& pen) override { pen_ = pen; }
  void SetFont(const FontSpec& font) override { font_ = font; }
  void SetTextColor(Rgb color) override { textColor_ = color; }
  void DrawText(int x, int y, std::string_view text) override;
  void DrawOutlinedText(int x, int y, std::string_view text) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;
  void FillRect(int left, int top, int right, int bottom, Rgb fill) override;
  bool DrawPicture(const std::string& name, int left, int top, int width, int height) override;

  // The cell of the text: Arial and Courier New from their advance widths
  // (TextWidth), other faces at 0.6 em a character; the cell height of the
  // metric-compatible face.
  TextSize TextExtent(std::string_view text) override;
  int PrintableWidth() const override { return geometry_.printableWidth; }
  int PrintableHeight() const override { return geometry_.printableHeight; }
  double UnprintableLeft() const override { return geometry_.unprintableLeft; }
  double UnprintableTop() const override { return geometry_.unprintableTop; }
  CutReport* Cuts() override { return &cuts_; }

  const std::vector<CanvasOp>& Ops() const { return ops_; }
  // The values the page could not hold.
  const CutReport& CutsOfPage() const { return cuts_; }
  // The Text operations only, in drawing order.
  std::vector<CanvasOp> Texts() const;
  // The first Text operation with exactly this text, or nullptr.
  const CanvasOp* FindText(std::string_view text) const;
  std::vector<CanvasOp> OfKind(CanvasOp::Kind kind) const;
  // The Line operations neither level nor upright: the strokes of the marks
  // of check boxes, not the rules of a drawn form.
  std::vector<CanvasOp> Marks() const;

 private:
  CanvasOp Op(CanvasOp::Kind kind) const;

  PageGeometry geometry_;
  std::set<std::string> pictures_;
  PenSpec pen_;
  FontSpec font_;
  Rgb textColor_ = kBlack;
  std::vector<CanvasOp> ops_;
  CutReport cuts_;
};

// Draws every page of a job onto recording canvases, one per page.
std::vector<RecordingCanvas> RecordJob(const FormPrintJob& job,
                                       PageGeometry geometry = RecordingCanvas::kLetterPdf,
                                       const std::set<std::string>& pictures = {});

}  // namespace formet
