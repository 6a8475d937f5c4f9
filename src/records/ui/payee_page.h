#pragma once
// What the employees page and the contractors page share: a heading, three
// buttons (new, modify, delete) and a search box above a list of every
// payee, the list's header-click order, and the dialog that edits one payee.
#include <QDialog>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "kit/ui/pages.h"
#include "records/change_result.h"
#include "records/field_table.h"
#include "records/payee_list.h"
#include "records/ui/field_controls.h"

class QLineEdit;
class QPushButton;
class QTableView;
class QTreeView;
class QVBoxLayout;

namespace formet {

class CPayeeListModel;
class UiServices;

// A list of payees: whole rows, one selected at a time, ordered by its
// sorter or model rather than by the view.
void SetUpRowList(QTreeView* list);
// The same look for a table view over a model.
void SetUpRowTable(QTableView* list);

// The list order of the platform's locale (the user's language, or US
// English when none is set), case-sensitive.
TextCompare LocaleTextCompare();

class CPayeePage : public CPage {
  Q_OBJECT
 public:
  // Shows the document's list again, in the document's order; the search
  // stays, and the selected payee stays selected (ListSelection).
  void OnDocumentRefresh() override;
  // Another company: nothing is selected in its list, nothing searched.
  void OnDocumentReset() override;

  QTableView* List() const { return list_; }
  // Filters the list by name and SSN or TIN as one types.
  QLineEdit* SearchBox() const { return search_; }
  QPushButton* NewButton() const { return new_; }
  QPushButton* ModifyButton() const { return modify_; }
  QPushButton* DeleteButton() const { return delete_; }
  // The position in the document's list of the selected row's payee.
  std::optional<int> SelectedPosition() const;
  // The unique id of the selected payee.
  std::optional<int32_t> SelectedId() const { return selection_.Id(); }
  // The order shown (every payee, whatever the search finds), for the form
  // pages' Next and Previous.
  const PayeeOrder* DisplayOrder() const { return &order_; }

 protected:
  struct Captions {
    QString title, newButton, modifyButton, deleteButton;
  };
  CPayeePage(CGlobalDoc& doc, UiServices& ui, const Captions& captions, std::unique_ptr<PayeeListSource> list,
             QWidget* parent);

  virtual void OnNew() = 0;
  // Only called with a row selected.
  virtual void OnModify(int position) = 0;
  virtual void OnDelete(std::optional<int> position) = 0;

  // Tells the user when a change could not be written at once; a payee
  // added is selected.
  void Report(const ChangeResult& result);

  // Selects the payee an add made.
  void SelectAdded(const ChangeResult& result);

  bool eventFilter(QObject* watched, QEvent* event) override;

  UiServices& ui_;

 private:
  void OnColumnClick(int column);
  void OnSelectionChanged();
  void OnSearch();
  void Fill();
  void FitColumns();
  void Modify();

  QTableView* list_;
  CPayeeListModel* model_;
  QLineEdit* search_;
  QPushButton* new_;
  QPushButton* modify_;
  QPushButton* delete_;
  ListOrder order_;
  ListSorter sorter_;
  ListSelection selection_;
  bool filling_ = false;
};

// The dialog of one payee: the controls of a field table, laid out in rows
// of labelled groups (a group's label is its first field's), OK and Cancel.
class CPayeeDlg : public QDialog {
  Q_OBJECT
 public:
  // A row of the layout: groups of columns that share one label.
  using Layout = std::vector<std::vector<std::vector<const char*>>>;
  // The check OK runs first: the problem found, if any.
  using Check = std::function<std::optional<FieldProblem>(const PageValues&)>;

  PageValues Values() const { return controls_.Values(); }
  // The control of the field at `index` of the dialog's field table.
  QWidget* Field(size_t index) const { return controls_.At(index); }

  // With a check, OK shows the message of a failed check and keeps the
  // dialog open with what was typed, the cursor in the field to correct.
  void SetCheck(UiServices* ui, Check check);

 public slots:
  void accept() override;

 protected:
  CPayeeDlg(const std::string& caption, QWidget* parent);

  template <class R>
  void Build(std::span<const FieldSpec<R>> fields, const Layout& layout, const PageValues& values) {
    for (const auto& field : fields) controls_.Add(field, this);
    std::vector<const char*> columns, labels;
    std::vector<bool> checkBoxes;
    for (const auto& field : fields) {
      columns.push_back(field.column);
      labels.push_back(field.label);
      checkBoxes.push_back(field.kind == FieldKind::CheckBox);
    }
    Arrange(columns, labels, checkBoxes, layout);
    controls_.SetValues(values);
  }

 private:
  void Arrange(const std::vector<const char*>& columns, const std::vector<const char*>& labels,
               const std::vector<bool>& checkBoxes, const Layout& layout);

  FieldControls controls_;
  UiServices* ui_ = nullptr;
  Check check_;
};

}  // namespace formet
