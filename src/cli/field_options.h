#pragma once
// The words of a formet-cli command that fills the fields of a dialog: the
// company name, one option per field ("--name value", "--name=value", or for
// a check box "--name" / "--no-name"), and the command's own options. The
// fields are filled as typing would fill them.
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "records/field_table.h"

namespace formet::cli {

// A command-line option and the dialog field it fills.
struct Option {
  const char* name;
  size_t field;
};

// An option of the command itself: a switch, or one that takes a value.
struct CommandOption {
  const char* name;
  bool takesValue;
};

struct Parsed {
  std::string company;
  std::map<std::string, std::string> values;  // a check box: "1" for --name, "0" for --no-name
  bool Has(const std::string& name) const { return values.count(name) != 0; }
};

// Parses the words after the command: the company name and each option at
// most once. Refuses unknown options, missing values and a second company name.
template <class R>
std::optional<Parsed> ParseArguments(const std::string& command, std::span<const FieldSpec<R>> fields,
                                     std::span<const Option> options, const std::vector<std::string>& args,
                                     std::ostream& err, std::span<const CommandOption> own = {});

// Fills the dialog's fields from the options as typing would: the text in the
// company files' code page, refused characters and text a mask has no place
// for rejected, the rest cut to what the field keeps; a state must be an
// entry of the list, a code list's value one of its words or codes.
template <class R>
bool FillFields(std::span<const FieldSpec<R>> fields, std::span<const Option> options, const Parsed& parsed,
                PageValues& values, std::ostream& err);

// ---- implementation of the templates ------------------------------------------------

// The non-template part of the parser: `isSwitch(name)` tells whether an
// option takes no value; `known(name)` whether it exists.
std::optional<Parsed> ParseWords(const std::string& command, const std::vector<std::string>& args,
                                 std::ostream& err, const std::function<int(const std::string&)>& kindOf);
// Fills one field from an option's value; false with the reason on `err`.
bool FillField(const std::string& option, FieldKind kind, const EditRule& rule, std::span<const ChoiceEntry> choices,
               const std::string& given, FieldValue& value, std::ostream& err);

template <class R>
std::optional<Parsed> ParseArguments(const std::string& command, std::span<const FieldSpec<R>> fields,
                                     std::span<const Option> options, const std::vector<std::string>& args,
                                     std::ostream& err, std::span<const CommandOption> own) {
  // -1: unknown; 0: takes a value; 1: a check box (with its --no- form).
  return ParseWords(command, args, err, [&](const std::string& name) {
    for (const auto& o : options)
      if (name == o.name) return fields[o.field].kind == FieldKind::CheckBox ? 1 : 0;
    for (const auto& o : own)
      if (name == o.name) return o.takesValue ? 0 : 2;
    return -1;
  });
}

template <class R>
bool FillFields(std::span<const FieldSpec<R>> fields, std::span<const Option> options, const Parsed& parsed,
                PageValues& values, std::ostream& err) {
  for (const auto& o : options) {
    const auto given = parsed.values.find(o.name);
    if (given == parsed.values.end()) continue;
    const auto& field = fields[o.field];
    if (!FillField(o.name, field.kind, RuleOf(field), field.choices, given->second, values[o.field], err))
      return false;
  }
  return true;
}

}  // namespace formet::cli
