#pragma once
// formet-cli commands that add employees and contractors to a company.
#include <iosfwd>
#include <string>
#include <vector>

namespace formet {
class CGlobalDoc;
}

namespace formet::cli {

class CommandLineUi;

bool IsPayeeCommand(const std::string& command);
// `args` are the words after the command. Returns the exit code.
int RunPayeeCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command,
                    const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace formet::cli
