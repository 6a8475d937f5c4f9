#pragma once
// What was filed: an unchangeable copy of every W-2 (with its employee's SSN,
// name and address) and every 1099-MISC (with its payee's TIN, name and
// address) as it was filed, with the date. A correction is the difference
// between the copy and the form now.
//
// The copies live in tables of our own in the company file, beside the ten
// tables of the company: they are created the first time something is
// recorded, so a file that never recorded anything is exactly what it was.
// Triggers refuse every UPDATE and DELETE of a filed row; a later filing
// (a W-2c) adds a row, it never changes one.
//
// Also here: the "previously reported" column of a W-2c made by hand, for a
// W-2 that was filed before anything was recorded. It is the user's to
// change or delete, each change a row of its own: the latest row counts.
//
// Recording is written at once, in a transaction of its own; the company's
// journal of pending changes never holds it. Every value is bound.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "store/records.h"

namespace formet {

class CompanyDatabase;

inline constexpr const char* kFiledW2Table = "FiledW2";
inline constexpr const char* kFiled1099Table = "Filed1099";
inline constexpr const char* kW2cByHandTable = "W2cPreviouslyReported";
inline constexpr const char* kW3cExplanationTable = "W3cExplanation";

// What a filed row was filed as.
enum class FiledAs : int32_t {
  Original = 0,    // a W-2 or a 1099-MISC
  Correction = 1,  // a W-2c (its correct column) or a corrected 1099-MISC
};

// The employer's numbers a W-2 carried when it was filed.
struct EmployerAsFiled {
  std::string ein, establishmentNumber, stateId;
  bool operator==(const EmployerAsFiled&) const = default;
};

// One W-2 as filed (or, in the hand-made table, as previously reported).
struct FiledW2 {
  int32_t id = 0;         // the row's own id (hand-made: the employee's id)
  std::string filedOn;    // "YYYY-MM-DD"; empty for a hand-made row
  FiledAs as = FiledAs::Original;
  EmployerAsFiled employer;
  EmployeeRecord employee;
  W2Record form;
  bool operator==(const FiledW2&) const = default;
};

// One 1099-MISC as filed.
struct Filed1099 {
  int32_t id = 0;
  std::string filedOn;
  FiledAs as = FiledAs::Original;
  std::string payerTin;
  ContractorRecord contractor;
  Form1099Record form;
  bool operator==(const Filed1099&) const = default;
};

// True when the file holds the table (of our own) named.
bool HasOwnTable(CompanyDatabase& db, const char* table);

// Every row, oldest first; none when nothing was ever recorded. 0 or the
// engine's code.
int ReadFiledW2s(CompanyDatabase& db, std::vector<FiledW2>& rows);
int ReadFiled1099s(CompanyDatabase& db, std::vector<Filed1099>& rows);
// The hand-made previously reported W-2s, in employee id order.
int ReadHandMadeW2cs(CompanyDatabase& db, std::vector<FiledW2>& rows);

// Adds the rows (their ids are given here) in one transaction, creating the
// tables first when needed; `handMadeDone` are employees whose hand-made
// W-2c is removed in the same transaction (its correct column was filed).
// On failure nothing is written. 0 or the engine's code.
int RecordFiledW2s(CompanyDatabase& db, std::span<const FiledW2> rows, std::span<const int32_t> handMadeDone = {});
int RecordFiled1099s(CompanyDatabase& db, std::span<const Filed1099> rows);

// Writes (adds or replaces) the hand-made W-2c of `row.employee`, or removes
// it; each in one transaction.
int SaveHandMadeW2c(CompanyDatabase& db, const FiledW2& row);
int DeleteHandMadeW2c(CompanyDatabase& db, int32_t employeeId);

// The text the user gave for the W-3c's "Explain decreases here"; empty when
// none was ever given (the file without the table reads as empty). Saving
// adds a row, the latest counts; nothing is written when it is unchanged.
inline constexpr size_t kW3cExplanationLimit = 1000;  // characters kept
int ReadW3cExplanation(CompanyDatabase& db, std::string& text);
int SaveW3cExplanation(CompanyDatabase& db, const std::string& text);

// Today's date as a filed row holds it, "YYYY-MM-DD" (local time).
std::string TodayFiledDate();
// "MM/DD/YYYY" for a filed row's date; the text as it is when it is not one.
std::string ShowFiledDate(const std::string& filedOn);

// The latest filed copy of each employee (contractor): the one a correction
// starts from. Pointers into `rows`, nullptr for none.
const FiledW2* LatestFiledFor(const std::vector<FiledW2>& rows, int32_t employeeId);
const Filed1099* LatestFiledFor(const std::vector<Filed1099>& rows, int32_t contractorId);

}  // namespace formet
