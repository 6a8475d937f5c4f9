#include "cli/payee_commands.h"

#include <ostream>

#include "forms/fixed_width.h"

#include "cli/command_line_ui.h"
#include "cli/field_options.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "records/identifying_numbers.h"
#include "store/global_doc.h"
#include "store/text_codec.h"

namespace formet::cli {
namespace {

constexpr const char* kAddEmployee = "add-employee";
constexpr const char* kAddContractor = "add-contractor";
constexpr const char* kSetContractor = "set-contractor";

// The end of an add: the check's message, a failed save, or the confirmation.
int Finish(CGlobalDoc& doc, CommandLineUi& ui, const ChangeResult& result, const std::string& confirmation,
           std::ostream& out, std::ostream& err) {
  if (!result.Done()) {
    if (ui.messages.empty()) ui.messages.push_back("formet-cli: nothing was added.");
    ui.Flush(err);
    return 1;
  }
  if (result.saveCode != 0) {
    ui.messages.push_back(CommandSaveFailure(doc, result.saveCode));
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
      {"ssn", EmployeeFieldIndex(R::Text::SocialSecurityNumber)},
      {"first", EmployeeFieldIndex(R::Text::FirstName)},
      {"middle", EmployeeFieldIndex(R::Text::MiddleName)},
      {"last", EmployeeFieldIndex(R::Text::LastName)},
      {"suffix", EmployeeFieldIndex(R::Text::Suffix)},
      {"address1", EmployeeFieldIndex(R::Text::Address1)},
      {"address2", EmployeeFieldIndex(R::Text::Address2)},
      {"city", EmployeeFieldIndex(R::Text::City)},
      {"state", EmployeeFieldIndex(R::Text::State)},
      {"zip", EmployeeFieldIndex(R::Text::Zip)},
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
  std::string name = record.FirstName();
  if (!record.MiddleName().empty()) name += " " + record.MiddleName();
  name += " " + record.LastName();
  if (!record.Suffix().empty()) name += " " + record.Suffix();
  return Finish(doc, ui, result,
                "Added employee " + std::to_string(result.uniqueId) + " (" + name + ", " +
                    record.SocialSecurityNumber() + ") with a blank W-2 to " + doc.CompanyName() + ".",
                out, err);
}

int AddContractorCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args,
                         std::ostream& out, std::ostream& err) {
  using R = ContractorRecord;
  const auto fields = ContractorFields();
  const Option options[] = {
      {"tin", ContractorFieldIndex(R::Text::IdentificationNumber)},
      {"name1", ContractorFieldIndex(R::Text::NameLine1)},
      {"name2", ContractorFieldIndex(R::Text::NameLine2)},
      {"address1", ContractorFieldIndex(R::Text::Address1)},
      {"address2", ContractorFieldIndex(R::Text::Address2)},
      {"city", ContractorFieldIndex(R::Text::City)},
      {"state", ContractorFieldIndex(R::Text::State)},
      {"zip", ContractorFieldIndex(R::Text::Zip)},
      {"account", ContractorFieldIndex(R::Text::AccountNumber)},
      {"second-tin", ContractorFieldIndex(&R::SecondTIN)},
  };
  auto parsed = ParseArguments<R>(kAddContractor, fields, options, args, err);
  if (!parsed) return 2;
  // Spaces around the number are not part of it, nor of what the field takes.
  if (auto tin = parsed->values.find("tin"); tin != parsed->values.end())
    tin->second = std::string(WithoutSurroundingBlanks(tin->second));
  PageValues values = EmptyContractorDialog();
  if (!FillFields<R>(fields, options, *parsed, values, err)) return 1;
  if (!LoadCompany(doc, ui, parsed->company, err)) return 1;

  const ContractorRecord record = ReadContractorDialog(values);
  const auto result = AddContractor(doc, ui, record, true, false, true);
  std::string name = record.NameLine1();
  if (!record.NameLine2().empty()) name += " / " + record.NameLine2();
  return Finish(doc, ui, result,
                "Added contractor " + std::to_string(result.uniqueId) + " (" + name + ", " +
                    record.IdentificationNumber() + ") with a blank 1099-MISC to " + doc.CompanyName() + ".",
                out, err);
}

// set-contractor: the "Modify Contractor" dialog's OK for the contractor with
// the TIN given, its other fields as they are unless an option sets them.
int SetContractorCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args,
                         std::ostream& out, std::ostream& err) {
  using R = ContractorRecord;
  const auto fields = ContractorFields();
  const Option options[] = {
      {"new-tin", ContractorFieldIndex(R::Text::IdentificationNumber)},
      {"name1", ContractorFieldIndex(R::Text::NameLine1)},
      {"name2", ContractorFieldIndex(R::Text::NameLine2)},
      {"address1", ContractorFieldIndex(R::Text::Address1)},
      {"address2", ContractorFieldIndex(R::Text::Address2)},
      {"city", ContractorFieldIndex(R::Text::City)},
      {"state", ContractorFieldIndex(R::Text::State)},
      {"zip", ContractorFieldIndex(R::Text::Zip)},
      {"account", ContractorFieldIndex(R::Text::AccountNumber)},
      {"second-tin", ContractorFieldIndex(&R::SecondTIN)},
  };
  const CommandOption own[] = {{"tin", true}};
  auto parsed = ParseArguments<R>(kSetContractor, fields, options, args, err, own);
  if (!parsed) return 2;
  if (!parsed->Has("tin")) {
    err << "formet-cli: set-contractor needs --tin TIN, the contractor's identification number now\n";
    return 2;
  }
  if (auto tin = parsed->values.find("new-tin"); tin != parsed->values.end())
    tin->second = std::string(WithoutSurroundingBlanks(tin->second));
  if (!LoadCompany(doc, ui, parsed->company, err)) return 1;
  const auto& contractors = doc.GetContractors();
  const std::string digits = efile::DigitsOf(parsed->values.at("tin"));
  int position = -1;
  for (size_t i = 0; i < contractors.size(); ++i)
    if (!digits.empty() && efile::DigitsOf(contractors[i].IdentificationNumber()) == digits) position = static_cast<int>(i);
  if (position < 0) {
    err << "formet-cli: no contractor of " << Win1252ToUtf8(doc.CompanyName()) << " has the identification number "
        << parsed->values.at("tin") << "\n";
    return 1;
  }
  const auto start = BeginModifyContractor(doc, position);
  if (!start) return 1;
  PageValues values = start->values;
  if (!FillFields<R>(fields, options, *parsed, values, err)) return 1;
  const int32_t id = contractors[static_cast<size_t>(position)].ContractorUniqueID;
  const ContractorRecord edited = ReadContractorDialog(values, id);
  // The checks of a new contractor's number and name, the others' numbers aside from its own.
  std::vector<ContractorRecord> others;
  for (const auto& c : contractors)
    if (c.ContractorUniqueID != id) others.push_back(c);
  if (const auto problem = NewContractorProblem(others, edited)) {
    err << "formet-cli: " << Win1252ToUtf8(*problem) << "\n";
    return 1;
  }
  const auto result = ModifyContractor(doc, position, edited);
  if (result.saveCode != 0) {
    err << Win1252ToUtf8(CommandSaveFailure(doc, result.saveCode)) << "\n";
    return 1;
  }
  out << (result.Done() ? "Changed contractor " : "Nothing changed for contractor ") << id << " ("
      << Win1252ToUtf8(ContractorDisplayName(edited)) << ").\n";
  return 0;
}

}  // namespace

bool IsPayeeCommand(const std::string& command) {
  return command == kAddEmployee || command == kAddContractor || command == kSetContractor;
}

int RunPayeeCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command,
                    const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (command == kAddEmployee) return AddEmployeeCommand(doc, ui, args, out, err);
  if (command == kAddContractor) return AddContractorCommand(doc, ui, args, out, err);
  if (command == kSetContractor) return SetContractorCommand(doc, ui, args, out, err);
  return 2;
}

}  // namespace formet::cli
