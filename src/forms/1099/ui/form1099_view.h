#pragma once
// The 1099 page: the Form 1099-MISC of one contractor at a time, on a white
// page laid out like the paper form (the payer's and recipient's blocks on
// the left, the money boxes on the right, the state lines at the bottom).
// Its rules are Form1099PageRules; it also answers the contractor page's
// list links through them.
#include "forms/1099/form1099_page_rules.h"
#include "forms/ui/form_page.h"
#include "store/filed_forms.h"

class QAction;
class QCheckBox;

namespace formet {

class CShownBlock;
class CShownField;

class C1099View : public CFormPage {
  Q_OBJECT
 public:
  C1099View(CGlobalDoc& doc, UiServices& ui, QWidget* parent);

  Form1099PageRules& Rules() override { return rules_; }
  // "Select" of the "1099 Form Type" group.
  CColorButton* FormTypeButton() const { return formType_; }

 public slots:
  // "Print": the 1099-MISC print options, then the chosen forms.
  void OnPrint() override;

 protected:
  void ShowParties() override;
  QString PayeeName() const override;
  std::string FiledNotice() const override;

 public:
  void OnDocumentRefresh() override;
  // "Record as filed": asks, then records every form as filed today.
  CColorButton* RecordFiledButton() const { return recordFiled_; }
  void RecordAsFiledNow();
  // "Print Corrected 1099-MISC's...": the corrected 1099-MISC's of the
  // forms filed and changed since; after Copy A, the question whether to
  // record them as filed. It is on the menu of the "Corrected Forms" button, with
  // the 1096 that sends them.
  CColorButton* CorrectedButton() const { return corrected_; }
  QAction* PrintCorrectedAction() const { return printCorrected_; }
  QAction* PrintCorrected1096Action() const { return printCorrected1096_; }
  void PrintCorrected();

 protected:

 private:
  QWidget* BuildSheet();
  // What was recorded as filed, read again after each refresh.
  void ReadFiled();
  std::vector<Filed1099> filed_;
  CColorButton* recordFiled_ = nullptr;
  CColorButton* corrected_ = nullptr;
  QAction* printCorrected_ = nullptr;
  QAction* printCorrected1096_ = nullptr;

  Form1099PageRules rules_;
  CColorButton* formType_;
  CShownBlock* payer_;
  CShownField *payerId_, *recipientId_, *street_, *street2_, *city_, *account_;
  CShownBlock* recipientName_;
  QCheckBox* secondTin_;
};

}  // namespace formet
