#include "forms/record_as_filed.h"

#include <algorithm>

#include "forms/1099/form1099_corrections.h"
#include "forms/w2/w2_print.h"
#include "forms/w2/w2c_print.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "store/global_doc.h"
#include "store/ui_services.h"

namespace formet {
namespace {

constexpr int kReadOnlyCode = 8;  // the engine's "attempt to write a readonly database"

EmployerAsFiled EmployerNow(const CompanyRecord& c) {
  return {c.EmployerIdentificationNumber(), c.FormW3EstablishmentNumber(), c.StateID()};
}

const W2Record* W2Of(const std::vector<W2Record>& forms, int32_t employeeId) {
  for (const auto& f : forms)
    if (f.EmployeeUniqueID == employeeId) return &f;
  return nullptr;
}

const Form1099Record* Form1099Of(const std::vector<Form1099Record>& forms, int32_t contractorId) {
  for (const auto& f : forms)
    if (f.ContractorUniqueID == contractorId) return &f;
  return nullptr;
}

const FiledW2* HandMadeFor(const std::vector<FiledW2>& rows, int32_t employeeId) {
  for (const auto& row : rows)
    if (row.employee.EmployeeUniqueID == employeeId) return &row;
  return nullptr;
}

// What a 1099-MISC shows of its payee and its boxes changed since it was filed.
bool Changed1099(const Filed1099& filed, const ContractorRecord& contractor, const Form1099Record& form) {
  const ContractorRecord& c = filed.contractor;
  const bool payee = c.IdentificationNumber() != contractor.IdentificationNumber() ||
                     c.NameLine1() != contractor.NameLine1() || c.NameLine2() != contractor.NameLine2() ||
                     c.FirstName() != contractor.FirstName() || c.MiddleName() != contractor.MiddleName() ||
                     c.LastName() != contractor.LastName() || c.Address1() != contractor.Address1() ||
                     c.Address2() != contractor.Address2() || c.City() != contractor.City() || c.State() != contractor.State() ||
                     c.Zip() != contractor.Zip() || c.AccountNumber() != contractor.AccountNumber() ||
                     c.SecondTIN != contractor.SecondTIN;
  Form1099Record was = filed.form, is = form;
  was.Form1099UniqueID = is.Form1099UniqueID = 0;
  for (Form1099Record* r : {&was, &is}) {
    r->SetExtraText1("");
    r->SetExtraText2("");
    r->SetExtraText3("");
  }
  return payee || !(was == is);
}

std::string Plural(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& n : names) text += (text.empty() ? "" : "; ") + n;
  return text;
}

// Reads what was recorded; false (with the result's code and message) when
// it cannot be read.
bool ReadRecorded(CGlobalDoc& doc, std::vector<FiledW2>& filed, std::vector<FiledW2>& handMade,
                  RecordResult& result) {
  result.code = ReadRecordedW2s(doc, filed, &handMade);
  if (result.code != 0) result.message = EngineErrorMessage("Formet failed to read the forms recorded as filed.", result.code);
  return result.code == 0;
}

}  // namespace

CompanyFileSession::CompanyFileSession(CGlobalDoc& doc) : db_(doc.Database()) {
  if (db_.IsOpen()) return;
  if (!doc.IsLoaded()) {
    code_ = 21;  // the engine's "misuse": no company is loaded
    return;
  }
  code_ = db_.Open(doc.CompanyPath(), doc.ReadOnlyReason() ? OpenMode::ReadOnly : OpenMode::Existing);
  opened_ = code_ == 0;
}

CompanyFileSession::~CompanyFileSession() {
  if (opened_ && !db_.InTransaction()) db_.Close();
}

int ReadRecordedW2s(CGlobalDoc& doc, std::vector<FiledW2>& filed, std::vector<FiledW2>* handMade) {
  CompanyFileSession file(doc);
  if (file.Code() != 0) return file.Code();
  if (int rc = ReadFiledW2s(file.Db(), filed)) return rc;
  return handMade ? ReadHandMadeW2cs(file.Db(), *handMade) : 0;
}

int ReadRecorded1099s(CGlobalDoc& doc, std::vector<Filed1099>& filed) {
  CompanyFileSession file(doc);
  if (file.Code() != 0) return file.Code();
  return ReadFiled1099s(file.Db(), filed);
}

RecordResult RecordAsFiled(CGlobalDoc& doc, FiledFamily family, const std::string& date) {
  RecordResult result;
  if (doc.ReadOnlyReason()) {
    result.code = kReadOnlyCode;
    result.message = *doc.ReadOnlyReason();
    return result;
  }
  if (doc.IsModified()) {
    if (int rc = doc.SaveChanges()) {
      result.code = rc;
      result.message = SaveFailureMessage(rc, &doc.Journal());
      return result;
    }
  }
  const CompanyRecord& company = doc.GetCompany();
  const char* noun = family == FiledFamily::Form1099    ? "1099-MISC"
                     : family == FiledFamily::Form1099c ? "corrected 1099-MISC"
                     : family == FiledFamily::W2c       ? "W-2c"
                                                        : "W-2";
  const char* nouns = family == FiledFamily::Form1099    ? "1099-MISCs"
                      : family == FiledFamily::Form1099c ? "corrected 1099-MISCs"
                      : family == FiledFamily::W2c       ? "W-2c's"
                                                         : "W-2s";

  if (family == FiledFamily::Form1099c) {
    std::vector<Filed1099> filed;
    if (int rc = ReadRecorded1099s(doc, filed)) {
      result.code = rc;
      result.message = EngineErrorMessage("Formet failed to read the forms recorded as filed.", rc);
      return result;
    }
    const Form1099CorrectionList list = BuildForm1099Corrections(doc.GetContractors(), doc.GetForms1099(), filed);
    std::vector<Filed1099> rows;
    for (const auto& c : list.corrections) {
      // The last return of a correction is what now stands as filed.
      const Corrected1099Return& last = c.returns.back();
      const FiledAs as = c.procedure == Form1099Procedure::TwoReturns ? FiledAs::Original : FiledAs::Correction;
      rows.push_back({0, date, as, company.EmployerIdentificationNumber(), last.contractor, last.form});
    }
    int32_t next = filed.empty() ? 1 : filed.back().id + 1;
    for (auto& row : rows) row.id = next++;
    if (!rows.empty()) {
      CompanyFileSession file(doc);
      result.code = file.Code() ? file.Code() : RecordFiled1099s(file.Db(), rows);
    }
    result.recorded = result.code == 0 ? rows.size() : 0;
  } else if (family == FiledFamily::Form1099) {
    std::vector<Filed1099> filed;
    if (int rc = ReadRecorded1099s(doc, filed)) {
      result.code = rc;
      result.message = EngineErrorMessage("Formet failed to read the forms recorded as filed.", rc);
      return result;
    }
    std::vector<Filed1099> rows;
    for (const auto& contractor : doc.GetContractors()) {
      const Form1099Record* form = Form1099Of(doc.GetForms1099(), contractor.ContractorUniqueID);
      if (!form) continue;
      if (const Filed1099* was = LatestFiledFor(filed, contractor.ContractorUniqueID)) {
        if (Changed1099(*was, contractor, *form)) result.needCorrection.push_back(ContractorDisplayName(contractor));
        else ++result.unchanged;
        continue;
      }
      rows.push_back({0, date, FiledAs::Original, company.EmployerIdentificationNumber(), contractor, *form});
    }
    int32_t next = filed.empty() ? 1 : filed.back().id + 1;
    for (auto& row : rows) row.id = next++;
    if (!rows.empty()) {
      CompanyFileSession file(doc);
      result.code = file.Code() ? file.Code() : RecordFiled1099s(file.Db(), rows);
    }
    result.recorded = result.code == 0 ? rows.size() : 0;
  } else {
    std::vector<FiledW2> filed, handMade;
    if (!ReadRecorded(doc, filed, handMade, result)) return result;
    std::vector<FiledW2> rows;
    std::vector<int32_t> done;
    if (family == FiledFamily::W2) {
      for (const auto& employee : doc.GetEmployees()) {
        const W2Record* form = W2Of(doc.GetW2Forms(), employee.EmployeeUniqueID);
        if (!form) continue;
        const FiledW2* was = LatestFiledFor(filed, employee.EmployeeUniqueID);
        if (!was) was = HandMadeFor(handMade, employee.EmployeeUniqueID);
        if (was) {
          bool addressOnly = false;
          const bool changed = !CompareW2(company, *was, {employee, *form}, &addressOnly).empty() || addressOnly;
          if (changed)
            result.needCorrection.push_back(EmployeeDisplayName(employee));
          else ++result.unchanged;
          continue;
        }
        rows.push_back({0, date, FiledAs::Original, EmployerNow(company), employee, *form});
      }
    } else {
      const W2cList list = BuildW2cList(company, doc.GetEmployees(), doc.GetW2Forms(), filed, handMade);
      std::vector<int32_t> ids;
      for (const auto& f : list.forms)
        if (!f.continuation) ids.push_back(f.employeeId);
      for (const auto& a : list.addressOnly) ids.push_back(a.employeeId);
      for (const auto& employee : doc.GetEmployees()) {
        if (std::find(ids.begin(), ids.end(), employee.EmployeeUniqueID) == ids.end()) continue;
        const W2Record* form = W2Of(doc.GetW2Forms(), employee.EmployeeUniqueID);
        const bool addressOnly = std::any_of(list.addressOnly.begin(), list.addressOnly.end(),
                                             [&](const auto& a) { return a.employeeId == employee.EmployeeUniqueID; });
        const FiledW2* was = LatestFiledFor(filed, employee.EmployeeUniqueID);
        // An address change alone reissues the statement: what was reported
        // stays a W-2 (or the W-2c it was).
        const FiledAs as = addressOnly ? (was ? was->as : FiledAs::Original) : FiledAs::Correction;
        rows.push_back({0, date, as, EmployerNow(company), employee, *form});
        if (HandMadeFor(handMade, employee.EmployeeUniqueID)) done.push_back(employee.EmployeeUniqueID);
      }
    }
    int32_t next = filed.empty() ? 1 : filed.back().id + 1;
    for (auto& row : rows) row.id = next++;
    if (!rows.empty()) {
      CompanyFileSession file(doc);
      result.code = file.Code() ? file.Code() : RecordFiledW2s(file.Db(), rows, done);
      // The explanation belonged to the W-3c of these W-2c's: the next W-3c
      // starts without it.
      std::string explanation;
      if (result.code == 0 && family == FiledFamily::W2c && ReadW3cExplanation(file.Db(), explanation) == 0 &&
          !explanation.empty())
        result.code = SaveW3cExplanation(file.Db(), "");
    }
    result.recorded = result.code == 0 ? rows.size() : 0;
  }

  if (result.code != 0) {
    result.message = EngineErrorMessage("Formet failed to record the forms as filed.", result.code);
    return result;
  }
  std::string text = result.recorded == 0 ? std::string("No ") + noun + " was recorded as filed."
                                          : "Recorded as filed on " + ShowFiledDate(date) + ": " +
                                                Plural(result.recorded, noun, nouns) + ".";
  if (!result.needCorrection.empty())
    text += std::string("\n\nThese were recorded as filed before and have changed since; the change needs a ") +
            (family == FiledFamily::Form1099 ? "corrected 1099-MISC" : "W-2c") +
            ", not a new filing: " + JoinNames(result.needCorrection) + ".";
  if (result.unchanged > 0)
    text += "\n\n" + Plural(result.unchanged, noun, nouns) + " recorded before did not change.";
  result.message = text;
  return result;
}

bool OfferRecordAsFiled(CGlobalDoc& doc, UiServices& ui, FiledFamily family) {
  if (!doc.IsLoaded() || doc.ReadOnlyReason()) return false;
  const char* what = family == FiledFamily::Form1099    ? "Forms 1099-MISC"
                     : family == FiledFamily::Form1099c ? "corrected Forms 1099-MISC"
                     : family == FiledFamily::W2c       ? "Forms W-2c"
                                                        : "Forms W-2";
  if (!ui.AskYesNo(std::string("Record the ") + what +
                   " as filed today? Formet keeps a copy of each as it is now, and a later change shows as "
                   "needing a correction."))
    return false;
  const RecordResult result = RecordAsFiled(doc, family, TodayFiledDate());
  if (result.code != 0) ui.ShowError(result.message);
  else ui.ShowMessage(result.message);
  return result.code == 0 && result.recorded > 0;
}

bool IsFiledCopyPrint(FiledFamily family, const FormPrintSettings& settings) {
  if (family == FiledFamily::Form1099 || family == FiledFamily::Form1099c) return settings.paperType == 1;
  const W2PrintKind kind = W2PrintKindOf(settings);
  return kind == W2PrintKind::RedInk || kind == W2PrintKind::CopyA;
}

std::string W2FiledNotice(CGlobalDoc& doc, const std::vector<FiledW2>& filed, int32_t employeeId) {
  if (!doc.IsLoaded()) return {};
  const FiledW2* was = LatestFiledFor(filed, employeeId);
  if (!was) return {};
  std::string text = "Filed on " + ShowFiledDate(was->filedOn) + ".";
  if (was->as == FiledAs::Correction) text += " That filing was a W-2c.";
  const auto& employees = doc.GetEmployees();
  const auto employee = std::find_if(employees.begin(), employees.end(),
                                     [&](const EmployeeRecord& e) { return e.EmployeeUniqueID == employeeId; });
  const W2Record* form = W2Of(doc.GetW2Forms(), employeeId);
  if (employee == employees.end() || !form) return text;
  bool addressOnly = false;
  const auto forms = CompareW2(doc.GetCompany(), *was, {*employee, *form}, &addressOnly);
  if (addressOnly)
    text += " Only the address changed since: no W-2c goes to the SSA; give the employee a reissued statement.";
  else if (!forms.empty() && !forms.front().toSsa)
    text += " Its state or local boxes changed since: the change needs a W-2c for the state, not the SSA.";
  else if (!forms.empty())
    text += " It changed since: the change needs a correction (Form W-2c).";
  return text;
}

std::string Form1099FiledNotice(CGlobalDoc& doc, const std::vector<Filed1099>& filed, int32_t contractorId) {
  if (!doc.IsLoaded()) return {};
  const Filed1099* was = LatestFiledFor(filed, contractorId);
  if (!was) return {};
  std::string text = "Filed on " + ShowFiledDate(was->filedOn) + ".";
  const auto& contractors = doc.GetContractors();
  const auto contractor = std::find_if(contractors.begin(), contractors.end(),
                                       [&](const ContractorRecord& c) { return c.ContractorUniqueID == contractorId; });
  const Form1099Record* form = Form1099Of(doc.GetForms1099(), contractorId);
  if (contractor != contractors.end() && form && Changed1099(*was, *contractor, *form))
    text += " It changed since: the change needs a correction (a corrected Form 1099-MISC).";
  return text;
}

W2cList LoadW2cList(CGlobalDoc& doc) {
  std::vector<FiledW2> filed, handMade;
  RecordResult ignored;
  if (!ReadRecorded(doc, filed, handMade, ignored)) {
    W2cList list;
    list.notes.push_back(ignored.message);
    return list;
  }
  return BuildW2cList(doc.GetCompany(), doc.GetEmployees(), doc.GetW2Forms(), filed, handMade);
}

W2cPageData LoadW2cPageData(CGlobalDoc& doc) {
  W2cPageData data;
  std::vector<FiledW2> filed;
  RecordResult read;
  if (!ReadRecorded(doc, filed, data.handMade, read)) {
    data.problem = read.message;
    return data;
  }
  data.list = BuildW2cList(doc.GetCompany(), doc.GetEmployees(), doc.GetW2Forms(), filed, data.handMade);
  return data;
}

std::optional<FiledW2> W2NowFor(CGlobalDoc& doc, int32_t employeeId) {
  const auto& employees = doc.GetEmployees();
  const auto employee = std::find_if(employees.begin(), employees.end(),
                                     [&](const EmployeeRecord& e) { return e.EmployeeUniqueID == employeeId; });
  const W2Record* form = W2Of(doc.GetW2Forms(), employeeId);
  if (employee == employees.end() || !form) return std::nullopt;
  return NewHandMadeW2c(doc.GetCompany(), *employee, *form);
}

W3cPage LoadW3cPage(CGlobalDoc& doc, const W2cList& list, std::string* problem) {
  std::vector<FiledW2> filed;
  std::string explanation;
  int rc = ReadRecordedW2s(doc, filed);
  if (rc == 0) rc = ReadW3cExplanation(doc, explanation);
  if (rc != 0 && problem) *problem = EngineErrorMessage("Formet failed to read the forms recorded as filed.", rc);
  return BuildW3cPage(doc.GetCompany(), list.forms, filed, explanation);
}

int ReadW3cExplanation(CGlobalDoc& doc, std::string& text) {
  text.clear();
  CompanyFileSession file(doc);
  if (file.Code() != 0) return file.Code();
  return ReadW3cExplanation(file.Db(), text);
}

int SetW3cExplanation(CGlobalDoc& doc, const std::string& text, std::string& problem) {
  if (text.size() > kW3cExplanationLimit) {
    problem = "The explanation is " + std::to_string(text.size()) + " characters long; the W-3c keeps at most " +
              std::to_string(kW3cExplanationLimit) + ". Shorten it: nothing was stored.";
    return -1;
  }
  if (doc.ReadOnlyReason()) {
    problem = *doc.ReadOnlyReason();
    return kReadOnlyCode;
  }
  CompanyFileSession file(doc);
  int rc = file.Code() ? file.Code() : SaveW3cExplanation(file.Db(), text);
  if (rc != 0) problem = EngineErrorMessage("Formet failed to save the explanation of the W-3c.", rc);
  return rc;
}

std::string W3cExplanationFitNotice(const std::string& text) {
  const FormBoxes boxes = W3cBoxesOnPage(false);
  const PrintBox* box = boxes.Find("explain");
  if (!box || text.empty()) return {};
  const W3cExplanation e = LayOutExplanation(text, *box);
  if (e.cut)
    return "The explanation is longer than its box on the W-3c holds even in the smallest print: only its first " +
           std::to_string(e.lines.size()) + " lines are printed. Shorten it.";
  if (e.smaller) {
    const int size = e.font.tenthsOfPoint;
    return "The explanation is printed smaller (" + std::to_string(size / 10) +
           (size % 10 ? "." + std::to_string(size % 10) : "") + " points) to fit its box.";
  }
  return {};
}

std::optional<FiledW2> NewW2c(CGlobalDoc& doc, int32_t employeeId, std::string& problem) {
  const auto& employees = doc.GetEmployees();
  const auto employee = std::find_if(employees.begin(), employees.end(),
                                     [&](const EmployeeRecord& e) { return e.EmployeeUniqueID == employeeId; });
  const W2Record* form = W2Of(doc.GetW2Forms(), employeeId);
  if (employee == employees.end() || !form) {
    problem = "There is no such employee with a W-2.";
    return std::nullopt;
  }
  std::vector<FiledW2> filed, handMade;
  RecordResult read;
  if (!ReadRecorded(doc, filed, handMade, read)) {
    problem = read.message;
    return std::nullopt;
  }
  if (const FiledW2* was = LatestFiledFor(filed, employeeId)) {
    problem = "The W-2 of " + EmployeeDisplayName(*employee) + " was recorded as filed on " +
              ShowFiledDate(was->filedOn) + ": its W-2c follows from the changes made to the W-2 since.";
    return std::nullopt;
  }
  if (HandMadeFor(handMade, employeeId)) {
    problem = EmployeeDisplayName(*employee) + " has a W-2c already.";
    return std::nullopt;
  }
  FiledW2 row = NewHandMadeW2c(doc.GetCompany(), *employee, *form);
  if (doc.ReadOnlyReason()) {
    problem = *doc.ReadOnlyReason();
    return std::nullopt;
  }
  CompanyFileSession file(doc);
  if (int rc = file.Code() ? file.Code() : SaveHandMadeW2c(file.Db(), row)) {
    problem = EngineErrorMessage("Formet failed to save the W-2c.", rc);
    return std::nullopt;
  }
  return row;
}

int SaveW2c(CGlobalDoc& doc, const FiledW2& row) {
  if (doc.ReadOnlyReason()) return kReadOnlyCode;
  CompanyFileSession file(doc);
  return file.Code() ? file.Code() : SaveHandMadeW2c(file.Db(), row);
}

int DeleteW2c(CGlobalDoc& doc, int32_t employeeId) {
  if (doc.ReadOnlyReason()) return kReadOnlyCode;
  CompanyFileSession file(doc);
  return file.Code() ? file.Code() : DeleteHandMadeW2c(file.Db(), employeeId);
}

}  // namespace formet
