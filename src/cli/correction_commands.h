#pragma once
// formet-cli commands of corrections: mark-filed records the forms as filed;
// w2c and w3c print the W-2c's and the W-3c as JSON; new-w2c, set-w2c and
// delete-w2c keep the W-2c's made by hand.
#include <iosfwd>
#include <string>
#include <vector>

namespace formet {
class CGlobalDoc;
}

namespace formet::cli {

class CommandLineUi;

bool IsCorrectionCommand(const std::string& command);
// `args` are the words after the command. Returns the exit code.
int RunCorrectionCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command,
                         const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace formet::cli
