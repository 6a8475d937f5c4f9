#include "forms/form_review.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "forms/1099/form1099_print.h"
#include "forms/1099/irs1099_file.h"
#include "forms/money.h"
#include "forms/payee_files.h"
#include "forms/print/box_fit.h"
#include "forms/print/recording_canvas.h"
#include "forms/w2/box15_lines.h"
#include "forms/w2/efw2_file.h"
#include "forms/w2/w2_print.h"
#include "records/identifying_numbers.h"
#include "store/global_doc.h"
#include "store/ui_services.h"

namespace formet {
namespace {

using efile::Problem;
using efile::Report;
using efile::Severity;

// The problems of a report without its "where" (the row names its form),
// errors first, each once.
std::vector<Problem> ProblemsOf(const Report& report) {
  std::vector<Problem> problems;
  std::unordered_set<std::string> seen;
  for (Severity severity : {Severity::Error, Severity::Warning})
    for (const Problem& p : report.Problems())
      if (p.severity == severity && seen.insert(p.what).second) problems.push_back({p.severity, {}, p.what});
  return problems;
}

// A paper form is mailed: the parts of an address it lacks. An address with
// no street and no city at all is the filing checks' "has no address".
void CheckAddress(Report& report, const std::string& address1, const std::string& address2, const std::string& city,
                  const std::string& state, const std::string& zip) {
  if (IsBlank(address1) && IsBlank(address2) && IsBlank(city)) return;
  std::vector<std::string> missing;
  if (IsBlank(address1) && IsBlank(address2)) missing.push_back("no street");
  if (IsBlank(city)) missing.push_back("no city");
  if (IsBlank(state)) missing.push_back("no state");
  if (IsBlank(zip)) missing.push_back("no ZIP code");
  if (missing.empty()) return;
  std::string text = "the address has ";
  for (size_t i = 0; i < missing.size(); ++i)
    text += (i == 0 ? "" : i + 1 == missing.size() ? " and " : ", ") + missing[i];
  report.Warning("", text + "; the form cannot be mailed without it");
}

void CheckCuts(Report& report, const FormPrintJob& job) {
  const CutReport cuts = ListCuts(job, RecordingCanvas::kLetterPdf);
  for (const CutText& cut : cuts.Cuts())
    report.Warning("", "box " + cut.box + ": \"" + cut.value + "\" does not fit on the form even at 6 points and is "
                                                             "printed as \"" + cut.printed + "\"");
}

// A print of data onto the form: instruction pages hold none, so their
// settings are measured as the red-ink form.
FormPrintSettings DataPrint(FormPrintSettings settings, bool w2) {
  settings.printTarget = 0;
  const bool instructions = w2 ? W2PrintKindOf(settings) == W2PrintKind::Instructions
                               : settings.paperType == 0 && settings.blankCopyType >= kForm1099InstructionsB;
  if (instructions) settings.paperType = 1;
  return settings;
}

ReviewRow W2Row(const ReviewSource& s, int formIndex, int payeeIndex) {
  ReviewRow row;
  row.type = ReviewFormType::W2;
  row.form = formIndex;
  row.payee = payeeIndex;
  Report report;
  const EmployeeRecord* e = payeeIndex >= 0 ? &(*s.employees)[static_cast<size_t>(payeeIndex)] : nullptr;
  const W2Record* w = formIndex >= 0 ? &(*s.w2Forms)[static_cast<size_t>(formIndex)] : nullptr;
  if (e) {
    row.name = W2PayeeName(*e);
    row.number = e->SocialSecurityNumber();
  }
  if (w) {
    const std::string boxes[] = {w->Wages(),         w->FederalIncomeTaxWithdrawal(), w->SocialSecurityWages(),
                                  w->SocialSecurityTaxWithheld(), w->MedicareWages(), w->MedicareTaxWithheld()};
    for (size_t i = 0; i < std::size(boxes); ++i) row.boxes[i] = boxes[i];
    row.state = Box15State(*s.company, *w, 1);
  }
  if (!w) {
    report.Warning("", "the employee has no W-2");
  } else if (!e) {
    report.Error("", "the W-2 belongs to no employee of the company, so it has no name or social security number");
  } else {
    efile::Efw2Options options;
    options.stateRecords = true;  // a state line needs its state and state ID on paper too
    options.withheldTaxTolerance = 1;
    options.compareSocialSecurityTax = true;
    efile::CheckW2ForFile(report, *s.company, *w, *e, options);
    CheckAddress(report, e->Address1(), e->Address2(), e->City(), e->State(), e->Zip());
    if (s.withCuts) {
      W2PrintData data{s.company, s.employees, s.w2Forms, {payeeIndex}, payeeIndex};
      CheckCuts(report, W2PrintJob(data, DataPrint(s.w2Print, true)));
    }
  }
  row.problems = ProblemsOf(report);
  return row;
}

ReviewRow Form1099Row(const ReviewSource& s, int formIndex, int payeeIndex) {
  ReviewRow row;
  row.type = ReviewFormType::Form1099;
  row.form = formIndex;
  row.payee = payeeIndex;
  Report report;
  const ContractorRecord* c = payeeIndex >= 0 ? &(*s.contractors)[static_cast<size_t>(payeeIndex)] : nullptr;
  const Form1099Record* f = formIndex >= 0 ? &(*s.forms1099)[static_cast<size_t>(formIndex)] : nullptr;
  if (c) {
    row.name = Form1099PayeeName(*c);
    row.number = c->IdentificationNumber();
  }
  if (f) {
    row.boxes[0] = f->Rents();
    row.boxes[2] = f->OtherIncome();
    row.boxes[6] = f->NonemployeeCompensation();
    row.state = f->PayerStateID1();
  }
  if (!f) {
    report.Warning("", "the contractor has no 1099-MISC");
  } else if (!c) {
    report.Error("", "the 1099-MISC belongs to no contractor of the company, so it has no recipient");
  } else {
    efile::Check1099ForFile(report, *f, *c);
    CheckAddress(report, c->Address1(), c->Address2(), c->City(), c->State(), c->Zip());
    // Boxes 16 and 18 of a line are the state's named in box 17.
    const struct {
      const std::string& tax;
      const std::string& income;
      const std::string& stateId;
    } lines[] = {{f->StateTaxWithheld1(), f->StateIncome1(), f->PayerStateID1()},
                 {f->StateTaxWithheld2(), f->StateIncome2(), f->PayerStateID2()}};
    for (size_t i = 0; i < std::size(lines); ++i)
      if ((ParseMoneyCents(lines[i].tax) != 0 || ParseMoneyCents(lines[i].income) != 0) && IsBlank(lines[i].stateId))
        report.Error("", "line " + std::to_string(i + 1) +
                             " of boxes 16 and 18 has state amounts but box 17 names no state or payer's state "
                             "number");
    if (s.withCuts) {
      Form1099PrintData data{s.company, s.contractors, s.forms1099, {payeeIndex}, payeeIndex};
      CheckCuts(report, Form1099PrintJob(data, DataPrint(s.form1099Print, false)));
    }
  }
  row.problems = ProblemsOf(report);
  return row;
}

// The rows of the forms of a family: each form with its payee (by the
// payee's unique id), then each payee without a form.
template <class Payee, class Form, class MakeRow>
std::vector<ReviewRow> Rows(const std::vector<Payee>* payees, const std::vector<Form>* forms, int32_t Payee::*payeeId,
                            int32_t Form::*formPayee, const MakeRow& make) {
  std::vector<ReviewRow> rows;
  if (!payees || !forms) return rows;
  std::unordered_map<int32_t, int> byId;
  for (size_t i = 0; i < payees->size(); ++i) byId.emplace((*payees)[i].*payeeId, static_cast<int>(i));
  std::vector<bool> hasForm(payees->size(), false);
  for (size_t i = 0; i < forms->size(); ++i) {
    const auto it = byId.find((*forms)[i].*formPayee);
    const int payee = it == byId.end() ? -1 : it->second;
    if (payee >= 0) hasForm[static_cast<size_t>(payee)] = true;
    rows.push_back(make(static_cast<int>(i), payee));
  }
  for (size_t i = 0; i < payees->size(); ++i)
    if (!hasForm[i]) rows.push_back(make(-1, static_cast<int>(i)));
  return rows;
}

// "Print anyway" or "Cancel" over the problems of the forms to be printed.
bool AskAboutRows(const std::vector<ReviewRow>& rows, UiServices& ui) {
  const std::vector<std::string> lines = ProblemLines(rows);
  if (lines.empty()) return true;
  const ReviewSummary summary = Summarize(rows);
  Report counts;
  for (const ReviewRow& row : rows)
    for (const Problem& p : row.problems) counts.Add(p.severity, "", p.what);
  const size_t forms = summary.errors + summary.warnings;
  return ui.AskPrintAnyway(std::to_string(forms) + (forms == 1 ? " of the forms to be printed has " : " of the forms to be printed have ") +
                               counts.Summary() + ":",
                           lines);
}

}  // namespace

const char* ReviewStatusName(ReviewStatus status) {
  switch (status) {
    case ReviewStatus::Complete: return "complete";
    case ReviewStatus::Warning: return "warning";
    case ReviewStatus::Error: return "error";
  }
  return "";
}

ReviewStatus ReviewRow::Status() const {
  ReviewStatus status = ReviewStatus::Complete;
  for (const Problem& p : problems) {
    if (p.severity == Severity::Error) return ReviewStatus::Error;
    status = ReviewStatus::Warning;
  }
  return status;
}

const char* ReviewRow::FormName() const { return type == ReviewFormType::W2 ? "W-2" : "1099-MISC"; }

ReviewSource ReviewSourceOf(CGlobalDoc& doc) {
  ReviewSource source;
  source.company = &doc.GetCompany();
  source.employees = &doc.GetEmployees();
  source.w2Forms = &doc.GetW2Forms();
  source.contractors = &doc.GetContractors();
  source.forms1099 = &doc.GetForms1099();
  return source;
}

std::vector<ReviewRow> ReviewW2Forms(const ReviewSource& s) {
  return Rows(s.employees, s.w2Forms, &EmployeeRecord::EmployeeUniqueID, &W2Record::EmployeeUniqueID,
              [&](int form, int payee) { return W2Row(s, form, payee); });
}

std::vector<ReviewRow> Review1099Forms(const ReviewSource& s) {
  return Rows(s.contractors, s.forms1099, &ContractorRecord::ContractorUniqueID,
              &Form1099Record::ContractorUniqueID, [&](int form, int payee) { return Form1099Row(s, form, payee); });
}

std::vector<ReviewRow> ReviewForms(const ReviewSource& s) {
  std::vector<ReviewRow> rows = ReviewW2Forms(s);
  std::vector<ReviewRow> more = Review1099Forms(s);
  rows.insert(rows.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  return rows;
}

ReviewSummary Summarize(const std::vector<ReviewRow>& rows) {
  ReviewSummary summary;
  for (const ReviewRow& row : rows) {
    switch (row.Status()) {
      case ReviewStatus::Complete: ++summary.complete; break;
      case ReviewStatus::Warning: ++summary.warnings; break;
      case ReviewStatus::Error: ++summary.errors; break;
    }
    for (const Problem& p : row.problems) ++(p.severity == Severity::Error ? summary.errorCount : summary.warningCount);
  }
  return summary;
}

std::vector<std::string> ProblemLines(const std::vector<ReviewRow>& rows) {
  std::vector<std::string> lines;
  for (const ReviewRow& row : rows) {
    const std::string where = std::string(row.FormName()) + (row.payee < 0 ? " number " + std::to_string(row.form + 1)
                                                                          : " of " + row.name + " (" + row.number + ")");
    for (const Problem& p : row.problems)
      lines.push_back(std::string(p.severity == Severity::Error ? "Error: " : "Warning: ") + where + ": " + p.what);
  }
  return lines;
}

bool ConfirmFormsToPrint(const W2PrintJob& job, UiServices& ui) {
  if (job.Kind() == W2PrintKind::Instructions) return true;  // pictures only
  const W2PrintData& data = job.Data();
  ReviewSource source;
  source.company = data.company;
  source.employees = data.employees;
  source.w2Forms = data.forms;
  source.withCuts = false;
  std::vector<ReviewRow> rows;
  std::unordered_set<const W2Record*> seen;
  for (int page = 1; page <= job.PageCount(); ++page)
    for (const W2OnPage& on : job.FormsOfPage(page)) {
      if (!on.form || !on.employee || !seen.insert(on.form).second) continue;
      rows.push_back(W2Row(source, static_cast<int>(on.form - data.forms->data()),
                           static_cast<int>(on.employee - data.employees->data())));
    }
  return AskAboutRows(rows, ui);
}

bool ConfirmFormsToPrint(const Form1099PrintJob& job, UiServices& ui) {
  if (job.Settings().paperType == 0 && job.Settings().blankCopyType >= kForm1099InstructionsB) return true;
  const Form1099PrintData& data = job.Data();
  ReviewSource source;
  source.company = data.company;
  source.contractors = data.contractors;
  source.forms1099 = data.forms;
  source.withCuts = false;
  std::vector<ReviewRow> rows;
  std::unordered_set<const Form1099Record*> seen;
  for (int page = 1; page <= job.PageCount(); ++page)
    for (const Form1099OnPage& on : job.FormsOfPage(page)) {
      if (!on.form || !on.contractor || !seen.insert(on.form).second) continue;
      rows.push_back(Form1099Row(source, static_cast<int>(on.form - data.forms->data()),
                                 static_cast<int>(on.contractor - data.contractors->data())));
    }
  return AskAboutRows(rows, ui);
}

}  // namespace formet
