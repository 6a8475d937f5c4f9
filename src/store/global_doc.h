#pragma once
// CGlobalDoc: the one open company. It owns the company's records in memory,
// the CompanyDatabase of its file and a journal of changes not yet written;
// it creates, opens, lists, deletes and saves companies as files in the data
// folder and remembers the last active company.
#include <cstdint>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/company_database.h"
#include "store/company_lock.h"
#include "store/company_summary.h"
#include "store/print_settings.h"
#include "store/records.h"

namespace formet {

class SettingsStore;
class UiServices;
class WorkProgress;

inline constexpr const char* kSampleCompany = "Sample Company";
inline constexpr const char* kCompanyFileExtension = ".qdt";
inline constexpr const char* kApplicationTitle = "Formet (2007)";

enum class ChangeKind : int32_t { Employee = 0, Contractor, W2, Form1099, Company, Transmitter, Submitter };
enum class ChangeOp : int32_t { Insert = 0, Delete = 1, Update = 2 };

struct PendingChange {
  ChangeKind kind = ChangeKind::Employee;
  ChangeOp op = ChangeOp::Insert;
  int32_t index = -1;     // position in its in-memory list (employees to 1099-MISC); -1 otherwise
  int32_t uniqueId = 0;
  int32_t dropped = 0;    // set during compaction only
  bool operator==(const PendingChange&) const = default;
};

// Where a new company is built before it takes its name.
inline constexpr const char* kNewFileSuffix = "__FORMET__NEW";

// A failure of the engine as the user sees it: "%s\n\nEngine Error Code: %d".
std::string EngineErrorMessage(const std::string& text, int code);
// Whether changes that could not be saved wait for the next save (the
// desktop keeps them) or are gone with the program (formet-cli ends).
enum class SaveRetry { WithNextSave, Never };
// The text shown when changes could not be saved; with the journal, it names
// what is still waiting to be saved, or what was not saved.
std::string SaveFailureMessage(int code, const std::vector<PendingChange>* pending = nullptr,
                               SaveRetry retry = SaveRetry::WithNextSave);
// The text shown when a company can be read but not written: its file (or,
// with `folder`, the file's folder) cannot be written for the system's
// `error`.
std::string ReadOnlyCompanyMessage(const std::string& companyName, const std::filesystem::path& file, int error,
                                   bool folder = false);
// The changes a journal holds, in words: "1 new employee, 1 new W-2".
std::string DescribePendingChanges(const std::vector<PendingChange>& journal);
// The text shown when another program holds the company open.
std::string OpenElsewhereMessage(const std::string& companyName);

// True when a company of this name can have its files in `folder`: the
// company file and every file made beside it (journal, lock, work files)
// have names the file system can hold.
bool FitsAsCompanyFileName(const std::string& name, const std::filesystem::path& folder);

// True when a file of this name (UTF-8, without its folder) is, in a data
// folder, a company's file or one the program or the engine makes beside it:
// NAME.qdt, its journal, its lock, a deleted company's file, the work files
// of New and of a conversion (".qdt" and what follows it in any letter case).
bool IsCompanyOwnedFileName(const std::string& fileName);

// Removes every change that a later or earlier delete of the same record
// makes pointless, and the delete itself when the record was inserted in the
// same journal. Near-linear in the journal's length.
void CompactJournal(std::vector<PendingChange>& journal);

// The largest id in a list plus 1, or 1 for an empty list.
template <class R, class Id>
int32_t NextUniqueId(const std::vector<R>& list, Id R::*id) {
  int32_t top = 0;
  for (const auto& r : list) top = std::max<int32_t>(top, r.*id);
  return top + 1;
}

// A page of the main window that shows the document's data.
class DocumentView {
 public:
  virtual ~DocumentView() = default;
  // Hands the current records to the page.
  virtual void OnDocumentRefresh() = 0;
  // The records were cleared; pages that show one record refresh their display.
  virtual void OnDocumentReset() {}
  // The document's state changed: modified or saved, a company loaded,
  // created or deleted. The main window brings its commands up to date.
  virtual void OnDocumentStateChanged() {}
  // Edits shown on the page that have not reached the record yet (the
  // company setup before its Update).
  virtual bool HasUnsavedEdits() const { return false; }
  // Before the company closes (New, Open, the end of the program): a page
  // with unsaved edits asks whether to save them. False cancels the close.
  virtual bool OnDocumentClosing() { return true; }
  // Company > Save: the page applies its unsaved edits without asking
  // first. False when they were refused (the user has been told why).
  virtual bool SaveUnsavedEdits() { return true; }
};

class CGlobalDoc {
 public:
  // `dataFolder` is where company files live (DatabaseFiles beside the
  // program by default; the caller decides).
  CGlobalDoc(UiServices& ui, SettingsStore& settings, std::filesystem::path dataFolder);
  ~CGlobalDoc();

  // The records, read-only: every change goes through the operations below,
  // which keep the journal themselves.
  const CompanyRecord& GetCompany() const { return company_; }
  const std::vector<EmployeeRecord>& GetEmployees() const { return employees_; }
  const std::vector<ContractorRecord>& GetContractors() const { return contractors_; }
  const std::vector<W2Record>& GetW2Forms() const { return w2Forms_; }
  const std::vector<Form1099Record>& GetForms1099() const { return forms1099_; }
  const std::vector<W3Record>& GetW3List() const { return w3List_; }
  const Form1096Record& GetForm1096() const { return form1096_; }
  const TransmitterRecord& GetTransmitter() const { return transmitter_; }
  const SubmitterRecord& GetSubmitter() const { return submitter_; }
  // Writable lists, still used by the tests' fixtures until they move to the
  // operations below; the program's own code changes records only through them.
  CompanyRecord& GetCompany() { return company_; }
  std::vector<EmployeeRecord>& GetEmployees() { return employees_; }
  std::vector<ContractorRecord>& GetContractors() { return contractors_; }
  std::vector<W2Record>& GetW2Forms() { return w2Forms_; }
  std::vector<Form1099Record>& GetForms1099() { return forms1099_; }
  std::vector<W3Record>& GetW3List() { return w3List_; }
  Form1096Record& GetForm1096() { return form1096_; }
  TransmitterRecord& GetTransmitter() { return transmitter_; }
  SubmitterRecord& GetSubmitter() { return submitter_; }
  FormPrintSettings& GetPrintSettings(PrintForm form) { return printSettings_[static_cast<int>(form)]; }
  PrintSettingsSet& GetAllPrintSettings() { return printSettings_; }
  bool HasNoEmployees() const { return employees_.empty(); }
  bool HasNoContractors() const { return contractors_.empty(); }

  const std::string& CompanyName() const { return companyName_; }
  const std::filesystem::path& CompanyPath() const { return path_; }
  const std::filesystem::path& DataFolder() const { return dataFolder_; }
  CompanyDatabase& Database() { return db_; }
  const std::vector<PendingChange>& Journal() const { return journal_; }
  bool IsModified() const { return modified_; }

  // Change recording.
  void SetModified(bool modified);
  // True when a page shows edits that have not reached the record.
  bool HasUnsavedEdits() const;
  // Each page with edits that have not reached the record asks whether to
  // save them, before the company closes or before a change saves the
  // records and refreshes every page from them. False: the user cancelled.
  bool AskAboutUnsavedEdits();
  // Tells every view that the document's state changed.
  void NotifyStateChanged();
  // Journals a change made to a writable list by hand (the tests' fixtures).
  int AddPendingChange(const PendingChange& change, bool saveNow);

  // The lists of payees and forms (EmployeeRecord, ContractorRecord,
  // W2Record, Form1099Record) share one shape: a record is known by its
  // position in its list and its unique id. Each operation changes the list,
  // marks the document modified and journals the change; with `saveNow` the
  // journal is written at once and the engine's code returned (0 otherwise).
  // Appends `record`, which carries its unique id.
  template <class R>
  int AddRecord(R record, bool saveNow = false);
  // Replaces the record at `position` with `record`.
  template <class R>
  int UpdateRecord(size_t position, R record, bool saveNow = false);
  // Removes the record at `position`.
  template <class R>
  int RemoveRecord(size_t position, bool saveNow = false);
  // Brings the record at `position` up to date in memory only (an older
  // layout read from the file): nothing is journalled, and the record
  // reaches the file with its next update.
  template <class R>
  void ReplaceInMemory(size_t position, R record);
  // Room for `more` records at once (an import): the list does not move
  // while it grows.
  template <class R>
  void ReserveRecords(size_t more);
  // The company setup, the W-2 submitter and the 1099 transmitter, one row
  // each: replaces the row in memory and journals `op` (Insert when the
  // file has no such row yet).
  template <class R>
  int ChangeRow(R record, ChangeOp op = ChangeOp::Update, bool saveNow = false);
  // Replaces the row in memory only, for a company that cannot be written:
  // nothing is journalled.
  template <class R>
  void ReplaceRowInMemory(R record);
  // Writes the journal in one transaction. On any failure the transaction is
  // rolled back, the journal and the modified flag stay, and the engine's
  // code is returned. Nothing is written while no company is loaded. With
  // `progress`, a Cancel heard between two changes rolls the transaction
  // back and returns kSaveCancelled.
  int SaveChanges(WorkProgress* progress = nullptr);
  static constexpr int kSaveCancelled = 9;  // the engine's "interrupted"

  // A point to come back to in a run of adds (an import): how long the
  // payee and form lists were, and whether the document was modified.
  struct ChangeMark {
    size_t employees = 0, contractors = 0, w2Forms = 0, forms1099 = 0;
    bool modified = false;
  };
  ChangeMark MarkChanges() const;
  // Takes back the payees and forms added since `mark` with their entries
  // in the journal, when nothing but adds that were not saved happened since.
  void DropChangesSince(const ChangeMark& mark);
  // The questions and messages of the rules working on the document.
  UiServices& Ui() { return ui_; }

  // Company commands. New and Open return true when a company was loaded.
  bool NewCompany();
  bool OpenCompany();
  void DeleteCompany();
  bool CanDeleteCompany();

  // Loads the company: at start-up the last active one, else Sample Company,
  // else one the user picks from the company list; later the one set by New
  // or Open. False when nothing could be loaded; the user has been told why.
  // While a company is loaded its lock is held (CompanyLock): a company that
  // another program holds open is not loaded, and nothing of it is touched.
  bool OnNewDocument();
  // True while the records are those of a company that loaded completely.
  bool IsLoaded() const { return loaded_; }
  // A company that can be read but not written (its file or folder cannot be
  // written, or its lock cannot be taken) is refused by the load, unless the
  // caller only reads: then it loads, nothing of it is ever written, and
  // ReadOnlyReason tells why.
  void AcceptReadOnly(bool accept) { acceptReadOnly_ = accept; }
  // Why the loaded company cannot be written; nullopt when it can.
  const std::optional<std::string>& ReadOnlyReason() const { return readOnly_; }
  // Before the document closes: asks about unsaved changes. False = Cancel.
  bool SaveModified();
  // When the program ends: gives the file the company's current name (unless
  // another company has that name, in any letter case), remembers it as the
  // last active company and gives up the company's lock.
  void OnCloseDocument();

  // Sets the company to load next (by name, in the data folder; see
  // FindCompanyFile). The company name becomes that of the file found.
  void SetCompany(const std::string& name);
  // For callers that name the company themselves instead of starting with the
  // last active one: reads the print settings as the first load does and
  // ends the start-up state. Stored print options that the dialogs could not
  // have given are replaced by their defaults, and the user is told once.
  void BeginSession();
  // After the print options were changed: writes them to the settings store
  // at once. When they cannot be written the user is told (once while the
  // program runs) and false is returned; the options are used all the same.
  bool StorePrintSettings();

  // The user's settings (print options, folders last used).
  SettingsStore& Settings() { return settings_; }

  // Internal operations, public for the pages and for tests.
  // Company names of the data folder, sorted, each once; false when there is
  // none. Exactly the names FindCompanyFile finds a file for.
  bool ListCompanies(bool withoutExtension);
  const std::vector<std::string>& CompanyNames() const { return companyNames_; }
  // The companies of CompanyNames() with what the Open dialog shows of each
  // (read from their files, read-only, without their locks).
  std::vector<CompanyListing> CompanyListings() const;
  bool CompanyFileExists(const std::string& name) const;
  // The file of a company. A company's identity is its file: a regular file
  // of the data folder named by the company name and ".qdt" (the extension
  // in any letter case). The file whose name is exactly the name wins;
  // otherwise the one file whose name equals it without regard to case.
  // Nullopt when there is none, or several that differ only in case.
  std::optional<std::filesystem::path> FindCompanyFile(const std::string& name) const;
  // Builds the file of a new company `name` complete (tables and its three
  // rows, in one transaction) under a work name, then gives it the company's
  // name. On failure nothing is left behind. Returns 0 or the engine's code.
  int CreateDatabase(const std::string& name);
  void ResetContents();
  void RefreshAllViews();
  void SetWindowTitle(const std::string& name = {});
  void SaveLastActiveCompany();

  void AddView(DocumentView* view);
  void RemoveView(DocumentView* view);

  // The file of a company: data folder + name + ".qdt". Names are
  // Windows-1252; the file system holds them as UTF-8.
  std::filesystem::path CompanyFilePath(const std::string& name) const;

 private:
  struct CompanyFileEntry {
    std::filesystem::path path;
    std::string name;  // without the extension, Windows-1252
  };
  // Every company file of the data folder.
  std::vector<CompanyFileEntry> CompanyFiles() const;
  // True when another company file than `own` has a name equal to `name`
  // without regard to case.
  bool NameTakenByAnother(const std::string& name, const std::filesystem::path* own) const;
  bool Fail(const std::string& message);
  bool FailEngine(const std::string& message, int code);
  int WriteChange(const PendingChange& change);
  template <class R>
  std::vector<R>& ListOf();
  template <class R>
  R& RowOf();
  bool AskToSave();  // false when the user cancelled
  // Puts back old files whose conversion stopped between its two renames.
  void RecoverInterruptedConversions() const;
  // The start-up load: the last active company, Sample Company, the list.
  bool FirstLoad();
  // Loads the company at path_, holding its lock; `taken`, when given, is
  // that lock already held.
  bool Load(CompanyLock* taken = nullptr);
  // After New or Open failed to load another company: the company that was
  // open before is loaded again.
  void Reopen(const std::string& name, const std::filesystem::path& path);

  UiServices& ui_;
  SettingsStore& settings_;
  std::filesystem::path dataFolder_;
  std::string companyName_;
  std::filesystem::path path_;
  bool firstLoad_ = true;
  bool modified_ = false;
  bool loaded_ = false;
  bool acceptReadOnly_ = false;
  bool printSettingsUnwritableTold_ = false;
  std::optional<std::string> readOnly_;  // why the loaded company cannot be written
  std::string failureContext_;  // put before a load's failure message: which company failed
  CompanyDatabase db_;
  CompanyLock lock_;  // of the loaded company

  CompanyRecord company_;
  std::vector<EmployeeRecord> employees_;
  std::vector<ContractorRecord> contractors_;
  std::vector<W2Record> w2Forms_;
  std::vector<Form1099Record> forms1099_;
  std::vector<W3Record> w3List_;
  Form1096Record form1096_;
  TransmitterRecord transmitter_;
  SubmitterRecord submitter_;
  PrintSettingsSet printSettings_{};

  std::vector<std::string> companyNames_;
  std::vector<PendingChange> journal_;
  std::vector<DocumentView*> views_;
};

}  // namespace formet
