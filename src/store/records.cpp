#include "store/records.h"

namespace formet {

#define F(c) FieldDesc<R>{#c, &R::c}

template <>
std::span<const FieldDesc<CompanyRecord>> RecordFields<CompanyRecord>() {
  using R = CompanyRecord;
  static const FieldDesc<R> f[] = {
      F(CompanyUniqueID), F(EmployerIdentificationNumber), F(EmployerName), F(Address1), F(Address2), F(City),
      F(State), F(Zip), F(StateID), F(SocialSecurityNumber), F(FormW3ControlNumber),
      F(FormW3EstablishmentNumber), F(FormW3OtherEIN), F(FormW3ThirdPartySickPay), F(FormW3IncomeTaxWithHeld),
      F(FormW3ContactName), F(FormW3Telephone), F(FormW3Email), F(FormW3Fax), F(FormW3RadioKindOfPayer),
      F(FormW3CheckThirdPartySickPay), F(Form1096ContactName), F(Form1096Telephone), F(Form1096Fax),
      F(Form1096Email), F(Form1096CheckIsThisYourFinalReturn), F(Form1096FilerName), F(IsAgent), F(AgentEIN),
      F(FormW2Indicators), F(Form1099Indicators), F(TaxJurisdictionCode), F(ExtraText1), F(ExtraText2),
      F(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<EmployeeRecord>> RecordFields<EmployeeRecord>() {
  using R = EmployeeRecord;
  static const FieldDesc<R> f[] = {F(EmployeeUniqueID), F(SocialSecurityNumber), F(FirstName), F(MiddleName),
                                   F(LastName), F(Address1), F(Address2), F(City), F(State), F(Zip), F(Suffix),
                                   F(ExtraText1), F(ExtraText2), F(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<ContractorRecord>> RecordFields<ContractorRecord>() {
  using R = ContractorRecord;
  static const FieldDesc<R> f[] = {
      F(ContractorUniqueID), F(IdentificationNumber), F(FirstName), F(MiddleName), F(LastName), F(Address1),
      F(Address2), F(City), F(State), F(Zip), F(AccountNumber), F(GeneralInformation), F(SecondTIN),
      F(TypeOfTIN), F(NameLine1), F(NameLine2), F(ExtraText1), F(ExtraText2), F(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<W2Record>> RecordFields<W2Record>() {
  using R = W2Record;
  static const FieldDesc<R> f[] = {
      F(W2UniqueID), F(EmployeeUniqueID), F(Wages), F(FederalIncomeTaxWithdrawal), F(SocialSecurityWages),
      F(SocialSecurityTaxWithheld), F(MedicareWages), F(MedicareTaxWithheld), F(SocialSecurityTips),
      F(AllocatedTips), F(AdvancEICPayment), F(DependentCareBenefits), F(NonQualifiedPlans),
      F(StatutoryEmployee), F(RetirementPlan), F(ThirdPartySickpay), F(Other1), F(Other2), F(Other3),
      F(Field12aCode), F(Field12bCode), F(Field12cCode), F(Field12dCode), F(Field12aYear), F(Field12bYear),
      F(Field12cYear), F(Field12dYear), F(Field12aAmount), F(Field12bAmount), F(Field12cAmount),
      F(Field12dAmount), F(State1), F(StateID1), F(State2), F(StateID2), F(StateWages1), F(StateWages2),
      F(StateIncomTax1), F(StateIncomTax2), F(LocalWages1), F(LocalWages2), F(LocalIncomeTax1),
      F(LocalIncomeTax2), F(LocalityName1), F(LocalityName2), F(Field12aExtraCode), F(Field12bExtraCode),
      F(Field12cExtraCode), F(Field12dExtraCode), F(ExtraText1), F(ExtraText2), F(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<Form1099Record>> RecordFields<Form1099Record>() {
  using R = Form1099Record;
  static const FieldDesc<R> f[] = {
      F(Form1099UniqueID), F(ContractorUniqueID), F(Rents), F(Royalities), F(OtherIncome),
      F(FederalIncomeTaxWithheld), F(FishingBoatProceeds), F(MedicalAndHealthCarePayments),
      F(NonemployeeCompensation), F(SubstitutePayments), F(PayerMadeDirectSales), F(CropInsuranceProceeds),
      F(ExcessGoldenParachutePayments), F(GrossProceedsPaidToAttorney), F(GenearlInformation),
      F(StateTaxWithheld1), F(StateTaxWithheld2), F(PayerStateID1), F(PayerStateID2), F(StateIncome1),
      F(StateIncome2), F(Field15A), F(Field15B), F(ExtraText1), F(ExtraText2), F(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<W3Record>> RecordFields<W3Record>() {
  using R = W3Record;
  static const FieldDesc<R> f[] = {
      F(State1), F(State2), F(StateID1), F(StateID2), F(Wages), F(FederalIncomeTaxWithheld),
      F(SocialSecurityWages), F(SocialSecurityTaxWithheld), F(MedicareWages), F(MedicareTaxWithheld),
      F(SocialSecurityTips), F(AllocatedTips), F(AdvancEICPayment), F(DependentCareBenefits),
      F(NonQualifiedPlans), F(DeferredCompensation), F(StateWages), F(StateIncomTax), F(LocalWages),
      F(LocalIncomeTax), F(ExtraText1), F(ExtraText2), F(ExtraText3)};
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
                                   F(ExtraText1),
                                   F(ExtraText2),
                                   F(ExtraText3)};
  return f;
}

template <>
std::span<const FieldDesc<TransmitterRecord>> RecordFields<TransmitterRecord>() {
  using R = TransmitterRecord;
  static const FieldDesc<R> f[] = {
      F(TransmitterTIN), F(TransmitterControlCode), F(TransmitterName), F(TransmitterNameContinuation),
      F(CompanyName), F(CompanyNameContinuation), F(CompanyMailingAddress), F(CompanyCity), F(CompanyState),
      F(CompanyZipCode), F(ContactName), F(ContactPhoneNumberAndExtension), F(ContactEmailAddress),
      F(ElectronicFileNameForAReplacementFile), F(TestFileIndicator), F(FileTypeOriginal),
      F(FileTypeReplacement)};
  return f;
}

template <>
std::span<const FieldDesc<SubmitterRecord>> RecordFields<SubmitterRecord>() {
  using R = SubmitterRecord;
  static const FieldDesc<R> f[] = {
      F(SubmitterEIN), F(SubmitterPIN), F(ResubIndicator), F(ResubWFID), F(SubmitterName), F(LocationAddress),
      F(DeliveryAddress), F(City), F(StateAbbreviation), F(ZipCode), F(ContactName), F(ContactPhone),
      F(ContactPhoneExtension), F(ContactEmail), F(ContactFax), F(ProblemNotifcationCode), F(PreparerCode)};
  return f;
}

#undef F

}  // namespace formet
