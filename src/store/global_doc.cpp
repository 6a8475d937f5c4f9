#include "store/global_doc.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <unordered_map>

#include <sqlite3.h>

#include "store/conversion.h"
#include "store/file_words.h"
#include "store/settings_store.h"
#include "store/text_codec.h"
#include "store/ui_services.h"

namespace formet {
namespace fs = std::filesystem;

namespace {

const std::string kSaveQuestion = "Do you want to save the changes you made to this Company?";
constexpr const char* kNewCompanyNamePrompt = "Please enter a name for the new company";

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

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

// The company file's extension at the end of a file name, in any letter case.
bool HasCompanyExtension(const std::string& fileName) {
  const std::string_view ext = kCompanyFileExtension;
  return fileName.size() > ext.size() &&
         EqualsIgnoreCase1252(std::string_view(fileName).substr(fileName.size() - ext.size()), ext);
}

// Files made beside a company file, by the suffix appended to its name; a
// company name must leave room for the longest.
constexpr const char* kSuffixesBesideCompanyFile[] = {
    "-journal", ".lock", ".del", "__FORMET__NEW-journal", "__FORMET__CONVERTED-journal", "__FORMET__VERSION2",
    "__FORMET__TEMP"};
// What else follows the extension in the name of a file beside a company
// file: the engine's other journals, and the beginning of every work file's
// suffix.
constexpr const char* kOtherSuffixesBesideCompanyFile[] = {"-wal", "-shm", "__FORMET__"};

// Opens a company file for reading as a test, without ever waiting on a
// named pipe or device: only a regular file will do. Returns 0 or the
// system's error (EINVAL for what is no regular file).
int OpenCompanyFileError(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat st {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  return regular ? 0 : EINVAL;
}

// Whether the engine can write beside a company file: its journal is made in
// the company's folder. Returns 0 or the system's error.
int FolderWriteError(const fs::path& folder) {
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0 ? 0 : errno;
}

// A journal beside a company file that is no regular file (a named pipe, a
// folder) would stop the engine, or hang it, when it looks for a hot journal.
bool JournalInTheWay(const fs::path& companyFile) {
  std::error_code ec;
  const fs::path journal(companyFile.native() + "-journal");
  return fs::exists(fs::symlink_status(journal, ec)) && !fs::is_regular_file(fs::status(journal, ec));
}

std::string NotACompanyFileMessage(const fs::path& file) {
  const std::string name = Utf8ToWin1252(file.filename().string()).value_or(PrintableUtf8(file.filename().string()));
  return "The company folder holds something named \"" + name +
         "\" that is not a file Formet can use. Remove it, or choose another name, then try again.";
}

const char* PendingKindName(ChangeKind kind, bool plural) {
  switch (kind) {
    case ChangeKind::Employee: return plural ? "employees" : "employee";
    case ChangeKind::Contractor: return plural ? "contractors" : "contractor";
    case ChangeKind::W2: return plural ? "W-2 forms" : "W-2";
    case ChangeKind::Form1099: return plural ? "1099-MISC forms" : "1099-MISC";
    case ChangeKind::Company: return "company setup";
    case ChangeKind::Transmitter: return "1099 transmitter";
    case ChangeKind::Submitter: return "W-2 submitter";
  }
  return "";
}

}  // namespace

std::string EngineErrorMessage(const std::string& text, int code) {
  std::string message = text + "\n\nEngine Error Code: " + std::to_string(code);
  const std::string words = EngineCodeInWords(code, LastSystemErrorOf(code));
  if (!words.empty()) message += "\n\n" + words;
  return message;
}

std::string DescribePendingChanges(const std::vector<PendingChange>& journal) {
  // Counted per kind and operation, in the order the kinds are numbered.
  std::map<std::pair<int, int>, int> counts;
  for (const auto& c : journal) ++counts[{static_cast<int>(c.kind), static_cast<int>(c.op)}];
  std::string text;
  for (const auto& [key, count] : counts) {
    const auto kind = static_cast<ChangeKind>(key.first);
    const auto op = static_cast<ChangeOp>(key.second);
    std::string part;
    if (kind == ChangeKind::Company || kind == ChangeKind::Transmitter || kind == ChangeKind::Submitter) {
      part = std::string(op == ChangeOp::Update ? "changes to the " : "the new ") + PendingKindName(kind, false);
    } else {
      const char* how = op == ChangeOp::Insert ? "new" : op == ChangeOp::Delete ? "deleted" : "changed";
      part = std::to_string(count) + " " + how + " " + PendingKindName(kind, count != 1);
    }
    text += (text.empty() ? "" : ", ") + part;
  }
  return text;
}

std::string SaveFailureMessage(int code, const std::vector<PendingChange>* pending, SaveRetry retry) {
  std::string text = EngineErrorMessage("Formet failed to save the changes.", code);
  if (pending && !pending->empty()) {
    if (retry == SaveRetry::WithNextSave) {
      text += "\n\nNot saved yet: " + DescribePendingChanges(*pending) +
              ". Formet keeps these changes and tries again with the next save; if you close the company "
              "without saving, they are lost.";
    } else {
      text += "\n\nNot saved: " + DescribePendingChanges(*pending) + ". The company file is as it was.";
    }
  }
  return text;
}

std::string ReadOnlyCompanyMessage(const std::string& companyName, const fs::path& file, int error, bool folder) {
  const std::string what = folder ? "its folder " + ShownPath(file.parent_path()) + ", where every change is "
                                        "prepared before it is saved, cannot be written"
                                  : "its file " + ShownPath(file) + " cannot be written";
  return "Formet can read the company \"" + companyName + "\" but not change it: " + what + " (" +
         FileErrorInWords(error) + ").\n\nFormet has not changed it. To work on it, make " +
         (folder ? "the folder" : "the file") + " writable for you (or copy the company into a folder of your "
         "own), then try again.";
}

std::string OpenElsewhereMessage(const std::string& companyName) {
  return "The company \"" + companyName +
         "\" is open in another Formet program.\n\nFormet has not changed it. Close the company there (or wait "
         "until that program has finished), then try again.";
}

bool FitsAsCompanyFileName(const std::string& name, const fs::path& folder) {
  const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  size_t longest = 0;
  for (const char* suffix : kSuffixesBesideCompanyFile) longest = std::max(longest, std::strlen(suffix));
  const size_t bytes = Win1252ToUtf8(name).size() + std::strlen(kCompanyFileExtension) + longest;
  return bytes <= static_cast<size_t>(limit > 0 ? limit : 255);
}

bool IsCompanyOwnedFileName(const std::string& fileName) {
  const auto lowered = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  const std::string lower = lowered(fileName);
  const std::string ext = lowered(kCompanyFileExtension);
  for (size_t at = lower.find(ext); at != std::string::npos; at = lower.find(ext, at + 1)) {
    if (at == 0) continue;  // ".qdt" alone names no company
    const std::string rest = lower.substr(at + ext.size());
    if (rest.empty()) return true;
    for (const char* suffix : kSuffixesBesideCompanyFile)
      if (rest == lowered(suffix)) return true;
    for (const char* start : kOtherSuffixesBesideCompanyFile)
      if (rest.starts_with(lowered(start))) return true;
  }
  return false;
}

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
  // Without a delete nothing goes: a journal of insertions alone (an
  // import's) needs no index of its records.
  if (std::none_of(journal.begin(), journal.end(), [](const PendingChange& c) { return c.op == ChangeOp::Delete; }))
    return;
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
  path_ = CompanyFilePath(name);
  if (const auto file = FindCompanyFile(name)) {
    path_ = *file;
    // The company is its file: its name is the file's, letter case included.
    for (const auto& entry : CompanyFiles())
      if (entry.path == *file) companyName_ = entry.name;
  }
}

void CGlobalDoc::BeginSession() {
  if (!firstLoad_) return;
  const auto replaced = LoadPrintSettings(settings_, printSettings_);
  firstLoad_ = false;
  if (replaced.empty()) return;
  // Told once, when they are read: the values are not stored again until the
  // options are next written.
  std::string text = "Some print options stored in " +
                     (settings_.Location().empty() ? std::string("your settings") : settings_.Location()) +
                     " are outside what the print options accept, so Formet uses their defaults instead:\n";
  for (const auto& value : replaced) text += "\n" + value;
  text += "\n\nCheck the print options before you print.";
  ui_.ShowMessage(text);
}

bool CGlobalDoc::StorePrintSettings() {
  // A copy: the blocks in memory keep the signs a print dialog gave them.
  PrintSettingsSet copy = printSettings_;
  if (SavePrintSettings(settings_, copy)) return true;
  if (!printSettingsUnwritableTold_) {
    printSettingsUnwritableTold_ = true;
    ui_.ShowError("Formet could not store the print options in " +
                  (settings_.Location().empty() ? std::string("your settings") : settings_.Location()) +
                  ": the settings file cannot be written.\n\nThe options you chose are used until Formet is "
                  "closed; the next time it starts, the options stored before are used.");
  }
  return false;
}

void CGlobalDoc::AddView(DocumentView* view) {
  if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CGlobalDoc::RemoveView(DocumentView* view) { std::erase(views_, view); }

// ---- company files ----------------------------------------------------------

std::vector<CGlobalDoc::CompanyFileEntry> CGlobalDoc::CompanyFiles() const {
  std::vector<CompanyFileEntry> files;
  std::error_code ec;
  fs::directory_iterator it(dataFolder_, ec);
  if (ec) return files;
  const size_t ext = std::strlen(kCompanyFileExtension);
  for (const auto& entry : it) {
    const std::string utf8 = entry.path().filename().string();
    if (!HasCompanyExtension(utf8) || !entry.is_regular_file(ec)) continue;
    // A name the program cannot show or type is no company it can open.
    auto name = AcceptEnteredText(std::string_view(utf8).substr(0, utf8.size() - ext));
    if (!name || name->empty()) continue;
    files.push_back({entry.path(), std::move(*name)});
  }
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
  return files;
}

bool CGlobalDoc::ListCompanies(bool withoutExtension) {
  companyNames_.clear();
  RecoverInterruptedConversions();
  for (const auto& file : CompanyFiles()) {
    if (!FindCompanyFile(file.name)) continue;  // one of several that differ only in case
    companyNames_.push_back(withoutExtension ? file.name
                                             : Utf8ToWin1252(file.path.filename().string()).value_or(file.name));
  }
  std::sort(companyNames_.begin(), companyNames_.end());
  companyNames_.erase(std::unique(companyNames_.begin(), companyNames_.end()), companyNames_.end());
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
    const fs::path company = full.substr(0, full.size() - std::strlen(kSetAsideFileSuffix));
    // A conversion still running in another program holds the company's lock.
    if (lock_.Holds() && lock_.CompanyFile() == company) {
      RecoverInterruptedConversion(company);
      continue;
    }
    CompanyLock lock;
    if (lock.Acquire(company) == CompanyLock::Outcome::Held) RecoverInterruptedConversion(company);
  }
}

std::optional<fs::path> CGlobalDoc::FindCompanyFile(const std::string& name) const {
  std::vector<const CompanyFileEntry*> exact, folded;
  const auto files = CompanyFiles();
  for (const auto& file : files) {
    if (file.name == name) {
      // The name with the extension as the program writes it wins outright.
      if (file.path.filename().string().ends_with(kCompanyFileExtension)) return file.path;
      exact.push_back(&file);
    } else if (EqualsIgnoreCase1252(file.name, name)) {
      folded.push_back(&file);
    }
  }
  if (!exact.empty()) return exact.front()->path;
  if (folded.size() == 1) return folded.front()->path;
  return std::nullopt;
}

bool CGlobalDoc::NameTakenByAnother(const std::string& name, const fs::path* own) const {
  for (const auto& file : CompanyFiles())
    if (EqualsIgnoreCase1252(file.name, name) && !(own && SameFile(file.path, *own))) return true;
  return false;
}

bool CGlobalDoc::CompanyFileExists(const std::string& name) const { return FindCompanyFile(name).has_value(); }

int CGlobalDoc::CreateDatabase(const std::string& name) {
  const fs::path target = CompanyFilePath(name);
  const fs::path work(target.native() + kNewFileSuffix);
  const fs::path workJournal(work.native() + "-journal");
  std::error_code ec;
  // Left by a New that was stopped part-way (the caller holds the company's
  // lock, so no New is still at work on it).
  fs::remove(work, ec);
  fs::remove(workJournal, ec);

  int rc = 0;
  {
    CompanyDatabase db;
    CompanyRecord company;
    company.SetEmployerName(name);
    rc = db.Open(work, OpenMode::Create);
    if (rc == 0) rc = db.BeginTransaction();
    if (rc == 0) rc = db.CreateTables();
    if (rc == 0) rc = db.InsertCompany(company, 1);
    if (rc == 0) rc = db.InsertTransmitter(TransmitterRecord{}, 1);
    if (rc == 0) rc = db.InsertSubmitter(SubmitterRecord{}, 1);
    if (rc == 0) rc = db.EndTransaction();
    if (rc != 0 && db.InTransaction()) db.RollbackTransaction();
    db.Close();
  }
  if (rc == 0 && !RenameNoReplace(work, target)) rc = SQLITE_CANTOPEN;
  if (rc != 0) {
    fs::remove(work, ec);
    fs::remove(workJournal, ec);
  }
  return rc;
}

// ---- loading ------------------------------------------------------------------

bool CGlobalDoc::Fail(const std::string& message) {
  ui_.ShowError(failureContext_ + message);
  return false;
}

bool CGlobalDoc::FailEngine(const std::string& message, int code) { return Fail(EngineErrorMessage(message, code)); }

bool CGlobalDoc::OnNewDocument() {
  if (firstLoad_) return FirstLoad();
  return Load();
}

bool CGlobalDoc::FirstLoad() {
  const std::string last = settings_.ReadTextOr(LastActiveCompanyKey(), "Value", kSampleCompany);
  BeginSession();
  RecoverInterruptedConversions();
  // The company used last; when it is missing or does not load (the user has
  // been told why), Sample Company; when that fails too, the user picks one.
  std::vector<fs::path> tried;
  const auto attempt = [&](const std::string& name, const std::string& context) {
    const auto file = FindCompanyFile(name);
    if (!file || std::any_of(tried.begin(), tried.end(), [&](const fs::path& t) { return SameFile(t, *file); }))
      return false;
    tried.push_back(*file);
    SetCompany(name);
    ResetContents();
    failureContext_ = context;
    const bool loaded = Load();
    failureContext_.clear();
    return loaded;
  };
  if (attempt(last, "Formet could not open \"" + last + "\", the company you used last.\n\n") ||
      attempt(kSampleCompany, std::string("Formet could not open \"") + kSampleCompany + "\".\n\n"))
    return true;
  if (tried.empty() && !ListCompanies(true)) {
    return Fail("Formet could not find a company to open.\n\nThe folder " +
                Utf8ToWin1252(dataFolder_.string()).value_or(dataFolder_.string()) +
                " holds neither the company you used last nor \"Sample Company.qdt\".");
  }
  while (ListCompanies(true)) {
    std::erase_if(companyNames_, [&](const std::string& name) {
      const auto file = FindCompanyFile(name);
      return !file || std::any_of(tried.begin(), tried.end(), [&](const fs::path& t) { return SameFile(t, *file); });
    });
    if (companyNames_.empty()) break;
    const auto chosen = ui_.ChooseCompany(companyNames_);
    if (!chosen) break;
    if (attempt(*chosen, {})) return true;
  }
  return false;
}

bool CGlobalDoc::Load(CompanyLock* taken) {
  db_.Close();
  loaded_ = false;
  readOnly_.reset();
  // The lock of the company to load: kept when it is the one already held,
  // else taken now and held from here on only if the load succeeds.
  CompanyLock lock;
  const bool alreadyHeld = lock_.Holds() && lock_.CompanyFile() == path_;
  if (taken && taken->Holds()) {
    lock = std::move(*taken);
  } else if (!alreadyHeld) {
    switch (lock.Acquire(path_)) {
      case CompanyLock::Outcome::Held: break;
      case CompanyLock::Outcome::Busy: return Fail(OpenElsewhereMessage(companyName_));
      case CompanyLock::Outcome::Unavailable:
        // A program that cannot take the lock never writes the company.
        readOnly_ = CannotLockMessage(companyName_, lock.Problem());
        if (!acceptReadOnly_) return Fail(*readOnly_);
        break;
    }
  }
  CompanyLock& held = alreadyHeld ? lock_ : lock;

  if (held.Holds()) RecoverInterruptedConversion(path_);
  if (const int error = OpenCompanyFileError(path_)) {
    const std::string why = error == EINVAL ? std::string()
                            : error == ENOENT
                                ? " is not there (it may have been moved, renamed or deleted)."
                                : " cannot be read: " + FileErrorInWords(error) + ".";
    return Fail("Formet failed to open file." + (why.empty() ? "" : "\n\nThe company file " + ShownPath(path_) + why));
  }
  if (JournalInTheWay(path_)) return Fail(NotACompanyFileMessage(fs::path(path_.native() + "-journal")));
  if (held.Holds()) {
    // The file as it is now, which the load may yet replace (a conversion).
    if (held.HoldCompanyFile() == CompanyLock::Outcome::Busy) return Fail(OpenElsewhereMessage(companyName_));
    if (!held.CompanyFileWritable()) {
      readOnly_ = ReadOnlyCompanyMessage(companyName_, path_, held.CompanyFileWriteError());
    } else if (const int error = FolderWriteError(path_.parent_path())) {
      readOnly_ = ReadOnlyCompanyMessage(companyName_, path_, error, true);
    }
    if (readOnly_ && !acceptReadOnly_) return Fail(*readOnly_);
  }
  if (IsOldFormatFile(path_)) {
    // Converting writes the company: only the holder of its lock may.
    if (readOnly_) return Fail("Formet failed to convert file format.\n\n" + *readOnly_);
    std::string error;
    if (!ConvertOldFormat(path_, error)) return Fail("Formet failed to convert file format.\n\n" + error);
    if (held.HoldCompanyFile() == CompanyLock::Outcome::Busy) return Fail(OpenElsewhereMessage(companyName_));
  }
  if (int rc = db_.Open(path_, readOnly_ ? OpenMode::ReadOnly : OpenMode::Existing))
    return FailEngine("Formet failed to open Database.", rc);
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

  if (!alreadyHeld) lock_ = std::move(lock);
  loaded_ = true;
  SetWindowTitle();
  return true;
}

void CGlobalDoc::Reopen(const std::string& name, const fs::path& path) {
  companyName_ = name;
  path_ = path;
  ResetContents();
  Load();
  RefreshAllViews();
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

namespace {

// What the journal knows of each list: its change kind and the unique id of
// a record.
template <class R>
struct ListJournal;
template <>
struct ListJournal<EmployeeRecord> {
  static constexpr ChangeKind kind = ChangeKind::Employee;
  static int32_t Id(const EmployeeRecord& r) { return r.EmployeeUniqueID; }
};
template <>
struct ListJournal<ContractorRecord> {
  static constexpr ChangeKind kind = ChangeKind::Contractor;
  static int32_t Id(const ContractorRecord& r) { return r.ContractorUniqueID; }
};
template <>
struct ListJournal<W2Record> {
  static constexpr ChangeKind kind = ChangeKind::W2;
  static int32_t Id(const W2Record& r) { return r.W2UniqueID; }
};
template <>
struct ListJournal<Form1099Record> {
  static constexpr ChangeKind kind = ChangeKind::Form1099;
  static int32_t Id(const Form1099Record& r) { return r.Form1099UniqueID; }
};

// The journal's kind and id of each one-row table.
template <class R>
struct RowJournal;
template <>
struct RowJournal<CompanyRecord> {
  static constexpr ChangeKind kind = ChangeKind::Company;
  static constexpr int32_t id = -1;
};
template <>
struct RowJournal<SubmitterRecord> {
  static constexpr ChangeKind kind = ChangeKind::Submitter;
  static constexpr int32_t id = 1;
};
template <>
struct RowJournal<TransmitterRecord> {
  static constexpr ChangeKind kind = ChangeKind::Transmitter;
  static constexpr int32_t id = 1;
};

}  // namespace

template <>
std::vector<EmployeeRecord>& CGlobalDoc::ListOf<EmployeeRecord>() { return employees_; }
template <>
std::vector<ContractorRecord>& CGlobalDoc::ListOf<ContractorRecord>() { return contractors_; }
template <>
std::vector<W2Record>& CGlobalDoc::ListOf<W2Record>() { return w2Forms_; }
template <>
std::vector<Form1099Record>& CGlobalDoc::ListOf<Form1099Record>() { return forms1099_; }
template <>
CompanyRecord& CGlobalDoc::RowOf<CompanyRecord>() { return company_; }
template <>
SubmitterRecord& CGlobalDoc::RowOf<SubmitterRecord>() { return submitter_; }
template <>
TransmitterRecord& CGlobalDoc::RowOf<TransmitterRecord>() { return transmitter_; }

template <class R>
int CGlobalDoc::AddRecord(R record, bool saveNow) {
  auto& list = ListOf<R>();
  const int32_t id = ListJournal<R>::Id(record);
  list.push_back(std::move(record));
  SetModified(true);
  return AddPendingChange({ListJournal<R>::kind, ChangeOp::Insert, static_cast<int32_t>(list.size() - 1), id},
                          saveNow);
}

template <class R>
int CGlobalDoc::UpdateRecord(size_t position, R record, bool saveNow) {
  auto& list = ListOf<R>();
  if (position >= list.size()) return 0;
  const int32_t id = ListJournal<R>::Id(record);
  list[position] = std::move(record);
  SetModified(true);
  return AddPendingChange({ListJournal<R>::kind, ChangeOp::Update, static_cast<int32_t>(position), id}, saveNow);
}

template <class R>
int CGlobalDoc::RemoveRecord(size_t position, bool saveNow) {
  auto& list = ListOf<R>();
  if (position >= list.size()) return 0;
  const int32_t id = ListJournal<R>::Id(list[position]);
  list.erase(list.begin() + static_cast<std::ptrdiff_t>(position));
  SetModified(true);
  return AddPendingChange({ListJournal<R>::kind, ChangeOp::Delete, static_cast<int32_t>(position), id}, saveNow);
}

template <class R>
void CGlobalDoc::ReplaceInMemory(size_t position, R record) {
  auto& list = ListOf<R>();
  if (position < list.size()) list[position] = std::move(record);
}

template <class R>
void CGlobalDoc::ReserveRecords(size_t more) {
  auto& list = ListOf<R>();
  list.reserve(list.size() + more);
}

template <class R>
void CGlobalDoc::ReplaceRowInMemory(R record) {
  RowOf<R>() = std::move(record);
}

template <class R>
int CGlobalDoc::ChangeRow(R record, ChangeOp op, bool saveNow) {
  RowOf<R>() = std::move(record);
  SetModified(true);
  return AddPendingChange({RowJournal<R>::kind, op, -1, RowJournal<R>::id}, saveNow);
}

#define FORMET_LIST_OPERATIONS(R)                                   \
  template int CGlobalDoc::AddRecord<R>(R, bool);                   \
  template int CGlobalDoc::UpdateRecord<R>(size_t, R, bool);        \
  template int CGlobalDoc::RemoveRecord<R>(size_t, bool);           \
  template void CGlobalDoc::ReplaceInMemory<R>(size_t, R);      \
  template void CGlobalDoc::ReserveRecords<R>(size_t);
FORMET_LIST_OPERATIONS(EmployeeRecord)
FORMET_LIST_OPERATIONS(ContractorRecord)
FORMET_LIST_OPERATIONS(W2Record)
FORMET_LIST_OPERATIONS(Form1099Record)
#undef FORMET_LIST_OPERATIONS
template int CGlobalDoc::ChangeRow<CompanyRecord>(CompanyRecord, ChangeOp, bool);
template void CGlobalDoc::ReplaceRowInMemory<CompanyRecord>(CompanyRecord);
template int CGlobalDoc::ChangeRow<SubmitterRecord>(SubmitterRecord, ChangeOp, bool);
template void CGlobalDoc::ReplaceRowInMemory<SubmitterRecord>(SubmitterRecord);
template int CGlobalDoc::ChangeRow<TransmitterRecord>(TransmitterRecord, ChangeOp, bool);
template void CGlobalDoc::ReplaceRowInMemory<TransmitterRecord>(TransmitterRecord);

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

CGlobalDoc::ChangeMark CGlobalDoc::MarkChanges() const {
  return {employees_.size(), contractors_.size(), w2Forms_.size(), forms1099_.size(), modified_};
}

void CGlobalDoc::DropChangesSince(const ChangeMark& mark) {
  // The journal's entries of the records taken back go with them, wherever
  // a save's compaction has moved them.
  std::unordered_map<int64_t, bool> dropped;
  const auto key = [](ChangeKind kind, int32_t id) { return (int64_t{static_cast<int32_t>(kind)} << 32) ^ uint32_t(id); };
  const auto drop = [&](auto& list, size_t keep, ChangeKind kind, auto id) {
    for (size_t i = keep; i < list.size(); ++i) dropped[key(kind, list[i].*id)] = true;
    if (list.size() > keep) list.resize(keep);
  };
  drop(employees_, mark.employees, ChangeKind::Employee, &EmployeeRecord::EmployeeUniqueID);
  drop(contractors_, mark.contractors, ChangeKind::Contractor, &ContractorRecord::ContractorUniqueID);
  drop(w2Forms_, mark.w2Forms, ChangeKind::W2, &W2Record::W2UniqueID);
  drop(forms1099_, mark.forms1099, ChangeKind::Form1099, &Form1099Record::Form1099UniqueID);
  std::erase_if(journal_, [&](const PendingChange& c) {
    return c.op == ChangeOp::Insert && dropped.count(key(c.kind, c.uniqueId)) != 0;
  });
  SetModified(mark.modified || !journal_.empty());
}

int CGlobalDoc::SaveChanges(WorkProgress* progress) {
  if (!modified_) return 0;
  CompactJournal(journal_);
  if (journal_.empty()) return 0;
  // Records that did not load completely are never written over a file, nor
  // is a company whose lock this program does not hold.
  if (!loaded_) return SQLITE_CANTOPEN;
  if (readOnly_ || !lock_.Holds() || lock_.CompanyFile() != path_) return SQLITE_READONLY;
  if (int rc = db_.Open(path_)) return rc;
  if (int rc = db_.BeginTransaction()) return rc;
  const size_t count = journal_.size();
  const std::string saving = "Saving the changes to the company file...";
  for (size_t i = 0; i < count; ++i) {
    if (progress && i % 1024 == 0) {
      progress->Step(i, count, saving);
      if (progress->Cancelled()) {
        db_.RollbackTransaction();
        return kSaveCancelled;
      }
    }
    db_.Open(path_);  // inside the transaction: the same connection
    if (int rc = WriteChange(journal_[i])) {
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
    ui_.ShowError(SaveFailureMessage(rc, &journal_));
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
  if (name.empty()) {
    ui_.ShowMessage(kNewCompanyNamePrompt);
    return false;
  }
  if (!IsUsableFileName(name) || !AcceptEnteredText(Win1252ToUtf8(name))) {
    ui_.ShowMessage("\"" + name + "\" cannot be the name of a company file. Please enter another name.");
    return false;
  }
  if (!FitsAsCompanyFileName(name, dataFolder_)) {
    ui_.ShowMessage("The name \"" + name +
                    "\" is too long for a company file. Please enter a shorter name for the new company.");
    return false;
  }

  const std::string previousName = companyName_;
  const fs::path previousPath = path_;
  const bool hadCompany = loaded_;
  const auto reopenPrevious = [&] {
    if (hadCompany) Reopen(previousName, previousPath);
  };

  // A company whose name equals this one, letter case aside, is that company.
  if (NameTakenByAnother(name, nullptr)) {
    ui_.ShowMessage("This company already exists");
    if (!FindCompanyFile(name)) return false;  // several that differ only in case: the user picks in Open
    SetCompany(name);
    ResetContents();
    if (!Load()) {
      reopenPrevious();
      return false;
    }
    RefreshAllViews();
    ui_.ShowCompanyPage();
    return true;
  }

  const fs::path target = CompanyFilePath(name);
  std::error_code ec;
  if (fs::exists(fs::symlink_status(target, ec)) && !fs::is_regular_file(fs::status(target, ec))) {
    ui_.ShowMessage(NotACompanyFileMessage(target));
    return false;
  }
  if (JournalInTheWay(target)) {
    ui_.ShowMessage(NotACompanyFileMessage(fs::path(target.native() + "-journal")));
    return false;
  }

  // The new file is made complete under a work name while its lock is held,
  // and takes the company's name only then: a New stopped part-way leaves
  // no company behind.
  CompanyLock lock;
  switch (lock.Acquire(target)) {
    case CompanyLock::Outcome::Held: break;
    case CompanyLock::Outcome::Busy: ui_.ShowMessage(OpenElsewhereMessage(name)); return false;
    case CompanyLock::Outcome::Unavailable: ui_.ShowError(CannotLockMessage(name, lock.Problem())); return false;
  }
  if (int rc = CreateDatabase(name)) {
    if (CompanyFileExists(name)) {
      ui_.ShowMessage("This company already exists");
    } else {
      ui_.ShowError(EngineErrorMessage("Formet failed to create the company.", rc));
    }
    return false;
  }
  companyName_ = name;
  path_ = CompanyFilePath(name);
  ResetContents();
  if (!Load(&lock)) {
    reopenPrevious();
    return false;
  }
  RefreshAllViews();
  ui_.ShowCompanyPage();
  return true;
}

std::vector<CompanyListing> CGlobalDoc::CompanyListings() const {
  std::vector<CompanyListing> listings;
  listings.reserve(companyNames_.size());
  for (const auto& name : companyNames_) {
    CompanyListing listing{name, std::nullopt, std::nullopt};
    if (const auto file = FindCompanyFile(name)) {
      listing.summary = ReadCompanySummary(*file);
      listing.changed = FileChangedTime(*file);
    }
    listings.push_back(std::move(listing));
  }
  return listings;
}

bool CGlobalDoc::OpenCompany() {
  if (!AskToSave()) return false;
  if (!ListCompanies(true)) return false;
  const auto chosen = ui_.ChooseCompanyToOpen(CompanyListings());
  if (!chosen || companyNames_.empty()) return false;
  ui_.BeginWaitCursor();
  SavePrintSettings(settings_, printSettings_);
  const std::string previousName = companyName_;
  const fs::path previousPath = path_;
  const bool hadCompany = loaded_;
  SetCompany(*chosen);
  ResetContents();
  const bool loaded = Load();
  if (loaded) {
    SetModified(false);
    RefreshAllViews();
    ui_.ShowCompanyPage();
  } else if (hadCompany) {
    Reopen(previousName, previousPath);
  }
  ui_.EndWaitCursor();
  return loaded;
}

void CGlobalDoc::DeleteCompany() {
  ListCompanies(true);
  std::erase(companyNames_, std::string(kSampleCompany));
  const auto chosen = ui_.ChooseCompanyToDelete(companyNames_);
  if (!chosen || companyNames_.empty()) return;
  const auto file = FindCompanyFile(*chosen);
  if (!file) return;
  // The open company is known by its file, whatever its name has become.
  if ((loaded_ && SameFile(*file, path_)) || (lock_.Holds() && SameFile(*file, lock_.CompanyFile()))) {
    ui_.ShowMessage("You can't delete currently opened company.");
    return;
  }
  CompanyLock lock;
  switch (lock.Acquire(*file)) {
    case CompanyLock::Outcome::Held: break;
    case CompanyLock::Outcome::Busy: ui_.ShowMessage(OpenElsewhereMessage(*chosen)); return;
    case CompanyLock::Outcome::Unavailable: ui_.ShowError(CannotLockMessage(*chosen, lock.Problem())); return;
  }
  if (!ui_.AskYesNoDestructive("Are you sure you want to delete this company?\n\n" + *chosen)) return;
  std::error_code ec;
  // An older deleted file of the same name is replaced by this one.
  fs::rename(*file, fs::path(file->native() + ".del"), ec);
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
  if (loaded_ && !path_.empty()) {
    // The file follows the employer name the user gave the company, unless
    // that name is no file name, is too long for one, or belongs to another
    // company in any letter case. The new name's lock is held across the
    // rename, so no other program opens it half-way.
    const fs::path target = CompanyFilePath(companyName_);
    if (target != path_ && !readOnly_ && lock_.Holds() && IsUsableFileName(companyName_) &&
        FitsAsCompanyFileName(companyName_, dataFolder_) && !NameTakenByAnother(companyName_, &path_)) {
      CompanyLock targetLock;
      if (targetLock.Acquire(target) == CompanyLock::Outcome::Held && RenameNoReplace(path_, target)) path_ = target;
    }
    // The last active company is the file the company now has.
    for (const auto& file : CompanyFiles()) {
      if (file.path == path_) {
        settings_.WriteText(LastActiveCompanyKey(), "Value", file.name);
        break;
      }
    }
  }
  loaded_ = false;
  lock_.Release();
  SavePrintSettings(settings_, printSettings_);
}

}  // namespace formet
