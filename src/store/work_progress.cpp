#include "store/work_progress.h"

#include <cmath>

namespace formet {

std::string TimeLeftText(double elapsedSeconds, size_t done, size_t total) {
  if (elapsedSeconds < 1.0 || done == 0 || done >= total) return {};
  const double left = elapsedSeconds * static_cast<double>(total - done) / static_cast<double>(done);
  // Under a minute and a half in seconds (to the next five above ten), else
  // in whole minutes.
  if (left < 90.0) {
    long seconds = std::lround(std::ceil(left));
    if (seconds > 10) seconds = (seconds + 4) / 5 * 5;
    if (seconds < 1) seconds = 1;
    return "About " + std::to_string(seconds) + (seconds == 1 ? " second left" : " seconds left");
  }
  return "About " + std::to_string(std::lround(left / 60.0)) + " minutes left";
}

}  // namespace formet
