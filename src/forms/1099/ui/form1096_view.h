#pragma once
// The 1096 page: the company's Form 1096, read-only, laid out like the paper
// form. Boxes 3-5 are computed from every 1099-MISC on each refresh of the
// document; the rest comes from the company record.
#include "forms/1099/form1096_totals.h"
#include "forms/ui/transmittal_page.h"

class QCheckBox;

namespace formet {

class CShownField;

class C1096View : public CTransmittalPage {
  Q_OBJECT
 public:
  C1096View(CGlobalDoc& doc, UiServices& ui, QWidget* parent);

  // The frame showed the page: a company without contractors is sent to the
  // contractors page; then the page is recomputed.
  void OnShown() override;
  // LoadSummary: recomputes and shows every field.
  void OnDocumentRefresh() override;
  void OnDocumentReset() override { OnDocumentRefresh(); }

  const Form1096Page& Shown() const { return shown_; }

 public slots:
  // "Print": the "Set 1096 Print Options" dialog, then the page.
  void OnPrint() override;

 private:
  QWidget* BuildSheet();
  void Show();

  Form1096Page shown_;
  CShownField *filer_, *street_, *city_, *state_, *zip_, *contact_, *email_, *telephone_, *fax_;
  CShownField *box1_, *box2_, *box3_, *box4_, *box5_;
  QCheckBox* finalReturn_;
};

}  // namespace formet
