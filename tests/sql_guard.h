#pragma once
// Watches what the engine is asked to do on every connection opened while a
// SqlGuard lives (in this process): creating, reading and writing the
// company tables is what the program's own statements do; anything else
// (attaching another file, views, triggers, indexes, dropping, other tables,
// other databases, pragmas beyond table_info, functions beyond those of
// the reads and of ALTER TABLE) can
// only come from SQL text that the program did not write. Such actions are
// refused and recorded. Used by the tests of hostile files and by the fuzz
// target of the conversion.
#include <sqlite3.h>

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace formet::test {

class SqlGuard {
 public:
  SqlGuard() {
    Active() = this;
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(&InstallOn));
  }
  ~SqlGuard() {
    sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&InstallOn));
    Active() = nullptr;
  }
  SqlGuard(const SqlGuard&) = delete;
  SqlGuard& operator=(const SqlGuard&) = delete;

  const std::vector<std::string>& Violations() const { return violations_; }

 private:
  static SqlGuard*& Active() {
    static SqlGuard* active = nullptr;
    return active;
  }

  static int InstallOn(sqlite3* db, const char**, const void*) {
    sqlite3_set_authorizer(db, &Authorize, nullptr);
    return SQLITE_OK;
  }

  static bool CompanyTable(const char* name) {
    if (!name) return false;
    static constexpr std::string_view kTables[] = {
        "Version", "Company", "Employees", "Contractors", "W2", "Form1099", "W3", "Form1096",
        "EFiling_1099_Transmitter", "EFiling_W2_Submitter"};
    for (std::string_view t : kTables)
      if (sqlite3_stricmp(name, std::string(t).c_str()) == 0) return true;
    return false;
  }
  static bool SchemaTable(const char* name) {
    return name && (sqlite3_stricmp(name, "sqlite_master") == 0 || sqlite3_stricmp(name, "sqlite_schema") == 0 ||
                    sqlite3_stricmp(name, "sqlite_temp_master") == 0);
  }
  static bool MainDatabase(const char* db) { return !db || std::string_view(db) == "main"; }

  static int Authorize(void*, int action, const char* a, const char* b, const char* db, const char* trigger) {
    SqlGuard* guard = Active();
    if (!guard) return SQLITE_OK;  // the guard's time is over; the connection lives on
    bool allowed = false;
    switch (action) {
      case SQLITE_SELECT:
      case SQLITE_TRANSACTION:
        allowed = true;
        break;
      case SQLITE_CREATE_TABLE:
        allowed = CompanyTable(a) && MainDatabase(db);
        break;
      case SQLITE_READ:
      case SQLITE_INSERT:
      case SQLITE_UPDATE:
      case SQLITE_DELETE:
        allowed = (CompanyTable(a) || SchemaTable(a)) && MainDatabase(db);
        break;
      case SQLITE_ALTER_TABLE:
        allowed = CompanyTable(b) && MainDatabase(a);
        break;
      case SQLITE_PRAGMA:
        allowed = a && sqlite3_stricmp(a, "table_info") == 0;
        break;
      case SQLITE_FUNCTION:
        // count() of the reads; the functions of the engine's own
        // statements behind ALTER TABLE ADD COLUMN.
        allowed = b && (sqlite3_stricmp(b, "count") == 0 || sqlite3_stricmp(b, "printf") == 0 ||
                        sqlite3_stricmp(b, "substr") == 0 || sqlite3_stricmp(b, "length") == 0 ||
                        sqlite3_strnicmp(b, "sqlite_", 7) == 0);
        break;
      default:
        allowed = false;
    }
    if (trigger) allowed = false;  // nothing of ours runs inside a trigger
    if (!allowed) {
      static std::mutex mutex;
      std::lock_guard<std::mutex> lock(mutex);
      guard->violations_.push_back("action " + std::to_string(action) + " " + (a ? a : "-") + " " + (b ? b : "-") +
                                   " " + (db ? db : "-"));
      return SQLITE_DENY;
    }
    return SQLITE_OK;
  }

  std::vector<std::string> violations_;
};

}  // namespace formet::test
