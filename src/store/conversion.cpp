#include "store/conversion.h"

#include <algorithm>
#include <cstdlib>
#include <vector>
#include <cstring>
#include <fstream>
#include <system_error>

#include "store/company_database.h"
#include "store/legacy/legacy_dump.h"
#include "store/records.h"
#include "store/schema.h"

namespace formet {
namespace fs = std::filesystem;

namespace {

fs::path WithSuffix(const fs::path& path, const char* suffix) { return fs::path(path.native() + suffix); }

struct AddedColumn {
  const char* table;
  const char* column;
  int width;
};

// The text columns of the current schema that earlier versions lack, in the
// order a new file declares them within each table.
constexpr AddedColumn kVersion3Columns[] = {
    {"Company", "Form1096FilerName", 80},    {"Company", "IsAgent", 21},
    {"Company", "AgentEIN", 29},             {"Company", "FormW2Indicators", 40},
    {"Company", "Form1099Indicators", 40},   {"Company", "TaxJurisdictionCode", 21},
    {"Company", "ExtraText1", 80},           {"Company", "ExtraText2", 80},
    {"Company", "ExtraText3", 80},           {"Contractors", "TypeOfTIN", 21},
    {"Contractors", "NameLine1", 60},        {"Contractors", "NameLine2", 60},
    {"Contractors", "ExtraText1", 80},       {"Contractors", "ExtraText2", 80},
    {"Contractors", "ExtraText3", 80},       {"Employees", "Suffix", 24},
    {"Employees", "ExtraText1", 80},         {"Employees", "ExtraText2", 80},
    {"Employees", "ExtraText3", 80},         {"W2", "Field12aExtraCode", 25},
    {"W2", "Field12bExtraCode", 25},         {"W2", "Field12cExtraCode", 25},
    {"W2", "Field12dExtraCode", 25},         {"W2", "ExtraText1", 80},
    {"W2", "ExtraText2", 80},                {"W2", "ExtraText3", 80},
    {"W3", "ExtraText1", 80},                {"W3", "ExtraText2", 80},
    {"W3", "ExtraText3", 80},                {"Form1099", "ExtraText1", 80},
    {"Form1099", "ExtraText2", 80},          {"Form1099", "ExtraText3", 80},
    {"Form1096", "ExtraText1", 80},          {"Form1096", "ExtraText2", 80},
    {"Form1096", "ExtraText3", 80},
};

int RunUpgradeSteps(CompanyDatabase& db, int version) {
  if (version <= 1) {
    if (int rc = db.UpdateVersion("2")) return rc;
    if (int rc = db.Execute(CreateTableStatement(*FindTable("EFiling_1099_Transmitter")))) return rc;
    if (int rc = db.InsertTransmitter(TransmitterRecord{}, 1)) return rc;
    if (int rc = db.Execute(CreateTableStatement(*FindTable("EFiling_W2_Submitter")))) return rc;
    if (int rc = db.InsertSubmitter(SubmitterRecord{}, 1)) return rc;
  }
  if (int rc = db.UpdateVersion(kCurrentSchemaVersion)) return rc;
  for (const auto& c : kVersion3Columns)
    if (int rc = db.AddColumn(c.table, c.column, true, c.width)) return rc;
  return 0;
}

// The converted file must hold every table and column of the first schema
// version (the current schema less the columns added since); the dump of a
// damaged file can be valid SQL and still be no company, and must not take
// the company file's place.
bool HasFirstVersionSchema(CompanyDatabase& db) {
  for (const auto& table : CompanyTables()) {
    const std::string_view name = table.name;
    if (name == "EFiling_1099_Transmitter" || name == "EFiling_W2_Submitter") continue;  // added in version 2
    std::vector<std::string> present;
    if (db.Execute("PRAGMA table_info(" + std::string(name) + ")",
                   [&](int columns, char** v) { if (columns > 1 && v[1]) present.emplace_back(v[1]); }) != 0)
      return false;
    for (const auto& column : table.columns) {
      const bool added = std::any_of(std::begin(kVersion3Columns), std::end(kVersion3Columns), [&](const AddedColumn& a) {
        return name == a.table && std::string_view(column.name) == a.column;
      });
      if (!added && std::find(present.begin(), present.end(), column.name) == present.end()) return false;
    }
  }
  return true;
}

}  // namespace

bool IsOldFormatFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  char head[53];
  if (!in.read(head, sizeof head)) return false;
  return legacy::HasOldFormatHeader(std::string_view(head, sizeof head));
}

bool ConvertOldFormat(const fs::path& path, std::string& errorText) {
  const fs::path dumpFile = WithSuffix(path, kDumpFileSuffix);
  const fs::path converted = WithSuffix(path, kConvertedFileSuffix);
  const fs::path setAside = WithSuffix(path, kSetAsideFileSuffix);
  std::error_code ec;

  // Step one: the old database as SQL text, every value quoted so each
  // stored text (zip codes, amounts) keeps its exact bytes.
  const auto dump = legacy::DumpOldFormatFile(path);
  if (!dump.ok) {
    errorText = "Conversion Step One Failed.";
    return false;
  }
  {
    std::ofstream out(dumpFile, std::ios::binary | std::ios::trunc);
    if (out) out.write(dump.sql.data(), static_cast<std::streamsize>(dump.sql.size()));
    if (!out.good()) {
      out.close();
      fs::remove(dumpFile, ec);
      errorText = "Conversion Step One Failed.";
      return false;
    }
  }

  // Step two: a new company file built from the dump. A converted file left
  // by an earlier attempt is replaced.
  fs::remove(converted, ec);
  {
    CompanyDatabase db;
    std::string text;
    std::ifstream in(dumpFile, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
    if (!in.good() && !in.eof()) text.clear();
    if (text.empty() || db.Open(converted) != 0 || db.Execute(text) != 0 || !HasFirstVersionSchema(db)) {
      db.Execute("ROLLBACK;");
      db.Close();
      fs::remove(converted, ec);
      fs::remove(dumpFile, ec);
      errorText = "Conversion Step Two Failed.";
      return false;
    }
    db.Close();
  }

  // Step three: exchange the two files. Until the converted file has taken
  // the company file's place, the old file is kept under the set-aside name.
  if (!fs::remove(dumpFile, ec) || ec) {
    errorText = "Conversion Step Three Part1 Failed.";
    return false;
  }
  fs::rename(path, setAside, ec);
  if (ec) {
    errorText = "Conversion Step Three Part2 Failed.";
    return false;
  }
  fs::rename(converted, path, ec);
  if (ec) {
    fs::rename(setAside, path, ec);  // put the company back where it was
    errorText = "Conversion Step Three Part3 Failed.";
    return false;
  }
  if (!fs::remove(setAside, ec) || ec) {
    errorText = "Conversion Step Three Part4 Failed.";
    return false;
  }
  return true;
}

bool RecoverInterruptedConversion(const fs::path& path) {
  std::error_code ec;
  const fs::path setAside = WithSuffix(path, kSetAsideFileSuffix);
  if (fs::exists(path, ec) || !fs::exists(setAside, ec)) return false;
  fs::rename(setAside, path, ec);
  return !ec;
}

int UpgradeSchema(CompanyDatabase& db) {
  std::string text;
  if (int rc = db.ReadVersion(text)) return rc;
  const int version = static_cast<int>(ParseStoredInt(text.c_str()));
  if (version >= 3) return 0;
  if (int rc = db.BeginTransaction()) return rc;
  if (int rc = RunUpgradeSteps(db, version)) {
    db.RollbackTransaction();
    return rc;
  }
  if (int rc = db.EndTransaction()) {
    db.RollbackTransaction();
    return rc;
  }
  return 0;
}

}  // namespace formet
