// formet-cli print end to end: the program writes a PDF file and the texts
// are read back from it with their places.
#include <gtest/gtest.h>

#include <filesystem>

#include "../forms/print_fixture.h"
#include "pdf_support.h"
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
  void SetUp() override {
    test::ScriptedUi ui;
    MemorySettingsStore settings;
    CGlobalDoc doc(ui, settings, dir.path());
    doc.BeginSession();
    ui.newCompany = NewCompanyEntry{"Acme", ""};
    ASSERT_TRUE(doc.NewCompany());
    doc.GetCompany() = test::PrintCompany();
    doc.GetCompany().EmployerName = "Acme";
    doc.AddPendingChange({ChangeKind::Company, ChangeOp::Update, -1, 1}, false);
    const test::PrintPayroll payroll(3);
    const test::PrintContractors people(3);
    for (size_t i = 0; i < 3; ++i) {
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
    doc.GetForms1099()[2].StateIncome2 = "";  // one empty box
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
  EXPECT_EQ(err, "formet-cli: warning: One or more 1099 Forms contain empty fields(s), Do you wish to continue "
                 "in printing?\n");
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
  EXPECT_EQ(err, "");
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
           Case{"w4 Acme --all --out x.pdf", 2, "knows the forms w2, w3, 1099 and 1096"},
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

}  // namespace
}  // namespace formet
