#include "cli/form_commands.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <span>

#include "cli/command_line_ui.h"
#include "cli/field_options.h"
#include "cli/json_dump.h"
#include "forms/1099/form1096_totals.h"
#include "forms/1099/form1099_page_rules.h"
#include "forms/w2/box12_codes.h"
#include "forms/w2/w2_page_rules.h"
#include "forms/w2/w3_totals.h"
#include "records/contractors.h"
#include "records/identifying_numbers.h"
#include "store/global_doc.h"
#include "store/text_codec.h"

namespace formet::cli {
namespace {

constexpr const char* kSetW2 = "set-w2";
constexpr const char* kSet1099 = "set-1099";
constexpr const char* kW3 = "w3";
constexpr const char* k1096 = "1096";

// A box of the command line ("--box KEY=VALUE") and the page's fields it
// types: the value is split at ":" into one part per field, and only the
// parts given are typed.
struct BoxKey {
  std::string key;
  std::vector<size_t> fields;
};

// The box 13 check boxes of the W-2, by the words that name them.
struct Flag {
  const char* word;
  size_t field;
};

// What set-w2 and set-1099 need of their page: the boxes, the fields' input
// rules, and the check boxes named in one box.
struct FormTable {
  std::vector<BoxKey> boxes;
  std::vector<EditRule> rules;  // one per field of the page's table
  std::string flagsKey;         // the box whose value names check boxes ("13"), if any
  std::vector<Flag> flags;
  bool (*isCode)(size_t) = nullptr;  // the fields that take a box 12 code
};

template <class R>
std::vector<EditRule> RulesOf(std::span<const FieldSpec<R>> table) {
  std::vector<EditRule> rules;
  for (const auto& f : table) rules.push_back(RuleOf(f));
  return rules;
}

// A box of two lines: "16" and "16.1" type line 1, "16.2" line 2.
void AddLines(FormTable& t, const std::string& box, std::vector<size_t> line1, std::vector<size_t> line2) {
  t.boxes.push_back({box, line1});
  t.boxes.push_back({box + ".1", line1});
  t.boxes.push_back({box + ".2", std::move(line2)});
}

FormTable W2Table() {
  using R = W2Record;
  auto f = [](auto member) { return W2FieldIndex(member); };
  FormTable t;
  t.rules = RulesOf(W2Fields());
  const std::pair<const char*, TextMember<R>> amounts[] = {
      {"1", R::Text::Wages},
      {"2", R::Text::FederalIncomeTaxWithdrawal},
      {"3", R::Text::SocialSecurityWages},
      {"4", R::Text::SocialSecurityTaxWithheld},
      {"5", R::Text::MedicareWages},
      {"6", R::Text::MedicareTaxWithheld},
      {"7", R::Text::SocialSecurityTips},
      {"8", R::Text::AllocatedTips},
      {"9", R::Text::AdvancEICPayment},
      {"10", R::Text::DependentCareBenefits},
      {"11", R::Text::NonQualifiedPlans},
  };
  for (const auto& [key, member] : amounts) t.boxes.push_back({key, {f(member)}});
  t.boxes.push_back({"12a", {f(R::Text::Field12aCode), f(R::Text::Field12aAmount), f(R::Text::Field12aYear)}});
  t.boxes.push_back({"12b", {f(R::Text::Field12bCode), f(R::Text::Field12bAmount), f(R::Text::Field12bYear)}});
  t.boxes.push_back({"12c", {f(R::Text::Field12cCode), f(R::Text::Field12cAmount), f(R::Text::Field12cYear)}});
  t.boxes.push_back({"12d", {f(R::Text::Field12dCode), f(R::Text::Field12dAmount), f(R::Text::Field12dYear)}});
  t.isCode = &IsBox12CodeField;
  t.flagsKey = "13";
  t.flags = {{"statutory", f(&R::StatutoryEmployee)},
             {"retirement", f(&R::RetirementPlan)},
             {"sick-pay", f(&R::ThirdPartySickpay)}};
  t.boxes.push_back({"14", {f(R::Text::Other1)}});
  t.boxes.push_back({"14.1", {f(R::Text::Other1)}});
  t.boxes.push_back({"14.2", {f(R::Text::Other2)}});
  t.boxes.push_back({"14.3", {f(R::Text::Other3)}});
  AddLines(t, "15", {f(R::Text::State1), f(R::Text::StateID1)}, {f(R::Text::State2), f(R::Text::StateID2)});
  AddLines(t, "16", {f(R::Text::StateWages1)}, {f(R::Text::StateWages2)});
  AddLines(t, "17", {f(R::Text::StateIncomTax1)}, {f(R::Text::StateIncomTax2)});
  AddLines(t, "18", {f(R::Text::LocalWages1)}, {f(R::Text::LocalWages2)});
  AddLines(t, "19", {f(R::Text::LocalIncomeTax1)}, {f(R::Text::LocalIncomeTax2)});
  AddLines(t, "20", {f(R::Text::LocalityName1)}, {f(R::Text::LocalityName2)});
  return t;
}

FormTable Form1099Table() {
  using R = Form1099Record;
  auto f = [](auto member) { return Form1099FieldIndex(member); };
  FormTable t;
  t.rules = RulesOf(Form1099Fields());
  const std::pair<const char*, TextMember<R>> amounts[] = {
      {"1", R::Text::Rents},
      {"2", R::Text::Royalities},
      {"3", R::Text::OtherIncome},
      {"4", R::Text::FederalIncomeTaxWithheld},
      {"5", R::Text::FishingBoatProceeds},
      {"6", R::Text::MedicalAndHealthCarePayments},
      {"7", R::Text::NonemployeeCompensation},
      {"8", R::Text::SubstitutePayments},
      {"10", R::Text::CropInsuranceProceeds},
      {"13", R::Text::ExcessGoldenParachutePayments},
      {"14", R::Text::GrossProceedsPaidToAttorney},
      {"15a", R::Text::Field15A},
      {"15b", R::Text::Field15B},
  };
  for (const auto& [key, member] : amounts) t.boxes.push_back({key, {f(member)}});
  t.boxes.push_back({"9", {f(&R::PayerMadeDirectSales)}});
  AddLines(t, "16", {f(R::Text::StateTaxWithheld1)}, {f(R::Text::StateTaxWithheld2)});
  AddLines(t, "17", {f(R::Text::PayerStateID1)}, {f(R::Text::PayerStateID2)});
  AddLines(t, "18", {f(R::Text::StateIncome1)}, {f(R::Text::StateIncome2)});
  return t;
}

// The words after set-w2 / set-1099: the company, the payee's number, and
// the boxes (each at most once).
struct SetArguments {
  std::string company;
  std::string payee;
  std::vector<std::pair<std::string, std::string>> boxes;  // key, value
};

std::optional<SetArguments> ParseSetArguments(const std::string& command, const char* payeeOption,
                                              const FormTable& table, const std::vector<std::string>& args,
                                              std::ostream& err) {
  SetArguments parsed;
  bool haveCompany = false, havePayee = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.rfind("--", 0) != 0) {
      if (haveCompany) {
        err << "formet-cli: " << command << " takes one company name; \"" << word << "\" is one too many\n";
        return std::nullopt;
      }
      parsed.company = word;
      haveCompany = true;
      continue;
    }
    const size_t eq = word.find('=');
    const std::string name = word.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
    if (name != payeeOption && name != "box") {
      err << "formet-cli: " << command << " has no option --" << name << "\n";
      return std::nullopt;
    }
    std::string value;
    if (eq != std::string::npos) {
      value = word.substr(eq + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      err << "formet-cli: --" << name << " needs a value\n";
      return std::nullopt;
    }
    if (name == payeeOption) {
      if (havePayee) {
        err << "formet-cli: --" << name << " is given twice\n";
        return std::nullopt;
      }
      parsed.payee = value;
      havePayee = true;
      continue;
    }
    const size_t sep = value.find('=');
    if (sep == std::string::npos) {
      err << "formet-cli: --box takes BOX=VALUE, not \"" << value << "\"\n";
      return std::nullopt;
    }
    const std::string key = value.substr(0, sep);
    const bool known = key == table.flagsKey ||
                       std::any_of(table.boxes.begin(), table.boxes.end(), [&](const BoxKey& b) { return b.key == key; });
    if (!known) {
      err << "formet-cli: " << command << " has no box " << key << "\n";
      return std::nullopt;
    }
    for (const auto& [given, _] : parsed.boxes) {
      if (given == key) {
        err << "formet-cli: box " << key << " is given twice\n";
        return std::nullopt;
      }
    }
    parsed.boxes.emplace_back(key, value.substr(sep + 1));
  }
  if (!haveCompany) {
    err << "formet-cli: " << command << " needs the name of a company\n";
    return std::nullopt;
  }
  if (!havePayee) {
    err << "formet-cli: " << command << " needs --" << payeeOption << "\n";
    return std::nullopt;
  }
  return parsed;
}

std::vector<std::string> Split(const std::string& value, char at) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = value.find(at, start);
    parts.push_back(value.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// What each given box types into the page's fields, checked as the fields
// check typing; nullopt, with the reason on `err`, when something cannot be
// typed. The box 12 codes must be codes of the 2007 form.
std::optional<std::vector<std::pair<size_t, FieldValue>>> TypedFields(const FormTable& table, const SetArguments& args,
                                                                     const FormPageRules& rules, std::ostream& err) {
  std::vector<std::pair<size_t, FieldValue>> typed;
  for (const auto& [key, value] : args.boxes) {
    const std::string option = "box " + key;
    if (key == table.flagsKey) {
      // The check boxes named are checked, the others cleared.
      const auto words = value.empty() ? std::vector<std::string>{} : Split(value, ',');
      for (const auto& word : words) {
        if (std::none_of(table.flags.begin(), table.flags.end(), [&](const Flag& f) { return word == f.word; })) {
          err << "formet-cli: --" << option << " names no check box \"" << word << "\" (";
          for (size_t i = 0; i < table.flags.size(); ++i) err << (i ? ", " : "") << table.flags[i].word;
          err << ")\n";
          return std::nullopt;
        }
      }
      for (const auto& flag : table.flags) {
        const bool on = std::find(words.begin(), words.end(), flag.word) != words.end();
        typed.emplace_back(flag.field, FieldValue{{}, on ? 1 : 0});
      }
      continue;
    }
    const BoxKey& box = *std::find_if(table.boxes.begin(), table.boxes.end(), [&](const BoxKey& b) { return b.key == key; });
    // A box of several parts given nothing ("12a=") is cleared as a whole:
    // its code, amount and year alike.
    const auto parts = box.fields.size() == 1 ? std::vector<std::string>{value}
                       : value.empty()        ? std::vector<std::string>(box.fields.size())
                                              : Split(value, ':');
    if (parts.size() > box.fields.size()) {
      err << "formet-cli: --" << option << " takes at most " << box.fields.size() << " parts separated by \":\"\n";
      return std::nullopt;
    }
    for (size_t i = 0; i < parts.size(); ++i) {
      const size_t field = box.fields[i];
      const EditRule& rule = table.rules[field];
      FieldValue v = rules.Value(field);
      if (rule.kind == FieldKind::CheckBox) {
        const std::string& word = parts[i];
        if (word != "yes" && word != "no") {
          err << "formet-cli: --" << option << " takes yes or no\n";
          return std::nullopt;
        }
        v.choice = word == "yes" ? 1 : 0;
      } else if (!FillField(option, rule.kind, rule, {}, parts[i], v, err)) {
        return std::nullopt;
      }
      if (table.isCode && table.isCode(field) && !v.text.empty() && !IsBox12Code(v.text)) {
        err << "formet-cli: --" << option << ": " << Win1252ToUtf8(InvalidBox12CodeMessage(v.text)) << "\n";
        return std::nullopt;
      }
      typed.emplace_back(field, v);
    }
  }
  // Typed in box order, each field left after it was typed.
  std::stable_sort(typed.begin(), typed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  return typed;
}

// The position of the payee whose number is `given` as stored, or as the
// mask `mask` writes it (blanks around either aside).
template <class Payee>
std::optional<int> FindPayee(const std::vector<Payee>& payees, TextMember<Payee> number, const std::string& given,
                             std::string_view mask) {
  const std::string typed(WithoutSurroundingBlanks(given));
  std::vector<std::string> forms = {typed};
  if (!mask.empty()) forms.push_back(FieldInputText(EditRule{FieldKind::Mask, 0, {}, mask}, typed));
  for (const auto& form : forms)
    for (size_t i = 0; i < payees.size(); ++i)
      if (SameIdentifyingNumber(number.In(payees[i]), form)) return static_cast<int>(i);
  return std::nullopt;
}

// set-w2 and set-1099: as if the user showed the payee's form, typed each
// given box in box order and left it, then pressed Save.
template <class Rules, class Payee>
int SetForm(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command, const char* payeeOption,
            const FormTable& table, const std::vector<std::string>& args, const std::vector<Payee>& (CGlobalDoc::*payees)() const,
            TextMember<Payee> number, std::string_view mask, const char* formName,
            std::string (*nameOf)(const Payee&), std::ostream& out, std::ostream& err) {
  const auto parsed = ParseSetArguments(command, payeeOption, table, args, err);
  if (!parsed) return 2;
  const auto given = FromCommandLine(parsed->payee, err);
  if (!given) return 1;
  if (!LoadCompany(doc, ui, parsed->company, err)) return 1;
  const auto position = FindPayee((doc.*payees)(), number, *given, mask);
  if (!position) {
    err << "formet-cli: " << Win1252ToUtf8(doc.CompanyName()) << " has no " << (mask.empty() ? "contractor" : "employee")
        << " with the number " << parsed->payee << "\n";
    return 1;
  }
  Rules rules(doc, ui);
  rules.GoTo(*position);
  const Payee& payee = (doc.*payees)()[static_cast<size_t>(*position)];
  const std::string who = nameOf(payee) + " (" + std::string(number.In(payee)) + ")";
  if (!rules.HasForm()) {
    err << "formet-cli: " << Win1252ToUtf8(rules.FormNotice()) << "\n";
    return 1;
  }
  const auto typed = TypedFields(table, *parsed, rules, err);
  if (!typed) return 1;
  for (const auto& [field, value] : *typed) {
    rules.Edit(field, value);
    rules.LeaveField(field);
  }
  const SaveResult result = rules.SaveNow();
  ui.Flush(err);  // what leaving the fields said (a limit enforced), or why nothing was saved
  switch (result.outcome) {
    case SaveOutcome::Saved:
      if (result.saveCode != 0) return 1;
      out << "Saved the " << formName << " of " << Win1252ToUtf8(who) << " in " << Win1252ToUtf8(doc.CompanyName())
          << ".\n";
      return 0;
    case SaveOutcome::Unchanged:
      out << "The " << formName << " of " << Win1252ToUtf8(who) << " is as stored; nothing was written.\n";
      return 0;
    default: return 1;
  }
}

std::string EmployeeName(const EmployeeRecord& e) {
  std::string name = e.FirstName();
  if (!e.MiddleName().empty()) name += " " + e.MiddleName();
  name += " " + e.LastName();
  if (!e.Suffix().empty()) name += " " + e.Suffix();
  return name;
}

std::string ContractorName(const ContractorRecord& c) {
  const NameLines names = ContractorNameLines(c);
  return names.line2.empty() ? names.line1 : names.line1 + " " + names.line2;
}

// ---- the transmittals as JSON -------------------------------------------------------

int PrintTransmittal(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command,
                     const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1 || args[0].rfind("--", 0) == 0) {
    err << "formet-cli: " << command << " takes the name of a company\n";
    return 2;
  }
  if (!LoadCompany(doc, ui, args[0], err, CompanyUse::ReadOnly)) return 1;
  JsonObject json;
  std::string problem;  // totals that cannot be held, as the page tells
  if (command == kW3) {
    const W3Page p = BuildW3Page(doc.GetCompany(), doc.GetW2Forms());
    problem = p.problem;
    json.Text("a", p.controlNumber);
    if (const char* kind = KindOfPayerLabel(p.kindOfPayer)) json.Text("b", kind);
    else json.Null("b");
    JsonObject g(1), box15(1);
    g.Text("address line 1", p.address1)
        .Text("address line 2", p.address2)
        .Text("city", p.city)
        .Text("state", p.state)
        .Text("zip code", p.zip);
    box15.Text("state", p.box15State).Text("employer's state ID number", p.box15StateId);
    json.Flag("3rd-party sick pay", p.thirdPartySickPay)
        .Text("c", p.totalForms)
        .Text("d", p.establishmentNumber)
        .Text("e", p.ein)
        .Text("f", p.employerName)
        .Object("g", g)
        .Text("h", p.otherEin);
    for (int n = 1; n <= 11; ++n) json.Text(std::to_string(n), p.box[static_cast<size_t>(n)]);
    json.Text("12", p.box12)
        .Text("13", p.box13)
        .Text("14", p.box14)
        .Object("15", box15)
        .Text("16", p.box16)
        .Text("17", p.box17)
        .Text("18", p.box18)
        .Text("19", p.box19)
        .Text("contact person", p.contactName)
        .Text("telephone number", p.telephone)
        .Text("e-mail address", p.email)
        .Text("fax number", p.fax);
  } else {
    const Form1096Page p = Build1096Page(doc.GetCompany(), doc.GetForms1099());
    problem = p.problem;
    json.Text("filer's name", p.filerName)
        .Text("street address", p.street)
        .Text("city", p.city)
        .Text("state", p.state)
        .Text("zip code", p.zip)
        .Text("name of person to contact", p.contactName)
        .Text("telephone number", p.telephone)
        .Text("e-mail address", p.email)
        .Text("fax number", p.fax)
        .Text("1", p.box1)
        .Text("2", p.box2)
        .Text("3", p.box3)
        .Text("4", p.box4)
        .Text("5", p.box5)
        .Flag("final return", p.finalReturn);
  }
  out << json.Str() << "\n";
  ui.Flush(err);
  if (problem.empty()) return 0;
  err << "formet-cli: " << Win1252ToUtf8(problem) << "\n";
  return 1;
}

}  // namespace

bool IsFormCommand(const std::string& command) {
  return command == kSetW2 || command == kSet1099 || command == kW3 || command == k1096;
}

int RunFormCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command,
                   const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (command == kSetW2) {
    return SetForm<W2PageRules, EmployeeRecord>(doc, ui, command, "ssn", W2Table(), args, &CGlobalDoc::GetEmployees,
                                                EmployeeRecord::Text::SocialSecurityNumber, "###-##-####", "W-2",
                                                &EmployeeName, out, err);
  }
  if (command == kSet1099) {
    return SetForm<Form1099PageRules, ContractorRecord>(doc, ui, command, "tin", Form1099Table(), args,
                                                        &CGlobalDoc::GetContractors,
                                                        ContractorRecord::Text::IdentificationNumber, {}, "1099-MISC",
                                                        &ContractorName, out, err);
  }
  return PrintTransmittal(doc, ui, command, args, out, err);
}

}  // namespace formet::cli
