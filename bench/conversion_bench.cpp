// Converting a previous release's company file of a few thousand rows, as the
// first load of such a file does (dump, rebuild, exchange, upgrade, read).
//   build/bin/conversion_bench [employees] [contractors]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "legacy/legacy_test_db.h"
#include "store/legacy/legacy_dump.h"
#include "store/conversion.h"
#include "store/global_doc.h"
#include "store/schema.h"
#include "store/settings_store.h"
#include "store/ui_services.h"

namespace {

using namespace formet;
namespace fs = std::filesystem;
using legacy::testing::Field;
using legacy::testing::LegacyDbBuilder;
using legacy::testing::TestRow;
using Clock = std::chrono::steady_clock;

class SilentUi : public UiServices {
 public:
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  bool AskYesNo(const std::string&) override { return false; }
  Answer AskYesNoCancel(const std::string&) override { return Answer::Cancel; }
  std::optional<NewCompanyEntry> AskNewCompany() override { return std::nullopt; }
  std::optional<std::string> ChooseCompany(const std::vector<std::string>&) override { return std::nullopt; }
};

std::string CreateText(const TableDef& table) {
  if (std::string_view(table.name) == "Version") return "CREATE TABLE Version (FormetVersion NVARCHAR(16))";
  std::string sql = CreateTableStatement(table);
  sql.pop_back();  // the old engine keeps the text without its semicolon
  return sql;
}

// Rows with a value in every column: ids count up, texts look like the
// program's (amounts with two decimals, zip codes with leading zeros).
std::vector<TestRow> Rows(const TableDef& table, int count) {
  std::vector<TestRow> rows;
  for (int id = 1; id <= count; ++id) {
    TestRow row{id, {}};
    for (const auto& c : table.columns) {
      if (c.kind == ColumnKind::Key) row.fields.push_back(std::nullopt);
      else if (c.kind == ColumnKind::Integer) row.fields.push_back(std::to_string(std::string_view(c.name) == "CompanyUniqueID" ? 1 : id));
      else row.fields.push_back(std::string(c.name).find("Zip") != std::string::npos ? "02134"
                                : std::to_string(id % 100) + ".50");
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  const int employees = argc > 1 ? std::atoi(argv[1]) : 2000;
  const int contractors = argc > 2 ? std::atoi(argv[2]) : 1000;
  LegacyDbBuilder builder;
  builder.cellsPerPage = 2;  // two W-2 rows fill a 1 KiB page
  for (const auto& table : CompanyTables()) {
    const std::string_view name = table.name;
    int count = 1;
    if (name == "Employees" || name == "W2") count = employees;
    if (name == "Contractors" || name == "Form1099") count = contractors;
    if (name == "W3" || name == "Form1096") count = 0;
    std::vector<TestRow> rows = Rows(table, count);
    if (name == "Version") rows = {TestRow{1, {Field("3")}}};
    builder.AddTable(table.name, CreateText(table), std::move(rows));
  }
  const std::string image = builder.Build();

  const fs::path dir = fs::temp_directory_path() / "formet-conversion-bench";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const int runs = 5;
  double best = 1e9, bestLoad = 1e9;
  size_t loaded = 0;
  for (int run = 0; run < runs; ++run) {
    { std::ofstream(dir / "Old.qdt", std::ios::binary).write(image.data(), static_cast<std::streamsize>(image.size())); }
    std::string error;
    auto start = Clock::now();
    if (!ConvertOldFormat(dir / "Old.qdt", error)) {
      std::fprintf(stderr, "conversion failed: %s (%s)\n", error.c_str(),
                   legacy::DumpOldFormat(image).error.c_str());
      return 1;
    }
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());

    { std::ofstream(dir / "Old.qdt", std::ios::binary).write(image.data(), static_cast<std::streamsize>(image.size())); }
    SilentUi ui;
    MemorySettingsStore settings;
    CGlobalDoc doc(ui, settings, dir);
    doc.BeginSession();
    doc.SetCompany("Old");
    start = Clock::now();
    if (!doc.OnNewDocument()) return 1;
    bestLoad = std::min(bestLoad, std::chrono::duration<double>(Clock::now() - start).count());
    loaded = doc.GetEmployees().size() + doc.GetW2Forms().size() + doc.GetContractors().size() +
             doc.GetForms1099().size();
  }
  std::printf("old-format file: %zu bytes, %d employees + W-2, %d contractors + 1099-MISC\n", image.size(),
              employees, contractors);
  std::printf("conversion (dump, rebuild, exchange), best of %d: %.3f s\n", runs, best);
  std::printf("first load of the old file (conversion + reads), best of %d: %.3f s (%zu records)\n", runs, bestLoad,
              loaded);
  fs::remove_all(dir);
  return 0;
}
