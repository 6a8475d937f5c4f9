#pragma once
// What became of a change the user asked for on a payer or payee page.
#include <cstdint>
#include <string>

#include "store/global_doc.h"  // SaveFailureMessage

namespace formet {

enum class Outcome {
  Done,       // the record changed (and was journaled)
  Unchanged,  // nothing differed: nothing written, nothing journaled
  Declined,   // the user answered No, or there was nothing selected
  Refused,    // a check failed; the user was told why unless silent
};

struct ChangeResult {
  Outcome outcome = Outcome::Unchanged;
  int saveCode = 0;      // the first failing save asked for at once (engine code), else 0
  int32_t uniqueId = 0;  // the record's id (the new one after an add), when there is one

  bool Done() const { return outcome == Outcome::Done; }
  bool Saved() const { return Done() && saveCode == 0; }
};

}  // namespace formet
