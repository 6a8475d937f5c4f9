#pragma once
// One record type per table of a company file. Fields carry the column names
// of their tables; ids and flags are 32-bit integers, every other field is an
// 8-bit Windows-1252 text.
#include <cstdint>
#include <span>
#include <string>
#include <variant>

namespace formet {

struct CompanyRecord {
  int32_t CompanyUniqueID = 1;
  std::string EmployerIdentificationNumber, EmployerName, Address1, Address2, City, State, Zip, StateID,
      SocialSecurityNumber, FormW3ControlNumber, FormW3EstablishmentNumber, FormW3OtherEIN,
      FormW3ThirdPartySickPay, FormW3IncomeTaxWithHeld, FormW3ContactName, FormW3Telephone, FormW3Email,
      FormW3Fax;
  int32_t FormW3RadioKindOfPayer = 0;
  int32_t FormW3CheckThirdPartySickPay = 0;
  std::string Form1096ContactName, Form1096Telephone, Form1096Fax, Form1096Email;
  int32_t Form1096CheckIsThisYourFinalReturn = 0;
  std::string Form1096FilerName, IsAgent, AgentEIN, FormW2Indicators, Form1099Indicators, TaxJurisdictionCode,
      ExtraText1, ExtraText2, ExtraText3;
  bool operator==(const CompanyRecord&) const = default;
};

struct EmployeeRecord {
  int32_t EmployeeUniqueID = 0;
  std::string SocialSecurityNumber, FirstName, MiddleName, LastName, Address1, Address2, City, State, Zip,
      Suffix, ExtraText1, ExtraText2, ExtraText3;
  bool operator==(const EmployeeRecord&) const = default;
};

struct ContractorRecord {
  int32_t ContractorUniqueID = 0;
  std::string IdentificationNumber, FirstName, MiddleName, LastName, Address1, Address2, City, State, Zip,
      AccountNumber, GeneralInformation;
  int32_t SecondTIN = 0;
  std::string TypeOfTIN, NameLine1, NameLine2, ExtraText1, ExtraText2, ExtraText3;
  bool operator==(const ContractorRecord&) const = default;
};

// Box 12 code fields hold one character: a letter, "0" for AA or "1" for BB.
struct W2Record {
  int32_t W2UniqueID = 0;
  int32_t EmployeeUniqueID = 0;
  std::string Wages, FederalIncomeTaxWithdrawal, SocialSecurityWages, SocialSecurityTaxWithheld, MedicareWages,
      MedicareTaxWithheld, SocialSecurityTips, AllocatedTips, AdvancEICPayment, DependentCareBenefits,
      NonQualifiedPlans;
  int32_t StatutoryEmployee = 0, RetirementPlan = 0, ThirdPartySickpay = 0;
  std::string Other1, Other2, Other3;
  std::string Field12aCode, Field12bCode, Field12cCode, Field12dCode;
  std::string Field12aYear, Field12bYear, Field12cYear, Field12dYear;
  std::string Field12aAmount, Field12bAmount, Field12cAmount, Field12dAmount;
  std::string State1, StateID1, State2, StateID2;
  std::string StateWages1, StateWages2, StateIncomTax1, StateIncomTax2, LocalWages1, LocalWages2,
      LocalIncomeTax1, LocalIncomeTax2;
  std::string LocalityName1, LocalityName2;
  std::string Field12aExtraCode, Field12bExtraCode, Field12cExtraCode, Field12dExtraCode;
  std::string ExtraText1, ExtraText2, ExtraText3;
  bool operator==(const W2Record&) const = default;
};

struct Form1099Record {
  int32_t Form1099UniqueID = 0;
  int32_t ContractorUniqueID = 0;
  std::string Rents, Royalities, OtherIncome, FederalIncomeTaxWithheld, FishingBoatProceeds,
      MedicalAndHealthCarePayments, NonemployeeCompensation, SubstitutePayments;
  int32_t PayerMadeDirectSales = 0;
  std::string CropInsuranceProceeds, ExcessGoldenParachutePayments, GrossProceedsPaidToAttorney,
      GenearlInformation, StateTaxWithheld1, StateTaxWithheld2, PayerStateID1, PayerStateID2, StateIncome1,
      StateIncome2, Field15A, Field15B, ExtraText1, ExtraText2, ExtraText3;
  bool operator==(const Form1099Record&) const = default;
};

struct W3Record {
  std::string State1, State2, StateID1, StateID2, Wages, FederalIncomeTaxWithheld, SocialSecurityWages,
      SocialSecurityTaxWithheld, MedicareWages, MedicareTaxWithheld, SocialSecurityTips, AllocatedTips,
      AdvancEICPayment, DependentCareBenefits, NonQualifiedPlans, DeferredCompensation, StateWages,
      StateIncomTax, LocalWages, LocalIncomeTax, ExtraText1, ExtraText2, ExtraText3;
  bool operator==(const W3Record&) const = default;
};

struct Form1096Record {
  int32_t TotalNumberOfForms = 0, FederalIncomeTaxWithHeld = 0, TotalAmountReportedWithThisForm = 0,
          FinalReturn = 0, TypeOfFormBeingFiled = 0;
  std::string ExtraText1, ExtraText2, ExtraText3;
  bool operator==(const Form1096Record&) const = default;
};

struct TransmitterRecord {
  std::string TransmitterTIN, TransmitterControlCode, TransmitterName, TransmitterNameContinuation, CompanyName,
      CompanyNameContinuation, CompanyMailingAddress, CompanyCity, CompanyState, CompanyZipCode, ContactName,
      ContactPhoneNumberAndExtension, ContactEmailAddress, ElectronicFileNameForAReplacementFile,
      TestFileIndicator;
  int32_t FileTypeOriginal = 0, FileTypeReplacement = 0;
  bool operator==(const TransmitterRecord&) const = default;
};

struct SubmitterRecord {
  std::string SubmitterEIN, SubmitterPIN, ResubIndicator, ResubWFID, SubmitterName, LocationAddress,
      DeliveryAddress, City, StateAbbreviation, ZipCode, ContactName, ContactPhone, ContactPhoneExtension,
      ContactEmail, ContactFax, ProblemNotifcationCode, PreparerCode;
  bool operator==(const SubmitterRecord&) const = default;
};

// A record field by column name: a text or a number member.
template <class R>
struct FieldDesc {
  const char* column;
  std::variant<std::string R::*, int32_t R::*> member;
  bool IsText() const { return std::holds_alternative<std::string R::*>(member); }
};

// The fields of each record in table order (only the columns the record holds).
template <class R>
std::span<const FieldDesc<R>> RecordFields();

}  // namespace formet
