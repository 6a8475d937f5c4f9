#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "store/ui_services.h"

namespace formet {
class CGlobalDoc;
}

namespace formet::cli {

// Answers the document's questions from the command line: messages are
// collected and printed once the command knows whether it failed.
class CommandLineUi : public UiServices {
 public:
  std::optional<NewCompanyEntry> newCompany;
  std::vector<std::string> messages;

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string&) override { return false; }
  Answer AskYesNoCancel(const std::string&) override { return Answer::Cancel; }
  std::optional<NewCompanyEntry> AskNewCompany() override { return newCompany; }
  std::optional<std::string> ChooseCompany(const std::vector<std::string>&) override { return std::nullopt; }

  // Prints the collected messages in UTF-8 and forgets them.
  void Flush(std::ostream& to);
};

// A text typed on the command line (UTF-8), in the code page of company files;
// nullopt, with the reason on `err`, when it has no such form.
std::optional<std::string> FromCommandLine(const std::string& utf8, std::ostream& err);

// How a command uses the company it loads.
enum class CompanyUse {
  Change,    // it may write the company: one that cannot be written is refused
  ReadOnly,  // it only reads (or writes only when asked to change something):
             // a company that cannot be written loads too
};

// Loads the company named on the command line (UTF-8) as the desktop
// program does; false, with the reason on `err`, when it cannot.
bool LoadCompany(CGlobalDoc& doc, CommandLineUi& ui, const std::string& utf8Name, std::ostream& err,
                 CompanyUse use = CompanyUse::Change);

// The message of a failed save at the end of a command: what was not saved
// (the command ends; nothing is kept for a later save), or why the company
// cannot be written at all.
std::string CommandSaveFailure(const CGlobalDoc& doc, int code);

}  // namespace formet::cli
