#pragma once
// formet-cli import w2|1099: loads the rows of a delimited file into a
// company as Import Data does, with the columns assigned on the command line.
#include <iosfwd>
#include <string>
#include <vector>

namespace formet {
class CGlobalDoc;
}

namespace formet::cli {

class CommandLineUi;

bool IsImportDataCommand(const std::string& command);
// `args` are the words after the command. Returns the exit code.
int RunImportDataCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args,
                         std::ostream& out, std::ostream& err);

}  // namespace formet::cli
