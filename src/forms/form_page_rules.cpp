#include "forms/form_page_rules.h"

#include <algorithm>

#include "store/ui_services.h"

namespace formet {
namespace {

const std::string kSaveQuestion = "Are you sure you want to save the current fields?";
const std::string kResetQuestion = "Are you sure you want to reset all fields to their initial values?";
const std::string kClearQuestion = "Are you sure you want to clear the values of all fields?";
const std::string kNoteTitle = "Note";

// The wait cursor for as long as it lives.
class WaitCursor {
 public:
  explicit WaitCursor(UiServices& ui) : ui_(ui) { ui_.BeginWaitCursor(); }
  ~WaitCursor() { ui_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  UiServices& ui_;
};

}  // namespace

std::string CityStateZipLine(const std::string& city, const std::string& state, const std::string& zip) {
  std::string line = city;
  if (!city.empty() && (!state.empty() || !zip.empty())) line += ", ";
  line += state;
  if (!state.empty() && !zip.empty()) line += " ";
  line += zip;
  return line;
}

FormPageRules::FormPageRules(CGlobalDoc& doc, UiServices& ui, FormPageTexts texts, size_t fieldCount)
    : doc_(doc), ui_(ui), texts_(std::move(texts)), values_(fieldCount) {}

std::string FormPageRules::FormNotice() const {
  return payee_ >= 0 && form_ < 0 ? texts_.noFormNotice : std::string();
}

void FormPageRules::Changed() {
  if (changed_) changed_();
}

// ---- editing ----------------------------------------------------------------------

void FormPageRules::Edit(size_t field, const FieldValue& value) {
  // Without a form nothing can be typed.
  if (field >= values_.size() || !HasForm()) return;
  if (values_[field] == value) return;
  values_[field] = value;
  modified_ = true;
}

void FormPageRules::Set(size_t field, const std::string& text) {
  if (field >= values_.size() || values_[field].text == text) return;
  values_[field].text = text;
  modified_ = true;
}

void FormPageRules::LeaveField(size_t field) {
  if (field >= values_.size() || !HasForm()) return;
  OnLeave(field);
  Changed();
}

// ---- loading ----------------------------------------------------------------------

const PayeeOrder& FormPageRules::Order() const {
  if (order_) return *order_;
  documentOrder_ = DocumentOrder(PayeeCount());
  return documentOrder_;
}

std::optional<int> FormPageRules::ValidPosition(std::optional<int> position) const {
  if (!position || *position < 0 || static_cast<size_t>(*position) >= PayeeCount()) return std::nullopt;
  return position;
}

void FormPageRules::Load() {
  WaitCursor wait(ui_);
  const size_t count = PayeeCount();
  if (count == 0) {
    payee_ = -1;
    form_ = -1;
  } else {
    if (firstShowing_ || payee_ < 0 || static_cast<size_t>(payee_) >= count)
      payee_ = ValidPosition(Order().First()).value_or(0);
    form_ = FindForm(payee_);
  }
  FillParties(payee_);
  // A payee without its form record shows an empty form, never the previous
  // payee's amounts under its name.
  values_ = form_ >= 0 ? FormValues(form_) : EmptyValues();
  modified_ = false;
  Changed();
}

bool FormPageRules::GoTo(int position) {
  if (!ValidPosition(position)) return false;
  payee_ = position;
  firstShowing_ = false;
  Load();
  return true;
}

void FormPageRules::OnDocumentReset() {
  payee_ = -1;
  form_ = -1;
  modified_ = false;
  firstShowing_ = true;
}

void FormPageRules::Activate() {
  if (PayeeCount() == 0) {
    Load();  // empties every field
    ui_.ShowMessage(texts_.noPayees);
    ShowPayeePage();
    return;
  }
  OnActivated();
  Load();
  firstShowing_ = false;
}

// ---- saving -----------------------------------------------------------------------

SaveResult FormPageRules::Save() {
  if (!HasForm()) return SaveNow();  // tells why nothing can be saved
  if (const auto problem = SaveProblem()) {
    ui_.ShowMessage(*problem);
    return {SaveOutcome::Refused, 0};
  }
  if (!ui_.AskYesNo(kSaveQuestion)) return {SaveOutcome::Declined, 0};
  return SaveNow();
}

SaveResult FormPageRules::SaveNow() {
  if (PayeeCount() == 0) {
    ui_.ShowMessage(texts_.noPayeeToSave);
    return {SaveOutcome::NoForm, 0};
  }
  if (!HasForm()) {
    ui_.ShowMessage(texts_.noFormToSave);
    return {SaveOutcome::NoForm, 0};
  }
  if (const auto problem = SaveProblem()) {
    ui_.ShowMessage(*problem);
    return {SaveOutcome::Refused, 0};
  }
  const SaveResult result = Store(form_);
  if (result.outcome == SaveOutcome::Saved && result.saveCode != 0)
    ui_.ShowMessage(SaveFailureMessage(result.saveCode));
  return result;
}

SaveResult FormPageRules::Committed() {
  // Every page shows the new record (the transmittal's totals follow it).
  doc_.RefreshAllViews();
  modified_ = false;
  return {SaveOutcome::Saved, doc_.SaveChanges()};
}

bool FormPageRules::Reset() {
  if (!ui_.AskYesNo(kResetQuestion)) return false;
  Load();
  return true;
}

bool FormPageRules::Clear() {
  if (!ui_.AskYesNo(kClearQuestion)) return false;
  if (!HasForm()) return true;  // the fields are empty already
  const PageValues empty = EmptyValues();
  if (values_ != empty) {
    values_ = empty;
    modified_ = true;
  }
  Changed();
  return true;
}

bool FormPageRules::SavePrompt(const std::string& question, bool withCancel) {
  if (PayeeCount() == 0 || !modified_ || firstShowing_) return true;
  if (withCancel) {
    switch (ui_.AskYesNoCancel(question)) {
      case Answer::Cancel: return false;
      case Answer::No: return true;
      case Answer::Yes: break;
    }
  } else if (!ui_.AskYesNo(question)) {
    return true;
  }
  const SaveResult result = SaveNow();
  if (result.outcome == SaveOutcome::Refused) return false;
  modified_ = false;
  return true;
}

bool FormPageRules::Hide() { return SavePrompt(texts_.hidePrompt, false); }
bool FormPageRules::Close() { return SavePrompt(texts_.hidePrompt, true); }

// ---- navigation -------------------------------------------------------------------

void FormPageRules::Select() {
  if (PayeeCount() == 0) {
    ui_.ShowMessage(texts_.noPayees);
    return;
  }
  if (!SavePrompt(texts_.selectPrompt, false)) return;
  const RowChoiceAnswer answer = ui_.ChooseRow(SelectList());
  KeepChoiceOrder(answer);
  if (answer.accepted && answer.row) {
    // The rows are the payees in document order; clamp to the list.
    const int last = static_cast<int>(PayeeCount()) - 1;
    payee_ = std::clamp(static_cast<int>(*answer.row), 0, last);
    firstShowing_ = false;
  }
  // The page shows what is stored, whatever the answer: the edits were saved
  // or the user declined to save them.
  Load();
}

RowChoice FormPageRules::SelectList() const {
  RowChoice choice = SelectChoice();
  if (payee_ >= 0) choice.current = static_cast<size_t>(payee_);
  return choice;
}

void FormPageRules::Next() { Step(true); }
void FormPageRules::Previous() { Step(false); }

void FormPageRules::Step(bool forward) {
  if (PayeeCount() == 0) return;
  const PayeeOrder& order = Order();
  std::optional<int> to;
  if (payee_ < 0) to = order.First();
  else to = forward ? order.Next(payee_) : order.Previous(payee_);
  to = ValidPosition(to);
  if (!to) {
    // Nothing moves; the edits and the modified flag stay.
    ui_.ShowBalloonNote(forward ? NoteAnchor::NextButton : NoteAnchor::PreviousButton, kNoteTitle,
                 forward ? texts_.lastNote : texts_.firstNote, 0);
    return;
  }
  if (!SavePrompt(forward ? texts_.nextPrompt : texts_.previousPrompt, false)) return;
  modified_ = false;
  firstShowing_ = false;
  if (*to != payee_) {
    payee_ = *to;
    Load();
  }
}

// ---- the payee pages' links ---------------------------------------------------------

void FormPageRules::AfterFormAdded(bool reload) {
  payee_ = PayeeCount() > 0 ? 0 : -1;
  form_ = payee_ >= 0 ? FindForm(payee_) : -1;
  firstShowing_ = false;
  if (reload) Load();
}

void FormPageRules::AfterFormDeleted() {
  if (PayeeCount() > 0) {
    payee_ = 0;
  } else {
    payee_ = -1;
    firstShowing_ = true;
  }
  Load();
}

}  // namespace formet
