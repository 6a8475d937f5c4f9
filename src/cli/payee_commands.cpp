#include "cli/payee_commands.h"

#include <map>
#include <optional>
#include <ostream>
#include <span>

#include "cli/command_line_ui.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "store/global_doc.h"
#include "store/text_codec.h"

namespace formet::cli {
namespace {

constexpr const char* kAddEmployee = "add-employee";
constexpr const char* kAddContractor = "add-contractor";

// A command-line option and the dialog field it fills.
struct Option {
  const char* name;
  size_t field;
};

// The words after the command: the company name and the options, each given
// once, as "--name value", "--name=value" or, for a check box, "--name".
struct Parsed {
  std::string company;
  std::map<std::string, std::string> values;
};

template <class R>
std::optional<Parsed> ParseArguments(const std::string& command, std::span<const FieldSpec<R>> fields,
                                     std::span<const Option> options, const std::vector<std::string>& args,
                                     std::ostream& err) {
  Parsed parsed;
  bool haveCompany = false;
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
    const Option* option = nullptr;
    for (const auto& o : options)
      if (name == o.name) option = &o;
    if (!option) {
      err << "formet-cli: " << command << " has no option --" << name << "\n";
      return std::nullopt;
    }
    if (parsed.values.count(name)) {
      err << "formet-cli: --" << name << " is given twice\n";
      return std::nullopt;
    }
    std::string value;
    if (fields[option->field].kind == FieldKind::CheckBox) {
      if (eq != std::string::npos) {
        err << "formet-cli: --" << name << " takes no value\n";
        return std::nullopt;
      }
    } else if (eq != std::string::npos) {
      value = word.substr(eq + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      err << "formet-cli: --" << name << " needs a value\n";
      return std::nullopt;
    }
    parsed.values[name] = value;
  }
  if (!haveCompany) {
    err << "formet-cli: " << command << " needs the name of a company\n";
    return std::nullopt;
  }
  return parsed;
}

// Fills the dialog's fields from the options as typing would: the text in the
// company files' code page, refused characters and text a mask has no place
// for rejected, the rest cut to what the field keeps; a state must be an
// entry of the list.
template <class R>
bool FillFields(std::span<const FieldSpec<R>> fields, std::span<const Option> options, const Parsed& parsed,
                PageValues& values, std::ostream& err) {
  for (const auto& o : options) {
    const auto given = parsed.values.find(o.name);
    if (given == parsed.values.end()) continue;
    const auto& field = fields[o.field];
    auto& value = values[o.field];
    if (field.kind == FieldKind::CheckBox) {
      value.choice = 1;
      continue;
    }
    const auto text = FromCommandLine(given->second, err);
    if (!text) return false;
    if (field.kind == FieldKind::StateList) {
      std::string state = *text;
      for (char& c : state)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      const auto entry = FindState(state);
      if (!entry) {
        err << "formet-cli: --" << o.name << " \"" << given->second << "\" is not a state of the list\n";
        return false;
      }
      value.choice = *entry;
      continue;
    }
    if (const auto problem = FieldInputProblem(RuleOf(field), *text)) {
      err << "formet-cli: --" << o.name << " " << Win1252ToUtf8(*problem) << "\n";
      return false;
    }
    value.text = FieldInputText(RuleOf(field), *text);
  }
  return true;
}

// The end of an add: the check's message, a failed save, or the confirmation.
int Finish(CommandLineUi& ui, const ChangeResult& result, const std::string& confirmation, std::ostream& out,
           std::ostream& err) {
  if (!result.Done()) {
    if (ui.messages.empty()) ui.messages.push_back("formet-cli: nothing was added.");
    ui.Flush(err);
    return 1;
  }
  if (result.saveCode != 0) {
    ui.messages.push_back(SaveFailureMessage(result.saveCode));
    ui.Flush(err);
    return 1;
  }
  ui.Flush(err);
  out << Win1252ToUtf8(confirmation) << "\n";
  return 0;
}

int AddEmployeeCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args, std::ostream& out,
                       std::ostream& err) {
  using R = EmployeeRecord;
  const auto fields = EmployeeFields();
  const Option options[] = {
      {"ssn", EmployeeFieldIndex(&R::SocialSecurityNumber)},
      {"first", EmployeeFieldIndex(&R::FirstName)},
      {"middle", EmployeeFieldIndex(&R::MiddleName)},
      {"last", EmployeeFieldIndex(&R::LastName)},
      {"suffix", EmployeeFieldIndex(&R::Suffix)},
      {"address1", EmployeeFieldIndex(&R::Address1)},
      {"address2", EmployeeFieldIndex(&R::Address2)},
      {"city", EmployeeFieldIndex(&R::City)},
      {"state", EmployeeFieldIndex(&R::State)},
      {"zip", EmployeeFieldIndex(&R::Zip)},
  };
  const auto parsed = ParseArguments<R>(kAddEmployee, fields, options, args, err);
  if (!parsed) return 2;
  PageValues values = EmptyEmployeeDialog();
  if (!FillFields<R>(fields, options, *parsed, values, err)) return 1;
  if (!LoadCompany(doc, ui, parsed->company, err)) return 1;

  // As the dialog's OK does: saved at once, the check's message shown, the
  // employee's blank W-2 written at once too.
  const EmployeeRecord record = ReadEmployeeDialog(values);
  const auto result = AddEmployee(doc, ui, record, true, false, true);
  std::string name = record.FirstName;
  if (!record.MiddleName.empty()) name += " " + record.MiddleName;
  name += " " + record.LastName;
  if (!record.Suffix.empty()) name += " " + record.Suffix;
  return Finish(ui, result,
                "Added employee " + std::to_string(result.uniqueId) + " (" + name + ", " +
                    record.SocialSecurityNumber + ") with a blank W-2 to " + doc.CompanyName() + ".",
                out, err);
}

int AddContractorCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args,
                         std::ostream& out, std::ostream& err) {
  using R = ContractorRecord;
  const auto fields = ContractorFields();
  const Option options[] = {
      {"tin", ContractorFieldIndex(&R::IdentificationNumber)},
      {"name1", ContractorFieldIndex(&R::NameLine1)},
      {"name2", ContractorFieldIndex(&R::NameLine2)},
      {"address1", ContractorFieldIndex(&R::Address1)},
      {"address2", ContractorFieldIndex(&R::Address2)},
      {"city", ContractorFieldIndex(&R::City)},
      {"state", ContractorFieldIndex(&R::State)},
      {"zip", ContractorFieldIndex(&R::Zip)},
      {"account", ContractorFieldIndex(&R::AccountNumber)},
      {"second-tin", ContractorFieldIndex(&R::SecondTIN)},
  };
  const auto parsed = ParseArguments<R>(kAddContractor, fields, options, args, err);
  if (!parsed) return 2;
  PageValues values = EmptyContractorDialog();
  if (!FillFields<R>(fields, options, *parsed, values, err)) return 1;
  if (!LoadCompany(doc, ui, parsed->company, err)) return 1;

  const ContractorRecord record = ReadContractorDialog(values);
  const auto result = AddContractor(doc, ui, record, true, false, true);
  std::string name = record.NameLine1;
  if (!record.NameLine2.empty()) name += " / " + record.NameLine2;
  return Finish(ui, result,
                "Added contractor " + std::to_string(result.uniqueId) + " (" + name + ", " +
                    record.IdentificationNumber + ") with a blank 1099-MISC to " + doc.CompanyName() + ".",
                out, err);
}

}  // namespace

bool IsPayeeCommand(const std::string& command) { return command == kAddEmployee || command == kAddContractor; }

int RunPayeeCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command,
                    const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (command == kAddEmployee) return AddEmployeeCommand(doc, ui, args, out, err);
  if (command == kAddContractor) return AddContractorCommand(doc, ui, args, out, err);
  return 2;
}

}  // namespace formet::cli
