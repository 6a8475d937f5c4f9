#pragma once
// What the W-2 page and the 1099-MISC page share on the desktop: a heading
// with the current payee's name, the payee buttons ("Select", "Next",
// "Previous") and the form buttons ("Save", "Reset", "Clear", "Print") in two
// groups, a notice for a payee without a form, and the form's sheet in a
// scroll area. The page is a view of its rules (FormPageRules): every edit,
// every field left and every button goes to them, and the page shows what
// they hold after each.
#include <QString>
#include <span>
#include <vector>

#include "forms/form_page_rules.h"
#include "kit/ui/pages.h"
#include "records/ui/field_controls.h"

class QHBoxLayout;
class QLabel;
class QScrollArea;
class QToolButton;

namespace formet {

class CColorButton;

class CFormPage : public CPage {
  Q_OBJECT
 public:
  // The main window's calls.
  void OnShown() override;
  bool OnHidden() override;
  bool OnCompanyClosing() override;
  void OnDocumentRefresh() override;
  void OnDocumentReset() override;
  QWidget* NoteAnchorWidget(NoteAnchor anchor) const override;

  virtual FormPageRules& Rules() = 0;

  // The entry control of the field at `index` of the page's field table.
  QWidget* Field(size_t index) const { return controls_.At(index); }
  CColorButton* SelectButton() const { return select_; }
  CColorButton* NextButton() const { return next_; }
  CColorButton* PreviousButton() const { return previous_; }
  CColorButton* SaveButton() const { return save_; }
  CColorButton* ResetButton() const { return reset_; }
  CColorButton* ClearButton() const { return clear_; }
  CColorButton* PrintButton() const { return print_; }
  QLabel* Notice() const { return notice_; }
  QLabel* Subtitle() const { return subtitle_; }
  QScrollArea* ScrollArea() const { return scroll_; }

 public slots:
  // "Print": filled by printing.
  virtual void OnPrint() = 0;

 protected:
  struct Captions {
    QString title;         // the page's heading
    QString payeeGroup;    // "Employee" / "Contractor"
    QString formGroup;     // "Form W-2" / "1099-MISC"
  };
  CFormPage(CGlobalDoc& doc, UiServices& ui, const Captions& captions, QWidget* parent);

  // Makes the entry controls of a field table, connected to the rules.
  template <class R>
  void BindFields(std::span<const FieldSpec<R>> table) {
    for (size_t i = 0; i < table.size(); ++i) {
      QWidget* control = controls_.Add(table[i], this);
      kinds_.push_back(table[i].kind);
      Connect(i, control);
    }
  }
  // The header's groups and the area below it; call once, after the sheet
  // was built.
  void Finish(QWidget* sheet, QWidget* afterSheet = nullptr);
  // Adds a group of buttons beside the two of the page.
  void AddGroup(const QString& caption, const std::vector<QWidget*>& widgets);
  QHBoxLayout* HeaderRow() const { return headerRow_; }

  // What each page shows besides its fields.
  virtual void ShowParties() = 0;
  // What the page says of the current form's filing, under the notice of a
  // payee without a form; empty for none.
  virtual std::string FiledNotice() const { return {}; }
  virtual QString PayeeName() const = 0;
  // Brings every control up to what the rules hold.
  void Sync();
  // Runs the checks of the field that has the focus, as leaving it would (a
  // button reached from the keyboard leaves the focus where it was).
  void CommitFocusedField();

  bool eventFilter(QObject* watched, QEvent* event) override;

  UiServices& ui_;

 private:
  void Connect(size_t index, QWidget* control);
  void Run(void (FormPageRules::*command)());

  FieldControls controls_;
  std::vector<FieldKind> kinds_;
  QLabel* subtitle_;
  QLabel* notice_;
  QHBoxLayout* headerRow_;
  QScrollArea* scroll_ = nullptr;
  CColorButton *select_, *next_, *previous_, *save_, *reset_, *clear_, *print_;
};

// A group of buttons under a caption in the page's header ("Arial" 12 point,
// heavy).
QWidget* ButtonGroup(const QString& caption, const std::vector<QWidget*>& widgets, QWidget* parent);

}  // namespace formet
