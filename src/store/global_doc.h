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

#include "forms/w2/print_settings.h"
#include "store/company_database.h"
#include "store/records.h"

namespace formet {

class SettingsStore;
class UiServices;

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

// A failure of the engine as the user sees it: "%s\n\nEngine Error Code: %d".
std::string EngineErrorMessage(const std::string& text, int code);
// The text shown when changes could not be saved.
std::string SaveFailureMessage(int code);

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

  // Accessors.
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
  int AddPendingChange(const PendingChange& change, bool saveNow);
  // Writes the journal in one transaction. On any failure the transaction is
  // rolled back, the journal and the modified flag stay, and the engine's
  // code is returned.
  int SaveChanges();

  // Company commands. New and Open return true when a company was loaded.
  bool NewCompany();
  bool OpenCompany();
  void DeleteCompany();
  bool CanDeleteCompany();

  // Loads the company: at start-up the last active one (or Sample Company),
  // later the one set by New or Open. False when nothing could be loaded;
  // the user has been told why.
  bool OnNewDocument();
  // Before the document closes: asks about unsaved changes. False = Cancel.
  bool SaveModified();
  // When the program ends: gives the file the company's current name and
  // remembers it as the last active company.
  void OnCloseDocument();

  // Sets the company to load next (by name, in the data folder).
  void SetCompany(const std::string& name);
  // For callers that name the company themselves instead of starting with the
  // last active one: reads the print settings as the first load does and
  // ends the start-up state.
  void BeginSession();

  // Internal operations, public for the pages and for tests.
  // Company names of the data folder, sorted; false when there is none.
  bool ListCompanies(bool withoutExtension);
  const std::vector<std::string>& CompanyNames() const { return companyNames_; }
  bool CompanyFileExists(const std::string& name) const;
  bool CreateDatabase();
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
  bool Fail(const std::string& message);
  bool FailEngine(const std::string& message, int code);
  int WriteChange(const PendingChange& change);
  // The existing file of a company, matched without regard to case.
  std::optional<std::filesystem::path> FindCompanyFile(const std::string& name) const;
  bool AskToSave();  // false when the user cancelled
  // Puts back old files whose conversion stopped between its two renames.
  void RecoverInterruptedConversions() const;

  UiServices& ui_;
  SettingsStore& settings_;
  std::filesystem::path dataFolder_;
  std::string companyName_;
  std::filesystem::path path_;
  bool firstLoad_ = true;
  bool modified_ = false;
  CompanyDatabase db_;

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
