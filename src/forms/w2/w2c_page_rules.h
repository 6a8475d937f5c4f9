#pragma once
// What the W2c Forms page lists and shows, from the company's W-2c's: one
// row for every W-2c (computed from what was filed, or made by hand), every
// hand-made W-2c that corrects nothing yet, and every employee whose address
// alone changed; and, for the row selected, both columns of its boxes.
#include <string>
#include <vector>

#include "forms/w2/w2c_form.h"
#include "store/filed_forms.h"
#include "store/records.h"

namespace formet {

struct W2cListEntry {
  int32_t employeeId = 0;
  std::string employee, ssn;
  std::string changed;  // what changed, in a few words ("boxes 1, 2; SSN")
  std::string status;   // where it goes and whether it was filed
  int form = -1;        // index in W2cList::forms; -1 when there is no W-2c
  bool handMade = false;
  bool addressOnly = false;
};

std::vector<W2cListEntry> W2cListEntries(const W2cList& list, const std::vector<EmployeeRecord>& employees,
                                         const std::vector<FiledW2>& handMade);

// One line of the selected W-2c: a box with its two columns. `key` is the
// key of the hand-made edit (HandMadeW2cKeys) where the line can be edited.
struct W2cDetailLine {
  std::string key, label, previously, correct;
  bool editable = false;
};

// The lines of a computed W-2c: its lettered boxes h and i when the SSN or
// name changed, then the boxes that changed, both columns.
std::vector<W2cDetailLine> W2cFormLines(const W2cForm& form);
// The lines of a hand-made W-2c: every box and the SSN and name, the
// previously reported column editable, the correct one from the W-2 now.
std::vector<W2cDetailLine> HandMadeW2cLines(const FiledW2& handMade, const FiledW2& now);

}  // namespace formet
