#include "store/global_doc.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>

#include <cstdio>
#include <fstream>
#include <unordered_map>

#include "store/conversion.h"
#include "store/settings_store.h"
#include "store/text_codec.h"
#include "store/ui_services.h"

namespace formet {
namespace fs = std::filesystem;

namespace {

const std::string kSaveQuestion = "Do you want to save the changes you made to this Company?";

std::string LastActiveCompanyKey() { return std::string(kSettingsRoot) + "\\Last Active Company"; }

// The record of a journal entry: at its recorded position when that still
// holds the record, otherwise found by its unique id.
template <class R, class Id>
const R* FindRecord(const std::vector<R>& list, int32_t index, int32_t id, Id R::*idField) {
  if (index >= 0 && static_cast<size_t>(index) < list.size() && list[index].*idField == id) return &list[index];
  for (const auto& r : list)
    if (r.*idField == id) return &r;
  return nullptr;
}

// Renames without replacing an existing file; a rename to the same name
// succeeds.
bool RenameNoReplace(const fs::path& from, const fs::path& to) {
  if (from == to) return true;
  return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

bool IsUsableFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

}  // namespace

std::string EngineErrorMessage(const std::string& text, int code) {
  return text + "\n\nEngine Error Code: " + std::to_string(code);
}

std::string SaveFailureMessage(int code) { return EngineErrorMessage("Formet failed to save the changes.", code); }

void CompactJournal(std::vector<PendingChange>& journal) {
  // For each record (kind and id), the entries written since its last delete.
  // A delete drops them; when one of them inserted the record, the delete
  // goes too, as the file never held it. Entries after a delete belong to a
  // record that reuses the id and are kept.
  struct Key {
    int32_t kind, id;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    size_t operator()(const Key& k) const { return std::hash<int64_t>()((int64_t{k.kind} << 32) ^ uint32_t(k.id)); }
  };
  std::unordered_map<Key, std::vector<size_t>, KeyHash> live;
  live.reserve(journal.size());
  for (size_t i = 0; i < journal.size(); ++i) {
    auto& change = journal[i];
    auto& entries = live[{static_cast<int32_t>(change.kind), change.uniqueId}];
    if (change.op != ChangeOp::Delete) {
      entries.push_back(i);
      continue;
    }
    bool inserted = false;
    for (size_t e : entries) {
      journal[e].dropped = 1;
      inserted = inserted || journal[e].op == ChangeOp::Insert;
    }
    entries.clear();
    if (inserted) change.dropped = 1;
  }
  std::erase_if(journal, [](const PendingChange& c) { return c.dropped != 0; });
}

CGlobalDoc::CGlobalDoc(UiServices& ui, SettingsStore& settings, fs::path dataFolder)
    : ui_(ui), settings_(settings), dataFolder_(std::move(dataFolder)) {}

CGlobalDoc::~CGlobalDoc() { db_.Close(); }

fs::path CGlobalDoc::CompanyFilePath(const std::string& name) const {
  return dataFolder_ / (Win1252ToUtf8(name) + kCompanyFileExtension);
}

void CGlobalDoc::SetCompany(const std::string& name) {
  companyName_ = name;
  path_ = FindCompanyFile(name).value_or(CompanyFilePath(name));
}

void CGlobalDoc::BeginSession() {
  if (!firstLoad_) return;
  LoadPrintSettings(settings_, printSettings_);
  firstLoad_ = false;
}

void CGlobalDoc::AddView(DocumentView* view) {
  if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CGlobalDoc::RemoveView(DocumentView* view) { std::erase(views_, view); }

// ---- company files ----------------------------------------------------------

bool CGlobalDoc::ListCompanies(bool withoutExtension) {
  companyNames_.clear();
  RecoverInterruptedConversions();
  std::error_code ec;
  fs::directory_iterator it(dataFolder_, ec);
  if (ec) return false;
  const std::string ext = kCompanyFileExtension;
  for (const auto& entry : it) {
    const std::string utf8 = entry.path().filename().string();
    if (utf8.size() <= ext.size() || utf8.compare(utf8.size() - ext.size(), ext.size(), ext) != 0) continue;
    if (!entry.is_regular_file(ec)) continue;
    auto name = Utf8ToWin1252(utf8);
    if (!name) continue;  // a name the program cannot show or type
    if (withoutExtension) name->erase(name->find(ext), ext.size());
    companyNames_.push_back(std::move(*name));
  }
  std::sort(companyNames_.begin(), companyNames_.end());
  return !companyNames_.empty();
}

void CGlobalDoc::RecoverInterruptedConversions() const {
  const std::string suffix = std::string(kCompanyFileExtension) + kSetAsideFileSuffix;
  std::error_code ec;
  std::vector<fs::path> waiting;
  for (const auto& entry : fs::directory_iterator(dataFolder_, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
      waiting.push_back(entry.path());
  }
  for (const auto& file : waiting) {
    const std::string full = file.string();
    RecoverInterruptedConversion(full.substr(0, full.size() - std::strlen(kSetAsideFileSuffix)));
  }
}

std::optional<fs::path> CGlobalDoc::FindCompanyFile(const std::string& name) const {
  std::error_code ec;
  fs::directory_iterator it(dataFolder_, ec);
  if (ec) return std::nullopt;
  const std::string wanted = name + kCompanyFileExtension;
  for (const auto& entry : it) {
    const auto fileName = Utf8ToWin1252(entry.path().filename().string());
    if (fileName && EqualsIgnoreCase1252(*fileName, wanted) && entry.is_regular_file(ec)) return entry.path();
  }
  return std::nullopt;
}

bool CGlobalDoc::CompanyFileExists(const std::string& name) const { return FindCompanyFile(name).has_value(); }

bool CGlobalDoc::CreateDatabase() {
  db_.Close();
  if (db_.Open(path_) != 0) return false;
  return db_.CreateTables() == 0;
}

// ---- loading ------------------------------------------------------------------

bool CGlobalDoc::Fail(const std::string& message) {
  ui_.ShowError(message);
  return false;
}

bool CGlobalDoc::FailEngine(const std::string& message, int code) { return Fail(EngineErrorMessage(message, code)); }

bool CGlobalDoc::OnNewDocument() {
  if (firstLoad_) {
    std::string name = settings_.ReadTextOr(LastActiveCompanyKey(), "Value", kSampleCompany);
    BeginSession();
    RecoverInterruptedConversions();
    if (!CompanyFileExists(name)) {
      name = kSampleCompany;
      if (!CompanyFileExists(name)) {
        return Fail("Formet could not find a company to open.\n\nThe folder " +
                    Utf8ToWin1252(dataFolder_.string()).value_or(dataFolder_.string()) +
                    " holds neither the company you used last nor \"Sample Company.qdt\".");
      }
    }
    SetCompany(name);
  }

  db_.Close();
  RecoverInterruptedConversion(path_);
  {
    std::fstream probe(path_, std::ios::in | std::ios::out | std::ios::binary);
    if (!probe) return Fail("Formet failed to open file.");
  }
  if (IsOldFormatFile(path_)) {
    std::string error;
    if (!ConvertOldFormat(path_, error)) return Fail("Formet failed to convert file format.\n\n" + error);
  }
  if (int rc = db_.Open(path_)) return FailEngine("Formet failed to open Database.", rc);
  if (int rc = UpgradeSchema(db_)) return FailEngine("Formet failed to upgrade Database.", rc);

  if (int rc = db_.ReadCompany(company_)) return FailEngine("Formet failed to read Database Part1.", rc);
  if (int rc = db_.ReadEmployees(employees_)) return FailEngine("Formet failed to read Database Part2.", rc);
  if (int rc = db_.ReadContractors(contractors_)) return FailEngine("Formet failed to read Database Part3.", rc);
  if (int rc = db_.ReadW2Forms(w2Forms_)) return FailEngine("Formet failed to read Database Part4.", rc);
  if (int rc = db_.ReadForms1099(forms1099_, contractors_))
    return FailEngine("Formet failed to read Database Part5.", rc);
  if (int rc = db_.ReadW3(w3List_)) return FailEngine("Formet failed to read Database Part6.", rc);
  if (int rc = db_.ReadForm1096(form1096_)) return FailEngine("Formet failed to read Database Part7.", rc);
  if (int rc = db_.ReadTransmitter(transmitter_)) return FailEngine("Formet failed to read Database Part8.", rc);
  if (int rc = db_.ReadSubmitter(submitter_)) return FailEngine("Formet failed to read Database Part9.", rc);

  SetWindowTitle();
  return true;
}

void CGlobalDoc::SetWindowTitle(const std::string& name) {
  if (!name.empty()) companyName_ = name;
  ui_.SetMainWindowTitle(companyName_ + " - " + kApplicationTitle);
}

void CGlobalDoc::ResetContents() {
  company_ = CompanyRecord{};
  employees_.clear();
  contractors_.clear();
  w2Forms_.clear();
  forms1099_.clear();
  w3List_.clear();
  transmitter_ = TransmitterRecord{};
  submitter_ = SubmitterRecord{};
  // Changes not saved belong to the company being closed; written into the
  // next company they would land on the wrong records.
  journal_.clear();
  modified_ = false;
  for (auto* view : views_) view->OnDocumentReset();
  NotifyStateChanged();
}

void CGlobalDoc::RefreshAllViews() {
  for (auto* view : views_) view->OnDocumentRefresh();
  NotifyStateChanged();
}

void CGlobalDoc::SetModified(bool modified) {
  modified_ = modified;
  NotifyStateChanged();
}

bool CGlobalDoc::HasUnsavedEdits() const {
  return std::any_of(views_.begin(), views_.end(), [](const DocumentView* v) { return v->HasUnsavedEdits(); });
}

void CGlobalDoc::NotifyStateChanged() {
  for (auto* view : views_) view->OnDocumentStateChanged();
}

// ---- saving -------------------------------------------------------------------

int CGlobalDoc::AddPendingChange(const PendingChange& change, bool saveNow) {
  PendingChange entry = change;
  entry.dropped = 0;
  journal_.push_back(entry);
  return saveNow ? SaveChanges() : 0;
}

int CGlobalDoc::WriteChange(const PendingChange& c) {
  const bool insert = c.op == ChangeOp::Insert, update = c.op == ChangeOp::Update;
  switch (c.kind) {
    case ChangeKind::Employee: {
      if (c.op == ChangeOp::Delete) return db_.DeleteEmployee(c.uniqueId);
      const auto* r = FindRecord(employees_, c.index, c.uniqueId, &EmployeeRecord::EmployeeUniqueID);
      if (!r) return 0;
      return insert ? db_.InsertEmployee(*r, c.uniqueId) : db_.UpdateEmployee(*r, c.uniqueId);
    }
    case ChangeKind::Contractor: {
      if (c.op == ChangeOp::Delete) return db_.DeleteContractor(c.uniqueId);
      const auto* r = FindRecord(contractors_, c.index, c.uniqueId, &ContractorRecord::ContractorUniqueID);
      if (!r) return 0;
      return insert ? db_.InsertContractor(*r, c.uniqueId) : db_.UpdateContractor(*r, c.uniqueId);
    }
    case ChangeKind::W2: {
      if (c.op == ChangeOp::Delete) return db_.DeleteW2(c.uniqueId);
      const auto* r = FindRecord(w2Forms_, c.index, c.uniqueId, &W2Record::W2UniqueID);
      if (!r) return 0;
      return insert ? db_.InsertW2(*r, c.uniqueId) : db_.UpdateW2(*r);
    }
    case ChangeKind::Form1099: {
      if (c.op == ChangeOp::Delete) return db_.DeleteForm1099(c.uniqueId);
      const auto* r = FindRecord(forms1099_, c.index, c.uniqueId, &Form1099Record::Form1099UniqueID);
      if (!r) return 0;
      return insert ? db_.InsertForm1099(*r, c.uniqueId) : db_.UpdateForm1099(*r);
    }
    case ChangeKind::Company:
      return insert ? db_.InsertCompany(company_, c.uniqueId) : update ? db_.UpdateCompany(company_) : 0;
    case ChangeKind::Transmitter:
      return insert ? db_.InsertTransmitter(transmitter_, c.uniqueId)
                    : update ? db_.UpdateTransmitter(transmitter_) : 0;
    case ChangeKind::Submitter:
      return insert ? db_.InsertSubmitter(submitter_, c.uniqueId) : update ? db_.UpdateSubmitter(submitter_) : 0;
  }
  return 0;
}

int CGlobalDoc::SaveChanges() {
  if (!modified_) return 0;
  CompactJournal(journal_);
  if (journal_.empty()) return 0;
  if (int rc = db_.Open(path_)) return rc;
  if (int rc = db_.BeginTransaction()) return rc;
  for (const auto& change : journal_) {
    db_.Open(path_);  // inside the transaction: the same connection
    if (int rc = WriteChange(change)) {
      db_.RollbackTransaction();
      return rc;
    }
  }
  if (int rc = db_.EndTransaction()) {
    db_.RollbackTransaction();
    return rc;
  }
  // Only what reached the file leaves the journal.
  journal_.clear();
  db_.Close();
  SetModified(false);
  return 0;
}

bool CGlobalDoc::AskAboutUnsavedEdits() {
  for (auto* view : views_)
    if (!view->OnDocumentClosing()) return false;
  return true;
}

bool CGlobalDoc::AskToSave() {
  // Edits a page has not applied yet are asked about first.
  if (!AskAboutUnsavedEdits()) return false;
  if (!modified_) return true;
  switch (ui_.AskYesNoCancel(kSaveQuestion)) {
    case Answer::Cancel: return false;
    case Answer::No: return true;
    case Answer::Yes: break;
  }
  if (int rc = SaveChanges()) {
    // The changes are still in memory; nothing is discarded behind the user's back.
    ui_.ShowError(SaveFailureMessage(rc));
    return false;
  }
  return true;
}

// ---- commands -----------------------------------------------------------------

bool CGlobalDoc::NewCompany() {
  if (!AskToSave()) return false;
  const auto entry = ui_.AskNewCompany();
  if (!entry) return false;
  SavePrintSettings(settings_, printSettings_);
  const std::string name = entry->employerName;
  companyName_ = name;
  path_ = CompanyFilePath(name);
  bool created = false;
  if (const auto existing = FindCompanyFile(name)) {
    ui_.ShowMessage("This company already exists");
    path_ = *existing;
  } else {
    created = CreateDatabase();
  }
  ResetContents();
  if (!OnNewDocument()) return false;
  if (created) {
    // The three rows of a new company, each saved on its own. A save clears
    // the modified flag, so each change marks the document again.
    company_.EmployerName = name;
    for (ChangeKind kind : {ChangeKind::Company, ChangeKind::Transmitter, ChangeKind::Submitter}) {
      SetModified(true);
      AddPendingChange({kind, ChangeOp::Insert, -1, 1}, false);
      if (int rc = SaveChanges()) {
        ui_.ShowError(SaveFailureMessage(rc));
        return false;
      }
    }
  }
  RefreshAllViews();
  ui_.ShowCompanyPage();
  return true;
}

bool CGlobalDoc::OpenCompany() {
  if (!AskToSave()) return false;
  if (!ListCompanies(true)) return false;
  const auto chosen = ui_.ChooseCompany(companyNames_);
  if (!chosen || companyNames_.empty()) return false;
  ui_.BeginWaitCursor();
  SavePrintSettings(settings_, printSettings_);
  SetCompany(*chosen);
  ResetContents();
  const bool loaded = OnNewDocument();
  if (loaded) {
    SetModified(false);
    RefreshAllViews();
    ui_.ShowCompanyPage();
  }
  ui_.EndWaitCursor();
  return loaded;
}

void CGlobalDoc::DeleteCompany() {
  ListCompanies(true);
  std::erase(companyNames_, std::string(kSampleCompany));
  const auto chosen = ui_.ChooseCompanyToDelete(companyNames_);
  if (!chosen || companyNames_.empty()) return;
  if (*chosen == companyName_) {
    ui_.ShowMessage("You can't delete currently opened company.");
    return;
  }
  if (!ui_.AskYesNoDestructive("Are you sure you want to delete this company?\n\n" + *chosen)) return;
  const fs::path file = FindCompanyFile(*chosen).value_or(CompanyFilePath(*chosen));
  std::error_code ec;
  // An older deleted file of the same name is replaced by this one.
  fs::rename(file, fs::path(file.native() + ".del"), ec);
  NotifyStateChanged();
}

bool CGlobalDoc::CanDeleteCompany() {
  if (!ListCompanies(true)) return false;
  return std::any_of(companyNames_.begin(), companyNames_.end(),
                     [](const std::string& n) { return n != kSampleCompany; });
}

// ---- closing ------------------------------------------------------------------

bool CGlobalDoc::SaveModified() { return AskToSave(); }

void CGlobalDoc::SaveLastActiveCompany() { settings_.WriteText(LastActiveCompanyKey(), "Value", companyName_); }

void CGlobalDoc::OnCloseDocument() {
  db_.Close();
  // The file follows the employer name the user gave the company.
  if (!path_.empty() && IsUsableFileName(companyName_) && RenameNoReplace(path_, CompanyFilePath(companyName_))) {
    path_ = CompanyFilePath(companyName_);
    SaveLastActiveCompany();
  }
  SavePrintSettings(settings_, printSettings_);
}

}  // namespace formet
