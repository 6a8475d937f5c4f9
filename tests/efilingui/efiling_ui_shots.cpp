// Renders the electronic filing dialogs over a copy of the Sample Company,
// and their reports, to PNG files: efiling_ui_shots <folder>.
#include <QApplication>
#include <QDir>

#include <cstdio>
#include <filesystem>

#include "forms/1099/irs1099_transmitter.h"
#include "forms/1099/ui/irs1099_dialog.h"
#include "forms/w2/efw2_submitter.h"
#include "forms/w2/ui/efw2_dialog.h"
#include "shell/ui/qt_ui_services.h"
#include "store/global_doc.h"
#include "store/settings_store.h"

namespace {

using namespace formet;

bool Save(QWidget& w, const QDir& dir, const char* name) {
  w.show();
  QCoreApplication::processEvents();
  const QString path = dir.filePath(QString::fromLatin1(name));
  if (!w.grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  w.hide();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: efiling_ui_shots <folder>\n");
    return 2;
  }
  QDir out(QString::fromLocal8Bit(argv[1]));
  out.mkpath(QStringLiteral("."));

  namespace fs = std::filesystem;
  const fs::path scratch = fs::temp_directory_path() / "formet-efiling-ui-shots";
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  fs::copy_file(fs::path(FORMET_BIN_DIR) / "DatabaseFiles" / "Sample Company.qdt", scratch / "Sample Company.qdt");

  QtUiServices ui;
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, scratch);
  doc.BeginSession();
  doc.SetCompany(kSampleCompany);
  if (!doc.OnNewDocument()) return 1;

  bool ok = true;
  {
    CEfw2Dlg dialog(doc);
    dialog.adjustSize();
    ok = Save(dialog, out, "efiling-w2-dialog.png") && ok;
  }
  {
    C1099FileDlg dialog(doc);
    dialog.adjustSize();
    ok = Save(dialog, out, "efiling-1099-dialog.png") && ok;
  }
  {
    CEfw2cDlg dialog(doc);
    dialog.adjustSize();
    ok = Save(dialog, out, "efiling-w2c-dialog.png") && ok;
  }
  {
    // The first run: the submitter as the dialog starts it, with no PIN yet;
    // a W-2 typed with too much social security tax.
    doc.GetSubmitter() = ReadSubmitterDialog(LoadSubmitterDialog(doc.GetSubmitter(), doc.GetCompany()),
                                             doc.GetSubmitter());
    doc.GetW2Forms()[1].SetSocialSecurityTaxWithheld("6120.00");
    doc.GetEmployees()[2].SetLastName("");
    const auto w2 = MakeEfw2File(doc, {});
    CFilingReportDlg report(w2.report, QStringLiteral("W-2 Wage File (EFW2)"), true);
    ok = Save(report, out, "efiling-report-errors.png") && ok;
    doc.GetTransmitter() = ReadTransmitterDialog(LoadTransmitterDialog(doc.GetTransmitter(), doc.GetCompany()),
                                                 doc.GetTransmitter());
    doc.GetTransmitter().SetTransmitterControlCode("44Q7Z");
    const auto misc = Make1099File(doc, {});
    CFilingReportDlg warnings(misc.report, QStringLiteral("1099-MISC Information Return File"), true);
    ok = Save(warnings, out, "efiling-report-warnings.png") && ok;
  }
  fs::remove_all(scratch);
  return ok ? 0 : 1;
}
