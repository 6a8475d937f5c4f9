// The submitter and transmitter records: their dialog fields, how a blank
// record starts from the company, and saving them like every other record.
#include <gtest/gtest.h>

#include "efiling_fixtures.h"
#include "forms/1099/irs1099_transmitter.h"
#include "forms/w2/efw2_submitter.h"
#include "records/records_fixture.h"

namespace formet {
namespace {

using test::CompanyTest;

TEST(SubmitterDialog, ABlankSubmitterStartsFromTheCompany) {
  const CompanyRecord company = test::Payer();
  const SubmitterRecord s = ReadSubmitterDialog(LoadSubmitterDialog(SubmitterRecord{}, company), SubmitterRecord{});
  EXPECT_EQ(s.SubmitterEIN(), "37-2233445");
  EXPECT_EQ(s.SubmitterName(), "Prairie Tool & Die");
  EXPECT_EQ(s.DeliveryAddress(), "400 Industrial Pkwy");
  EXPECT_EQ(s.ZipCode(), "62521-1234");
  EXPECT_EQ(s.ContactName(), "Ida Moss");
  EXPECT_EQ(s.ContactPhone(), "(217) 555-0188");
  EXPECT_EQ(s.ProblemNotifcationCode(), "1");  // the company has an e-mail address
  EXPECT_EQ(s.PreparerCode(), "L");
  EXPECT_EQ(s.ResubIndicator(), "0");
  EXPECT_EQ(s.SubmitterPIN(), "");
  // An address longer than the file's 22 characters is cut where the user sees it.
  CompanyRecord longer = company;
  longer.SetAddress1("12345 North Industrial Parkway");
  const PageValues values = LoadSubmitterDialog(SubmitterRecord{}, longer);
  EXPECT_EQ(values[SubmitterFieldIndex(SubmitterRecord::Text::DeliveryAddress)].text, "12345 North Industrial");
}

TEST(SubmitterDialog, CodeListsAndCheckBoxesOverTexts) {
  SubmitterRecord stored = test::Submitter();
  PageValues values = LoadSubmitterDialog(stored, test::Payer());
  const size_t notify = SubmitterFieldIndex(SubmitterRecord::Text::ProblemNotifcationCode);
  const size_t preparer = SubmitterFieldIndex(SubmitterRecord::Text::PreparerCode);
  const size_t resub = SubmitterFieldIndex(SubmitterRecord::Text::ResubIndicator);
  EXPECT_EQ(values[notify].choice, 0);    // "1", e-mail
  EXPECT_EQ(values[preparer].choice, 0);  // "A", accounting firm
  EXPECT_EQ(values[resub].choice, 0);
  values[notify].choice = 1;
  values[preparer].choice = 2;
  values[resub].choice = 1;
  const SubmitterRecord read = ReadSubmitterDialog(values, stored);
  EXPECT_EQ(read.ProblemNotifcationCode(), "2");
  EXPECT_EQ(read.PreparerCode(), "S");
  EXPECT_EQ(read.ResubIndicator(), "1");
  // A stored code the list does not know shows no entry and stays as stored.
  stored.SetPreparerCode("Q");
  values = LoadSubmitterDialog(stored, test::Payer());
  EXPECT_EQ(values[preparer].choice, -1);
  EXPECT_EQ(ReadSubmitterDialog(values, stored).PreparerCode(), "Q");
}

TEST(TransmitterDialog, OriginalOrReplacement) {
  TransmitterRecord stored = test::MiscellaneousCompany().transmitter;
  PageValues values = LoadTransmitterDialog(stored, test::Payer());
  const size_t original = TransmitterFieldIndex(&TransmitterRecord::FileTypeOriginal);
  const size_t replacement = TransmitterFieldIndex(&TransmitterRecord::FileTypeReplacement);
  const size_t test = TransmitterFieldIndex(TransmitterRecord::Text::TestFileIndicator);
  EXPECT_EQ(values[test].choice, 1);
  values[replacement].choice = 1;  // checked beside "Original file": replacement wins
  TransmitterRecord read = ReadTransmitterDialog(values, stored);
  EXPECT_EQ(read.FileTypeReplacement, 1);
  EXPECT_EQ(read.FileTypeOriginal, 0);
  values = LoadTransmitterDialog(read, test::Payer());
  values[original].choice = 1;  // and back
  read = ReadTransmitterDialog(values, read);
  EXPECT_EQ(read.FileTypeOriginal, 1);
  EXPECT_EQ(read.FileTypeReplacement, 0);
  values[original].choice = 0;  // neither: an original file
  values[replacement].choice = 0;
  values[test].choice = 0;
  read = ReadTransmitterDialog(values, read);
  EXPECT_EQ(read.FileTypeOriginal, 1);
  EXPECT_EQ(read.TestFileIndicator(), "");
}

TEST(TransmitterDialog, ABlankTransmitterStartsFromTheCompany) {
  CompanyRecord company = test::Payer();
  company.SetAddress2("Dock 4");
  company.SetForm1096ContactName("Ida Moss");
  const TransmitterRecord t =
      ReadTransmitterDialog(LoadTransmitterDialog(TransmitterRecord{}, company), TransmitterRecord{});
  EXPECT_EQ(t.TransmitterTIN(), "37-2233445");
  EXPECT_EQ(t.CompanyName(), "Prairie Tool & Die");
  EXPECT_EQ(t.CompanyMailingAddress(), "400 Industrial Pkwy Dock 4");
  EXPECT_EQ(t.ContactName(), "Ida Moss");
  EXPECT_EQ(t.FileTypeOriginal, 1);
}

class EfilingRecordsTest : public CompanyTest {};

TEST_F(EfilingRecordsTest, SavedAtOnceAndOnlyWhenChanged) {
  SubmitterRecord s = test::Submitter();
  auto result = SaveSubmitter(*doc, s);
  EXPECT_TRUE(result.Saved());
  EXPECT_FALSE(doc->IsModified());
  SubmitterRecord stored;
  ASSERT_EQ(File().ReadSubmitter(stored), 0);
  EXPECT_EQ(stored, s);
  EXPECT_EQ(SaveSubmitter(*doc, s).outcome, Outcome::Unchanged);

  TransmitterRecord t = test::MiscellaneousCompany().transmitter;
  EXPECT_TRUE(SaveTransmitter(*doc, t).Saved());
  TransmitterRecord storedT;
  ASSERT_EQ(File().ReadTransmitter(storedT), 0);
  EXPECT_EQ(storedT, t);
}

// A file made without the submitter's or transmitter's row gets it: an
// update of no row would report success and keep nothing.
TEST_F(EfilingRecordsTest, AFileWithoutTheRowGetsIt) {
  ASSERT_EQ(File().Execute("DELETE FROM EFiling_W2_Submitter; DELETE FROM EFiling_1099_Transmitter"), 0);
  file.Close();
  EXPECT_TRUE(SaveSubmitter(*doc, test::Submitter()).Saved());
  EXPECT_TRUE(SaveTransmitter(*doc, test::MiscellaneousCompany().transmitter).Saved());
  SubmitterRecord s;
  ASSERT_EQ(File().ReadSubmitter(s), 0);
  EXPECT_EQ(s, test::Submitter());
  TransmitterRecord t;
  ASSERT_EQ(File().ReadTransmitter(t), 0);
  EXPECT_EQ(t.TransmitterControlCode(), "7Q2B9");
  // And the next change updates that row.
  SubmitterRecord changed = test::Submitter();
  changed.SetSubmitterPIN("ZZ99ZZ99");
  EXPECT_TRUE(SaveSubmitter(*doc, changed).Saved());
  int rows = 0;
  ASSERT_EQ(File().Execute("SELECT COUNT(*) FROM EFiling_W2_Submitter",
                           [&](int, char** v) { rows = std::atoi(v[0]); }),
            0);
  EXPECT_EQ(rows, 1);
  ASSERT_EQ(File().ReadSubmitter(s), 0);
  EXPECT_EQ(s.SubmitterPIN(), "ZZ99ZZ99");
}

TEST_F(EfilingRecordsTest, AFailedSaveIsReported) {
  RefuseInFile("UPDATE", "EFiling_W2_Submitter");
  const auto result = SaveSubmitter(*doc, test::Submitter());
  EXPECT_TRUE(result.Done());
  EXPECT_NE(result.saveCode, 0);
  EXPECT_TRUE(doc->IsModified());  // still pending, not lost
}

}  // namespace
}  // namespace formet
