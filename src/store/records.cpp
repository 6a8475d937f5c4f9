#include "store/records.h"

namespace formet {

#define F(c) FieldDesc<R>{#c, &R::c}
#define T(c) FieldDesc<R>{#c, TextMember<R>(R::Text::c)}

template <>
std::span<const FieldDesc<CompanyRecord>> RecordFields<CompanyRecord>() {
  using R = CompanyRecord;
  static const FieldDesc<R> f[] = {
      F(CompanyUniqueID), T(EmployerIdentificationNumber), T(EmployerName), T(Address1), T(Address2), T(City),
      T(State), T(Zip), T(StateID), T(SocialSecurityNumber), T(FormW3ControlNumber),
      T(FormW3EstablishmentNumber), T(FormW3OtherEIN), T(FormW3ThirdPartySickPay), T(FormW3IncomeTaxWithHeld),
      T(FormW3ContactName), T(FormW3Telephone), T(FormW3Email), T(FormW3Fax), F(FormW3RadioKindOfPayer),
      F(FormW3CheckThirdPartySickPay), T(Form1096ContactName), T(Form1096Telephone), T(Form1096Fax),
      T(Form1096Email), F(Form1096CheckIsThisYourFinalReturn), T(Form1096FilerName), T(IsAgent), T(AgentEIN),
      T(FormW2Indicators), T(Form1099Indicators), T(TaxJurisdictionCode), T(ExtraText1), T(ExtraText2),
      T(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<EmployeeRecord>> RecordFields<EmployeeRecord>() {
  using R = EmployeeRecord;
  static const FieldDesc<R> f[] = {F(EmployeeUniqueID), T(SocialSecurityNumber), T(FirstName), T(MiddleName),
                                   T(LastName), T(Address1), T(Address2), T(City), T(State), T(Zip), T(Suffix),
                                   T(ExtraText1), T(ExtraText2), T(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<ContractorRecord>> RecordFields<ContractorRecord>() {
  using R = ContractorRecord;
  static const FieldDesc<R> f[] = {
      F(ContractorUniqueID), T(IdentificationNumber), T(FirstName), T(MiddleName), T(LastName), T(Address1),
      T(Address2), T(City), T(State), T(Zip), T(AccountNumber), T(GeneralInformation), F(SecondTIN),
      T(TypeOfTIN), T(NameLine1), T(NameLine2), T(ExtraText1), T(ExtraText2), T(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<W2Record>> RecordFields<W2Record>() {
  using R = W2Record;
  static const FieldDesc<R> f[] = {
      F(W2UniqueID), F(EmployeeUniqueID), T(Wages), T(FederalIncomeTaxWithdrawal), T(SocialSecurityWages),
      T(SocialSecurityTaxWithheld), T(MedicareWages), T(MedicareTaxWithheld), T(SocialSecurityTips),
      T(AllocatedTips), T(AdvancEICPayment), T(DependentCareBenefits), T(NonQualifiedPlans),
      F(StatutoryEmployee), F(RetirementPlan), F(ThirdPartySickpay), T(Other1), T(Other2), T(Other3),
      T(Field12aCode), T(Field12bCode), T(Field12cCode), T(Field12dCode), T(Field12aYear), T(Field12bYear),
      T(Field12cYear), T(Field12dYear), T(Field12aAmount), T(Field12bAmount), T(Field12cAmount),
      T(Field12dAmount), T(State1), T(StateID1), T(State2), T(StateID2), T(StateWages1), T(StateWages2),
      T(StateIncomTax1), T(StateIncomTax2), T(LocalWages1), T(LocalWages2), T(LocalIncomeTax1),
      T(LocalIncomeTax2), T(LocalityName1), T(LocalityName2), T(Field12aExtraCode), T(Field12bExtraCode),
      T(Field12cExtraCode), T(Field12dExtraCode), T(ExtraText1), T(ExtraText2), T(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<Form1099Record>> RecordFields<Form1099Record>() {
  using R = Form1099Record;
  static const FieldDesc<R> f[] = {
      F(Form1099UniqueID), F(ContractorUniqueID), T(Rents), T(Royalities), T(OtherIncome),
      T(FederalIncomeTaxWithheld), T(FishingBoatProceeds), T(MedicalAndHealthCarePayments),
      T(NonemployeeCompensation), T(SubstitutePayments), F(PayerMadeDirectSales), T(CropInsuranceProceeds),
      T(ExcessGoldenParachutePayments), T(GrossProceedsPaidToAttorney), T(GenearlInformation),
      T(StateTaxWithheld1), T(StateTaxWithheld2), T(PayerStateID1), T(PayerStateID2), T(StateIncome1),
      T(StateIncome2), T(Field15A), T(Field15B), T(ExtraText1), T(ExtraText2), T(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<W3Record>> RecordFields<W3Record>() {
  using R = W3Record;
  static const FieldDesc<R> f[] = {
      T(State1), T(State2), T(StateID1), T(StateID2), T(Wages), T(FederalIncomeTaxWithheld),
      T(SocialSecurityWages), T(SocialSecurityTaxWithheld), T(MedicareWages), T(MedicareTaxWithheld),
      T(SocialSecurityTips), T(AllocatedTips), T(AdvancEICPayment), T(DependentCareBenefits),
      T(NonQualifiedPlans), T(DeferredCompensation), T(StateWages), T(StateIncomTax), T(LocalWages),
      T(LocalIncomeTax), T(ExtraText1), T(ExtraText2), T(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<Form1096Record>> RecordFields<Form1096Record>() {
  using R = Form1096Record;
  static const FieldDesc<R> f[] = {F(TotalNumberOfForms),
                                   F(FederalIncomeTaxWithHeld),
                                   F(TotalAmountReportedWithThisForm),
                                   F(FinalReturn),
                                   F(TypeOfFormBeingFiled),
                                   T(ExtraText1),
                                   T(ExtraText2),
                                   T(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<TransmitterRecord>> RecordFields<TransmitterRecord>() {
  using R = TransmitterRecord;
  static const FieldDesc<R> f[] = {
      T(TransmitterTIN), T(TransmitterControlCode), T(TransmitterName), T(TransmitterNameContinuation),
      T(CompanyName), T(CompanyNameContinuation), T(CompanyMailingAddress), T(CompanyCity), T(CompanyState),
      T(CompanyZipCode), T(ContactName), T(ContactPhoneNumberAndExtension), T(ContactEmailAddress),
      T(ElectronicFileNameForAReplacementFile), T(TestFileIndicator), F(FileTypeOriginal),
      F(FileTypeReplacement)};
  return f;
}

template <>
std::span<const FieldDesc<SubmitterRecord>> RecordFields<SubmitterRecord>() {
  using R = SubmitterRecord;
  static const FieldDesc<R> f[] = {
      T(SubmitterEIN), T(SubmitterPIN), T(ResubIndicator), T(ResubWFID), T(SubmitterName), T(LocationAddress),
      T(DeliveryAddress), T(City), T(StateAbbreviation), T(ZipCode), T(ContactName), T(ContactPhone),
      T(ContactPhoneExtension), T(ContactEmail), T(ContactFax), T(ProblemNotifcationCode), T(PreparerCode)};
  return f;
}

#undef T
#undef F

}  // namespace formet
