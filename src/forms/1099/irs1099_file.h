#pragma once
// The IRS information return file of tax year 2007 for Forms 1099-MISC: one
// fixed-width file of 750-character records, T (transmitter), A (payer), B
// per form, C (end of payer, with the totals), K per state for the Combined
// Federal/State Filing program when asked for, F (end of transmission).
//
// Make1099File checks everything first and lists every problem in one
// report; while any error stands, nothing is built. A built file is read back
// by Check1099File, and its totals must equal the 1096's, before it is
// handed out.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/1099/form1096_totals.h"
#include "forms/efile_common.h"
#include "store/records.h"

namespace formet::efile {

inline constexpr size_t kIrsRecordWidth = 750;
// The payment amount codes in the order of their fields: 1-9, then A-G.
inline constexpr std::string_view kAmountCodes = "123456789ABCDEFG";

struct Irs1099Options {
  // The payer takes part in the Combined Federal/State Filing program: each
  // form carries the code of its recipient's state (when that state takes
  // part) and the file gets a K record per state.
  bool combinedFederalState = false;
  // Told how far the forms are; its Cancel stops the file, which then holds
  // nothing.
  WorkProgress* progress = nullptr;
  // The number of forms above which the document's file shows its progress.
  size_t progressForms = kEfileProgressForms;
};

// The totals a file carries, summed over its C records.
struct Irs1099FileTotals {
  int32_t formCount = 0;                  // B records
  std::array<int64_t, 16> amount{};       // by code, in the order of kAmountCodes
  int64_t stateTaxWithheld = 0;           // B 723-734
  // The 1096's box 4 (code 4) and box 5 (codes 1, 2, 3, 5, 6, 7, 8, A, B, C).
  int64_t Box4() const { return amount[3]; }
  int64_t Box5() const;
  bool operator==(const Irs1099FileTotals&) const = default;
};

struct Irs1099Counts {
  size_t t = 0, a = 0, b = 0, c = 0, k = 0, f = 0;
  bool operator==(const Irs1099Counts&) const = default;
};

struct Irs1099FileCheck {
  std::vector<std::string> problems;  // empty when every record is sound
  Irs1099Counts counts;
  Irs1099FileTotals totals;
  // The correction code of the payee records of each payer record, in
  // order: ' ' originals, 'G' one-transaction corrections and the first of
  // two, 'C' the second of two.
  std::string blockCodes;
  bool Ok() const { return problems.empty(); }
};

// Reads a file back: every record's length and positions 749-750, the
// record types and their order, the sequence numbers, the indicator codes,
// the payer's amount codes against the amounts its forms carry, each C and K
// record against the sums of its B records, T and F against the counts.
Irs1099FileCheck Check1099File(std::string_view bytes);

// The differences between a file's totals and the 1096 (boxes 3, 4 and 5),
// one text per box; empty when they agree.
std::vector<std::string> CompareWith1096(const Irs1099FileTotals& file, const Form1096Totals& form1096);

struct Irs1099Result {
  Report report;
  std::string bytes;  // the file; empty while the report holds an error
  Irs1099Counts counts;
  Irs1099FileTotals totals;
  bool cancelled = false;  // the user stopped it: no file
};

// Checks the transmitter record, the company (the payer) and every
// 1099-MISC (with its contractor), then builds the file, reads it back and
// compares it with the 1096. `forms` are the company's forms in list order.
Irs1099Result Make1099File(const TransmitterRecord& transmitter, const CompanyRecord& company,
                           const std::vector<ContractorRecord>& contractors,
                           const std::vector<Form1099Record>& forms, const Irs1099Options& options = {});

// One return of a corrections file: its payee, its form and its code.
struct Irs1099Return {
  const ContractorRecord* contractor = nullptr;
  const Form1099Record* form = nullptr;
  char correction = 'G';  // 'G' or 'C'
};

// The file of corrected returns: the transmitter and the company as for
// Make1099File, then a payer record with the 'G' returns and one with the
// 'C' returns (each only when it has any), each closed by its C record. The
// read-back check compares it with the 1096 of these returns.
Irs1099Result Make1099CorrectionsFile(const TransmitterRecord& transmitter, const CompanyRecord& company,
                                      const std::vector<Irs1099Return>& returns,
                                      const Irs1099Options& options = {});

// The checks Make1099File makes of one 1099-MISC and its contractor, each
// problem added to `report` under "1099-MISC of NAME (TIN)": the one set of
// rules of a form's fields, which the review of the forms lists too.
void Check1099ForFile(Report& report, const Form1099Record& form, const ContractorRecord& contractor,
                      const Irs1099Options& options = {});

// The recipient's name control (B 7-10): the first four letters of the
// surname of a person named by first and last name, or of a business's name
// (an EIN's holder; a leading "The" is passed over when more words follow);
// blanks when it cannot be told (a person named by free name lines).
std::string NameControl(const ContractorRecord& contractor, char typeOfTin);

// The Combined Federal/State code of a state, or empty when the state does
// not take part.
std::string_view CombinedFilingCode(std::string_view state);

}  // namespace formet::efile
