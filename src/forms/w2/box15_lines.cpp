#include "forms/w2/box15_lines.h"

namespace formet {

std::string Box15State(const CompanyRecord& company, const W2Record& w2, int line) {
  if (line == 1) return w2.State1().empty() ? company.State() : w2.State1();
  return w2.State2();
}

std::string Box15StateId(const CompanyRecord& company, const W2Record& w2, int line) {
  const std::string& own = line == 1 ? w2.StateID1() : w2.StateID2();
  if (!own.empty()) return own;
  const std::string state = Box15State(company, w2, line);
  return !state.empty() && state == company.State() ? company.StateID() : std::string();
}

}  // namespace formet
