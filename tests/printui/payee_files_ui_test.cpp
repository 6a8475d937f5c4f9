// "One PDF file per employee" (per recipient) in the print options, driven
// as a user would, with the files read back by qpdf and poppler.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <filesystem>

#include "../forms/print_fixture.h"
#include "tool_run.h"
#include "desktop/modal_answers.h"
#include "forms/print/ui/payee_files_box.h"
#include "forms/print/ui/print_flow.h"
#include "forms/print/ui/print_options_dlg.h"
#include "import/table_file.h"
#include "print_doc.h"
#include "qt_app.h"
#include "store/global_doc.h"
#include "store/settings_store.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::ModalAnswers;
using test::Quoted;

// The document, and a folder for the files.
struct PayeeDoc : test::PrintDoc {
  fs::path folder = dir / "copies";
  explicit PayeeDoc(int payees) : PrintDoc(payees) { fs::create_directory(folder); }
  std::vector<int> Order() { return PrintDoc::Order(doc.GetEmployees().size()); }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// Nothing reaches the print dialog when the files are written.
bool NoPrint(QWidget*, const FormPrintJob&, const QString&) {
  ADD_FAILURE() << "the print dialog was asked for";
  return false;
}

int PdfPages(const fs::path& pdf, const std::string& password) {
  const auto r = test::RunTool("pdfinfo -upw " + Quoted(password) + " " + Quoted(pdf) + " 2>/dev/null");
  const size_t at = r.out.find("Pages:");
  return r.code == 0 && at != std::string::npos ? std::stoi(r.out.substr(at + 6)) : -1;
}

TEST(PayeeFilesDialog, TheChoiceTakesOverTheDialog) {
  test::QtApp();
  FormPrintSettings settings;
  CW2PrintOptionsDlg dialog(settings, nullptr, nullptr);
  CPayeeFilesBox* box = dialog.PayeeFiles();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->title(), "One PDF file per employee");
  EXPECT_FALSE(box->isChecked());
  EXPECT_TRUE(dialog.TargetButton(1)->isEnabled());
  box->setChecked(true);
  // Every employee, the copies each gets: whose forms and which paper are
  // no longer the user's to choose.
  EXPECT_FALSE(dialog.TargetButton(1)->isEnabled());
  EXPECT_FALSE(dialog.CopyList()->isEnabled());
  EXPECT_FALSE(dialog.PaperButton(static_cast<int>(W2PaperChoice::RedInk))->isEnabled());
  EXPECT_FALSE(dialog.AlignmentPageButton()->isEnabled());
  EXPECT_FALSE(box->DefaultPasswordButton()->isEnabled());
  box->EncryptBox()->setChecked(true);
  EXPECT_TRUE(box->DefaultPasswordButton()->isEnabled());
  EXPECT_FALSE(box->PasswordFileField()->isEnabled());
  box->FilePasswordButton()->setChecked(true);
  EXPECT_TRUE(box->PasswordFileField()->isEnabled());
  EXPECT_TRUE(box->PasswordColumnList()->isEnabled());
  box->setChecked(false);
  EXPECT_TRUE(dialog.TargetButton(1)->isEnabled());
  EXPECT_TRUE(dialog.PaperButton(static_cast<int>(W2PaperChoice::RedInk))->isEnabled());

  FormPrintSettings misc;
  C1099PrintOptionsDlg miscDialog(misc, nullptr, nullptr);
  ASSERT_NE(miscDialog.PayeeFiles(), nullptr);
  EXPECT_EQ(miscDialog.PayeeFiles()->title(), "One PDF file per recipient");
  FormPrintSettings w3;
  CW3PrintOptionsDlg w3Dialog(w3, nullptr, nullptr);
  EXPECT_EQ(w3Dialog.PayeeFiles(), nullptr);
}

TEST(PayeeFilesDialog, EachEmployeeGetsAFileProtectedWithTheirPassword) {
  test::QtApp();
  PayeeDoc d(3);
  ModalAnswers answers;
  answers.Then([&](QWidget* w) {
    auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->PayeeFiles()->setChecked(true);
    dialog->accept();  // no folder yet: refused, the dialog stays
  });
  answers.ThenButton(QMessageBox::Ok);
  answers.Then([&](QWidget* w) {  // back in the options dialog
    auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->PayeeFiles()->FolderField()->setText(QString::fromStdString(d.folder.string()));
    dialog->PayeeFiles()->EncryptBox()->setChecked(true);
    dialog->accept();
  });
  EXPECT_TRUE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(), 0, NoPrint));
  ASSERT_GE(answers.texts.size(), 2u);
  EXPECT_EQ(answers.texts[1], "Choose the folder the PDF files go in.");
  const std::vector<std::string> names{"W-2 2007 - Lee1, Ann - 6781.pdf", "W-2 2007 - Lee2, Ann - 6782.pdf",
                                       "W-2 2007 - Lee3, Ann - 6783.pdf"};
  ASSERT_EQ(d.Files(), names);
  ASSERT_FALSE(d.ui.messages.empty());
  EXPECT_EQ(d.ui.messages.back(),
            "Wrote 3 files of Form W-2 to " + d.folder.string() + ", each protected with its password.");
  const fs::path third = d.folder / names[2];
  const auto shown = test::RunTool("qpdf --show-encryption --password=678302101 " + Quoted(third));
  EXPECT_NE(shown.out.find("R = 6"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("file encryption method: AESv3"), std::string::npos) << shown.out;
  EXPECT_EQ(PdfPages(third, "678302101"), 6);
  EXPECT_EQ(PdfPages(third, "wrong"), -1);
  // The choice of the files is not a print setting.
  EXPECT_EQ(d.doc.GetPrintSettings(PrintForm::W2), FormPrintSettings{});

  // Again into the same folder: the files there are replaced only on Yes.
  const auto before = test::ReadBytes(third);
  for (const Answer answer : {Answer::No, Answer::Yes}) {
    d.ui.answers.push_back(answer);
    d.ui.questions.clear();
    answers.Then([&](QWidget* w) {
      auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
      dialog->PayeeFiles()->setChecked(true);
      dialog->PayeeFiles()->FolderField()->setText(QString::fromStdString(d.folder.string()));
      dialog->accept();
    });
    EXPECT_EQ(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(), 0, NoPrint), answer == Answer::Yes);
    EXPECT_EQ(d.ui.questions, std::vector<std::string>{"3 of these files are already in the folder " +
                                                       d.folder.string() + ". Replace them?"});
    // No leaves the protected files; Yes writes them again, unprotected.
    EXPECT_EQ(test::ReadBytes(third) == before, answer == Answer::No);
  }
  EXPECT_EQ(test::RunTool("qpdf --show-encryption " + Quoted(third)).out, "File is not encrypted\n");
}

TEST(PayeeFilesDialog, RecipientsPasswordsFromACsvFile) {
  test::QtApp();
  SetTableFileReader(ReadTableFile);
  PayeeDoc d(2);
  test::WriteBytes(d.dir / "pw.csv", "Recipient,TIN,Code,Password\nBolt,11-222331,c1,first\nSpark,11 222332,c2,\n");
  const auto run = [&](const QString& column) {
    ModalAnswers answers;
    answers.Then([&](QWidget* w) {
      auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      CPayeeFilesBox* box = dialog->PayeeFiles();
      box->setChecked(true);
      box->FolderField()->setText(QString::fromStdString(d.folder.string()));
      box->EncryptBox()->setChecked(true);
      box->FilePasswordButton()->setChecked(true);
      box->PasswordFileField()->setText(QString::fromStdString((d.dir / "pw.csv").string()));
      ASSERT_TRUE(box->LoadPasswordColumns());
      EXPECT_EQ(box->PasswordColumnList()->count(), 4);
      EXPECT_EQ(box->PasswordColumnList()->currentText(), "Password");  // chosen when there is one
      box->PasswordColumnList()->setCurrentText(column);
      dialog->accept();
    });
    return Print1099Forms(nullptr, d.doc, d.ui, d.Order(), 0, NoPrint);
  };
  // The second recipient has an empty password: nothing is written.
  EXPECT_FALSE(run("Password"));
  EXPECT_TRUE(d.Files().empty());
  ASSERT_FALSE(d.ui.messages.empty());
  EXPECT_EQ(d.ui.messages.back(), "The contractor Bolt Electric 2 (TIN 11-222332) has no password in the password "
                                  "file.\n\nNothing was written.");
  // The column the user names.
  EXPECT_TRUE(run("Code"));
  ASSERT_EQ(d.Files().size(), 2u);
  EXPECT_EQ(PdfPages(d.folder / "1099-MISC 2007 - Bolt Electric 2 - 2332.pdf", "c2"), 2);
  EXPECT_EQ(PdfPages(d.folder / "1099-MISC 2007 - Bolt Electric 1 - 2331.pdf", "c1"), 2);
  EXPECT_EQ(PdfPages(d.folder / "1099-MISC 2007 - Bolt Electric 1 - 2331.pdf", "first"), -1);
}

// The problems of the forms are asked about before any file is written:
// Cancel writes none.
TEST(PayeeFilesDialog, CancelAtTheProblemsOfTheFormsWritesNoFile) {
  test::QtApp();
  PayeeDoc d(2);
  d.doc.GetW2Forms()[0].SetField12bAmount("15.00");  // an amount without its code
  d.ui.printAnywayAnswers = {false};
  ModalAnswers answers;
  answers.Then([&](QWidget* w) {
    auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->PayeeFiles()->setChecked(true);
    dialog->PayeeFiles()->FolderField()->setText(QString::fromStdString(d.folder.string()));
    dialog->accept();
  });
  EXPECT_FALSE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(), 0, NoPrint));
  ASSERT_EQ(d.ui.printAnyway.size(), 1u);
  EXPECT_EQ(d.ui.printAnyway[0].problems,
            std::vector<std::string>{"Error: W-2 of Lee1, Ann (123-45-6781): Box 12b has an amount but no code"});
  EXPECT_TRUE(d.Files().empty());
}

}  // namespace
}  // namespace formet
