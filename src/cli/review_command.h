#pragma once
// formet-cli review: every W-2 and 1099-MISC of a company with its problems,
// as the Review page lists them.
#include <iosfwd>
#include <string>
#include <vector>

namespace formet {
class CGlobalDoc;
}

namespace formet::cli {

class CommandLineUi;

bool IsReviewCommand(const std::string& command);
// `args` are the words after the command. Returns the exit code: 1 when a
// form has an error (or the company cannot be read), 0 otherwise.
int RunReviewCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args, std::ostream& out,
                     std::ostream& err);

}  // namespace formet::cli
