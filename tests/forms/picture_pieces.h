#pragma once
// The pieces of a form picture (rules, sides of frames, arrows, texts) as
// areas in drawing units, for the tests that hold the printed data and the
// drawn pixels against them.
#include <algorithm>
#include <string>
#include <vector>

#include "forms/print/form_picture.h"

namespace formet::test {

struct Area {
  double left, top, right, bottom;
  bool Meets(const Area& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
  bool Within(const Area& o) const { return left >= o.left && right <= o.right && top >= o.top && bottom <= o.bottom; }
  Area Moved(double dx, double dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  Area Grown(double d) const { return {left - d, top - d, right + d, bottom + d}; }
};

inline std::string Show(const Area& a) {
  return "(" + std::to_string(static_cast<int>(a.left)) + ", " + std::to_string(static_cast<int>(a.top)) + ")-(" +
         std::to_string(static_cast<int>(a.right)) + ", " + std::to_string(static_cast<int>(a.bottom)) + ")";
}

struct Piece {
  Area area;
  std::string what;
};

inline std::vector<Piece> PiecesOf(const FormPicture& p) {
  std::vector<Piece> pieces;
  auto rule = [&](double x1, double y1, double x2, double y2, int weight, const std::string& what) {
    const double half = weight / 20.0;
    pieces.push_back(
        {{std::min(x1, x2) - half, std::min(y1, y2) - half, std::max(x1, x2) + half, std::max(y1, y2) + half}, what});
  };
  for (const auto& l : p.lines) rule(l.x1, l.y1, l.x2, l.y2, l.weight, "a rule");
  for (const auto& r : p.rects) {
    rule(r.left, r.top, r.right, r.top, r.weight, "a frame");
    rule(r.left, r.bottom, r.right, r.bottom, r.weight, "a frame");
    rule(r.left, r.top, r.left, r.bottom, r.weight, "a frame");
    rule(r.right, r.top, r.right, r.bottom, r.weight, "a frame");
  }
  for (const auto& a : p.arrows)
    pieces.push_back({{1.0 * a.left, 1.0 * a.top, a.left + a.height * 0.6, 1.0 * a.top + a.height}, "an arrow"});
  for (const auto& t : p.texts)
    pieces.push_back({{1.0 * t.x, 1.0 * t.y, 1.0 * t.Right(), 1.0 * t.Bottom()}, "the text \"" + t.text + "\""});
  return pieces;
}

}  // namespace formet::test
