#pragma once
// Tools > Electronic Filing > "1099-MISC Information Return File...": the
// transmitter's fields, saved to the company, then the check of every
// 1099-MISC and the file. "1099-MISC Corrections File..." is the same dialog
// over the corrected 1099-MISC's.
#include "forms/ui/efile_dialog.h"

namespace formet {

class C1099FileDlg : public CEFilingDlg {
  Q_OBJECT
 public:
  C1099FileDlg(CGlobalDoc& doc, QWidget* parent = nullptr);

 protected:
  // The transmitter's fields under another title, for another file of the IRS.
  C1099FileDlg(CGlobalDoc& doc, const QString& title, const QString& intro, const QString& what, QWidget* parent);

  bool SaveRecord() override;
  FilingBuild Build() override;
  QString SuggestedFileName() const override;
  QString NextSteps() const override;
};

// The file of the company's corrected 1099-MISC's, with the transmitter of
// the information return file.
class C1099CorrectionsFileDlg : public C1099FileDlg {
  Q_OBJECT
 public:
  C1099CorrectionsFileDlg(CGlobalDoc& doc, QWidget* parent = nullptr);

 protected:
  FilingBuild Build() override;
  QString SuggestedFileName() const override;
  QString NextSteps() const override;
};

// Opens the dialog over the main window. True when a file was written.
bool Run1099FileDialog(CGlobalDoc& doc, QWidget* parent);
bool Run1099CorrectionsFileDialog(CGlobalDoc& doc, QWidget* parent);

}  // namespace formet
