// The access layer: statement texts, row readers and their special rules.
#include "store/company_database.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace formet {
namespace {

using test::TempDir;

class CompanyDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(db.Open(dir / "Test.qdt", OpenMode::Create), 0);
    ASSERT_EQ(db.CreateTables(), 0);
  }
  // Runs raw SQL on the company file, for arranging stored values.
  void Sql(const std::string& sql) { ASSERT_EQ(db.Execute(sql), 0) << sql; }

  TempDir dir;
  CompanyDatabase db;
};

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }
bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST_F(CompanyDatabaseTest, StatementsSpelledOutInFull) {
  EmployeeRecord e;
  ASSERT_EQ(db.UpdateEmployee(e, 7), 0);
  EXPECT_EQ(db.Statement(),
            "UPDATE Employees SET SocialSecurityNumber ='',FirstName='',MiddleName='',LastName='',Address1='',"
            "Address2='',City='',State='',Zip='',Suffix='',ExtraText1='',ExtraText2='',ExtraText3='' WHERE "
            "EmployeeUniqueID=7;");
  ASSERT_EQ(db.InsertEmployee(e, 7), 0);
  EXPECT_EQ(db.Statement(), "INSERT INTO Employees VALUES('7',1,'','','','','','','','','','','','','');");
  ASSERT_EQ(db.DeleteEmployee(7), 0);
  EXPECT_EQ(db.Statement(), "DELETE FROM Employees WHERE EmployeeUniqueID = 7");

  ContractorRecord c;
  c.SecondTIN = 1;
  c.SetGeneralInformation("not written");
  ASSERT_EQ(db.UpdateContractor(c, 3), 0);
  EXPECT_EQ(db.Statement(),
            "UPDATE Contractors SET IdentificationNumber ='',FirstName='',MiddleName='',LastName='',Address1='',"
            "Address2='',City='',State='',Zip='',AccountNumber='',GeneralInformation='',SecondTIN=1,TypeOfTIN='',"
            "NameLine1='',NameLine2='',ExtraText1='',ExtraText2='',ExtraText3='' WHERE ContractorUniqueID=3;");
  ASSERT_EQ(db.InsertContractor(c, 3), 0);
  EXPECT_EQ(db.Statement(),
            "INSERT INTO Contractors VALUES('3',1,'','','','','','','','','','','','1','','','','','','');");

  Form1099Record f;
  f.ContractorUniqueID = 3;
  f.PayerMadeDirectSales = 1;
  f.SetGenearlInformation("not written");
  ASSERT_EQ(db.InsertForm1099(f, 9), 0);
  EXPECT_EQ(db.Statement(),
            "INSERT INTO Form1099 VALUES('9','3','','','','','','','','','1','','','','','','','','','','','','','',"
            "'','' );");

  ASSERT_EQ(db.AddColumn("Company", "IsAgent", true, 21), 1);  // the column exists already
  EXPECT_EQ(db.Statement(), "ALTER TABLE Company ADD COLUMN IsAgent NVARCHAR(21)");
  db.AddColumn("Company", "Flag", false, 0);
  EXPECT_EQ(db.Statement(), "ALTER TABLE Company ADD COLUMN Flag INTEGER");
  ASSERT_EQ(db.UpdateVersion("3"), 0);
  EXPECT_EQ(db.Statement(), "UPDATE Version SET FormetVersion ='3' ;");
}

TEST_F(CompanyDatabaseTest, StatementBeginningsAndEnds) {
  struct Case {
    std::function<int()> run;
    std::string begins, ends;
  };
  W2Record w;
  w.W2UniqueID = 4;
  w.EmployeeUniqueID = 2;
  Form1099Record f;
  f.Form1099UniqueID = 5;
  const Case cases[] = {
      {[&] { return db.UpdateW2(w); }, "UPDATE W2 SET Wages ='',FederalIncomeTaxWithdrawal='',",
       "ExtraText3=''  WHERE W2UniqueID=4;"},
      {[&] { return db.InsertW2(w, 4); }, "INSERT INTO W2 VALUES('4','2',", "'' );"},
      {[&] { return db.UpdateForm1099(f); }, "UPDATE Form1099 SET Rents ='',Royalities ='',",
       "WHERE Form1099UniqueID =5;"},
      {[&] { return db.UpdateCompany(CompanyRecord{}); },
       "UPDATE Company SET EmployerIdentificationNumber ='',EmployerName='',", "ExtraText3='' ;"},
      {[&] { return db.InsertCompany(CompanyRecord{}, 1); }, "INSERT INTO Company VALUES('1','',", "'' );"},
      {[&] { return db.UpdateTransmitter(TransmitterRecord{}); },
       "UPDATE EFiling_1099_Transmitter SET TransmitterTIN ='',", "FileTypeOriginal ='0',FileTypeReplacement ='0' ;"},
      {[&] { return db.InsertTransmitter(TransmitterRecord{}, 1); },
       "INSERT INTO EFiling_1099_Transmitter VALUES('1',", ",'0','0' );"},
      {[&] { return db.UpdateSubmitter(SubmitterRecord{}); }, "UPDATE EFiling_W2_Submitter SET SubmitterEIN ='',",
       "PreparerCode ='' ;"},
      {[&] { return db.InsertSubmitter(SubmitterRecord{}, 1); }, "INSERT INTO EFiling_W2_Submitter VALUES('1',",
       "'' );"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.run(), 0) << db.Statement();
    EXPECT_TRUE(StartsWith(db.Statement(), c.begins)) << db.Statement();
    EXPECT_TRUE(EndsWith(db.Statement(), c.ends)) << db.Statement();
  }
  // The 1099-MISC update names the boxes 15 before the payer state ids.
  ASSERT_EQ(db.UpdateForm1099(f), 0);
  EXPECT_NE(db.Statement().find("StateTaxWithheld2 ='',Field15A ='',Field15B ='',PayerStateID1 =''"),
            std::string::npos);
}

TEST_F(CompanyDatabaseTest, SelectStatements) {
  EXPECT_TRUE(StartsWith(CompanyDatabase::SelectStatement<CompanyRecord>(),
                         "SELECT Company.EmployerIdentificationNumber,Company.EmployerName,Company.Address1,"
                         "Company.Address2,Company.StateID,Company.City,Company.State,Company.Zip,"
                         "Company.SocialSecurityNumber,"));
  EXPECT_TRUE(EndsWith(CompanyDatabase::SelectStatement<CompanyRecord>(), "Company.ExtraText3 FROM Company"));
  EXPECT_TRUE(StartsWith(CompanyDatabase::SelectStatement<EmployeeRecord>(),
                         "SELECT EmployeeUniqueID,Employees.SocialSecurityNumber,"));
  EXPECT_TRUE(StartsWith(CompanyDatabase::SelectStatement<ContractorRecord>(),
                         "SELECT Contractors.ContractorUniqueID,Contractors.IdentificationNumber,"));
  EXPECT_TRUE(StartsWith(CompanyDatabase::SelectStatement<W3Record>(),
                         "SELECT W3.State1,W3.State2,W3.StateID1,W3.StateID2,W3.Wages,"));
  EXPECT_EQ(CompanyDatabase::SelectStatement<Form1096Record>(),
            "SELECT Form1096.TotalNumberOfForms,Form1096.FederalIncomeTaxWithHeld,"
            "Form1096.TotalAmountReportedWithThisForm,Form1096.FinalReturn,Form1096.TypeOfFormBeingFiled,"
            "Form1096.ExtraText1,Form1096.ExtraText2,Form1096.ExtraText3 FROM Form1096");
  EXPECT_TRUE(StartsWith(CompanyDatabase::SelectStatement<TransmitterRecord>(),
                         "SELECT EFiling_1099_Transmitter.TransmitterTIN,"));
  EXPECT_TRUE(EndsWith(CompanyDatabase::SelectStatement<TransmitterRecord>(),
                       "EFiling_1099_Transmitter.FileTypeReplacement FROM EFiling_1099_Transmitter"));
  EXPECT_TRUE(EndsWith(CompanyDatabase::SelectStatement<SubmitterRecord>(),
                       "EFiling_W2_Submitter.PreparerCode FROM EFiling_W2_Submitter"));
}

TEST_F(CompanyDatabaseTest, ApostrophesStoreAndReadBackInEveryTable) {
  CompanyRecord company;
  company.SetEmployerName("O'Brien Plumbing");
  company.SetFormW3ContactName("Patrick O'Brien");
  company.SetAddress1("'; DROP TABLE W2; --");
  ASSERT_EQ(db.InsertCompany(company, 1), 0);
  EXPECT_NE(db.Statement().find("'O''Brien Plumbing'"), std::string::npos);
  EmployeeRecord e;
  e.SetLastName("O'Brien");
  e.SetCity("Coeur d'Alene");
  ASSERT_EQ(db.InsertEmployee(e, 1), 0);
  ContractorRecord c;
  c.ContractorUniqueID = 1;
  c.SetNameLine1("D'Angelo's Catering");
  ASSERT_EQ(db.InsertContractor(c, 1), 0);
  W2Record w;
  w.W2UniqueID = 1;
  w.SetLocalityName1("O'Fal");
  ASSERT_EQ(db.InsertW2(w, 1), 0);
  Form1099Record f;
  f.Form1099UniqueID = 1;
  f.ContractorUniqueID = 1;
  f.SetPayerStateID1("IL'1");
  ASSERT_EQ(db.InsertForm1099(f, 1), 0);
  TransmitterRecord t;
  t.SetContactName("Pat O'Neil");
  ASSERT_EQ(db.InsertTransmitter(t, 1), 0);

  CompanyRecord company2;
  std::vector<EmployeeRecord> employees;
  std::vector<ContractorRecord> contractors;
  std::vector<W2Record> w2;
  std::vector<Form1099Record> forms;
  TransmitterRecord t2;
  ASSERT_EQ(db.ReadCompany(company2), 0);
  ASSERT_EQ(db.ReadEmployees(employees), 0);
  ASSERT_EQ(db.ReadContractors(contractors), 0);
  ASSERT_EQ(db.ReadW2Forms(w2), 0);
  ASSERT_EQ(db.ReadForms1099(forms, contractors), 0);
  ASSERT_EQ(db.ReadTransmitter(t2), 0);
  EXPECT_EQ(company2, company);
  ASSERT_EQ(employees.size(), 1u);
  EXPECT_EQ(employees[0].LastName(), "O'Brien");
  EXPECT_EQ(employees[0].City(), "Coeur d'Alene");
  EXPECT_EQ(contractors.at(0).NameLine1(), "D'Angelo's Catering");
  EXPECT_EQ(w2.at(0).LocalityName1(), "O'Fal");
  EXPECT_EQ(forms.at(0).PayerStateID1(), "IL'1");
  EXPECT_EQ(t2.ContactName(), "Pat O'Neil");

  // Updates too.
  e.SetFirstName("Ma'ry");
  ASSERT_EQ(db.UpdateEmployee(e, 1), 0);
  employees.clear();
  ASSERT_EQ(db.ReadEmployees(employees), 0);
  EXPECT_EQ(employees.at(0).FirstName(), "Ma'ry");
}

TEST_F(CompanyDatabaseTest, RecordsRoundTripWithWindows1252Bytes) {
  W2Record w;
  w.W2UniqueID = 3;
  w.EmployeeUniqueID = 8;
  w.SetWages("45250.00");
  w.StatutoryEmployee = 1;
  w.ThirdPartySickpay = 1;
  w.SetField12aCode("D");
  w.SetField12aAmount("1234.50");
  w.SetLocalityName2("San Jos\xE9");
  w.SetExtraText3("O\x92Neil");
  ASSERT_EQ(db.InsertW2(w, 3), 0);
  std::vector<W2Record> list;
  ASSERT_EQ(db.ReadW2Forms(list), 0);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0], w);
}

TEST_F(CompanyDatabaseTest, EmptyFieldsAreStoredAsEmptyTextNeverNull) {
  ASSERT_EQ(db.InsertCompany(CompanyRecord{}, 1), 0);
  ASSERT_EQ(db.InsertEmployee(EmployeeRecord{}, 1), 0);
  ASSERT_EQ(db.InsertContractor(ContractorRecord{}, 1), 0);
  ASSERT_EQ(db.InsertW2(W2Record{}, 1), 0);
  ASSERT_EQ(db.InsertForm1099(Form1099Record{}, 1), 0);
  ASSERT_EQ(db.InsertTransmitter(TransmitterRecord{}, 1), 0);
  ASSERT_EQ(db.InsertSubmitter(SubmitterRecord{}, 1), 0);
  ASSERT_EQ(db.UpdateW2(W2Record{}), 0);
  for (const char* table :
       {"Company", "Employees", "Contractors", "W2", "Form1099", "EFiling_1099_Transmitter", "EFiling_W2_Submitter"}) {
    std::vector<std::string> columns;
    db.Execute(std::string("PRAGMA table_info(") + table + ")", [&](int, char** v) { columns.push_back(v[1]); });
    for (const auto& column : columns) {
      std::string type;
      db.Execute("SELECT typeof(" + column + ") FROM " + table, [&](int, char** v) { type = v[0]; });
      EXPECT_TRUE(type == "text" || type == "integer") << table << "." << column << " is " << type;
    }
  }
  // Ids written as quoted numbers are stored as integers.
  std::string idType;
  db.Execute("SELECT typeof(EmployeeUniqueID) FROM Employees", [&](int, char** v) { idType = v[0]; });
  EXPECT_EQ(idType, "integer");
}

TEST_F(CompanyDatabaseTest, Box12CodesAAandBB) {
  W2Record w;
  w.W2UniqueID = 1;
  w.SetField12aCode("0");  // AA
  w.SetField12bCode("1");  // BB
  w.SetField12cCode("E");
  ASSERT_EQ(db.InsertW2(w, 1), 0);
  std::string stored;
  db.Execute("SELECT Field12aCode||','||Field12bCode||','||Field12cCode FROM W2",
             [&](int, char** v) { stored = v[0]; });
  EXPECT_EQ(stored, "AA,BB,E");
  std::vector<W2Record> list;
  ASSERT_EQ(db.ReadW2Forms(list), 0);
  EXPECT_EQ(list.at(0).Field12aCode(), "0");
  EXPECT_EQ(list.at(0).Field12bCode(), "1");

  w.SetField12aCode("1");
  w.SetField12dCode("0");
  ASSERT_EQ(db.UpdateW2(w), 0);
  db.Execute("SELECT Field12aCode||','||Field12dCode FROM W2", [&](int, char** v) { stored = v[0]; });
  EXPECT_EQ(stored, "BB,AA");

  // Stored forms of other releases: "0"/"1", longer texts, NULL.
  Sql("UPDATE W2 SET Field12aCode='0', Field12bCode='1', Field12cCode='DD', Field12dCode=NULL");
  list.clear();
  ASSERT_EQ(db.ReadW2Forms(list), 0);
  EXPECT_EQ(list.at(0).Field12aCode(), "0");
  EXPECT_EQ(list.at(0).Field12bCode(), "1");
  EXPECT_EQ(list.at(0).Field12cCode(), "D");
  EXPECT_EQ(list.at(0).Field12dCode(), "");
}

TEST_F(CompanyDatabaseTest, Form1099RowsFilteredByContractor) {
  std::vector<ContractorRecord> contractors(2);
  contractors[0].ContractorUniqueID = 7;
  contractors[1].ContractorUniqueID = 8;
  Sql("INSERT INTO Form1099 (Form1099UniqueID, ContractorUniqueID, Rents) VALUES (1, 7, 'first')");
  Sql("INSERT INTO Form1099 (Form1099UniqueID, ContractorUniqueID, Rents) VALUES (2, 99, 'orphan')");
  Sql("INSERT INTO Form1099 (Form1099UniqueID, ContractorUniqueID, Rents) VALUES (3, 7, 'second')");
  Sql("INSERT INTO Form1099 (Form1099UniqueID, ContractorUniqueID, Rents) VALUES (4, 8, 'other')");
  std::vector<Form1099Record> forms;
  ASSERT_EQ(db.ReadForms1099(forms, contractors), 0);
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].Form1099UniqueID, 1);
  EXPECT_EQ(forms[0].Rents(), "first");
  EXPECT_EQ(forms[1].Form1099UniqueID, 4);
  // A list that already holds a form for contractor 8 takes none for it.
  std::vector<Form1099Record> held(1);
  held[0].ContractorUniqueID = 8;
  ASSERT_EQ(db.ReadForms1099(held, contractors), 0);
  ASSERT_EQ(held.size(), 2u);
  EXPECT_EQ(held[1].ContractorUniqueID, 7);
}

TEST_F(CompanyDatabaseTest, GeneralInformationColumns) {
  ContractorRecord c;
  c.ContractorUniqueID = 1;
  ASSERT_EQ(db.InsertContractor(c, 1), 0);
  Sql("UPDATE Contractors SET GeneralInformation='stored by an older release'");
  std::vector<ContractorRecord> contractors;
  ASSERT_EQ(db.ReadContractors(contractors), 0);
  EXPECT_EQ(contractors.at(0).GeneralInformation(), "");

  Form1099Record f;
  f.Form1099UniqueID = 1;
  f.ContractorUniqueID = 1;
  f.SetGenearlInformation("typed");
  ASSERT_EQ(db.InsertForm1099(f, 1), 0);
  std::string stored = "unread";
  db.Execute("SELECT GenearlInformation FROM Form1099", [&](int, char** v) { stored = v[0]; });
  EXPECT_EQ(stored, "");
  ASSERT_EQ(db.UpdateForm1099(f), 0);
  db.Execute("SELECT GenearlInformation FROM Form1099", [&](int, char** v) { stored = v[0]; });
  EXPECT_EQ(stored, " ");
}

TEST_F(CompanyDatabaseTest, ReadersConvertStoredValues) {
  Sql("INSERT INTO EFiling_1099_Transmitter (UniqueID, TransmitterTIN, FileTypeOriginal, FileTypeReplacement) "
      "VALUES (1, NULL, 2, '1')");
  TransmitterRecord t;
  t.SetTransmitterTIN("old");
  ASSERT_EQ(db.ReadTransmitter(t), 0);
  EXPECT_EQ(t.TransmitterTIN(), "");
  EXPECT_EQ(t.FileTypeOriginal, 0);  // only a stored 1 reads as set
  EXPECT_EQ(t.FileTypeReplacement, 1);

  Sql("INSERT INTO Employees (EmployeeUniqueID, CompanyUniqueID, FirstName) VALUES (12, 1, NULL)");
  std::vector<EmployeeRecord> list;
  ASSERT_EQ(db.ReadEmployees(list), 0);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].EmployeeUniqueID, 12);
  EXPECT_EQ(list[0].FirstName(), "");

  // The company row: StateID comes fifth in the statement and lands in its own field.
  CompanyRecord c;
  c.SetStateID("SID");
  c.SetCity("Town");
  c.FormW3RadioKindOfPayer = 7;
  ASSERT_EQ(db.InsertCompany(c, 1), 0);
  CompanyRecord read;
  ASSERT_EQ(db.ReadCompany(read), 0);
  EXPECT_EQ(read, c);

  // A read without rows leaves the record as it was.
  Form1096Record form1096;
  form1096.SetExtraText1("kept");
  ASSERT_EQ(db.ReadForm1096(form1096), 0);
  EXPECT_EQ(form1096.ExtraText1(), "kept");

  EXPECT_EQ(ParseStoredInt("42abc"), 42);
  EXPECT_EQ(ParseStoredInt(""), 0);
  EXPECT_EQ(ParseStoredInt(nullptr), 0);
  EXPECT_EQ(ParseStoredInt("-3"), -3);
  EXPECT_EQ(ParseStoredInt("99999999999"), INT32_MAX);
}

TEST_F(CompanyDatabaseTest, OpenInsideTransactionKeepsConnection) {
  ASSERT_EQ(db.BeginTransaction(), 0);
  EXPECT_TRUE(db.InTransaction());
  EXPECT_EQ(db.Open(dir / "Another.qdt"), 0);
  EmployeeRecord e;
  ASSERT_EQ(db.InsertEmployee(e, 1), 0);
  ASSERT_EQ(db.EndTransaction(), 0);
  EXPECT_FALSE(db.InTransaction());
  EXPECT_FALSE(std::filesystem::exists(dir / "Another.qdt"));
  std::vector<EmployeeRecord> list;
  ASSERT_EQ(db.ReadEmployees(list), 0);
  EXPECT_EQ(list.size(), 1u);
}

TEST(CompanyDatabaseClosed, OperationsFailWithoutConnection) {
  CompanyDatabase db;
  std::vector<EmployeeRecord> list;
  CompanyRecord c;
  std::string v;
  EXPECT_NE(db.ReadEmployees(list), 0);
  EXPECT_NE(db.ReadCompany(c), 0);
  EXPECT_NE(db.ReadVersion(v), 0);
  EXPECT_NE(db.CreateTables(), 0);
  EXPECT_NE(db.InsertEmployee(EmployeeRecord{}, 1), 0);
  EXPECT_NE(db.BeginTransaction(), 0);
  EXPECT_FALSE(db.InTransaction());
}

}  // namespace
}  // namespace formet
