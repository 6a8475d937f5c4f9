#include "cli/correction_commands.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <ostream>

#include "cli/command_line_ui.h"
#include "cli/json_dump.h"
#include "forms/1099/form1099_corrections.h"
#include "forms/fixed_width.h"
#include "forms/money.h"
#include "forms/record_as_filed.h"
#include "forms/w2/box12_codes.h"
#include "forms/w2/w2c_form.h"
#include "forms/w2/w2c_hand_made.h"
#include "forms/w2/w3c_totals.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "store/filed_forms.h"
#include "store/global_doc.h"
#include "store/text_codec.h"

namespace formet::cli {
namespace {

constexpr const char* kMarkFiled = "mark-filed";
constexpr const char* kW2c = "w2c";
constexpr const char* kW3c = "w3c";
constexpr const char* k1099c = "1099c";
constexpr const char* kNewW2c = "new-w2c";
constexpr const char* kSetW2c = "set-w2c";
constexpr const char* kDeleteW2c = "delete-w2c";
constexpr const char* kSetW3c = "set-w3c";

// "YYYY-MM-DD" of a real date.
bool IsFiledDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  const int year = std::stoi(text.substr(0, 4)), month = std::stoi(text.substr(5, 2)),
            day = std::stoi(text.substr(8, 2));
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1]) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return !(month == 2 && day == 29 && !leap);
}

const EmployeeRecord* EmployeeBySsn(CGlobalDoc& doc, const std::string& ssn) {
  const std::string digits = efile::DigitsOf(ssn);
  if (digits.size() != 9) return nullptr;
  for (const auto& e : doc.GetEmployees())
    if (efile::DigitsOf(e.SocialSecurityNumber()) == digits) return &e;
  return nullptr;
}

// ---- the W-2c's as JSON ------------------------------------------------------------

JsonObject TwoColumns(int depth, const std::string& previously, const std::string& correct) {
  JsonObject o(depth);
  o.Text(W2cTexts::kPreviously, previously).Text(W2cTexts::kCorrect, correct);
  return o;
}

JsonObject Box13Column(int depth, const std::array<bool, 3>& boxes) {
  JsonObject o(depth);
  o.Flag("statutory employee", boxes[0]).Flag("retirement plan", boxes[1]).Flag("third-party sick pay", boxes[2]);
  return o;
}

JsonObject W2cJson(const W2cForm& f, const std::string& employee) {
  JsonObject o(2);
  o.Text("employee", employee)
      .Text("goes to", f.toSsa ? "SSA" : "state")
      .Flag("made by hand", f.handMade)
      .Text("corrects the filing of", ShowFiledDate(f.previouslyFiledOn))
      .Text("a", f.a)
      .Text("form corrected", f.formCorrected)
      .Text("b", f.b)
      .Flag("c", f.c)
      .Text("d", f.d);
  JsonObject e(3), fa(3), g(3);
  e.Text("first name and initial", f.eFirst).Text("last name", f.eLast).Text("suff.", f.eSuffix);
  fa.Text("address line 1", f.f1).Text("address line 2", f.f2).Text("city, state, zip code", f.fCity);
  g.Text("name", f.gName).Text("address line 1", f.g1).Text("address line 2", f.g2).Text("city, state, zip code", f.gCity);
  o.Object("e", e).Object("f", fa).Object("g", g).Text("h", f.h).Text("i", f.i);
  JsonObject boxes(3);
  for (const auto& line : f.boxes) boxes.Object(line.box->key, TwoColumns(4, line.previously, line.correct));
  o.Object("boxes", boxes);
  std::vector<JsonObject> box12;
  for (const auto& line : f.box12) {
    JsonObject l(4);
    l.Text("code", line.code).Text(W2cTexts::kPreviously, line.previously).Text(W2cTexts::kCorrect, line.correct);
    box12.push_back(l);
  }
  o.Objects("12", box12);
  if (f.box13) {
    JsonObject b13(3);
    b13.Object(W2cTexts::kPreviously, Box13Column(4, f.box13->previously))
        .Object(W2cTexts::kCorrect, Box13Column(4, f.box13->correct));
    o.Object("13", b13);
  } else {
    o.Null("13");
  }
  o.Texts("problems", f.problems);
  return o;
}

std::string NameOf(CGlobalDoc& doc, int32_t employeeId) {
  for (const auto& e : doc.GetEmployees())
    if (e.EmployeeUniqueID == employeeId) return EmployeeDisplayName(e);
  return {};
}

int PrintW2cs(CGlobalDoc& doc, std::ostream& out) {
  const W2cList list = LoadW2cList(doc);
  JsonObject json;
  std::vector<JsonObject> forms;
  for (const auto& f : list.forms) forms.push_back(W2cJson(f, NameOf(doc, f.employeeId)));
  json.Objects("forms", forms);
  std::vector<JsonObject> addressOnly;
  for (const auto& a : list.addressOnly) {
    JsonObject o(2);
    o.Text("employee", a.name).Text("notice", AddressOnlyNotice(a.name));
    addressOnly.push_back(o);
  }
  json.Objects("address only", addressOnly).Texts("notes", list.notes);
  out << json.Str() << "\n";
  return 0;
}

int PrintW3c(CGlobalDoc& doc, CommandLineUi& ui, std::ostream& out) {
  const W2cList list = LoadW2cList(doc);
  std::string problem;
  const W3cPage p = LoadW3cPage(doc, list, &problem);
  if (!problem.empty()) ui.ShowError(problem);
  JsonObject json, b(1);
  b.Text("name", p.employerName)
      .Text("address line 1", p.address1)
      .Text("address line 2", p.address2)
      .Text("city, state, zip code", p.cityLine);
  json.Text("a", p.a).Object("b", b);
  if (const char* kind = W3cKindOfPayerLabel(p.kindOfPayer)) json.Text("c", kind);
  else json.Null("c");
  json.Flag("third-party sick pay", p.thirdPartySickPay)
      .Text("d", p.d)
      .Text("e", p.e)
      .Text("f", p.f)
      .Text("g", p.g)
      .Text("h", p.h)
      .Text("i", p.i)
      .Text("j", p.j);
  for (size_t n = 1; n <= 11; ++n) json.Object(std::to_string(n), TwoColumns(1, p.box[n][0], p.box[n][1]));
  json.Object("12", TwoColumns(1, p.box12[0], p.box12[1]))
      .Object("14", TwoColumns(1, p.box14[0], p.box14[1]))
      .Object("16", TwoColumns(1, p.box16[0], p.box16[1]))
      .Object("17", TwoColumns(1, p.box17[0], p.box17[1]))
      .Object("18", TwoColumns(1, p.box18[0], p.box18[1]))
      .Object("19", TwoColumns(1, p.box19[0], p.box19[1]))
      .Text("explain decreases here", p.explainDecreases)
      .Flag("explained by the user", p.explainedByUser)
      .Text("contact person", p.contactName)
      .Text("telephone number", p.telephone)
      .Text("e-mail address", p.email)
      .Text("fax number", p.fax);
  out << json.Str() << "\n";
  return 0;
}

// ---- the corrected 1099-MISC's as JSON --------------------------------------------------

using M = Form1099Record::Text;
// The boxes of a corrected return as the listing names them.
constexpr std::pair<const char*, M> kMiscBoxes[] = {
    {"1", M::Rents},        {"2", M::Royalities},
    {"3", M::OtherIncome},  {"4", M::FederalIncomeTaxWithheld},
    {"5", M::FishingBoatProceeds}, {"6", M::MedicalAndHealthCarePayments},
    {"7", M::NonemployeeCompensation}, {"8", M::SubstitutePayments},
    {"10", M::CropInsuranceProceeds}, {"13", M::ExcessGoldenParachutePayments},
    {"14", M::GrossProceedsPaidToAttorney}, {"15a", M::Field15A},
    {"15b", M::Field15B},   {"16", M::StateTaxWithheld1},
    {"16.2", M::StateTaxWithheld2}, {"17", M::PayerStateID1},
    {"17.2", M::PayerStateID2}, {"18", M::StateIncome1},
    {"18.2", M::StateIncome2}};

JsonObject ReturnJson(const Corrected1099Return& r) {
  JsonObject o(4);
  const NameLines name = ContractorNameLines(r.contractor);
  o.Number("step", r.step)
      .Flag("CORRECTED", r.correctedBox)
      .Text("file code", std::string(1, r.fileCode))
      .Text("recipient's identification number", r.contractor.IdentificationNumber())
      .Text("name line 1", name.line1)
      .Text("name line 2", name.line2)
      .Text("street address", r.contractor.Address1() + (r.contractor.Address2().empty() ? "" : " " + r.contractor.Address2()))
      .Text("city, state, zip code", r.contractor.City() + ", " + r.contractor.State() + " " + r.contractor.Zip())
      .Text("account number", r.contractor.AccountNumber())
      .Flag("2nd TIN not.", r.contractor.SecondTIN != 0)
      .Flag("9", r.form.PayerMadeDirectSales != 0);
  JsonObject boxes(5);
  for (const auto& [key, member] : kMiscBoxes) boxes.Text(key, std::string(r.form.TextAt(member)));
  o.Object("boxes", boxes);
  return o;
}

int Print1099cs(CGlobalDoc& doc, std::ostream& out) {
  const Form1099CorrectionList list = Load1099Corrections(doc);
  JsonObject json;
  std::vector<JsonObject> forms;
  for (const auto& c : list.corrections) {
    JsonObject o(2);
    std::vector<std::string> errors;
    for (Form1099Error e : c.errors) errors.push_back(RuleOf(e).text);
    std::vector<JsonObject> returns;
    for (const auto& r : c.returns) returns.push_back(ReturnJson(r));
    o.Text("payee", c.payee)
        .Text("goes to", c.toIrs ? "IRS" : "state")
        .Text("corrects the filing of", ShowFiledDate(c.previouslyFiledOn))
        .Text("procedure", c.procedure == Form1099Procedure::TwoReturns ? "two returns" : "one return")
        .Flag("deleted since filing", c.removed)
        .Texts("what changed", errors)
        .Objects("returns", returns);
    forms.push_back(o);
  }
  json.Objects("forms", forms);
  const Form1096Page p = BuildCorrection1096Page(doc.GetCompany(), list);
  JsonObject f1096(1);
  f1096.Text("3", p.box3).Text("4", p.box4).Text("5", p.box5).Text("legend", p.marginLegend);
  json.Object("1096", f1096).Texts("notes", list.notes);
  out << json.Str() << "\n";
  return 0;
}

int HandMade(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command, const std::vector<std::string>& args,
             std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0].rfind("--", 0) == 0) {
    err << "formet-cli: " << command << " takes the name of a company and --ssn SSN\n";
    return 2;
  }
  std::optional<std::string> ssn;
  std::vector<std::pair<std::string, std::string>> boxes;   // typed, in UTF-8
  std::vector<std::pair<std::string, std::string>> names;   // --previous-* options
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (i + 1 >= args.size()) {
      err << "formet-cli: " << PrintableUtf8(option) << " needs a value\n";
      return 2;
    }
    const std::string& value = args[++i];
    if (option == "--ssn") {
      ssn = value;
    } else if (option == "--box" && command == kSetW2c) {
      const size_t eq = value.find('=');
      if (eq == std::string::npos) {
        err << "formet-cli: --box takes BOX=VALUE\n";
        return 2;
      }
      boxes.emplace_back(value.substr(0, eq), value.substr(eq + 1));
    } else if (command == kSetW2c && (option == "--previous-ssn" || option == "--previous-first" ||
                                       option == "--previous-middle" || option == "--previous-last" ||
                                       option == "--previous-suffix")) {
      names.emplace_back(option, value);
    } else {
      err << "formet-cli: " << command << " does not take " << PrintableUtf8(option) << "\n";
      return 2;
    }
  }
  if (!ssn) {
    err << "formet-cli: " << command << " needs --ssn SSN\n";
    return 2;
  }
  if (!LoadCompany(doc, ui, args[0], err, CompanyUse::Change)) return 1;
  const EmployeeRecord* employee = EmployeeBySsn(doc, *ssn);
  if (!employee) {
    err << "formet-cli: the company has no employee with the social security number " << PrintableUtf8(*ssn) << "\n";
    return 1;
  }
  const int32_t id = employee->EmployeeUniqueID;
  if (command == kNewW2c) {
    std::string problem;
    if (!NewW2c(doc, id, problem)) {
      err << "formet-cli: " << Win1252ToUtf8(problem) << "\n";
      return 1;
    }
    out << "New W-2c for " << Win1252ToUtf8(EmployeeDisplayName(*employee))
        << ": its Previously reported column is the W-2 now; change it with set-w2c.\n";
    return 0;
  }
  std::vector<FiledW2> filed, handMade;
  if (int rc = ReadRecordedW2s(doc, filed, &handMade)) {
    err << Win1252ToUtf8(EngineErrorMessage("Formet failed to read the W-2c's.", rc)) << "\n";
    return 1;
  }
  auto row = std::find_if(handMade.begin(), handMade.end(),
                          [&](const FiledW2& r) { return r.employee.EmployeeUniqueID == id; });
  if (row == handMade.end()) {
    err << "formet-cli: " << Win1252ToUtf8(EmployeeDisplayName(*employee))
        << " has no W-2c made by hand (new-w2c makes one)\n";
    return 1;
  }
  if (command == kDeleteW2c) {
    if (int rc = DeleteW2c(doc, id)) {
      err << Win1252ToUtf8(CommandSaveFailure(doc, rc)) << "\n";
      return 1;
    }
    return 0;
  }
  FiledW2 changed = *row;
  for (const auto& [key, utf8] : boxes) {
    const auto value = FromCommandLine(utf8, err);
    if (!value) return 1;
    if (auto problem = SetHandMadeW2cValue(changed, key, *value)) {
      err << "formet-cli: " << Win1252ToUtf8(*problem) << "\n";
      return 1;
    }
  }
  for (const auto& [option, utf8] : names) {
    const auto value = FromCommandLine(utf8, err);
    if (!value) return 1;
    // --previous-ssn, --previous-first, ...: the keys of the name.
    if (auto problem = SetHandMadeW2cValue(changed, option.substr(std::string("--previous-").size()), *value)) {
      err << "formet-cli: --" << option.substr(2) << ": " << Win1252ToUtf8(*problem) << "\n";
      return 1;
    }
  }
  if (int rc = SaveW2c(doc, changed)) {
    err << Win1252ToUtf8(CommandSaveFailure(doc, rc)) << "\n";
    return 1;
  }
  return 0;
}

int MarkFiled(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args, std::ostream& out,
              std::ostream& err) {
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--on")) {
    err << "formet-cli: mark-filed takes w2, w2c, 1099 or 1099c, the name of a company and perhaps --on YYYY-MM-DD\n";
    return 2;
  }
  FiledFamily family;
  if (args[0] == "w2") family = FiledFamily::W2;
  else if (args[0] == "w2c") family = FiledFamily::W2c;
  else if (args[0] == "1099") family = FiledFamily::Form1099;
  else if (args[0] == "1099c") family = FiledFamily::Form1099c;
  else {
    err << "formet-cli: mark-filed takes w2, w2c, 1099 or 1099c, not " << PrintableUtf8(args[0]) << "\n";
    return 2;
  }
  const std::string date = args.size() == 4 ? args[3] : TodayFiledDate();
  if (!IsFiledDate(date)) {
    err << "formet-cli: --on takes a date as YYYY-MM-DD, such as 2008-02-15\n";
    return 2;
  }
  if (!LoadCompany(doc, ui, args[1], err, CompanyUse::Change)) return 1;
  const RecordResult result = RecordAsFiled(doc, family, date);
  (result.code == 0 ? out : err) << Win1252ToUtf8(result.message) << "\n";
  return result.code == 0 ? 0 : 1;
}

// set-w3c NAME --explain TEXT: the W-3c's "Explain decreases here" ("" goes
// back to the decreases as computed).
int SetW3c(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args, std::ostream& out,
           std::ostream& err) {
  if (args.size() != 3 || args[1] != "--explain") {
    err << "formet-cli: set-w3c takes the name of a company and --explain TEXT (\"\" for the decreases as "
           "computed)\n";
    return 2;
  }
  const auto text = FromCommandLine(args[2], err);
  if (!text) return 1;
  if (!LoadCompany(doc, ui, args[0], err, CompanyUse::Change)) return 1;
  std::string problem;
  if (SetW3cExplanation(doc, *text, problem) != 0) {
    err << "formet-cli: " << Win1252ToUtf8(problem) << "\n";
    return 1;
  }
  out << (text->empty() ? "The W-3c explains the decreases as computed.\n" : "The W-3c's explanation was stored.\n");
  if (const std::string notice = W3cExplanationFitNotice(*text); !notice.empty())
    out << Win1252ToUtf8(notice) << "\n";
  return 0;
}

}  // namespace

bool IsCorrectionCommand(const std::string& command) {
  return command == kMarkFiled || command == kW2c || command == kW3c || command == k1099c || command == kNewW2c ||
         command == kSetW2c || command == kDeleteW2c || command == kSetW3c;
}

int RunCorrectionCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command,
                         const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (command == kMarkFiled) return MarkFiled(doc, ui, args, out, err);
  if (command == kSetW3c) return SetW3c(doc, ui, args, out, err);
  if (command == kW2c || command == kW3c || command == k1099c) {
    if (args.size() != 1 || args[0].rfind("--", 0) == 0) {
      err << "formet-cli: " << command << " takes the name of a company\n";
      return 2;
    }
    if (!LoadCompany(doc, ui, args[0], err, CompanyUse::ReadOnly)) return 1;
    const int rc = command == kW2c   ? PrintW2cs(doc, out)
                   : command == kW3c ? PrintW3c(doc, ui, out)
                                     : Print1099cs(doc, out);
    ui.Flush(err);
    return rc;
  }
  return HandMade(doc, ui, command, args, out, err);
}

}  // namespace formet::cli
