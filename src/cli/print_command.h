#pragma once
// formet-cli print: the four forms to a PDF file, with the choices of the
// print options dialogs given as options.
#include <iosfwd>
#include <string>
#include <vector>

namespace formet {
class CGlobalDoc;
}

namespace formet::cli {

class CommandLineUi;

bool IsPrintCommand(const std::string& command);
// `args` are the words after the command. Returns the exit code.
int RunPrintCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args, std::ostream& out,
                    std::ostream& err);

}  // namespace formet::cli
