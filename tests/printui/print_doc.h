#pragma once
// The company document the print flows' tests print from.
#include <string>
#include <vector>

#include "../forms/print_fixture.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet::test {

// A document holding the records, not loaded from a file: printing only
// reads them.
struct PrintDoc {
  TempDir dir;
  ScriptedUi ui;
  MemorySettingsStore settings;
  CGlobalDoc doc{ui, settings, dir.path()};
  explicit PrintDoc(int payees) {
    const PrintPayroll payroll(payees);
    const PrintContractors people(payees);
    doc.GetCompany() = payroll.company;
    doc.GetEmployees() = payroll.employees;
    doc.GetW2Forms() = payroll.forms;
    doc.GetContractors() = people.contractors;
    doc.GetForms1099() = people.forms;
  }
  std::vector<int> Order(size_t n) const {
    std::vector<int> order;
    for (size_t i = 0; i < n; ++i) order.push_back(static_cast<int>(i));
    return order;
  }
};

}  // namespace formet::test
