#pragma once
// formet-cli commands that write the electronic filing files: the SSA wage
// file (efw2) and the IRS 1099-MISC information return file (efile-1099).
#include <iosfwd>
#include <string>
#include <vector>

namespace formet {
class CGlobalDoc;
}

namespace formet::cli {

class CommandLineUi;

bool IsEfilingCommand(const std::string& command);
// `args` are the words after the command. Returns the exit code: 0 when the
// file was written (or, with --check-only, would be), 1 on any error, 2 for
// wrong arguments.
int RunEfilingCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::string& command,
                      const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace formet::cli
