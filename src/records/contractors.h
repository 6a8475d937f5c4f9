#pragma once
// Contractors: the recipients of 1099-MISC forms. The open company's
// contractor list is the master; the "Contractor" dialog edits one
// contractor, and every change is written to the company file at once. Each
// contractor owns one 1099-MISC, created and deleted with it.
//
// A contractor is named by two free name lines. Records from older company
// files carry a first, middle and last name instead; they are shown through
// ComposeNameLines and converted to name lines when opened for modification.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "records/change_result.h"
#include "records/field_table.h"
#include "records/payee_list.h"
#include "store/records.h"

namespace formet {

class CGlobalDoc;
class PayeeBatch;
class UiServices;
class Form1099ListObserver;

// ---- names ------------------------------------------------------------------------

struct NameLines {
  std::string line1, line2;
  bool operator==(const NameLines&) const = default;
};

// The two-line name of a record from an older file: first name, then (unless
// the middle name is exactly "@") a space, the middle name and a space, then
// the last name; beyond 40 characters the rest goes to line two.
NameLines ComposeNameLines(const std::string& first, const std::string& middle, const std::string& last);
// The name lines a contractor is shown with: composed from its first, middle
// and last name when the first name is not empty, else its own name lines.
NameLines ContractorNameLines(const ContractorRecord& record);
// Turns an older record's names into name lines (each cut to 40 characters)
// and empties its first, middle and last name. False when the first name was
// already empty and nothing changed.
bool ConvertOlderNames(ContractorRecord& record);

// ---- the "Contractor" dialog ------------------------------------------------------

// The dialog's fields in order: identification number, name lines one and
// two, address lines, city, state, zip, account number, 2nd TIN not.
std::span<const FieldSpec<ContractorRecord>> ContractorFields();
size_t ContractorFieldIndex(TextMember<ContractorRecord> member);
size_t ContractorFieldIndex(int32_t ContractorRecord::*member);

// "Contractor" for a new contractor; for `stored`, "Contractor:   " and its
// first name, or its NameLine1 when the first name is empty.
std::string ContractorDialogCaption(const ContractorRecord* stored);
// The fields of a new contractor: all empty, State on its empty first entry,
// the check box clear.
PageValues EmptyContractorDialog();
// The fields of a stored contractor; a state not in the table shows the
// empty first entry.
PageValues LoadContractorDialog(const ContractorRecord& record);
// A fresh record from the fields, each cut to what the record keeps, with the
// given unique id; the identification number without blanks around it.
// Fields the dialog does not show are empty.
ContractorRecord ReadContractorDialog(const PageValues& values, int32_t uniqueId = 0);
// "Modify Contractor", OK: the dialog's fields read as ReadContractorDialog
// does, with the unique id of `stored`; a field left as it was `loaded`
// keeps the stored value, so OK with nothing edited writes nothing.
ContractorRecord ReadModifiedContractor(const ContractorRecord& stored, const PageValues& loaded,
                                        const PageValues& values);
// The contractor as a delete question names it: its name lines and, in
// brackets, its identification number.
std::string ContractorDisplayName(const ContractorRecord& record);

// ---- rules offered to other parts --------------------------------------------------

// The message of the first check a new contractor fails, in order: no
// identification number, a number some contractor has already (blanks around
// it aside), no name line one (spaces only are none). Nullopt when it passes.
// With a batch, the numbers are looked up in it instead of the list.
std::optional<std::string> NewContractorProblem(const std::vector<ContractorRecord>& contractors,
                                                const ContractorRecord& record, const PayeeBatch* batch = nullptr);
// The same, with the dialog field to correct (the dialog stays open on it).
std::optional<FieldProblem> NewContractorFieldProblem(const std::vector<ContractorRecord>& contractors,
                                                      const ContractorRecord& record,
                                                      const PayeeBatch* batch = nullptr);
bool CheckNewContractor(CGlobalDoc& doc, UiServices& ui, const ContractorRecord& record, bool silent,
                        const PayeeBatch* batch = nullptr);
// True when a contractor of the open company has this number (blanks around
// it aside).
bool FindContractorById(CGlobalDoc& doc, const std::string& identificationNumber);

// Adds a contractor after CheckNewContractor: the next ContractorUniqueID,
// appended and journaled, then its 1099-MISC (a copy of `formData`, or
// blank), journaled with save-now equal to `refresh1099Page` (which the
// 1099-MISC page is told). When either flag asks for a save, the contractor
// and its form are written in one save, so neither is stored without the
// other.
// The dialog: saveNow, not silent, refresh1099Page, no data.
// The 1099-MISC import: none of the three flags, the imported data, and a
// batch (see PayeeBatch) that the add keeps up to date.
ChangeResult AddContractor(CGlobalDoc& doc, UiServices& ui, const ContractorRecord& record, bool saveNow,
                           bool silent, bool refresh1099Page, const Form1099Record* formData = nullptr,
                           Form1099ListObserver* formPage = nullptr, PayeeBatch* batch = nullptr);

// True when the fields Modify compares are equal: identification number,
// first, middle and last name, both name lines, both address lines, city,
// state, zip, account number and the 2nd TIN flag.
bool SameContractorFields(const ContractorRecord& a, const ContractorRecord& b);

// ---- page operations ----------------------------------------------------------------

// "New Contractor", OK: adds the contractor the fields describe as the dialog
// does, then refreshes every page. The dialog closes either way.
ChangeResult NewContractor(CGlobalDoc& doc, UiServices& ui, const PageValues& values,
                           Form1099ListObserver* formPage = nullptr);

// Opening the dialog for the contractor at `position` ("Modify Contractor" or
// a double click): the caption (taken before the conversion), then the stored
// record's older names converted in memory (no pending change: the
// conversion reaches the file with the next update), then the fields.
struct ContractorDialogStart {
  std::string caption;
  PageValues values;
};
std::optional<ContractorDialogStart> BeginModifyContractor(CGlobalDoc& doc, int position);
// "Modify Contractor", OK: a new record of the dialog's fields of `edited`
// with the same unique id (so TypeOfTIN and the older names end up empty).
// When the compared fields are equal nothing happens; otherwise the record is
// replaced, every page refreshed and the update written at once.
ChangeResult ModifyContractor(CGlobalDoc& doc, int position, const ContractorRecord& edited);
// "Delete Contractor": asks first, naming the contractor, with No as the
// default answer (the question is asked even with no row selected); on Yes with a
// selected row, removes the contractor and its 1099-MISC, written together at
// once, and refreshes every page.
ChangeResult DeleteContractor(CGlobalDoc& doc, UiServices& ui, std::optional<int> position,
                              Form1099ListObserver* formPage = nullptr);

// The list: "Name (Line One)", "Name (Line Two)", "Identification Number".
std::span<const ListColumn> ContractorListColumns();
// One row per contractor in document order, names as ContractorNameLines gives them.
std::vector<ListRow> ContractorListRows(const std::vector<ContractorRecord>& contractors);
// The list over the document's contractors as they stand; its search finds
// names and identification numbers.
std::unique_ptr<PayeeListSource> ContractorList(CGlobalDoc& doc);

}  // namespace formet
