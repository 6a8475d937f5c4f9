#pragma once
// Long work (an import of many rows, a print of many pages, an e-file of
// many forms) tells how far it is and hears whether the user cancelled. The
// desktop shows a progress window with the time left and Cancel; the command
// line shows nothing. Texts are Windows-1252.
#include <cstddef>
#include <string>

namespace formet {

class WorkProgress {
 public:
  virtual ~WorkProgress() = default;
  // `done` of `total` steps are done; `doing` says what is being done
  // ("Loading row 5,000 of 100,000..."). The window repaints, and a Cancel
  // pressed is heard.
  virtual void Step(size_t done, size_t total, const std::string& doing) = 0;
  // The user asked to stop; the work then keeps nothing half-done.
  virtual bool Cancelled() const = 0;
};

// Progress nobody sees, never cancelled.
class SilentProgress : public WorkProgress {
 public:
  void Step(size_t, size_t, const std::string&) override {}
  bool Cancelled() const override { return false; }
};

// "About 3 minutes left", "About 40 seconds left", from the pace so far;
// empty while too little is done to tell (under a second, or nothing done).
std::string TimeLeftText(double elapsedSeconds, size_t done, size_t total);

}  // namespace formet
