#pragma once
// formet-cli commands of the four form pages: set-w2 and set-1099 type boxes
// into a payee's form and save it as the W-2 and 1099 pages do; w3 and 1096
// print every field of the transmittal pages as JSON.
#include <iosfwd>
#include <string>
#include <vector>

namespace formet {
class CGlobalDoc;
}

namespace formet::cli {

class CommandLineUi;

bool IsFormCommand(const std::string& command);
// `args` are the words after the command. Returns the exit code.
int RunFormCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command,
                   const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace formet::cli
