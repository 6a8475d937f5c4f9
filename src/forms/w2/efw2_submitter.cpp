#include "forms/w2/efw2_submitter.h"

#include <array>
#include <cassert>

#include "forms/money.h"
#include "store/global_doc.h"

namespace formet {
namespace {

using R = SubmitterRecord;
using F = FieldSpec<R>;

constexpr std::string_view kPhoneMask = "(###) ###-####";

constexpr F Text(int group, const char* label, const char* column, TextMember<R> m, int length,
                 std::string_view refused = kStandardExclusion) {
  return {.tab = group, .label = label, .column = column, .kind = FieldKind::Text, .text = m, .maxLength = length,
          .refused = refused, .capacity = length};
}
constexpr F Mask(int group, const char* label, const char* column, TextMember<R> m, std::string_view mask) {
  return {.tab = group, .label = label, .column = column, .kind = FieldKind::Mask, .text = m, .mask = mask,
          .capacity = static_cast<int>(mask.size())};
}

constexpr std::array<ChoiceEntry, 2> kNotification = {{{"1", "E-mail", "email"}, {"2", "Postal service", "postal"}}};
constexpr std::array<ChoiceEntry, 5> kPreparers = {{
    {"A", "Accounting firm", "accounting"},
    {"L", "Self-prepared", "self"},
    {"S", "Service bureau", "bureau"},
    {"P", "Parent company", "parent"},
    {"O", "Other", "other"},
}};

#define COL(c) #c, R::Text::c

const F kFields[] = {
    Mask(kSubmitterIdentity, "Submitter's EIN", COL(SubmitterEIN), "##-#######"),
    Text(kSubmitterIdentity, "Submitter name", COL(SubmitterName), 57, kNameExclusion),
    Text(kSubmitterIdentity, "Location address\n(suite, room, attention)", COL(LocationAddress), 22),
    Text(kSubmitterIdentity, "Delivery address\n(street or P.O. box)", COL(DeliveryAddress), 22),
    Text(kSubmitterIdentity, "City", COL(City), 22),
    F{.tab = kSubmitterIdentity, .label = "State", .column = "StateAbbreviation", .kind = FieldKind::StateList,
      .text = R::Text::StateAbbreviation, .capacity = 2},
    Mask(kSubmitterIdentity, "Zip code", COL(ZipCode), "#####-####"),
    Text(kSubmitterContact, "Contact name", COL(ContactName), 27, kPersonNameExclusion),
    Mask(kSubmitterContact, "Telephone number", COL(ContactPhone), kPhoneMask),
    Text(kSubmitterContact, "Extension", COL(ContactPhoneExtension), 5),
    Text(kSubmitterContact, "E-mail address", COL(ContactEmail), 40),
    Mask(kSubmitterContact, "Fax number", COL(ContactFax), kPhoneMask),
    F{.tab = kSubmitterContact, .label = "Tell me of problems by", .column = "ProblemNotifcationCode",
      .kind = FieldKind::CodeList, .text = R::Text::ProblemNotifcationCode, .capacity = 1, .choices = kNotification},
    F{.tab = kSubmitterContact, .label = "File prepared by", .column = "PreparerCode", .kind = FieldKind::CodeList,
      .text = R::Text::PreparerCode, .capacity = 1, .choices = kPreparers},
    Text(kSubmitterFile, "Personal Identification\nNumber (PIN)", COL(SubmitterPIN), 8),
    F{.tab = kSubmitterFile, .label = "This file replaces a file the SSA rejected (resubmission)",
      .column = "ResubIndicator", .kind = FieldKind::CheckBox, .text = R::Text::ResubIndicator, .on = "1", .off = "0"},
    Text(kSubmitterFile, "Wage file identifier (WFID)\nof the rejected file", COL(ResubWFID), 6),
};

#undef COL

constexpr std::array<const char*, 3> kGroupCaptions = {"Submitter", "File", "Contact"};

std::string Cut(const std::string& text, TextMember<R> member) {
  return CutToCapacity(text, kFields[SubmitterFieldIndex(member)].capacity);
}

}  // namespace

std::span<const char* const> SubmitterGroupCaptions() { return kGroupCaptions; }
std::span<const FieldSpec<SubmitterRecord>> SubmitterFields() { return kFields; }

size_t SubmitterFieldIndex(TextMember<SubmitterRecord> member) {
  const auto i = FieldIndex(SubmitterFields(), member);
  assert(i);
  return i.value_or(0);
}

PageValues LoadSubmitterDialog(const SubmitterRecord& stored, const CompanyRecord& company) {
  if (!(stored == SubmitterRecord{})) return LoadValues(SubmitterFields(), stored, -1);
  SubmitterRecord start;
  start.SetSubmitterEIN(Cut(company.EmployerIdentificationNumber(), R::Text::SubmitterEIN));
  start.SetSubmitterName(Cut(company.EmployerName(), R::Text::SubmitterName));
  start.SetLocationAddress(Cut(company.Address2(), R::Text::LocationAddress));
  start.SetDeliveryAddress(Cut(company.Address1(), R::Text::DeliveryAddress));
  start.SetCity(Cut(company.City(), R::Text::City));
  start.SetStateAbbreviation(company.State());
  start.SetZipCode(Cut(company.Zip(), R::Text::ZipCode));
  start.SetContactName(Cut(company.FormW3ContactName(), R::Text::ContactName));
  start.SetContactPhone(Cut(company.FormW3Telephone(), R::Text::ContactPhone));
  start.SetContactEmail(Cut(company.FormW3Email(), R::Text::ContactEmail));
  start.SetContactFax(Cut(company.FormW3Fax(), R::Text::ContactFax));
  start.SetProblemNotifcationCode(company.FormW3Email().empty() ? "2" : "1");
  start.SetPreparerCode("L");
  start.SetResubIndicator("0");
  return LoadValues(SubmitterFields(), start, -1);
}

SubmitterRecord ReadSubmitterDialog(const PageValues& values, const SubmitterRecord& stored) {
  SubmitterRecord record = stored;
  StoreValues(SubmitterFields(), values, record);
  return record;
}

ChangeResult SaveSubmitter(CGlobalDoc& doc, const SubmitterRecord& record) {
  if (doc.GetSubmitter() == record) return {Outcome::Unchanged, 0, 1};
  const int code = doc.ChangeRow(record, efile::FilingRowChange(doc, "EFiling_W2_Submitter"), true);
  return {Outcome::Done, code, 1};
}

efile::Efw2Result MakeEfw2File(CGlobalDoc& doc, const efile::Efw2Options& options) {
  return efile::MakeWithProgress(doc.Ui(), doc.GetW2Forms().size(), "W-2 Wage File", options,
                                 [&doc](const efile::Efw2Options& o) {
                                   return efile::MakeEfw2File(doc.GetSubmitter(), doc.GetCompany(),
                                                              doc.GetEmployees(), doc.GetW2Forms(), o);
                                 });
}

std::string Efw2Summary(const efile::Efw2Result& r) {
  const auto& c = r.counts;
  const auto& t = r.totals;
  std::string text = std::to_string(t.formCount) + (t.formCount == 1 ? " W-2" : " W-2s") + " in " +
                     std::to_string(c.ra + c.re + c.rw + c.ro + c.rs + c.rt + c.ru + c.rf) + " records (" +
                     std::to_string(c.ra) + " RA, " + std::to_string(c.re) + " RE, " + std::to_string(c.rw) + " RW";
  if (c.ro) text += ", " + std::to_string(c.ro) + " RO";
  if (c.rs) text += ", " + std::to_string(c.rs) + " RS";
  text += ", " + std::to_string(c.rt) + " RT";
  if (c.ru) text += ", " + std::to_string(c.ru) + " RU";
  text += ", " + std::to_string(c.rf) + " RF).\nTotals, equal to the W-3: wages " + efile::DollarsText(t.box[1]) +
          ", federal income tax withheld " + efile::DollarsText(t.box[2]) + ", social security wages " +
          efile::DollarsText(t.box[3]) + ", social security tax withheld " + efile::DollarsText(t.box[4]) +
          ", Medicare wages " + efile::DollarsText(t.box[5]) + ", Medicare tax withheld " +
          efile::DollarsText(t.box[6]) + ", deferred compensation " + efile::DollarsText(t.deferredCompensation) +
          ".";
  return text;
}

}  // namespace formet
