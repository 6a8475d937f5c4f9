#pragma once
// One record type per table of a company file. Fields carry the column names
// of their tables; ids and flags are 32-bit integers, every other field is an
// 8-bit Windows-1252 text. The texts of a record are kept together in one
// block (PackedTexts): each is read through its accessor (`FirstName()`, a
// copy) or `TextAt` (a view, valid until the record changes), and written
// through its setter (`SetFirstName`) or `SetTextAt`.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "store/packed_texts.h"

namespace formet {

#define FORMET_TEXT_ENUM(Name) Name,
#define FORMET_TEXT_COUNT(Name) +1
#define FORMET_TEXT_ACCESSORS(Name)                                                  \
  const std::string Name() const { return std::string(texts.Get(static_cast<size_t>(Text::Name))); } \
  void Set##Name(std::string_view value) { texts.Set(static_cast<size_t>(Text::Name), value); }
// The texts of a record: `Text`, the enumeration of its text fields in table
// order, an accessor and a setter for each, and the block that holds them.
#define FORMET_RECORD_TEXTS(LIST)                                                                \
  enum class Text : uint8_t { LIST(FORMET_TEXT_ENUM) };                                          \
  static constexpr size_t kTextCount = 0 LIST(FORMET_TEXT_COUNT);                                \
  LIST(FORMET_TEXT_ACCESSORS)                                                                    \
  std::string_view TextAt(Text field) const { return texts.Get(static_cast<size_t>(field)); }    \
  void SetTextAt(Text field, std::string_view value) { texts.Set(static_cast<size_t>(field), value); } \
  PackedTexts<kTextCount> texts;

#define FORMET_COMPANY_TEXTS(X) X(EmployerIdentificationNumber) X(EmployerName) X(Address1) X(Address2) X(City) \
  X(State) X(Zip) X(StateID) X(SocialSecurityNumber) X(FormW3ControlNumber) X(FormW3EstablishmentNumber) \
  X(FormW3OtherEIN) X(FormW3ThirdPartySickPay) X(FormW3IncomeTaxWithHeld) X(FormW3ContactName) X(FormW3Telephone) \
  X(FormW3Email) X(FormW3Fax) X(Form1096ContactName) X(Form1096Telephone) X(Form1096Fax) X(Form1096Email) \
  X(Form1096FilerName) X(IsAgent) X(AgentEIN) X(FormW2Indicators) X(Form1099Indicators) X(TaxJurisdictionCode) \
  X(ExtraText1) X(ExtraText2) X(ExtraText3)
struct CompanyRecord {
  int32_t CompanyUniqueID = 1;
  int32_t FormW3RadioKindOfPayer = 0;
  int32_t FormW3CheckThirdPartySickPay = 0;
  int32_t Form1096CheckIsThisYourFinalReturn = 0;
  FORMET_RECORD_TEXTS(FORMET_COMPANY_TEXTS)
  bool operator==(const CompanyRecord&) const = default;
};
#undef FORMET_COMPANY_TEXTS

#define FORMET_EMPLOYEE_TEXTS(X) X(SocialSecurityNumber) X(FirstName) X(MiddleName) X(LastName) X(Address1) \
  X(Address2) X(City) X(State) X(Zip) X(Suffix) X(ExtraText1) X(ExtraText2) X(ExtraText3)
struct EmployeeRecord {
  int32_t EmployeeUniqueID = 0;
  FORMET_RECORD_TEXTS(FORMET_EMPLOYEE_TEXTS)
  bool operator==(const EmployeeRecord&) const = default;
};
#undef FORMET_EMPLOYEE_TEXTS

#define FORMET_CONTRACTOR_TEXTS(X) X(IdentificationNumber) X(FirstName) X(MiddleName) X(LastName) X(Address1) \
  X(Address2) X(City) X(State) X(Zip) X(AccountNumber) X(GeneralInformation) X(TypeOfTIN) X(NameLine1) X(NameLine2) \
  X(ExtraText1) X(ExtraText2) X(ExtraText3)
struct ContractorRecord {
  int32_t ContractorUniqueID = 0;
  int32_t SecondTIN = 0;
  FORMET_RECORD_TEXTS(FORMET_CONTRACTOR_TEXTS)
  bool operator==(const ContractorRecord&) const = default;
};
#undef FORMET_CONTRACTOR_TEXTS

// Box 12 code fields hold one character: a letter, "0" for AA or "1" for BB.
#define FORMET_W2_TEXTS(X) X(Wages) X(FederalIncomeTaxWithdrawal) X(SocialSecurityWages) \
  X(SocialSecurityTaxWithheld) X(MedicareWages) X(MedicareTaxWithheld) X(SocialSecurityTips) X(AllocatedTips) \
  X(AdvancEICPayment) X(DependentCareBenefits) X(NonQualifiedPlans) X(Other1) X(Other2) X(Other3) X(Field12aCode) \
  X(Field12bCode) X(Field12cCode) X(Field12dCode) X(Field12aYear) X(Field12bYear) X(Field12cYear) X(Field12dYear) \
  X(Field12aAmount) X(Field12bAmount) X(Field12cAmount) X(Field12dAmount) X(State1) X(StateID1) X(State2) \
  X(StateID2) X(StateWages1) X(StateWages2) X(StateIncomTax1) X(StateIncomTax2) X(LocalWages1) X(LocalWages2) \
  X(LocalIncomeTax1) X(LocalIncomeTax2) X(LocalityName1) X(LocalityName2) X(Field12aExtraCode) X(Field12bExtraCode) \
  X(Field12cExtraCode) X(Field12dExtraCode) X(ExtraText1) X(ExtraText2) X(ExtraText3)
struct W2Record {
  int32_t W2UniqueID = 0;
  int32_t EmployeeUniqueID = 0;
  int32_t StatutoryEmployee = 0, RetirementPlan = 0, ThirdPartySickpay = 0;
  FORMET_RECORD_TEXTS(FORMET_W2_TEXTS)
  bool operator==(const W2Record&) const = default;
};
#undef FORMET_W2_TEXTS

#define FORMET_FORM1099_TEXTS(X) X(Rents) X(Royalities) X(OtherIncome) X(FederalIncomeTaxWithheld) \
  X(FishingBoatProceeds) X(MedicalAndHealthCarePayments) X(NonemployeeCompensation) X(SubstitutePayments) \
  X(CropInsuranceProceeds) X(ExcessGoldenParachutePayments) X(GrossProceedsPaidToAttorney) X(GenearlInformation) \
  X(StateTaxWithheld1) X(StateTaxWithheld2) X(PayerStateID1) X(PayerStateID2) X(StateIncome1) X(StateIncome2) \
  X(Field15A) X(Field15B) X(ExtraText1) X(ExtraText2) X(ExtraText3)
struct Form1099Record {
  int32_t Form1099UniqueID = 0;
  int32_t ContractorUniqueID = 0;
  int32_t PayerMadeDirectSales = 0;
  FORMET_RECORD_TEXTS(FORMET_FORM1099_TEXTS)
  bool operator==(const Form1099Record&) const = default;
};
#undef FORMET_FORM1099_TEXTS

#define FORMET_W3_TEXTS(X) X(State1) X(State2) X(StateID1) X(StateID2) X(Wages) X(FederalIncomeTaxWithheld) \
  X(SocialSecurityWages) X(SocialSecurityTaxWithheld) X(MedicareWages) X(MedicareTaxWithheld) X(SocialSecurityTips) \
  X(AllocatedTips) X(AdvancEICPayment) X(DependentCareBenefits) X(NonQualifiedPlans) X(DeferredCompensation) \
  X(StateWages) X(StateIncomTax) X(LocalWages) X(LocalIncomeTax) X(ExtraText1) X(ExtraText2) X(ExtraText3)
struct W3Record {
  FORMET_RECORD_TEXTS(FORMET_W3_TEXTS)
  bool operator==(const W3Record&) const = default;
};
#undef FORMET_W3_TEXTS

#define FORMET_FORM1096_TEXTS(X) X(ExtraText1) X(ExtraText2) X(ExtraText3)
struct Form1096Record {
  int32_t TotalNumberOfForms = 0, FederalIncomeTaxWithHeld = 0, TotalAmountReportedWithThisForm = 0,
          FinalReturn = 0, TypeOfFormBeingFiled = 0;
  FORMET_RECORD_TEXTS(FORMET_FORM1096_TEXTS)
  bool operator==(const Form1096Record&) const = default;
};
#undef FORMET_FORM1096_TEXTS

#define FORMET_TRANSMITTER_TEXTS(X) X(TransmitterTIN) X(TransmitterControlCode) X(TransmitterName) \
  X(TransmitterNameContinuation) X(CompanyName) X(CompanyNameContinuation) X(CompanyMailingAddress) X(CompanyCity) \
  X(CompanyState) X(CompanyZipCode) X(ContactName) X(ContactPhoneNumberAndExtension) X(ContactEmailAddress) \
  X(ElectronicFileNameForAReplacementFile) X(TestFileIndicator)
struct TransmitterRecord {
  int32_t FileTypeOriginal = 0, FileTypeReplacement = 0;
  FORMET_RECORD_TEXTS(FORMET_TRANSMITTER_TEXTS)
  bool operator==(const TransmitterRecord&) const = default;
};
#undef FORMET_TRANSMITTER_TEXTS

#define FORMET_SUBMITTER_TEXTS(X) X(SubmitterEIN) X(SubmitterPIN) X(ResubIndicator) X(ResubWFID) X(SubmitterName) \
  X(LocationAddress) X(DeliveryAddress) X(City) X(StateAbbreviation) X(ZipCode) X(ContactName) X(ContactPhone) \
  X(ContactPhoneExtension) X(ContactEmail) X(ContactFax) X(ProblemNotifcationCode) X(PreparerCode)
struct SubmitterRecord {
  FORMET_RECORD_TEXTS(FORMET_SUBMITTER_TEXTS)
  bool operator==(const SubmitterRecord&) const = default;
};
#undef FORMET_SUBMITTER_TEXTS

#undef FORMET_RECORD_TEXTS
#undef FORMET_TEXT_ACCESSORS
#undef FORMET_TEXT_COUNT
#undef FORMET_TEXT_ENUM

// A text field of R named by its place in R::Text, or no field.
template <class R>
struct TextMember {
  int index = -1;
  constexpr TextMember() = default;
  constexpr TextMember(std::nullptr_t) {}
  constexpr TextMember(typename R::Text field) : index(static_cast<int>(field)) {}
  explicit constexpr operator bool() const { return index >= 0; }
  constexpr bool operator==(const TextMember&) const = default;
  std::string_view In(const R& record) const { return record.texts.Get(static_cast<size_t>(index)); }
  void Set(R& record, std::string_view value) const { record.texts.Set(static_cast<size_t>(index), value); }
};

// A record field by column name: a text or a number member.
template <class R>
struct FieldDesc {
  const char* column;
  std::variant<TextMember<R>, int32_t R::*> member;
  bool IsText() const { return std::holds_alternative<TextMember<R>>(member); }
  std::string_view TextIn(const R& record) const { return std::get<TextMember<R>>(member).In(record); }
  void SetTextIn(R& record, std::string_view value) const { std::get<TextMember<R>>(member).Set(record, value); }
  int32_t& NumberIn(R& record) const { return record.*std::get<int32_t R::*>(member); }
  int32_t NumberIn(const R& record) const { return record.*std::get<int32_t R::*>(member); }
};

// The fields of each record in table order (only the columns the record holds).
template <class R>
std::span<const FieldDesc<R>> RecordFields();

}  // namespace formet
