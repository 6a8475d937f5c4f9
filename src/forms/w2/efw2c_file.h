#pragma once
// The SSA corrections file (EFW2C) of tax year 2007: the W-2c's of a company
// in 1024-character records, RCA (submitter), RCE (employer), RCW per
// employee with RCO where needed, RCT and RCU (totals), RCF (final).
//
// Every money item comes in two iterations, originally reported and correct.
// An item the W-2c leaves unchanged is blank in both; a changed one is
// numeric in both (a zero side all zeros). The SSN and name as originally
// reported are written only when they were corrected.
//
// MakeEfw2cFile checks everything first (the submitter and employer as the
// wage file does, each W-2c with the checks of its correct column) and lists
// every problem at once; while an error stands nothing is built. A built file
// is read back by CheckEfw2cFile, and its totals must equal the W-3c's.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/efile_common.h"
#include "forms/w2/w2c_form.h"
#include "forms/w2/w3c_totals.h"
#include "store/records.h"

namespace formet {
class CGlobalDoc;
}

namespace formet::efile {

inline constexpr size_t kEfw2cRecordWidth = 1024;

// The counts of each record type.
struct Efw2cCounts {
  size_t rca = 0, rce = 0, rcw = 0, rco = 0, rct = 0, rcu = 0, rcf = 0;
  bool operator==(const Efw2cCounts&) const = default;
};

// The totals the file carries, by W-3c box, each column apart (summed over
// its RCT and RCU records); an item left blank adds nothing.
struct Efw2cFileTotals {
  int32_t employees = 0;              // RCW records
  std::array<W3cColumns, 12> box{};   // box[1]..box[11]; box 8 from RCU; 11 both nonqualified plan fields
  W3cColumns box12;                   // codes D, E, F, G, H, S, Y, AA, BB
  bool operator==(const Efw2cFileTotals&) const = default;
};

struct Efw2cFileCheck {
  std::vector<std::string> problems;  // empty when every record is sound
  Efw2cCounts counts;
  Efw2cFileTotals totals;
  bool Ok() const { return problems.empty(); }
};

// Reads a corrections file back: every record's length and line end, the
// record types and their order, each pair of iterations (both blank or both
// digits), the indicators, the blank positions, each RCT and RCU against its
// block, RCF against the number of RCW records.
Efw2cFileCheck CheckEfw2cFile(std::string_view bytes);

// The differences between the file's totals and the W-3c, one text per box
// and column; empty when they agree.
std::vector<std::string> CompareWithW3c(const Efw2cFileTotals& file, const W3cTotals& w3c);

struct Efw2cResult {
  Report report;
  std::string bytes;  // the file; empty while the report holds an error
  Efw2cCounts counts;
  Efw2cFileTotals totals;
};

// The file of the W-2c's that go to the SSA (`forms` as BuildW2cList gives
// them; the further forms of an employee's box 12 lines join that
// employee's RCW). `employees` give the correct names and addresses.
Efw2cResult MakeEfw2cFile(const SubmitterRecord& submitter, const CompanyRecord& company,
                          const std::vector<EmployeeRecord>& employees, const std::vector<W2cForm>& forms);

}  // namespace formet::efile

namespace formet {

// The corrections file of the open company, from what was recorded as filed
// and the forms now.
efile::Efw2cResult MakeEfw2cFile(CGlobalDoc& doc);

// What the user is told when the company has no W-2c that goes to the SSA,
// so that there is no corrections file to write; empty when it has one.
std::string NoEfw2cMessage(CGlobalDoc& doc);

// What a written corrections file holds, for the user.
std::string Efw2cSummary(const efile::Efw2cResult& result);

}  // namespace formet
