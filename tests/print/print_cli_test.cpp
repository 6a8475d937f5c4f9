// formet-cli print end to end: the program writes a PDF file and the texts
// are read back from it with their places.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "../forms/print_fixture.h"
#include "../forms/worst_case.h"
#include "pdf_support.h"
#include "store/company_database.h"
#include "store/global_doc.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::FindWord;
using test::PdfWords;
using test::Quoted;

// The company "Acme" with three employees and three contractors, each with
// a form, written through the company document.
class PrintCli : public ::testing::Test {
 protected:
  void SetUp() override { SaveCompany("Acme", 3, [](W2Record&) {}); }

  // A company with n employees and n contractors, each with a form (the W-2s
  // changed by `change`), written through the company document.
  template <class Change>
  void SaveCompany(const std::string& name, int n, Change change) {
    test::ScriptedUi ui;
    MemorySettingsStore settings;
    CGlobalDoc doc(ui, settings, dir.path());
    doc.BeginSession();
    ui.newCompany = NewCompanyEntry{name, ""};
    ASSERT_TRUE(doc.NewCompany());
    doc.GetCompany() = test::PrintCompany();
    doc.GetCompany().SetEmployerName(name);
    doc.AddPendingChange({ChangeKind::Company, ChangeOp::Update, -1, 1}, false);
    test::PrintPayroll payroll(n);
    const test::PrintContractors people(n);
    for (size_t i = 0; i < static_cast<size_t>(n); ++i) {
      change(payroll.forms[i]);
      doc.GetEmployees().push_back(payroll.employees[i]);
      doc.AddPendingChange({ChangeKind::Employee, ChangeOp::Insert, static_cast<int32_t>(i),
                            payroll.employees[i].EmployeeUniqueID}, false);
      doc.GetW2Forms().push_back(payroll.forms[i]);
      doc.AddPendingChange({ChangeKind::W2, ChangeOp::Insert, static_cast<int32_t>(i), payroll.forms[i].W2UniqueID},
                           false);
      doc.GetContractors().push_back(people.contractors[i]);
      doc.AddPendingChange({ChangeKind::Contractor, ChangeOp::Insert, static_cast<int32_t>(i),
                            people.contractors[i].ContractorUniqueID}, false);
      doc.GetForms1099().push_back(people.forms[i]);
      doc.AddPendingChange({ChangeKind::Form1099, ChangeOp::Insert, static_cast<int32_t>(i),
                            people.forms[i].Form1099UniqueID}, false);
    }
    if (n == 3) doc.GetForms1099()[2].SetStateIncome2("");  // one empty box
    doc.SetModified(true);
    ASSERT_EQ(doc.SaveChanges(), 0);
  }

  // The worst-case company under the name "Worst".
  void SaveWorstCase() {
    test::ScriptedUi ui;
    MemorySettingsStore settings;
    CGlobalDoc doc(ui, settings, dir.path());
    doc.BeginSession();
    ui.newCompany = NewCompanyEntry{"Worst", ""};
    ASSERT_TRUE(doc.NewCompany());
    const test::WorstCase k = test::MakeWorstCase();
    doc.GetCompany() = k.company;
    doc.AddPendingChange({ChangeKind::Company, ChangeOp::Update, -1, 1}, false);
    doc.GetEmployees() = k.employees;
    doc.GetW2Forms() = k.w2s;
    doc.GetContractors() = k.contractors;
    doc.GetForms1099() = k.forms1099;
    for (int32_t i = 0; i < 2; ++i) {
      doc.AddPendingChange({ChangeKind::Employee, ChangeOp::Insert, i, k.employees[i].EmployeeUniqueID}, false);
      doc.AddPendingChange({ChangeKind::W2, ChangeOp::Insert, i, k.w2s[i].W2UniqueID}, false);
      doc.AddPendingChange({ChangeKind::Contractor, ChangeOp::Insert, i, k.contractors[i].ContractorUniqueID}, false);
      doc.AddPendingChange({ChangeKind::Form1099, ChangeOp::Insert, i, k.forms1099[i].Form1099UniqueID}, false);
    }
    doc.SetModified(true);
    ASSERT_EQ(doc.SaveChanges(), 0);
  }

  // Runs formet-cli print with the arguments; the result's text is its
  // standard output, `err` its standard error.
  test::ToolResult Print(const std::string& arguments) {
    const auto errFile = dir / "stderr.txt";
    const auto r = test::RunTool(Quoted(fs::path(FORMET_BIN_DIR) / "formet-cli") + " --data-dir " +
                                 Quoted(dir.path()) + " print " + arguments + " 2>" + Quoted(errFile));
    err = test::ReadBytes(errFile);
    return r;
  }
  std::string Out(const std::string& name) { return Quoted(dir / name); }
  // Runs another formet-cli command.
  int Cli(const std::string& arguments) {
    return test::RunTool(Quoted(fs::path(FORMET_BIN_DIR) / "formet-cli") + " --data-dir " + Quoted(dir.path()) + " " +
                         arguments + " >/dev/null 2>&1")
        .code;
  }

  test::TempDir dir;
  std::string err;
};

TEST_F(PrintCli, RedInkW2sLandInTheBoxesOfTheForm) {
  auto r = Print("w2 Acme --all --out " + Out("w2.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(r.out, "Wrote 2 pages of Form W-2 to " + (dir / "w2.pdf").string() + "\n");
  auto words = PdfWords(dir / "w2.pdf");
  // Box 1 of the top form, a quarter inch in from the paper's corner.
  const auto* wages = FindWord(words, "1000.00");
  ASSERT_NE(wages, nullptr);
  EXPECT_NEAR(wages->xMin, 114.2 + 6.35, 0.2);
  EXPECT_NEAR(wages->yMin, 17.6 + 6.35, 0.4);
  ASSERT_NE(FindWord(words, "3000.00", 2), nullptr);
  EXPECT_NEAR(FindWord(words, "3000.00", 2)->yMin, wages->yMin, 0.1);

  // Offsets: 0.25 inch left, 0.10 inch down; margins of the user's choice.
  r = Print("w2 Acme --all --h-offset -0.25 --v-offset 0.10 --margins 5,8 --out " + Out("w2.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  words = PdfWords(dir / "w2.pdf");
  ASSERT_NE(FindWord(words, "1000.00"), nullptr);
  EXPECT_NEAR(FindWord(words, "1000.00")->xMin, 114.2 - 6.3 + 5, 0.2);
  EXPECT_NEAR(FindWord(words, "1000.00")->yMin, 17.6 + 2.5 + 8, 0.4);

  // The vertical space is checked as the dialog checks it.
  fs::remove(dir / "w2.pdf");
  r = Print("w2 Acme --all --v-space 1.80 --out " + Out("w2.pdf"));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(err, "formet-cli: Vertical space between top and bottom forms can\xE2\x80\x99t be greater than 1.75 inches\n");
  EXPECT_FALSE(fs::exists(dir / "w2.pdf"));
  r = Print("w2 Acme --all --v-space 1.50 --out " + Out("w2.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  words = PdfWords(dir / "w2.pdf");
  EXPECT_NEAR(FindWord(words, "2000.00")->yMin - FindWord(words, "1000.00")->yMin, 144.3, 0.1);
}

TEST_F(PrintCli, OneEmployeesCopyOnBlankPaper) {
  const auto r = Print("w2 Acme --ssn 123456782 --copy B --out " + Out("b.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(r.out, "Wrote 1 page of Form W-2 to " + (dir / "b.pdf").string() + "\n");
  const auto words = PdfWords(dir / "b.pdf");
  ASSERT_NE(FindWord(words, "2000.00"), nullptr);
  EXPECT_EQ(FindWord(words, "1000.00"), nullptr);
  EXPECT_NEAR(FindWord(words, "2000.00")->xMin, 115.5 + 6.35, 0.2);
  EXPECT_NEAR(FindWord(words, "2000.00")->yMin, 20.7 + 6.35, 0.4);
  ASSERT_NE(FindWord(words, "FEDERAL"), nullptr);  // Copy B's caption, on both forms of the sheet
  EXPECT_NEAR(FindWord(words, "FEDERAL")->yMin, 123.4 + 6.35, 0.5);
}

TEST_F(PrintCli, ContractorsWithEmptyBoxesAreAWarningOrAFailure) {
  auto r = Print("1099 Acme --all --out " + Out("misc.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  // The empty boxes first, then the problems of the forms printed (these
  // contractors' numbers are a digit short).
  const std::string shortTin = "formet-cli: warning: Error: 1099-MISC of Bolt Electric 1 (11-222331): The "
                               "identification number \"11-222331\" must have 9 digits (##-#######)\n";
  EXPECT_EQ(err.rfind("formet-cli: warning: One or more 1099 Forms contain empty fields(s), Do you wish to continue "
                      "in printing?\nformet-cli: warning: 3 of the forms to be printed have 3 errors:\n" + shortTin,
                      0),
            0u)
      << err;
  const auto words = PdfWords(dir / "misc.pdf");
  // Box 1 of the upper form: (1070, 240) + (-33, -70).
  ASSERT_NE(FindWord(words, "1500.00"), nullptr);
  EXPECT_NEAR(FindWord(words, "1500.00")->xMin, 103.7 + 6.35, 0.2);
  EXPECT_NEAR(FindWord(words, "1500.00")->yMin, 17.0 + 6.35, 0.4);
  EXPECT_NE(FindWord(words, "600.00", 2), nullptr);

  fs::remove(dir / "misc.pdf");
  r = Print("1099 Acme --all --stop-if-empty --out " + Out("misc.pdf"));
  EXPECT_EQ(r.code, 1);
  EXPECT_FALSE(fs::exists(dir / "misc.pdf"));
  // The first contractor's form is complete.
  r = Print("1099 Acme --tin 11-222331 --stop-if-empty --copy C --out " + Out("misc.pdf"));
  EXPECT_EQ(r.code, 0) << err;
  EXPECT_EQ(err, "formet-cli: warning: 1 of the forms to be printed has 1 error:\n" + shortTin);
}

TEST_F(PrintCli, TransmittalsPrintTheirTotals) {
  auto r = Print("w3 Acme --paper laser --out " + Out("w3.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_NE(FindWord(PdfWords(dir / "w3.pdf"), "6000.00"), nullptr);  // box 1: 1000 + 2000 + 3000
  r = Print("1096 Acme --paper copy --out " + Out("1096.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  const auto words = PdfWords(dir / "1096.pdf");
  ASSERT_NE(FindWord(words, "Acme"), nullptr);
  // Filer name at (170, 390) - 63 - 2.
  EXPECT_NEAR(FindWord(words, "Acme")->xMin, 17.0 + 6.35, 0.2);
  EXPECT_NEAR(FindWord(words, "Acme")->yMin, 32.5 + 6.35, 0.4);
}

// A company with one employee: --all prints that employee's W-2.
TEST_F(PrintCli, AllTheW2sOfACompanyWithOneEmployee) {
  SaveCompany("Solo", 1, [](W2Record&) {});
  const auto r = Print("w2 Solo --all --out " + Out("solo.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(r.out, "Wrote 1 page of Form W-2 to " + (dir / "solo.pdf").string() + "\n");
  EXPECT_EQ(err, "");
  EXPECT_NE(FindWord(PdfWords(dir / "solo.pdf"), "1000.00"), nullptr);
}

// A value too wide for its box even at 6 points: a warning naming the form,
// the box and what is printed, or with --stop-if-cut a failure and no file.
TEST_F(PrintCli, ValuesThatWouldBeCutAreWarningsOrAFailure) {
  SaveCompany("Wide", 2, [](W2Record& w) { w.SetField12aAmount("-999999999.99"); });
  auto r = Print("w2 Wide --all --copy 4-up --out " + Out("wide.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  const std::string cut1 = "Form W-2 of Ann Q Lee1 Jr (123-45-6781), box 12a amount: \"-999999999.99\" does not fit even "
                           "at 6 points and is printed as \"-999999999.9\"";
  const std::string cut2 = "Form W-2 of Ann Q Lee2 Jr (123-45-6782), box 12a amount: \"-999999999.99\" does not fit even "
                           "at 6 points and is printed as \"-999999999.9\"";
  EXPECT_NE(err.find("formet-cli: warning: " + cut1 + "\n"), std::string::npos) << err;
  EXPECT_NE(err.find("formet-cli: warning: " + cut2 + "\n"), std::string::npos) << err;
  EXPECT_NE(FindWord(PdfWords(dir / "wide.pdf"), "-999999999.9"), nullptr);

  fs::remove(dir / "wide.pdf");
  r = Print("w2 Wide --all --copy 4-up --stop-if-cut --out " + Out("wide.pdf"));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(err.find("formet-cli: " + cut1 + "\n"), std::string::npos) << err;
  EXPECT_NE(err.find("formet-cli: nothing was printed (--stop-if-cut)\n"), std::string::npos) << err;
  EXPECT_EQ(err.find("warning: Form W-2"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(dir / "wide.pdf"));
  // Where box 12 is wide enough, nothing is cut; the negative amounts are
  // still the forms' problems.
  r = Print("w2 Wide --all --copy B --stop-if-cut --out " + Out("wide.pdf"));
  EXPECT_EQ(r.code, 0) << err;
  EXPECT_EQ(err,
            "formet-cli: warning: 2 of the forms to be printed have 2 errors:\n"
            "formet-cli: warning: Error: W-2 of Lee1, Ann (123-45-6781): Box 12a is negative (-999999999.99); the file "
            "holds no negative amounts\n"
            "formet-cli: warning: Error: W-2 of Lee2, Ann (123-45-6782): Box 12a is negative (-999999999.99); the file "
            "holds no negative amounts\n");
}

// Every variant of the four forms for the worst-case company: nothing cut,
// a valid PDF whose texts are the records' (accents included). With
// FORMET_KEEP_PRINTS set to a folder, the files are kept there for a look.
TEST_F(PrintCli, EveryVariantOfTheWorstCasePrintsWhole) {
  SaveWorstCase();
  std::vector<std::pair<std::string, std::string>> variants = {
      {"w2-red-ink", "w2 Worst --all"}, {"w2-4up", "w2 Worst --all --copy 4-up"},
      {"w2-copy-a", "w2 Worst --all --paper laser"}, {"w3-red-ink", "w3 Worst"},
      {"w3-copy", "w3 Worst --paper copy"}, {"w3-laser", "w3 Worst --paper laser"},
      {"1099-red-ink", "1099 Worst --all"}, {"1096-red-ink", "1096 Worst"}, {"1096-copy", "1096 Worst --paper copy"},
      {"w2-reissued", "w2 Worst --reissued --ssn 123-45-6781"}};
  for (int copy = 1; copy <= 9; ++copy) variants.push_back({"w2-copy-" + std::to_string(copy), "w2 Worst --all --copy " + std::to_string(copy)});
  for (int copy = 0; copy <= 5; ++copy)
    variants.push_back({"1099-copy-" + std::to_string(copy), "1099 Worst --all --copy " + std::to_string(copy)});
  ASSERT_EQ(variants.size(), 25u);
  const char* keep = std::getenv("FORMET_KEEP_PRINTS");
  for (const auto& [name, arguments] : variants) {
    const fs::path pdf = keep ? fs::path(keep) / (name + ".pdf") : dir / (name + ".pdf");
    const auto r = Print(arguments + " --stop-if-cut --out " + test::Quoted(pdf));
    EXPECT_EQ(r.code, 0) << name << ": " << err;
    EXPECT_EQ(err.find("does not fit"), std::string::npos) << name << ": " << err;
    EXPECT_EQ(test::RunTool("qpdf --check " + test::Quoted(pdf) + " >/dev/null 2>&1").code, 0) << name;
  }
  const fs::path w2 = keep ? fs::path(keep) / "w2-red-ink.pdf" : dir / "w2-red-ink.pdf";
  EXPECT_NE(FindWord(PdfWords(w2), "Vandenberghe-M\xC3\xBCllers"), nullptr);
}

// A W-2 filed and then changed: its W-2c, one form a page, with the amount
// as filed under "Previously reported" and the new one beside it, on every
// copy; and the W-3c of it.
TEST_F(PrintCli, W2cAndW3cOfAChangeAfterFiling) {
  auto r = Print("w2c Acme --all --copy B --out " + Out("none.pdf"));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(err, "formet-cli: Acme has no W-2c; nothing was printed\n");
  EXPECT_FALSE(fs::exists(dir / "none.pdf"));

  ASSERT_EQ(Cli("mark-filed w2 Acme --on 2008-02-15"), 0);
  ASSERT_EQ(Cli("set-w2 Acme --ssn 123-45-6782 --box 1=2500 --box 16=700"), 0);
  ASSERT_EQ(Cli("set-w2 Acme --ssn 123-45-6783 --box 16=800"), 0);  // a state box only: not to the SSA

  r = Print("w2c Acme --all --copy B --out " + Out("b.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(r.out, "Wrote 2 pages of Form W-2c, Copy B to " + (dir / "b.pdf").string() + "\n");
  auto words = PdfWords(dir / "b.pdf");
  const auto* was = FindWord(words, "2000.00");
  const auto* is = FindWord(words, "2500.00");
  ASSERT_NE(was, nullptr);
  ASSERT_NE(is, nullptr);
  EXPECT_NEAR(was->yMin, is->yMin, 0.1);  // side by side, the correct column to the right
  EXPECT_GT(is->xMin, was->xMax);
  ASSERT_NE(FindWord(words, "700.00"), nullptr);
  ASSERT_NE(FindWord(words, "800.00", 2), nullptr);
  EXPECT_NE(FindWord(words, "FEDERAL"), nullptr);  // Copy B's caption
  EXPECT_NE(FindWord(words, "123-45-6782"), nullptr);

  // Copy A goes to the SSA: the state-only W-2c is left out, and said so.
  r = Print("w2c Acme --all --out " + Out("a.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(r.out, "Wrote 1 page of Form W-2c, Copy A (red-ink form) to " + (dir / "a.pdf").string() + "\n");
  EXPECT_NE(err.find("Lee3 corrects only state or local boxes"), std::string::npos) << err;
  words = PdfWords(dir / "a.pdf");
  EXPECT_NE(FindWord(words, "2500.00"), nullptr);
  EXPECT_EQ(FindWord(words, "Administration"), nullptr);  // data only on the red-ink form
  r = Print("w2c Acme --ssn 123456782 --paper laser --out " + Out("laser.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  words = PdfWords(dir / "laser.pdf");
  EXPECT_NE(FindWord(words, "2500.00"), nullptr);
  EXPECT_NE(FindWord(words, "Administration"), nullptr);  // Copy A's caption
  r = Print("w2c Acme --ssn 123456783 --paper laser --out " + Out("none.pdf"));
  EXPECT_EQ(r.code, 1);
  EXPECT_FALSE(fs::exists(dir / "none.pdf"));

  r = Print("w3c Acme --paper copy --out " + Out("w3c.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(r.out, "Wrote 1 page of Form W-3c to " + (dir / "w3c.pdf").string() + "\n");
  words = PdfWords(dir / "w3c.pdf");
  EXPECT_NE(FindWord(words, "2000.00"), nullptr);
  EXPECT_NE(FindWord(words, "2500.00"), nullptr);

  // Wrong arguments are refused before anything is written.
  for (const char* wrong : {"w2c Acme", "w2c Acme --all --copy E", "w3c Acme --all",
                            "w2c Acme --all --paper copy --h-offset 0.1", "w3c Acme --paper laser",
                            "w2c Acme --all --paper laser --copy B"}) {
    EXPECT_EQ(Print(std::string(wrong) + " --out " + Out("x.pdf")).code, 2) << wrong;
    EXPECT_FALSE(fs::exists(dir / "x.pdf")) << wrong;
  }
}

// An address changed after filing: no W-2c, and the reissued statement,
// Copies B, C and 2 of the W-2 now, each marked in the cell left of box a.
TEST_F(PrintCli, ReissuedStatementOfAnAddressChange) {
  ASSERT_EQ(Cli("mark-filed w2 Acme --on 2008-02-15"), 0);
  {  // the employee page's rules would leave the file so
    CompanyDatabase db;
    ASSERT_EQ(db.Open(dir / "Acme.qdt"), 0);
    ASSERT_EQ(db.Execute("UPDATE Employees SET Address1 = '9 New Road' WHERE SocialSecurityNumber = '123-45-6782';"),
              0);
  }
  auto r = Print("w2c Acme --all --copy B --out " + Out("none.pdf"));
  EXPECT_EQ(r.code, 1);  // an address alone makes no W-2c

  r = Print("w2 Acme --reissued --ssn 123456782 --stop-if-cut --out " + Out("reissued.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(r.out, "Wrote 3 pages of Form W-2 (Copies B, C and 2), marked REISSUED STATEMENT, to " +
                       (dir / "reissued.pdf").string() + "\n");
  const auto words = PdfWords(dir / "reissued.pdf");
  const char* captions[] = {"FEDERAL", "RECORDS", "Income"};
  for (int page = 1; page <= 3; ++page) {
    const auto* mark = FindWord(words, "REISSUED", page);
    const auto* ssn = FindWord(words, "123-45-6782", page);
    ASSERT_NE(mark, nullptr) << page;
    ASSERT_NE(ssn, nullptr) << page;
    EXPECT_NE(FindWord(words, "STATEMENT", page), nullptr) << page;
    EXPECT_LT(mark->xMax, ssn->xMin) << page;  // left of box a, on its row
    EXPECT_NEAR(mark->yMin, ssn->yMin, 6) << page;
    EXPECT_NE(FindWord(words, "New", page), nullptr) << page;  // the address now
    EXPECT_NE(FindWord(words, captions[page - 1], page), nullptr) << page;
  }
  EXPECT_EQ(FindWord(words, "REISSUED", 4), nullptr);

  for (const char* wrong : {"w2 Acme --reissued", "w2 Acme --reissued --ssn 123456782 --all",
                            "w2 Acme --reissued --ssn 123456782 --copy B"}) {
    EXPECT_EQ(Print(std::string(wrong) + " --out " + Out("x.pdf")).code, 2) << wrong;
    EXPECT_FALSE(fs::exists(dir / "x.pdf")) << wrong;
  }
  EXPECT_EQ(Print("w2 Acme --reissued --ssn 999-99-9999 --out " + Out("x.pdf")).code, 1);
  EXPECT_FALSE(fs::exists(dir / "x.pdf"));
}

// The W-3c's own explanation: printed in its box, smaller when long, and
// cut (said, and refused with --stop-if-cut) when even the smallest size
// cannot hold it.
TEST_F(PrintCli, W3cExplanationPrintedSmallerThenCut) {
  ASSERT_EQ(Cli("mark-filed w2 Acme --on 2008-02-15"), 0);
  ASSERT_EQ(Cli("set-w2 Acme --ssn 123-45-6782 --box 1=1500"), 0);
  ASSERT_EQ(Cli("set-w3c Acme --explain \"Box 1 overstated: bonus paid in 2008.\""), 0);
  auto r = Print("w3c Acme --paper copy --stop-if-cut --out " + Out("w3c.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  auto words = PdfWords(dir / "w3c.pdf");
  const auto* overstated = FindWord(words, "overstated:");
  ASSERT_NE(overstated, nullptr);
  EXPECT_EQ(FindWord(words, "decreased"), nullptr);  // the user's text, not the computed one

  std::string longer;
  for (int i = 0; i < 14; ++i) longer += "Box 1 of employee " + std::to_string(i) + " was overstated by a bonus. ";
  ASSERT_EQ(Cli("set-w3c Acme --explain \"" + longer + "\""), 0);
  r = Print("w3c Acme --paper copy --stop-if-cut --out " + Out("smaller.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_NE(err.find("printed smaller"), std::string::npos) << err;
  words = PdfWords(dir / "smaller.pdf");
  ASSERT_NE(FindWord(words, "13"), nullptr);  // the last sentence is there
  EXPECT_LT(FindWord(words, "overstated")->yMax - FindWord(words, "overstated")->yMin,
            overstated->yMax - overstated->yMin);

  std::string longest;
  while (longest.size() + 60 < 1000) longest += "Box 1 was overstated by a bonus paid in January 2008. ";
  ASSERT_EQ(Cli("set-w3c Acme --explain \"" + longest + "\""), 0);
  r = Print("w3c Acme --paper copy --stop-if-cut --out " + Out("cut.pdf"));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(err.find("Explain decreases here"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(dir / "cut.pdf"));
  r = Print("w3c Acme --paper copy --out " + Out("cut.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_NE(err.find("warning:"), std::string::npos) << err;
}

TEST_F(PrintCli, AlignmentPageAndTheOutline) {
  // One form of sample data, moved by the offsets, with its instructions.
  auto r = Print("w2 Acme --alignment-page --h-offset 0.10 --v-offset -0.05 --out " + Out("align.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(r.out, "Wrote the alignment page of Form W-2 to " + (dir / "align.pdf").string() + "\n");
  auto words = PdfWords(dir / "align.pdf");
  EXPECT_EQ(FindWord(words, "1000.00"), nullptr);  // not the company's forms
  ASSERT_NE(FindWord(words, "11111.11"), nullptr);
  // Box 1 of the red-ink layout, 2.5 mm right and 1.2 mm up.
  EXPECT_NEAR(FindWord(words, "11111.11")->xMin, 114.2 + 2.5 + 6.35, 0.2);
  EXPECT_NEAR(FindWord(words, "11111.11")->yMin, 17.6 - 1.2 + 6.35, 0.4);
  EXPECT_NE(FindWord(words, "Alignment"), nullptr);
  EXPECT_EQ(FindWord(words, "Alignment", 2), nullptr);  // one page

  // The company's forms with the 2007 form behind them, marked in the
  // margin; the data where they print without it.
  r = Print("w2 Acme --all --show-outline --out " + Out("outline.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(r.out, "Wrote 2 pages of Form W-2 with the form's outline to " + (dir / "outline.pdf").string() + "\n");
  words = PdfWords(dir / "outline.pdf");
  ASSERT_NE(FindWord(words, "FILING"), nullptr);
  EXPECT_LT(FindWord(words, "FILING")->yMax, 6.35);  // in the top margin
  EXPECT_NE(FindWord(words, "Wages,"), nullptr);     // box 1's label
  ASSERT_NE(FindWord(words, "1000.00"), nullptr);
  EXPECT_NEAR(FindWord(words, "1000.00")->xMin, 114.2 + 6.35, 0.2);
  EXPECT_NE(FindWord(words, "FILING", 2), nullptr);  // on every page
  // Without the option, neither.
  r = Print("w2 Acme --all --out " + Out("plain.pdf"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(FindWord(PdfWords(dir / "plain.pdf"), "FILING"), nullptr);
  EXPECT_EQ(FindWord(PdfWords(dir / "plain.pdf"), "Wages,"), nullptr);
}

TEST_F(PrintCli, WrongArgumentsAreRefused) {
  struct Case {
    const char* arguments;
    int code;
    const char* message;
  };
  for (const Case& c : {
           Case{"w2 Acme --out x.pdf", 2, "needs either --all or --ssn"},
           Case{"w2 Acme --all --ssn 1 --out x.pdf", 2, "needs either --all or --ssn"},
           Case{"w2 Acme --all", 2, "needs --out FILE.pdf"},
           Case{"w2 Acme --all --copy Z --out x.pdf", 2, "is none of these copies"},
           Case{"w2 Acme --all --paper laser --copy B --out x.pdf", 2, "--copy goes with --paper copy"},
           Case{"1096 Acme --paper laser --out x.pdf", 2, "--paper is red-ink, copy for print 1096"},
           Case{"w3 Acme --all --out x.pdf", 2, "--all does not apply to print w3"},
           Case{"w2 Acme --all --h-offset 0.255 --out x.pdf", 2, "--h-offset takes inches"},
           Case{"w2 Acme --all --v-space -1 --out x.pdf", 2, "--v-space takes inches"},
           Case{"w2 Acme --all --margins 60,5 --out x.pdf", 2, "--margins takes"},
           Case{"w2 Acme --ssn 999-99-9999 --out x.pdf", 1, "no employee of Acme has"},
           Case{"w4 Acme --all --out x.pdf", 2, "knows the forms w2, w3, 1099, 1096, w2c and w3c"},
           Case{"w2 Nobody --all --out x.pdf", 1, "there is no company"},
           Case{"w2 Acme --alignment-page --all --out x.pdf", 2, "one form of sample data; leave out --all"},
           Case{"1099 Acme --alignment-page --tin 11-222331 --out x.pdf", 2, "leave out --tin"},
           Case{"1099 Acme --alignment-page --paper copy --out x.pdf", 2,
                "--alignment-page is for the pre-printed red-ink form"},
           Case{"w3 Acme --show-outline --paper laser --out x.pdf", 2, "--show-outline is for the pre-printed red-ink form"},
           Case{"1096 Nobody --alignment-page --out x.pdf", 1, "there is no company"},
       }) {
    const auto r = Print(c.arguments);
    EXPECT_EQ(r.code, c.code) << c.arguments;
    EXPECT_NE(err.find(c.message), std::string::npos) << c.arguments << ": " << err;
  }
}

// The files of a folder, by name.
std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The number of pages pdfinfo reads, opening the file with `password`.
int PdfPages(const fs::path& pdf, const std::string& password = "") {
  const auto r = test::RunTool("pdfinfo " + (password.empty() ? "" : "-upw " + Quoted(password) + " ") +
                               Quoted(pdf) + " 2>/dev/null");
  const size_t at = r.out.find("Pages:");
  return r.code == 0 && at != std::string::npos ? std::stoi(r.out.substr(at + 6)) : -1;
}

TEST_F(PrintCli, OneFileForEachEmployeeWithTheCopiesTheEmployeeGets) {
  const fs::path folder = dir / "copies";
  fs::create_directory(folder);
  const auto r = Print("w2 Acme --all --per-recipient " + Quoted(folder));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(err, "");
  const std::vector<std::string> names{"Acme - W-2 2007 - Lee1, Ann - 6781.pdf", "Acme - W-2 2007 - Lee2, Ann - 6782.pdf",
                                       "Acme - W-2 2007 - Lee3, Ann - 6783.pdf"};
  ASSERT_EQ(FilesIn(folder), names);
  std::string listed;
  for (const auto& name : names) listed += (folder / name).string() + "\n";
  EXPECT_EQ(r.out, listed + "Wrote 3 files of Form W-2 (18 pages) to " + folder.string() + "\n");

  // Copies B, C and 2 of the second employee alone, each before its back.
  const fs::path second = folder / names[1];
  EXPECT_EQ(PdfPages(second), 6);
  const auto words = PdfWords(second);
  for (int page : {1, 3, 5}) {
    EXPECT_NE(FindWord(words, "2000.00", page), nullptr) << page;
    EXPECT_EQ(FindWord(words, "1000.00", page), nullptr) << page;
  }
  EXPECT_NE(FindWord(words, "FEDERAL", 1), nullptr);  // Copy B's caption
  EXPECT_NE(FindWord(words, "RECORDS", 3), nullptr);  // Copy C's
  EXPECT_EQ(FindWord(words, "2000.00", 2), nullptr);  // a back holds no data
  EXPECT_EQ(test::RunTool("qpdf --show-encryption " + Quoted(second)).out, "File is not encrypted\n");

  // One chosen copy with its back; the 4-Up sheet has its note.
  fs::remove_all(folder);
  fs::create_directory(folder);
  auto again = Print("w2 Acme --all --copy 4-up --per-recipient " + Quoted(folder));
  ASSERT_EQ(again.code, 0) << err;
  EXPECT_NE(err.find("note: To order 4-Up Blank Sheets"), std::string::npos) << err;
  EXPECT_EQ(PdfPages(folder / names[0]), 4);
  again = Print("w2 Acme --all --copy D --per-recipient " + Quoted(folder));
  ASSERT_EQ(again.code, 0) << err;
  EXPECT_EQ(PdfPages(folder / names[0]), 2);
}

TEST_F(PrintCli, EncryptedFilesOpenWithTheirPasswordOnly) {
  const fs::path folder = dir / "copies";
  fs::create_directory(folder);
  auto r = Print("w2 Acme --all --per-recipient " + Quoted(folder) + " --encrypt");
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_NE(r.out.find("Wrote 3 files of Form W-2 (18 pages), each protected with its password, to"),
            std::string::npos) << r.out;
  // The last four digits of the SSN, then the ZIP code.
  const fs::path file = folder / "Acme - W-2 2007 - Lee2, Ann - 6782.pdf";
  const auto shown = test::RunTool("qpdf --show-encryption --password=678202101 " + Quoted(file));
  EXPECT_EQ(shown.code, 0);
  EXPECT_NE(shown.out.find("R = 6"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("stream encryption method: AESv3"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("file encryption method: AESv3"), std::string::npos) << shown.out;
  EXPECT_EQ(PdfPages(file, "678202101"), 6);
  EXPECT_EQ(PdfPages(file), -1);
  EXPECT_EQ(PdfPages(file, "678102101"), -1);  // another employee's password
  EXPECT_NE(test::RunTool("qpdf --check " + Quoted(file) + " 2>&1").code, 0);
  // Opened, it is the employee's copy.
  ASSERT_EQ(test::RunTool("qpdf --password=678202101 --decrypt " + Quoted(file) + " " + Out("open.pdf")).code, 0);
  EXPECT_NE(FindWord(PdfWords(dir / "open.pdf"), "2000.00"), nullptr);

  // Passwords of the user's own, from a CSV file (semicolons here),
  // matched by the digits of the SSN.
  test::WriteBytes(dir / "pw.csv", "Name;SSN;Password\nAnn;123456781;alpha one\nBo;123-45-6782;b\xC3\xA9ta\n"
                                    "Cy;123 45 6783;gamma\n");
  r = Print("w2 Acme --all --per-recipient " + Quoted(folder) + " --encrypt --passwords " + Out("pw.csv"));
  ASSERT_EQ(r.code, 0) << err;
  EXPECT_EQ(PdfPages(file, "b\xC3\xA9ta"), 6);
  EXPECT_EQ(PdfPages(file, "678202101"), -1);
  EXPECT_EQ(PdfPages(folder / "Acme - W-2 2007 - Lee1, Ann - 6781.pdf", "alpha one"), 6);

  // A payee the file gives no password: nothing is written.
  fs::remove_all(folder);
  fs::create_directory(folder);
  test::WriteBytes(dir / "pw.csv", "TIN,Code\n123456781,one\n123456783,three\n");
  r = Print("w2 Acme --all --per-recipient " + Quoted(folder) + " --encrypt --passwords " + Out("pw.csv") +
            " --password-column code");
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(err, "formet-cli: The employee Lee2, Ann (SSN 123-45-6782) has no password in the password file.\n"
                 "formet-cli: nothing was written\n");
  EXPECT_TRUE(FilesIn(folder).empty());
  r = Print("w2 Acme --all --per-recipient " + Quoted(folder) + " --encrypt --passwords " + Out("pw.csv"));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(err, "formet-cli: The password file has no column named \"Password\".\n");
  EXPECT_TRUE(FilesIn(folder).empty());
}

TEST_F(PrintCli, OneFileForEachRecipientWithCopyBAndItsBack) {
  const fs::path folder = dir / "copies";
  fs::create_directory(folder);
  auto r = Print("1099 Acme --all --per-recipient " + Quoted(folder) + " --encrypt");
  ASSERT_EQ(r.code, 0) << err;
  // The question of a print of every form, then the problems of the forms
  // (these contractors' numbers are a digit short), as warnings.
  EXPECT_EQ(err.rfind("formet-cli: warning: One or more 1099 Forms contain empty fields(s), Do you wish to continue "
                      "in printing?\nformet-cli: warning: 3 of the forms to be printed have 3 errors:\n"
                      "formet-cli: warning: Error: 1099-MISC of Bolt Electric 1 (11-222331): The identification "
                      "number \"11-222331\" must have 9 digits (##-#######)\n",
                      0),
            0u)
      << err;
  ASSERT_EQ(FilesIn(folder).size(), 3u);
  const fs::path file = folder / "Acme - 1099-MISC 2007 - Bolt Electric 2 - 2332.pdf";
  EXPECT_EQ(PdfPages(file, "233212201"), 2);
  ASSERT_EQ(test::RunTool("qpdf --password=233212201 --decrypt " + Quoted(file) + " " + Out("open.pdf")).code, 0);
  const auto words = PdfWords(dir / "open.pdf");
  EXPECT_NE(FindWord(words, "400.00"), nullptr);  // box 7 of the second contractor
  EXPECT_EQ(FindWord(words, "200.00"), nullptr);
  EXPECT_NE(FindWord(words, "Recipient"), nullptr);

  fs::remove_all(folder);
  fs::create_directory(folder);
  r = Print("1099 Acme --all --per-recipient " + Quoted(folder) + " --stop-if-empty");
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(FilesIn(folder).empty());
}

TEST_F(PrintCli, WrongArgumentsOfPerRecipientFilesAreRefused) {
  fs::create_directory(dir / "copies");
  const std::string to = " --per-recipient " + Quoted(dir / "copies");
  struct Case {
    std::string arguments;
    int code;
    const char* message;
  };
  for (const Case& c : {
           Case{"w2 Acme" + to, 2, "--per-recipient writes a file for every employee; give --all"},
           Case{"1099 Acme --tin 11-222331" + to, 2, "writes a file for every contractor; give --all"},
           Case{"w2 Acme --all --paper red-ink" + to, 2, "leave out --paper or give --paper copy"},
           Case{"w2 Acme --all --out x.pdf" + to, 2, "leave out --out"},
           Case{"w2 Acme --all --copy 6" + to, 2, "\"Instructions for Copy B\" is not one of them"},
           Case{"1099 Acme --all --copy 5" + to, 2, "\"Instructions for Copy C\" is not one of them"},
           Case{"w2 Acme --all --encrypt --out x.pdf", 2, "--encrypt goes with --per-recipient"},
           Case{"w2 Acme --all --passwords p.csv" + to, 2, "--passwords goes with --encrypt"},
           Case{"w2 Acme --all --encrypt --password-column P" + to, 2, "--password-column goes with --passwords"},
           Case{"w3 Acme" + to, 2, "--per-recipient does not apply to print w3"},
           Case{"w2 Acme --all --per-recipient " + Quoted(dir / "none"), 1, "which is not there"},
           Case{"w2 Acme --all --encrypt --passwords " + Quoted(dir / "none.csv") + to, 1,
                "none.csv cannot be read"},
       }) {
    const auto r = Print(c.arguments);
    EXPECT_EQ(r.code, c.code) << c.arguments;
    EXPECT_NE(err.find(c.message), std::string::npos) << c.arguments << ": " << err;
  }
  EXPECT_TRUE(FilesIn(dir / "copies").empty());
}

}  // namespace
}  // namespace formet
