#include "cli/print_command.h"

#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <type_traits>

#include "cli/command_line_ui.h"
#include "cli/field_options.h"
#include "forms/1099/form1096_print.h"
#include "forms/1099/form1099_corrections.h"
#include "forms/1099/form1099_print.h"
#include "forms/alignment_page.h"
#include "forms/payee_files.h"
#include "forms/form_review.h"
#include "forms/print/box_fit.h"
#include "forms/print/print_options.h"
#include "forms/print/qt/payee_pdf.h"
#include "forms/print/qt/qt_canvas.h"
#include "forms/record_as_filed.h"
#include "forms/red_ink_outline.h"
#include "forms/w2/w2_print.h"
#include "forms/w2/w2_reissued.h"
#include "forms/w2/w2c_print.h"
#include "forms/w2/w3_print.h"
#include "import/table_file.h"
#include "kit/ascii_text.h"
#include "records/employees.h"
#include "store/data_folder.h"
#include "store/global_doc.h"
#include "store/output_file.h"
#include "store/text_codec.h"

namespace formet::cli {
namespace {

struct FormName {
  const char* word;
  PrintForm form;
  const char* title;
};
constexpr FormName kForms[] = {{"w2", PrintForm::W2, "Form W-2"},
                               {"w3", PrintForm::W3, "Form W-3"},
                               {"1099", PrintForm::Form1099, "Form 1099-MISC"},
                               {"1096", PrintForm::Form1096, "Form 1096"}};

// The options of print and the forms each applies to.
struct PrintOption {
  CommandOption option;
  std::set<PrintForm> forms;
};
const std::set<PrintForm> kAll{PrintForm::W2, PrintForm::W3, PrintForm::Form1099, PrintForm::Form1096};
const PrintOption kOptions[] = {
    {{"out", true}, kAll},
    {{"paper", true}, kAll},
    {{"h-offset", true}, kAll},
    {{"v-offset", true}, kAll},
    {{"margins", true}, kAll},
    {{"pictures", true}, kAll},
    {{"all", false}, {PrintForm::W2, PrintForm::Form1099}},
    {{"copy", true}, {PrintForm::W2, PrintForm::Form1099}},
    {{"ssn", true}, {PrintForm::W2}},
    {{"v-space", true}, {PrintForm::W2}},
    {{"tin", true}, {PrintForm::Form1099}},
    {{"stop-if-empty", false}, {PrintForm::Form1099}},
    {{"stop-if-cut", false}, kAll},
    {{"alignment-page", false}, kAll},
    {{"show-outline", false}, kAll},
    {{"per-recipient", true}, {PrintForm::W2, PrintForm::Form1099}},
    {{"encrypt", false}, {PrintForm::W2, PrintForm::Form1099}},
    {{"passwords", true}, {PrintForm::W2, PrintForm::Form1099}},
    {{"password-column", true}, {PrintForm::W2, PrintForm::Form1099}},
    {{"corrected", false}, {PrintForm::Form1099, PrintForm::Form1096}},
};

// The options that go with --per-recipient only, and what each needs.
struct Needs {
  const char* option;
  const char* needs;
};
constexpr Needs kFileOptions[] = {
    {"encrypt", "per-recipient"}, {"passwords", "encrypt"}, {"password-column", "passwords"}};

// What prints sample data rather than the company's forms cannot also choose
// whose forms to print.
constexpr const char* kNotWithAlignmentPage[] = {"all", "ssn", "tin", "stop-if-empty", "copy", "corrected"};

struct PrintRequest {
  const FormName* form = nullptr;
  Parsed parsed;  // the company and the options
  bool Has(const std::string& name) const { return parsed.Has(name); }
  const std::string& Value(const std::string& name) const { return parsed.values.at(name); }
};

// "print FORM COMPANY OPTIONS...".
std::optional<PrintRequest> Parse(const std::vector<std::string>& args, std::ostream& err) {
  PrintRequest request;
  if (args.empty() || args[0].rfind("--", 0) == 0) {
    err << "formet-cli: print needs a form (w2, w3, 1099, 1096, w2c or w3c) and the name of a company\n";
    return std::nullopt;
  }
  for (const auto& f : kForms)
    if (args[0] == f.word) request.form = &f;
  if (!request.form) {
    err << "formet-cli: print knows the forms w2, w3, 1099, 1096, w2c and w3c, not \"" << args[0] << "\"\n";
    return std::nullopt;
  }
  const PrintForm form = request.form->form;
  std::vector<CommandOption> own;
  for (const auto& o : kOptions) own.push_back(o.option);
  auto parsed = ParseWords("print", std::vector<std::string>(args.begin() + 1, args.end()), err,
                           [&](const std::string& name) {
                             for (const auto& o : own)
                               if (name == o.name) return o.takesValue ? 0 : 2;
                             return -1;
                           });
  if (!parsed) return std::nullopt;
  request.parsed = std::move(*parsed);
  for (const auto& o : kOptions)
    if (request.Has(o.option.name) && !o.forms.count(form)) {
      err << "formet-cli: --" << o.option.name << " does not apply to print " << request.form->word << "\n";
      return std::nullopt;
    }
  for (const auto& [option, needs] : kFileOptions)
    if (request.Has(option) && !request.Has(needs)) {
      err << "formet-cli: --" << option << " goes with --" << needs << "\n";
      return std::nullopt;
    }
  if (request.Has("per-recipient")) {
    if (request.Has("out")) {
      err << "formet-cli: --per-recipient writes one file for each payee into its folder; leave out --out\n";
      return std::nullopt;
    }
    if (request.Value("per-recipient").empty()) {
      err << "formet-cli: --per-recipient needs a folder\n";
      return std::nullopt;
    }
    return request;
  }
  if (!request.Has("out") || request.Value("out").empty()) {
    err << "formet-cli: print needs --out FILE.pdf\n";
    return std::nullopt;
  }
  if (const auto problem = OutputTargetProblem(request.Value("out"))) {
    err << "formet-cli: " << Win1252ToUtf8(*problem) << "\n";
    return std::nullopt;
  }
  return request;
}

bool IsDigits(std::string_view s) {
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// Inches as the dialogs' fields take them: at most two whole digits and two
// decimals; a leading minus sign (offsets only) means left or up.
bool SplitInches(const std::string& text, bool signAllowed, std::string& size, bool& negative) {
  negative = signAllowed && !text.empty() && text[0] == '-';
  size = negative ? text.substr(1) : text;
  const size_t point = size.find('.');
  const std::string whole = size.substr(0, point);
  const std::string decimals = point == std::string::npos ? "" : size.substr(point + 1);
  return !size.empty() && size != "." && whole.size() <= 2 && decimals.size() <= 2 && IsDigits(whole) &&
         IsDigits(decimals);
}

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c == '\x92') c = '\'';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return s;
}

// A copy of the list by its number, its entry, or the entry's first part
// ("Copy B", or the letter alone); the W-2's 4-Up sheet also as "4-up".
std::optional<int> FindCopy(PrintForm form, const std::string& typed) {
  const int count = form == PrintForm::W2 ? kW2CopyCount : kForm1099CopyCount;
  if (!typed.empty() && IsDigits(typed) && typed.size() <= 2) {
    const int n = std::stoi(typed);
    return n < count ? std::optional<int>(n) : std::nullopt;
  }
  std::string wanted = Lower(typed);
  if (wanted.size() == 1 && std::isalpha(static_cast<unsigned char>(wanted[0]))) wanted = "copy " + wanted;
  if (form == PrintForm::W2 && (wanted == "4-up" || wanted == "4up")) return kW2FourUp;
  for (int i = 0; i < count; ++i) {
    const std::string name = Lower(form == PrintForm::W2 ? W2CopyName(i) : Form1099CopyName(i));
    if (wanted == name) return i;
    if (name.rfind("copy ", 0) == 0 && wanted == name.substr(0, name.find('-'))) return i;
  }
  return std::nullopt;
}

std::string CopyChoices(PrintForm form) {
  std::string list;
  const int count = form == PrintForm::W2 ? kW2CopyCount : kForm1099CopyCount;
  for (int i = 0; i < count; ++i) {
    list += "  " + std::to_string(i) + "  " +
            Win1252ToUtf8(form == PrintForm::W2 ? W2CopyName(i) : Form1099CopyName(i)) + "\n";
  }
  return list;
}

std::optional<PdfMargins> ParseMargins(const std::string& text) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  PdfMargins m;
  try {
    size_t used = 0;
    const std::string left = text.substr(0, comma), top = text.substr(comma + 1);
    m.leftMm = std::stod(left, &used);
    if (used != left.size()) return std::nullopt;
    m.topMm = std::stod(top, &used);
    if (used != top.size()) return std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;
  }
  // No more than 50 mm on each side: the form must still fit the Letter page.
  if (!(m.leftMm >= 0 && m.leftMm <= 50 && m.topMm >= 0 && m.topMm <= 50)) return std::nullopt;
  return m;
}

// The choices of the options dialog from the options; false with the reason
// on `err`.
bool FillEntry(const PrintRequest& p, PrintOptionsEntry& e, std::ostream& err) {
  const PrintForm form = p.form->form;
  const bool alignment = p.Has("alignment-page");
  const bool perRecipient = p.Has("per-recipient");
  if (perRecipient && p.Has("corrected")) {
    err << "formet-cli: --corrected prints the corrected forms into one file; leave out --per-recipient\n";
    return false;
  }
  if (perRecipient && !p.Has("all")) {
    err << "formet-cli: --per-recipient writes a file for every " << (form == PrintForm::W2 ? "employee" : "contractor")
        << "; give --all\n";
    return false;
  }
  if (alignment) {
    for (const char* name : kNotWithAlignmentPage)
      if (p.Has(name)) {
        err << "formet-cli: --alignment-page prints one form of sample data; leave out --" << name << "\n";
        return false;
      }
  } else if (form == PrintForm::W2 || form == PrintForm::Form1099) {
    const char* one = form == PrintForm::W2 ? "ssn" : "tin";
    if (p.Has("all") == p.Has(one)) {
      err << "formet-cli: print " << p.form->word << " needs either --all or --" << one << "\n";
      return false;
    }
    e.target = p.Has("all") ? 1 : 0;
  }

  if (perRecipient && p.Has("paper") && p.Value("paper") != "copy") {
    err << "formet-cli: --per-recipient writes copies on blank paper; leave out --paper or give --paper copy\n";
    return false;
  }
  std::string paper = p.Has("paper") ? p.Value("paper") : p.Has("copy") || perRecipient ? "copy" : "red-ink";
  const bool laserAllowed = form == PrintForm::W2 || form == PrintForm::W3;
  if (paper == "red-ink") {
    e.paper = form == PrintForm::W2 ? static_cast<int>(W2PaperChoice::RedInk) : 1;
  } else if (paper == "copy") {
    e.paper = form == PrintForm::W2 ? static_cast<int>(W2PaperChoice::Copy) : 0;
  } else if (paper == "laser" && laserAllowed) {
    e.paper = form == PrintForm::W2 ? static_cast<int>(W2PaperChoice::CopyASubstitute) : 2;
  } else {
    err << "formet-cli: --paper is red-ink, copy" << (laserAllowed ? " or laser" : "") << " for print "
        << p.form->word << "\n";
    return false;
  }
  for (const char* redInkOnly : {"alignment-page", "show-outline"})
    if (p.Has(redInkOnly) && paper != "red-ink") {
      err << "formet-cli: --" << redInkOnly << " is for the pre-printed red-ink form; leave out --paper or give "
          << "--paper red-ink\n";
      return false;
    }
  if (p.Has("copy")) {
    if (paper != "copy") {
      err << "formet-cli: --copy goes with --paper copy\n";
      return false;
    }
    const auto copy = FindCopy(form, p.Value("copy"));
    if (!copy) {
      err << "formet-cli: --copy \"" << p.Value("copy") << "\" is none of these copies:\n" << CopyChoices(form);
      return false;
    }
    e.copy = *copy;
    if (perRecipient && !PayeeCopyAllowed(form, e.copy)) {
      err << "formet-cli: --per-recipient puts the copies with the payee's data into each file; \""
          << Win1252ToUtf8(form == PrintForm::W2 ? W2CopyName(e.copy) : Form1099CopyName(e.copy))
          << "\" is not one of them\n";
      return false;
    }
  }

  for (const auto& [name, direction] : {std::pair{"h-offset", &e.horizontalDirection}, {"v-offset", &e.verticalDirection}}) {
    if (!p.Has(name)) continue;
    std::string size;
    bool negative = false;
    if (!SplitInches(p.Value(name), true, size, negative)) {
      err << "formet-cli: --" << name << " takes inches with at most two whole digits and two decimals, such as "
          << "0.25 (negative: " << (direction == &e.horizontalDirection ? "to the left" : "up") << ")\n";
      return false;
    }
    (direction == &e.horizontalDirection ? e.horizontalOffset : e.verticalOffset) = size;
    *direction = negative ? 0 : 1;
  }
  if (p.Has("v-space")) {
    std::string size;
    bool negative = false;
    if (!SplitInches(p.Value("v-space"), false, size, negative)) {
      err << "formet-cli: --v-space takes inches with at most two whole digits and two decimals, such as 1.33\n";
      return false;
    }
    e.verticalSpace = size;
  }
  return true;
}

// The payee whose number is `typed`, as stored or with the same digits.
template <class R>
int FindPayee(const std::vector<R>& list, std::type_identity_t<TextMember<R>> number, const std::string& typed) {
  for (size_t i = 0; i < list.size(); ++i)
    if (number.In(list[i]) == typed) return static_cast<int>(i);
  const std::string digits = DigitsOf(typed);
  if (digits.empty()) return -1;
  for (size_t i = 0; i < list.size(); ++i)
    if (DigitsOf(number.In(list[i])) == digits) return static_cast<int>(i);
  return -1;
}

std::vector<int> DocumentOrder(size_t n) {
  std::vector<int> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = static_cast<int>(i);
  return order;
}

// Answers the print's questions from the command line: the empty-field
// question is a warning (a failure with --stop-if-empty), notes and messages
// go to standard error.
class PrintUi : public UiServices {
 public:
  PrintUi(bool stopIfEmpty, std::ostream& err) : stopIfEmpty_(stopIfEmpty), err_(err) {}
  std::vector<std::string> messages;
  bool stopped = false;

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowNote(const std::string& heading, const std::string& text) override {
    err_ << "formet-cli: note: " << Win1252ToUtf8(heading) << "\n" << Win1252ToUtf8(text) << "\n";
  }
  bool AskYesNo(const std::string& question) override {
    err_ << "formet-cli: " << (stopIfEmpty_ ? "" : "warning: ") << Win1252ToUtf8(question) << "\n";
    stopped = stopIfEmpty_;
    return !stopIfEmpty_;
  }
  Answer AskYesNoCancel(const std::string&) override { return Answer::Cancel; }
  // The problems of the forms to be printed are warnings: the print goes on.
  bool AskPrintAnyway(const std::string& heading, const std::vector<std::string>& problems) override {
    err_ << "formet-cli: warning: " << Win1252ToUtf8(heading) << "\n";
    for (const auto& line : problems) err_ << "formet-cli: warning: " << Win1252ToUtf8(line) << "\n";
    return true;
  }
  std::optional<NewCompanyEntry> AskNewCompany() override { return std::nullopt; }
  std::optional<std::string> ChooseCompany(const std::vector<std::string>&) override { return std::nullopt; }

 private:
  bool stopIfEmpty_;
  std::ostream& err_;
};

// The PDF writer needs a GUI application; formet-cli has none of its own, so
// one is made on the offscreen platform for the time of the command.
std::unique_ptr<QGuiApplication> GuiForPrinting() {
  if (QCoreApplication::instance()) return nullptr;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The platform's notes (such as a missing runtime folder) are no concern of
  // the command's user; its failures are.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  });
  static int argc = 1;
  static char name[] = "formet-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

// The password file (ReadTableFile) and its passwords. Nullopt after the
// reason went to `err`.
std::optional<PayeePasswords> ReadPasswordFile(const std::string& path, const std::string& column,
                                               std::ostream& err) {
  std::string problem;
  const auto table = ReadTableFile(path, problem);
  auto passwords = table ? PayeePasswords::FromTable(table->header, table->rows, column, problem) : std::nullopt;
  if (!passwords) err << "formet-cli: " << Win1252ToUtf8(problem) << "\n";
  return passwords;
}

// print w2|1099 NAME --all --per-recipient DIR: one file for each payee.
int PrintPerRecipient(CGlobalDoc& doc, const PrintRequest& p, const PrintOptionsEntry& entry,
                      FormPrintSettings settings, const PdfMargins& margins, PrintUi& printUi, std::ostream& out,
                      std::ostream& err) {
  const PrintForm form = p.form->form;
  const bool w2 = form == PrintForm::W2;
  const std::filesystem::path folder(p.Value("per-recipient"));
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) {
    err << "formet-cli: --per-recipient names the folder " << folder.string() << ", which is not there\n";
    return 1;
  }
  const std::vector<int> copies = PayeeCopyTypes(form, p.Has("copy") ? std::optional<int>(entry.copy) : std::nullopt);
  std::optional<PayeePasswords> table;
  if (p.Has("passwords")) {
    table = ReadPasswordFile(p.Value("passwords"), p.Has("password-column") ? p.Value("password-column") : "", err);
    if (!table) return 1;
  }

  PayeeSource source{form,
                     doc.CompanyName(),
                     &doc.GetCompany(),
                     &doc.GetEmployees(),
                     &doc.GetW2Forms(),
                     &doc.GetContractors(),
                     &doc.GetForms1099(),
                     DocumentOrder(w2 ? doc.GetEmployees().size() : doc.GetContractors().size())};
  // The questions and notes of a print of every form of these copies.
  settings.blankCopyType = copies.front();
  const bool prepared =
      w2 ? PrepareW2Print({&doc.GetCompany(), &doc.GetEmployees(), &doc.GetW2Forms(), {}, -1}, settings, printUi) !=
               nullptr
         : PrepareForm1099Print({&doc.GetCompany(), &doc.GetContractors(), &doc.GetForms1099(), {}, -1}, settings,
                                printUi) != nullptr;
  if (!prepared) {
    for (const auto& m : printUi.messages) err << "formet-cli: " << Win1252ToUtf8(m) << "\n";
    if (printUi.stopped) err << "formet-cli: nothing was printed (--stop-if-empty)\n";
    else
      err << "formet-cli: " << Win1252ToUtf8(doc.CompanyName()) << " has no " << (w2 ? "W-2" : "1099-MISC")
          << " forms; nothing was printed\n";
    return 1;
  }
  // The problems of the forms the files hold, as warnings.
  FormPrintSettings every = settings;
  every.printTarget = 1;
  if (w2)
    ConfirmFormsToPrint(W2PrintJob({&doc.GetCompany(), &doc.GetEmployees(), &doc.GetW2Forms(), source.displayOrder, -1},
                                   every),
                        printUi);
  else
    ConfirmFormsToPrint(Form1099PrintJob({&doc.GetCompany(), &doc.GetContractors(), &doc.GetForms1099(),
                                          source.displayOrder, -1},
                                         every),
                        printUi);

  std::vector<int> skipped;
  const std::vector<PayeeFile> files = PlanPayeeFiles(source, &skipped);
  for (int index : skipped) {
    const std::string who = w2 ? W2PayeeName(doc.GetEmployees()[static_cast<size_t>(index)])
                               : Form1099PayeeName(doc.GetContractors()[static_cast<size_t>(index)]);
    err << "formet-cli: warning: " << (w2 ? "the employee " : "the contractor ") << Win1252ToUtf8(who)
        << (w2 ? " has no W-2" : " has no 1099-MISC") << "; no file was made for it\n";
  }

  std::vector<std::string> passwords;
  if (p.Has("encrypt")) {
    std::vector<std::string> problems;
    passwords = PayeeFilePasswords(form, files, table ? &*table : nullptr, problems);
    for (const auto& problem : problems) err << "formet-cli: " << Win1252ToUtf8(problem) << "\n";
    if (!problems.empty()) {
      err << "formet-cli: nothing was written\n";
      return 1;
    }
  }

  // What the forms cannot hold even at 6 points, before anything is written.
  const bool stopIfCut = p.Has("stop-if-cut");
  bool anyCut = false;
  for (const PayeeFile& file : files) {
    const CutReport cuts = ListCuts(*MakePayeeJob(source, file, copies), PdfGeometry(margins));
    for (const CutText& cut : cuts.Cuts())
      err << "formet-cli: " << (stopIfCut ? "" : "warning: ") << Win1252ToUtf8(DescribeCut(cut)) << "\n";
    anyCut = anyCut || !cuts.Empty();
  }
  if (stopIfCut && anyCut) {
    err << "formet-cli: nothing was printed (--stop-if-cut)\n";
    return 1;
  }

  const auto gui = GuiForPrinting();
  PictureCache pictures(p.Has("pictures") ? QString::fromStdString(p.Value("pictures"))
                                          : QString::fromStdString(ProgramFolder().string()));
  const PayeeFilesWritten written = WritePayeeFiles(source, files, copies, p.Has("encrypt") ? &passwords : nullptr,
                                                    folder, PdfPageLayout(margins), 1200, pictures);
  for (const auto& path : written.files) out << path.string() << "\n";
  if (written.problem) {
    err << "formet-cli: " << Win1252ToUtf8(*written.problem) << "\n";
    err << "formet-cli: " << written.files.size() << " of " << files.size() << " files were written\n";
    return 1;
  }
  out << "Wrote " << written.files.size() << (written.files.size() == 1 ? " file" : " files") << " of "
      << p.form->title << " (" << written.pages << (written.pages == 1 ? " page" : " pages") << ")"
      << (p.Has("encrypt") ? ", each protected with its password," : "") << " to " << folder.string() << "\n";
  return 0;
}

// The words after "print FORM" for a print with options of its own.
std::optional<Parsed> ParseOwnOptions(const std::vector<std::string>& args, const std::vector<CommandOption>& own,
                                      std::ostream& err) {
  return ParseWords("print", std::vector<std::string>(args.begin() + 1, args.end()), err,
                    [&](const std::string& name) {
                      for (const auto& o : own)
                        if (name == o.name) return o.takesValue ? 0 : 2;
                      return -1;
                    });
}

// --margins LEFT,TOP; false (said) when it is none.
bool ReadMargins(const Parsed& p, PdfMargins& margins, std::ostream& err) {
  if (!p.Has("margins")) return true;
  const auto m = ParseMargins(p.values.at("margins"));
  if (!m) {
    err << "formet-cli: --margins takes the left and top margins in millimetres, such as 6.35,6.35 (0 to 50)\n";
    return false;
  }
  margins = *m;
  return true;
}

// The values the job would cut (warnings, or the end of it with
// --stop-if-cut), then the PDF file of --out with the pictures of
// --pictures; false (said) when nothing was written.
bool WriteCheckedPdf(const FormPrintJob& job, const Parsed& p, const PdfMargins& margins, const char* title,
                     std::ostream& err) {
  const CutReport cuts = ListCuts(job, PdfGeometry(margins));
  const bool stopIfCut = p.Has("stop-if-cut");
  for (const CutText& cut : cuts.Cuts())
    err << "formet-cli: " << (stopIfCut ? "" : "warning: ") << Win1252ToUtf8(DescribeCut(cut)) << "\n";
  if (stopIfCut && !cuts.Empty()) {
    err << "formet-cli: nothing was printed (--stop-if-cut)\n";
    return false;
  }
  const auto gui = GuiForPrinting();
  const QString pictures = p.Has("pictures") ? QString::fromStdString(p.values.at("pictures"))
                                             : QString::fromStdString(ProgramFolder().string());
  QString problem;
  if (!WriteJobToPdf(job, QString::fromStdString(p.values.at("out")), margins, pictures, QString::fromLatin1(title),
                     &problem)) {
    err << "formet-cli: " << problem.toStdString() << "\n";
    return false;
  }
  return true;
}

// print w2c|w3c NAME ...: the W-2c's one a page, or the W-3c.
int RunCorrectionPrint(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args, std::ostream& out,
                       std::ostream& err) {
  const bool w2c = args[0] == "w2c";
  const std::string word = args[0];
  const std::vector<CommandOption> own = {{"out", true},      {"paper", true},    {"copy", true},
                                          {"h-offset", true}, {"v-offset", true}, {"margins", true},
                                          {"pictures", true}, {"all", false},     {"ssn", true},
                                          {"stop-if-cut", false}};
  auto parsed = ParseOwnOptions(args, own, err);
  if (!parsed) return 2;
  const Parsed& p = *parsed;
  for (const char* w2cOnly : {"copy", "all", "ssn"})
    if (!w2c && p.Has(w2cOnly)) {
      err << "formet-cli: --" << w2cOnly << " does not apply to print w3c\n";
      return 2;
    }
  if (!p.Has("out") || p.values.at("out").empty()) {
    err << "formet-cli: print needs --out FILE.pdf\n";
    return 2;
  }
  if (const auto problem = OutputTargetProblem(p.values.at("out"))) {
    err << "formet-cli: " << Win1252ToUtf8(*problem) << "\n";
    return 2;
  }
  if (w2c && p.Has("all") == p.Has("ssn")) {
    err << "formet-cli: print w2c needs either --all or --ssn\n";
    return 2;
  }
  const std::string paper = p.Has("paper") ? p.values.at("paper") : p.Has("copy") ? "copy" : "red-ink";
  if (paper != "red-ink" && paper != "copy" && !(w2c && paper == "laser")) {
    err << "formet-cli: --paper is red-ink" << (w2c ? ", laser (Copy A)" : "") << " or copy for print " << word
        << "\n";
    return 2;
  }
  W2cCopy copy = paper == "red-ink" ? W2cCopy::RedInkCopyA : paper == "laser" ? W2cCopy::CopyA : W2cCopy::CopyB;
  if (p.Has("copy")) {
    const auto found = FindW2cCopy(p.values.at("copy"));
    if (paper != "copy") {
      err << "formet-cli: --copy goes with --paper copy\n";
      return 2;
    }
    if (!found) {
      err << "formet-cli: --copy \"" << p.values.at("copy") << "\" is none of the W-2c's copies A, 1, B, C, 2 and D\n";
      return 2;
    }
    copy = *found;
  }
  RedInkOffsets offsets;
  for (const auto& [name, value] : {std::pair{"h-offset", &offsets.horizontal}, {"v-offset", &offsets.vertical}}) {
    if (!p.Has(name)) continue;
    std::string size;
    bool negative = false;
    if (paper != "red-ink") {
      err << "formet-cli: --" << name << " moves the data on the pre-printed red-ink form; give --paper red-ink\n";
      return 2;
    }
    if (!SplitInches(p.values.at(name), true, size, negative)) {
      err << "formet-cli: --" << name << " takes inches with at most two whole digits and two decimals, such as "
          << "0.25 (negative: " << (value == &offsets.horizontal ? "to the left" : "up") << ")\n";
      return 2;
    }
    *value = (negative ? -1 : 1) * std::stod(size);
  }
  PdfMargins margins;
  if (!ReadMargins(p, margins, err)) return 2;
  if (!LoadCompany(doc, ui, p.company, err, CompanyUse::ReadOnly)) return 1;

  const W2cList list = LoadW2cList(doc);
  std::unique_ptr<FormPrintJob> job;
  int pages = 0;
  if (w2c) {
    int32_t only = -1;
    if (p.Has("ssn")) {
      const int index = FindPayee(doc.GetEmployees(), EmployeeRecord::Text::SocialSecurityNumber, p.values.at("ssn"));
      if (index < 0) {
        err << "formet-cli: no employee of " << Win1252ToUtf8(doc.CompanyName()) << " has the social security number "
            << p.values.at("ssn") << "\n";
        return 1;
      }
      only = doc.GetEmployees()[static_cast<size_t>(index)].EmployeeUniqueID;
    }
    std::vector<std::string> notes;
    std::vector<W2cForm> forms = W2cFormsForCopy(list.forms, copy, only, &notes);
    for (const auto& note : notes) err << "formet-cli: note: " << Win1252ToUtf8(note) << "\n";
    if (forms.empty()) {
      err << "formet-cli: " << Win1252ToUtf8(NoW2cToPrintMessage(doc.CompanyName(), copy, only >= 0)) << "\n";
      return 1;
    }
    pages = static_cast<int>(forms.size());
    job = std::make_unique<W2cPrintJob>(std::move(forms), copy, offsets);
  } else {
    if (ComputeW3cTotals(list.forms).formCount == 0) {
      err << "formet-cli: " << Win1252ToUtf8(doc.CompanyName())
          << " has no W-2c to send to the SSA, so there is no W-3c; nothing was printed\n";
      return 1;
    }
    std::string problem;
    const W3cPage page = LoadW3cPage(doc, list, &problem);
    if (!problem.empty()) err << "formet-cli: warning: " << Win1252ToUtf8(problem) << "\n";
    if (page.explainedByUser)
      if (const std::string notice = W3cExplanationFitNotice(page.explainDecreases); !notice.empty())
        err << "formet-cli: note: " << Win1252ToUtf8(notice) << "\n";
    job = std::make_unique<W3cPrintJob>(page, paper == "red-ink", offsets);
    pages = 1;
  }

  const char* title = w2c ? "Form W-2c" : "Form W-3c";
  if (!WriteCheckedPdf(*job, p, margins, title, err)) return 1;
  const std::string& path = p.values.at("out");
  out << "Wrote " << pages << (pages == 1 ? " page" : " pages") << " of " << title;
  if (w2c) out << ", " << W2cCopyName(copy);
  out << " to " << path << "\n";
  return 0;
}

// print w2 NAME --reissued --ssn SSN --out FILE: the reissued statement of
// an employee whose address alone changed, Copies B, C and 2.
int RunReissuedPrint(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args, std::ostream& out,
                     std::ostream& err) {
  const std::vector<CommandOption> own = {{"out", true},      {"ssn", true},         {"margins", true},
                                          {"pictures", true}, {"reissued", false},   {"stop-if-cut", false}};
  auto parsed = ParseOwnOptions(args, own, err);
  if (!parsed) return 2;
  const Parsed& p = *parsed;
  if (!p.Has("out") || p.values.at("out").empty() || !p.Has("ssn")) {
    err << "formet-cli: print w2 --reissued needs --ssn SSN of the employee and --out FILE.pdf\n";
    return 2;
  }
  if (const auto problem = OutputTargetProblem(p.values.at("out"))) {
    err << "formet-cli: " << Win1252ToUtf8(*problem) << "\n";
    return 2;
  }
  PdfMargins margins;
  if (!ReadMargins(p, margins, err)) return 2;
  if (!LoadCompany(doc, ui, p.company, err, CompanyUse::ReadOnly)) return 1;
  const int index = FindPayee(doc.GetEmployees(), EmployeeRecord::Text::SocialSecurityNumber, p.values.at("ssn"));
  if (index < 0) {
    err << "formet-cli: no employee of " << Win1252ToUtf8(doc.CompanyName()) << " has the social security number "
        << p.values.at("ssn") << "\n";
    return 1;
  }
  const W2PrintData data{&doc.GetCompany(), &doc.GetEmployees(), &doc.GetW2Forms(), {}, index};
  const W2ReissuedJob job(data);
  if (job.PageCount() == 0) {
    err << "formet-cli: " << Win1252ToUtf8(EmployeeDisplayName(doc.GetEmployees()[static_cast<size_t>(index)]))
        << " has no W-2; nothing was printed\n";
    return 1;
  }
  if (!WriteCheckedPdf(job, p, margins, "Form W-2", err)) return 1;
  const std::string& path = p.values.at("out");
  out << "Wrote 3 pages of Form W-2 (Copies B, C and 2), marked " << kReissuedMark << ", to " << path << "\n";
  return 0;
}

}  // namespace

bool IsPrintCommand(const std::string& command) { return command == "print"; }

int RunPrintCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args, std::ostream& out,
                    std::ostream& err) {
  if (!args.empty() && (args[0] == "w2c" || args[0] == "w3c")) return RunCorrectionPrint(doc, ui, args, out, err);
  if (!args.empty() && args[0] == "w2" && std::find(args.begin(), args.end(), "--reissued") != args.end())
    return RunReissuedPrint(doc, ui, args, out, err);
  const auto parsed = Parse(args, err);
  if (!parsed) return 2;
  const PrintForm form = parsed->form->form;
  FormPrintSettings settings;
  PrintOptionsEntry entry = ShowPrintOptions(form, settings);
  if (!FillEntry(*parsed, entry, err)) return 2;
  PdfMargins margins;
  if (parsed->Has("margins")) {
    const auto m = ParseMargins(parsed->Value("margins"));
    if (!m) {
      err << "formet-cli: --margins takes the left and top margins in millimetres, such as 6.35,6.35 (0 to 50)\n";
      return 2;
    }
    margins = *m;
  }
  if (const auto refusal = ConfirmPrintOptions(form, entry, settings)) {
    err << "formet-cli: " << Win1252ToUtf8(*refusal) << "\n";
    return 1;
  }
  if (!LoadCompany(doc, ui, parsed->parsed.company, err, CompanyUse::ReadOnly)) return 1;

  PrintUi printUi(parsed->Has("stop-if-empty"), err);
  const bool corrected = parsed->Has("corrected");
  std::string title = parsed->form->title;
  Corrected1099Print correctedForms;  // what a corrected 1099-MISC print reads
  if (parsed->Has("per-recipient")) return PrintPerRecipient(doc, *parsed, entry, settings, margins, printUi, out, err);
  std::unique_ptr<FormPrintJob> job;
  const bool alignment = parsed->Has("alignment-page");
  if (alignment) job = MakeAlignmentPage(form, settings);
  else switch (form) {
    case PrintForm::W2: {
      int current = -1;
      if (parsed->Has("ssn")) {
        current = FindPayee(doc.GetEmployees(), EmployeeRecord::Text::SocialSecurityNumber, parsed->Value("ssn"));
        if (current < 0) {
          err << "formet-cli: no employee of " << Win1252ToUtf8(doc.CompanyName())
              << " has the social security number " << parsed->Value("ssn") << "\n";
          return 1;
        }
      }
      auto w2 = PrepareW2Print({&doc.GetCompany(), &doc.GetEmployees(), &doc.GetW2Forms(),
                                DocumentOrder(doc.GetEmployees().size()), current},
                               settings, printUi);
      if (w2) ConfirmFormsToPrint(*w2, printUi);
      job = std::move(w2);
      break;
    }
    case PrintForm::Form1099: {
      if (corrected) {
        const Form1099CorrectionList list = Load1099Corrections(doc);
        correctedForms = Corrected1099PrintList(list, parsed->Has("tin") ? &parsed->Value("tin") : nullptr,
                                        settings.paperType == 1);
        if (correctedForms.forms.empty()) {
          const std::string why = list.corrections.empty() ? No1099CorrectionsMessage(list)
                                  : parsed->Has("tin")     ? "No corrected 1099-MISC has that identification number."
                                                           : "Only the state boxes changed: Copy A goes to the IRS, "
                                                             "which has nothing to correct.";
          err << "formet-cli: " << Win1252ToUtf8(why) << "\n";
          return 1;
        }
        settings.printTarget = 1;
        title = "Corrected Form 1099-MISC";
        auto forms = PrepareForm1099Print({&doc.GetCompany(), &correctedForms.contractors, &correctedForms.forms,
                                           DocumentOrder(correctedForms.contractors.size()), -1},
                                          settings, printUi);
        if (forms) forms->MarkCorrected(correctedForms.corrected, correctedForms.zeroed);
        job = std::move(forms);
        break;
      }
      int current = -1;
      if (parsed->Has("tin")) {
        current = FindPayee(doc.GetContractors(), ContractorRecord::Text::IdentificationNumber, parsed->Value("tin"));
        if (current < 0) {
          err << "formet-cli: no contractor of " << Win1252ToUtf8(doc.CompanyName())
              << " has the identification number " << parsed->Value("tin") << "\n";
          return 1;
        }
      }
      auto forms = PrepareForm1099Print({&doc.GetCompany(), &doc.GetContractors(), &doc.GetForms1099(),
                                         DocumentOrder(doc.GetContractors().size()), current},
                                        settings, printUi);
      if (forms) ConfirmFormsToPrint(*forms, printUi);
      job = std::move(forms);
      break;
    }
    case PrintForm::W3: {
      W3Page page = BuildW3Page(doc.GetCompany(), doc.GetW2Forms());
      if (const auto refusal = W3PrintRefusal(page)) {
        err << "formet-cli: " << Win1252ToUtf8(*refusal) << "\n";
        return 1;
      }
      job = std::make_unique<W3PrintJob>(std::move(page), settings);
      break;
    }
    case PrintForm::Form1096: {
      Form1096Page page = Build1096Page(doc.GetCompany(), doc.GetForms1099());
      if (corrected) {
        const Form1099CorrectionList list = Load1099Corrections(doc);
        if (const std::string why = No1099CorrectionsMessage(list); !why.empty()) {
          err << "formet-cli: " << Win1252ToUtf8(why) << "\n";
          return 1;
        }
        page = BuildCorrection1096Page(doc.GetCompany(), list);
        title = "Form 1096 (corrected returns)";
      }
      if (const auto refusal = Form1096PrintRefusal(page)) {
        err << "formet-cli: " << Win1252ToUtf8(*refusal) << "\n";
        return 1;
      }
      job = std::make_unique<Form1096PrintJob>(std::move(page), settings);
      break;
    }
  }
  if (!job) {
    for (const auto& m : printUi.messages) err << "formet-cli: " << Win1252ToUtf8(m) << "\n";
    if (printUi.stopped) err << "formet-cli: nothing was printed (--stop-if-empty)\n";
    else if (printUi.messages.empty())
      err << "formet-cli: " << Win1252ToUtf8(doc.CompanyName()) << " has no "
          << (form == PrintForm::W2 ? "W-2" : "1099-MISC") << " forms; nothing was printed\n";
    return 1;
  }

  // What the forms cannot hold even at 6 points: a warning each, or with
  // --stop-if-cut a failure before anything is written.
  const CutReport cuts = ListCuts(*job, PdfGeometry(margins));
  const bool stopIfCut = parsed->Has("stop-if-cut");
  for (const CutText& cut : cuts.Cuts())
    err << "formet-cli: " << (stopIfCut ? "" : "warning: ") << Win1252ToUtf8(DescribeCut(cut)) << "\n";
  if (stopIfCut && !cuts.Empty()) {
    err << "formet-cli: nothing was printed (--stop-if-cut)\n";
    return 1;
  }

  // The outline behind the data, and the mark that the PDF is not for filing.
  std::unique_ptr<FormPrintJob> outlined;
  if (parsed->Has("show-outline")) outlined = std::make_unique<OutlinedPrintJob>(*job, form, true);
  const FormPrintJob& written = outlined ? *outlined : *job;

  const auto gui = GuiForPrinting();
  const std::string& path = parsed->Value("out");
  const QString pictures = parsed->Has("pictures") ? QString::fromStdString(parsed->Value("pictures"))
                                                   : QString::fromStdString(ProgramFolder().string());
  QString problem;
  if (!WriteJobToPdf(written, QString::fromStdString(path), margins, pictures, QString::fromLatin1(title.c_str()),
                     &problem)) {
    err << "formet-cli: " << problem.toStdString() << "\n";
    return 1;
  }
  const int pages = written.PageCount();
  out << "Wrote " << (alignment ? "the alignment page" : std::to_string(pages) + (pages == 1 ? " page" : " pages"))
      << " of " << title << (parsed->Has("show-outline") ? " with the form's outline" : "") << " to "
      << path << "\n";
  return 0;
}

}  // namespace formet::cli
