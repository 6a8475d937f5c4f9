// The electronic filing dialogs, headless: fields from the company, saved
// like every other record, the report before any file, the file written
// where the user chose, and the commands in the Tools menu.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QtTest/QTest>

#include <algorithm>
#include <filesystem>

#include "kit/ui/help_window.h"
#include "desktop/modal_answers.h"
#include "desktop/progress_cancel.h"
#include "desktop/url_catcher.h"
#include "efiling/sample_copy.h"
#include "forms/1099/form1099_corrections.h"
#include "forms/1099/irs1099_file.h"
#include "forms/1099/irs1099_transmitter.h"
#include "forms/1099/ui/irs1099_dialog.h"
#include "forms/print/recording_canvas.h"
#include "forms/print/ui/print_flow.h"
#include "forms/print/ui/print_options_dlg.h"
#include "forms/w2/efw2_file.h"
#include "forms/w2/efw2_submitter.h"
#include "forms/w2/efw2c_file.h"
#include "forms/record_as_filed.h"
#include "forms/w2/ui/efw2_dialog.h"
#include "kit/ui/masked_edit.h"
#include "qt_app.h"
#include "shell/frame_rules.h"
#include "shell/password.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/qt_ui_services.h"
#include "store/company_database.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;

class EfilingUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtApp();
    doc = std::make_unique<CGlobalDoc>(ui, settings, dir.Folder());
    doc->BeginSession();
    doc->SetCompany(kSampleCompany);
    ASSERT_TRUE(doc->OnNewDocument());
  }
  template <class R>
  R Stored(int (CompanyDatabase::*read)(R&)) {
    return dir.Stored(read);
  }
  static void Type(CEFilingDlg& dialog, size_t field, const std::string& text) {
    auto* edit = qobject_cast<CMaskedEdit*>(dialog.Controls().At(field));
    ASSERT_NE(edit, nullptr);
    edit->SetText(text);
  }

  test::SampleCompanyCopy dir;
  QtUiServices ui;
  MemorySettingsStore settings;
  std::unique_ptr<CGlobalDoc> doc;
};

TEST_F(EfilingUiTest, WageFileFromTheDialog) {
  CEfw2Dlg dialog(*doc);
  // A submitter never filled in starts from the company.
  auto* name = qobject_cast<CMaskedEdit*>(dialog.Controls().At(SubmitterFieldIndex(SubmitterRecord::Text::SubmitterName)));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->Text(), "Sample Company");

  // Without a PIN: the report, no file, the dialog stays.
  const fs::path out = dir / "wages.txt";
  int asked = 0;
  dialog.SetPathChooser([&](const QString& suggested) {
    ++asked;
    EXPECT_TRUE(suggested.endsWith("Sample Company W-2 2007.txt")) << suggested.toStdString();
    return QString::fromStdString(out.string());
  });
  dialog.show();
  {
    test::ModalAnswers answers;
    QString reportText;
    answers.Then([&](QWidget* w) {
      auto* report = qobject_cast<CFilingReportDlg*>(w);
      ASSERT_NE(report, nullptr);
      reportText = report->List()->toPlainText();
      report->reject();
    });
    dialog.CreateButton()->click();
    EXPECT_TRUE(reportText.contains("The PIN is empty")) << reportText.toStdString();
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_TRUE(dialog.isVisible());
  }
  // The fields were saved all the same, like every other record.
  EXPECT_EQ(Stored(&CompanyDatabase::ReadSubmitter).SubmitterName(), "Sample Company");

  // With the PIN: the file, checked and equal to the W-3; the confirmation.
  Type(dialog, SubmitterFieldIndex(SubmitterRecord::Text::SubmitterPIN), "QX4711AB");
  {
    test::ModalAnswers answers;
    dialog.CreateButton()->click();
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_TRUE(answers.texts[0].startsWith("The wage file was written to")) << answers.texts[0].toStdString();
  }
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Stored(&CompanyDatabase::ReadSubmitter).SubmitterPIN(), "QX4711AB");
  const auto check = efile::CheckEfw2File(test::ReadBytes(out));
  EXPECT_TRUE(check.Ok());
  EXPECT_TRUE(efile::CompareWithW3(check.totals, ComputeW3Totals(doc->GetW2Forms()), 0).empty());
}

// A file of many forms shows its progress while its forms are checked and
// written; Cancel there writes nothing and asks nothing more.
TEST_F(EfilingUiTest, CancelInTheProgressWindowWritesNoFile) {
  CEfw2Dlg dialog(*doc);
  Type(dialog, SubmitterFieldIndex(SubmitterRecord::Text::SubmitterPIN), "QX4711AB");
  dialog.SetProgressThreshold(0);
  const fs::path out = dir / "wages.txt";
  int asked = 0;
  dialog.SetPathChooser([&](const QString&) {
    ++asked;
    return QString::fromStdString(out.string());
  });
  dialog.show();
  {
    test::ModalAnswers answers;
    test::CancelProgress cancel([](const QString& label) { return label.startsWith("Checking and writing form"); });
    dialog.CreateButton()->click();
    EXPECT_EQ(cancel.cancelled, 1);
    EXPECT_TRUE(answers.texts.empty());
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_TRUE(dialog.isVisible());
  }
  {
    test::ModalAnswers answers;
    test::CancelProgress watch([](const QString&) { return false; });
    dialog.CreateButton()->click();
    EXPECT_EQ(watch.seen, 1);
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_TRUE(answers.texts[0].startsWith("The wage file was written to"));
  }
  EXPECT_TRUE(efile::CheckEfw2File(test::ReadBytes(out)).Ok());
}

TEST_F(EfilingUiTest, WarningsAskBeforeWritingAndCancelWritesNothing) {
  C1099FileDlg dialog(*doc);
  Type(dialog, TransmitterFieldIndex(TransmitterRecord::Text::TransmitterControlCode), "44Q7Z");
  const fs::path out = dir / "misc.txt";
  dialog.SetPathChooser([&](const QString&) { return QString::fromStdString(out.string()); });
  dialog.show();
  {
    // The Sample Company's "Attn: Leasing Office" loses its colon: a warning.
    test::ModalAnswers answers;
    answers.Then([](QWidget* w) {
      auto* report = qobject_cast<CFilingReportDlg*>(w);
      ASSERT_NE(report, nullptr);
      EXPECT_TRUE(report->List()->toPlainText().contains("is written without :"));
      report->reject();  // Cancel
    });
    dialog.CreateButton()->click();
    EXPECT_FALSE(fs::exists(out));
  }
  {
    test::ModalAnswers answers;
    answers.Then([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });  // Write the File...
    dialog.CreateButton()->click();
    ASSERT_EQ(answers.texts.size(), 2u);
    EXPECT_TRUE(answers.texts[1].startsWith("The information return file was written to"));
  }
  const auto check = efile::Check1099File(test::ReadBytes(out));
  EXPECT_TRUE(check.Ok());
  EXPECT_TRUE(efile::CompareWith1096(check.totals, Compute1096Totals(doc->GetForms1099())).empty());
  EXPECT_EQ(Stored(&CompanyDatabase::ReadTransmitter).TransmitterControlCode(), "44Q7Z");
}

TEST_F(EfilingUiTest, OriginalAndReplacementAreOneChoice) {
  C1099FileDlg dialog(*doc);
  auto* original = qobject_cast<QCheckBox*>(
      dialog.Controls().At(TransmitterFieldIndex(&TransmitterRecord::FileTypeOriginal)));
  auto* replacement = qobject_cast<QCheckBox*>(
      dialog.Controls().At(TransmitterFieldIndex(&TransmitterRecord::FileTypeReplacement)));
  ASSERT_TRUE(original && replacement);
  QWidget* replaced =
      dialog.Controls().At(TransmitterFieldIndex(TransmitterRecord::Text::ElectronicFileNameForAReplacementFile));
  EXPECT_TRUE(original->isChecked());
  EXPECT_FALSE(replaced->isEnabled());
  replacement->click();
  EXPECT_TRUE(replacement->isChecked());
  EXPECT_FALSE(original->isChecked());
  EXPECT_TRUE(replaced->isEnabled());
}

TEST_F(EfilingUiTest, CheckSavesAndReportsWithoutWriting) {
  CEfw2Dlg dialog(*doc);
  Type(dialog, SubmitterFieldIndex(SubmitterRecord::Text::SubmitterPIN), "QX4711AB");
  int asked = 0;
  dialog.SetPathChooser([&](const QString&) {
    ++asked;
    return QString();
  });
  test::ModalAnswers answers;
  dialog.CheckButton()->click();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_TRUE(answers.texts[0].startsWith("No problems: the wage file can be written.")) << answers.texts[0].toStdString();
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(Stored(&CompanyDatabase::ReadSubmitter).SubmitterPIN(), "QX4711AB");
}

// Help opens the guide's page of each file, at its own section, in the
// program's help window.
TEST_F(EfilingUiTest, HelpOpensTheGuidesSectionOfTheFile) {
  test::UrlCatcher catcher;
  CEfw2Dlg w2(*doc);
  C1099FileDlg misc(*doc);
  CHelpWindow* help = CHelpWindow::Instance();
  QList<QUrl> shown;
  for (QDialog* dialog : {static_cast<QDialog*>(&w2), static_cast<QDialog*>(&misc)}) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
    shown << help->Browser()->source();
  }
  EXPECT_TRUE(catcher.urls.isEmpty());
  ASSERT_EQ(shown.size(), 2);
  EXPECT_EQ(shown[0].fileName(), "efiling.html");
  EXPECT_EQ(shown[0].fragment(), "w2");
  EXPECT_EQ(shown[1].fragment(), "1099");
  QFile page(shown[0].toLocalFile());
  ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << page.fileName().toStdString();
  const QString html = QString::fromUtf8(page.readAll());
  for (const char* id : {"id=\"w2\"", "id=\"1099\"", "id=\"choices\""}) EXPECT_TRUE(html.contains(id)) << id;
  help->close();
}

TEST_F(EfilingUiTest, ToolsMenuOffersEveryFile) {
  PasswordStore passwords(settings);
  CMainFrame frame(*doc, passwords, ui);
  QAction* w2 = frame.Action(command::kEFileW2);
  QAction* misc = frame.Action(command::kEFile1099);
  QAction* w2c = frame.Action(command::kEFileW2c);
  ASSERT_TRUE(w2 && misc && w2c);
  EXPECT_EQ(w2->text(), "&W-2 Wage File (EFW2)...");
  EXPECT_EQ(misc->text(), "&1099-MISC Information Return File...");
  // All sit in Tools > Electronic Filing.
  QMenu* tools = nullptr;
  for (QAction* a : frame.menuBar()->actions())
    if (a->text() == "&Tools") tools = a->menu();
  ASSERT_NE(tools, nullptr);
  QMenu* efiling = nullptr;
  for (QAction* a : tools->actions())
    if (a->text() == "&Electronic Filing") efiling = a->menu();
  ASSERT_NE(efiling, nullptr);
  EXPECT_TRUE(efiling->actions().contains(w2));
  EXPECT_TRUE(efiling->actions().contains(misc));
  EXPECT_TRUE(efiling->actions().contains(w2c));
  // The command opens the dialog over the window.
  test::ModalAnswers answers;
  answers.Then([](QWidget* w) {
    EXPECT_NE(qobject_cast<CEfw2Dlg*>(w), nullptr);
    static_cast<QDialog*>(w)->reject();
  });
  w2->trigger();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], "W-2 Wage File (EFW2)");
}

// The corrections file from the Tools menu: nothing to correct is said and
// opens nothing; a changed filed W-2 gives a file of W-2c records, and its
// W-2c's are recorded as filed on Yes, so that nothing is left to correct.
TEST_F(EfilingUiTest, CorrectionsFileFromTheToolsMenu) {
  PasswordStore passwords(settings);
  CMainFrame frame(*doc, passwords, ui);
  QAction* w2c = frame.Action(command::kEFileW2c);
  ASSERT_NE(w2c, nullptr);
  EXPECT_EQ(w2c->text(), "W-2&c Corrections File (EFW2C)...");
  const auto toldNothingToCorrect = [&] {
    test::ModalAnswers answers;
    w2c->trigger();
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_TRUE(answers.texts[0].startsWith("There is no W-2c for the SSA")) << answers.texts[0].toStdString();
  };
  // Nothing recorded as filed: nothing to correct.
  toldNothingToCorrect();

  ASSERT_EQ(RecordAsFiled(*doc, FiledFamily::W2, "2008-02-15").code, 0);
  doc->GetW2Forms().front().SetWages("12345.67");
  const fs::path out = dir / "corrections.txt";
  {
    test::ModalAnswers answers;
    answers.Then([&](QWidget* w) {
      auto* dialog = qobject_cast<CEfw2cDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      EXPECT_FALSE(dialog->Option()->isVisible());  // the wage file's state records are no choice here
      Type(*dialog, SubmitterFieldIndex(SubmitterRecord::Text::SubmitterPIN), "QX4711AB");
      dialog->SetPathChooser([&](const QString& suggested) {
        EXPECT_TRUE(suggested.endsWith("Sample Company W-2c 2007.txt")) << suggested.toStdString();
        return QString::fromStdString(out.string());
      });
      dialog->CreateButton()->click();
    });
    answers.Then({});                                // "The corrections file was written to ..."
    answers.ThenButton(QMessageBox::Yes);            // record the W-2c's as filed
    answers.Then({});                                // what was recorded
    w2c->trigger();
    ASSERT_EQ(answers.texts.size(), 4u);
    EXPECT_EQ(answers.texts[0], "W-2c Corrections File (EFW2C)");
    EXPECT_TRUE(answers.texts[1].startsWith("The corrections file was written to")) << answers.texts[1].toStdString();
    EXPECT_TRUE(answers.texts[2].startsWith("Record the Forms W-2c as filed")) << answers.texts[2].toStdString();
  }
  const std::string bytes = test::ReadBytes(out);
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.substr(0, 3), "RCA");
  for (size_t at = 0; at < bytes.size(); at += efile::kEfw2cRecordWidth + 2)
    EXPECT_EQ(bytes.find("\r\n", at), at + efile::kEfw2cRecordWidth) << "the record at " << at;
  const auto check = efile::CheckEfw2cFile(bytes);
  ASSERT_TRUE(check.Ok()) << ::testing::PrintToString(check.problems);
  EXPECT_EQ(check.totals.box[1].correct, 1234567);
  EXPECT_FALSE(fs::exists(out.string() + ".part"));

  // Recorded: the correction is what was reported now, and nothing is left.
  toldNothingToCorrect();
}

// The 1099-MISC corrections file from the Tools menu: nothing to correct is
// said and opens nothing; a changed filed 1099-MISC gives a file of G
// records, and the correction is recorded as filed on Yes.
TEST_F(EfilingUiTest, The1099CorrectionsFileFromTheToolsMenu) {
  PasswordStore passwords(settings);
  CMainFrame frame(*doc, passwords, ui);
  QAction* misc = frame.Action(command::kEFile1099c);
  ASSERT_NE(misc, nullptr);
  EXPECT_EQ(misc->text(), "1099-MISC C&orrections File...");
  const auto toldNothingToCorrect = [&] {
    test::ModalAnswers answers;
    misc->trigger();
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_TRUE(answers.texts[0].startsWith("There is no corrected 1099-MISC")) << answers.texts[0].toStdString();
  };
  toldNothingToCorrect();

  ASSERT_EQ(RecordAsFiled(*doc, FiledFamily::Form1099, "2008-02-28").code, 0);
  auto& forms = doc->GetForms1099();
  const auto first = std::find_if(forms.begin(), forms.end(), [](const Form1099Record& f) { return f.ContractorUniqueID == 1; });
  ASSERT_NE(first, forms.end());
  first->SetNonemployeeCompensation("1234.56");
  const fs::path out = dir / "misc-corrections.txt";
  {
    test::ModalAnswers answers;
    answers.Then([&](QWidget* w) {
      auto* dialog = qobject_cast<C1099CorrectionsFileDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      Type(*dialog, TransmitterFieldIndex(TransmitterRecord::Text::TransmitterControlCode), "44Q7Z");
      dialog->SetPathChooser([&](const QString& suggested) {
        EXPECT_TRUE(suggested.endsWith("Sample Company 1099-MISC corrections 2007.txt")) << suggested.toStdString();
        return QString::fromStdString(out.string());
      });
      dialog->CreateButton()->click();
    });
    answers.Then({});                      // "The corrections file was written to ..."
    answers.ThenButton(QMessageBox::Yes);  // record the corrections as filed
    answers.Then({});                      // what was recorded
    misc->trigger();
    ASSERT_EQ(answers.texts.size(), 4u);
    EXPECT_EQ(answers.texts[0], "1099-MISC Corrections File");
    EXPECT_TRUE(answers.texts[1].startsWith("The corrections file was written to")) << answers.texts[1].toStdString();
    EXPECT_TRUE(answers.texts[2].startsWith("Record the corrected Forms 1099-MISC as filed"))
        << answers.texts[2].toStdString();
  }
  const auto check = efile::Check1099File(test::ReadBytes(out));
  ASSERT_TRUE(check.Ok()) << ::testing::PrintToString(check.problems);
  EXPECT_EQ(check.blockCodes, "G");
  EXPECT_EQ(check.totals.amount[6], 123456);  // box 7, the full correct amount
  toldNothingToCorrect();
}

// "Print corrected" and "Corrected 1096" of the 1099 Forms page: nothing
// to correct is said; then the corrected forms with their CORRECTED box
// marked (Copy B: both steps of a TIN change and the one-return amount
// change) and the 1096 of the three returns with its legend.
TEST_F(EfilingUiTest, TheCorrected1099sAndTheir1096Print) {
  std::vector<RecordingCanvas> pages;
  QString title;
  const PrintSink sink = [&](QWidget*, const FormPrintJob& job, const QString& t) {
    pages = RecordJob(job);
    title = t;
    return true;
  };
  {
    test::ModalAnswers answers;
    EXPECT_FALSE(PrintCorrected1099Forms(nullptr, *doc, ui, sink));
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_TRUE(answers.texts[0].startsWith("There is no corrected 1099-MISC")) << answers.texts[0].toStdString();
  }
  ASSERT_EQ(RecordAsFiled(*doc, FiledFamily::Form1099, "2008-02-28").code, 0);
  auto& contractors = doc->GetContractors();
  ASSERT_GE(contractors.size(), 2u);
  contractors[0].SetIdentificationNumber("36-7788124");
  for (auto& f : doc->GetForms1099())
    if (f.ContractorUniqueID == contractors[1].ContractorUniqueID) f.SetNonemployeeCompensation("4321.00");
  {
    test::ModalAnswers answers;
    answers.Then([](QWidget* w) {
      auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      EXPECT_TRUE(dialog->windowTitle().endsWith(" - Corrected Forms")) << dialog->windowTitle().toStdString();
      dialog->PaperButton(0)->setChecked(true);
      dialog->CopyList()->setCurrentIndex(1);  // Copy B
      dialog->accept();
    });
    answers.ThenButton(QMessageBox::Yes);  // forms with empty boxes: print them
    EXPECT_TRUE(PrintCorrected1099Forms(nullptr, *doc, ui, sink));
  }
  EXPECT_EQ(title, "Corrected Form 1099-MISC");
  ASSERT_EQ(pages.size(), 2u);  // three returns, two a sheet
  // Step 1 and the one-return form are marked, step 2 (a new original) not.
  EXPECT_EQ(pages[0].Marks().size(), 2u);
  EXPECT_EQ(pages[1].Marks().size(), 2u);
  EXPECT_NE(pages[0].FindText("36-7788123"), nullptr);  // step 1: as filed
  EXPECT_NE(pages[0].FindText("36-7788124"), nullptr);  // step 2: the correct TIN
  EXPECT_NE(pages[1].FindText("4321.00"), nullptr);
  {
    test::ModalAnswers answers;
    answers.Then([](QWidget* w) {
      auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      dialog->PaperButton(0)->setChecked(true);
      dialog->accept();
    });
    EXPECT_TRUE(PrintCorrected1096Form(nullptr, *doc, sink));
  }
  EXPECT_EQ(title, "Form 1096 (corrected returns)");
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_NE(pages[0].FindText("3"), nullptr);
  EXPECT_NE(pages[0].FindText(Form1099CorrectionTexts::k1096Legend), nullptr);
}

}  // namespace
}  // namespace formet
