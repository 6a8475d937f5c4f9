#pragma once
// What the data store and the rules must ask or tell the user. The desktop
// program answers with dialogs and message boxes; tests and the command line
// answer with scripts. All texts are Windows-1252.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/company_summary.h"

namespace formet {

enum class Answer { Yes, No, Cancel };

// A list to choose one row from (the "Select Employee" and "Select
// Contractor" dialogs): its columns, its rows, and the order it is shown in.
struct RowChoice {
  std::string caption;
  std::vector<std::pair<std::string, int>> columns;  // heading and width
  std::vector<std::vector<std::string>> rows;        // column texts, listed in this order first
  // The rows are first sorted by this column, when set; a click on a heading
  // sorts by it (ascending, a second click on the same heading reverses).
  std::optional<int> sortColumn;
  bool ascending = true;
  std::optional<size_t> current;  // the row selected to begin with
  // The search box finds rows by the names in these columns and by the
  // digits of the SSN or TIN in `searchNumber`.
  std::vector<size_t> searchNames;
  std::optional<size_t> searchNumber;
};
// What the user chose: the row (an index into `rows`), none when OK was
// pressed with no row selected or the dialog was cancelled, and the sort
// order the list was left in.
struct RowChoiceAnswer {
  bool accepted = false;
  std::optional<size_t> row;
  std::optional<int> sortColumn;
  bool ascending = true;
};

// Where a note of a form page points.
enum class NoteAnchor { NextButton, PreviousButton, HelpIcon };

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
  // The same dialog for Company > Open, each company shown with its summary
  // (EIN, forms, last change); by default the names alone.
  virtual std::optional<std::string> ChooseCompanyToOpen(const std::vector<CompanyListing>& companies) {
    std::vector<std::string> names;
    names.reserve(companies.size());
    for (const auto& company : companies) names.push_back(company.name);
    return ChooseCompany(names);
  }
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

  // The form pages' part.
  virtual void ShowEmployeesPage() {}
  virtual void ShowContractorsPage() {}
  // A balloon note at the centre of a control of the page shown, with a
  // title; it closes by itself after `closeAfterMs` when that is positive,
  // else when the mouse moves.
  virtual void ShowBalloonNote(NoteAnchor /*anchor*/, const std::string& /*title*/, const std::string& /*text*/,
                        int /*closeAfterMs*/) {}
  // Before forms are printed, the problems found in them (a heading, then one
  // line per problem), with "Print anyway" and "Cancel". True to print.
  virtual bool AskPrintAnyway(const std::string& heading, const std::vector<std::string>& problems) {
    std::string text = heading;
    for (const auto& line : problems) text += "\n" + line;
    return AskYesNo(text + "\n\nPrint anyway?");
  }
  // The review's part: the W2 Forms page with the W-2 of that employee, the
  // 1099 Forms page with the 1099-MISC of that contractor (indexes in the
  // company's lists).
  virtual void ShowEmployeeW2(int /*employee*/) {}
  virtual void ShowContractor1099(int /*contractor*/) {}
  // A dialog that lists rows to choose one from.
  virtual RowChoiceAnswer ChooseRow(const RowChoice& choice) {
    return {false, std::nullopt, choice.sortColumn, choice.ascending};
  }
};

}  // namespace formet
