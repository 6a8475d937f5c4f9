#include "store/filed_forms.h"

#include <cstdio>
#include <ctime>
#include <map>
#include <functional>
#include <optional>
#include <string_view>

#include "store/company_database.h"
#include "store/schema.h"

namespace formet {
namespace {

// One column of a table of our own and the member of the row it holds.
template <class Row>
struct OwnColumn {
  std::string name;
  ColumnKind kind;
  int width;
  std::function<std::string(const Row&)> get;
  std::function<void(Row&, const char*)> set;
};

template <class Row>
struct OwnTable {
  const char* name;
  std::vector<OwnColumn<Row>> columns;
  std::vector<ColumnDef> defs;  // the columns as the access layer takes them; made by Finish

  void Finish() {
    defs.clear();
    for (const auto& c : columns) defs.push_back({c.name.c_str(), c.kind, c.width});
  }
  TableDef Def() const { return {name, defs}; }

  void Add(std::string column, ColumnKind kind, int width, std::function<std::string(const Row&)> get,
           std::function<void(Row&, const char*)> set) {
    columns.push_back({std::move(column), kind, width, std::move(get), std::move(set)});
  }

  // The columns of a company record, each named `prefix` + its column (a
  // column that begins with the prefix already keeps its name), with the
  // width the company table declares for it.
  template <class R>
  void AddRecord(const char* prefix, const char* companyTable, R Row::*part) {
    const TableDef* source = FindTable(companyTable);
    for (const auto& field : RecordFields<R>()) {
      std::string column = field.column;
      if (column.rfind(prefix, 0) != 0) column = prefix + column;
      int width = 80;
      if (source)
        for (const auto& c : source->columns)
          if (std::string_view(c.name) == field.column && c.width > 0) width = c.width;
      if (field.IsText()) {
        Add(column, ColumnKind::Text, width, [part, field](const Row& r) { return std::string(field.TextIn(r.*part)); },
            [part, field](Row& r, const char* v) { field.SetTextIn(r.*part, v ? v : ""); });
      } else {
        Add(column, ColumnKind::Integer, 0, [part, field](const Row& r) { return std::to_string(field.NumberIn(r.*part)); },
            [part, field](Row& r, const char* v) { field.NumberIn(r.*part) = ParseStoredInt(v); });
      }
    }
  }

  std::string ColumnList() const {
    std::string list;
    for (const auto& c : columns) list += (list.empty() ? "" : ", ") + c.name;
    return list;
  }

  std::string CreateStatement() const {
    std::string sql = std::string("CREATE TABLE IF NOT EXISTS ") + name + " (";
    for (size_t i = 0; i < columns.size(); ++i) {
      const auto& c = columns[i];
      sql += (i ? ", " : "") + c.name;
      switch (c.kind) {
        case ColumnKind::Key: sql += " INTEGER PRIMARY KEY"; break;
        case ColumnKind::Integer: sql += " INTEGER"; break;
        case ColumnKind::Text: sql += " NVARCHAR(" + std::to_string(c.width) + ")"; break;
      }
    }
    return sql + ");";
  }

  // One row, every value bound; `ownKey` false leaves the key to the engine.
  int Insert(CompanyDatabase& db, const Row& row, bool ownKey = true) const {
    std::vector<std::string> texts;
    texts.reserve(columns.size());
    for (const auto& c : columns) texts.push_back(c.get(row));
    std::vector<std::optional<std::string_view>> values(texts.begin(), texts.end());
    if (!ownKey) values[0].reset();
    const TableDef def = Def();
    return db.InsertValues(def, values);
  }

  int Read(CompanyDatabase& db, std::vector<Row>& rows) const {
    rows.clear();
    if (!HasOwnTable(db, name)) return 0;
    const std::string sql = "SELECT " + ColumnList() + " FROM " + name + " ORDER BY " + columns[0].name + ";";
    return db.Execute(sql, [&](int count, char** values) {
      Row& row = rows.emplace_back();
      for (int i = 0; i < count && i < static_cast<int>(columns.size()); ++i) columns[i].set(row, values[i]);
    });
  }
};

OwnTable<FiledW2> W2Shape(const char* name) {
  OwnTable<FiledW2> t{name, {}, {}};
  using R = FiledW2;
  t.Add("FiledUniqueID", ColumnKind::Key, 0, [](const R& r) { return std::to_string(r.id); },
        [](R& r, const char* v) { r.id = ParseStoredInt(v); });
  t.Add("FiledOn", ColumnKind::Text, 10, [](const R& r) { return r.filedOn; },
        [](R& r, const char* v) { r.filedOn = v ? v : ""; });
  t.Add("FiledAs", ColumnKind::Integer, 0, [](const R& r) { return std::to_string(static_cast<int32_t>(r.as)); },
        [](R& r, const char* v) { r.as = static_cast<FiledAs>(ParseStoredInt(v)); });
  t.Add("EmployerIdentificationNumber", ColumnKind::Text, 16, [](const R& r) { return r.employer.ein; },
        [](R& r, const char* v) { r.employer.ein = v ? v : ""; });
  t.Add("FormW3EstablishmentNumber", ColumnKind::Text, 21, [](const R& r) { return r.employer.establishmentNumber; },
        [](R& r, const char* v) { r.employer.establishmentNumber = v ? v : ""; });
  t.Add("EmployerStateID", ColumnKind::Text, 11, [](const R& r) { return r.employer.stateId; },
        [](R& r, const char* v) { r.employer.stateId = v ? v : ""; });
  t.AddRecord("Employee", "Employees", &R::employee);
  t.AddRecord("W2", "W2", &R::form);
  t.Finish();
  return t;
}

const OwnTable<FiledW2>& FiledW2Shape() {
  static const OwnTable<FiledW2> t = W2Shape(kFiledW2Table);
  return t;
}
const OwnTable<FiledW2>& HandMadeShape() {
  static const OwnTable<FiledW2> t = W2Shape(kW2cByHandTable);
  return t;
}

const OwnTable<Filed1099>& Filed1099Shape() {
  static const OwnTable<Filed1099> t = [] {
    OwnTable<Filed1099> s{kFiled1099Table, {}, {}};
    using R = Filed1099;
    s.Add("FiledUniqueID", ColumnKind::Key, 0, [](const R& r) { return std::to_string(r.id); },
          [](R& r, const char* v) { r.id = ParseStoredInt(v); });
    s.Add("FiledOn", ColumnKind::Text, 10, [](const R& r) { return r.filedOn; },
          [](R& r, const char* v) { r.filedOn = v ? v : ""; });
    s.Add("FiledAs", ColumnKind::Integer, 0, [](const R& r) { return std::to_string(static_cast<int32_t>(r.as)); },
          [](R& r, const char* v) { r.as = static_cast<FiledAs>(ParseStoredInt(v)); });
    s.Add("PayerTIN", ColumnKind::Text, 16, [](const R& r) { return r.payerTin; },
          [](R& r, const char* v) { r.payerTin = v ? v : ""; });
    s.AddRecord("Contractor", "Contractors", &R::contractor);
    s.AddRecord("Form", "Form1099", &R::form);
    s.Finish();
    return s;
  }();
  return t;
}

struct ExplanationRow {
  int32_t id = 0;
  std::string text;
};
const OwnTable<ExplanationRow>& ExplanationShape() {
  static const OwnTable<ExplanationRow> t = [] {
    OwnTable<ExplanationRow> s{kW3cExplanationTable, {}, {}};
    using R = ExplanationRow;
    s.Add("ExplanationUniqueID", ColumnKind::Key, 0, [](const R& r) { return std::to_string(r.id); },
          [](R& r, const char* v) { r.id = ParseStoredInt(v); });
    s.Add("Explanation", ColumnKind::Text, static_cast<int>(kW3cExplanationLimit), [](const R& r) { return r.text; },
          [](R& r, const char* v) { r.text = v ? v : ""; });
    s.Finish();
    return s;
  }();
  return t;
}

// The filed tables take rows, never changes: the file itself refuses an
// UPDATE or a DELETE, whoever sends it.
std::string GuardStatements(const char* table) {
  std::string sql;
  for (const char* op : {"UPDATE", "DELETE"}) {
    sql += std::string("CREATE TRIGGER IF NOT EXISTS ") + table + "_No" + (op[0] == 'U' ? "Update" : "Delete") +
           " BEFORE " + op + " ON " + table +
           " BEGIN SELECT RAISE(ABORT, 'A form recorded as filed cannot be changed.'); END;";
  }
  return sql;
}

// Runs `body` in a transaction of its own; on failure nothing stays.
template <class Body>
int InTransaction(CompanyDatabase& db, Body&& body) {
  if (int rc = db.BeginTransaction()) return rc;
  int rc = body();
  if (rc == 0) rc = db.EndTransaction();
  if (rc != 0) db.RollbackTransaction();
  return rc;
}

// A hand-made column is never changed either: a later row replaces it, and
// a row of this kind withdraws it.
constexpr int32_t kWithdrawn = 2;

int Withdraw(CompanyDatabase& db, int32_t employeeId) {
  if (!HasOwnTable(db, kW2cByHandTable)) return 0;
  FiledW2 row;
  row.as = static_cast<FiledAs>(kWithdrawn);
  row.employee.EmployeeUniqueID = employeeId;
  return HandMadeShape().Insert(db, row, false);
}

}  // namespace

bool HasOwnTable(CompanyDatabase& db, const char* table) {
  bool found = false;
  // The names are compared here, never put into a statement.
  db.Execute("SELECT name FROM sqlite_master WHERE type = 'table';", [&](int count, char** values) {
    if (count > 0 && values[0] && std::string_view(values[0]) == table) found = true;
  });
  return found;
}

int ReadFiledW2s(CompanyDatabase& db, std::vector<FiledW2>& rows) { return FiledW2Shape().Read(db, rows); }
int ReadFiled1099s(CompanyDatabase& db, std::vector<Filed1099>& rows) { return Filed1099Shape().Read(db, rows); }
int ReadHandMadeW2cs(CompanyDatabase& db, std::vector<FiledW2>& rows) {
  std::vector<FiledW2> all;
  rows.clear();
  if (int rc = HandMadeShape().Read(db, all)) return rc;
  // The latest row of each employee holds the column, unless it withdrew it.
  std::map<int32_t, FiledW2> latest;
  for (auto& row : all) latest[row.employee.EmployeeUniqueID] = std::move(row);
  for (auto& [employee, row] : latest) {
    if (static_cast<int32_t>(row.as) == kWithdrawn) continue;
    row.id = employee;
    row.as = FiledAs::Original;
    rows.push_back(std::move(row));
  }
  return 0;
}

int RecordFiledW2s(CompanyDatabase& db, std::span<const FiledW2> rows, std::span<const int32_t> handMadeDone) {
  return InTransaction(db, [&]() -> int {
    const auto& shape = FiledW2Shape();
    if (int rc = db.Execute(shape.CreateStatement() + GuardStatements(shape.name))) return rc;
    for (const auto& row : rows)
      if (int rc = shape.Insert(db, row)) return rc;
    for (int32_t id : handMadeDone)
      if (int rc = Withdraw(db, id)) return rc;
    return 0;
  });
}

int RecordFiled1099s(CompanyDatabase& db, std::span<const Filed1099> rows) {
  return InTransaction(db, [&]() -> int {
    const auto& shape = Filed1099Shape();
    if (int rc = db.Execute(shape.CreateStatement() + GuardStatements(shape.name))) return rc;
    for (const auto& row : rows)
      if (int rc = shape.Insert(db, row)) return rc;
    return 0;
  });
}

int SaveHandMadeW2c(CompanyDatabase& db, const FiledW2& row) {
  return InTransaction(db, [&]() -> int {
    const auto& shape = HandMadeShape();
    if (int rc = db.Execute(shape.CreateStatement() + GuardStatements(shape.name))) return rc;
    FiledW2 stored = row;
    stored.filedOn.clear();
    stored.as = FiledAs::Original;
    return shape.Insert(db, stored, false);
  });
}

int DeleteHandMadeW2c(CompanyDatabase& db, int32_t employeeId) {
  if (!HasOwnTable(db, kW2cByHandTable)) return 0;
  return InTransaction(db, [&]() -> int { return Withdraw(db, employeeId); });
}

int ReadW3cExplanation(CompanyDatabase& db, std::string& text) {
  text.clear();
  std::vector<ExplanationRow> rows;
  if (int rc = ExplanationShape().Read(db, rows)) return rc;
  if (!rows.empty()) text = rows.back().text;
  return 0;
}

int SaveW3cExplanation(CompanyDatabase& db, const std::string& text) {
  std::string now;
  if (int rc = ReadW3cExplanation(db, now)) return rc;
  if (now == text) return 0;
  return InTransaction(db, [&]() -> int {
    const auto& shape = ExplanationShape();
    if (int rc = db.Execute(shape.CreateStatement() + GuardStatements(shape.name))) return rc;
    return shape.Insert(db, ExplanationRow{0, text}, false);
  });
}

std::string TodayFiledDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return text;
}

std::string ShowFiledDate(const std::string& filedOn) {
  if (filedOn.size() != 10 || filedOn[4] != '-' || filedOn[7] != '-') return filedOn;
  return filedOn.substr(5, 2) + "/" + filedOn.substr(8, 2) + "/" + filedOn.substr(0, 4);
}

const FiledW2* LatestFiledFor(const std::vector<FiledW2>& rows, int32_t employeeId) {
  const FiledW2* latest = nullptr;
  for (const auto& row : rows)
    if (row.employee.EmployeeUniqueID == employeeId) latest = &row;
  return latest;
}

const Filed1099* LatestFiledFor(const std::vector<Filed1099>& rows, int32_t contractorId) {
  const Filed1099* latest = nullptr;
  for (const auto& row : rows)
    if (row.contractor.ContractorUniqueID == contractorId) latest = &row;
  return latest;
}

}  // namespace formet
