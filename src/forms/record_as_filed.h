#pragma once
// "Record as filed": what the W2 Forms and 1099 Forms pages, the questions
// after a Copy A print or an e-file file, and formet-cli mark-filed do. Each
// keeps an unchangeable copy of the company's forms as they were filed, and
// tells what a later change of a filed form needs.
#include <optional>
#include <string>
#include <vector>

#include "forms/w2/w2c_form.h"
#include "forms/w2/w3c_totals.h"
#include "store/filed_forms.h"
#include "store/print_settings.h"

namespace formet {

class CGlobalDoc;
class UiServices;

// Form1099c: the corrected 1099-MISC's, whose correct values become what
// was filed.
enum class FiledFamily { W2, W2c, Form1099, Form1099c };

// The company file's connection for one operation: the document closes it
// after each save, so it is opened (read-only for a company that cannot be
// written) when it was closed, and closed again at the end.
class CompanyFileSession {
 public:
  explicit CompanyFileSession(CGlobalDoc& doc);
  ~CompanyFileSession();
  CompanyFileSession(const CompanyFileSession&) = delete;
  CompanyFileSession& operator=(const CompanyFileSession&) = delete;
  // 0, or the engine's code when the file could not be opened.
  int Code() const { return code_; }
  CompanyDatabase& Db() { return db_; }

 private:
  CompanyDatabase& db_;
  bool opened_ = false;
  int code_ = 0;
};

// What was recorded as filed, read through such a session.
int ReadRecordedW2s(CGlobalDoc& doc, std::vector<FiledW2>& filed, std::vector<FiledW2>* handMade = nullptr);
int ReadRecorded1099s(CGlobalDoc& doc, std::vector<Filed1099>& filed);

struct RecordResult {
  int code = 0;                  // 0, or the engine's code (nothing was recorded)
  size_t recorded = 0;           // forms recorded
  std::vector<std::string> needCorrection;  // filed forms changed since: a correction, not a new filing
  size_t unchanged = 0;          // filed forms that did not change: nothing to record
  std::string message;           // what the user is told
};

// Records as filed on `date` ("YYYY-MM-DD"):
// - W2: every W-2 never recorded (of employees recorded, those whose W-2 did
//   not change are left as they are, and those whose W-2 changed are named:
//   they need a W-2c, not a W-2);
// - W2c: the correct column of every W-2c (and an address change with it),
//   which becomes what is previously reported; a hand-made W-2c is done;
// - Form1099: every 1099-MISC never recorded, as for W2;
// - Form1099c: every corrected 1099-MISC: the form and payee now (a form
//   corrected to zero: the filed one with every amount zero).
// Unsaved changes are saved first. A company that cannot be written records
// nothing.
RecordResult RecordAsFiled(CGlobalDoc& doc, FiledFamily family, const std::string& date);

// The question after a Copy A print or after writing an e-file file: asks
// whether to record the forms as filed, records them on Yes and tells the
// result. False when nothing was recorded.
bool OfferRecordAsFiled(CGlobalDoc& doc, UiServices& ui, FiledFamily family);

// True when a print of these settings is the copy that is filed: Copy A of
// the W-2 (on the red-ink form or the laser substitute), the 1099-MISC on
// the red-ink form.
bool IsFiledCopyPrint(FiledFamily family, const FormPrintSettings& settings);

// What a form page says of the payee's filed form (`filed` as read from the
// file): "Filed on 02/15/2008." and, when the stored form changed since,
// that the change needs a correction; empty when nothing was recorded for
// the payee.
std::string W2FiledNotice(CGlobalDoc& doc, const std::vector<FiledW2>& filed, int32_t employeeId);
std::string Form1099FiledNotice(CGlobalDoc& doc, const std::vector<Filed1099>& filed, int32_t contractorId);

// The company's W-2c's, from what was recorded and the forms now.
W2cList LoadW2cList(CGlobalDoc& doc);
// The same with the hand-made previously reported columns, as the W2c Forms
// page shows them; `problem` says what could not be read.
struct W2cPageData {
  W2cList list;
  std::vector<FiledW2> handMade;
  std::string problem;
};
W2cPageData LoadW2cPageData(CGlobalDoc& doc);
// The employee's W-2 as it is now, in the shape of a previously reported
// column (the correct column of a hand-made W-2c); nullopt without one.
std::optional<FiledW2> W2NowFor(CGlobalDoc& doc, int32_t employeeId);

// The W-3c as it is printed and shown: the totals of the W-2c's, the
// employer's numbers of the latest filing, and the user's explanation.
// `problem` says what could not be read (the page is then built without it).
W3cPage LoadW3cPage(CGlobalDoc& doc, const W2cList& list, std::string* problem = nullptr);

// The user's text for the W-3c's "Explain decreases here"; empty when none
// was given.
int ReadW3cExplanation(CGlobalDoc& doc, std::string& text);
// Stores the text (empty: the decreases as computed are printed). Refused,
// with `problem` saying why, when it is longer than kW3cExplanationLimit or
// the company cannot be written; 0 when stored.
int SetW3cExplanation(CGlobalDoc& doc, const std::string& text, std::string& problem);
// The text said when an explanation is longer than its box holds: the
// print makes it smaller, then cuts it.
std::string W3cExplanationFitNotice(const std::string& text);

// "New W-2c" for the employee with the SSN: a hand-made W-2c whose
// previously reported column is the current W-2, for the user to change.
// Refused (nullopt, `problem` says why) when the employee's W-2 was recorded
// as filed, or has a hand-made W-2c already, or there is no such employee.
std::optional<FiledW2> NewW2c(CGlobalDoc& doc, int32_t employeeId, std::string& problem);
// Stores a changed previously reported column; removes one.
int SaveW2c(CGlobalDoc& doc, const FiledW2& row);
int DeleteW2c(CGlobalDoc& doc, int32_t employeeId);

}  // namespace formet
