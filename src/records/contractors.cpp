#include "records/contractors.h"

#include <algorithm>
#include <array>
#include <cassert>

#include "records/form1099_list.h"
#include "records/identifying_numbers.h"
#include "records/payee_batch.h"
#include "store/global_doc.h"
#include "store/ui_services.h"

namespace formet {
namespace {

using R = ContractorRecord;
using F = FieldSpec<R>;

constexpr size_t kNameLineLength = 40;  // a composed name line

constexpr F Text(const char* label, const char* column, TextMember<R> m, int kept,
               std::string_view refused = kStandardExclusion) {
  return {.label = label, .column = column, .kind = FieldKind::Text, .text = m, .maxLength = kept,
          .refused = refused, .capacity = kept};
}

#define COL(c) #c, R::Text::c

const std::array<F, 10> kFields = {
    Text("Contractor's identification number", COL(IdentificationNumber), 11),
    // The name lines take the apostrophe (O'Malley Roofing), as the payee has it.
    Text("Contractor Name (Line One)", COL(NameLine1), 39, kPersonNameExclusion),
    Text("Contractor Name (Line Two)", COL(NameLine2), 39, kPersonNameExclusion),
    Text("Address1", COL(Address1), 30),
    Text("Address2", COL(Address2), 30),
    Text("City", COL(City), 20),
    F{.label = "State", .column = "State", .kind = FieldKind::StateList, .text = R::Text::State, .capacity = 2},
    F{.label = "Zip code", .column = "Zip", .kind = FieldKind::Mask, .text = R::Text::Zip, .mask = "#####-####",
      .capacity = 10},
    Text("Account number (optional)", COL(AccountNumber), 12),
    F{.label = "2nd TIN not.", .column = "SecondTIN", .kind = FieldKind::CheckBox, .number = &R::SecondTIN},
};

#undef COL

constexpr std::array<PayeeColumn<ContractorRecord>, 3> kColumns = {{
    {{"Name (Line One)", 194}, [](const ContractorRecord& c) { return ContractorNameLines(c).line1; }},
    {{"Name (Line Two)", 194}, [](const ContractorRecord& c) { return ContractorNameLines(c).line2; }},
    {{"Identification Number", 160}, [](const ContractorRecord& c) { return c.IdentificationNumber(); }},
}};
constexpr auto kHeadings = HeadingsOf(kColumns);

std::unique_ptr<PayeeListSource> ContractorListOver(std::function<const std::vector<ContractorRecord>&()> records) {
  return std::make_unique<RecordListSource<ContractorRecord>>(std::move(records), kColumns,
                                                              &ContractorRecord::ContractorUniqueID,
                                                              PayeeSearchColumns{{0, 1}, 2});
}

const std::string kDeleteQuestion = "Are you sure you want to delete this record?";

}  // namespace

// ---- names ----------------------------------------------------------------------------

NameLines ComposeNameLines(const std::string& first, const std::string& middle, const std::string& last) {
  std::string name = first;
  if (middle != "@") name += " " + middle + " ";
  name += last;
  if (name.size() > kNameLineLength) return {name.substr(0, kNameLineLength), name.substr(kNameLineLength)};
  return {name, {}};
}

NameLines ContractorNameLines(const ContractorRecord& record) {
  if (!record.FirstName().empty()) return ComposeNameLines(record.FirstName(), record.MiddleName(), record.LastName());
  return {record.NameLine1(), record.NameLine2()};
}

bool ConvertOlderNames(ContractorRecord& record) {
  if (record.FirstName().empty()) return false;
  const auto lines = ComposeNameLines(record.FirstName(), record.MiddleName(), record.LastName());
  record.SetNameLine1(CutToCapacity(lines.line1, static_cast<int>(kNameLineLength)));
  record.SetNameLine2(CutToCapacity(lines.line2, static_cast<int>(kNameLineLength)));
  record.SetFirstName("");
  record.SetMiddleName("");
  record.SetLastName("");
  return true;
}

// ---- the dialog -------------------------------------------------------------------------

std::span<const FieldSpec<ContractorRecord>> ContractorFields() { return kFields; }

size_t ContractorFieldIndex(TextMember<ContractorRecord> member) {
  const auto i = FieldIndex(ContractorFields(), member);
  assert(i);
  return i.value_or(0);
}

size_t ContractorFieldIndex(int32_t ContractorRecord::*member) {
  const auto i = FieldIndex(ContractorFields(), member);
  assert(i);
  return i.value_or(0);
}

std::string ContractorDialogCaption(const ContractorRecord* stored) {
  if (!stored) return "Contractor";
  return "Contractor:   " + (stored->FirstName().empty() ? stored->NameLine1() : stored->FirstName());
}

PageValues EmptyContractorDialog() { return LoadContractorDialog(ContractorRecord{}); }

PageValues LoadContractorDialog(const ContractorRecord& record) { return LoadValues(ContractorFields(), record, 0); }

ContractorRecord ReadContractorDialog(const PageValues& values, int32_t uniqueId) {
  ContractorRecord record;
  record.ContractorUniqueID = uniqueId;
  StoreValues(ContractorFields(), values, record);
  // "12-3456789 " is the number 12-3456789.
  record.SetIdentificationNumber(std::string(WithoutSurroundingBlanks(record.IdentificationNumber())));
  return record;
}

// ---- rules ------------------------------------------------------------------------------

ContractorRecord ReadModifiedContractor(const ContractorRecord& stored, const PageValues& loaded,
                                        const PageValues& values) {
  ContractorRecord record = ReadContractorDialog(values, stored.ContractorUniqueID);
  KeepUntouchedFields(ContractorFields(), loaded, values, stored, record);
  return record;
}

std::string ContractorDisplayName(const ContractorRecord& record) {
  const auto lines = ContractorNameLines(record);
  std::string name = lines.line1;
  if (!lines.line2.empty()) name += (name.empty() ? "" : " ") + lines.line2;
  if (!record.IdentificationNumber().empty())
    name += (name.empty() ? "(" : " (") + record.IdentificationNumber() + ")";
  return name;
}

std::optional<FieldProblem> NewContractorFieldProblem(const std::vector<ContractorRecord>& contractors,
                                                      const ContractorRecord& record, const PayeeBatch* batch) {
  const size_t id = ContractorFieldIndex(R::Text::IdentificationNumber);
  if (IsBlank(record.IdentificationNumber()))
    return FieldProblem{"Pease fill in the 'Contractor's identification number' Field", id};
  const bool taken = batch ? batch->Has(record.IdentificationNumber())
                           : std::any_of(contractors.begin(), contractors.end(), [&](const ContractorRecord& c) {
                               return SameIdentifyingNumber(c.IdentificationNumber(), record.IdentificationNumber());
                             });
  if (taken) return FieldProblem{"Identification Number already assigned to an existing contractor", id};
  // A name of nothing but spaces is no name.
  if (IsBlank(record.NameLine1()))
    return FieldProblem{"Pease fill in the 'Contractor's Name (Line One)' Field", ContractorFieldIndex(R::Text::NameLine1)};
  return std::nullopt;
}

std::optional<std::string> NewContractorProblem(const std::vector<ContractorRecord>& contractors,
                                                const ContractorRecord& record, const PayeeBatch* batch) {
  if (auto problem = NewContractorFieldProblem(contractors, record, batch)) return std::move(problem->message);
  return std::nullopt;
}

bool CheckNewContractor(CGlobalDoc& doc, UiServices& ui, const ContractorRecord& record, bool silent,
                        const PayeeBatch* batch) {
  const auto problem = NewContractorProblem(doc.GetContractors(), record, batch);
  if (problem && !silent) ui.ShowMessage(*problem);
  return !problem;
}

bool FindContractorById(CGlobalDoc& doc, const std::string& identificationNumber) {
  for (const auto& c : doc.GetContractors())
    if (SameIdentifyingNumber(c.IdentificationNumber(), identificationNumber)) return true;
  return false;
}

ChangeResult AddContractor(CGlobalDoc& doc, UiServices& ui, const ContractorRecord& record, bool saveNow,
                           bool silent, bool refresh1099Page, const Form1099Record* formData,
                           Form1099ListObserver* formPage, PayeeBatch* batch) {
  if (!CheckNewContractor(doc, ui, record, silent, batch)) return {Outcome::Refused};
  ContractorRecord added = record;
  added.SetIdentificationNumber(std::string(WithoutSurroundingBlanks(record.IdentificationNumber())));
  added.ContractorUniqueID =
      batch ? batch->NextPayeeId() : NextUniqueId(doc.GetContractors(), &ContractorRecord::ContractorUniqueID);
  // The contractor and its 1099-MISC reach the file in one save, so that
  // neither is ever stored without the other.
  doc.AddRecord(added);
  ChangeResult result{Outcome::Done, 0, added.ContractorUniqueID};
  result.saveCode = OnContractorAdded(doc, added.ContractorUniqueID, formData, refresh1099Page, formPage,
                                      batch ? batch->NextFormId() : 0);
  if (batch) batch->Added(added.IdentificationNumber());
  if (saveNow && result.saveCode == 0 && doc.IsModified()) result.saveCode = doc.SaveChanges();
  return result;
}

bool SameContractorFields(const ContractorRecord& a, const ContractorRecord& b) {
  return a.IdentificationNumber() == b.IdentificationNumber() && a.FirstName() == b.FirstName() &&
         a.MiddleName() == b.MiddleName() && a.LastName() == b.LastName() && a.NameLine1() == b.NameLine1() &&
         a.NameLine2() == b.NameLine2() && a.Address1() == b.Address1() && a.Address2() == b.Address2() && a.City() == b.City() &&
         a.State() == b.State() && a.Zip() == b.Zip() && a.AccountNumber() == b.AccountNumber() && a.SecondTIN == b.SecondTIN;
}

// ---- page operations ----------------------------------------------------------------------

ChangeResult NewContractor(CGlobalDoc& doc, UiServices& ui, const PageValues& values, Form1099ListObserver* formPage) {
  const auto result = AddContractor(doc, ui, ReadContractorDialog(values), true, false, true, nullptr, formPage);
  doc.RefreshAllViews();
  return result;
}

std::optional<ContractorDialogStart> BeginModifyContractor(CGlobalDoc& doc, int position) {
  const auto& list = doc.GetContractors();
  if (position < 0 || static_cast<size_t>(position) >= list.size()) return std::nullopt;
  ContractorRecord stored = list[static_cast<size_t>(position)];
  ContractorDialogStart start;
  start.caption = ContractorDialogCaption(&stored);
  // Older names are converted in memory; they reach the file with the
  // contractor's next update.
  if (ConvertOlderNames(stored)) doc.ReplaceInMemory(static_cast<size_t>(position), stored);
  start.values = LoadContractorDialog(stored);
  return start;
}

ChangeResult ModifyContractor(CGlobalDoc& doc, int position, const ContractorRecord& edited) {
  const auto& list = doc.GetContractors();
  if (position < 0 || static_cast<size_t>(position) >= list.size()) return {Outcome::Declined};
  const auto& stored = list[static_cast<size_t>(position)];
  const int32_t id = stored.ContractorUniqueID;
  // The dialog's fields in a new record that keeps only the unique id.
  ContractorRecord replacement;
  replacement.ContractorUniqueID = id;
  for (const auto& f : ContractorFields()) {
    if (f.text) f.text.Set(replacement, f.text.In(edited));
    if (f.number) replacement.*f.number = edited.*f.number;
  }
  if (SameContractorFields(stored, replacement)) return {Outcome::Unchanged, 0, id};
  doc.UpdateRecord(static_cast<size_t>(position), std::move(replacement));
  doc.RefreshAllViews();
  const int code = doc.SaveChanges();
  return {Outcome::Done, code, id};
}

ChangeResult DeleteContractor(CGlobalDoc& doc, UiServices& ui, std::optional<int> position,
                              Form1099ListObserver* formPage) {
  const auto& list = doc.GetContractors();
  const bool selected = position && *position >= 0 && static_cast<size_t>(*position) < list.size();
  const std::string question = selected ? kDeleteQuestion + "\n\n" +
                                              ContractorDisplayName(list[static_cast<size_t>(*position)])
                                        : kDeleteQuestion;
  if (!ui.AskYesNoDestructive(question)) return {Outcome::Declined};
  if (!selected) return {Outcome::Declined};
  const int32_t id = list[static_cast<size_t>(*position)].ContractorUniqueID;
  // Written at once, in one save with the contractor's 1099-MISC.
  doc.RemoveRecord<ContractorRecord>(static_cast<size_t>(*position));
  ChangeResult result{Outcome::Done, 0, id};
  result.saveCode = OnContractorDeleted(doc, id, formPage);
  if (result.saveCode == 0 && doc.IsModified()) result.saveCode = doc.SaveChanges();
  doc.RefreshAllViews();
  return result;
}

std::span<const ListColumn> ContractorListColumns() { return kHeadings; }

std::unique_ptr<PayeeListSource> ContractorList(CGlobalDoc& doc) {
  return ContractorListOver([&doc]() -> const std::vector<ContractorRecord>& { return doc.GetContractors(); });
}

std::vector<ListRow> ContractorListRows(const std::vector<ContractorRecord>& contractors) {
  return ListRowsOf(
      *ContractorListOver([&contractors]() -> const std::vector<ContractorRecord>& { return contractors; }));
}

}  // namespace formet
