#include "forms/print/ui/print_flow.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

#include "forms/1099/form1096_print.h"
#include "forms/1099/form1099_corrections.h"
#include "forms/1099/form1099_print.h"
#include "forms/form_review.h"
#include "forms/print/box_fit.h"
#include "forms/payee_files.h"
#include "forms/print/qt/payee_pdf.h"
#include "forms/print/qt/qt_canvas.h"
#include "forms/print/ui/cut_list_dlg.h"
#include "forms/print/ui/payee_files_box.h"
#include "forms/print/ui/print_options_dlg.h"
#include "forms/red_ink_outline.h"
#include "forms/w2/w2_print.h"
#include "forms/w2/w3_print.h"
#include "kit/ui/qt_text.h"
#include "kit/ui/work_progress_dialog.h"
#include "store/global_doc.h"
#include "store/text_codec.h"
#include "store/ui_services.h"

namespace formet {

QString PrintJobTitle(PrintForm form) { return QString::fromLatin1(PrintFormTitle(form)); }

QString FormPictureFolder() { return QCoreApplication::applicationDirPath(); }

void PreparePrinter(QPrinter& printer) {
  printer.setPageSize(QPageSize(QPageSize::Letter));
  printer.setPageOrientation(QPageLayout::Portrait);
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    const PdfMargins pdf;
    printer.setPageMargins(QMarginsF(pdf.leftMm, pdf.topMm, pdf.leftMm, pdf.topMm), QPageLayout::Millimeter);
  }
}

namespace {

// The print dialog with a file proposed for a PDF. Qt's dialog fills its
// file field from the printer each time it is shown (a file name on the
// printer would also make the PDF file its first choice over the printers),
// so the proposal is put in the field once the dialog has filled it.
class CProposingPrintDialog : public QPrintDialog {
 public:
  CProposingPrintDialog(QPrinter* printer, QWidget* parent, QString file)
      : QPrintDialog(printer, parent), file_(std::move(file)) {}
  void setVisible(bool visible) override {
    QPrintDialog::setVisible(visible);
    if (!visible || file_.isEmpty()) return;
    if (auto* field = findChild<QLineEdit*>(QString::fromLatin1(kPrintFileFieldName))) field->setText(file_);
  }

 private:
  QString file_;
};

// The print dialog, then the job on the chosen printer or file. A PDF
// written is named in `pdfWritten`.
bool RunPrintDialog(QWidget* parent, const FormPrintJob& job, const QString& title, const QString& proposal,
                    QString* pdfWritten) {
  QPrinter printer(QPrinter::HighResolution);
  // The job's name; Qt's dialog also names its proposed file after it.
  printer.setDocName(proposal.isEmpty() ? title : QFileInfo(proposal).completeBaseName());
  PreparePrinter(printer);
  CProposingPrintDialog dialog(&printer, parent, proposal);
  dialog.setMinMax(1, job.PageCount());
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  if (dialog.exec() != QDialog::Accepted) return false;
  std::unique_ptr<CWorkProgressDlg> progress;
  if (job.PageCount() > kPrintProgressPages) progress = std::make_unique<CWorkProgressDlg>(parent, title);
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    if (const auto problem = PrintJobToFile(job, printer, title, progress.get())) {
      progress.reset();
      QMessageBox::warning(parent, QStringLiteral("Formet (2007)"), *problem);
      return false;
    }
    if (progress && progress->Cancelled()) return false;
    if (pdfWritten) *pdfWritten = printer.outputFileName();
    return true;
  }
  PictureCache pictures(FormPictureFolder());
  if (!PrintJobOnDevice(job, printer, pictures, 0, 0, progress.get())) {
    if (progress && progress->Cancelled()) {
      printer.abort();  // the pages drawn so far never reach the printer
      return false;
    }
    progress.reset();
    QMessageBox::warning(parent, QStringLiteral("Formet (2007)"),
                         QObject::tr("The printer \"%1\" could not be used, so nothing was printed.")
                             .arg(printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                                 : printer.printerName()));
    return false;
  }
  return true;
}

}  // namespace

bool PrintWithDialog(QWidget* parent, const FormPrintJob& job, const QString& title) {
  return RunPrintDialog(parent, job, title, {}, nullptr);
}

QString ProposedPdfPath(CGlobalDoc& doc, PrintForm form) {
  QString folder = ToQt(ReadLastPdfFolder(doc.Settings(), form));
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  return QDir(folder).filePath(ToQt(ProposedPdfFileName(doc.CompanyName(), form)));
}

bool PrintWithDialogFor(CGlobalDoc& doc, PrintForm form, QWidget* parent, const FormPrintJob& job,
                        const QString& title) {
  QString written;
  if (!RunPrintDialog(parent, job, title, ProposedPdfPath(doc, form), &written)) return false;
  if (!written.isEmpty()) {
    // Kept only when the settings can hold the folder's name as it is.
    const QString folder = QFileInfo(written).absolutePath();
    const std::string stored = FromQt(folder);
    if (ToQt(stored) == folder) WriteLastPdfFolder(doc.Settings(), form, stored);
  }
  return true;
}

std::optional<QString> PrintJobToFile(const FormPrintJob& job, const QPrinter& printer, const QString& title,
                                      WorkProgress* progress) {
  if (printer.outputFileName().isEmpty()) return QObject::tr("No file was named, so nothing was printed.");
  PictureCache pictures(FormPictureFolder());
  QString problem;
  if (!WriteJobToPdfFile(job, printer.outputFileName(), printer.pageLayout(), printer.resolution(), pictures, title,
                         &problem, progress) &&
      !(progress && progress->Cancelled()))
    return problem;
  return std::nullopt;
}

void ShowPrintPreview(QWidget* parent, const FormPrintJob& job, const QString& title,
                      std::optional<PrintForm> outline) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  PreparePrinter(printer);
  PictureCache pictures(FormPictureFolder());
  QPrintPreviewDialog preview(&printer, parent);
  // The forms are printed upright from the options dialog: the preview only
  // shows them.
  for (const char* hidden : {"Print", "Page setup", "Portrait", "Landscape"}) {
    const QString text = QCoreApplication::translate("QPrintPreviewDialog", hidden);
    for (QAction* action : preview.findChildren<QAction*>())
      if (action->text() == text) action->setVisible(false);
  }
  // The red-ink data against the form they are meant for.
  std::optional<OutlinedPrintJob> outlined;
  QCheckBox* showOutline = nullptr;
  if (outline) {
    outlined.emplace(job, *outline, false);
    if (auto* toolbar = preview.findChild<QToolBar*>()) {
      showOutline = new QCheckBox(QObject::tr("Show form outline"), toolbar);
      showOutline->setObjectName(kShowOutlineName);
      showOutline->setToolTip(QObject::tr("Draws the 2007 form in light grey behind the data, where the boxes of "
                                          "the pre-printed form are. The outline is never printed."));
      showOutline->setChecked(true);
      toolbar->addSeparator();
      toolbar->addWidget(showOutline);
      auto* widget = preview.findChild<QPrintPreviewWidget*>();
      QObject::connect(showOutline, &QCheckBox::toggled, &preview, [widget] {
        if (widget) widget->updatePreview();
      });
    }
  }
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* device) {
    const bool withOutline = outlined && showOutline && showOutline->isChecked();
    PrintJobOnDevice(withOutline ? static_cast<const FormPrintJob&>(*outlined) : job, *device, pictures);
  });
  preview.resize(900, 1000);
  preview.exec();
}

bool ConfirmCuts(QWidget* parent, const FormPrintJob& job) {
  QPrinter printer(QPrinter::HighResolution);
  PreparePrinter(printer);
  const CutReport cuts = ListCuts(job, GeometryOfDevice(printer));
  if (cuts.Empty()) return true;
  CCutListDlg dialog(cuts, parent);
  return dialog.exec() == QDialog::Accepted;
}

namespace {

std::unique_ptr<FormPrintJob> Previewable(std::unique_ptr<FormPrintJob> job, bool hasForms) {
  if (!hasForms || job->PageCount() < 1) return nullptr;
  return job;
}

// The options dialog, and the options it changed stored at once (the user
// is told when the settings cannot be written). False when it was cancelled.
bool OptionsConfirmed(QDialog& dialog, CGlobalDoc& doc, const FormPrintSettings& settings) {
  const FormPrintSettings before = settings;
  if (dialog.exec() != QDialog::Accepted) return false;
  if (!(settings == before)) doc.StorePrintSettings();
  return true;
}

// More files than this are written with a progress dialog.
constexpr size_t kPayeeFilesWithProgress = 20;

PayeeSource SourceOf(CGlobalDoc& doc, PrintForm form, std::vector<int> displayOrder) {
  return {form,          doc.CompanyName(),     &doc.GetCompany(),     &doc.GetEmployees(),
          &doc.GetW2Forms(), &doc.GetContractors(), &doc.GetForms1099(), std::move(displayOrder)};
}

// The first payee's file, for the options dialog's preview.
std::unique_ptr<FormPrintJob> FirstPayeeFile(CGlobalDoc& doc, PrintForm form, const std::vector<int>& displayOrder) {
  const PayeeSource source = SourceOf(doc, form, displayOrder);
  const auto files = PlanPayeeFiles(source);
  if (files.empty()) return nullptr;
  return MakePayeeJob(source, files.front(), PayeeCopyTypes(form, std::nullopt));
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

}  // namespace

bool PrintPayeeFiles(QWidget* parent, CGlobalDoc& doc, UiServices& ui, PrintForm form, std::vector<int> displayOrder,
                     const PayeeFilesChoice& choice) {
  const bool w2 = form == PrintForm::W2;
  const std::vector<int> copies = PayeeCopyTypes(form, std::nullopt);
  // The questions and notes of a print of every form of these copies.
  FormPrintSettings all = doc.GetPrintSettings(form);
  all.printTarget = 1;
  all.paperType = 0;
  all.blankCopyType = copies.front();
  const bool prepared =
      w2 ? PrepareW2Print({&doc.GetCompany(), &doc.GetEmployees(), &doc.GetW2Forms(), {}, -1}, all, ui) != nullptr
         : PrepareForm1099Print({&doc.GetCompany(), &doc.GetContractors(), &doc.GetForms1099(), {}, -1}, all, ui) !=
               nullptr;
  if (!prepared) return false;
  // The problems of the forms the files hold.
  const bool confirmed =
      w2 ? ConfirmFormsToPrint(
               W2PrintJob({&doc.GetCompany(), &doc.GetEmployees(), &doc.GetW2Forms(), displayOrder, -1}, all), ui)
         : ConfirmFormsToPrint(
               Form1099PrintJob({&doc.GetCompany(), &doc.GetContractors(), &doc.GetForms1099(), displayOrder, -1}, all),
               ui);
  if (!confirmed) return false;

  const PayeeSource source = SourceOf(doc, form, std::move(displayOrder));
  std::vector<int> skipped;
  const std::vector<PayeeFile> files = PlanPayeeFiles(source, &skipped);
  if (files.empty()) return false;

  std::vector<std::string> passwords;
  if (choice.encrypt) {
    std::optional<PayeePasswords> table;
    if (choice.fromFile) {
      std::string problem = "Passwords cannot be read from a file here.";
      const TableFileReader& reader = CurrentTableFileReader();
      const auto read =
          reader ? reader(std::filesystem::path(QFile::encodeName(choice.passwordFile).toStdString()), problem)
                 : std::nullopt;
      if (read) table = PayeePasswords::FromTable(read->header, read->rows, FromQt(choice.passwordColumn), problem);
      if (!table) {
        ui.ShowError(problem + "\n\nNothing was written.");
        return false;
      }
    }
    std::vector<std::string> problems;
    passwords = PayeeFilePasswords(form, files, table ? &*table : nullptr, problems);
    if (!problems.empty()) {
      ui.ShowError(Joined(problems) + "\n\nNothing was written.");
      return false;
    }
  }

  // What the forms cannot hold even at 6 points, in every file.
  const PdfMargins margins;
  CutReport cuts;
  for (const PayeeFile& file : files) {
    const CutReport ofFile = ListCuts(*MakePayeeJob(source, file, copies), PdfGeometry(margins));
    for (const CutText& cut : ofFile.Cuts()) cuts.Add(cut);
  }
  if (!cuts.Empty()) {
    CCutListDlg dialog(cuts, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
  }

  // Files of the same names are replaced only when the user says so.
  const QDir folder(choice.folder);
  int existing = 0;
  for (const PayeeFile& file : files)
    if (QFileInfo::exists(folder.filePath(ToQt(file.fileName)))) ++existing;
  if (existing > 0 &&
      !ui.AskYesNo(std::to_string(existing) + (existing == 1 ? " of these files is" : " of these files are") +
                   " already in the folder " + FromQt(QDir::toNativeSeparators(choice.folder)) +
                   ". Replace " + (existing == 1 ? "it?" : "them?")))
    return false;

  // A few files are written at once; many show how far the writing is, and
  // may be stopped between two files.
  std::unique_ptr<QProgressDialog> progress;
  if (files.size() > kPayeeFilesWithProgress) {
    progress = std::make_unique<QProgressDialog>(QObject::tr("Writing the PDF files..."), QObject::tr("Stop"), 0,
                                                 static_cast<int>(files.size()), parent);
    progress->setWindowTitle(QStringLiteral("Formet (2007)"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(0);
  }
  PictureCache pictures(FormPictureFolder());
  const PayeeFilesWritten written = WritePayeeFiles(
      source, files, copies, choice.encrypt ? &passwords : nullptr,
      std::filesystem::path(QFile::encodeName(choice.folder).toStdString()), PdfPageLayout(margins), 1200, pictures,
      [&](size_t done, size_t) {
        if (!progress) return true;
        progress->setValue(static_cast<int>(done));
        QCoreApplication::processEvents();
        return !progress->wasCanceled();
      });
  progress.reset();

  const std::string where = FromQt(QDir::toNativeSeparators(choice.folder));
  const std::string title = w2 ? "Form W-2" : "Form 1099-MISC";
  const std::string protectedSo = choice.encrypt ? ", each protected with its password." : ".";
  std::string said;
  if (!written.problem && !written.cancelled) {
    said = "Wrote " + std::to_string(files.size()) + (files.size() == 1 ? " file" : " files") + " of " + title +
           " to " + where + protectedSo;
  } else {
    said = (written.problem ? *written.problem + "\n\n" : std::string("Stopped. ")) +
           std::to_string(written.files.size()) + " of " + std::to_string(files.size()) + " files of " + title +
           " were written to " + where + protectedSo;
  }
  for (int index : skipped)
    said += "\nNo file was made for " +
            (w2 ? W2PayeeName(doc.GetEmployees()[static_cast<size_t>(index)]) + ", who has no W-2."
                : Form1099PayeeName(doc.GetContractors()[static_cast<size_t>(index)]) + ", who has no 1099-MISC.");
  if (written.problem) ui.ShowError(said);
  else ui.ShowMessage(said);
  return !written.problem && !written.cancelled;
}

namespace {

// The sink given, else the desktop's print dialog for the form.
PrintSink SinkFor(const PrintSink& sink, CGlobalDoc& doc, PrintForm form) {
  if (sink) return sink;
  return [&doc, form](QWidget* parent, const FormPrintJob& job, const QString& title) {
    return PrintWithDialogFor(doc, form, parent, job, title);
  };
}

}  // namespace

bool PrintW2Forms(QWidget* parent, CGlobalDoc& doc, UiServices& ui, std::vector<int> displayOrder, int current,
                  const PrintSink& given) {
  const PrintSink sink = SinkFor(given, doc, PrintForm::W2);
  auto data = [&] {
    return W2PrintData{&doc.GetCompany(), &doc.GetEmployees(), &doc.GetW2Forms(), displayOrder, current};
  };
  FormPrintSettings& settings = doc.GetPrintSettings(PrintForm::W2);
  CPrintOptionsDlg* shown = nullptr;
  CW2PrintOptionsDlg dialog(
      settings,
      [&](const FormPrintSettings& trial) -> std::unique_ptr<FormPrintJob> {
        if (shown && shown->PayeeFiles()->isChecked()) return FirstPayeeFile(doc, PrintForm::W2, displayOrder);
        auto job = std::make_unique<W2PrintJob>(data(), trial);
        const bool hasForms = job->PageCount() > 0 && !job->FormsOfPage(1).empty();
        return Previewable(std::move(job), hasForms);
      },
      parent);
  shown = &dialog;
  dialog.SetAlignmentSink(sink);
  if (!OptionsConfirmed(dialog, doc, settings)) return false;
  if (dialog.PayeeFiles()->isChecked())
    return PrintPayeeFiles(parent, doc, ui, PrintForm::W2, displayOrder, dialog.PayeeFiles()->Choice());
  const auto job = PrepareW2Print(data(), settings, ui);
  return job && ConfirmFormsToPrint(*job, ui) && ConfirmCuts(parent, *job) &&
         sink(parent, *job, PrintJobTitle(PrintForm::W2));
}

bool PrintW3Form(QWidget* parent, CGlobalDoc& doc, const PrintSink& given) {
  const PrintSink sink = SinkFor(given, doc, PrintForm::W3);
  // A total that cannot be held is never printed as a number.
  if (const auto refusal = W3PrintRefusal(BuildW3Page(doc.GetCompany(), doc.GetW2Forms()))) {
    QMessageBox::warning(parent, QStringLiteral("Formet (2007)"), ToQt(*refusal));
    return false;
  }
  FormPrintSettings& settings = doc.GetPrintSettings(PrintForm::W3);
  auto job = [&](const FormPrintSettings& s) {
    return std::make_unique<W3PrintJob>(BuildW3Page(doc.GetCompany(), doc.GetW2Forms()), s);
  };
  CW3PrintOptionsDlg dialog(settings, [&](const FormPrintSettings& trial) -> std::unique_ptr<FormPrintJob> {
    return job(trial);
  }, parent);
  dialog.SetAlignmentSink(sink);
  if (!OptionsConfirmed(dialog, doc, settings)) return false;
  const auto w3 = job(settings);
  return ConfirmCuts(parent, *w3) && sink(parent, *w3, PrintJobTitle(PrintForm::W3));
}

bool Print1099Forms(QWidget* parent, CGlobalDoc& doc, UiServices& ui, std::vector<int> displayOrder, int current,
                    const PrintSink& given) {
  const PrintSink sink = SinkFor(given, doc, PrintForm::Form1099);
  auto data = [&] {
    return Form1099PrintData{&doc.GetCompany(), &doc.GetContractors(), &doc.GetForms1099(), displayOrder, current};
  };
  FormPrintSettings& settings = doc.GetPrintSettings(PrintForm::Form1099);
  CPrintOptionsDlg* shown = nullptr;
  C1099PrintOptionsDlg dialog(
      settings,
      [&](const FormPrintSettings& trial) -> std::unique_ptr<FormPrintJob> {
        if (shown && shown->PayeeFiles()->isChecked()) return FirstPayeeFile(doc, PrintForm::Form1099, displayOrder);
        auto job = std::make_unique<Form1099PrintJob>(data(), trial);
        const bool hasForms = job->PageCount() > 0 && !job->FormsOfPage(1).empty();
        return Previewable(std::move(job), hasForms);
      },
      parent);
  shown = &dialog;
  dialog.SetAlignmentSink(sink);
  if (!OptionsConfirmed(dialog, doc, settings)) return false;
  if (dialog.PayeeFiles()->isChecked())
    return PrintPayeeFiles(parent, doc, ui, PrintForm::Form1099, displayOrder, dialog.PayeeFiles()->Choice());
  const auto job = PrepareForm1099Print(data(), settings, ui);
  return job && ConfirmFormsToPrint(*job, ui) && ConfirmCuts(parent, *job) &&
         sink(parent, *job, PrintJobTitle(PrintForm::Form1099));
}

bool Print1096Form(QWidget* parent, CGlobalDoc& doc, const PrintSink& given) {
  const PrintSink sink = SinkFor(given, doc, PrintForm::Form1096);
  if (const auto refusal = Form1096PrintRefusal(Build1096Page(doc.GetCompany(), doc.GetForms1099()))) {
    QMessageBox::warning(parent, QStringLiteral("Formet (2007)"), ToQt(*refusal));
    return false;
  }
  FormPrintSettings& settings = doc.GetPrintSettings(PrintForm::Form1096);
  auto job = [&](const FormPrintSettings& s) {
    return std::make_unique<Form1096PrintJob>(Build1096Page(doc.GetCompany(), doc.GetForms1099()), s);
  };
  C1096PrintOptionsDlg dialog(settings, [&](const FormPrintSettings& trial) -> std::unique_ptr<FormPrintJob> {
    return job(trial);
  }, parent);
  dialog.SetAlignmentSink(sink);
  if (!OptionsConfirmed(dialog, doc, settings)) return false;
  const auto form1096 = job(settings);
  return ConfirmCuts(parent, *form1096) && sink(parent, *form1096, PrintJobTitle(PrintForm::Form1096));
}

namespace {

// Indexes 0 to n - 1: the corrected forms print in the order of the corrections.
std::vector<int> InOrder(size_t n) {
  std::vector<int> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = static_cast<int>(i);
  return order;
}

// The corrected forms, held by the print job that prints them: a preview
// job outlives the next one the options dialog asks for.
struct CorrectedFormsHeld {
  Corrected1099Print held;
};
class CorrectedForm1099Job : private CorrectedFormsHeld, public Form1099PrintJob {
 public:
  CorrectedForm1099Job(const CompanyRecord& company, Corrected1099Print forms, const FormPrintSettings& settings)
      : CorrectedFormsHeld{std::move(forms)},
        Form1099PrintJob({&company, &held.contractors, &held.forms, InOrder(held.contractors.size()), -1}, settings) {
    MarkCorrected(held.corrected, held.zeroed);
  }
  bool HasForms() const { return !held.forms.empty(); }
};

}  // namespace

bool PrintCorrected1099Forms(QWidget* parent, CGlobalDoc& doc, UiServices& ui, const PrintSink& given) {
  const Form1099CorrectionList list = Load1099Corrections(doc);
  if (list.corrections.empty()) {
    ui.ShowMessage(No1099CorrectionsMessage(list));
    return false;
  }
  const PrintSink sink = SinkFor(given, doc, PrintForm::Form1099);
  // Every corrected form; Copy A (the red-ink form) only those for the IRS.
  const auto forms = [&](const FormPrintSettings& s) { return Corrected1099PrintList(list, nullptr, s.paperType == 1); };
  const auto all = [](FormPrintSettings s) {
    s.printTarget = 1;
    return s;
  };
  FormPrintSettings& settings = doc.GetPrintSettings(PrintForm::Form1099);
  C1099PrintOptionsDlg dialog(
      settings,
      [&](const FormPrintSettings& trial) -> std::unique_ptr<FormPrintJob> {
        auto job = std::make_unique<CorrectedForm1099Job>(doc.GetCompany(), forms(trial), all(trial));
        const bool hasForms = job->HasForms();
        return Previewable(std::move(job), hasForms);
      },
      parent);
  dialog.setWindowTitle(dialog.windowTitle() + QCoreApplication::translate("PrintFlow", " - Corrected Forms"));
  // One print of every corrected form: no file per recipient.
  dialog.PayeeFiles()->setChecked(false);
  dialog.PayeeFiles()->hide();
  dialog.SetAlignmentSink(sink);
  if (!OptionsConfirmed(dialog, doc, settings)) return false;
  const Corrected1099Print chosen = forms(settings);
  if (chosen.forms.empty()) {
    ui.ShowMessage("Only the state boxes of the corrected forms changed: Copy A goes to the IRS, which has nothing "
                   "to correct. Print the copies for the state and the recipients.");
    return false;
  }
  auto job = PrepareForm1099Print({&doc.GetCompany(), &chosen.contractors, &chosen.forms,
                                   InOrder(chosen.contractors.size()), -1},
                                  all(settings), ui);
  if (!job) return false;
  job->MarkCorrected(chosen.corrected, chosen.zeroed);
  return ConfirmCuts(parent, *job) &&
         sink(parent, *job, QCoreApplication::translate("PrintFlow", "Corrected Form 1099-MISC"));
}

bool PrintCorrected1096Form(QWidget* parent, CGlobalDoc& doc, const PrintSink& given) {
  const Form1099CorrectionList list = Load1099Corrections(doc);
  if (const std::string none = No1099CorrectionsMessage(list); !none.empty()) {
    doc.Ui().ShowMessage(none);
    return false;
  }
  const Form1096Page page = BuildCorrection1096Page(doc.GetCompany(), list);
  if (const auto refusal = Form1096PrintRefusal(page)) {
    QMessageBox::warning(parent, QStringLiteral("Formet (2007)"), ToQt(*refusal));
    return false;
  }
  const PrintSink sink = SinkFor(given, doc, PrintForm::Form1096);
  FormPrintSettings& settings = doc.GetPrintSettings(PrintForm::Form1096);
  C1096PrintOptionsDlg dialog(settings, [&](const FormPrintSettings& trial) -> std::unique_ptr<FormPrintJob> {
    return std::make_unique<Form1096PrintJob>(page, trial);
  }, parent);
  dialog.setWindowTitle(dialog.windowTitle() + QCoreApplication::translate("PrintFlow", " - Corrected Returns"));
  dialog.SetAlignmentSink(sink);
  if (!OptionsConfirmed(dialog, doc, settings)) return false;
  const Form1096PrintJob form1096(page, settings);
  return ConfirmCuts(parent, form1096) &&
         sink(parent, form1096, QCoreApplication::translate("PrintFlow", "Form 1096 (corrected returns)"));
}

}  // namespace formet
