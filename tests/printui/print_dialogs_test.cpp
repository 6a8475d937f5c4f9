// The print options dialogs and the pages' print flows, answered by script.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QGroupBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "../forms/print_fixture.h"
#include "print_doc.h"
#include "desktop/modal_answers.h"
#include "forms/1099/form1099_print.h"
#include "forms/print/ui/cut_list_dlg.h"
#include "forms/print/ui/print_flow.h"
#include "forms/print/ui/print_options_dlg.h"
#include "forms/w2/w2_print.h"
#include "kit/ui/masked_edit.h"
#include "qt_app.h"
#include "store/global_doc.h"
#include "store/settings_store.h"

namespace formet {
namespace {

using test::ModalAnswers;
using test::PrintDoc;

// Records what reaches the print dialog.
struct Sink {
  int pages = -1;
  QString title;
  std::vector<RecordingCanvas> recorded;
  PrintSink Get() {
    return [this](QWidget*, const FormPrintJob& job, const QString& t) {
      pages = job.PageCount();
      title = t;
      recorded = RecordJob(job);
      return true;
    };
  }
};

TEST(PrintOptionsDialog, FirstRunW2AndItsEnabling) {
  test::QtApp();
  FormPrintSettings settings;
  CW2PrintOptionsDlg dialog(settings, nullptr, nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Set W2 Print Options");
  EXPECT_EQ(dialog.HorizontalOffset()->Text(), "0.00");
  EXPECT_EQ(dialog.VerticalOffset()->Text(), "0.00");
  EXPECT_EQ(dialog.VerticalSpace()->Text(), "1.33");
  EXPECT_TRUE(dialog.DirectionButton(true, 1)->isChecked());
  EXPECT_TRUE(dialog.DirectionButton(false, 1)->isChecked());
  EXPECT_TRUE(dialog.TargetButton(0)->isChecked());
  EXPECT_TRUE(dialog.PaperButton(static_cast<int>(W2PaperChoice::RedInk))->isChecked());
  EXPECT_EQ(dialog.CopyList()->currentText(), "Copies B, C and 2 [4-Up Format]");
  EXPECT_EQ(dialog.CopyList()->count(), 10);
  EXPECT_FALSE(dialog.CopyList()->isEnabled());
  EXPECT_TRUE(dialog.HorizontalOffset()->isEnabled());
  EXPECT_TRUE(dialog.VerticalSpace()->isEnabled());

  dialog.PaperButton(static_cast<int>(W2PaperChoice::Copy))->setChecked(true);
  EXPECT_TRUE(dialog.CopyList()->isEnabled());
  EXPECT_FALSE(dialog.HorizontalOffset()->isEnabled());
  EXPECT_FALSE(dialog.VerticalSpace()->isEnabled());
  dialog.PaperButton(static_cast<int>(W2PaperChoice::CopyASubstitute))->setChecked(true);
  EXPECT_FALSE(dialog.CopyList()->isEnabled());
  EXPECT_FALSE(dialog.HorizontalOffset()->isEnabled());
}

TEST(PrintOptionsDialog, OkRefusesAVerticalSpaceOutOfRangeAndStoresTheRest) {
  test::QtApp();
  FormPrintSettings settings;
  CW2PrintOptionsDlg dialog(settings, nullptr, nullptr);
  dialog.VerticalSpace()->SetText("1.76");
  dialog.HorizontalOffset()->SetText("0.25");
  dialog.DirectionButton(true, 0)->setChecked(true);
  ModalAnswers answers;
  answers.ThenButton(QMessageBox::Ok);
  dialog.accept();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], QString::fromUtf8("Vertical space between top and bottom forms can\u2019t be greater than 1.75 inches"));
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(settings, FormPrintSettings{});  // nothing stored
  EXPECT_TRUE(dialog.VerticalSpace()->Text().rfind("1.33", 0) == 0) << dialog.VerticalSpace()->Text();

  dialog.VerticalSpace()->SetText("1.50");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_DOUBLE_EQ(settings.verticalSpace, 1.50);
  EXPECT_DOUBLE_EQ(settings.horizontalOffset, -0.25);
  EXPECT_EQ(settings.horizontalDirection, 0);
}

TEST(PrintOptionsDialog, TheOtherFormsDialogs) {
  test::QtApp();
  FormPrintSettings w3;
  CW3PrintOptionsDlg w3Dialog(w3, nullptr, nullptr);
  EXPECT_EQ(w3Dialog.windowTitle(), "");
  EXPECT_EQ(w3Dialog.PaperButton(2)->text(), "Print a complete Laser substitute for Form W3 (SSA-approved) ");
  EXPECT_TRUE(w3Dialog.PaperButton(1)->isChecked());
  EXPECT_TRUE(w3Dialog.HorizontalOffset()->isEnabled());
  w3Dialog.PaperButton(0)->setChecked(true);
  EXPECT_FALSE(w3Dialog.HorizontalOffset()->isEnabled());
  EXPECT_EQ(w3Dialog.CopyList(), nullptr);
  EXPECT_EQ(w3Dialog.TargetButton(0), nullptr);

  FormPrintSettings misc;
  misc.paperType = 0;
  misc.blankCopyType = 2;
  misc.verticalOffset = -0.05;
  misc.verticalDirection = 0;
  C1099PrintOptionsDlg miscDialog(misc, nullptr, nullptr);
  EXPECT_EQ(miscDialog.windowTitle(), "Set 1099 Print Options");
  EXPECT_EQ(miscDialog.CopyList()->currentText(),
            QString::fromUtf8("Copy 2-To be filed with recipient\u2019s state income tax"));
  EXPECT_EQ(miscDialog.VerticalOffset()->Text(), "0.05");
  EXPECT_TRUE(miscDialog.DirectionButton(false, 0)->isChecked());
  EXPECT_FALSE(miscDialog.VerticalOffset()->isEnabled());
  EXPECT_EQ(miscDialog.TargetButton(1)->text(), "All Contractors");

  FormPrintSettings transmittal;
  C1096PrintOptionsDlg dialog1096(transmittal, nullptr, nullptr);
  EXPECT_EQ(dialog1096.windowTitle(), "Set 1096 Print Options");
  EXPECT_EQ(dialog1096.PaperButton(0)->text(), "Print a copy");
}

TEST(PrintFlow, W2FourUpShowsTheNoteAndHandsEveryPageToThePrintDialog) {
  test::QtApp();
  PrintDoc d(5);
  Sink sink;
  ModalAnswers answers;
  answers.Then([](QWidget* w) {
    auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->TargetButton(1)->setChecked(true);
    dialog->PaperButton(static_cast<int>(W2PaperChoice::Copy))->setChecked(true);
    dialog->CopyList()->setCurrentIndex(kW2FourUp);
    dialog->accept();
  });
  EXPECT_TRUE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(5), 0, sink.Get()));
  EXPECT_EQ(answers.texts, (std::vector<QString>{"Set W2 Print Options"}));
  ASSERT_EQ(d.ui.messages.size(), 1u);  // the Publication 1141 note
  EXPECT_EQ(d.ui.messages[0].rfind(kFourUpNoteHeading, 0), 0u);
  EXPECT_EQ(sink.pages, 5);
  EXPECT_EQ(sink.title, "Form W-2");
  // The settings keep what was chosen.
  EXPECT_EQ(d.doc.GetPrintSettings(PrintForm::W2).blankCopyType, kW2FourUp);
  EXPECT_EQ(d.doc.GetPrintSettings(PrintForm::W2).printTarget, 1);

  // Cancel prints nothing and leaves the settings.
  const FormPrintSettings before = d.doc.GetPrintSettings(PrintForm::W2);
  sink.pages = -1;
  answers.Then([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
  EXPECT_FALSE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(5), 0, sink.Get()));
  EXPECT_EQ(sink.pages, -1);
  EXPECT_EQ(d.doc.GetPrintSettings(PrintForm::W2), before);
}

TEST(PrintFlow, PreviewShowsTheJobOfTheCurrentChoices) {
  test::QtApp();
  PrintDoc d(3);
  Sink sink;
  int previewPages = -1;
  QString previewTitle;
  ModalAnswers answers;
  answers.Then([](QWidget* w) {
    auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->TargetButton(1)->setChecked(true);
    dialog->PreviewButton()->click();  // opens the preview, answered below
  });
  answers.Then([&](QWidget* w) {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
    ASSERT_NE(preview, nullptr);
    previewTitle = preview->windowTitle();
    auto* widget = preview->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(widget, nullptr);
    previewPages = widget->pageCount();
    preview->reject();
  });
  answers.Then([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });  // back in the options: Cancel
  EXPECT_FALSE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(3), 0, sink.Get()));
  EXPECT_EQ(previewPages, 2);  // three red-ink forms, two to a sheet
  EXPECT_EQ(previewTitle, "Print Preview: Form W-2");
  EXPECT_EQ(sink.pages, -1);
  EXPECT_EQ(d.doc.GetPrintSettings(PrintForm::W2).printTarget, 0);  // a preview stores nothing
}

// The red-ink preview shows the 2007 form behind the data: its check box is
// checked when the preview opens, and the page is drawn again without the
// form when it is cleared. A blank-paper preview has no such box.
TEST(PrintFlow, RedInkPreviewShowsTheFormOutlineAtWill) {
  test::QtApp();
  PrintDoc d(2);
  Sink sink;
  bool found = false, checkedAtFirst = false;
  int changedByOutline = 0, changedBack = 0;
  ModalAnswers answers;
  answers.Then([](QWidget* w) { qobject_cast<CPrintOptionsDlg*>(w)->PreviewButton()->click(); });
  answers.Then([&](QWidget* w) {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
    ASSERT_NE(preview, nullptr);
    auto* box = preview->findChild<QCheckBox*>(kShowOutlineName);
    auto* widget = preview->findChild<QPrintPreviewWidget*>();
    found = box && widget;
    if (found) {
      EXPECT_EQ(box->text(), "Show form outline");
      checkedAtFirst = box->isChecked();
      widget->fitInView();
      const QImage with = widget->grab().toImage();
      box->setChecked(false);
      QApplication::processEvents();
      const QImage without = widget->grab().toImage();
      box->setChecked(true);
      QApplication::processEvents();
      const QImage again = widget->grab().toImage();
      auto differing = [](const QImage& a, const QImage& b) {
        if (a.size() != b.size()) return -1;
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
          for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
        return n;
      };
      changedByOutline = differing(with, without);
      changedBack = differing(with, again);
    }
    preview->reject();
  });
  answers.Then([](QWidget* w) {
    // Back in the options: a copy on blank paper has the form drawn already.
    auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
    dialog->TargetButton(1)->setChecked(true);
    dialog->PaperButton(static_cast<int>(W2PaperChoice::Copy))->setChecked(true);
    dialog->CopyList()->setCurrentIndex(3);
    dialog->PreviewButton()->click();
  });
  bool blankHasBox = true;
  answers.Then([&](QWidget* w) {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
    ASSERT_NE(preview, nullptr);
    blankHasBox = preview->findChild<QCheckBox*>(kShowOutlineName) != nullptr;
    preview->reject();
  });
  answers.Then([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
  EXPECT_FALSE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(2), 0, sink.Get()));
  ASSERT_TRUE(found);
  EXPECT_TRUE(checkedAtFirst);
  EXPECT_GT(changedByOutline, 2000);  // the rules and labels of two forms
  EXPECT_EQ(changedBack, 0);
  EXPECT_FALSE(blankHasBox);
  EXPECT_EQ(sink.pages, -1);  // the preview prints nothing
}

// Each red-ink options dialog prints an alignment page at the offsets typed
// in it, and stays open; the page stores nothing. The button is off for
// blank paper.
TEST(PrintFlow, EveryRedInkDialogPrintsAnAlignmentPageAtItsOffsets) {
  test::QtApp();
  struct Case {
    PrintForm form;
    int copyPaper;  // a blank-paper choice of the dialog
    const char* title;
  };
  for (const Case& c : {Case{PrintForm::W2, static_cast<int>(W2PaperChoice::Copy), "Form W-2"},
                        Case{PrintForm::W3, 0, "Form W-3"}, Case{PrintForm::Form1099, 0, "Form 1099-MISC"},
                        Case{PrintForm::Form1096, 0, "Form 1096"}}) {
    PrintDoc d(2);
    Sink sink;
    bool enabledOnBlank = true, enabledOnRedInk = false;
    ModalAnswers answers;
    answers.Then([&](QWidget* w) {
      auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->AlignmentPageButton()->text(), "Print &Alignment Page");
      dialog->PaperButton(c.copyPaper)->setChecked(true);
      enabledOnBlank = dialog->AlignmentPageButton()->isEnabled();
      dialog->PaperButton(c.form == PrintForm::W2 ? static_cast<int>(W2PaperChoice::RedInk) : 1)->setChecked(true);
      enabledOnRedInk = dialog->AlignmentPageButton()->isEnabled();
      dialog->HorizontalOffset()->SetText("0.25");
      dialog->DirectionButton(true, 0)->setChecked(true);
      dialog->VerticalOffset()->SetText("0.10");
      dialog->AlignmentPageButton()->click();
      EXPECT_TRUE(dialog->isVisible());  // still open, to change the offsets and print again
      dialog->reject();
    });
    const FormPrintSettings before = d.doc.GetPrintSettings(c.form);
    switch (c.form) {
      case PrintForm::W2: PrintW2Forms(nullptr, d.doc, d.ui, d.Order(2), 0, sink.Get()); break;
      case PrintForm::W3: PrintW3Form(nullptr, d.doc, sink.Get()); break;
      case PrintForm::Form1099: Print1099Forms(nullptr, d.doc, d.ui, d.Order(2), 0, sink.Get()); break;
      case PrintForm::Form1096: Print1096Form(nullptr, d.doc, sink.Get()); break;
    }
    EXPECT_FALSE(enabledOnBlank) << c.title;
    EXPECT_TRUE(enabledOnRedInk) << c.title;
    EXPECT_EQ(sink.title, QString(c.title) + " alignment page");
    EXPECT_EQ(sink.pages, 1) << c.title;
    ASSERT_EQ(sink.recorded.size(), 1u) << c.title;
    EXPECT_NE(sink.recorded[0].FindText(std::string("Alignment page for the pre-printed red-ink ") + c.title), nullptr);
    EXPECT_NE(sink.recorded[0].FindText("Printed with the offsets 0.25 inch to the left and 0.10 inch down."), nullptr)
        << c.title;
    EXPECT_EQ(sink.recorded[0].FindText("Acme Supply"), nullptr);  // sample data, not the company's
    EXPECT_EQ(d.doc.GetPrintSettings(c.form), before) << c.title;
  }
}

TEST(PrintFlow, Form1099QuestionsAndTheTransmittals) {
  test::QtApp();
  PrintDoc d(3);
  d.doc.GetForms1099()[1].SetField15A("");
  Sink sink;
  ModalAnswers answers;
  auto allCopyB = [](QWidget* w) {
    auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->TargetButton(1)->setChecked(true);
    dialog->PaperButton(0)->setChecked(true);
    dialog->CopyList()->setCurrentIndex(1);
    dialog->accept();
  };
  answers.Then(allCopyB);
  d.ui.answers = {Answer::No};
  EXPECT_FALSE(Print1099Forms(nullptr, d.doc, d.ui, d.Order(3), 0, sink.Get()));
  EXPECT_EQ(d.ui.questions, (std::vector<std::string>{kAllFormsEmptyQuestion}));
  EXPECT_EQ(d.doc.GetPrintSettings(PrintForm::Form1099).blankCopyType, 1);  // kept though nothing printed
  answers.Then(allCopyB);
  d.ui.answers = {Answer::Yes};
  EXPECT_TRUE(Print1099Forms(nullptr, d.doc, d.ui, d.Order(3), 0, sink.Get()));
  EXPECT_EQ(sink.pages, 2);
  EXPECT_NE(sink.recorded[0].FindText("Copy B"), nullptr);

  answers.Then([](QWidget* w) {
    auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
    dialog->PaperButton(0)->setChecked(true);
    dialog->accept();
  });
  EXPECT_TRUE(PrintW3Form(nullptr, d.doc, sink.Get()));
  EXPECT_EQ(sink.title, "Form W-3");
  EXPECT_EQ(sink.recorded[0].OfKind(CanvasOp::Kind::OutlinedText).size(), 1u);
  EXPECT_NE(sink.recorded[0].FindText("6000.00"), nullptr);

  answers.Then([](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
  EXPECT_TRUE(Print1096Form(nullptr, d.doc, sink.Get()));
  EXPECT_EQ(sink.title, "Form 1096");
  EXPECT_NE(sink.recorded[0].FindText("3"), nullptr);
}

// Values too wide for their boxes even at 6 points: before the print dialog,
// the list of them; "Print anyway" goes on, "Cancel" (the default) prints
// nothing. A print with nothing to cut shows no list.
TEST(PrintFlow, ValuesThatWouldBeCutAreListedBeforePrinting) {
  test::QtApp();
  PrintDoc d(2);
  for (auto& w : d.doc.GetW2Forms()) w.SetField12aAmount("-999999999.99");
  Sink sink;
  ModalAnswers answers;
  auto fourUp = [](QWidget* w) {
    auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->TargetButton(1)->setChecked(true);
    dialog->PaperButton(static_cast<int>(W2PaperChoice::Copy))->setChecked(true);
    dialog->CopyList()->setCurrentIndex(kW2FourUp);
    dialog->accept();
  };
  std::vector<std::vector<QString>> rows;
  bool cancelIsDefault = false;
  auto answerCuts = [&](bool printAnyway) {
    return [&, printAnyway](QWidget* w) {
      auto* list = qobject_cast<CCutListDlg*>(w);
      ASSERT_NE(list, nullptr);
      rows.clear();
      for (int r = 0; r < list->Table()->rowCount(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < list->Table()->columnCount(); ++c) rows.back().push_back(list->Table()->item(r, c)->text());
      }
      cancelIsDefault = list->CancelButton()->isDefault();
      (printAnyway ? list->PrintAnywayButton() : list->CancelButton())->click();
    };
  };

  answers.Then(fourUp);
  answers.Then(answerCuts(false));
  EXPECT_FALSE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(2), 0, sink.Get()));
  EXPECT_EQ(sink.pages, -1);
  EXPECT_EQ(answers.texts, (std::vector<QString>{"Set W2 Print Options", kCutListTitle}));
  EXPECT_TRUE(cancelIsDefault);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<QString>{"Form W-2 of Ann Q Lee1 Jr (123-45-6781)", "12a amount", "-999999999.99",
                                           "-999999999.9"}));

  answers.Then(fourUp);
  answers.Then(answerCuts(true));
  EXPECT_TRUE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(2), 0, sink.Get()));
  EXPECT_EQ(sink.pages, 2);
  EXPECT_NE(sink.recorded[0].FindText("-999999999.9"), nullptr);

  // Copy B's box 12 holds the amount: no list.
  answers.texts.clear();
  answers.Then([](QWidget* w) {
    auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
    dialog->CopyList()->setCurrentIndex(3);
    dialog->accept();
  });
  EXPECT_TRUE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(2), 0, sink.Get()));
  EXPECT_EQ(answers.texts, (std::vector<QString>{"Set W2 Print Options"}));
}

// The PDF proposed by the print dialog says whose forms it holds.
TEST(PrintFileNames, NamedForTheCompanyAndTheForm) {
  struct Case {
    const char* company;
    PrintForm form;
    const char* file;
  };
  const Case cases[] = {
      {"Acme Supply", PrintForm::W2, "Acme Supply - Form W-2.pdf"},
      {"Acme", PrintForm::W3, "Acme - Form W-3.pdf"},
      {"O'Brien Caf\xE9", PrintForm::Form1099, "O'Brien Caf\xE9 - Form 1099-MISC.pdf"},
      {"Acme", PrintForm::Form1096, "Acme - Form 1096.pdf"},
      {"", PrintForm::W2, "Form W-2.pdf"},          // no company name
      {"Up/Down", PrintForm::W2, "Form W-2.pdf"},   // no file name
      {".hidden", PrintForm::W3, "Form W-3.pdf"},   // a hidden file
  };
  for (const auto& c : cases) EXPECT_EQ(ProposedPdfFileName(c.company, c.form), c.file) << c.company;
}

// The proposal goes in the folder where that form's PDF was last written,
// and the print dialog shows it in its file field; a PDF written there
// keeps its folder for the next print of that form only.
TEST(PrintFileNames, TheDialogProposesTheLastFolderOfTheForm) {
  test::QtApp();
  PrintDoc d(1);
  d.doc.SetWindowTitle("Acme Supply");
  const QString home = QDir::homePath();
  EXPECT_EQ(ProposedPdfPath(d.doc, PrintForm::W2), home + "/Acme Supply - Form W-2.pdf");
  test::TempDir folder;
  const QString kept = QString::fromStdString(folder.path().string());
  ASSERT_TRUE(WriteLastPdfFolder(d.settings, PrintForm::W3, folder.path().string()));
  EXPECT_EQ(ProposedPdfPath(d.doc, PrintForm::W3), kept + "/Acme Supply - Form W-3.pdf");
  EXPECT_EQ(ProposedPdfPath(d.doc, PrintForm::W2), home + "/Acme Supply - Form W-2.pdf");
  ASSERT_TRUE(WriteLastPdfFolder(d.settings, PrintForm::Form1096, (folder / "gone").string()));
  EXPECT_EQ(ProposedPdfPath(d.doc, PrintForm::Form1096), home + "/Acme Supply - Form 1096.pdf");

  const W2PrintJob job(W2PrintData{&d.doc.GetCompany(), &d.doc.GetEmployees(), &d.doc.GetW2Forms(), d.Order(1), 0},
                       d.doc.GetPrintSettings(PrintForm::W2));
  test::TempDir target;
  const QString written = QString::fromStdString((target / "mine.pdf").string());
  QString proposed;
  ModalAnswers answers;
  answers.Then([&](QWidget* w) {
    auto* field = w->findChild<QLineEdit*>(kPrintFileFieldName);
    ASSERT_NE(field, nullptr);
    proposed = field->text();
    // The file printer (the last entry), to another folder.
    if (auto* printers = w->findChild<QComboBox*>(QStringLiteral("printers")))
      printers->setCurrentIndex(printers->count() - 1);
    field->setText(written);
    static_cast<QDialog*>(w)->accept();
  });
  EXPECT_TRUE(PrintWithDialogFor(d.doc, PrintForm::W2, nullptr, job, PrintJobTitle(PrintForm::W2)));
  EXPECT_EQ(proposed, home + "/Acme Supply - Form W-2.pdf");
  EXPECT_TRUE(QFileInfo(written).isFile());
  EXPECT_EQ(ReadLastPdfFolder(d.settings, PrintForm::W2), target.path().string());
  EXPECT_EQ(ProposedPdfPath(d.doc, PrintForm::W2),
            QString::fromStdString(target.path().string()) + "/Acme Supply - Form W-2.pdf");
  EXPECT_EQ(ReadLastPdfFolder(d.settings, PrintForm::Form1099), "");
}

// Before the print dialog, the problems of the forms to be printed: Cancel
// prints nothing; Print anyway goes on. The 1099 print asks the same.
TEST(PrintFlow, ProblemsOfTheFormsAreAskedAboutBeforePrinting) {
  test::QtApp();
  PrintDoc d(2);
  d.doc.GetW2Forms()[1].SetField12bAmount("40.00");  // an amount without its code
  for (size_t i = 0; i < 2; ++i) d.doc.GetContractors()[i].SetIdentificationNumber("11-222333" + std::to_string(i + 1));
  d.doc.GetForms1099()[0].SetPayerStateID1("");
  d.doc.GetForms1099()[0].SetStateIncome1("300.00");
  Sink sink;
  ModalAnswers answers;
  const auto allForms = [](QWidget* w) {
    auto* dialog = qobject_cast<CPrintOptionsDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->TargetButton(1)->setChecked(true);
    dialog->accept();
  };
  answers.Then(allForms);
  d.ui.printAnywayAnswers = {false};
  EXPECT_FALSE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(2), 0, sink.Get()));
  EXPECT_EQ(sink.pages, -1);
  ASSERT_EQ(d.ui.printAnyway.size(), 1u);
  EXPECT_EQ(d.ui.printAnyway[0].heading, "1 of the forms to be printed has 1 error:");
  EXPECT_EQ(d.ui.printAnyway[0].problems,
            std::vector<std::string>{"Error: W-2 of Lee2, Ann (123-45-6782): Box 12b has an amount but no code"});

  answers.Then(allForms);
  d.ui.printAnywayAnswers = {true};
  EXPECT_TRUE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(2), 0, sink.Get()));
  EXPECT_EQ(sink.pages, 1);
  EXPECT_EQ(d.ui.printAnyway.size(), 2u);

  // The current employee's W-2 alone has nothing to remark: nothing is asked.
  answers.Then([](QWidget* w) {
    qobject_cast<CPrintOptionsDlg*>(w)->TargetButton(0)->setChecked(true);
    qobject_cast<QDialog*>(w)->accept();
  });
  sink.pages = -1;
  EXPECT_TRUE(PrintW2Forms(nullptr, d.doc, d.ui, d.Order(2), 0, sink.Get()));
  EXPECT_EQ(sink.pages, 1);
  EXPECT_EQ(d.ui.printAnyway.size(), 2u);

  answers.Then(allForms);
  d.ui.answers = {Answer::Yes};  // box 17 is empty: print all the same
  d.ui.printAnywayAnswers = {false};
  sink.pages = -1;
  EXPECT_FALSE(Print1099Forms(nullptr, d.doc, d.ui, d.Order(2), 0, sink.Get()));
  EXPECT_EQ(sink.pages, -1);
  ASSERT_EQ(d.ui.printAnyway.size(), 3u);
  ASSERT_EQ(d.ui.printAnyway[2].problems.size(), 1u);
  EXPECT_EQ(d.ui.printAnyway[2].problems[0].rfind("Error: 1099-MISC of Bolt Electric 1 (11-2223331): Line 1", 0), 0u)
      << d.ui.printAnyway[2].problems[0];
}

}  // namespace
}  // namespace formet
