#pragma once
// The W-3 page: the company's Form W-3, read-only, laid out like the paper
// form. Its money boxes are the totals of every W-2, recomputed on each
// refresh of the document; the rest comes from the company record.
#include <QString>
#include <array>

#include "forms/ui/transmittal_page.h"
#include "forms/w2/w3_totals.h"

class QCheckBox;

namespace formet {

class CFormSheet;
class CShownBlock;
class CShownField;

class CW3View : public CTransmittalPage {
  Q_OBJECT
 public:
  CW3View(CGlobalDoc& doc, UiServices& ui, QWidget* parent);

  // The frame showed the page: recomputed, then a company without employees
  // is sent to the employees page.
  void OnShown() override;
  // Recomputes and shows every field.
  void OnDocumentRefresh() override;
  void OnDocumentReset() override { OnDocumentRefresh(); }

  // What the page shows, as last computed.
  const W3Page& Shown() const { return shown_; }

 public slots:
  // "Print W3": the W-3 print options, then the page.
  void OnPrint() override;

 private:
  QWidget* BuildSheet();
  // The parts of the sheet, each placed on it.
  void AddKindOfPayer(CFormSheet* sheet);
  void AddEmployerBoxes(CFormSheet* sheet);
  void AddTotalBoxes(CFormSheet* sheet);
  void AddContactBoxes(CFormSheet* sheet);
  void Show();

  W3Page shown_;
  std::array<QCheckBox*, kKindOfPayerCount> kinds_{};
  QCheckBox* sickPay_;
  CShownField *control_, *count_, *establishment_, *ein_, *name_, *otherEin_, *state_, *stateId_;
  CShownBlock* address_;
  std::array<CShownField*, 12> boxes_{};  // 1-11; [0] unused
  CShownField *box12_, *box13_, *box14_, *box16_, *box17_, *box18_, *box19_;
  CShownField *contact_, *telephone_, *email_, *fax_;
};

}  // namespace formet
