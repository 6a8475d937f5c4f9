#pragma once
// The review of every form of a company: each W-2 and 1099-MISC with its
// payee, the boxes a bookkeeper checks first, and every problem found in it,
// so that what is incomplete or wrong shows before anything is printed or
// filed.
//
// The problems of a form are the checks the electronic filing files make of
// it (the one set of rules, CheckW2ForFile and Check1099ForFile), with the
// withheld taxes held to a cent of their rates, what a paper form needs
// besides (a complete address, box 17 of a 1099-MISC with its state income),
// the values its print would cut, and a payee without a form or a form
// without a payee. Texts are Windows-1252.
#include <array>
#include <string>
#include <vector>

#include "forms/efile_common.h"
#include "store/print_settings.h"
#include "store/records.h"

namespace formet {

class CGlobalDoc;
class UiServices;
class W2PrintJob;
class Form1099PrintJob;

enum class ReviewFormType { W2, Form1099 };
enum class ReviewStatus { Complete, Warning, Error };

// "complete", "warning", "error".
const char* ReviewStatusName(ReviewStatus status);

struct ReviewRow {
  ReviewFormType type = ReviewFormType::W2;
  int payee = -1;  // index in the employees or contractors; -1 for a form without a payee
  int form = -1;   // index in the W-2s or 1099-MISCs; -1 for a payee without a form
  std::string name;    // the payee's name as the payee pages show it
  std::string number;  // the SSN or TIN
  // The boxes shown, by number: W-2 boxes 1 to 6, 1099-MISC boxes 1, 3 and 7
  // (index 0 is box 1); amounts as the form holds them, empty where the form
  // has no such box.
  std::array<std::string, 7> boxes;
  std::string state;  // the state of box 15 (W-2) or of box 17 (1099-MISC)
  std::vector<efile::Problem> problems;  // errors first, each once

  ReviewStatus Status() const;
  // "W-2" or "1099-MISC".
  const char* FormName() const;
};

// What the review reads: the open company's records, and the print settings
// whose layouts the fitting of the texts measures against.
struct ReviewSource {
  const CompanyRecord* company = nullptr;
  const std::vector<EmployeeRecord>* employees = nullptr;
  const std::vector<W2Record>* w2Forms = nullptr;
  const std::vector<ContractorRecord>* contractors = nullptr;
  const std::vector<Form1099Record>* forms1099 = nullptr;
  FormPrintSettings w2Print;
  FormPrintSettings form1099Print;
  // The values a print would cut are listed too (a print flow leaves them
  // to its own list of cuts, measured on its printer).
  bool withCuts = true;
};

// The open company's records, measured against the red-ink forms (the
// default print), so that the desktop and formet-cli list the same cuts.
ReviewSource ReviewSourceOf(CGlobalDoc& doc);

// Every W-2 row (in the order of the W-2s, then the employees without one),
// then every 1099-MISC row likewise.
std::vector<ReviewRow> ReviewForms(const ReviewSource& source);
std::vector<ReviewRow> ReviewW2Forms(const ReviewSource& source);
std::vector<ReviewRow> Review1099Forms(const ReviewSource& source);

// The counts of rows by status and of problems by severity.
struct ReviewSummary {
  size_t complete = 0, warnings = 0, errors = 0;  // rows
  size_t errorCount = 0, warningCount = 0;        // problems
};
ReviewSummary Summarize(const std::vector<ReviewRow>& rows);

// One line per problem: "Error: W-2 of Ann Lee (123-45-6789): box 12a has an
// amount but no code".
std::vector<std::string> ProblemLines(const std::vector<ReviewRow>& rows);

// Before forms are printed: the problems of the forms the job prints (the
// cuts aside: the print lists them for its own printer), asked about with
// "Print anyway" and "Cancel" through the ui. True to print (also when no
// form has a problem).
bool ConfirmFormsToPrint(const W2PrintJob& job, UiServices& ui);
bool ConfirmFormsToPrint(const Form1099PrintJob& job, UiServices& ui);

}  // namespace formet
