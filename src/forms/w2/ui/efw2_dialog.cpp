#include "forms/w2/ui/efw2_dialog.h"

#include <QCheckBox>
#include <QMessageBox>

#include "forms/w2/efw2_file.h"
#include "forms/w2/efw2_submitter.h"
#include "forms/w2/efw2c_file.h"
#include "kit/ui/qt_text.h"
#include "store/global_doc.h"

namespace formet {

CEfw2Dlg::CEfw2Dlg(CGlobalDoc& doc, QWidget* parent)
    : CEfw2Dlg(doc, tr("W-2 Wage File (EFW2)"),
               tr("The wage file holds every W-2 of %1 for the Social Security Administration, which takes it "
                  "through Business Services Online. The submitter is the one who sends the file and hears "
                  "of problems with it: the employer itself, or its accountant or payroll service.")
                   .arg(ToQt(doc.GetCompany().EmployerName())),
               tr("wage file"), QStringLiteral("efiling.html#w2"),
               tr("Add state records (RS) for the states that take the SSA's wage file"), parent) {}

CEfw2Dlg::CEfw2Dlg(CGlobalDoc& doc, const QString& title, const QString& intro, const QString& kind,
                   const QString& helpPage, const QString& option, QWidget* parent)
    : CEFilingDlg(doc, title, intro, kind, helpPage, option, parent) {
  BuildFields(SubmitterFields(), SubmitterGroupCaptions(), 2);
  Controls().SetValues(LoadSubmitterDialog(doc.GetSubmitter(), doc.GetCompany()));
  // The rejected file's identifier matters only for a resubmission.
  auto* resubmission =
      qobject_cast<QCheckBox*>(Controls().At(SubmitterFieldIndex(SubmitterRecord::Text::ResubIndicator)));
  QWidget* wfid = Controls().At(SubmitterFieldIndex(SubmitterRecord::Text::ResubWFID));
  wfid->setEnabled(resubmission->isChecked());
  connect(resubmission, &QCheckBox::toggled, wfid, &QWidget::setEnabled);
}

bool CEfw2Dlg::SaveRecord() {
  const auto result = SaveSubmitter(doc_, ReadSubmitterDialog(Controls().Values(), doc_.GetSubmitter()));
  if (result.saveCode == 0) return true;
  QMessageBox::warning(this, windowTitle(), ToQt(SaveFailureMessage(result.saveCode)));
  return false;
}

FilingBuild CEfw2Dlg::Build() {
  efile::Efw2Options options;
  options.stateRecords = Option()->isChecked();
  options.progressForms = progressForms_;
  auto result = MakeEfw2File(doc_, options);
  const std::string summary = result.report.HasErrors() ? std::string() : Efw2Summary(result);
  return {std::move(result.report), std::move(result.bytes), summary, result.cancelled};
}

QString CEfw2Dlg::SuggestedFileName() const {
  return tr("%1 W-2 2007.txt").arg(ToQt(doc_.GetCompany().EmployerName()).trimmed());
}

QString CEfw2Dlg::NextSteps() const {
  return tr("Send it to the SSA through Business Services Online (\"Submit Wage File\"), signed in with the "
            "PIN of this file. The SSA's own checking program can test it first; see Help for the steps.");
}

CEfw2cDlg::CEfw2cDlg(CGlobalDoc& doc, QWidget* parent)
    : CEfw2Dlg(doc, tr("W-2c Corrections File (EFW2C)"),
               tr("The corrections file holds the W-2c's of %1 that go to the Social Security Administration, "
                  "which takes it through Business Services Online like the wage file. The submitter is the one "
                  "who sends the file and hears of problems with it, the same as for the wage file.")
                   .arg(ToQt(doc.GetCompany().EmployerName())),
               tr("corrections file"), QStringLiteral("corrections.html#where"), QString(), parent) {
  // State records are the wage file's choice; the corrections file has none.
  Option()->setChecked(false);
  Option()->hide();
}

FilingBuild CEfw2cDlg::Build() {
  auto result = MakeEfw2cFile(doc_);
  const std::string summary = result.report.HasErrors() ? std::string() : Efw2cSummary(result);
  return {std::move(result.report), std::move(result.bytes), summary, false};
}

QString CEfw2cDlg::SuggestedFileName() const {
  return tr("%1 W-2c 2007.txt").arg(ToQt(doc_.GetCompany().EmployerName()).trimmed());
}

QString CEfw2cDlg::NextSteps() const {
  return tr("Send it to the SSA through Business Services Online (\"Submit Wage File\" takes corrections files "
            "too), signed in with the PIN of this file. Mail the employees their copies of the W-2c.");
}

bool RunEfw2Dialog(CGlobalDoc& doc, QWidget* parent) {
  CEfw2Dlg dialog(doc, parent);
  dialog.exec();
  return !dialog.WrittenPath().isEmpty();
}

bool RunEfw2cDialog(CGlobalDoc& doc, QWidget* parent) {
  CEfw2cDlg dialog(doc, parent);
  dialog.exec();
  return !dialog.WrittenPath().isEmpty();
}

}  // namespace formet
