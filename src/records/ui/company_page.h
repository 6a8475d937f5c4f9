#pragma once
// The company setup page: the payer's identity, W-3 details and 1096 details
// on three tabs, with "Update", "Reset" and "Clear" below them. The tabs are
// an editing buffer; the rules of the three buttons are the core's.
#include <QTabWidget>

#include "kit/ui/pages.h"
#include "records/change_result.h"
#include "records/field_table.h"
#include "records/ui/field_controls.h"

class QPushButton;

namespace formet {

class UiServices;

// The three tabs "General Information", "W3 Information" and "1096
// Information", one control per field of CompanyFields().
class CPropSheetCompany : public QTabWidget {
  Q_OBJECT
 public:
  explicit CPropSheetCompany(QWidget* parent = nullptr);

  // LoadPages / SavePages: the controls in the order of CompanyFields().
  PageValues Values() const { return controls_.Values(); }
  void SetValues(const PageValues& values) { controls_.SetValues(values); }
  const FieldControls& Controls() const { return controls_; }
  // The control of the field at `index` of CompanyFields().
  QWidget* Field(size_t index) const { return controls_.At(index); }

 private:
  FieldControls controls_;
};

class CCompanyView : public CPage {
  Q_OBJECT
 public:
  CCompanyView(CGlobalDoc& doc, UiServices& ui, QWidget* parent);

  // RefreshFromDocument: the tabs show the open company's record.
  void OnDocumentRefresh() override;
  void OnDocumentReset() override { OnDocumentRefresh(); }
  // The tabs show edits not yet applied with Update.
  bool HasUnsavedEdits() const override;
  // "Save the changes to the company setup?" before the company closes.
  bool OnDocumentClosing() override;
  // Company > Save applies the edits as Update does, without asking.
  bool SaveUnsavedEdits() override;

  CPropSheetCompany* Sheet() const { return sheet_; }
  QPushButton* UpdateButton() const { return update_; }
  QPushButton* ResetButton() const { return reset_; }
  QPushButton* ClearButton() const { return clear_; }

 private:
  void OnUpdate();
  void OnReset();
  void OnClear();
  void Report(const ChangeResult& result);

  UiServices& ui_;
  CPropSheetCompany* sheet_;
  QPushButton* update_;
  QPushButton* reset_;
  QPushButton* clear_;
};

}  // namespace formet
