#include "store/company_database.h"

#include <sqlite3.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <stdexcept>
#include <unordered_set>

#include "store/company_file_vfs.h"
#include "store/schema.h"
#include "store/sql_format.h"

namespace formet {
namespace {

constexpr int kNoConnection = 1;

// The system's error behind the last failure, by the engine's primary code.
int g_systemErrorOf[256] = {};

// Records the system's error behind a failure of the connection.
int Noted(sqlite3* db, int rc) {
  if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE && db)
    g_systemErrorOf[rc & 0xFF] = sqlite3_system_errno(db);
  return rc;
}

template <class R>
size_t FieldIndex(std::string_view column) {
  const auto fields = RecordFields<R>();
  for (size_t i = 0; i < fields.size(); ++i)
    if (column == fields[i].column) return i;
  throw std::logic_error("unknown column " + std::string(column));
}

template <class R>
SqlArg ArgOf(const R& record, const FieldDesc<R>& field) {
  if (field.IsText()) return field.TextIn(record);
  return field.NumberIn(record);
}

// The values of a record's fields from `first` on, in table order.
template <class R>
std::vector<SqlArg> ValuesFrom(const R& record, size_t first) {
  const auto fields = RecordFields<R>();
  std::vector<SqlArg> args;
  args.reserve(fields.size() + 1);
  for (size_t i = first; i < fields.size(); ++i) args.push_back(ArgOf(record, fields[i]));
  return args;
}

// Caches the position of a column so the hot write paths do not search names.
template <class R>
struct Column {
  explicit Column(std::string_view name) : index(FieldIndex<R>(name)) {}
  size_t index;
};

std::vector<SqlArg> W2Values(const W2Record& r) {
  // After W2UniqueID and EmployeeUniqueID, box 12 codes mapped to their file form.
  static const size_t first = 2;
  static const Column<W2Record> codes[] = {Column<W2Record>("Field12aCode"), Column<W2Record>("Field12bCode"),
                                           Column<W2Record>("Field12cCode"), Column<W2Record>("Field12dCode")};
  auto args = ValuesFrom(r, first);
  const std::string_view own[] = {r.TextAt(W2Record::Text::Field12aCode), r.TextAt(W2Record::Text::Field12bCode),
                                  r.TextAt(W2Record::Text::Field12cCode), r.TextAt(W2Record::Text::Field12dCode)};
  for (int i = 0; i < 4; ++i) args[codes[i].index - first] = Box12CodeToFile(own[i]);
  return args;
}

int ExecCallback(void* arg, int columns, char** values, char**) {
  (*static_cast<const CompanyDatabase::RowReader*>(arg))(columns, values);
  return 0;
}

struct SelectShape {
  const char* table;
  std::vector<size_t> order;  // record field of each selected column
  std::string sql;
};

template <class R>
SelectShape MakeSelect(const char* table, std::vector<std::string_view> columns, bool firstUnqualified) {
  SelectShape s{table, {}, "SELECT "};
  for (size_t i = 0; i < columns.size(); ++i) {
    s.order.push_back(FieldIndex<R>(columns[i]));
    if (i) s.sql += ',';
    if (!(i == 0 && firstUnqualified)) s.sql += std::string(table) + '.';
    s.sql += columns[i];
  }
  s.sql += std::string(" FROM ") + table;
  return s;
}

// Columns of a record in table order, from `first` on.
template <class R>
std::vector<std::string_view> ColumnsFrom(size_t first) {
  std::vector<std::string_view> names;
  for (const auto& f : RecordFields<R>().subspan(first)) names.push_back(f.column);
  return names;
}

template <class R>
const SelectShape& Select();

template <>
const SelectShape& Select<CompanyRecord>() {
  static const SelectShape s = [] {
    auto cols = ColumnsFrom<CompanyRecord>(1);  // all but CompanyUniqueID, StateID fifth
    std::erase(cols, std::string_view("StateID"));
    cols.insert(cols.begin() + 4, "StateID");
    return MakeSelect<CompanyRecord>("Company", cols, false);
  }();
  return s;
}
template <>
const SelectShape& Select<EmployeeRecord>() {
  static const SelectShape s = MakeSelect<EmployeeRecord>("Employees", ColumnsFrom<EmployeeRecord>(0), true);
  return s;
}
template <>
const SelectShape& Select<ContractorRecord>() {
  static const SelectShape s =
      MakeSelect<ContractorRecord>("Contractors", ColumnsFrom<ContractorRecord>(0), false);
  return s;
}
template <>
const SelectShape& Select<W2Record>() {
  static const SelectShape s = MakeSelect<W2Record>("W2", ColumnsFrom<W2Record>(0), false);
  return s;
}
template <>
const SelectShape& Select<Form1099Record>() {
  static const SelectShape s = MakeSelect<Form1099Record>("Form1099", ColumnsFrom<Form1099Record>(0), false);
  return s;
}
template <>
const SelectShape& Select<W3Record>() {
  static const SelectShape s = MakeSelect<W3Record>("W3", ColumnsFrom<W3Record>(0), false);
  return s;
}
template <>
const SelectShape& Select<Form1096Record>() {
  static const SelectShape s = MakeSelect<Form1096Record>("Form1096", ColumnsFrom<Form1096Record>(0), false);
  return s;
}
template <>
const SelectShape& Select<TransmitterRecord>() {
  static const SelectShape s = MakeSelect<TransmitterRecord>("EFiling_1099_Transmitter",
                                                             ColumnsFrom<TransmitterRecord>(0), false);
  return s;
}
template <>
const SelectShape& Select<SubmitterRecord>() {
  static const SelectShape s =
      MakeSelect<SubmitterRecord>("EFiling_W2_Submitter", ColumnsFrom<SubmitterRecord>(0), false);
  return s;
}

}  // namespace

int32_t ParseStoredInt(const char* text) {
  if (!text) return 0;
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v') ++p;
  bool negative = false;
  if (*p == '-' || *p == '+') negative = (*p++ == '-');
  long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > static_cast<long long>(INT32_MAX) + 1) break;  // saturates below
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

std::string_view Box12CodeToFile(std::string_view recordCode) {
  if (recordCode == "0") return "AA";
  if (recordCode == "1") return "BB";
  return recordCode;
}

std::string Box12CodeFromFile(const char* stored) {
  if (!stored || !*stored) return {};
  if (std::strcmp(stored, "AA") == 0 || std::strcmp(stored, "0") == 0) return "0";
  if (std::strcmp(stored, "BB") == 0 || std::strcmp(stored, "1") == 0) return "1";
  return std::string(1, stored[0]);
}

template <class R>
const std::string& CompanyDatabase::SelectStatement() {
  return Select<R>().sql;
}
template const std::string& CompanyDatabase::SelectStatement<CompanyRecord>();
template const std::string& CompanyDatabase::SelectStatement<EmployeeRecord>();
template const std::string& CompanyDatabase::SelectStatement<ContractorRecord>();
template const std::string& CompanyDatabase::SelectStatement<W2Record>();
template const std::string& CompanyDatabase::SelectStatement<Form1099Record>();
template const std::string& CompanyDatabase::SelectStatement<W3Record>();
template const std::string& CompanyDatabase::SelectStatement<Form1096Record>();
template const std::string& CompanyDatabase::SelectStatement<TransmitterRecord>();
template const std::string& CompanyDatabase::SelectStatement<SubmitterRecord>();

CompanyDatabase::CompanyDatabase() = default;

CompanyDatabase::~CompanyDatabase() {
  if (inTransaction_) RollbackTransaction();
  Close();
}

int CompanyDatabase::Open(const std::filesystem::path& path, OpenMode mode) {
  if (inTransaction_) return 0;
  Close();
  sqlite3* db = nullptr;
  // One thread uses a connection: SQLite need not lock it on every call.
  const int flags = SQLITE_OPEN_NOMUTEX |
                    (mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY
                                                : SQLITE_OPEN_READWRITE | (mode == OpenMode::Create ? SQLITE_OPEN_CREATE : 0));
  const int rc = sqlite3_open_v2(path.c_str(), &db, flags, CompanyFileVfs());
  if (rc != SQLITE_OK) {
    Noted(db, rc);
    sqlite3_close(db);
    return rc;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  db_ = db;
  return 0;
}

void CompanyDatabase::Close() {
  if (!db_) return;
  FinalizeWrites();
  sqlite3_close(db_);
  db_ = nullptr;
  inTransaction_ = false;
}

int CompanyDatabase::Execute(const std::string& sql, const RowReader& reader) {
  if (!db_) return kNoConnection;
  if (!reader) return Noted(db_, sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr));
  return Noted(db_, sqlite3_exec(db_, sql.c_str(), ExecCallback, const_cast<RowReader*>(&reader), nullptr));
}

int CompanyDatabase::Run() { return Execute(statement_); }

// Writes run the statement text built from the format. Executing a write
// binds the same values to a prepared form of the format instead of parsing
// every text anew: each quoted placeholder becomes a text parameter (the
// column's affinity then stores exactly what the quoted literal would) and a
// bare "%d" an integer parameter. The prepared statements are kept per
// format while the connection is open.
struct CompanyDatabase::WriteCache {
  struct Entry {
    sqlite3_stmt* stmt = nullptr;
    std::vector<bool> quoted;  // per placeholder
  };
  std::unordered_map<std::string_view, Entry> entries;  // formats are string literals
  std::unordered_map<std::string, sqlite3_stmt*> rows;  // InsertValues, by statement text
};

namespace {

// "VALUES('%d',1,'%s')" -> "VALUES(?,1,?)"; nullopt when a text placeholder
// stands outside quotes (it would be SQL, not a value).
std::optional<std::pair<std::string, std::vector<bool>>> Parameterize(std::string_view format) {
  std::string sql;
  std::vector<bool> quoted;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format.compare(i, 4, "'%s'") == 0 || format.compare(i, 4, "'%d'") == 0) {
      sql += '?';
      quoted.push_back(true);
      i += 3;
    } else if (format.compare(i, 2, "%d") == 0) {
      sql += '?';
      quoted.push_back(false);
      i += 1;
    } else if (format[i] == '%') {
      return std::nullopt;
    } else {
      sql += format[i];
    }
  }
  return std::make_pair(std::move(sql), std::move(quoted));
}

}  // namespace

int CompanyDatabase::RunWrite(std::string_view format, std::span<const SqlArg> args) {
  statement_ = FormatSql(format, args);
  if (!db_) return kNoConnection;
  if (!writes_) writes_ = std::make_unique<WriteCache>();
  auto it = writes_->entries.find(format);
  if (it == writes_->entries.end()) {
    const auto shape = Parameterize(format);
    WriteCache::Entry entry;
    if (!shape || sqlite3_prepare_v2(db_, shape->first.c_str(), -1, &entry.stmt, nullptr) != SQLITE_OK) {
      sqlite3_finalize(entry.stmt);
      return Run();
    }
    entry.quoted = shape->second;
    it = writes_->entries.emplace(format, std::move(entry)).first;
  }
  auto& entry = it->second;
  if (entry.quoted.size() != args.size()) return Run();
  for (size_t i = 0; i < args.size(); ++i) {
    const int param = static_cast<int>(i + 1);
    if (const auto* text = std::get_if<std::string_view>(&args[i])) {
      // An empty view may have no data pointer, which would bind NULL.
      sqlite3_bind_text(entry.stmt, param, text->empty() ? "" : text->data(), static_cast<int>(text->size()),
                        SQLITE_STATIC);
    } else if (entry.quoted[i]) {
      const std::string number = std::to_string(std::get<int32_t>(args[i]));
      sqlite3_bind_text(entry.stmt, param, number.data(), static_cast<int>(number.size()), SQLITE_TRANSIENT);
    } else {
      sqlite3_bind_int(entry.stmt, param, std::get<int32_t>(args[i]));
    }
  }
  const int rc = Noted(db_, sqlite3_step(entry.stmt));
  sqlite3_reset(entry.stmt);
  sqlite3_clear_bindings(entry.stmt);
  return rc == SQLITE_DONE || rc == SQLITE_ROW ? 0 : rc;
}

void CompanyDatabase::FinalizeWrites() {
  if (!writes_) return;
  for (auto& [format, entry] : writes_->entries) sqlite3_finalize(entry.stmt);
  for (auto& [text, stmt] : writes_->rows) sqlite3_finalize(stmt);
  writes_.reset();
}

int CompanyDatabase::BeginTransaction() {
  statement_ = "BEGIN TRANSACTION;";
  const int rc = Run();
  if (rc == 0) inTransaction_ = true;
  return rc;
}

int CompanyDatabase::EndTransaction() {
  statement_ = "END TRANSACTION;";
  const int rc = Run();
  if (rc == 0) inTransaction_ = false;
  return rc;
}

int CompanyDatabase::RollbackTransaction() {
  statement_ = "ROLLBACK TRANSACTION;";
  const int rc = Run();
  // Whatever the answer, the engine is no longer inside our transaction once
  // it refused to go on; a failed ROLLBACK leaves nothing further to undo.
  inTransaction_ = false;
  return rc;
}

int CompanyDatabase::CreateTables() {
  if (!db_) return kNoConnection;
  for (const auto& table : CompanyTables()) {
    statement_ = CreateTableStatement(table);
    if (const int rc = Run()) return rc;
  }
  return 0;
}

int CompanyDatabase::AddColumn(const std::string& table, const std::string& column, bool isText, int width) {
  statement_ = "ALTER TABLE " + table + " ADD COLUMN " + column + " " +
               (isText ? "NVARCHAR(" + std::to_string(width) + ")" : std::string("INTEGER"));
  return Run();
}

int CompanyDatabase::ReadVersion(std::string& version) {
  statement_ = "SELECT Version.FormetVersion FROM Version";
  std::string first;
  bool any = false;
  const int rc = Execute(statement_, [&](int columns, char** values) {
    if (!any && columns > 0) first = values[0] ? values[0] : "";
    any = true;
  });
  if (rc == 0) version = any ? first : std::string();
  return rc;
}

int CompanyDatabase::UpdateVersion(const std::string& version) {
  return RunWrite("UPDATE Version SET FormetVersion ='%s' ;", {version});
}

int CompanyDatabase::ReadVersionRows(std::vector<std::string>& versions) {
  statement_ = "SELECT Version.FormetVersion FROM Version";
  std::vector<std::string> rows;
  const int rc = Execute(statement_, [&](int columns, char** values) {
    rows.emplace_back(columns > 0 && values[0] ? values[0] : "");
  });
  if (rc == 0) versions = std::move(rows);
  return rc;
}

int CompanyDatabase::InsertVersion(const std::string& version) {
  return RunWrite("INSERT INTO Version VALUES('%s');", {version});
}

int CompanyDatabase::CreateTablesOfVersion(int version) {
  if (!db_) return kNoConnection;
  for (const auto& table : CompanyTables()) {
    const size_t columns = ColumnCountInVersion(table, version);
    if (columns == 0) continue;
    statement_ = CreateTableStatement(table, columns);
    if (const int rc = Run()) return rc;
  }
  return 0;
}

int CompanyDatabase::ReadTableColumns(const TableDef& table, std::vector<std::string>& columns) {
  // The name comes from our own schema, never from a file.
  statement_ = std::string("PRAGMA table_info(") + table.name + ")";
  std::vector<std::string> names;
  const int rc = Execute(statement_, [&](int count, char** values) {
    if (count > 1) names.emplace_back(values[1] ? values[1] : "");
  });
  if (rc == 0) columns = std::move(names);
  return rc;
}

int CompanyDatabase::InsertValues(const TableDef& table, std::span<const std::optional<std::string_view>> values) {
  if (values.empty() || values.size() > table.columns.size()) throw std::logic_error("InsertValues: wrong count");
  std::string sql = std::string("INSERT INTO ") + table.name + " (";
  for (size_t i = 0; i < values.size(); ++i) sql += std::string(i ? "," : "") + table.columns[i].name;
  sql += ") VALUES (";
  for (size_t i = 0; i < values.size(); ++i) sql += i ? ",?" : "?";
  sql += ");";
  statement_ = sql;
  if (!db_) return kNoConnection;
  if (!writes_) writes_ = std::make_unique<WriteCache>();
  sqlite3_stmt*& stmt = writes_->rows[sql];
  if (!stmt) {
    if (const int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr)) {
      writes_->rows.erase(sql);
      return rc;
    }
  }
  for (size_t i = 0; i < values.size(); ++i) {
    const int param = static_cast<int>(i + 1);
    if (!values[i]) {
      sqlite3_bind_null(stmt, param);
    } else {
      const std::string_view text = *values[i];
      sqlite3_bind_text(stmt, param, text.empty() ? "" : text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    }
  }
  const int rc = Noted(db_, sqlite3_step(stmt));
  sqlite3_reset(stmt);
  sqlite3_clear_bindings(stmt);
  return rc == SQLITE_DONE ? 0 : rc;
}

// The number of rows of a table, so a list can take them without growing
// step by step (a W-2 record is over a kilobyte).
size_t CompanyDatabase::RowCount(const char* table) {
  sqlite3_stmt* stmt = nullptr;
  size_t count = 0;
  if (sqlite3_prepare_v2(db_, (std::string("SELECT count(*) FROM ") + table).c_str(), -1, &stmt, nullptr) ==
          SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW)
    count = static_cast<size_t>(sqlite3_column_int64(stmt, 0));
  sqlite3_finalize(stmt);
  return count;
}

template <class R>
void CompanyDatabase::ReserveFor(std::vector<R>& list) {
  if (db_) list.reserve(list.size() + RowCount(Select<R>().table));
}

// Reads the rows of R's SELECT into `list`, each filled in place; a row that
// `keep` refuses is taken off again.
template <class R, class Keep>
int CompanyDatabase::ReadRows(std::vector<R>& list, Keep&& keep) {
  const auto& shape = Select<R>();
  statement_ = shape.sql;
  if (!db_) return kNoConnection;
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db_, statement_.c_str(), -1, &stmt, nullptr);
  if (rc != SQLITE_OK) return rc;
  const auto fields = RecordFields<R>();
  const int columns = std::min<int>(sqlite3_column_count(stmt), static_cast<int>(shape.order.size()));
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    R& record = list.emplace_back();
    // The row's texts, seen where SQLite holds them, go into the record at once.
    std::array<std::string_view, R::kTextCount> texts{};
    for (int i = 0; i < columns; ++i) {
      const auto& field = fields[shape.order[i]];
      if (field.IsText()) {
        // NULL, as in columns added to older files, reads as the empty text.
        if (const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)))
          texts[static_cast<size_t>(std::get<TextMember<R>>(field.member).index)] = {
              text, static_cast<size_t>(sqlite3_column_bytes(stmt, i))};
      } else if (sqlite3_column_type(stmt, i) == SQLITE_INTEGER) {
        // Stored as a number: taken as is, without making its text first.
        const sqlite3_int64 value = sqlite3_column_int64(stmt, i);
        field.NumberIn(record) =
            value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<int32_t>(value);
      } else {
        field.NumberIn(record) = ParseStoredInt(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
      }
    }
    record.texts.Assign(texts);
    if (!keep(record)) list.pop_back();
  }
  sqlite3_finalize(stmt);
  return rc == SQLITE_DONE ? 0 : rc;
}

// A table of one row: each row read overwrites the record.
template <class R>
int CompanyDatabase::ReadRecord(R& record) {
  std::vector<R> rows;
  const int rc = ReadRows(rows, [](R&) { return true; });
  if (rc == 0 && !rows.empty()) record = std::move(rows.back());
  return rc;
}

int CompanyDatabase::ReadCompany(CompanyRecord& record) {
  // The unique id is not read (always 1).
  const int32_t id = record.CompanyUniqueID;
  const int rc = ReadRecord(record);
  record.CompanyUniqueID = id;
  return rc;
}

int CompanyDatabase::ReadEmployees(std::vector<EmployeeRecord>& list) {
  ReserveFor(list);
  return ReadRows(list, [](EmployeeRecord&) { return true; });
}

int CompanyDatabase::ReadContractors(std::vector<ContractorRecord>& list) {
  ReserveFor(list);
  return ReadRows(list, [](ContractorRecord& r) {
    r.SetGeneralInformation("");  // the column is read but not taken over
    return true;
  });
}

int CompanyDatabase::ReadW2Forms(std::vector<W2Record>& list) {
  ReserveFor(list);
  return ReadRows(list, [](W2Record& r) {
    for (auto code : {W2Record::Text::Field12aCode, W2Record::Text::Field12bCode, W2Record::Text::Field12cCode,
                      W2Record::Text::Field12dCode})
      r.SetTextAt(code, Box12CodeFromFile(std::string(r.TextAt(code)).c_str()));
    return true;
  });
}

int CompanyDatabase::ReadForms1099(std::vector<Form1099Record>& list,
                                   const std::vector<ContractorRecord>& contractors) {
  // At most one 1099-MISC per contractor, the first row in table order wins,
  // and rows of contractors that no longer exist are not loaded.
  std::unordered_set<int32_t> known;
  known.reserve(contractors.size());
  for (const auto& c : contractors) known.insert(c.ContractorUniqueID);
  std::unordered_set<int32_t> taken;
  taken.reserve(list.size() + contractors.size());
  for (const auto& f : list) taken.insert(f.ContractorUniqueID);
  ReserveFor(list);
  return ReadRows(list, [&](Form1099Record& r) {
    return known.count(r.ContractorUniqueID) && taken.insert(r.ContractorUniqueID).second;
  });
}

int CompanyDatabase::ReadW3(std::vector<W3Record>& list) {
  ReserveFor(list);
  return ReadRows(list, [](W3Record&) { return true; });
}

int CompanyDatabase::ReadForm1096(Form1096Record& record) { return ReadRecord(record); }

int CompanyDatabase::ReadTransmitter(TransmitterRecord& record) {
  const int rc = ReadRecord(record);
  record.FileTypeOriginal = record.FileTypeOriginal == 1 ? 1 : 0;
  record.FileTypeReplacement = record.FileTypeReplacement == 1 ? 1 : 0;
  return rc;
}

int CompanyDatabase::ReadSubmitter(SubmitterRecord& record) { return ReadRecord(record); }

// ---- writes ---------------------------------------------------------------

int CompanyDatabase::InsertEmployee(const EmployeeRecord& r, int32_t id) {
  auto args = ValuesFrom(r, 1);
  args.insert(args.begin(), id);
  return RunWrite(
      "INSERT INTO Employees "
      "VALUES('%d',1,'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s');", args);
}

int CompanyDatabase::UpdateEmployee(const EmployeeRecord& r, int32_t id) {
  auto args = ValuesFrom(r, 1);
  args.push_back(id);
  return RunWrite(
      "UPDATE Employees SET SocialSecurityNumber ='%s',FirstName='%s',MiddleName='%s',LastName='%s',"
      "Address1='%s',Address2='%s',City='%s',State='%s',Zip='%s',Suffix='%s',ExtraText1='%s',"
      "ExtraText2='%s',ExtraText3='%s' WHERE EmployeeUniqueID=%d;", args);
}

int CompanyDatabase::DeleteEmployee(int32_t id) {
  return RunWrite(
"DELETE FROM Employees WHERE EmployeeUniqueID = %d", {id});
}

namespace {
// Contractor values after the id; GeneralInformation is always written empty.
std::vector<SqlArg> ContractorValues(const ContractorRecord& r) {
  static const Column<ContractorRecord> general("GeneralInformation");
  auto args = ValuesFrom(r, 1);
  args[general.index - 1] = std::string_view();
  return args;
}
}  // namespace

int CompanyDatabase::InsertContractor(const ContractorRecord& r, int32_t id) {
  auto args = ContractorValues(r);
  args.insert(args.begin(), id);
  return RunWrite(
      "INSERT INTO Contractors "
      "VALUES('%d',1,'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%d','%s','%s','%s','%s','%s','%s');", args);
}

int CompanyDatabase::UpdateContractor(const ContractorRecord& r, int32_t id) {
  auto args = ContractorValues(r);
  args.push_back(id);
  return RunWrite(
      "UPDATE Contractors SET IdentificationNumber ='%s',FirstName='%s',MiddleName='%s',LastName='%s',"
      "Address1='%s',Address2='%s',City='%s',State='%s',Zip='%s',AccountNumber='%s',GeneralInformation='%s',"
      "SecondTIN=%d,TypeOfTIN='%s',NameLine1='%s',NameLine2='%s',ExtraText1='%s',ExtraText2='%s',"
      "ExtraText3='%s' WHERE ContractorUniqueID=%d;", args);
}

int CompanyDatabase::DeleteContractor(int32_t id) {
  return RunWrite(
"DELETE FROM Contractors WHERE ContractorUniqueID = %d", {id});
}

int CompanyDatabase::InsertW2(const W2Record& r, int32_t id) {
  auto args = W2Values(r);
  args.insert(args.begin(), {SqlArg(id), SqlArg(r.EmployeeUniqueID)});
  return RunWrite(
      "INSERT INTO W2 VALUES('%d','%d','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%d','%d','%d',"
      "'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',"
      "'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s' );", args);
}

int CompanyDatabase::UpdateW2(const W2Record& r) {
  auto args = W2Values(r);
  args.push_back(r.W2UniqueID);
  return RunWrite(
      "UPDATE W2 SET Wages ='%s',FederalIncomeTaxWithdrawal='%s',SocialSecurityWages='%s',"
      "SocialSecurityTaxWithheld='%s',MedicareWages='%s',MedicareTaxWithheld='%s',SocialSecurityTips='%s',"
      "AllocatedTips='%s',AdvancEICPayment='%s',DependentCareBenefits='%s',NonQualifiedPlans='%s',"
      "StatutoryEmployee='%d',RetirementPlan='%d',ThirdPartySickpay='%d',Other1='%s',Other2='%s',Other3='%s',"
      "Field12aCode='%s',Field12bCode='%s',Field12cCode='%s',Field12dCode='%s',Field12aYear='%s',"
      "Field12bYear='%s',Field12cYear='%s',Field12dYear='%s',Field12aAmount='%s',Field12bAmount='%s',"
      "Field12cAmount='%s',Field12dAmount='%s',State1='%s',StateID1='%s',State2='%s',StateID2='%s',"
      "StateWages1='%s',StateWages2='%s',StateIncomTax1='%s',StateIncomTax2='%s',LocalWages1='%s',"
      "LocalWages2='%s',LocalIncomeTax1='%s',LocalIncomeTax2='%s',LocalityName1='%s',LocalityName2='%s',"
      "Field12aExtraCode='%s',Field12bExtraCode='%s',Field12cExtraCode='%s',Field12dExtraCode='%s',"
      "ExtraText1='%s',ExtraText2='%s',ExtraText3='%s'  WHERE W2UniqueID=%d;", args);
}

int CompanyDatabase::DeleteW2(int32_t id) {
  return RunWrite(
"DELETE FROM W2 WHERE W2UniqueID = %d", {id});
}

int CompanyDatabase::InsertForm1099(const Form1099Record& r, int32_t id) {
  static const Column<Form1099Record> general("GenearlInformation");
  auto args = ValuesFrom(r, 2);
  args[general.index - 2] = std::string_view();  // a new form's general information is empty
  args.insert(args.begin(), {SqlArg(id), SqlArg(r.ContractorUniqueID)});
  return RunWrite(
      "INSERT INTO Form1099 VALUES('%d','%d','%s','%s','%s','%s','%s','%s','%s','%s','%d','%s','%s','%s','%s',"
      "'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s' );", args);
}

int CompanyDatabase::UpdateForm1099(const Form1099Record& r) {
  // The assignments name the state boxes 15 before the payer state ids.
  static const std::vector<size_t> order = [] {
    std::vector<size_t> o;
    for (const char* c :
         {"Rents", "Royalities", "OtherIncome", "FederalIncomeTaxWithheld", "FishingBoatProceeds",
          "MedicalAndHealthCarePayments", "NonemployeeCompensation", "SubstitutePayments", "PayerMadeDirectSales",
          "CropInsuranceProceeds", "ExcessGoldenParachutePayments", "GrossProceedsPaidToAttorney",
          "GenearlInformation", "StateTaxWithheld1", "StateTaxWithheld2", "Field15A", "Field15B",
          "PayerStateID1", "PayerStateID2", "StateIncome1", "StateIncome2", "ExtraText1", "ExtraText2",
          "ExtraText3"})
      o.push_back(FieldIndex<Form1099Record>(c));
    return o;
  }();
  static const Column<Form1099Record> general("GenearlInformation");
  const auto fields = RecordFields<Form1099Record>();
  std::vector<SqlArg> args;
  args.reserve(order.size() + 1);
  for (size_t i : order) args.push_back(i == general.index ? SqlArg(std::string_view(" ")) : ArgOf(r, fields[i]));
  args.push_back(r.Form1099UniqueID);
  return RunWrite(
      "UPDATE Form1099 SET Rents ='%s',Royalities ='%s',OtherIncome ='%s',FederalIncomeTaxWithheld ='%s',"
      "FishingBoatProceeds ='%s',MedicalAndHealthCarePayments ='%s',NonemployeeCompensation ='%s',"
      "SubstitutePayments ='%s',PayerMadeDirectSales ='%d',CropInsuranceProceeds ='%s',"
      "ExcessGoldenParachutePayments ='%s',GrossProceedsPaidToAttorney ='%s',GenearlInformation ='%s',"
      "StateTaxWithheld1 ='%s',StateTaxWithheld2 ='%s',Field15A ='%s',Field15B ='%s',PayerStateID1 ='%s',"
      "PayerStateID2 ='%s',StateIncome1 ='%s',StateIncome2 ='%s',ExtraText1 ='%s',ExtraText2 ='%s',"
      "ExtraText3 ='%s' WHERE Form1099UniqueID =%d;", args);
}

int CompanyDatabase::DeleteForm1099(int32_t id) {
  return RunWrite(
"DELETE FROM Form1099 WHERE Form1099UniqueID = %d", {id});
}

int CompanyDatabase::InsertCompany(const CompanyRecord& r, int32_t id) {
  auto args = ValuesFrom(r, 1);
  args.insert(args.begin(), id);
  return RunWrite(
      "INSERT INTO Company VALUES('%d','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',"
      "'%s','%s','%s','%s','%d','%d','%s','%s','%s','%s','%d','%s','%s','%s','%s','%s','%s','%s','%s','%s' );", args);
}

int CompanyDatabase::UpdateCompany(const CompanyRecord& r) {
  const auto args = ValuesFrom(r, 1);
  return RunWrite(
      "UPDATE Company SET EmployerIdentificationNumber ='%s',EmployerName='%s',Address1='%s',Address2='%s',"
      "City='%s',State='%s',Zip='%s',StateID='%s',SocialSecurityNumber='%s',FormW3ControlNumber='%s',"
      "FormW3EstablishmentNumber='%s',FormW3OtherEIN='%s',FormW3ThirdPartySickPay='%s',"
      "FormW3IncomeTaxWithHeld='%s',FormW3ContactName='%s',FormW3Telephone='%s',FormW3Email='%s',"
      "FormW3Fax='%s',FormW3RadioKindOfPayer='%d',FormW3CheckThirdPartySickPay='%d',Form1096ContactName='%s',"
      "Form1096Telephone='%s',Form1096Fax='%s',Form1096Email='%s',Form1096CheckIsThisYourFinalReturn='%d',"
      "Form1096FilerName='%s',IsAgent='%s',AgentEIN='%s',FormW2Indicators='%s',Form1099Indicators='%s',"
      "TaxJurisdictionCode='%s',ExtraText1='%s',ExtraText2='%s',ExtraText3='%s' ;", args);
}

int CompanyDatabase::InsertTransmitter(const TransmitterRecord& r, int32_t id) {
  auto args = ValuesFrom(r, 0);
  args.insert(args.begin(), id);
  return RunWrite(
      "INSERT INTO EFiling_1099_Transmitter VALUES('%d','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',"
      "'%s','%s','%s','%s','%d','%d' );", args);
}

int CompanyDatabase::UpdateTransmitter(const TransmitterRecord& r) {
  auto args = ValuesFrom(r, 0);
  // Flags are written as 0 or 1.
  args[args.size() - 2] = r.FileTypeOriginal ? 1 : 0;
  args[args.size() - 1] = r.FileTypeReplacement ? 1 : 0;
  return RunWrite(
      "UPDATE EFiling_1099_Transmitter SET TransmitterTIN ='%s',TransmitterControlCode ='%s',"
      "TransmitterName ='%s',TransmitterNameContinuation ='%s',CompanyName ='%s',CompanyNameContinuation ='%s',"
      "CompanyMailingAddress ='%s',CompanyCity ='%s',CompanyState ='%s',CompanyZipCode ='%s',ContactName ='%s',"
      "ContactPhoneNumberAndExtension ='%s',ContactEmailAddress ='%s',"
      "ElectronicFileNameForAReplacementFile ='%s',TestFileIndicator ='%s',FileTypeOriginal ='%d',"
      "FileTypeReplacement ='%d' ;", args);
}

int CompanyDatabase::InsertSubmitter(const SubmitterRecord& r, int32_t id) {
  auto args = ValuesFrom(r, 0);
  args.insert(args.begin(), id);
  return RunWrite(
      "INSERT INTO EFiling_W2_Submitter VALUES('%d','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',"
      "'%s','%s','%s','%s','%s','%s' );", args);
}

int CompanyDatabase::UpdateSubmitter(const SubmitterRecord& r) {
  const auto args = ValuesFrom(r, 0);
  return RunWrite(
      "UPDATE EFiling_W2_Submitter SET SubmitterEIN ='%s',SubmitterPIN ='%s',ResubIndicator ='%s',"
      "ResubWFID ='%s',SubmitterName ='%s',LocationAddress ='%s',DeliveryAddress ='%s',City ='%s',"
      "StateAbbreviation ='%s',ZipCode ='%s',ContactName ='%s',ContactPhone ='%s',ContactPhoneExtension ='%s',"
      "ContactEmail ='%s',ContactFax ='%s',ProblemNotifcationCode ='%s',PreparerCode ='%s' ;", args);
}

int LastSystemErrorOf(int code) { return g_systemErrorOf[code & 0xFF]; }

std::string EngineCodeInWords(int code, int systemError) {
  switch (code & 0xFF) {
    case SQLITE_FULL: return "The disk is full.";
    case SQLITE_READONLY: return "The company file or its folder cannot be written.";
    case SQLITE_IOERR:
      if (systemError == EFBIG)
        return "The company file would grow larger than this program is allowed to write (a limit on the size "
               "of files).";
      if (systemError == ENOSPC) return "The disk is full.";
      if (systemError == EDQUOT) return "Your share of the disk (its quota) is used up.";
      return "The disk reported an error while the company file was read or written (it may be failing, or a "
             "network drive was lost).";
    case SQLITE_CANTOPEN:
      if (systemError == EACCES || systemError == EPERM || systemError == EROFS)
        return "The company file or its folder cannot be written.";
      return "The company file, or a file the engine makes beside it, cannot be opened.";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return "Another program kept the company file busy for too long. Try again in a moment.";
    case SQLITE_NOMEM: return "There is not enough memory.";
    case SQLITE_CORRUPT: return "The company file is damaged.";
    case SQLITE_NOTADB: return "The file is not a company file of Formet, or it is damaged.";
    case SQLITE_CONSTRAINT:
      return "The company file refused the change: it would break one of the file's rules (such as a record "
             "stored twice).";
    case SQLITE_PERM:
    case SQLITE_AUTH: return "Access to the company file was refused.";
    case SQLITE_TOOBIG: return "A text or a record is too large for the company file.";
    case SQLITE_PROTOCOL:
    case SQLITE_NOLFS: return "The disk of the company file does not support what the engine needs to use it.";
    case SQLITE_ERROR: return "The company file does not hold what Formet expects (a table or column is missing).";
    default: return {};
  }
}

}  // namespace formet
