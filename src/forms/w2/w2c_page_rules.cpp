#include "forms/w2/w2c_page_rules.h"

#include <algorithm>
#include <cctype>

#include "forms/w2/w2c_hand_made.h"
#include "records/employees.h"

namespace formet {
namespace {

std::string WhatChanged(const W2cForm& f) {
  std::vector<std::string> parts;
  if (f.c) parts.push_back("SSN and/or name");
  std::string boxes;
  for (const auto& line : f.boxes) boxes += (boxes.empty() ? "" : ", ") + std::string(line.box->key);
  if (!f.box12.empty()) boxes += (boxes.empty() ? "" : ", ") + std::string("12");
  if (f.box13) boxes += (boxes.empty() ? "" : ", ") + std::string("13");
  if (!boxes.empty()) parts.push_back((boxes.find(',') == std::string::npos ? "box " : "boxes ") + boxes);
  std::string text;
  for (const auto& p : parts) text += (text.empty() ? "" : "; ") + p;
  return text;
}

std::string Status(const W2cForm& f) {
  std::string text = f.toSsa ? "To the SSA" : "To the state only";
  if (f.continuation) text += " (further box 12 lines)";
  text += f.handMade ? "; made by hand, not recorded as filed"
                     : "; not recorded as filed; corrects the " + f.formCorrected + " filed on " +
                           ShowFiledDate(f.previouslyFiledOn);
  return text;
}

}  // namespace

std::vector<W2cListEntry> W2cListEntries(const W2cList& list, const std::vector<EmployeeRecord>& employees,
                                         const std::vector<FiledW2>& handMade) {
  std::vector<W2cListEntry> entries;
  auto employeeOf = [&](int32_t id) -> const EmployeeRecord* {
    const auto e = std::find_if(employees.begin(), employees.end(),
                                [&](const EmployeeRecord& r) { return r.EmployeeUniqueID == id; });
    return e == employees.end() ? nullptr : &*e;
  };
  auto start = [&](int32_t id) {
    W2cListEntry entry;
    entry.employeeId = id;
    if (const EmployeeRecord* e = employeeOf(id)) {
      for (const std::string& part : {e->FirstName(), e->MiddleName(), e->LastName(), e->Suffix()})
        if (!part.empty()) entry.employee += (entry.employee.empty() ? "" : " ") + part;
      entry.ssn = e->SocialSecurityNumber();
    }
    return entry;
  };
  for (size_t i = 0; i < list.forms.size(); ++i) {
    const W2cForm& f = list.forms[i];
    W2cListEntry entry = start(f.employeeId);
    entry.form = static_cast<int>(i);
    entry.handMade = f.handMade;
    entry.changed = WhatChanged(f);
    entry.status = Status(f);
    entries.push_back(std::move(entry));
  }
  for (const auto& row : handMade) {
    const int32_t id = row.employee.EmployeeUniqueID;
    if (std::any_of(list.forms.begin(), list.forms.end(), [&](const W2cForm& f) { return f.employeeId == id; }))
      continue;
    if (!employeeOf(id)) continue;
    W2cListEntry entry = start(id);
    entry.handMade = true;
    entry.changed = "nothing yet";
    entry.status = "Made by hand: change its Previously reported column below";
    entries.push_back(std::move(entry));
  }
  for (const auto& a : list.addressOnly) {
    W2cListEntry entry = start(a.employeeId);
    entry.addressOnly = true;
    entry.changed = "address only";
    entry.status = "No W-2c to the SSA: print the reissued statement";
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<W2cDetailLine> W2cFormLines(const W2cForm& f) {
  std::vector<W2cDetailLine> lines;
  if (f.c) {
    lines.push_back({"", "b / h Social security number", f.h, f.b, false});
    lines.push_back({"", "e / i Employee's name", f.i, f.eFirst + " " + f.eLast + (f.eSuffix.empty() ? "" : " " + f.eSuffix),
                     false});
  }
  for (const auto& line : f.boxes) lines.push_back({"", std::string(line.box->key) + " " + line.box->label, line.previously,
                                                    line.correct, false});
  for (const auto& line : f.box12)
    lines.push_back({"", "12 Code " + line.code, line.code + " " + line.previously, line.code + " " + line.correct, false});
  if (f.box13) {
    auto words = [](const std::array<bool, 3>& b) {
      std::string t;
      const char* names[3] = {"Statutory employee", "Retirement plan", "Third-party sick pay"};
      for (int i = 0; i < 3; ++i)
        if (b[static_cast<size_t>(i)]) t += (t.empty() ? "" : ", ") + std::string(names[i]);
      return t.empty() ? std::string("none") : t;
    };
    lines.push_back({"", "13", words(f.box13->previously), words(f.box13->correct), false});
  }
  return lines;
}

std::vector<W2cDetailLine> HandMadeW2cLines(const FiledW2& handMade, const FiledW2& now) {
  std::vector<W2cDetailLine> lines;
  for (const auto& k : HandMadeW2cKeys()) {
    const std::string key = k.key;
    const bool box = std::isdigit(static_cast<unsigned char>(key[0])) != 0;
    lines.push_back({key, (box ? key + " " : std::string()) + k.label, HandMadeW2cValue(handMade, key),
                     HandMadeW2cValue(now, key), true});
  }
  return lines;
}

}  // namespace formet
