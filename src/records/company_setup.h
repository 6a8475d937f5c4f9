#pragma once
// Company setup: the payer's identity, W-3 details and 1096 details kept in
// the open company's CompanyRecord, edited on three tabbed pages with the
// buttons "Update", "Reset" and "Clear", and the New Company dialog's rules.
//
// The pages are an editing buffer (PageValues, in the order of
// CompanyFields()); edits reach the record only through UpdateCompany.
#include <optional>
#include <span>
#include <string>

#include "records/change_result.h"
#include "records/field_table.h"
#include "store/records.h"

namespace formet {

class CGlobalDoc;
class UiServices;

enum CompanyTab : int { kGeneralTab = 0, kW3Tab = 1, k1096Tab = 2 };

// Tab captions in order: "General Information", "W3 Information", "1096 Information".
std::span<const char* const> CompanyTabCaptions();
// The fields of the three tabs, tab by tab in the order of their tables.
std::span<const FieldSpec<CompanyRecord>> CompanyFields();
// The position of a record member's field in CompanyFields().
size_t CompanyFieldIndex(TextMember<CompanyRecord> member);
size_t CompanyFieldIndex(int32_t CompanyRecord::*member);

// LoadPages: the controls filled from a record. A stored state not in the
// table and a kind of payer outside 0..6 show no selection.
PageValues LoadCompanyPages(const CompanyRecord& record);
// SavePages: the controls read into a record, each text cut to its capacity;
// a list without a selection leaves its member unchanged. The columns the
// pages do not show keep what the record holds.
void SaveCompanyPages(const PageValues& values, CompanyRecord& record);
// ClearPages: every text and masked field emptied, State on the empty entry,
// Kind of Payer on "941", Third-party sick pay cleared; the final-return box
// keeps its state.
void ClearCompanyPages(PageValues& values);

// "Update": refuses an empty employer name, asks for confirmation, copies the
// pages into the open company's record, sets the window title from the
// employer name, refreshes every page and writes the company row at once.
ChangeResult UpdateCompany(CGlobalDoc& doc, UiServices& ui, const PageValues& values);
// The same without the confirmation (Company > Save, or Yes to the question
// below): an empty employer name is still refused with its message.
ChangeResult ApplyCompanyPages(CGlobalDoc& doc, UiServices& ui, const PageValues& values);
// True when the pages show something other than the open company's record:
// edits not yet applied with Update (or a Clear).
bool CompanyPagesEdited(CGlobalDoc& doc, const PageValues& values);
// Before the company closes: with edits not yet applied, asks "Save the
// changes to the company setup?" (Yes/No/Cancel). Yes applies them (a
// refusal, or a failed write, cancels the close), No drops them. False when
// the close must not go on.
bool AskAboutCompanyEdits(CGlobalDoc& doc, UiServices& ui, const PageValues& values);
// "Reset": on confirmation the pages show the record again (what was last
// saved) and the title is set from it. True when the pages changed.
bool ResetCompany(CGlobalDoc& doc, UiServices& ui, PageValues& values);
// "Clear": on confirmation the pages are cleared (nothing is written) and the
// title is set from the record. True when the pages changed.
bool ClearCompany(CGlobalDoc& doc, UiServices& ui, PageValues& values);

// The New Company dialog: both fields refuse kFileNameExclusion. While the
// user has not typed into "Legal Name", each change of "Employer Name" is
// copied into it; the first change made in "Legal Name" ends that for the
// life of the dialog.
class NewCompanyDialogRules {
 public:
  // The new text of "Legal Name" after "Employer Name" changed, or nullopt
  // when the legal name is the user's own.
  std::optional<std::string> OnEmployerNameChanged(const std::string& employerName) const;
  void OnLegalNameEdited() { legalNameTyped_ = true; }
  // "OK": false (with the message shown) when the employer name is empty;
  // the dialog then stays open.
  bool OnOk(UiServices& ui, const std::string& employerName) const;

 private:
  bool legalNameTyped_ = false;
};

}  // namespace formet
