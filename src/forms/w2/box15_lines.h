#pragma once
// Box 15 of a W-2: each of its two lines names a state and the employer's ID
// number in that state. A line the W-2 leaves without an ID of its own is the
// company's only when its state is the company's state: the company's state
// ID belongs to that state and to no other.
#include <string>

#include "store/records.h"

namespace formet {

// The state of line 1 or 2: the W-2's own; line 1 left empty is the
// company's state.
std::string Box15State(const CompanyRecord& company, const W2Record& w2, int line);
// The employer's state ID number of line 1 or 2: the W-2's own, else the
// company's state ID when the line's state is the company's state, else empty.
std::string Box15StateId(const CompanyRecord& company, const W2Record& w2, int line);

}  // namespace formet
