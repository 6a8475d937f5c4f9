#include "forms/1099/ui/irs1099_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QMessageBox>

#include "forms/1099/form1099_corrections.h"
#include "forms/1099/irs1099_transmitter.h"
#include "kit/ui/qt_text.h"
#include "store/global_doc.h"

namespace formet {

C1099FileDlg::C1099FileDlg(CGlobalDoc& doc, QWidget* parent)
    : C1099FileDlg(doc, tr("1099-MISC Information Return File"),
                   tr("The information return file holds every Form 1099-MISC of %1 for the IRS, which takes it "
                      "through its FIRE system (Filing Information Returns Electronically). The transmitter is the "
                      "one the IRS approved to send files, with a Transmitter Control Code.")
                       .arg(ToQt(doc.GetCompany().EmployerName())),
                   tr("information return file"), parent) {}

C1099FileDlg::C1099FileDlg(CGlobalDoc& doc, const QString& title, const QString& intro, const QString& what,
                           QWidget* parent)
    : CEFilingDlg(doc, title, intro, what, QStringLiteral("efiling.html#1099"),
                  tr("Combined Federal/State Filing: add each recipient's state code and the state totals"),
                  parent) {
  BuildFields(TransmitterFields(), TransmitterGroupCaptions(), 2);
  Controls().SetValues(LoadTransmitterDialog(doc.GetTransmitter(), doc.GetCompany()));
  // A file is original or a replacement: the two boxes act as one choice.
  auto* replacement =
      qobject_cast<QCheckBox*>(Controls().At(TransmitterFieldIndex(&TransmitterRecord::FileTypeReplacement)));
  auto* kind = new QButtonGroup(this);
  kind->setExclusive(true);
  kind->addButton(qobject_cast<QCheckBox*>(Controls().At(TransmitterFieldIndex(&TransmitterRecord::FileTypeOriginal))));
  kind->addButton(replacement);
  // The replaced file's name matters only for a replacement.
  QWidget* replaced = Controls().At(TransmitterFieldIndex(TransmitterRecord::Text::ElectronicFileNameForAReplacementFile));
  replaced->setEnabled(replacement->isChecked());
  connect(replacement, &QCheckBox::toggled, replaced, &QWidget::setEnabled);
}

bool C1099FileDlg::SaveRecord() {
  const auto result = SaveTransmitter(doc_, ReadTransmitterDialog(Controls().Values(), doc_.GetTransmitter()));
  if (result.saveCode == 0) return true;
  QMessageBox::warning(this, windowTitle(), ToQt(SaveFailureMessage(result.saveCode)));
  return false;
}

FilingBuild C1099FileDlg::Build() {
  efile::Irs1099Options options;
  options.combinedFederalState = Option()->isChecked();
  options.progressForms = progressForms_;
  auto result = Make1099File(doc_, options);
  const std::string summary = result.report.HasErrors() ? std::string() : Irs1099Summary(result);
  return {std::move(result.report), std::move(result.bytes), summary, result.cancelled};
}

QString C1099FileDlg::SuggestedFileName() const {
  return tr("%1 1099-MISC 2007.txt").arg(ToQt(doc_.GetCompany().EmployerName()).trimmed());
}

QString C1099FileDlg::NextSteps() const {
  return tr("Send it to the IRS through FIRE (fire.irs.gov): log on with your Transmitter Control Code, choose "
            "\"Send Information Returns\" (or \"Test\" for a test file) and upload it. See Help for the steps.");
}

C1099CorrectionsFileDlg::C1099CorrectionsFileDlg(CGlobalDoc& doc, QWidget* parent)
    : C1099FileDlg(doc, tr("1099-MISC Corrections File"),
                   tr("The corrections file holds the corrected Forms 1099-MISC of %1 for the IRS, which takes it "
                      "through FIRE like the information return file: a one-return correction and the first return "
                      "of a two-return one under one payer record, the second return of a two-return one under "
                      "another. The transmitter is the same as for the information return file.")
                       .arg(ToQt(doc.GetCompany().EmployerName())),
                   tr("corrections file"), parent) {}

FilingBuild C1099CorrectionsFileDlg::Build() {
  efile::Irs1099Options options;
  options.combinedFederalState = Option()->isChecked();
  options.progressForms = progressForms_;
  auto result = Make1099CorrectionsFile(doc_, options);
  const std::string summary = result.report.HasErrors() ? std::string() : Irs1099Summary(result);
  return {std::move(result.report), std::move(result.bytes), summary, result.cancelled};
}

QString C1099CorrectionsFileDlg::SuggestedFileName() const {
  return tr("%1 1099-MISC corrections 2007.txt").arg(ToQt(doc_.GetCompany().EmployerName()).trimmed());
}

QString C1099CorrectionsFileDlg::NextSteps() const {
  return tr("Send it to the IRS through FIRE (fire.irs.gov) as you send the information return file. Mail the "
            "recipients their corrected copies.");
}

bool Run1099CorrectionsFileDialog(CGlobalDoc& doc, QWidget* parent) {
  C1099CorrectionsFileDlg dialog(doc, parent);
  dialog.exec();
  return !dialog.WrittenPath().isEmpty();
}

bool Run1099FileDialog(CGlobalDoc& doc, QWidget* parent) {
  C1099FileDlg dialog(doc, parent);
  dialog.exec();
  return !dialog.WrittenPath().isEmpty();
}

}  // namespace formet
