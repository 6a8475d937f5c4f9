// The SSA wage file: golden files of small companies with their fields
// checked against the published positions, the totals against the W-3, the
// checks made before writing, and the read-back check catching broken files.
#include <gtest/gtest.h>

#include <functional>

#include "efiling_fixtures.h"
#include "forms/efile_choices.h"
#include "forms/money.h"
#include "forms/w2/efw2_file.h"
#include "forms/w2/w3_totals.h"
#include "golden.h"

namespace formet {
namespace {

using efile::Severity;
using test::ExpectFields;
using test::ExpectGolden;
using test::WageCompany;

constexpr size_t kStride = 514;  // 512 characters and CR LF

efile::Efw2Result Make(const WageCompany& c, bool stateRecords = false) {
  return efile::MakeEfw2File(c.submitter, c.company, c.employees, c.forms, {stateRecords});
}

// The file's totals are the W-3's, box by box, as the page shows them.
void ExpectTotalsOfW3(const WageCompany& c, const efile::Efw2Result& r) {
  const W3Page page = BuildW3Page(c.company, c.forms);
  EXPECT_EQ(std::to_string(r.totals.formCount), page.totalForms);
  for (size_t b = 1; b <= 11; ++b) EXPECT_EQ(FormatCents(r.totals.box[b]), page.box[b]) << "box " << b;
  EXPECT_EQ(FormatCents(r.totals.deferredCompensation), page.box12);
  EXPECT_EQ(FormatCents(r.totals.thirdPartySickPayTax), NormalizeMoney(page.box14));
}

TEST(Efw2File, DeferralsGolden) {
  const WageCompany c = test::DeferralsCompany();
  const auto r = Make(c);
  ASSERT_FALSE(r.report.HasErrors()) << r.report.Text();
  EXPECT_EQ(r.report.Problems().size(), 0u) << r.report.Text();
  ExpectGolden("efw2-deferrals.txt", r.bytes, kStride);
  EXPECT_TRUE(efile::CheckEfw2File(r.bytes).Ok());
  EXPECT_EQ(r.counts, (efile::Efw2Counts{1, 1, 3, 1, 0, 1, 1, 1}));
  ExpectTotalsOfW3(c, r);
  EXPECT_EQ(FormatCents(r.totals.deferredCompensation), "7400.00");  // D + E + AA + S + AA, not C

  ExpectFields(r.bytes, kStride,
               {// RA: the submitter
                {1, 1, "RA364125798AB12CD34    "},
                {1, 24, "     0      99LEDGER & LANE CPAS "},
                {1, 95, "SUITE 210             88 STATE ST           SPRINGFIELD           IL627014410     "},
                {1, 217, "LEDGER & LANE CPAS "},
                {1, 274, "SUITE 210             88 STATE ST"},
                {1, 340, "IL627014410"},
                {1, 396, "NORA QUIST                 2175550142     17      nora@ledgerlane.example "},
                {1, 486, "   2175550143"},
                {1, 499, "1A            "},
                {1, 513, "\r\n"},
                // RE: the employer
                {2, 1, "RE2007 372233445         00001         PRAIRIE TOOL & DIE "},
                {2, 97, "                      400 INDUSTRIAL PKWY   DECATUR"},
                {2, 163, "IL625211234"},
                {2, 219, "R 0 "},
                // RW: accents folded, address lines in their places
                {3, 1, "RW123456789ELODIE         M              BRULE-SMITH         "},
                {3, 62, "    APT 4                 12 OAK ST             DECATUR               IL62521    "},
                {3, 188, "00005200000000006100000000520000000000322400000052000000000007540000000000000"},
                {3, 265, "0000000000000000000000"},
                {3, 287, "00000200000"},
                {3, 342, "00000000000"},
                {3, 408, "00000012050"},
                {3, 486, "0 10"},
                {4, 1, "RW234567890THOMAS         J              O'NEILL             JR  "},
                {4, 134, "625350077"},
                {4, 298, "00000150000"},
                {4, 441, "0000025000000000000000"},
                {4, 486, "0 10"},
                // RO right after its RW: allocated tips and code S
                {5, 1, "RO         00000031000"},
                {5, 45, "00000080000"},
                {5, 275, "00000000000"},
                {6, 1, "RW345678901GRACE                         LIU"},
                {6, 276, "00000120000"},
                {6, 353, "000000000000000000000000000050000"},
                {6, 441, "00000060000"},
                {6, 486, "1 00"},
                // RT: the sums of the RW fields; RU of the RO fields
                {7, 1, "RT0000003000000010250000000000001100000"},
                {7, 130, "000000000120000000000000200000000000000150000"},
                {7, 220, "000000000000000"},
                {7, 265, "000000000050000"},
                {7, 310, "000000000012050000000000000000"},
                {7, 370, "000000000310000000000000000000"},
                {8, 1, "RU0000001000000000031000"},
                {8, 55, "000000000080000"},
                {9, 1, "RF     000000003 "}});
}

TEST(Efw2File, HouseholdEmployerWithStateRecordsGolden) {
  const WageCompany c = test::HouseholdCompany();
  const auto r = Make(c, true);
  ASSERT_FALSE(r.report.HasErrors()) << r.report.Text();
  ExpectGolden("efw2-household.txt", r.bytes, kStride);
  EXPECT_EQ(r.counts, (efile::Efw2Counts{1, 1, 2, 0, 3, 1, 0, 1}));
  ExpectTotalsOfW3(c, r);
  ExpectFields(r.bytes, kStride,
               {{1, 499, "2L"},
                {2, 219, "H"},
                // Rosa: line 1 takes the employer's state and state ID, line 2 its own
                {4, 1, "RS17     456789012ROSA                          DELGADO"},
                {4, 203, "0000000000000000000000"},
                {4, 225, "00"},  // weeks worked, a number: zero-filled
                {4, 248, "4455-6677           "},
                {4, 274, "170000162000000000048600"},
                {4, 309, "0000000000000000000000"},
                {5, 1, "RS55     456789012"},
                {5, 225, "00"},
                {5, 248, "036-000123"},
                {5, 274, "550000020000000000009000"},
                // Ned: no social security wages; his state line without tax
                {6, 1, "RW567890123NED"},
                {6, 188, "00000120000"},
                {6, 210, "00000000000"},
                {7, 1, "RS17"},
                {7, 274, "170000012000000000000000"},
                {8, 1, "RT0000002"},
                {9, 1, "RF     000000002"}});
  // Without state records the same company has none.
  EXPECT_EQ(Make(c, false).counts.rs, 0u);
}

TEST(Efw2File, ThirdPartySickPayGolden) {
  const WageCompany c = test::SickPayCompany();
  const auto r = Make(c);
  ASSERT_FALSE(r.report.HasErrors()) << r.report.Text();
  // Code J has no field in the file: said, not silently dropped.
  ASSERT_EQ(r.report.Problems().size(), 1u) << r.report.Text();
  EXPECT_TRUE(r.report.Has(Severity::Warning, "W-2 of Victor A Osei (678-90-1234)", "code J ($3,000.00)"));
  ExpectGolden("efw2-sickpay.txt", r.bytes, kStride);
  ExpectTotalsOfW3(c, r);
  ExpectFields(r.bytes, kStride,
               {{2, 40, "HEARTLAND MUTUAL INSURANCE "},
                {2, 219, "R 1"},
                {3, 486, "0 01"},
                {4, 325, "000000000125000"},
                {4, 25, "000000000125000"}});
}

// A state line without a state ID of its own takes the company's only for
// the company's state; any other state's line without its ID is an error
// naming the employee and the state, and no file is written.
TEST(Efw2File, AStateLineTakesTheCompanysStateIdOnlyForTheCompanysState) {
  const char* const rosa = "W-2 of Rosa Delgado (456-78-9012)";
  {
    WageCompany c = test::HouseholdCompany();
    c.forms[0].SetState1("CA");  // an IL company, no CA ID on the W-2
    const auto r = Make(c, true);
    EXPECT_TRUE(r.report.Has(Severity::Error, rosa,
                             "Box 15 line 1 (CA) has no employer's state ID number; the company's state ID is for IL"))
        << r.report.Text();
    EXPECT_TRUE(r.bytes.empty());
  }
  {
    WageCompany c = test::HouseholdCompany();
    c.forms[0].SetStateID2("");  // WI, without its ID
    const auto r = Make(c, true);
    EXPECT_TRUE(r.report.Has(Severity::Error, rosa, "Box 15 line 2 (WI) has no employer's state ID number"))
        << r.report.Text();
    EXPECT_EQ(r.report.ErrorCount(), 1u);
  }
  {
    WageCompany c = test::HouseholdCompany();
    c.forms[0].SetState2("IL");  // the company's state on line 2: the company's ID
    c.forms[0].SetStateID2("");
    const auto r = Make(c, true);
    ASSERT_FALSE(r.report.HasErrors()) << r.report.Text();
    ExpectFields(r.bytes, kStride, {{5, 1, "RS17"}, {5, 248, "4455-6677           "}});
  }
  {
    WageCompany c = test::HouseholdCompany();
    c.company.SetStateID("");  // the company's own state, but no ID to give
    const auto r = Make(c, true);
    EXPECT_TRUE(r.report.Has(Severity::Error, rosa, "Box 15 line 1 (IL) has no employer's state ID number"))
        << r.report.Text();
    EXPECT_TRUE(r.report.Has(Severity::Error, "W-2 of Ned Park (567-89-0123)", "(IL) has no employer's state ID"));
  }
}

TEST(Efw2File, OptionalRecordOnlyWhenNeeded) {
  WageCompany c = test::DeferralsCompany();
  c.forms[1].SetAllocatedTips("");
  c.forms[1].SetField12cCode("");
  c.forms[1].SetField12cAmount("");
  const auto r = Make(c);
  ASSERT_FALSE(r.report.HasErrors()) << r.report.Text();
  EXPECT_EQ(r.counts.ro, 0u);
  EXPECT_EQ(r.counts.ru, 0u);
}

// One change to a sound company, and what the report must then say.
struct Fault {
  const char* name;
  std::function<void(WageCompany&)> change;
  Severity severity;
  const char* where;
  const char* says;
};

const char* const kFirst = "W-2 of \xC9lodie M Br\xFBl\xE9-Smith (123-45-6789)";

TEST(Efw2File, ChecksBeforeWriting) {
  const Fault faults[] = {
      {"no submitter EIN", [](WageCompany& c) { c.submitter.SetSubmitterEIN(""); }, Severity::Error, "Submitter",
       "The submitter's EIN is empty"},
      {"no PIN", [](WageCompany& c) { c.submitter.SetSubmitterPIN(""); }, Severity::Error, "Submitter",
       "The PIN is empty"},
      {"short PIN", [](WageCompany& c) { c.submitter.SetSubmitterPIN("AB12"); }, Severity::Error, "Submitter",
       "must be 8 letters or digits"},
      {"resubmission without WFID", [](WageCompany& c) { c.submitter.SetResubIndicator("1"); }, Severity::Error,
       "Submitter", "wage file identifier (WFID)"},
      {"e-mail notice without address", [](WageCompany& c) { c.submitter.SetContactEmail(""); }, Severity::Error,
       "Submitter", "Contact e-mail is empty"},
      {"no preparer", [](WageCompany& c) { c.submitter.SetPreparerCode(""); }, Severity::Error, "Submitter",
       "Choose who prepared the file"},
      {"short ZIP code", [](WageCompany& c) { c.submitter.SetZipCode("6270"); }, Severity::Error, "Submitter",
       "must have 5 or 9 digits"},
      {"malformed EIN", [](WageCompany& c) { c.company.SetEmployerIdentificationNumber("37-22334"); },
       Severity::Error, "Company", "must have 9 digits"},
      {"EIN beginning 00", [](WageCompany& c) { c.company.SetEmployerIdentificationNumber("00-2233445"); },
       Severity::Error, "Company", "none begins with 00"},
      {"no Kind of Payer", [](WageCompany& c) { c.company.FormW3RadioKindOfPayer = 7; }, Severity::Error, "Company",
       "Choose the Kind of Payer"},
      {"SSN area 666", [](WageCompany& c) { c.employees[0].SetSocialSecurityNumber("666-45-6789"); }, Severity::Error,
       "W-2 of \xC9lodie M Br\xFBl\xE9-Smith (666-45-6789)", "is not a valid number"},
      {"SSN area 9xx (an ITIN)", [](WageCompany& c) { c.employees[0].SetSocialSecurityNumber("912-75-6789"); },
       Severity::Error, "W-2 of \xC9lodie M Br\xFBl\xE9-Smith (912-75-6789)", "900-999"},
      {"SSN group 00", [](WageCompany& c) { c.employees[0].SetSocialSecurityNumber("123-00-6789"); }, Severity::Error,
       "W-2 of \xC9lodie M Br\xFBl\xE9-Smith (123-00-6789)", "group 00"},
      {"SSN of 8 digits", [](WageCompany& c) { c.employees[0].SetSocialSecurityNumber("123-45-678"); },
       Severity::Error, "W-2 of \xC9lodie M Br\xFBl\xE9-Smith (123-45-678)", "must have 9 digits"},
      {"SSN applied for", [](WageCompany& c) { c.employees[0].SetSocialSecurityNumber("000-00-0000"); },
       Severity::Warning, "W-2 of \xC9lodie M Br\xFBl\xE9-Smith (000-00-0000)", "reported as zeros"},
      {"no last name", [](WageCompany& c) { c.employees[0].SetLastName(""); }, Severity::Error,
       "W-2 of \xC9lodie M (123-45-6789)", "Last name is empty"},
      {"a character with no ASCII form", [](WageCompany& c) { c.employees[0].SetLastName("Smith\x80"); },
       Severity::Error, "W-2 of \xC9lodie M Smith\x80 (123-45-6789)", "cannot carry"},
      {"punctuation a name cannot hold", [](WageCompany& c) { c.employees[0].SetFirstName("Elodie (Lo)"); },
       Severity::Warning, "W-2 of Elodie (Lo) M Br\xFBl\xE9-Smith (123-45-6789)", "is written without ( )"},
      {"a first name longer than the field", [](WageCompany& c) { c.employees[0].SetFirstName("Maximiliana-Rose"); },
       Severity::Warning, "W-2 of Maximiliana-Rose M Br\xFBl\xE9-Smith (123-45-6789)",
       "it is written as \"MAXIMILIANA-ROS\""},
      {"an amount too large", [](WageCompany& c) { c.forms[0].SetWages("1000000000.00"); }, Severity::Error, kFirst,
       "too large for the 11 digits"},
      {"a negative amount", [](WageCompany& c) { c.forms[0].SetFederalIncomeTaxWithdrawal("-5.00"); },
       Severity::Error, kFirst, "is negative"},
      {"not an amount", [](WageCompany& c) { c.forms[0].SetWages("52,000.00"); }, Severity::Error, kFirst,
       "is not an amount"},
      {"wages above the wage base", [](WageCompany& c) { c.forms[0].SetSocialSecurityWages("97500.09"); },
       Severity::Error, kFirst, "above the 2007 wage base of $97,500.00"},
      {"box 4 above its maximum", [](WageCompany& c) { c.forms[0].SetSocialSecurityTaxWithheld("6045.10"); },
       Severity::Warning, kFirst, "above the 2007 maximum of $6,045.00"},
      {"box 6 not 1.45 %", [](WageCompany& c) { c.forms[0].SetMedicareTaxWithheld("700.00"); }, Severity::Warning,
       kFirst, "is not 1.45 % of box 5 ($754.00)"},
      {"a box 12 amount without a code", [](WageCompany& c) { c.forms[0].SetField12aCode(""); }, Severity::Error,
       kFirst, "Box 12a has an amount but no code"},
      {"a code of no 2007 form", [](WageCompany& c) { c.forms[0].SetField12aCode("X"); }, Severity::Error, kFirst,
       "Box 12a"},
      {"a W-2 without its employee", [](WageCompany& c) { c.forms[2].EmployeeUniqueID = 99; }, Severity::Error,
       "W-2 number 3", "Belongs to no employee"},
      {"social security wages of a Medicare government employer",
       [](WageCompany& c) { c.company.FormW3RadioKindOfPayer = 5; }, Severity::Error, kFirst,
       "boxes 3, 4 and 7 must be empty"},
      {"a household employee below the threshold",
       [](WageCompany& c) {
         c.company.FormW3RadioKindOfPayer = 3;
         c.forms[0] = test::Wages(1, "1400.00", "0.00", "86.80", "20.30");
       },
       Severity::Warning, kFirst, "below the $1,500.00"},
      {"no W-2 at all", [](WageCompany& c) { c.forms.clear(); }, Severity::Error, "Company", "There is no W-2"},
  };
  for (const auto& f : faults) {
    SCOPED_TRACE(f.name);
    WageCompany c = test::DeferralsCompany();
    f.change(c);
    const auto r = Make(c);
    EXPECT_TRUE(r.report.Has(f.severity, f.where, f.says)) << r.report.Text();
    if (f.severity == Severity::Error) {
      EXPECT_TRUE(r.bytes.empty());
    } else {
      EXPECT_FALSE(r.report.HasErrors()) << r.report.Text();
      EXPECT_TRUE(efile::CheckEfw2File(r.bytes).Ok());
    }
  }
}

TEST(Efw2File, ListsEveryProblemNotTheFirstOnly) {
  WageCompany c = test::DeferralsCompany();
  c.submitter.SetSubmitterPIN("");
  c.employees[1].SetLastName("");
  c.forms[2].SetWages("abc");
  c.forms[0].SetSocialSecurityTaxWithheld("6100.00");
  const auto r = Make(c);
  EXPECT_EQ(r.report.ErrorCount(), 3u) << r.report.Text();
  EXPECT_EQ(r.report.WarningCount(), 1u) << r.report.Text();
  EXPECT_TRUE(r.bytes.empty());
  // Errors first, then warnings, then the count.
  const std::string text = r.report.Text();
  EXPECT_LT(text.find("Error: Submitter"), text.find("Warning: "));
  EXPECT_NE(text.find("3 errors and 1 warning."), std::string::npos) << text;
}

// The read-back check on hand-broken copies of a golden file.
TEST(Efw2File, ReadBackCheckCatchesBrokenFiles) {
  const std::string good = Make(test::DeferralsCompany()).bytes;
  ASSERT_FALSE(good.empty());
  const auto at = [](size_t record, size_t pos) { return (record - 1) * kStride + pos - 1; };
  const struct {
    const char* name;
    std::function<void(std::string&)> breakIt;
    const char* says;
  } breaks[] = {
      {"an RW amount changed", [&](std::string& f) { f[at(3, 198)] = '1'; }, "is not the sum of RW 188"},
      {"an RO amount changed", [&](std::string& f) { f[at(5, 22)] = '1'; }, "is not the sum of RO 12"},
      {"a letter in a money field", [&](std::string& f) { f[at(4, 190)] = 'O'; }, "must hold digits only"},
      {"a record one character short", [&](std::string& f) { f.erase(at(4, 500), 1); }, "not a whole number"},
      {"the RU record dropped", [&](std::string& f) { f.erase(at(8, 1), kStride); }, "RU must follow RT"},
      {"RF missing", [&](std::string& f) { f.resize(f.size() - kStride); }, "does not end with the final record RF"},
      {"RO moved before the first RW",
       [&](std::string& f) {
         const std::string ro = f.substr(at(5, 1), kStride);
         f.erase(at(5, 1), kStride);
         f.insert(at(3, 1), ro);
       },
       "cannot follow RE"},
      {"the RF count", [&](std::string& f) { f[at(9, 16)] = '4'; }, "the count of RW records is not 3"},
      {"the RT count", [&](std::string& f) { f[at(7, 9)] = '2'; }, "the count of RW records is not 3"},
      {"an unknown employment code", [&](std::string& f) { f[at(2, 219)] = 'Z'; }, "not a valid code"},
      {"an indicator not 0 or 1", [&](std::string& f) { f[at(3, 488)] = 'Y'; }, "position 488"},
      {"no CR LF", [&](std::string& f) { f[at(1, 513)] = ' '; }, "followed by the record end"},
      {"a line end inside a record", [&](std::string& f) { f[at(3, 100)] = '\n'; }, "outside printable ASCII"},
      {"text in a blank area", [&](std::string& f) { f[at(3, 470)] = 'X'; }, "positions 463-485 must be blank"},
      {"a second RA", [&](std::string& f) { f.insert(at(2, 1), good.substr(0, kStride)); }, "RA must be the first"},
  };
  for (const auto& b : breaks) {
    SCOPED_TRACE(b.name);
    std::string file = good;
    b.breakIt(file);
    const auto check = efile::CheckEfw2File(file);
    ASSERT_FALSE(check.Ok());
    bool found = false;
    for (const auto& p : check.problems) found = found || p.find(b.says) != std::string::npos;
    EXPECT_TRUE(found) << ::testing::PrintToString(check.problems);
  }
}

TEST(Efw2File, ComparesWithTheW3) {
  const WageCompany c = test::DeferralsCompany();
  const auto r = Make(c);
  W3Totals w3 = ComputeW3Totals(c.forms);
  EXPECT_TRUE(efile::CompareWithW3(r.totals, w3, 0).empty());
  w3.box[5] += 1;
  w3.deferredCompensation -= 100;
  const auto differences = efile::CompareWithW3(r.totals, w3, 0);
  ASSERT_EQ(differences.size(), 2u);
  EXPECT_EQ(differences[0], "box 5: 102500.00 in the file, 102500.01 on the W-3");
}

}  // namespace
}  // namespace formet
