#pragma once
// CompanyDatabase: the only code that talks to the SQL engine. It holds the
// connection to one company file, turns records into statements, runs them,
// and turns result rows back into records. Every operation returns 0 for
// success or the engine's result code; it never shows a message.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/records.h"
#include "store/sql_format.h"

struct sqlite3;

namespace formet {

struct TableDef;

// How long a statement waits for another connection's lock on the file
// before it gives up with the engine's "busy" code (5).
inline constexpr int kBusyTimeoutMs = 5000;

enum class OpenMode {
  Existing,  // the file must exist; nothing is created
  Create,    // an empty file is created when none exists (new companies, converted files)
  ReadOnly,  // the file must exist and is only read (a company that cannot be written)
};

// The system's error (errno) behind the last failure with the engine's
// `code`, when the engine had one (a full disk behind code 13, a limit on
// the size of files behind code 10); 0 otherwise.
int LastSystemErrorOf(int code);

// What the engine's code means to a user, as a sentence (with its final
// period); empty for a code a user does not meet. `systemError`, when known,
// makes it precise.
std::string EngineCodeInWords(int code, int systemError = 0);

class CompanyDatabase {
 public:
  // Called with each result row: column count, column texts (NULL for a
  // missing value).
  using RowReader = std::function<void(int columns, char** values)>;

  CompanyDatabase();
  ~CompanyDatabase();
  CompanyDatabase(const CompanyDatabase&) = delete;
  CompanyDatabase& operator=(const CompanyDatabase&) = delete;

  // Connection and transactions. A connection waits up to kBusyTimeoutMs for
  // another connection's lock.
  int Open(const std::filesystem::path& path, OpenMode mode = OpenMode::Existing);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
  bool InTransaction() const { return inTransaction_; }
  int Execute(const std::string& sql, const RowReader& reader = {});
  int BeginTransaction();
  int EndTransaction();
  // Undoes the open transaction; used when a statement of a save failed.
  int RollbackTransaction();

  // Schema.
  int CreateTables();
  int AddColumn(const std::string& table, const std::string& column, bool isText, int width);
  int ReadVersion(std::string& version);
  int UpdateVersion(const std::string& version);
  // Every row of Version, NULL read as the empty text.
  int ReadVersionRows(std::vector<std::string>& versions);
  int InsertVersion(const std::string& version);
  // The tables of schema `version` (1 to 3) with their columns of that
  // version, without any row. Stops at the first failure.
  int CreateTablesOfVersion(int version);
  // The names of a table's columns in order, as the file declares them;
  // empty when the table does not exist.
  int ReadTableColumns(const TableDef& table, std::vector<std::string>& columns);
  // One row of `values` (NULL for nullopt, otherwise text) into the first
  // values.size() columns of the table, each bound as a parameter.
  int InsertValues(const TableDef& table, std::span<const std::optional<std::string_view>> values);

  // Reads.
  int ReadCompany(CompanyRecord& record);
  int ReadEmployees(std::vector<EmployeeRecord>& list);
  int ReadContractors(std::vector<ContractorRecord>& list);
  int ReadW2Forms(std::vector<W2Record>& list);
  int ReadForms1099(std::vector<Form1099Record>& list, const std::vector<ContractorRecord>& contractors);
  int ReadW3(std::vector<W3Record>& list);
  int ReadForm1096(Form1096Record& record);
  int ReadTransmitter(TransmitterRecord& record);
  int ReadSubmitter(SubmitterRecord& record);

  // Writes.
  int InsertEmployee(const EmployeeRecord& record, int32_t id);
  int UpdateEmployee(const EmployeeRecord& record, int32_t id);
  int DeleteEmployee(int32_t id);
  int InsertContractor(const ContractorRecord& record, int32_t id);
  int UpdateContractor(const ContractorRecord& record, int32_t id);
  int DeleteContractor(int32_t id);
  int InsertW2(const W2Record& record, int32_t id);
  int UpdateW2(const W2Record& record);
  int DeleteW2(int32_t id);
  int InsertForm1099(const Form1099Record& record, int32_t id);
  int UpdateForm1099(const Form1099Record& record);
  int DeleteForm1099(int32_t id);
  int InsertCompany(const CompanyRecord& record, int32_t id);
  int UpdateCompany(const CompanyRecord& record);
  int InsertTransmitter(const TransmitterRecord& record, int32_t id);
  int UpdateTransmitter(const TransmitterRecord& record);
  int InsertSubmitter(const SubmitterRecord& record, int32_t id);
  int UpdateSubmitter(const SubmitterRecord& record);

  // The text of the statement built by the last operation.
  const std::string& Statement() const { return statement_; }

  // The SELECT statement of each read, as it is run.
  template <class R>
  static const std::string& SelectStatement();

 private:
  struct WriteCache;
  int Run();  // executes statement_ without a reader
  int RunWrite(std::string_view format, std::span<const SqlArg> args);
  int RunWrite(std::string_view format, std::initializer_list<SqlArg> args) {
    return RunWrite(format, std::span<const SqlArg>(args.begin(), args.size()));
  }
  void FinalizeWrites();
  template <class R, class Keep>
  int ReadRows(std::vector<R>& list, Keep&& keep);
  template <class R>
  int ReadRecord(R& record);
  size_t RowCount(const char* table);
  template <class R>
  void ReserveFor(std::vector<R>& list);

  sqlite3* db_ = nullptr;
  bool inTransaction_ = false;
  std::string statement_;
  std::unique_ptr<WriteCache> writes_;
};

// Box 12 codes: the file holds "AA" and "BB" where a record holds "0" and "1".
std::string_view Box12CodeToFile(std::string_view recordCode);
std::string Box12CodeFromFile(const char* stored);

// Decimal conversion of a stored id, INT column or flag: stops at the first
// non-digit; empty or NULL gives 0.
int32_t ParseStoredInt(const char* text);

}  // namespace formet
