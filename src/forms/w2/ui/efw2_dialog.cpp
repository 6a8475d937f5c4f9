#include "forms/w2/ui/efw2_dialog.h"

#include <QCheckBox>
#include <QMessageBox>

#include "forms/w2/efw2_submitter.h"
#include "kit/ui/qt_text.h"
#include "store/global_doc.h"

namespace formet {

CEfw2Dlg::CEfw2Dlg(CGlobalDoc& doc, QWidget* parent)
    : CEFilingDlg(doc, tr("W-2 Wage File (EFW2)"),
                  tr("The wage file holds every W-2 of %1 for the Social Security Administration, which takes it "
                     "through Business Services Online. The submitter is the one who sends the file and hears "
                     "of problems with it: the employer itself, or its accountant or payroll service.")
                      .arg(ToQt(doc.GetCompany().EmployerName())),
                  tr("wage file"), QStringLiteral("efiling.html#w2"),
                  tr("Add state records (RS) for the states that take the SSA's wage file"), parent) {
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

bool RunEfw2Dialog(CGlobalDoc& doc, QWidget* parent) {
  CEfw2Dlg dialog(doc, parent);
  dialog.exec();
  return !dialog.WrittenPath().isEmpty();
}

}  // namespace formet
