#pragma once
// A printed page held against the form it prints on. On blank paper: every
// data text inside its own box of the drawing, clear of the box's label and
// of every rule and text of the picture; every mark inside a check box; the
// captions the print adds touch nothing; the white areas the print paints
// either cover a piece of the artwork whole or leave it alone. On red-ink
// paper: every data text inside its box of the real form. A value reported
// cut counts by its first characters, which must be drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "forms/form_pictures.h"
#include "forms/print/box_fit.h"
#include "forms/print/recording_canvas.h"
#include "picture_pieces.h"

namespace formet::test {

inline const FormPicture* PictureNamed(const std::string& name) {
  static const auto kAll = AllFormPictures();
  for (const auto& p : kAll)
    if (p.file == name) return &p;
  return nullptr;
}

// The picture a copy's additions are drawn over.
inline std::string PictureOfAdditions(const FormPicture& additions) {
  return additions.width == 1980 && additions.height == 1340 ? "Help1.svg" : "Help3.svg";
}

inline std::set<std::string> AllPictureNames() {
  std::set<std::string> names;
  for (const auto& p : AllFormPictures()) names.insert(p.file);
  return names;
}

// ---- the check of one printed page -------------------------------------------------

// The cell of a recorded text: as the recording canvas measured it, or
// measured again (with the fonts of the Qt canvas).
using CellOf = std::function<Area(const CanvasOp&)>;
inline Area RecordedCell(const CanvasOp& op) { return {1.0 * op.x, 1.0 * op.y, 1.0 * op.x2, 1.0 * op.y2}; }

// A value printed in more than one box (a W-2c's box 12 code stands in both
// columns, "-0-" in many boxes) is listed with its boxes joined by "|".
inline bool ListsBox(std::string_view boxes, std::string_view id) {
  size_t from = 0;
  while (from <= boxes.size()) {
    const size_t end = std::min(boxes.find('|', from), boxes.size());
    if (boxes.substr(from, end - from) == id) return true;
    from = end + 1;
  }
  return false;
}

// The box a drawn data text belongs in: the value's box in `boxOf`, or, for
// the first characters of a value the page reports cut, that value's box.
// Empty when the text is neither.
inline std::string BoxOfText(const RecordingCanvas& page, const std::map<std::string, std::string>& boxOf,
                             const std::string& text) {
  if (const auto found = boxOf.find(text); found != boxOf.end()) return found->second;
  for (const CutText& cut : page.CutsOfPage().Cuts())
    if (cut.printed == text)
      if (const auto found = boxOf.find(cut.value); found != boxOf.end()) return found->second;
  return {};
}

// A text flowed into lines (a box of several lines): drawn as texts one after
// the other whose words, joined by spaces, are the text.
inline bool DrawnAsLines(const RecordingCanvas& page, const std::string& text) {
  const std::vector<CanvasOp> texts = page.Texts();
  for (size_t start = 0; start < texts.size(); ++start) {
    std::string joined;
    for (size_t i = start; i < texts.size() && joined.size() < text.size(); ++i) {
      joined += (joined.empty() ? "" : " ") + texts[i].text;
      if (text.rfind(joined, 0) != 0) break;
      if (joined == text) return true;
    }
  }
  return false;
}

// Every cut the page reports is drawn, as the first characters of its value.
inline void CheckCutsAreDrawn(const RecordingCanvas& page, std::vector<std::string>& problems) {
  for (const CutText& cut : page.CutsOfPage().Cuts()) {
    if (cut.value.rfind(cut.printed, 0) != 0 || cut.printed.size() >= cut.value.size())
      problems.push_back("\"" + cut.printed + "\" is no cut of \"" + cut.value + "\"");
    if (!page.FindText(cut.printed) && !DrawnAsLines(page, cut.printed))
      problems.push_back("the cut \"" + cut.printed + "\" is not drawn");
  }
}

// `boxOf`: the box each data text goes in. Texts printed in the data font
// must all be listed (blank ones aside), or be reported cut. `additions`:
// what the copy's print draws over each of its pictures (rules and check
// boxes; its texts are texts of the print).
inline std::vector<std::string> CheckPage(const RecordingCanvas& page, const std::map<std::string, std::string>& boxOf,
                                          const FormPicture* additions = nullptr, const CellOf& cellOf = RecordedCell) {
  std::vector<std::string> problems;
  CheckCutsAreDrawn(page, problems);
  struct Placed {
    const FormPicture* picture;
    Area area;
  };
  std::vector<Placed> placed, placedAdditions;
  std::vector<Piece> artwork;  // in page units
  std::vector<Piece> additionPieces;  // drawn after the white areas
  for (const auto& op : page.OfKind(CanvasOp::Kind::Picture)) {
    const FormPicture* p = PictureNamed(op.text);
    if (!p) {
      problems.push_back("no description of the picture " + op.text);
      continue;
    }
    if (op.x2 - op.x != p->width || op.y2 - op.y != p->height)
      problems.push_back(op.text + " is described " + std::to_string(p->width) + " x " + std::to_string(p->height) +
                         " but placed " + std::to_string(op.x2 - op.x) + " x " + std::to_string(op.y2 - op.y));
    placed.push_back({p, {1.0 * op.x, 1.0 * op.y, 1.0 * op.x2, 1.0 * op.y2}});
    for (auto piece : PiecesOf(*p)) {
      piece.area = piece.area.Moved(op.x, op.y);
      piece.what += " of " + op.text;
      artwork.push_back(piece);
    }
    if (additions && p->file == PictureOfAdditions(*additions)) {
      placedAdditions.push_back({additions, {1.0 * op.x, 1.0 * op.y, 1.0 * op.x2, 1.0 * op.y2}});
      FormPicture rulesOnly = *additions;
      rulesOnly.texts.clear();
      for (auto piece : PiecesOf(rulesOnly)) {
        piece.area = piece.area.Moved(op.x, op.y);
        piece.what += " the print adds to " + op.text;
        additionPieces.push_back(piece);
      }
    }
  }

  // The white areas the print paints.
  std::vector<Area> white;
  for (const auto& op : page.OfKind(CanvasOp::Kind::Rect))
    if (op.fill == kWhite) white.push_back(Area{1.0 * op.x, 1.0 * op.y, 1.0 * op.x2, 1.0 * op.y2}.Grown(op.pen.width / 2.0));
  // A piece the print blanks lies 2 units inside the white area, so that the
  // picture's pixels (0.85 units at 300 dots per inch) and their smoothing
  // leave no sliver of it.
  std::vector<Piece> visible;
  for (const auto& piece : artwork) {
    bool erased = false;
    for (const auto& w : white) {
      if (piece.area.Within(w.Grown(-2))) erased = true;
      else if (piece.area.Meets(w)) problems.push_back("a white area " + Show(w) + " cuts " + piece.what);
    }
    if (!erased) visible.push_back(piece);
  }
  visible.insert(visible.end(), additionPieces.begin(), additionPieces.end());

  auto clearOfArtwork = [&](const Area& cell, const std::string& what) {
    for (const auto& piece : visible)
      if (cell.Grown(1).Meets(piece.area))
        problems.push_back(what + " at " + Show(cell) + " touches " + piece.what + " at " + Show(piece.area));
  };

  for (const auto& op : page.Texts()) {
    if (op.text.find_first_not_of(' ') == std::string::npos) continue;
    const Area cell = op.font.face == kCourierNew ? cellOf(op) : RecordedCell(op);
    const std::string what = "\"" + op.text + "\"";
    clearOfArtwork(cell, what);
    if (op.font.face != kCourierNew) continue;  // a caption of the print, not data
    const std::string expected = BoxOfText(page, boxOf, op.text);
    if (expected.empty()) {
      problems.push_back("the data " + what + " is not in the test's table");
      continue;
    }
    const Placed* on = nullptr;
    for (const auto& pl : placed)
      if (cell.left >= pl.area.left && cell.left < pl.area.right && cell.top >= pl.area.top && cell.top < pl.area.bottom)
        on = &pl;
    if (!on) {
      problems.push_back(what + " is printed outside every picture");
      continue;
    }
    const Area local = cell.Moved(-on->area.left, -on->area.top);
    bool found = false;
    std::string near;
    for (const auto& box : on->picture->boxes) {
      if (!ListsBox(expected, box.id)) continue;
      const Area inside{box.left + 2.0, box.top + 2.0, box.right - 2.0, box.bottom - 2.0};
      if (!local.Within(inside)) {
        near = " (box " + box.id + " is " + Show({1.0 * box.left, 1.0 * box.top, 1.0 * box.right, 1.0 * box.bottom}) + ")";
        continue;
      }
      found = true;
      const bool labelled = box.labelBottom > box.labelTop;
      if (labelled && !(local.top >= box.labelBottom || local.bottom <= box.labelTop))
        problems.push_back(what + " at " + Show(local) + " touches the label of box " + box.id);
    }
    if (!found)
      problems.push_back(what + " at " + Show(local) + " is not inside box " + expected + " of " +
                         on->picture->file + near);
  }

  // Marks: the diagonal strokes of the crosses, their ends within the inner
  // edges of a check box (a cross may fill its box from corner to corner).
  for (const auto& op : page.OfKind(CanvasOp::Kind::Line)) {
    if (op.x == op.x2 || op.y == op.y2) continue;  // a rule of a caption
    const Area stroke{1.0 * std::min(op.x, op.x2), 1.0 * std::min(op.y, op.y2), 1.0 * std::max(op.x, op.x2),
                      1.0 * std::max(op.y, op.y2)};
    bool inBox = false;
    std::vector<Placed> withAdditions = placed;
    withAdditions.insert(withAdditions.end(), placedAdditions.begin(), placedAdditions.end());
    for (const auto& pl : withAdditions)
      for (const auto& box : pl.picture->boxes) {
        if (!box.checkBox) continue;
        const Area inside = Area{1.0 * box.left, 1.0 * box.top, 1.0 * box.right, 1.0 * box.bottom}
                                .Moved(pl.area.left, pl.area.top)
                                .Grown(-box.weight / 20.0 - 0.5);
        if (stroke.Within(inside)) inBox = true;
      }
    if (!inBox) problems.push_back("a mark at " + Show(stroke) + " is not inside a check box");
  }
  return problems;
}

inline void ExpectPagesClean(const std::vector<RecordingCanvas>& pages, const std::map<std::string, std::string>& boxOf,
                             const std::string& variant, const FormPicture* additions = nullptr,
                             const CellOf& cellOf = RecordedCell) {
  ASSERT_FALSE(pages.empty()) << variant;
  for (size_t i = 0; i < pages.size(); ++i) {
    EXPECT_FALSE(pages[i].OfKind(CanvasOp::Kind::Picture).empty()) << variant << ": page " << i + 1;
    for (const auto& problem : CheckPage(pages[i], boxOf, additions, cellOf))
      ADD_FAILURE() << variant << ", page " << i + 1 << ": " << problem;
  }
}


// `forms`: the boxes of each form of the page, as the layout holds them.
inline std::vector<std::string> CheckRedInkPage(const RecordingCanvas& page,
                                                const std::map<std::string, std::string>& boxOf,
                                                const std::vector<FormBoxes>& forms,
                                                const CellOf& cellOf = RecordedCell) {
  std::vector<std::string> problems;
  CheckCutsAreDrawn(page, problems);
  if (!page.OfKind(CanvasOp::Kind::Picture).empty()) problems.push_back("a red-ink print draws a picture");
  for (const auto& op : page.Texts()) {
    if (op.text.find_first_not_of(' ') == std::string::npos) continue;
    const std::string what = "\"" + op.text + "\"";
    const std::string id = BoxOfText(page, boxOf, op.text);
    if (id.empty()) {
      problems.push_back("the data " + what + " is not in the test's table");
      continue;
    }
    const Area cell = cellOf(op);
    bool inside = false;
    std::string near;
    for (const FormBoxes& boxes : forms)
      for (const auto& [boxId, box] : boxes.All()) {
        if (!ListsBox(id, boxId)) continue;
        const Area area{1.0 * box.left, 1.0 * box.top, 1.0 * box.right, 1.0 * box.bottom};
        if (cell.Within(area)) inside = true;
        else near = " (box " + boxId + " is " + Show(area) + ")";
      }
    if (!inside) problems.push_back(what + " at " + Show(cell) + " is not inside box " + id + near);
  }
  return problems;
}

}  // namespace formet::test
