#include "records/employees.h"

#include <algorithm>
#include <array>
#include <cassert>

#include "records/identifying_numbers.h"
#include "records/payee_batch.h"
#include "records/w2_list.h"
#include "store/global_doc.h"
#include "store/ui_services.h"

namespace formet {
namespace {

using R = EmployeeRecord;
using F = FieldSpec<R>;

constexpr F Text(const char* label, const char* column, TextMember<R> m, int kept,
               std::string_view refused = kStandardExclusion) {
  return {.label = label, .column = column, .kind = FieldKind::Text, .text = m, .maxLength = kept,
          .refused = refused, .capacity = kept};
}
// The employee's names take the apostrophe (O'Brien), as the SSA has them.
constexpr F Name(const char* label, const char* column, TextMember<R> m, int kept) {
  return Text(label, column, m, kept, kPersonNameExclusion);
}
constexpr F Mask(const char* label, const char* column, TextMember<R> m, std::string_view mask, int kept) {
  return {.label = label, .column = column, .kind = FieldKind::Mask, .text = m, .mask = mask, .capacity = kept};
}

#define COL(c) #c, R::Text::c

const std::array<F, 10> kFields = {
    Mask("Employee's social security number", COL(SocialSecurityNumber), "###-##-####", 11),
    Name("Employee's first name and initial", COL(FirstName), 20),
    Name("Employee's first name and initial", COL(MiddleName), 2),
    Name("Last name", COL(LastName), 20),
    Text("Suffix", COL(Suffix), 3),
    Text("Address1", COL(Address1), 30),
    Text("Address2", COL(Address2), 30),
    Text("City", COL(City), 20),
    F{.label = "State", .column = "State", .kind = FieldKind::StateList, .text = R::Text::State, .capacity = 2},
    Mask("Zip code", COL(Zip), "#####-####", 10),
};

#undef COL

constexpr std::array<PayeeColumn<EmployeeRecord>, 4> kColumns = {{
    {{"First Name", 194}, [](const EmployeeRecord& e) { return e.FirstName(); }},
    {{"Middle Name", 100}, [](const EmployeeRecord& e) { return e.MiddleName(); }},
    {{"Last Name", 194}, [](const EmployeeRecord& e) { return e.LastName(); }},
    {{"Social Security Number", 160}, [](const EmployeeRecord& e) { return e.SocialSecurityNumber(); }},
}};
constexpr auto kHeadings = HeadingsOf(kColumns);

std::unique_ptr<PayeeListSource> EmployeeListOver(std::function<const std::vector<EmployeeRecord>&()> records) {
  return std::make_unique<RecordListSource<EmployeeRecord>>(std::move(records), kColumns,
                                                            &EmployeeRecord::EmployeeUniqueID,
                                                            PayeeSearchColumns{{0, 1, 2}, 3});
}

const std::string kDeleteQuestion = "Are you sure you want to delete this record?";

}  // namespace

std::span<const FieldSpec<EmployeeRecord>> EmployeeFields() { return kFields; }

size_t EmployeeFieldIndex(TextMember<EmployeeRecord> member) {
  const auto i = FieldIndex(EmployeeFields(), member);
  assert(i);
  return i.value_or(0);
}

std::string EmployeeDialogCaption(const EmployeeRecord* stored) {
  return stored ? "Employee:   " + stored->FirstName() : "Employee";
}

PageValues EmptyEmployeeDialog() { return LoadEmployeeDialog(EmployeeRecord{}); }

PageValues LoadEmployeeDialog(const EmployeeRecord& record) { return LoadValues(EmployeeFields(), record, 0); }

EmployeeRecord ReadEmployeeDialog(const PageValues& values, int32_t uniqueId) {
  EmployeeRecord record;
  record.EmployeeUniqueID = uniqueId;
  StoreValues(EmployeeFields(), values, record);
  return record;
}

EmployeeRecord ReadModifiedEmployee(const EmployeeRecord& stored, const PageValues& loaded,
                                    const PageValues& values) {
  EmployeeRecord record = ReadEmployeeDialog(values, stored.EmployeeUniqueID);
  KeepUntouchedFields(EmployeeFields(), loaded, values, stored, record);
  return record;
}

std::string EmployeeFullName(const EmployeeRecord& record) {
  std::string name;
  for (const std::string& part : {record.FirstName(), record.MiddleName(), record.LastName(), record.Suffix()}) {
    if (part.empty()) continue;
    if (!name.empty()) name += ' ';
    name += part;
  }
  return name;
}

std::string EmployeeDisplayName(const EmployeeRecord& record) {
  std::string name = EmployeeFullName(record);
  if (!record.SocialSecurityNumber().empty()) name += (name.empty() ? "(" : " (") + record.SocialSecurityNumber() + ")";
  return name;
}

std::optional<FieldProblem> NewEmployeeFieldProblem(const std::vector<EmployeeRecord>& employees,
                                                    const EmployeeRecord& record, const PayeeBatch* batch) {
  const size_t ssn = EmployeeFieldIndex(R::Text::SocialSecurityNumber);
  if (record.SocialSecurityNumber().empty())
    return FieldProblem{"Please fill in the 'Employee's social security number' Field", ssn};
  if (auto problem = EmployeeSsnProblem(record.SocialSecurityNumber())) return FieldProblem{std::move(*problem), ssn};
  const bool taken = batch ? batch->Has(record.SocialSecurityNumber())
                           : std::any_of(employees.begin(), employees.end(), [&](const EmployeeRecord& e) {
                               return SameIdentifyingNumber(e.SocialSecurityNumber(), record.SocialSecurityNumber());
                             });
  if (taken) return FieldProblem{"Social Security Number already assigned to an existing employee", ssn};
  // A name of nothing but spaces is no name.
  if (IsBlank(record.FirstName()))
    return FieldProblem{"Please fill in the 'Employee's Name(first)' Field", EmployeeFieldIndex(R::Text::FirstName)};
  if (IsBlank(record.LastName()))
    return FieldProblem{"Please fill in the 'Employee's Name(last)' Field", EmployeeFieldIndex(R::Text::LastName)};
  return std::nullopt;
}

std::optional<FieldProblem> ModifiedEmployeeFieldProblem(const EmployeeRecord& stored, const EmployeeRecord& edited) {
  // A number the file held already stays, whatever it is; a new one must be a
  // social security number.
  if (edited.SocialSecurityNumber() == stored.SocialSecurityNumber()) return std::nullopt;
  const size_t ssn = EmployeeFieldIndex(R::Text::SocialSecurityNumber);
  if (edited.SocialSecurityNumber().empty())
    return FieldProblem{"Please fill in the 'Employee's social security number' Field", ssn};
  if (auto problem = EmployeeSsnProblem(edited.SocialSecurityNumber())) return FieldProblem{std::move(*problem), ssn};
  return std::nullopt;
}

std::optional<std::string> NewEmployeeProblem(const std::vector<EmployeeRecord>& employees,
                                              const EmployeeRecord& record, const PayeeBatch* batch) {
  if (auto problem = NewEmployeeFieldProblem(employees, record, batch)) return std::move(problem->message);
  return std::nullopt;
}

bool CheckNewEmployee(CGlobalDoc& doc, UiServices& ui, const EmployeeRecord& record, bool silent,
                      const PayeeBatch* batch) {
  const auto problem = NewEmployeeProblem(doc.GetEmployees(), record, batch);
  if (problem && !silent) ui.ShowMessage(*problem);
  return !problem;
}

bool FindEmployeeBySsn(CGlobalDoc& doc, const std::string& socialSecurityNumber) {
  for (const auto& e : doc.GetEmployees())
    if (SameIdentifyingNumber(e.SocialSecurityNumber(), socialSecurityNumber)) return true;
  return false;
}

ChangeResult AddEmployee(CGlobalDoc& doc, UiServices& ui, const EmployeeRecord& record, bool saveNow, bool silent,
                         bool refreshW2Page, const W2Record* w2Data, W2ListObserver* w2Page, PayeeBatch* batch) {
  if (!CheckNewEmployee(doc, ui, record, silent, batch)) return {Outcome::Refused};
  auto& list = doc.GetEmployees();
  EmployeeRecord added = record;
  added.EmployeeUniqueID = batch ? batch->NextPayeeId() : NextUniqueId(list, &EmployeeRecord::EmployeeUniqueID);
  list.push_back(added);
  doc.SetModified(true);
  ChangeResult result{Outcome::Done, 0, added.EmployeeUniqueID};
  // The employee and its W-2 reach the file in one save, so that neither is
  // ever stored without the other.
  doc.AddPendingChange(
      {ChangeKind::Employee, ChangeOp::Insert, static_cast<int32_t>(list.size() - 1), added.EmployeeUniqueID}, false);
  result.saveCode = OnEmployeeListChanged(doc, EmployeeListOp::Added, added.EmployeeUniqueID, refreshW2Page, w2Data,
                                          w2Page, batch ? batch->NextFormId() : 0);
  if (batch) batch->Added(added.SocialSecurityNumber());
  if (saveNow && result.saveCode == 0 && doc.IsModified()) result.saveCode = doc.SaveChanges();
  return result;
}

bool SameEmployeeFields(const EmployeeRecord& a, const EmployeeRecord& b) {
  return a.SocialSecurityNumber() == b.SocialSecurityNumber() && a.FirstName() == b.FirstName() &&
         a.MiddleName() == b.MiddleName() && a.LastName() == b.LastName() && a.Suffix() == b.Suffix() &&
         a.Address1() == b.Address1() && a.Address2() == b.Address2() && a.City() == b.City() && a.State() == b.State() &&
         a.Zip() == b.Zip();
}

ChangeResult NewEmployee(CGlobalDoc& doc, UiServices& ui, const PageValues& values, W2ListObserver* w2Page) {
  const auto result = AddEmployee(doc, ui, ReadEmployeeDialog(values), true, false, true, nullptr, w2Page);
  doc.RefreshAllViews();
  return result;
}

ChangeResult ModifyEmployee(CGlobalDoc& doc, int position, const EmployeeRecord& edited) {
  auto& list = doc.GetEmployees();
  if (position < 0 || static_cast<size_t>(position) >= list.size()) return {Outcome::Declined};
  auto& stored = list[static_cast<size_t>(position)];
  const int32_t id = stored.EmployeeUniqueID;
  if (SameEmployeeFields(stored, edited)) return {Outcome::Unchanged, 0, id};
  if (ModifiedEmployeeFieldProblem(stored, edited)) return {Outcome::Refused, 0, id};
  // The dialog's fields in a new record that keeps only the unique id.
  EmployeeRecord replacement;
  replacement.EmployeeUniqueID = id;
  for (const auto& f : EmployeeFields()) f.text.Set(replacement, f.text.In(edited));
  stored = std::move(replacement);
  doc.RefreshAllViews();
  doc.SetModified(true);
  const int code = doc.AddPendingChange({ChangeKind::Employee, ChangeOp::Update, position, id}, true);
  return {Outcome::Done, code, id};
}

ChangeResult DeleteEmployee(CGlobalDoc& doc, UiServices& ui, std::optional<int> position, W2ListObserver* w2Page) {
  auto& list = doc.GetEmployees();
  const bool selected = position && *position >= 0 && static_cast<size_t>(*position) < list.size();
  const std::string question =
      selected ? kDeleteQuestion + "\n\n" + EmployeeDisplayName(list[static_cast<size_t>(*position)]) : kDeleteQuestion;
  if (!ui.AskYesNoDestructive(question)) return {Outcome::Declined};
  if (!selected) return {Outcome::Declined};
  const int32_t id = list[static_cast<size_t>(*position)].EmployeeUniqueID;
  list.erase(list.begin() + *position);
  doc.SetModified(true);
  ChangeResult result{Outcome::Done, 0, id};
  // Written at once, in one save with the employee's W-2.
  doc.AddPendingChange({ChangeKind::Employee, ChangeOp::Delete, *position, id}, false);
  result.saveCode = OnEmployeeListChanged(doc, EmployeeListOp::Deleted, id, true, nullptr, w2Page);
  if (result.saveCode == 0 && doc.IsModified()) result.saveCode = doc.SaveChanges();
  doc.RefreshAllViews();
  return result;
}

std::span<const ListColumn> EmployeeListColumns() { return kHeadings; }

std::unique_ptr<PayeeListSource> EmployeeList(CGlobalDoc& doc) {
  return EmployeeListOver([&doc]() -> const std::vector<EmployeeRecord>& { return doc.GetEmployees(); });
}

std::vector<ListRow> EmployeeListRows(const std::vector<EmployeeRecord>& employees) {
  return ListRowsOf(*EmployeeListOver([&employees]() -> const std::vector<EmployeeRecord>& { return employees; }));
}

}  // namespace formet
