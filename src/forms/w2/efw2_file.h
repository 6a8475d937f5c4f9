#pragma once
// The SSA wage file (EFW2) of tax year 2007: every W-2 of the company in one
// fixed-width file of 512-character records, RA (submitter), RE (employer),
// RW per W-2 with its RO and RS records, RT and RU (totals), RF (final).
//
// MakeEfw2File checks everything first and lists every problem in one report;
// while any error stands, nothing is built. A built file is read back by
// CheckEfw2File, and its totals must equal the W-3's, before it is handed out.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/efile_common.h"
#include "forms/w2/w3_totals.h"
#include "store/records.h"

namespace formet::efile {

inline constexpr size_t kEfw2RecordWidth = 512;

struct Efw2Options {
  // Write an RS record per state line (box 15-19), for states that take the
  // federal file; the SSA does not need them.
  bool stateRecords = false;
  // Box 6 is compared with 1.45 % of box 5; a difference up to this much (in
  // cents) is taken for payroll's rounding. Payroll rounds each pay period,
  // so the wage file lets a dollar pass; the review of the forms a cent.
  int64_t withheldTaxTolerance = 100;
  // Box 4 is compared with 6.2 % of boxes 3 and 7 (up to the wage base) too,
  // with the same tolerance.
  bool compareSocialSecurityTax = false;
  // Told how far the forms are; its Cancel stops the file, which then holds
  // nothing.
  WorkProgress* progress = nullptr;
  // The number of forms above which the document's file shows its progress.
  size_t progressForms = kEfileProgressForms;
};

// The totals a wage file carries, by W-3 box, summed over its RT records (and
// RU records, for box 8 and the code S part of box 12).
struct Efw2FileTotals {
  int32_t formCount = 0;                  // RW records
  std::array<int64_t, 12> box{};          // box[1]..box[11]; box 11 = both nonqualified plan fields
  int64_t deferredCompensation = 0;       // box 12: codes D, E, F, G, H, S, Y, AA, BB
  int64_t thirdPartySickPayTax = 0;       // box 14 (RT 325-339)
  bool operator==(const Efw2FileTotals&) const = default;
};

// The counts of each record type, for the user's confirmation.
struct Efw2Counts {
  size_t ra = 0, re = 0, rw = 0, ro = 0, rs = 0, rt = 0, ru = 0, rf = 0;
  bool operator==(const Efw2Counts&) const = default;
};

// What reading a wage file back found.
struct Efw2FileCheck {
  std::vector<std::string> problems;  // empty when every record is sound
  Efw2Counts counts;
  Efw2FileTotals totals;
  bool Ok() const { return problems.empty(); }
};

// Reads a wage file back: every record's length and line end, the record
// types and their order, the codes of the indicator fields, the digits of
// the money fields, each RT against the sums of its block's RW records, each
// RU against its RO records, RF against the number of RW records.
Efw2FileCheck CheckEfw2File(std::string_view bytes);

// The differences between a file's totals and the W-3 (its totals and box 14
// from the company), one text per box; empty when they agree.
std::vector<std::string> CompareWithW3(const Efw2FileTotals& file, const W3Totals& w3, int64_t box14);

struct Efw2Result {
  Report report;
  std::string bytes;  // the file; empty while the report holds an error
  Efw2Counts counts;
  Efw2FileTotals totals;
  bool cancelled = false;  // the user stopped it: no file
};

// Checks the submitter record, the company and every W-2 (with its
// employee), then builds the file, reads it back and compares it with the
// W-3. `forms` are the company's W-2s in list order; each is written with the
// employee whose EmployeeUniqueID it names.
Efw2Result MakeEfw2File(const SubmitterRecord& submitter, const CompanyRecord& company,
                        const std::vector<EmployeeRecord>& employees, const std::vector<W2Record>& forms,
                        const Efw2Options& options = {});

// The checks MakeEfw2File makes of one W-2 and its employee, each problem
// added to `report` under "W-2 of NAME (SSN)": the one set of rules of a
// W-2's fields, which the review of the forms lists too.
void CheckW2ForFile(Report& report, const CompanyRecord& company, const W2Record& form,
                    const EmployeeRecord& employee, const Efw2Options& options = {});

// ---- the parts the corrections file (EFW2C) shares ------------------------------

// The text rules of the wage files: names, and every other text.
TextRule NameRule(size_t width, bool required = false);
TextRule TextOf(size_t width, bool required = false);

// The submitter record checked, every problem in the report, its fields as
// the files hold them.
struct SubmitterFields {
  std::string ein, pin;
  bool resubmission = false;
  std::string wfid;
  FileText name, location, delivery, city;
  std::string state;
  Zip zip;
  FileText contact;
  std::string phone, extension, email, fax, notify, preparer;
};
SubmitterFields CheckSubmitter(Report& report, const SubmitterRecord& s);

// The employer (the company and its W-3 information) checked.
struct EmployerFields {
  std::string ein, otherEin;
  FileText establishment, name, location, delivery, city;
  std::string state;
  Zip zip;
  char employmentCode = 'R';          // by Kind of Payer
  int64_t thirdPartySickPayTax = 0;   // W-3 box 14
  bool thirdPartySickPay = false;
};
EmployerFields CheckEmployer(Report& report, const CompanyRecord& c);

// An employee's SSN, name and address checked (under `where`).
struct EmployeeText {
  std::string ssn;
  FileText first, middle, last, suffix, location, delivery, city;
  std::string state;
  Zip zip;
};
EmployeeText CheckEmployeeText(Report& report, const std::string& where, const EmployeeRecord& e);

// The numeric state code of the RS record (Alabama "01"), or empty.
std::string_view StateNumericCode(std::string_view state);

}  // namespace formet::efile
