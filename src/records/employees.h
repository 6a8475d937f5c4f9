#pragma once
// Employees: the payees of W-2 forms. The open company's employee list is the
// master; the "Employee" dialog edits one employee, and every change is
// written to the company file at once. Each employee owns one W-2, created
// and deleted with it.
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
class W2ListObserver;

// ---- the "Employee" dialog ----------------------------------------------------

// The dialog's fields in order: social security number, first name, middle
// initial, last name, suffix, address lines, city, state, zip.
std::span<const FieldSpec<EmployeeRecord>> EmployeeFields();
size_t EmployeeFieldIndex(TextMember<EmployeeRecord> member);

// "Employee" for a new employee; "Employee:   " and the first name for `stored`.
std::string EmployeeDialogCaption(const EmployeeRecord* stored);
// The fields of a new employee: all empty, State on its empty first entry.
PageValues EmptyEmployeeDialog();
// The fields of a stored employee; a state not in the table shows the empty
// first entry (and is read back as empty).
PageValues LoadEmployeeDialog(const EmployeeRecord& record);
// A fresh record from the fields, each cut to what the record keeps, with the
// given unique id. Fields the dialog does not show are empty.
EmployeeRecord ReadEmployeeDialog(const PageValues& values, int32_t uniqueId = 0);
// "Modify Employee", OK: the dialog's fields read as ReadEmployeeDialog does,
// with the unique id of `stored`; a field left as it was `loaded` keeps the
// stored value (a state not in the table stays), so OK with nothing edited
// gives the stored fields and writes nothing.
EmployeeRecord ReadModifiedEmployee(const EmployeeRecord& stored, const PageValues& loaded,
                                    const PageValues& values);
// The employee as a delete question names it: first, middle and last name,
// suffix, and the social security number in brackets.
std::string EmployeeDisplayName(const EmployeeRecord& record);
// "First Middle Last Suffix", the parts the employee has, one space apart:
// the name as the forms print it and the files' reports name it.
std::string EmployeeFullName(const EmployeeRecord& record);

// ---- rules offered to other parts -----------------------------------------------

// The message of the first check a new employee fails, in order: no social
// security number, a number that is not one (EmployeeSsnProblem), a number
// some employee has already (blanks around it aside), no first name, no last
// name (a name of spaces only is none). Nullopt when it passes. With a batch,
// the numbers are looked up in it instead of the list.
std::optional<std::string> NewEmployeeProblem(const std::vector<EmployeeRecord>& employees,
                                              const EmployeeRecord& record, const PayeeBatch* batch = nullptr);
// The same, with the dialog field to correct (the dialog stays open on it).
std::optional<FieldProblem> NewEmployeeFieldProblem(const std::vector<EmployeeRecord>& employees,
                                                    const EmployeeRecord& record, const PayeeBatch* batch = nullptr);
// "Modify Employee": a social security number changed in the dialog must be
// one (as for a new employee); a number left as stored is kept, whatever it
// is. Nullopt when the change may be made.
std::optional<FieldProblem> ModifiedEmployeeFieldProblem(const EmployeeRecord& stored, const EmployeeRecord& edited);
// The checks above; unless `silent`, a failure is shown in a message box.
bool CheckNewEmployee(CGlobalDoc& doc, UiServices& ui, const EmployeeRecord& record, bool silent,
                      const PayeeBatch* batch = nullptr);
// True when an employee of the open company has this number (blanks around
// it aside).
bool FindEmployeeBySsn(CGlobalDoc& doc, const std::string& socialSecurityNumber);

// Adds an employee after CheckNewEmployee: the next EmployeeUniqueID, appended
// and journaled, then its W-2 (a copy of `w2Data`, or blank), journaled with
// save-now equal to `refreshW2Page` (which the W-2 page is told). When either
// flag asks for a save, the employee and its W-2 are written in one save, so
// neither is stored without the other.
// The dialog: saveNow, not silent, refreshW2Page, no W-2 data.
// The W-2 import: not saveNow, silent, not refreshW2Page, the imported W-2,
// and a batch (see PayeeBatch) that the add keeps up to date.
ChangeResult AddEmployee(CGlobalDoc& doc, UiServices& ui, const EmployeeRecord& record, bool saveNow, bool silent,
                         bool refreshW2Page, const W2Record* w2Data = nullptr, W2ListObserver* w2Page = nullptr,
                         PayeeBatch* batch = nullptr);

// True when the ten fields the dialog edits are equal.
bool SameEmployeeFields(const EmployeeRecord& a, const EmployeeRecord& b);

// ---- page operations ------------------------------------------------------------

// "New Employee", OK: adds the employee the fields describe as the dialog does,
// then refreshes every page. The dialog checks first (NewEmployeeFieldProblem)
// and stays open on a failed check; here a failed check shows its message.
ChangeResult NewEmployee(CGlobalDoc& doc, UiServices& ui, const PageValues& values, W2ListObserver* w2Page = nullptr);
// "Modify Employee", OK: the employee at `position` takes the ten dialog fields
// of `edited` (and nothing else: the new record keeps only its unique id).
// When all ten are equal nothing happens; a changed social security number
// that ModifiedEmployeeFieldProblem refuses is refused (the dialog says why
// first); otherwise the record is replaced, every page refreshed and the
// update written at once.
ChangeResult ModifyEmployee(CGlobalDoc& doc, int position, const EmployeeRecord& edited);
// "Delete Employee": asks first, naming the employee, with No as the default
// answer (the question is asked even with no row selected); on Yes with a
// selected row, removes the employee and its W-2, written together at once, and
// refreshes every page.
ChangeResult DeleteEmployee(CGlobalDoc& doc, UiServices& ui, std::optional<int> position,
                            W2ListObserver* w2Page = nullptr);

// The list: "First Name", "Middle Name", "Last Name", "Social Security Number".
std::span<const ListColumn> EmployeeListColumns();
// One row per employee in document order.
std::vector<ListRow> EmployeeListRows(const std::vector<EmployeeRecord>& employees);
// The list over the document's employees as they stand; its search finds
// names and social security numbers.
std::unique_ptr<PayeeListSource> EmployeeList(CGlobalDoc& doc);

}  // namespace formet
