// Renders the four print options dialogs and a print preview to PNG files
// for a look: print_ui_shots <folder>.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QDialog>
#include <QDir>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

#include <cstdio>

#include "../forms/print_fixture.h"
#include "forms/alignment_page.h"
#include "forms/print/box_fit.h"
#include "forms/print/qt/qt_canvas.h"
#include "forms/print/ui/cut_list_dlg.h"
#include "forms/print/ui/payee_files_box.h"
#include "forms/print/ui/print_flow.h"
#include "forms/print/ui/print_options_dlg.h"
#include "forms/w2/w2_print.h"

namespace {

using namespace formet;

bool Save(QWidget& w, const QDir& dir, const char* name) {
  w.adjustSize();
  QCoreApplication::processEvents();
  const QString path = dir.filePath(QString::fromLatin1(name));
  if (!w.grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: print_ui_shots <folder>\n");
    return 2;
  }
  QDir out(QString::fromLocal8Bit(argv[1]));
  out.mkpath(QStringLiteral("."));
  bool ok = true;

  FormPrintSettings settings[4];
  settings[2].paperType = 0;
  settings[2].blankCopyType = 1;
  CW2PrintOptionsDlg w2(settings[0], nullptr, nullptr);
  ok &= Save(w2, out, "print-options-w2.png");
  CW3PrintOptionsDlg w3(settings[1], nullptr, nullptr);
  ok &= Save(w3, out, "print-options-w3.png");
  C1099PrintOptionsDlg misc(settings[2], nullptr, nullptr);
  ok &= Save(misc, out, "print-options-1099.png");
  C1096PrintOptionsDlg transmittal(settings[3], nullptr, nullptr);
  ok &= Save(transmittal, out, "print-options-1096.png");

  // One protected PDF file per employee; per recipient with passwords of a
  // CSV file.
  FormPrintSettings perPayee[2];
  CW2PrintOptionsDlg w2Files(perPayee[0], nullptr, nullptr);
  w2Files.PayeeFiles()->setChecked(true);
  w2Files.PayeeFiles()->FolderField()->setText(QStringLiteral("/home/pat/Clients/Sample Company/2007 copies"));
  w2Files.PayeeFiles()->EncryptBox()->setChecked(true);
  ok &= Save(w2Files, out, "print-options-per-employee.png");
  C1099PrintOptionsDlg miscFiles(perPayee[1], nullptr, nullptr);
  CPayeeFilesBox* box = miscFiles.PayeeFiles();
  box->setChecked(true);
  box->FolderField()->setText(QStringLiteral("/home/pat/Clients/Sample Company/2007 copies"));
  box->EncryptBox()->setChecked(true);
  box->FilePasswordButton()->setChecked(true);
  box->PasswordFileField()->setText(QStringLiteral("/home/pat/Clients/Sample Company/passwords.csv"));
  box->PasswordColumnList()->addItem(QStringLiteral("Password"));
  ok &= Save(miscFiles, out, "print-options-per-recipient.png");

  // The preview of three red-ink W-2s.
  const test::PrintPayroll payroll(3);
  FormPrintSettings all;
  all.printTarget = 1;
  const W2PrintJob job({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, all);
  QPrinter printer(QPrinter::HighResolution);
  PreparePrinter(printer);
  PictureCache pictures(FormPictureFolder());
  QPrintPreviewWidget preview(&printer);
  QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                   [&](QPrinter* device) { PrintJobOnDevice(job, *device, pictures); });
  preview.resize(700, 900);
  preview.show();
  preview.updatePreview();
  preview.fitInView();
  QCoreApplication::processEvents();
  ok &= Save(preview, out, "print-preview-w2.png");
  preview.hide();

  // The preview dialog of the same print, as the options dialog opens it,
  // with the 2007 form behind the data; and the W-2's alignment page.
  auto grabPreview = [&](const char* name) {
    QTimer::singleShot(300, [&, name] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->resize(760, 900);
        if (auto* widget = dialog->findChild<QPrintPreviewWidget*>()) widget->fitToWidth();
        QCoreApplication::processEvents();
        const QString path = out.filePath(QString::fromLatin1(name));
        ok &= dialog->grab().save(path);
        std::printf("%s\n", qPrintable(path));
        dialog->reject();
      }
    });
  };
  grabPreview("print-preview-w2-outline.png");
  ShowPrintPreview(nullptr, job, PrintJobTitle(PrintForm::W2), PrintForm::W2);
  const auto alignment = MakeAlignmentPage(PrintForm::W2, FormPrintSettings{});
  grabPreview("print-alignment-page-w2.png");
  ShowPrintPreview(nullptr, *alignment, PrintJobTitle(PrintForm::W2) + " alignment page");

  // The list of values that would be cut, before a 4-Up print of two
  // employees whose box 12 amounts do not fit even in 6-point type.
  test::PrintPayroll wide(2);
  for (auto& w : wide.forms) w.SetField12aAmount("-999999999.99");
  wide.employees[1].SetFirstName("Maximilian-Alexander");
  wide.forms[1].SetStateID1("AR-123456789012");
  FormPrintSettings fourUp = all;
  fourUp.paperType = 0;
  fourUp.blankCopyType = 0;
  const W2PrintJob wideJob({&wide.company, &wide.employees, &wide.forms, wide.order, 0}, fourUp);
  CutReport cuts = ListCuts(wideJob, RecordingCanvas::kLetterPdf);
  cuts.Add({"Form 1096", "FILER'S name", std::string(59, 'W'), std::string(56, 'W')});  // as a longer list shows
  CCutListDlg list(cuts, nullptr);
  list.show();
  QCoreApplication::processEvents();
  ok &= Save(list, out, "print-cut-list.png");
  return ok ? 0 : 1;
}
