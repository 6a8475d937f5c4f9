#pragma once
// Each contractor owns exactly one 1099-MISC: it is created with the
// contractor and deleted with it. These are the rules of that link; the
// 1099-MISC page adds its own part (which contractor it shows) through the
// observer.
#include <cstdint>

namespace formet {

class CGlobalDoc;
struct Form1099Record;

// What the 1099-MISC and 1096 pages say when the company has no contractors.
inline constexpr const char* kNoContractorsMessage = "There are no contractors in this company";

// The 1099-MISC page's part of a contractor list change. The 1099-MISC list
// and the journal have been changed when these are called.
class Form1099ListObserver {
 public:
  virtual ~Form1099ListObserver() = default;
  // A form was added: the current contractor becomes index 0 and its form is
  // looked up again; the page reloads only when `reload` (the caller's
  // save-now flag) is set.
  virtual void OnForm1099Added(bool reload) = 0;
  // A form was deleted: with contractors left, the current contractor
  // becomes index 0 and its form is looked up again; with none left, every
  // field is cleared. Then the page reloads.
  virtual void OnForm1099Deleted() = 0;
};

// After a contractor was added: appends a blank 1099-MISC (or a copy of
// `copyFrom`) with the next Form1099UniqueID (or `formId` when not 0: a
// caller adding many contractors knows it) and the contractor's id, marks
// the document modified and journals the insert with `saveNow`. Returns the
// result of the save asked for (0, or the engine's code).
int OnContractorAdded(CGlobalDoc& doc, int32_t contractorId, const Form1099Record* copyFrom, bool saveNow,
                      Form1099ListObserver* page = nullptr, int32_t formId = 0);

// After a contractor was deleted: removes its 1099-MISC, marks the document
// modified and journals the delete, saved at once; nothing happens when the
// contractor had no form. Returns the save's result.
int OnContractorDeleted(CGlobalDoc& doc, int32_t contractorId, Form1099ListObserver* page = nullptr);

}  // namespace formet
