#include "cli/field_options.h"

#include <ostream>

#include "cli/command_line_ui.h"
#include "kit/ascii_text.h"
#include "store/text_codec.h"

namespace formet::cli {

std::optional<Parsed> ParseWords(const std::string& command, const std::vector<std::string>& args,
                                 std::ostream& err, const std::function<int(const std::string&)>& kindOf) {
  Parsed parsed;
  bool haveCompany = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.rfind("--", 0) != 0) {
      if (haveCompany) {
        err << "formet-cli: " << command << " takes one company name; \"" << PrintableUtf8(word)
            << "\" is one too many\n";
        return std::nullopt;
      }
      parsed.company = word;
      haveCompany = true;
      continue;
    }
    const size_t eq = word.find('=');
    std::string name = word.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
    int kind = kindOf(name);
    bool negated = false;
    if (kind < 0 && name.size() > 3 && name.compare(0, 3, "no-") == 0) {
      std::string bare(name, 3);
      if (kindOf(bare) == 1) {
        name = std::move(bare);
        kind = 1;
        negated = true;
      }
    }
    std::string value(1, negated ? '0' : '1');
    if (kind < 0) {
      err << "formet-cli: " << command << " has no option --" << PrintableUtf8(name) << "\n";
      return std::nullopt;
    }
    if (parsed.values.count(name)) {
      err << "formet-cli: --" << name << " is given twice\n";
      return std::nullopt;
    }
    if (kind != 0) {
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

bool FillField(const std::string& option, FieldKind kind, const EditRule& rule, std::span<const ChoiceEntry> choices,
               const std::string& given, FieldValue& value, std::ostream& err) {
  if (kind == FieldKind::CheckBox) {
    value.choice = given == "0" ? 0 : 1;
    return true;
  }
  const auto text = FromCommandLine(given, err);
  if (!text) return false;
  if (kind == FieldKind::StateList) {
    const std::string state = UpperAscii(*text);
    const auto entry = FindState(state);
    if (!entry) {
      err << "formet-cli: --" << option << " \"" << PrintableUtf8(given) << "\" is not a state of the list\n";
      return false;
    }
    value.choice = *entry;
    return true;
  }
  if (kind == FieldKind::CodeList) {
    const auto entry = FindChoiceByWord(choices, *text);
    if (!entry) {
      err << "formet-cli: --" << option << " \"" << PrintableUtf8(given) << "\" is not one of:";
      for (const auto& c : choices) err << " " << c.word;
      err << "\n";
      return false;
    }
    value.choice = *entry;
    return true;
  }
  if (const auto problem = FieldInputProblem(rule, *text)) {
    err << "formet-cli: --" << option << " " << Win1252ToUtf8(*problem) << "\n";
    return false;
  }
  value.text = FieldInputText(rule, *text);
  return true;
}

}  // namespace formet::cli
