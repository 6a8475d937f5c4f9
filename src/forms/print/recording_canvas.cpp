#include "forms/print/recording_canvas.h"

#include <utility>

#include "forms/print/form_picture.h"
#include "store/text_codec.h"

namespace formet {

RecordingCanvas::RecordingCanvas(PageGeometry geometry, std::set<std::string> pictures)
    : geometry_(geometry), pictures_(std::move(pictures)) {}

CanvasOp RecordingCanvas::Op(CanvasOp::Kind kind) const {
  CanvasOp op;
  op.kind = kind;
  op.font = font_;
  op.pen = pen_;
  op.textColor = textColor_;
  return op;
}

void RecordingCanvas::DrawText(int x, int y, std::string_view text) {
  CanvasOp op = Op(CanvasOp::Kind::Text);
  const TextSize size = TextExtent(text);
  op.x = x;
  op.y = y;
  op.x2 = x + size.width;
  op.y2 = y + size.height;
  op.text = text;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::DrawOutlinedText(int x, int y, std::string_view text) {
  DrawText(x, y, text);
  ops_.back().kind = CanvasOp::Kind::OutlinedText;
}

void RecordingCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  CanvasOp op = Op(CanvasOp::Kind::Line);
  op.x = x1;
  op.y = y1;
  op.x2 = x2;
  op.y2 = y2;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::FillRect(int left, int top, int right, int bottom, Rgb fill) {
  CanvasOp op = Op(CanvasOp::Kind::Rect);
  op.x = left;
  op.y = top;
  op.x2 = right;
  op.y2 = bottom;
  op.fill = fill;
  ops_.push_back(std::move(op));
}

bool RecordingCanvas::DrawPicture(const std::string& name, int left, int top, int width, int height) {
  CanvasOp op = Op(CanvasOp::Kind::Picture);
  op.x = left;
  op.y = top;
  op.x2 = left + width;
  op.y2 = top + height;
  op.text = name;
  op.loaded = pictures_.count(name) > 0;
  ops_.push_back(std::move(op));
  return ops_.back().loaded;
}

TextSize RecordingCanvas::TextExtent(std::string_view text) {
  // Arial and Courier New from their advance widths (the faces' metric
  // twins draw them alike); Times New Roman at 0.6 em a character.
  if (font_.face == kArial || font_.face == kCourierNew)
    return {TextWidth(font_, Win1252ToUtf8(text)), TextCellHeight(font_)};
  const double em = FontEm(font_);
  return {static_cast<int>(static_cast<double>(text.size()) * 0.6 * em), static_cast<int>(1.107 * em)};
}

std::vector<CanvasOp> RecordingCanvas::OfKind(CanvasOp::Kind kind) const {
  std::vector<CanvasOp> out;
  for (const auto& op : ops_)
    if (op.kind == kind) out.push_back(op);
  return out;
}

std::vector<CanvasOp> RecordingCanvas::Marks() const {
  std::vector<CanvasOp> out;
  for (const auto& op : ops_)
    if (op.kind == CanvasOp::Kind::Line && op.x != op.x2 && op.y != op.y2) out.push_back(op);
  return out;
}

std::vector<CanvasOp> RecordingCanvas::Texts() const { return OfKind(CanvasOp::Kind::Text); }

const CanvasOp* RecordingCanvas::FindText(std::string_view text) const {
  for (const auto& op : ops_)
    if (op.kind == CanvasOp::Kind::Text && op.text == text) return &op;
  return nullptr;
}

std::vector<RecordingCanvas> RecordJob(const FormPrintJob& job, PageGeometry geometry,
                                       const std::set<std::string>& pictures) {
  std::vector<RecordingCanvas> pages;
  for (int page = 1; page <= job.PageCount(); ++page) {
    pages.emplace_back(geometry, pictures);
    job.DrawPage(pages.back(), page);
  }
  return pages;
}

}  // namespace formet
