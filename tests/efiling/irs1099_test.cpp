// The IRS 1099-MISC information return file: golden files with their fields
// checked against the published positions, the totals against the 1096, the
// checks made before writing, and the read-back check catching broken files.
#include <gtest/gtest.h>

#include <functional>

#include "efiling_fixtures.h"
#include "forms/1099/form1096_totals.h"
#include "forms/1099/irs1099_file.h"
#include "forms/money.h"
#include "golden.h"

namespace formet {
namespace {

using efile::Severity;
using test::ExpectFields;
using test::ExpectGolden;
using test::MiscCompany;

constexpr size_t kRecord = 750;

efile::Irs1099Result Make(const MiscCompany& c, bool combined = false) {
  return efile::Make1099File(c.transmitter, c.company, c.contractors, c.forms, {combined});
}

void ExpectTotalsOf1096(const MiscCompany& c, const efile::Irs1099Result& r) {
  const Form1096Page page = Build1096Page(c.company, c.forms);
  EXPECT_EQ(std::to_string(r.totals.formCount), page.box3);
  EXPECT_EQ(FormatCents(r.totals.Box4()), page.box4);
  EXPECT_EQ(FormatCents(r.totals.Box5()), page.box5);
}

TEST(Irs1099File, MiscellaneousGolden) {
  const MiscCompany c = test::MiscellaneousCompany();
  const auto r = Make(c);
  ASSERT_FALSE(r.report.HasErrors()) << r.report.Text();
  // The direct-sales form needs no amount.
  ASSERT_EQ(r.report.Problems().size(), 0u) << r.report.Text();
  ExpectGolden("1099-misc.txt", r.bytes, kRecord);
  EXPECT_TRUE(efile::Check1099File(r.bytes).Ok());
  EXPECT_EQ(r.counts, (efile::Irs1099Counts{1, 1, 5, 1, 0, 1}));
  ExpectTotalsOf1096(c, r);
  EXPECT_EQ(FormatCents(r.totals.Box5()), "67900.00");  // not box 4, not 15a / 15b

  ExpectFields(r.bytes, kRecord,
               {// T: a test file, the payee count, the contact's digits
                {1, 1, "T2007 4199887767Q2B9       T SUMMIT PAYROLL SERVICES "},
                {1, 110, "SUMMIT PAYROLL SERVICES "},
                {1, 190, "1800 COMMERCE BLVD STE 5 "},
                {1, 230, "PEORIA "},
                {1, 270, "IL616021100               00000005OWEN HART "},
                {1, 344, "3095550199204  owen@summitpay.example "},
                {1, 394, "  "},
                {1, 500, "00000001          VQUORVANE "},
                {1, 749, "\r\n"},
                // A: the payer, its amount codes in order
                {2, 1, "A2007      372233445      A1347CDE       "},
                {2, 53, "PRAIRIE TOOL & DIE "},
                {2, 133, "0400 INDUSTRIAL PKWY "},
                {2, 174, "DECATUR "},
                {2, 214, "IL6252112342175550188     "},
                {2, 500, "00000002"},
                // B: one per form
                {3, 1, "B2007 NORT1367788123ND-2007             "},
                {3, 55, "000000000000"},
                {3, 127, "000001250000"},
                {3, 248, "NORTHSIDE DESIGN LLC "},
                {3, 368, "700 N GRAND AVE "},
                {3, 448, "SPRINGFIELD "},
                {3, 488, "IL62702     00000003"},
                {3, 544, "   "},
                {3, 723, "000000025000000000000000  \r\n"},
                {4, 7, "LAWO120123456"},          // "The" passed over
                {4, 187, "000004500000"},
                {4, 544, "2  "},
                {4, 490, "537032211"},
                {5, 7, "VANC2456789012"},         // surname of an older record's name
                {5, 55, "000000960000000000000000000000000000000000096000"},
                {5, 248, "CARL B VANCE "},
                {6, 7, "    2567890123"},         // a person named by free lines: no name control
                {6, 547, "1"},                    // direct sales
                {6, 55, "000000000000000000000000000000000000000000000000000000000000000000000000000000000000"},
                {7, 79, "000000080000"},
                {7, 199, "000002000000000000350000000000000000000000000000 "},
                // C: count and the totals by code
                {8, 1, "C00000005      000000000000960000000000000000000000000000000000080000000000000000096000"},
                {8, 124, "000000000001250000"},
                {8, 214, "000000000004500000000000000002000000000000000000350000000000000000000000000000000000000000"},
                {8, 500, "00000008"},
                // F: payer and payee counts
                {9, 1, "F00000001000000000000000000000                   00000005 "},
                {9, 500, "00000009"}});
}

// A progress told of the forms stops the file at its Cancel: nothing of the
// file is handed out. One never cancelled changes nothing of the file.
TEST(Irs1099File, ACancelledProgressStopsTheFile) {
  const MiscCompany c = test::MiscellaneousCompany();
  struct Cancelling : WorkProgress {
    int steps = 0;
    void Step(size_t, size_t, const std::string&) override { ++steps; }
    bool Cancelled() const override { return steps > 0; }
  } cancelling;
  efile::Irs1099Options options;
  options.progress = &cancelling;
  const auto stopped = efile::Make1099File(c.transmitter, c.company, c.contractors, c.forms, options);
  EXPECT_TRUE(stopped.cancelled);
  EXPECT_TRUE(stopped.bytes.empty());
  EXPECT_EQ(cancelling.steps, 1);

  SilentProgress silent;
  options.progress = &silent;
  const auto whole = efile::Make1099File(c.transmitter, c.company, c.contractors, c.forms, options);
  EXPECT_FALSE(whole.cancelled);
  EXPECT_EQ(whole.bytes, Make(c).bytes);
}

TEST(Irs1099File, CombinedFederalStateGolden) {
  const MiscCompany c = test::MiscellaneousCompany();
  const auto r = Make(c, true);
  ASSERT_FALSE(r.report.HasErrors()) << r.report.Text();
  // Illinois does not take part: that form goes to the IRS only.
  EXPECT_TRUE(r.report.Has(Severity::Warning, "1099-MISC of Northside Design LLC (36-7788123)",
                           "state IL does not take part"));
  ExpectGolden("1099-misc-combined.txt", r.bytes, kRecord);
  EXPECT_EQ(r.counts, (efile::Irs1099Counts{1, 1, 5, 1, 3, 1}));
  ExpectTotalsOf1096(c, r);
  ExpectFields(r.bytes, kRecord,
               {{2, 26, "1A"},
                {3, 747, "  "},
                {4, 747, "55"},
                {5, 747, "18"},
                {7, 747, "06"},
                // K per state code, ascending, after C: California, Indiana, Wisconsin
                {9, 1, "K00000001"},
                {9, 232, "000000000002000000"},
                {9, 747, "06"},
                {10, 1, "K00000001      000000000000960000"},
                {10, 747, "18"},
                {11, 1, "K00000002"},
                {11, 214, "000000000004500000"},
                {11, 707, "000000000000050000000000000000000000    55"},
                {12, 1, "F00000001"},
                {12, 500, "00000012"}});
}

TEST(Irs1099File, NameControls) {
  const auto control = [](const char* first, const char* last, const char* line1, char type) {
    ContractorRecord c;
    c.SetFirstName(first), c.SetLastName(last), c.SetNameLine1(line1);
    return efile::NameControl(c, type);
  };
  EXPECT_EQ(control("Sean", "O'Brien", "", '2'), "OBRI");
  EXPECT_EQ(control("Ana", "de la Cruz", "", '2'), "DELA");
  EXPECT_EQ(control("Li", "Wu", "", '2'), "WU  ");
  EXPECT_EQ(control("", "", "The Flower Shop", '1'), "FLOW");
  EXPECT_EQ(control("", "", "The Hawthorne", '1'), "THEH");  // "The" with one word after it counts
  EXPECT_EQ(control("", "", "A & B Supply", '1'), "A&BS");
  EXPECT_EQ(control("", "", "J\xF6rg M\xFCller", '2'), "    ");  // a person named by free lines
}

struct Fault {
  const char* name;
  std::function<void(MiscCompany&)> change;
  Severity severity;
  const char* where;
  const char* says;
};

const char* const kNorthside = "1099-MISC of Northside Design LLC (36-7788123)";

TEST(Irs1099File, ChecksBeforeWriting) {
  const Fault faults[] = {
      {"no TCC", [](MiscCompany& c) { c.transmitter.SetTransmitterControlCode(""); }, Severity::Error,
       "Transmitter", "The Transmitter Control Code is empty"},
      {"a TCC with a dash", [](MiscCompany& c) { c.transmitter.SetTransmitterControlCode("7Q-B9"); },
       Severity::Error, "Transmitter", "must be 5 letters or digits"},
      {"no transmitter TIN", [](MiscCompany& c) { c.transmitter.SetTransmitterTIN(""); }, Severity::Error,
       "Transmitter", "The transmitter's TIN is empty"},
      {"a replacement without the file's name", [](MiscCompany& c) { c.transmitter.FileTypeReplacement = 1;
                                                                     c.transmitter.FileTypeOriginal = 0; },
       Severity::Error, "Transmitter", "A replacement file needs the name"},
      {"an e-mail address too long",
       [](MiscCompany& c) { c.transmitter.SetContactEmailAddress("someone.with.a.long.name@example.example"); },
       Severity::Error, "Transmitter", "longer than the 35 characters"},
      {"no payer TIN", [](MiscCompany& c) { c.company.SetEmployerIdentificationNumber(""); }, Severity::Error,
       "Company", "The payer's federal identification number is empty"},
      {"a payee TIN of 8 digits", [](MiscCompany& c) { c.contractors[0].SetIdentificationNumber("36-778812"); },
       Severity::Error, "1099-MISC of Northside Design LLC (36-778812)", "must have 9 digits"},
      {"a payee TIN without dashes", [](MiscCompany& c) { c.contractors[0].SetIdentificationNumber("367788123"); },
       Severity::Warning, "1099-MISC of Northside Design LLC (367788123)", "whether it is an EIN or an SSN"},
      {"a negative amount", [](MiscCompany& c) { c.forms[0].SetNonemployeeCompensation("-12.00"); }, Severity::Error,
       kNorthside, "is negative"},
      {"an amount too large", [](MiscCompany& c) { c.forms[0].SetRents("10000000000.00"); }, Severity::Error,
       kNorthside, "too large for the 12 digits"},
      {"a form that reports nothing", [](MiscCompany& c) { c.forms[0].SetNonemployeeCompensation(""); },
       Severity::Warning, kNorthside, "reports no amount"},
      {"a form without its contractor", [](MiscCompany& c) { c.forms[4].ContractorUniqueID = 77; }, Severity::Error,
       "1099-MISC number 5", "Belongs to no contractor"},
      {"no form at all", [](MiscCompany& c) { c.forms.clear(); }, Severity::Error, "Company",
       "There is no 1099-MISC"},
  };
  for (const auto& f : faults) {
    SCOPED_TRACE(f.name);
    MiscCompany c = test::MiscellaneousCompany();
    f.change(c);
    const auto r = Make(c);
    EXPECT_TRUE(r.report.Has(f.severity, f.where, f.says)) << r.report.Text();
    if (f.severity == Severity::Error) {
      EXPECT_TRUE(r.bytes.empty());
    } else {
      EXPECT_FALSE(r.report.HasErrors()) << r.report.Text();
      EXPECT_TRUE(efile::Check1099File(r.bytes).Ok());
    }
  }
}

TEST(Irs1099File, PayersWithoutAnEinAndBlocksOfDirectSalesOnly) {
  MiscCompany c = test::MiscellaneousCompany();
  c.company.SetEmployerIdentificationNumber("");
  c.company.SetSocialSecurityNumber("321-54-9876");  // a sole proprietor
  c.forms = {c.forms[3]};                          // direct sales only
  const auto r = Make(c);
  ASSERT_FALSE(r.report.HasErrors()) << r.report.Text();
  ExpectFields(r.bytes, kRecord, {{2, 12, "321549876"}, {2, 28, "1             "}, {3, 55, "000000000000"}});
  EXPECT_TRUE(efile::Check1099File(r.bytes).Ok());
}

TEST(Irs1099File, ReadBackCheckCatchesBrokenFiles) {
  const std::string good = Make(test::MiscellaneousCompany()).bytes;
  const std::string combined = Make(test::MiscellaneousCompany(), true).bytes;
  ASSERT_FALSE(good.empty());
  const auto at = [](size_t record, size_t pos) { return (record - 1) * kRecord + pos - 1; };
  const struct {
    const char* name;
    const std::string* file;
    std::function<void(std::string&)> breakIt;
    const char* says;
  } breaks[] = {
      {"a B amount changed", &good, [&](std::string& f) { f[at(3, 138)] = '1'; }, "is not the sum of the payees' amount 7"},
      {"an amount whose code the payer does not list", &good, [&](std::string& f) { f[at(3, 114)] = '1'; },
       "does not list its code"},
      {"a code the forms do not use", &good, [&](std::string& f) { f[at(2, 35)] = 'B'; }, "but its forms use"},
      {"a sequence number", &good, [&](std::string& f) { f[at(4, 507)] = '9'; }, "the sequence number is not 4"},
      {"the T payee count", &good, [&](std::string& f) { f[at(1, 303)] = '4'; }, "counts 4 payees"},
      {"the F payer count", &good, [&](std::string& f) { f[at(9, 9)] = '2'; }, "the number of payer records is not 1"},
      {"the C payee count", &good, [&](std::string& f) { f[at(8, 9)] = '6'; }, "the number of payees is not 5"},
      {"a record one character short", &good, [&](std::string& f) { f.erase(at(5, 300), 1); }, "not a whole number"},
      {"the C record dropped", &good, [&](std::string& f) { f.erase(at(8, 1), kRecord); }, "cannot follow B"},
      {"no record end", &good, [&](std::string& f) { f[at(2, 750)] = ' '; }, "positions 749-750"},
      {"a line end inside a record", &good, [&](std::string& f) { f[at(3, 300)] = '\n'; }, "outside printable ASCII"},
      {"a second TIN notice of 1", &good, [&](std::string& f) { f[at(4, 544)] = '1'; }, "position 544"},
      {"a K total changed", &combined, [&](std::string& f) { f[at(11, 231)] = '1'; }, "is not the sum for the state"},
      {"a K record dropped", &combined, [&](std::string& f) { f.erase(at(10, 1), kRecord); },
       "no K record for Combined Federal/State code 18"},
  };
  for (const auto& b : breaks) {
    SCOPED_TRACE(b.name);
    std::string file = *b.file;
    b.breakIt(file);
    const auto check = efile::Check1099File(file);
    ASSERT_FALSE(check.Ok());
    bool found = false;
    for (const auto& p : check.problems) found = found || p.find(b.says) != std::string::npos;
    EXPECT_TRUE(found) << ::testing::PrintToString(check.problems);
  }
}

}  // namespace
}  // namespace formet
