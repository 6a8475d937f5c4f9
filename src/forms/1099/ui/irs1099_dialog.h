#pragma once
// Tools > Electronic Filing > "1099-MISC Information Return File...": the
// transmitter's fields, saved to the company, then the check of every
// 1099-MISC and the file.
#include "forms/ui/efile_dialog.h"

namespace formet {

class C1099FileDlg : public CEFilingDlg {
  Q_OBJECT
 public:
  C1099FileDlg(CGlobalDoc& doc, QWidget* parent = nullptr);

 protected:
  bool SaveRecord() override;
  FilingBuild Build() override;
  QString SuggestedFileName() const override;
  QString NextSteps() const override;
};

// Opens the dialog over the main window. True when a file was written.
bool Run1099FileDialog(CGlobalDoc& doc, QWidget* parent);

}  // namespace formet
