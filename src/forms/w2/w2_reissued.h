#pragma once
// The reissued statement: when only an employee's address changed after the
// W-2 was filed, no W-2c goes to the SSA; the employee gets a new W-2,
// Copies B, C and 2 on blank paper (one a page, with the address as it is
// now), each marked "REISSUED STATEMENT" in the cell left of box a. Copy A
// is never reissued.
#include <array>
#include <memory>

#include "forms/w2/w2_print.h"

namespace formet {

inline constexpr const char* kReissuedMark = "REISSUED STATEMENT";
// The blank copy types of the reissued copies, in print order: B, C, 2.
inline constexpr std::array<int, 3> kReissuedCopies = {3, 4, 2};

class W2ReissuedJob : public FormPrintJob {
 public:
  // `data.currentEmployee` is the employee whose statement is reissued.
  explicit W2ReissuedJob(const W2PrintData& data);
  int PageCount() const override;
  void DrawPage(Canvas& canvas, int page) const override;
  // The box the mark is fitted in, on every page.
  PrintBox MarkBox(const PageGeometry& geometry) const;

 private:
  std::array<std::unique_ptr<W2PrintJob>, 3> copies_;
};

}  // namespace formet
