#include "store/schema.h"

#include <algorithm>

#include "store/sql_format.h"

namespace formet {
namespace {

constexpr ColumnKind K = ColumnKind::Key, I = ColumnKind::Integer, T = ColumnKind::Text;

constexpr ColumnDef kVersion[] = {{"FormetVersion", T, 16}};

constexpr ColumnDef kCompany[] = {
    {"CompanyUniqueID", K}, {"EmployerIdentificationNumber", T, 16}, {"EmployerName", T, 51},
    {"Address1", T, 31}, {"Address2", T, 31}, {"City", T, 21}, {"State", T, 3}, {"Zip", T, 11},
    {"StateID", T, 11}, {"SocialSecurityNumber", T, 13}, {"FormW3ControlNumber", T, 21},
    {"FormW3EstablishmentNumber", T, 21}, {"FormW3OtherEIN", T, 17}, {"FormW3ThirdPartySickPay", T, 31},
    {"FormW3IncomeTaxWithHeld", T, 21}, {"FormW3ContactName", T, 51}, {"FormW3Telephone", T, 17},
    {"FormW3Email", T, 40}, {"FormW3Fax", T, 17}, {"FormW3RadioKindOfPayer", I},
    {"FormW3CheckThirdPartySickPay", I}, {"Form1096ContactName", T, 51}, {"Form1096Telephone", T, 17},
    {"Form1096Fax", T, 17}, {"Form1096Email", T, 41}, {"Form1096CheckIsThisYourFinalReturn", I},
    {"Form1096FilerName", T, 80}, {"IsAgent", T, 21}, {"AgentEIN", T, 29}, {"FormW2Indicators", T, 40},
    {"Form1099Indicators", T, 40}, {"TaxJurisdictionCode", T, 21}, {"ExtraText1", T, 80},
    {"ExtraText2", T, 80}, {"ExtraText3", T, 80}};

constexpr ColumnDef kEmployees[] = {
    {"EmployeeUniqueID", K}, {"CompanyUniqueID", I}, {"SocialSecurityNumber", T, 13}, {"FirstName", T, 21},
    {"MiddleName", T, 3}, {"LastName", T, 21}, {"Address1", T, 31}, {"Address2", T, 31}, {"City", T, 21},
    {"State", T, 3}, {"Zip", T, 12}, {"Suffix", T, 24}, {"ExtraText1", T, 80}, {"ExtraText2", T, 80},
    {"ExtraText3", T, 80}};

constexpr ColumnDef kContractors[] = {
    {"ContractorUniqueID", K}, {"CompanyUniqueID", I}, {"IdentificationNumber", T, 12}, {"FirstName", T, 21},
    {"MiddleName", T, 3}, {"LastName", T, 21}, {"Address1", T, 31}, {"Address2", T, 31}, {"City", T, 21},
    {"State", T, 3}, {"Zip", T, 12}, {"AccountNumber", T, 13}, {"GeneralInformation", T, 31},
    {"SecondTIN", I}, {"TypeOfTIN", T, 21}, {"NameLine1", T, 60}, {"NameLine2", T, 60},
    {"ExtraText1", T, 80}, {"ExtraText2", T, 80}, {"ExtraText3", T, 80}};

constexpr ColumnDef kW2[] = {
    {"W2UniqueID", K}, {"EmployeeUniqueID", I}, {"Wages", T, 21}, {"FederalIncomeTaxWithdrawal", T, 21},
    {"SocialSecurityWages", T, 21}, {"SocialSecurityTaxWithheld", T, 21}, {"MedicareWages", T, 21},
    {"MedicareTaxWithheld", T, 21}, {"SocialSecurityTips", T, 21}, {"AllocatedTips", T, 21},
    {"AdvancEICPayment", T, 21}, {"DependentCareBenefits", T, 21}, {"NonQualifiedPlans", T, 21},
    {"StatutoryEmployee", I}, {"RetirementPlan", I}, {"ThirdPartySickpay", I}, {"Other1", T, 15},
    {"Other2", T, 15}, {"Other3", T, 15}, {"Field12aCode", T, 2}, {"Field12bCode", T, 2},
    {"Field12cCode", T, 2}, {"Field12dCode", T, 2}, {"Field12aYear", T, 3}, {"Field12bYear", T, 3},
    {"Field12cYear", T, 3}, {"Field12dYear", T, 3}, {"Field12aAmount", T, 21}, {"Field12bAmount", T, 21},
    {"Field12cAmount", T, 21}, {"Field12dAmount", T, 21}, {"State1", T, 3}, {"StateID1", T, 16},
    {"State2", T, 3}, {"StateID2", T, 16}, {"StateWages1", T, 21}, {"StateWages2", T, 21},
    {"StateIncomTax1", T, 21}, {"StateIncomTax2", T, 21}, {"LocalWages1", T, 21}, {"LocalWages2", T, 21},
    {"LocalIncomeTax1", T, 21}, {"LocalIncomeTax2", T, 21}, {"LocalityName1", T, 7},
    {"LocalityName2", T, 7}, {"Field12aExtraCode", T, 25}, {"Field12bExtraCode", T, 25},
    {"Field12cExtraCode", T, 25}, {"Field12dExtraCode", T, 25}, {"ExtraText1", T, 80},
    {"ExtraText2", T, 80}, {"ExtraText3", T, 80}};

constexpr ColumnDef kForm1099[] = {
    {"Form1099UniqueID", K}, {"ContractorUniqueID", I}, {"Rents", T, 21}, {"Royalities", T, 21},
    {"OtherIncome", T, 21}, {"FederalIncomeTaxWithheld", T, 21}, {"FishingBoatProceeds", T, 21},
    {"MedicalAndHealthCarePayments", T, 21}, {"NonemployeeCompensation", T, 21},
    {"SubstitutePayments", T, 21}, {"PayerMadeDirectSales", I}, {"CropInsuranceProceeds", T, 21},
    {"ExcessGoldenParachutePayments", T, 21}, {"GrossProceedsPaidToAttorney", T, 21},
    {"GenearlInformation", T, 31}, {"StateTaxWithheld1", T, 21}, {"StateTaxWithheld2", T, 21},
    {"PayerStateID1", T, 16}, {"PayerStateID2", T, 16}, {"StateIncome1", T, 21}, {"StateIncome2", T, 21},
    {"Field15A", T, 21}, {"Field15B", T, 21}, {"ExtraText1", T, 80}, {"ExtraText2", T, 80},
    {"ExtraText3", T, 80}};

constexpr ColumnDef kW3[] = {
    {"W3UniqueID", K}, {"CompanyUniqueID", I}, {"State1", T, 3}, {"State2", T, 3}, {"StateID1", T, 11},
    {"StateID2", T, 11}, {"Wages", T, 21}, {"FederalIncomeTaxWithheld", T, 21},
    {"SocialSecurityWages", T, 21}, {"SocialSecurityTaxWithheld", T, 21}, {"MedicareWages", T, 21},
    {"MedicareTaxWithheld", T, 21}, {"SocialSecurityTips", T, 21}, {"AllocatedTips", T, 21},
    {"AdvancEICPayment", T, 21}, {"DependentCareBenefits", T, 21}, {"NonQualifiedPlans", T, 21},
    {"DeferredCompensation", T, 21}, {"StateWages", T, 21}, {"StateIncomTax", T, 21}, {"LocalWages", T, 21},
    {"LocalIncomeTax", T, 21}, {"ExtraText1", T, 80}, {"ExtraText2", T, 80}, {"ExtraText3", T, 80}};

constexpr ColumnDef kForm1096[] = {
    {"Form1096UniqueID", K}, {"CompanyUniqueID", I}, {"TotalNumberOfForms", I},
    {"FederalIncomeTaxWithHeld", I}, {"TotalAmountReportedWithThisForm", I}, {"FinalReturn", I},
    {"TypeOfFormBeingFiled", I}, {"ExtraText1", T, 80}, {"ExtraText2", T, 80}, {"ExtraText3", T, 80}};

constexpr ColumnDef kTransmitter[] = {
    {"UniqueID", K}, {"TransmitterTIN", T, 35}, {"TransmitterControlCode", T, 35},
    {"TransmitterName", T, 60}, {"TransmitterNameContinuation", T, 60}, {"CompanyName", T, 60},
    {"CompanyNameContinuation", T, 60}, {"CompanyMailingAddress", T, 60}, {"CompanyCity", T, 60},
    {"CompanyState", T, 17}, {"CompanyZipCode", T, 35}, {"ContactName", T, 60},
    {"ContactPhoneNumberAndExtension", T, 35}, {"ContactEmailAddress", T, 55},
    {"ElectronicFileNameForAReplacementFile", T, 45}, {"TestFileIndicator", T, 17}, {"FileTypeOriginal", I},
    {"FileTypeReplacement", I}};

constexpr ColumnDef kSubmitter[] = {
    {"UniqueID", K}, {"SubmitterEIN", T, 35}, {"SubmitterPIN", T, 35}, {"ResubIndicator", T, 18},
    {"ResubWFID", T, 30}, {"SubmitterName", T, 85}, {"LocationAddress", T, 45}, {"DeliveryAddress", T, 45},
    {"City", T, 45}, {"StateAbbreviation", T, 17}, {"ZipCode", T, 35}, {"ContactName", T, 55},
    {"ContactPhone", T, 37}, {"ContactPhoneExtension", T, 25}, {"ContactEmail", T, 65},
    {"ContactFax", T, 35}, {"ProblemNotifcationCode", T, 65}, {"PreparerCode", T, 65}};

constexpr TableDef kTables[] = {
    {"Version", kVersion},
    {"Company", kCompany},
    {"Employees", kEmployees},
    {"Contractors", kContractors},
    {"W2", kW2},
    {"Form1099", kForm1099},
    {"W3", kW3},
    {"Form1096", kForm1096},
    {"EFiling_1099_Transmitter", kTransmitter},
    {"EFiling_W2_Submitter", kSubmitter},
};

// The text columns of the current schema that earlier versions lack.
constexpr AddedColumn kVersion3Columns[] = {
    {"Company", "Form1096FilerName", 80},    {"Company", "IsAgent", 21},
    {"Company", "AgentEIN", 29},             {"Company", "FormW2Indicators", 40},
    {"Company", "Form1099Indicators", 40},   {"Company", "TaxJurisdictionCode", 21},
    {"Company", "ExtraText1", 80},           {"Company", "ExtraText2", 80},
    {"Company", "ExtraText3", 80},           {"Contractors", "TypeOfTIN", 21},
    {"Contractors", "NameLine1", 60},        {"Contractors", "NameLine2", 60},
    {"Contractors", "ExtraText1", 80},       {"Contractors", "ExtraText2", 80},
    {"Contractors", "ExtraText3", 80},       {"Employees", "Suffix", 24},
    {"Employees", "ExtraText1", 80},         {"Employees", "ExtraText2", 80},
    {"Employees", "ExtraText3", 80},         {"W2", "Field12aExtraCode", 25},
    {"W2", "Field12bExtraCode", 25},         {"W2", "Field12cExtraCode", 25},
    {"W2", "Field12dExtraCode", 25},         {"W2", "ExtraText1", 80},
    {"W2", "ExtraText2", 80},                {"W2", "ExtraText3", 80},
    {"W3", "ExtraText1", 80},                {"W3", "ExtraText2", 80},
    {"W3", "ExtraText3", 80},                {"Form1099", "ExtraText1", 80},
    {"Form1099", "ExtraText2", 80},          {"Form1099", "ExtraText3", 80},
    {"Form1096", "ExtraText1", 80},          {"Form1096", "ExtraText2", 80},
    {"Form1096", "ExtraText3", 80},
};

}  // namespace

std::optional<int> KnownSchemaVersion(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' + kFirstSchemaVersion && text[0] <= '0' + kLastSchemaVersion)
    return text[0] - '0';
  return std::nullopt;
}

std::span<const AddedColumn> Version3Columns() { return kVersion3Columns; }

size_t ColumnCountInVersion(const TableDef& table, int version) {
  const std::string_view name = table.name;
  if (version < kFirstSchemaVersion || version > kLastSchemaVersion) return 0;
  if (version < 2 && (name == "EFiling_1099_Transmitter" || name == "EFiling_W2_Submitter")) return 0;
  size_t count = table.columns.size();
  if (version < 3) {
    for (const auto& added : kVersion3Columns)
      if (name == added.table) --count;
  }
  return count;
}

std::span<const TableDef> CompanyTables() { return kTables; }

const TableDef* FindTable(std::string_view name) {
  for (const auto& t : kTables)
    if (name == t.name) return &t;
  return nullptr;
}

std::string CreateTableStatement(const TableDef& table) {
  if (std::string_view(table.name) == "Version") {
    return FormatSql("CREATE TABLE Version(FormetVersion NVARCHAR(%d));INSERT INTO 'Version' VALUES('%s');",
                     {table.columns[0].width, kCurrentSchemaVersion});
  }
  return CreateTableStatement(table, table.columns.size());
}

std::string CreateTableStatement(const TableDef& table, size_t columnCount) {
  std::string sql = std::string("CREATE TABLE ") + table.name + " (";
  bool first = true;
  for (const auto& c : table.columns.first(std::min(columnCount, table.columns.size()))) {
    if (!first) sql += ", ";
    first = false;
    sql += c.name;
    switch (c.kind) {
      case ColumnKind::Key: sql += " INTEGER PRIMARY KEY"; break;
      case ColumnKind::Integer: sql += " INTEGER"; break;
      case ColumnKind::Text: sql += FormatSql(" NVARCHAR(%d)", {c.width}); break;
    }
  }
  sql += ");";
  return sql;
}

}  // namespace formet
