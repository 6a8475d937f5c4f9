#pragma once
// Tools > Electronic Filing > "W-2 Wage File (EFW2)...": the submitter's
// fields, saved to the company, then the check of every W-2 and the file.
// "W-2c Corrections File (EFW2C)..." is the same dialog over the W-2c's.
#include "forms/ui/efile_dialog.h"

namespace formet {

class CEfw2Dlg : public CEFilingDlg {
  Q_OBJECT
 public:
  CEfw2Dlg(CGlobalDoc& doc, QWidget* parent = nullptr);

 protected:
  // The submitter's fields under another title, for another file of the SSA.
  CEfw2Dlg(CGlobalDoc& doc, const QString& title, const QString& intro, const QString& kind, const QString& helpPage,
           const QString& option, QWidget* parent);

  bool SaveRecord() override;
  FilingBuild Build() override;
  QString SuggestedFileName() const override;
  QString NextSteps() const override;
};

// The corrections file (EFW2C) of the company's W-2c's, with the submitter
// of the wage file; it has no choice of its own.
class CEfw2cDlg : public CEfw2Dlg {
  Q_OBJECT
 public:
  CEfw2cDlg(CGlobalDoc& doc, QWidget* parent = nullptr);

 protected:
  FilingBuild Build() override;
  QString SuggestedFileName() const override;
  QString NextSteps() const override;
};

// Opens the dialog over the main window. True when a file was written.
bool RunEfw2Dialog(CGlobalDoc& doc, QWidget* parent);
bool RunEfw2cDialog(CGlobalDoc& doc, QWidget* parent);

}  // namespace formet
