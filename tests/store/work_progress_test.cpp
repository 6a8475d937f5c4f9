// The time left a progress window shows, from the pace so far.
#include "store/work_progress.h"

#include <gtest/gtest.h>

namespace formet {
namespace {

TEST(TimeLeft, SecondsThenMinutesFromThePaceSoFar) {
  const struct {
    double elapsed;
    size_t done, total;
    const char* text;
  } cases[] = {
      {0.5, 100, 1000, ""},                          // too soon to tell
      {5.0, 0, 1000, ""},                            // nothing done yet
      {5.0, 1000, 1000, ""},                         // finished
      {2.0, 500, 1000, "About 2 seconds left"},      // as long again
      {1.0, 999, 1000, "About 1 second left"},       // a moment: never "0 seconds"
      {1.0, 100, 1300, "About 15 seconds left"},     // 12 s, to the next five
      {10.0, 100, 990, "About 90 seconds left"},     // 89 s, to the next five
      {10.0, 100, 1100, "About 2 minutes left"},     // 100 s
      {60.0, 1000, 10000, "About 9 minutes left"},   // 540 s
      {30.0, 1000, 4000, "About 2 minutes left"},    // 90 s: in minutes from there
      {20.0, 1000, 4000, "About 60 seconds left"},   // a minute: still in seconds
  };
  for (const auto& c : cases)
    EXPECT_EQ(TimeLeftText(c.elapsed, c.done, c.total), c.text) << c.elapsed << " " << c.done << "/" << c.total;
}

}  // namespace
}  // namespace formet
