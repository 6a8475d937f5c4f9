#include "store/conversion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

#include "store/company_database.h"
#include "store/legacy/legacy_reader.h"
#include "store/records.h"
#include "store/schema.h"
#include "store/text_codec.h"

namespace formet {
namespace fs = std::filesystem;

namespace {

fs::path WithSuffix(const fs::path& path, const char* suffix) { return fs::path(path.native() + suffix); }

// ---- the schema a file holds ---------------------------------------------------

// True when the file's table holds, in order, the columns the table has in
// `version` (`exact`: and no others).
bool HasColumnsOfVersion(CompanyDatabase& db, const TableDef& table, int version, bool exact) {
  std::vector<std::string> present;
  if (db.ReadTableColumns(table, present) != 0) return false;
  const size_t wanted = ColumnCountInVersion(table, version);
  if (present.size() < wanted || (exact && present.size() != wanted)) return false;
  for (size_t i = 0; i < wanted; ++i)
    if (!EqualsIgnoreCase1252(present[i], table.columns[i].name)) return false;
  return true;
}

bool HasSchemaOfVersion(CompanyDatabase& db, int version, bool exact) {
  for (const auto& table : CompanyTables()) {
    if (ColumnCountInVersion(table, version) == 0) {
      // A table of a later version must not be there yet: the upgrade
      // creates it.
      std::vector<std::string> present;
      if (exact && (db.ReadTableColumns(table, present) != 0 || !present.empty())) return false;
      continue;
    }
    if (!HasColumnsOfVersion(db, table, version, exact)) return false;
  }
  return true;
}

int RunUpgradeSteps(CompanyDatabase& db, int version) {
  if (version <= 1) {
    if (int rc = db.UpdateVersion("2")) return rc;
    if (int rc = db.Execute(CreateTableStatement(*FindTable("EFiling_1099_Transmitter")))) return rc;
    if (int rc = db.InsertTransmitter(TransmitterRecord{}, 1)) return rc;
    if (int rc = db.Execute(CreateTableStatement(*FindTable("EFiling_W2_Submitter")))) return rc;
    if (int rc = db.InsertSubmitter(SubmitterRecord{}, 1)) return rc;
  }
  if (int rc = db.UpdateVersion(kCurrentSchemaVersion)) return rc;
  for (const auto& c : Version3Columns())
    if (int rc = db.AddColumn(c.table, c.column, true, c.width)) return rc;
  return 0;
}

// ---- building a company from an old-format file -----------------------------

// Stops the build from inside the reader's row walk.
struct BuildRefused {
  std::string why;
};

// Where each of the first `count` columns of our table sits in the old table,
// matched by name without regard to case as the old engine matched them;
// nullopt when one is missing or a name is declared twice.
std::optional<std::vector<size_t>> MapColumns(const legacy::OldSchemaEntry& old, const TableDef& table, size_t count) {
  std::vector<size_t> map;
  for (size_t i = 0; i < count; ++i) {
    std::optional<size_t> found;
    for (size_t j = 0; j < old.columns.size(); ++j) {
      if (!EqualsIgnoreCase1252(old.columns[j], table.columns[i].name)) continue;
      if (found) return std::nullopt;  // the old engine would never have created such a table
      found = j;
    }
    if (!found) return std::nullopt;
    map.push_back(*found);
  }
  return map;
}

// True when the old file holds every table of `version` with every column it
// has in that version.
bool OldFileHasVersion(const legacy::OldFormatReader& reader, int version) {
  for (const auto& table : CompanyTables()) {
    const size_t count = ColumnCountInVersion(table, version);
    if (count == 0) continue;
    const auto* old = reader.FindTable(table.name);
    if (!old || !MapColumns(*old, table, count)) return false;
  }
  return true;
}

// The schema version of the old file: its one version row, which must name a
// version we know; a file without a row is taken for the highest version
// whose tables it holds.
int OldFileVersion(legacy::OldFormatReader& reader) {
  const TableDef& versionTable = *FindTable("Version");
  const auto* old = reader.FindTable(versionTable.name);
  if (!old) throw BuildRefused{"the file has no Version table"};
  const auto map = MapColumns(*old, versionTable, 1);
  if (!map) throw BuildRefused{"the Version table lacks its column"};
  std::vector<std::optional<std::string>> rows;
  reader.ReadRows(*old, [&](std::int32_t, const std::vector<legacy::OldValue>& values) {
    const auto& v = values[(*map)[0]];
    rows.push_back(v ? std::optional<std::string>(*v) : std::nullopt);
  });
  if (rows.size() > 1) throw BuildRefused{"the Version table holds more than one row"};
  if (rows.size() == 1) {
    const auto version = rows[0] ? KnownSchemaVersion(*rows[0]) : std::nullopt;
    if (!version) throw BuildRefused{"the version row names no version we know"};
    return *version;
  }
  for (int v = kLastSchemaVersion; v >= kFirstSchemaVersion; --v)
    if (OldFileHasVersion(reader, v)) return v;
  throw BuildRefused{"the file holds the tables of no version we know"};
}

void Check(int rc, const std::string& what) {
  if (rc != 0) throw BuildRefused{what + " failed with engine code " + std::to_string(rc)};
}

void Build(std::string_view bytes, CompanyDatabase& db) {
  legacy::OldFormatReader reader(bytes);
  const int version = OldFileVersion(reader);
  if (!OldFileHasVersion(reader, version)) {
    throw BuildRefused{"the file lacks tables or columns of version " + std::to_string(version)};
  }

  Check(db.CreateTablesOfVersion(version), "creating the tables");
  Check(db.InsertVersion(std::to_string(version)), "writing the version row");
  for (const auto& table : CompanyTables()) {
    const size_t count = ColumnCountInVersion(table, version);
    if (count == 0 || std::string_view(table.name) == "Version") continue;
    const auto* old = reader.FindTable(table.name);
    const auto map = MapColumns(*old, table, count);
    std::vector<std::optional<std::string_view>> values(count);
    reader.ReadRows(*old, [&](std::int32_t, const std::vector<legacy::OldValue>& row) {
      for (size_t i = 0; i < count; ++i) values[i] = row[(*map)[i]];
      Check(db.InsertValues(table, values), std::string("a row of ") + table.name);
    });
  }
  // The rest of the file (views, triggers, indexes, other tables) is only
  // walked, so that damage anywhere refuses the file.
  reader.Finish();

  std::vector<std::string> rows;
  Check(db.ReadVersionRows(rows), "reading the version row");
  if (rows.size() != 1 || KnownSchemaVersion(rows[0]) != version)
    throw BuildRefused{"the converted file's version row is not " + std::to_string(version)};
  if (!HasSchemaOfVersion(db, version, true))
    throw BuildRefused{"the converted file lacks tables or columns of version " + std::to_string(version)};
}

std::string JournalMessage(const fs::path& journal) {
  const std::string name = Utf8ToWin1252(journal.filename().string()).value_or(journal.filename().string());
  return "The file \"" + name +
         "\" lies beside this company. It shows that Formet (2006) stopped while it was saving the "
         "company, so the company may be incomplete.\n\nOpen the company once in Formet (2006) so that it "
         "can finish, then open it here again. Keep both files until then.";
}

}  // namespace

OldFormatBuild BuildFromOldFormat(std::string_view oldFileBytes, CompanyDatabase& db) {
  OldFormatBuild result;
  if (int rc = db.BeginTransaction()) {
    result.failedStep = 2;
    result.why = "cannot begin a transaction: engine code " + std::to_string(rc);
    return result;
  }
  try {
    Build(oldFileBytes, db);
    if (int rc = db.EndTransaction()) throw BuildRefused{"ending the transaction failed: engine code " + std::to_string(rc)};
    return result;
  } catch (const legacy::DamagedFile& e) {
    result.failedStep = 1;
    result.why = std::string("damaged or unsupported file: ") + e.what();
  } catch (const BuildRefused& e) {
    result.failedStep = 2;
    result.why = e.why;
  } catch (const std::bad_alloc&) {
    result.failedStep = 1;
    result.why = "out of memory while reading the file";
  } catch (const std::length_error&) {
    result.failedStep = 1;
    result.why = "out of memory while reading the file";
  }
  db.RollbackTransaction();
  return result;
}

bool IsOldFormatFile(const fs::path& path) {
  // Never blocks: a named pipe or other special file is no company file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  char head[53];
  bool old = false;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::pread(fd, head, sizeof head, 0) == sizeof head)
    old = legacy::HasOldFormatHeader(std::string_view(head, sizeof head));
  ::close(fd);
  return old;
}

bool ConvertOldFormat(const fs::path& path, std::string& errorText) {
  const fs::path dumpFile = WithSuffix(path, kDumpFileSuffix);
  const fs::path converted = WithSuffix(path, kConvertedFileSuffix);
  const fs::path setAside = WithSuffix(path, kSetAsideFileSuffix);
  std::error_code ec;

  // Step one: the old file, read whole and checked.
  const legacy::OldFileBytes file = legacy::ReadOldFormatFile(path);
  if (!file.ok) {
    errorText = file.journal ? JournalMessage(*file.journal) : "Conversion Step One Failed.";
    return false;
  }
  fs::remove(dumpFile, ec);  // left by an older release; never read

  // Step two: a new company file built from what the old one holds. A
  // converted file left by an earlier attempt is replaced.
  fs::remove(converted, ec);
  {
    CompanyDatabase db;
    OldFormatBuild build;
    if (db.Open(converted, OpenMode::Create) != 0) {
      build.failedStep = 2;
    } else {
      build = BuildFromOldFormat(file.bytes, db);
    }
    db.Close();
    if (build.failedStep != 0) {
      fs::remove(converted, ec);
      fs::remove(WithSuffix(converted, "-journal"), ec);
      errorText = build.failedStep == 1 ? "Conversion Step One Failed." : "Conversion Step Two Failed.";
      return false;
    }
  }

  // Step three: exchange the two files. Until the converted file has taken
  // the company file's place, the old file is kept under the set-aside name.
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
  if (!fs::is_regular_file(setAside, ec)) return false;
  const fs::file_status company = fs::symlink_status(path, ec);
  if (fs::exists(company)) {
    // The exchange ended but its last step, removing the old file, did not.
    if (fs::is_regular_file(fs::status(path, ec)) && !IsOldFormatFile(path)) fs::remove(setAside, ec);
    return false;
  }
  // Only the exchange itself leaves the company file missing with the
  // converted file still beside it; after a delete or rename it is gone.
  const fs::path converted = WithSuffix(path, kConvertedFileSuffix);
  if (!fs::is_regular_file(converted, ec)) return false;
  fs::rename(setAside, path, ec);
  if (ec) return false;
  fs::remove(converted, ec);
  return true;
}

int CompleteSchemaVersion(CompanyDatabase& db) {
  for (int v = kLastSchemaVersion; v >= kFirstSchemaVersion; --v)
    if (HasSchemaOfVersion(db, v, false)) return v;
  return 0;
}

int UpgradeSchema(CompanyDatabase& db) {
  std::vector<std::string> rows;
  if (int rc = db.ReadVersionRows(rows)) return rc;
  // Without a version row the tables tell the version; the row is written
  // with the upgrade, so the next load does not take the file for an older
  // one again.
  const bool missingRow = rows.empty();
  const int version = missingRow ? CompleteSchemaVersion(db) : static_cast<int>(ParseStoredInt(rows[0].c_str()));
  if (version >= 3 && !missingRow) return 0;
  if (int rc = db.BeginTransaction()) return rc;
  int rc = version >= 3 ? 0 : RunUpgradeSteps(db, version);
  if (rc == 0 && missingRow) rc = db.InsertVersion(kCurrentSchemaVersion);
  if (rc == 0) rc = db.EndTransaction();
  if (rc != 0) {
    db.RollbackTransaction();
    return rc;
  }
  return 0;
}

}  // namespace formet
