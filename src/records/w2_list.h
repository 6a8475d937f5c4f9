#pragma once
// Each employee owns exactly one W-2: it is created with the employee and
// deleted with it. These are the rules of that link; the W-2 page adds its
// own part (which employee it shows) through the observer.
#include <cstdint>

namespace formet {

class CGlobalDoc;
struct W2Record;

// What the W-2 and W-3 pages say when the company has no employees.
inline constexpr const char* kNoEmployeesMessage = "There are no employees in this company";

enum class EmployeeListOp : int32_t { Added = 0, Deleted = 1 };

// The W-2 page's part of an employee list change. The W-2 list and the
// journal have been changed when these are called.
class W2ListObserver {
 public:
  virtual ~W2ListObserver() = default;
  // A W-2 was added: the page makes the first employee of the document's
  // list current, clears its first-showing flag, and reloads when `reload`
  // (the caller's save-now flag) is set.
  virtual void OnW2Added(bool reload) = 0;
  // A W-2 was deleted: the page makes the first employee current or, when no
  // employee is left, sets its first-showing flag and empties its employee
  // and entry fields; then it reloads.
  virtual void OnW2Deleted() = 0;
};

// Called after the employee with `employeeId` was added to or deleted from
// the document's employee list.
// - Added: appends a blank W-2 (or a copy of `w2Template`) with the next
//   W2UniqueID (or `w2Id` when not 0: a caller adding many employees knows
//   it) and the employee's id, marks the document modified and journals the
//   insert with `saveNow`.
// - Deleted: removes the employee's W-2, marks the document modified and
//   journals the delete, saved at once; nothing happens when the employee
//   had no W-2.
// Returns the result of the save asked for (0 when none was asked or it
// succeeded, else the engine's code).
int OnEmployeeListChanged(CGlobalDoc& doc, EmployeeListOp op, int32_t employeeId, bool saveNow,
                          const W2Record* w2Template = nullptr, W2ListObserver* page = nullptr,
                          int32_t w2Id = 0);

}  // namespace formet
