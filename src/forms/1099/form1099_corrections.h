#pragma once
// Corrected Forms 1099-MISC, from the difference between each payee's form
// as filed (its latest filing) and the form and payee now.
//
// What went wrong decides the procedure:
// - one return: a single form with CORRECTED checked and the correct data
//   (a wrong amount, code or check box, a wrong address, a wrong name alone,
//   a form that should not have been filed, which is corrected to zero);
// - two returns: step 1 the form exactly as filed with every amount zero and
//   CORRECTED checked, step 2 a new original with the correct data (no or a
//   wrong TIN, a wrong name and address).
// The split is a table (Form1099ErrorRules) so that a change of the rules
// is a change of one line.
//
// In the information return file a one-return correction and step 1 of a
// two-return one carry "G" in the payee record, step 2 carries "C"; each
// kind goes under a payer record of its own.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "forms/1099/form1096_totals.h"
#include "forms/1099/irs1099_file.h"
#include "store/filed_forms.h"
#include "store/records.h"

namespace formet {

class CGlobalDoc;

// The texts of the corrections that no source of the time confirmed are kept
// here, and only here.
struct Form1099CorrectionTexts {
  // Printed in the bottom margin of the 1096 that sends two-return
  // corrections; harmless where it is not asked for.
  static constexpr const char* k1096Legend = "Filed To Correct TIN, Name, and/or Address";
};

enum class Form1099Procedure { OneReturn, TwoReturns };

// What was wrong on the form as filed.
enum class Form1099Error {
  Amount,          // a money box
  CodeOrCheckBox,  // box 9 (direct sales) or the 2nd TIN notice
  Address,         // the address alone
  NameAlone,       // the name, the address unchanged
  NotToBeFiled,    // the payee or the form was deleted after filing
  NoTin,           // filed without the payee's TIN
  WrongTin,        // filed with a wrong TIN
  NameAndAddress,  // both the name and the address
  StateOnly,       // only boxes 16-18: the state's, not the IRS's
  Other,           // the account number
};

struct Form1099ErrorRule {
  Form1099Error error;
  Form1099Procedure procedure;
  const char* text;  // what the listing says
};
std::span<const Form1099ErrorRule> Form1099ErrorRules();
const Form1099ErrorRule& RuleOf(Form1099Error error);

// One form of a correction as it is printed and filed.
struct Corrected1099Return {
  int step = 0;            // 0 of a one-return correction; 1 or 2 of a two-return one
  bool correctedBox = false;  // CORRECTED checked (not on step 2)
  char fileCode = 'G';     // the payee record's correction code: 'G', or 'C' for step 2
  bool zeroed = false;     // every amount 0 (step 1, a deleted form): the print shows the zeros
  ContractorRecord contractor;
  Form1099Record form;
};

struct Form1099Correction {
  int32_t contractorId = 0;
  std::string payee;             // the payee's name now (as filed when deleted)
  std::string previouslyFiledOn; // "YYYY-MM-DD" of the filing corrected
  Form1099Procedure procedure = Form1099Procedure::OneReturn;
  std::vector<Form1099Error> errors;  // in the order of Form1099Error
  // False when only the state boxes changed: the corrected form goes to the
  // state and the payee, not to the IRS (neither the 1096 nor the file).
  bool toIrs = true;
  bool removed = false;          // the payee or its form was deleted: corrected to zero
  std::vector<Corrected1099Return> returns;  // one, or steps 1 and 2
};

struct Form1099CorrectionList {
  std::vector<Form1099Correction> corrections;  // in the order of the contractors, the deleted last
  std::vector<std::string> notes;
};

// The form with every money box zero ("0.00"; a state line only where it
// held an amount), its other boxes as they are.
Form1099Record ZeroAmounts(const Form1099Record& form);

// The correction of one payee, or nothing when nothing the form shows
// changed. `contractor`/`form` null: deleted since filing.
std::vector<Form1099Error> Compare1099(const Filed1099& filed, const ContractorRecord* contractor,
                                       const Form1099Record* form);

Form1099CorrectionList BuildForm1099Corrections(const std::vector<ContractorRecord>& contractors,
                                                const std::vector<Form1099Record>& forms,
                                                const std::vector<Filed1099>& filed);

// The forms that go to the IRS, in order: the ones the 1096 and the file of
// the corrections carry.
std::vector<const Corrected1099Return*> ReturnsToIrs(const Form1099CorrectionList& list);

// The 1096 that sends the corrections: the totals of the returns that go to
// the IRS (box 3 counts every one of them, steps 1 and 2 apart).
Form1096Totals Compute1096CorrectionTotals(const Form1099CorrectionList& list);
// True when any correction to the IRS takes two returns (the 1096 legend).
bool HasTwoReturnCorrections(const Form1099CorrectionList& list);

// The returns of the corrections file, pointing into `list`.
std::vector<efile::Irs1099Return> ReturnsForFile(const Form1099CorrectionList& list);

// The 1096 of the corrections as its print shows it: the totals of the
// corrected returns, with the legend when two-return corrections go with it.
Form1096Page BuildCorrection1096Page(const CompanyRecord& company, const Form1099CorrectionList& list);

// The corrected 1099-MISC's as a print reads them: each return a payee of
// its own (both steps of a two-return correction have the same payee), in
// the order of the corrections, and whether its CORRECTED box is checked.
struct Corrected1099Print {
  std::vector<ContractorRecord> contractors;
  std::vector<Form1099Record> forms;
  std::vector<char> corrected;
  std::vector<char> zeroed;  // its zeros printed
};
// `tin`: only that payee's (its TIN now or as filed, digits compared);
// `copyA`: only what goes to the IRS.
Corrected1099Print Corrected1099PrintList(const Form1099CorrectionList& list, const std::string* tin, bool copyA);

// ---- the open company --------------------------------------------------------------

// The corrections of the open company, from what was recorded as filed (a
// note tells when that cannot be read).
Form1099CorrectionList Load1099Corrections(CGlobalDoc& doc);
// The file of the corrected returns of the open company.
efile::Irs1099Result Make1099CorrectionsFile(CGlobalDoc& doc, const efile::Irs1099Options& options);
// Why there is nothing to correct, for the user; empty when there is.
std::string No1099CorrectionsMessage(const Form1099CorrectionList& list);

}  // namespace formet
