#pragma once
// What the data store and the rules must ask or tell the user. The desktop
// program answers with dialogs and message boxes; tests and the command line
// answer with scripts. All texts are Windows-1252.
#include <optional>
#include <string>
#include <vector>

namespace formet {

enum class Answer { Yes, No, Cancel };

struct NewCompanyEntry {
  std::string employerName;
  std::string legalName;  // asked for, not used
};

class UiServices {
 public:
  virtual ~UiServices() = default;
  // A message in a plain box: checks that failed, notices.
  virtual void ShowMessage(const std::string& text) = 0;
  // A failure (a file that cannot be opened or written, an engine error),
  // shown with the error icon.
  virtual void ShowError(const std::string& text) { ShowMessage(text); }
  virtual bool AskYesNo(const std::string& question) = 0;
  // A question whose Yes destroys something (a record, a company, edits):
  // No is the default answer, so that Enter alone destroys nothing.
  virtual bool AskYesNoDestructive(const std::string& question) { return AskYesNo(question); }
  virtual Answer AskYesNoCancel(const std::string& question) = 0;
  // The New Company dialog; nullopt when cancelled.
  virtual std::optional<NewCompanyEntry> AskNewCompany() = 0;
  // The "Select a Company " dialog over the given names; nullopt when cancelled.
  virtual std::optional<std::string> ChooseCompany(const std::vector<std::string>& names) = 0;
  // The same dialog, saying that the company chosen will be deleted.
  virtual std::optional<std::string> ChooseCompanyToDelete(const std::vector<std::string>& names) {
    return ChooseCompany(names);
  }
  // A note under a heading (the desktop shows the heading above the text).
  virtual void ShowNote(const std::string& heading, const std::string& text) { ShowMessage(heading + "\n\n" + text); }

  // The main window's part.
  virtual void SetMainWindowTitle(const std::string& /*title*/) {}
  virtual void ShowCompanyPage() {}
  virtual void BeginWaitCursor() {}
  virtual void EndWaitCursor() {}
};

}  // namespace formet
