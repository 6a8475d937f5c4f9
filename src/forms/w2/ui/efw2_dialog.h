#pragma once
// Tools > Electronic Filing > "W-2 Wage File (EFW2)...": the submitter's
// fields, saved to the company, then the check of every W-2 and the file.
#include "forms/ui/efile_dialog.h"

namespace formet {

class CEfw2Dlg : public CEFilingDlg {
  Q_OBJECT
 public:
  CEfw2Dlg(CGlobalDoc& doc, QWidget* parent = nullptr);

 protected:
  bool SaveRecord() override;
  FilingBuild Build() override;
  QString SuggestedFileName() const override;
  QString NextSteps() const override;
};

// Opens the dialog over the main window. True when a file was written.
bool RunEfw2Dialog(CGlobalDoc& doc, QWidget* parent);

}  // namespace formet
