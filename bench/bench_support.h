#pragma once
// What the benchmarks share: a user who answers everything, and the floor's
// plain SQLite calls (one prepared statement per table, values bound).
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "store/records.h"
#include "store/ui_services.h"

namespace formet::bench {

// A new folder of the run's own under the system's temporary folder (two
// runs at once never share one), removed with what it holds when the run ends.
class RunFolder {
 public:
  explicit RunFolder(const char* prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "-XXXXXX";
    if (!mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::exit(1);
    }
    path_ = pattern;
  }
  ~RunFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class SilentUi : public UiServices {
 public:
  std::string name;
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  bool AskYesNo(const std::string&) override { return true; }
  Answer AskYesNoCancel(const std::string&) override { return Answer::Yes; }
  std::optional<NewCompanyEntry> AskNewCompany() override { return NewCompanyEntry{name, ""}; }
  std::optional<std::string> ChooseCompany(const std::vector<std::string>&) override { return std::nullopt; }
};

// The floor: the same rows with one prepared statement per table, values bound.
template <class R>
inline void BindRow(sqlite3_stmt* stmt, const R& r, int firstParam, std::initializer_list<std::pair<int, int>> fixed) {
  int p = firstParam;
  for (const auto& f : RecordFields<R>()) {
    if (f.IsText()) {
      const auto& s = std::get<TextMember<R>>(f.member).In(r);
      sqlite3_bind_text(stmt, p++, s.data(), static_cast<int>(s.size()), SQLITE_STATIC);
    } else {
      sqlite3_bind_int(stmt, p++, r.*std::get<int32_t R::*>(f.member));
    }
  }
  for (auto [param, value] : fixed) sqlite3_bind_int(stmt, param, value);
}

inline sqlite3_stmt* Prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "prepare failed: %s\n", sqlite3_errmsg(db));
    std::exit(1);
  }
  return s;
}

inline std::string Placeholders(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += i ? ",?" : "?";
  return s;
}

inline void Step(sqlite3_stmt* s) {
  if (sqlite3_step(s) != SQLITE_DONE) std::exit(1);
  sqlite3_reset(s);
}

// Employees: id, 13 texts, then the company id (bound last as 1).
inline std::string InsertEmployeeSql() {
  return "INSERT INTO Employees(EmployeeUniqueID,SocialSecurityNumber,FirstName,MiddleName,LastName,Address1,"
         "Address2,City,State,Zip,Suffix,ExtraText1,ExtraText2,ExtraText3,CompanyUniqueID) VALUES(" +
         Placeholders(15) + ")";
}
inline std::string InsertW2Sql() { return "INSERT INTO W2 VALUES(" + Placeholders(52) + ")"; }

}  // namespace formet::bench
