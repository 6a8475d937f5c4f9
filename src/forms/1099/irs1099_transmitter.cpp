#include "forms/1099/irs1099_transmitter.h"

#include <array>
#include <cassert>

#include "store/global_doc.h"

namespace formet {
namespace {

using R = TransmitterRecord;
using F = FieldSpec<R>;

constexpr F Text(int group, const char* label, const char* column, TextMember<R> m, int length,
                 std::string_view refused = kStandardExclusion) {
  return {.tab = group, .label = label, .column = column, .kind = FieldKind::Text, .text = m, .maxLength = length,
          .refused = refused, .capacity = length};
}

#define COL(c) #c, R::Text::c

const F kFields[] = {
    Text(kTransmitterIdentity, "Transmitter's TIN\n(##-####### or ###-##-####)", COL(TransmitterTIN), 11),
    Text(kTransmitterIdentity, "Transmitter Control\nCode (TCC)", COL(TransmitterControlCode), 5),
    Text(kTransmitterIdentity, "Transmitter name", COL(TransmitterName), 40, kNameExclusion),
    Text(kTransmitterIdentity, "Transmitter name\n(continued)", COL(TransmitterNameContinuation), 40,
         kNameExclusion),
    Text(kTransmitterCompany, "Company name", COL(CompanyName), 40, kNameExclusion),
    Text(kTransmitterCompany, "Company name\n(continued)", COL(CompanyNameContinuation), 40, kNameExclusion),
    Text(kTransmitterCompany, "Mailing address", COL(CompanyMailingAddress), 40),
    Text(kTransmitterCompany, "City", COL(CompanyCity), 40),
    F{.tab = kTransmitterCompany, .label = "State", .column = "CompanyState", .kind = FieldKind::StateList,
      .text = R::Text::CompanyState, .capacity = 2},
    F{.tab = kTransmitterCompany, .label = "Zip code", .column = "CompanyZipCode", .kind = FieldKind::Mask,
      .text = R::Text::CompanyZipCode, .mask = "#####-####", .capacity = 10},
    Text(kTransmitterCompany, "Contact name", COL(ContactName), 40, kPersonNameExclusion),
    Text(kTransmitterCompany, "Telephone number\nand extension", COL(ContactPhoneNumberAndExtension), 20),
    Text(kTransmitterCompany, "E-mail address", COL(ContactEmailAddress), 35),
    F{.tab = kTransmitterFile, .label = "Original file", .column = "FileTypeOriginal", .kind = FieldKind::CheckBox,
      .number = &R::FileTypeOriginal},
    F{.tab = kTransmitterFile, .label = "Replacement file (replaces a file the IRS could not process)",
      .column = "FileTypeReplacement", .kind = FieldKind::CheckBox, .number = &R::FileTypeReplacement},
    Text(kTransmitterFile, "Name of the replaced file\n(as FIRE gave it)", COL(ElectronicFileNameForAReplacementFile),
         15),
    F{.tab = kTransmitterFile, .label = "Test file (sent to the IRS for testing only)",
      .column = "TestFileIndicator", .kind = FieldKind::CheckBox, .text = R::Text::TestFileIndicator, .on = "T",
      .off = ""},
};

#undef COL

constexpr std::array<const char*, 3> kGroupCaptions = {"Transmitter", "File",
                                                       "Company to receive mail about the file"};

std::string Cut(const std::string& text, TextMember<R> member) {
  return CutToCapacity(text, kFields[TransmitterFieldIndex(member)].capacity);
}

std::string Joined(const std::string& a, const std::string& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return a + " " + b;
}

}  // namespace

std::span<const char* const> TransmitterGroupCaptions() { return kGroupCaptions; }
std::span<const FieldSpec<TransmitterRecord>> TransmitterFields() { return kFields; }

size_t TransmitterFieldIndex(TextMember<TransmitterRecord> member) {
  const auto i = FieldIndex(TransmitterFields(), member);
  assert(i);
  return i.value_or(0);
}

size_t TransmitterFieldIndex(int32_t TransmitterRecord::*member) {
  const auto i = FieldIndex(TransmitterFields(), member);
  assert(i);
  return i.value_or(0);
}

PageValues LoadTransmitterDialog(const TransmitterRecord& stored, const CompanyRecord& company) {
  if (!(stored == TransmitterRecord{})) return LoadValues(TransmitterFields(), stored, -1);
  TransmitterRecord start;
  const std::string& tin =
      company.EmployerIdentificationNumber().empty() ? company.SocialSecurityNumber() : company.EmployerIdentificationNumber();
  start.SetTransmitterTIN(Cut(tin, R::Text::TransmitterTIN));
  start.SetTransmitterName(Cut(company.EmployerName(), R::Text::TransmitterName));
  start.SetCompanyName(Cut(company.EmployerName(), R::Text::CompanyName));
  start.SetCompanyMailingAddress(Cut(Joined(company.Address1(), company.Address2()), R::Text::CompanyMailingAddress));
  start.SetCompanyCity(Cut(company.City(), R::Text::CompanyCity));
  start.SetCompanyState(company.State());
  start.SetCompanyZipCode(Cut(company.Zip(), R::Text::CompanyZipCode));
  start.SetContactName(Cut(company.Form1096ContactName(), R::Text::ContactName));
  start.SetContactPhoneNumberAndExtension(Cut(company.Form1096Telephone(), R::Text::ContactPhoneNumberAndExtension));
  start.SetContactEmailAddress(Cut(company.Form1096Email(), R::Text::ContactEmailAddress));
  start.FileTypeOriginal = 1;
  return LoadValues(TransmitterFields(), start, -1);
}

TransmitterRecord ReadTransmitterDialog(const PageValues& values, const TransmitterRecord& stored) {
  TransmitterRecord record = stored;
  StoreValues(TransmitterFields(), values, record);
  if (record.FileTypeReplacement != 0 && record.FileTypeOriginal != 0) {
    // The one just checked wins.
    if (stored.FileTypeReplacement != 0)
      record.FileTypeReplacement = 0;
    else
      record.FileTypeOriginal = 0;
  }
  if (record.FileTypeReplacement == 0) record.FileTypeOriginal = 1;
  return record;
}

ChangeResult SaveTransmitter(CGlobalDoc& doc, const TransmitterRecord& record) {
  if (doc.GetTransmitter() == record) return {Outcome::Unchanged, 0, 1};
  const int code = doc.ChangeRow(record, efile::FilingRowChange(doc, "EFiling_1099_Transmitter"), true);
  return {Outcome::Done, code, 1};
}

efile::Irs1099Result Make1099File(CGlobalDoc& doc, const efile::Irs1099Options& options) {
  return efile::MakeWithProgress(doc.Ui(), doc.GetForms1099().size(), "1099-MISC Information Return File", options,
                                 [&doc](const efile::Irs1099Options& o) {
                                   return efile::Make1099File(doc.GetTransmitter(), doc.GetCompany(),
                                                              doc.GetContractors(), doc.GetForms1099(), o);
                                 });
}

std::string Irs1099Summary(const efile::Irs1099Result& r) {
  const auto& c = r.counts;
  const auto& t = r.totals;
  std::string text = std::to_string(t.formCount) + (t.formCount == 1 ? " form" : " forms") + " 1099-MISC in " +
                     std::to_string(c.t + c.a + c.b + c.c + c.k + c.f) + " records (" + std::to_string(c.t) + " T, " +
                     std::to_string(c.a) + " A, " + std::to_string(c.b) + " B, " + std::to_string(c.c) + " C";
  if (c.k) text += ", " + std::to_string(c.k) + " K";
  text += ", " + std::to_string(c.f) + " F).\nTotals, equal to the 1096: federal income tax withheld " +
          efile::DollarsText(t.Box4()) + ", total amount reported " + efile::DollarsText(t.Box5()) + ".";
  return text;
}

}  // namespace formet
