// formet-cli review on a copy of the Sample Company: clean as shipped (but
// for what its data means to show), and every problem planted in it
// reported on its own line naming the payee's number, with exit code 1.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "../efiling/sample_copy.h"
#include "cli_runner.h"
#include "store/company_database.h"

namespace formet {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// The one remark of the Sample Company as shipped: the colon of its
// contractor's "Attn: Leasing Office", which the 1099-MISC file cannot carry.
constexpr const char* kSampleRemark =
    "Warning: 1099-MISC of Prairie Properties Inc (37-1190456): Name line two \"Attn: Leasing Office\"";

TEST(CliReview, TheSampleCompanyHasNoErrorAndOneRemark) {
  test::SampleCompanyCopy sample;
  const auto r = test::RunCli(sample.Folder(), {"review", "Sample Company"});
  EXPECT_EQ(r.code, 0) << r.out << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u) << r.out;
  EXPECT_EQ(lines[0].rfind(kSampleRemark, 0), 0u) << lines[0];
  EXPECT_EQ(lines[1], "7 forms: 6 complete, 1 with warnings, 0 with errors");
}

TEST(CliReview, EveryPlantedProblemIsReportedWithThePayeesNumber) {
  test::SampleCompanyCopy sample;
  {
    CompanyDatabase db;
    ASSERT_EQ(db.Open(sample.File()), 0);
    std::vector<EmployeeRecord> employees;
    std::vector<W2Record> w2s;
    std::vector<Form1099Record> forms;
    ASSERT_EQ(db.ReadEmployees(employees), 0);
    ASSERT_EQ(db.ReadW2Forms(w2s), 0);
    std::vector<ContractorRecord> contractors;
    ASSERT_EQ(db.ReadContractors(contractors), 0);
    ASSERT_EQ(db.ReadForms1099(forms, contractors), 0);
    ASSERT_EQ(employees.size(), 4u);
    ASSERT_EQ(w2s.size(), 4u);
    const auto w2Of = [&](const std::string& ssn) -> W2Record& {
      for (const auto& e : employees)
        if (e.SocialSecurityNumber() == ssn)
          for (auto& w : w2s)
            if (w.EmployeeUniqueID == e.EmployeeUniqueID) return w;
      ADD_FAILURE() << ssn;
      return w2s[0];
    };
    W2Record& maria = w2Of("412-55-1001");
    maria.SetField12bCode("");
    maria.SetField12bAmount("25.00");
    ASSERT_EQ(db.UpdateW2(maria), 0);
    W2Record& james = w2Of("412-55-1002");
    james.SetMedicareTaxWithheld("910.00");
    ASSERT_EQ(db.UpdateW2(james), 0);
    for (auto& e : employees) {
      if (e.SocialSecurityNumber() == "412-55-1003") e.SetZip("");
      if (e.SocialSecurityNumber() == "412-55-1004") e.SetSocialSecurityNumber("412-00-1004");
      ASSERT_EQ(db.UpdateEmployee(e, e.EmployeeUniqueID), 0);
    }
    EmployeeRecord nora = employees[0];
    nora.EmployeeUniqueID = 99;
    nora.SetSocialSecurityNumber("412-55-1099");
    nora.SetFirstName("Nora");
    nora.SetLastName("Hale");
    ASSERT_EQ(db.InsertEmployee(nora, 99), 0);
    for (const auto& c : contractors) {
      if (c.IdentificationNumber() != "345-67-8901") continue;
      for (const auto& f : forms) {
        if (f.ContractorUniqueID == c.ContractorUniqueID) {
          ASSERT_EQ(db.DeleteForm1099(f.Form1099UniqueID), 0);
        }
      }
    }
  }

  const auto r = test::RunCli(sample.Folder(), {"review", "Sample Company"});
  EXPECT_EQ(r.code, 1) << r.out << r.err;
  const char* planted[] = {
      "Error: W-2 of Gonzalez, Maria (412-55-1001): Box 12b has an amount but no code",
      "Warning: W-2 of O'Connor, James (412-55-1002): Box 6 (Medicare tax withheld) $910.00 is not 1.45 % of box 5",
      "Warning: W-2 of Patel, Aisha (412-55-1003): The address has no ZIP code",
      "Error: W-2 of Chen, Robert (412-00-1004): The social security number \"412-00-1004\" is not a valid number",
      "Warning: W-2 of Hale, Nora (412-55-1099): The employee has no W-2",
      "Warning: 1099-MISC of Daniel  Reyes (345-67-8901): The contractor has no 1099-MISC",
      kSampleRemark,
  };
  const auto lines = Lines(r.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "8 forms: 1 complete, 5 with warnings, 2 with errors");
  std::vector<bool> found(std::size(planted), false);
  for (size_t l = 0; l + 1 < lines.size(); ++l) {
    bool known = false;
    for (size_t p = 0; p < std::size(planted); ++p)
      if (lines[l].rfind(planted[p], 0) == 0) known = found[p] = true;
    EXPECT_TRUE(known) << "not planted: " << lines[l];
  }
  for (size_t p = 0; p < std::size(planted); ++p) EXPECT_TRUE(found[p]) << "not reported: " << planted[p];

  // The same as JSON: every form with its status and problems.
  const auto json = test::RunCli(sample.Folder(), {"review", "Sample Company", "--json"});
  EXPECT_EQ(json.code, 1);
  const QJsonObject all = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
  const QJsonArray rows = all["forms"].toArray();
  ASSERT_EQ(rows.size(), 8);
  EXPECT_EQ(all["errors"].toInt(), 2);
  EXPECT_EQ(all["warnings"].toInt(), 5);
  int maria = -1;
  for (int i = 0; i < rows.size(); ++i)
    if (rows[i].toObject()["number"].toString() == "412-55-1001") maria = i;
  ASSERT_GE(maria, 0);
  const QJsonObject row = rows[maria].toObject();
  EXPECT_EQ(row["form"].toString(), "W-2");
  EXPECT_EQ(row["status"].toString(), "error");
  EXPECT_EQ(row["boxes"].toObject()["1"].toString(), "48250.00");
  const QJsonArray problems = row["problems"].toArray();
  ASSERT_EQ(problems.size(), 1);
  EXPECT_EQ(problems[0].toObject()["severity"].toString(), "error");
  EXPECT_EQ(problems[0].toObject()["text"].toString(), "Box 12b has an amount but no code");

  const auto wrong = test::RunCli(sample.Folder(), {"review", "Sample Company", "--xml"});
  EXPECT_EQ(wrong.code, 2);
}

}  // namespace
}  // namespace formet
