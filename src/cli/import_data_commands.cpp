#include "cli/import_data_commands.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/command_line_ui.h"
#include "import/form1099_import.h"
#include "import/import_session.h"
#include "import/w2_import.h"
#include "store/global_doc.h"
#include "store/text_codec.h"

namespace formet::cli {
namespace {

constexpr const char* kImport = "import";

// A text of the program (Windows-1252, lines ending CR LF or LF) for the terminal.
std::string ForTerminal(std::string_view win1252) {
  std::string out = Win1252ToUtf8(win1252);
  for (size_t at = out.find("\r\n"); at != std::string::npos; at = out.find("\r\n", at)) out.erase(at, 1);
  return out;
}

struct Options {
  std::string flavour, company, file;
  std::string delimiter = "comma", qualifier = "double";
  std::vector<std::string> maps;
  bool autoMap = false;
  bool listFields = false;
  bool skipBadRows = false;
};

std::optional<Options> Parse(const std::vector<std::string>& args, std::ostream& err) {
  Options o;
  std::vector<std::string> words;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.rfind("--", 0) != 0) {
      words.push_back(word);
      continue;
    }
    const size_t eq = word.find('=');
    const std::string name = word.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
    if (name == "auto-map" || name == "fields" || name == "skip-bad-rows") {
      if (eq != std::string::npos) {
        err << "formet-cli: --" << name << " takes no value\n";
        return std::nullopt;
      }
      (name == "auto-map" ? o.autoMap : name == "fields" ? o.listFields : o.skipBadRows) = true;
      continue;
    }
    if (name != "delimiter" && name != "qualifier" && name != "map") {
      err << "formet-cli: import has no option --" << PrintableUtf8(name) << "\n";
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
    if (name == "map") o.maps.push_back(value);
    else (name == "delimiter" ? o.delimiter : o.qualifier) = value;
  }
  const size_t wanted = o.listFields ? 1 : 3;
  if (words.size() != wanted || (words[0] != "w2" && words[0] != "1099")) {
    err << "formet-cli: import takes w2 or 1099, " << (o.listFields ? "and --fields" : "a company name and a file")
        << " (see formet-cli help)\n";
    return std::nullopt;
  }
  o.flavour = words[0];
  if (!o.listFields) {
    o.company = words[1];
    o.file = words[2];
  }
  return o;
}

std::unique_ptr<ImportFlavour> MakeFlavour(const std::string& name, CGlobalDoc& doc, CommandLineUi& ui) {
  if (name == "w2") return std::make_unique<W2ImportFlavour>(doc, ui);
  return std::make_unique<Form1099ImportFlavour>(doc, ui);
}

// Every field by group, in the order of the dialog's field menu.
void ListFields(const ImportFlavour& flavour, std::ostream& out) {
  const auto& catalogue = flavour.Catalogue();
  const auto& required = flavour.RequiredFields();
  const auto& groups = catalogue.Groups();
  for (auto g = groups.rbegin(); g != groups.rend(); ++g) {
    out << ForTerminal(g->name) << ":\n";
    for (int f = g->first; f < g->first + g->count; ++f) {
      const bool needed = std::find(required.begin(), required.end(), f) != required.end();
      out << "  " << ForTerminal(catalogue.Name(f)) << (needed ? "   (required)" : "") << "\n";
    }
  }
}

// The column a --map names: a header text of the file, else a column number
// from 1.
std::optional<size_t> FindColumn(const ImportTable& table, const std::string& text) {
  for (size_t c = 0; c < table.ColumnCount(); ++c)
    if (table.Cell(0, c) == text) return c;
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9)
    return std::nullopt;
  const size_t number = std::stoul(text);
  if (number < 1 || number > table.ColumnCount()) return std::nullopt;
  return number - 1;
}

// Each --map as a column and a field; nullopt, with the reason, when one
// names no column or no field, or names one twice.
std::optional<std::vector<ColumnField>> ResolveMaps(const ImportSession& session, const Options& o,
                                                    std::ostream& err) {
  std::vector<ColumnField> maps;
  for (const auto& map : o.maps) {
    const size_t eq = map.rfind('=');
    if (eq == std::string::npos) {
      err << "formet-cli: --map \"" << PrintableUtf8(map) << "\" should be COLUMN=Field name\n";
      return std::nullopt;
    }
    const auto columnText = FromCommandLine(map.substr(0, eq), err);
    const auto fieldText = FromCommandLine(map.substr(eq + 1), err);
    if (!columnText || !fieldText) return std::nullopt;
    const auto column = FindColumn(session.Table(), *columnText);
    if (!column) {
      err << "formet-cli: --map \"" << PrintableUtf8(map) << "\": the file has no column \""
          << PrintableUtf8(map.substr(0, eq)) << "\" (a header text, or a number from 1 to " << session.Table().ColumnCount() << ")\n";
      return std::nullopt;
    }
    const int field = session.Catalogue().Find(*fieldText);
    if (field < 0) {
      err << "formet-cli: --map \"" << PrintableUtf8(map) << "\": there is no field \""
          << PrintableUtf8(map.substr(eq + 1)) << "\" (formet-cli import " << o.flavour << " --fields lists them)\n";
      return std::nullopt;
    }
    for (const auto& m : maps) {
      if (m.column == *column || m.field == field) {
        err << "formet-cli: --map \"" << PrintableUtf8(map) << "\": "
            << (m.field == field ? "that field is given a column twice" : "that column is given two fields") << "\n";
        return std::nullopt;
      }
    }
    maps.push_back({*column, field});
  }
  return maps;
}

// The column as the user knows it: its number and its header.
std::string ColumnName(const ImportSession& session, size_t column) {
  return "column " + std::to_string(column + 1) + " (\"" + std::string(session.Table().Cell(0, column)) + "\")";
}

constexpr const char* kSkipHint = "formet-cli: --skip-bad-rows loads the rows whose values pass and lists the others\n";

// Assigns the columns the options map (and, with --auto-map, those whose
// header names a field); false, with every refused column and every
// required field left without one on `err`, when nothing may be imported.
bool AssignColumns(ImportSession& session, std::vector<ColumnField>& maps, const Options& o, std::ostream& err) {
  if (o.autoMap) {
    for (const auto& match : session.MatchingHeaders()) {
      const bool given = std::any_of(maps.begin(), maps.end(), [&](const ColumnField& m) {
        return m.column == match.column || m.field == match.field;
      });
      if (!given) maps.push_back(match);
    }
  }

  // Every column is checked; all refused ones are reported.
  bool refused = false;
  for (const auto& m : maps) {
    const auto assigned = session.Assign(m.column, m.field);
    if (assigned.outcome == ImportSession::Assignment::Outcome::Refused) {
      refused = true;
      err << "The data in " << ForTerminal(ColumnName(session, m.column)) << " can't be used as \""
          << ForTerminal(session.Catalogue().Name(m.field)) << "\" data.\nThe following errors were detected:"
          << ForTerminal(assigned.report) << "\n\n";
    }
  }
  if (refused) {
    err << "formet-cli: nothing was imported.\n" << kSkipHint;
    return false;
  }
  if (const auto missing = session.UnmappedRequiredFields(); !missing.empty()) {
    for (int f : missing)
      err << "formet-cli: the required field \"" << ForTerminal(session.Catalogue().Name(f))
          << "\" has no column (assign it with --map, or --auto-map)\n";
    err << "formet-cli: nothing was imported.\n";
    return false;
  }
  return true;
}

// The import of every row or none: its summary, or why nothing was imported.
int ReportWholeImport(const ImportSession& session, const ImportOutcome& outcome, CommandLineUi& ui,
                      std::ostream& out, std::ostream& err) {
  if (!outcome.ran) {
    std::string refusal = outcome.refusal;
    const std::string dialogHint = std::string("\n") + kMendOrLoadGoodRows;
    if (!session.Table().RowProblems().empty()) {
      // The bad rows were listed when the file was read.
      err << "formet-cli: nothing was imported.\n" << kSkipHint;
    } else if (refusal.ends_with(dialogHint)) {
      // Rows whose values do not go together, each listed.
      refusal.resize(refusal.size() - dialogHint.size());
      err << "formet-cli: " << ForTerminal(refusal) << "\n" << kSkipHint;
    } else {
      err << "formet-cli: " << ForTerminal(refusal) << "\n";
    }
    return 1;
  }
  ui.Flush(err);
  (outcome.saveCode == 0 ? out : err) << ForTerminal(session.Summary(outcome, SaveRetry::Never)) << "\n";
  return outcome.saveCode == 0 ? 0 : 1;
}

// Loading the good rows: what was added on standard output, every row left
// out on standard error.
int ReportGoodRowsImport(const ImportSession& session, const ImportFlavour& flavour, const ImportOutcome& outcome,
                         CommandLineUi& ui, std::ostream& out, std::ostream& err) {
  ui.Flush(err);
  if (outcome.ran && outcome.saveCode == 0)
    out << ForTerminal("Added " + flavour.PayeesAdded(outcome.added) + ".") << "\n";
  else if (!outcome.ran)
    err << "formet-cli: " << ForTerminal(outcome.refusal) << "\n";
  const size_t leftOut = outcome.leftOut + outcome.dropped.size();
  if (leftOut > 0) {
    err << (leftOut == 1 ? std::string("1 row was not loaded:") : GroupedCount(leftOut) + " rows were not loaded:")
        << "\n";
    session.ForEachLeftOut(outcome, [&](const LeftOutRow& left) {
      err << ForTerminal(session.LeftOutLine(left)) << "\n";
      return true;
    });
  }
  if (outcome.ran && outcome.saveCode != 0) {
    err << ForTerminal("Nothing was added: the " + flavour.PayeesAdded(outcome.added) +
                       " read could not be saved.\n\n" + SaveFailureMessage(outcome.saveCode, nullptr, SaveRetry::Never))
        << "\n";
    return 1;
  }
  return outcome.ran && outcome.added > 0 ? 0 : 1;
}

int Import(CGlobalDoc& doc, CommandLineUi& ui, const Options& o, std::ostream& out, std::ostream& err) {
  const char delimiter = o.delimiter == "comma"     ? ','
                         : o.delimiter == "semicolon" ? ';'
                         : o.delimiter == "tab"       ? '\t'
                                                      : 0;
  const char qualifier = o.qualifier == "double" ? '"' : o.qualifier == "single" ? '\'' : 0;
  if (!delimiter || !qualifier) {
    err << "formet-cli: " << (!delimiter ? "--delimiter is comma, semicolon or tab" : "--qualifier is double or single")
        << "\n";
    return 2;
  }
  if (!LoadCompany(doc, ui, o.company, err)) return 1;

  auto flavour = MakeFlavour(o.flavour, doc, ui);
  ImportSession session(*flavour);
  session.SetDelimiterBox(delimiter == '\t' ? "0x09" : std::string(1, delimiter));
  session.SetQualifierBox(std::string(1, qualifier));
  session.SetPath(std::filesystem::path(o.file));
  const auto read = session.Read();
  if (!read || !read->HasTable()) {
    err << "formet-cli: " << ForTerminal(read ? read->message : "no file") << "\n";
    return 1;
  }
  // An empty line stopped the reading: the rows before it are imported, as
  // in the dialog.
  if (!read->message.empty()) err << "formet-cli: " << ForTerminal(read->message) << "\n";

  auto maps = ResolveMaps(session, o, err);
  if (!maps) return 2;
  session.SetSkipBadRows(o.skipBadRows);
  if (!AssignColumns(session, *maps, o, err)) return 1;
  const ImportOutcome outcome = session.Import();
  return o.skipBadRows ? ReportGoodRowsImport(session, *flavour, outcome, ui, out, err)
                       : ReportWholeImport(session, outcome, ui, out, err);
}

}  // namespace

bool IsImportDataCommand(const std::string& command) { return command == kImport; }

int RunImportDataCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args,
                         std::ostream& out, std::ostream& err) {
  const auto options = Parse(args, err);
  if (!options) return 2;
  if (options->listFields) {
    ListFields(*MakeFlavour(options->flavour, doc, ui), out);
    return 0;
  }
  return Import(doc, ui, *options, out, err);
}

}  // namespace formet::cli
