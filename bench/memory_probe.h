#pragma once
// The resident size of the running benchmark, from /proc/self.
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace formet::bench {

// A line of /proc/self/status in KB ("VmRSS", "VmHWM").
inline long StatusKb(const char* field) {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return 0;
  char line[256];
  long kb = 0;
  const size_t n = std::strlen(field);
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, field, n) == 0 && line[n] == ':') kb = std::atol(line + n + 1);
  std::fclose(f);
  return kb;
}

// Starts the peak resident size afresh from the present one.
inline void ResetPeak() {
  if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
    std::fputs("5", f);
    std::fclose(f);
  }
}

}  // namespace formet::bench
