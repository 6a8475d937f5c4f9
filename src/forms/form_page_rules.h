#pragma once
// What the W-2 page and the 1099-MISC page share. Each shows the form of one
// payee at a time, stepping through the payees in the display order of the
// employees (contractors) page. Its entry fields are an editing buffer: Save
// builds the payee's form record from them and writes it to the company file
// at once. The pages are thin views: they show Values() and the read-only
// parts, hand every edit and every field the user leaves to these rules, and
// run their buttons through them. The command line drives the same rules.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "records/field_table.h"
#include "records/payee_list.h"
#include "store/global_doc.h"
#include "store/ui_services.h"

namespace formet {


// "City, ST ZIP" for an address block on a form page, leaving out what is empty.
std::string CityStateZipLine(const std::string& city, const std::string& state, const std::string& zip);

// The texts that differ between the two pages.
struct FormPageTexts {
  std::string noPayees;        // shown when the page is shown to a company without payees
  std::string selectPrompt;    // the save prompts
  std::string nextPrompt;
  std::string previousPrompt;
  std::string hidePrompt;
  std::string firstNote;       // the notes at the ends of the list
  std::string lastNote;
  std::string selectCaption;   // the select dialog
  std::string noFormNotice;    // the current payee has no form record
  std::string noFormToSave;    // Save with no form record
  std::string noPayeeToSave;   // Save with no payees
};

enum class SaveOutcome {
  Saved,      // the form record changed and was journaled (saveCode tells whether it reached the file)
  Unchanged,  // the page equals the stored record: nothing written
  Declined,   // the user answered No
  NoForm,     // there is no form to save: nothing written, the user was told why
  Refused,    // a field holds what the form cannot take: nothing written, the user was told why
};

struct SaveResult {
  SaveOutcome outcome = SaveOutcome::Unchanged;
  int saveCode = 0;  // the engine's code when the save asked for at once failed
  bool operator==(const SaveResult&) const = default;
};

// Finds a payee's form in the document's form list by the payee's id: the
// positions of the forms are noted once, sorted by their owner, and noted
// again when the list no longer agrees with the notes. The first form of an
// owner wins. Four bytes a form, found by halving.
class FormLookup {
 public:
  template <class Form>
  int Find(const std::vector<Form>& forms, int32_t Form::*owner, int32_t ownerId) {
    auto look = [&]() -> int {
      const auto it = std::lower_bound(sorted_.begin(), sorted_.end(), ownerId, [&](uint32_t position, int32_t id) {
        return position < forms.size() && forms[position].*owner < id;
      });
      if (it == sorted_.end() || *it >= forms.size() || forms[*it].*owner != ownerId) return -1;
      return static_cast<int>(*it);
    };
    if (forms.size() != size_) Note(forms, owner);
    int found = look();
    if (found < 0 && !fresh_) {
      Note(forms, owner);
      found = look();
    }
    fresh_ = false;
    return found;
  }

 private:
  template <class Form>
  void Note(const std::vector<Form>& forms, int32_t Form::*owner) {
    sorted_.resize(forms.size());
    for (size_t i = 0; i < forms.size(); ++i) sorted_[i] = static_cast<uint32_t>(i);
    // Of an owner's forms the first in the list comes first.
    std::sort(sorted_.begin(), sorted_.end(), [&](uint32_t a, uint32_t b) {
      return forms[a].*owner != forms[b].*owner ? forms[a].*owner < forms[b].*owner : a < b;
    });
    sorted_.shrink_to_fit();
    size_ = forms.size();
    fresh_ = true;
  }

  std::vector<uint32_t> sorted_;
  size_t size_ = static_cast<size_t>(-1);
  bool fresh_ = false;
};

class FormPageRules {
 public:
  virtual ~FormPageRules() = default;

  // ---- what the page shows ------------------------------------------------------
  // The entry fields, in the order of the page's field table.
  const PageValues& Values() const { return values_; }
  const FieldValue& Value(size_t field) const { return values_.at(field); }
  // Edits not saved yet.
  bool Modified() const { return modified_; }
  // The current payee: its position in the document's list, -1 for none.
  int CurrentPayee() const { return payee_; }
  // The current payee's form: its position in the document's form list, -1
  // when there is none (no payees, or a payee without its form record).
  int CurrentForm() const { return form_; }
  bool HasForm() const { return form_ >= 0; }
  // What the page says about a payee without a form record; empty otherwise.
  std::string FormNotice() const;
  // True until the page was first shown: the first payee of the list's order
  // is taken when the page loads, and hiding the page asks nothing.
  bool FirstShowing() const { return firstShowing_; }
  const FormPageTexts& Texts() const { return texts_; }

  // The order Select, Next and Previous follow (the payee page's display
  // order); the document's order when none is set.
  void SetOrder(const PayeeOrder* order) { order_ = order; }
  // The payees' positions in that order (what "all payees" prints in).
  std::vector<int> DisplayOrder() const { return Order().Positions(); }
  // Called after the rules changed what the page shows.
  void SetChangedCallback(std::function<void()> changed) { changed_ = std::move(changed); }

  // ---- editing ------------------------------------------------------------------
  // The user changed a field (a text, or a check box's state as choice 0/1).
  void Edit(size_t field, const FieldValue& value);
  void EditText(size_t field, const std::string& text) { Edit(field, FieldValue{text, -1}); }
  // The user left a field: its checks run (and may change other fields).
  void LeaveField(size_t field);

  // ---- commands -----------------------------------------------------------------
  // Loads the page from the document (the refresh of every page).
  void Load();
  // "Save": asks first; then as SaveNow.
  SaveResult Save();
  // Save without the question: builds the record from the page and, when it
  // differs from the stored one, replaces it, refreshes every page and writes
  // it to the company file at once.
  SaveResult SaveNow();
  // "Reset": asks, then loads the stored record again.
  bool Reset();
  // "Clear": asks, then empties every entry field. Nothing is saved.
  bool Clear();
  // "Select", "Next", "Previous".
  void Select();
  // The list "Select" offers: the payees with the current one selected.
  RowChoice SelectList() const;
  void Next();
  void Previous();
  // Makes the payee at `position` current and loads it (the command line's
  // way to choose a payee); false for a position outside the list.
  bool GoTo(int position);
  // The page is shown by the main window.
  void Activate();
  // The page is about to be hidden for another page: offers to save the
  // edits (Yes/No). False when the user wanted them saved and they could not
  // be (the page should stay).
  bool Hide();
  // The company is about to close (the window closed, another company opened
  // or made): offers to save the edits with Yes, No and Cancel. False for
  // Cancel, or when the edits could not be saved; the company stays open.
  bool Close();
  // The document's records were replaced by another company's.
  void OnDocumentReset();

 protected:
  FormPageRules(CGlobalDoc& doc, UiServices& ui, FormPageTexts texts, size_t fieldCount);

  // ---- what each page supplies ---------------------------------------------------
  virtual size_t PayeeCount() const = 0;
  // The form of the payee at `position` (see FormLookup), -1 for none.
  virtual int FindForm(int position) = 0;
  // Fills the read-only parts for the payee at `position` (-1: empties them).
  virtual void FillParties(int position) = 0;
  // The entry fields showing the stored form at `form`, and all empty.
  virtual PageValues FormValues(int form) const = 0;
  virtual PageValues EmptyValues() const = 0;
  // The checks of a field the user left.
  virtual void OnLeave(size_t field) = 0;
  // Why the page cannot be saved as it is, if it cannot.
  virtual std::optional<std::string> SaveProblem() const { return std::nullopt; }
  // Builds the record from the page and stores it through Commit when it
  // differs from the stored one at `form`.
  virtual SaveResult Store(int form) = 0;
  // Asks the main window for the employees (contractors) page.
  virtual void ShowPayeePage() = 0;
  // Anything shown when the page is shown (after the payee check).
  virtual void OnActivated() {}
  // Rows and columns of the select dialog, one row per payee in document order.
  virtual RowChoice SelectChoice() const = 0;
  // Keeps what the select dialog's user left (the 1099 page keeps its order).
  virtual void KeepChoiceOrder(const RowChoiceAnswer& /*answer*/) {}

  // ---- for the pages ------------------------------------------------------------
  // Sets a field as a rule does (a change sets the modified flag, as an edit).
  void Set(size_t field, const std::string& text);
  // Replaces the stored record at `form` through the document (which marks
  // itself modified and journals the update), refreshes every page and
  // writes the update at once.
  template <class R>
  SaveResult Commit(int form, R record) {
    doc_.UpdateRecord(static_cast<size_t>(form), std::move(record));
    return Committed();
  }
  void Changed();
  SaveResult Committed();
  // After a form was added or deleted by the payee pages (the list links).
  void AfterFormAdded(bool reload);
  void AfterFormDeleted();

  CGlobalDoc& doc_;
  UiServices& ui_;

 private:
  // Asks `question` when there are payees and unsaved edits; Yes saves. False
  // when the user wanted them saved and they could not be, or, when
  // `withCancel` offers Cancel, for Cancel.
  bool SavePrompt(const std::string& question, bool withCancel);
  std::optional<int> ValidPosition(std::optional<int> position) const;
  const PayeeOrder& Order() const;
  void Step(bool forward);

  FormPageTexts texts_;
  PageValues values_;
  int payee_ = -1;
  int form_ = -1;
  bool modified_ = false;
  bool firstShowing_ = true;
  const PayeeOrder* order_ = nullptr;
  mutable DocumentOrder documentOrder_{0};
  std::function<void()> changed_;
};

}  // namespace formet
