#pragma once
// The W-2 page: the Form W-2 of one employee at a time, laid out like the
// paper form (the employer's and employee's blocks on the left, boxes 1-14
// on the right, the state and local lines across the bottom). Its rules are
// W2PageRules; it also answers the employee page's list links through them.
#include "forms/ui/form_page.h"
#include "store/filed_forms.h"
#include "forms/w2/w2_page_rules.h"

class QToolButton;

namespace formet {

class CFormSheet;
class CShownBlock;
class CShownField;

class CW2View : public CFormPage {
  Q_OBJECT
 public:
  CW2View(CGlobalDoc& doc, UiServices& ui, QWidget* parent);

  W2PageRules& Rules() override { return rules_; }
  QWidget* NoteAnchorWidget(NoteAnchor anchor) const override;
  QToolButton* HelpButton() const { return help_; }

 public slots:
  // "Print": the W-2 print options, then the chosen copies.
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

 protected:

 private:
  QWidget* BuildSheet();
  // The parts of the sheet, each placed on it in box order.
  void AddPartyBoxes(CFormSheet* sheet);
  void AddAmountBoxes(CFormSheet* sheet);
  void AddBox12(CFormSheet* sheet);
  void AddBoxes13And14(CFormSheet* sheet);
  void AddStateBand(CFormSheet* sheet);
  // The entry field of a box; an amount's stretched to its width.
  QWidget* BoxField(TextMember<W2Record> member);
  QWidget* AmountField(TextMember<W2Record> member);
  // What was recorded as filed, read again after each refresh.
  void ReadFiled();
  std::vector<FiledW2> filed_;
  CColorButton* recordFiled_ = nullptr;

  W2PageRules rules_;
  QToolButton* help_;
  CShownField *ssn_, *ein_, *control_, *first_, *last_, *suffix_;
  CShownBlock *employer_, *address_;
};

}  // namespace formet
