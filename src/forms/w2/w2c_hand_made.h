#pragma once
// The edits of a hand-made W-2c: its "Previously reported" column (the W-2 as
// it was filed before anything was recorded, and the employee's SSN and name
// as they were reported), one value a key, as formet-cli set-w2c and the W-2c
// page take them. A value refused changes nothing.
#include <optional>
#include <span>
#include <string>

#include "store/filed_forms.h"

namespace formet {

struct HandMadeW2cKey {
  const char* key;    // "1" ... "11", "12a" ... "12d", "13", "14", "14.2", "14.3", "15" ... "20.2",
                      // "ssn", "first", "middle", "last", "suffix"
  const char* label;  // what the page shows beside it
};
// Every key, in box order, then the SSN and the name.
std::span<const HandMadeW2cKey> HandMadeW2cKeys();

// The value of a key as the edit takes it: "1250.00", "D:1500.00",
// "statutory,retirement", "NY:12-3456789"; empty for an empty box.
std::string HandMadeW2cValue(const FiledW2& row, const std::string& key);

// Sets one key of `row`; the reason when the value is refused (an amount that
// is not one, a box 12 code that does not exist, an SSN that is not nine
// digits, a key that is no box of the W-2c).
std::optional<std::string> SetHandMadeW2cValue(FiledW2& row, const std::string& key, const std::string& value);

}  // namespace formet
