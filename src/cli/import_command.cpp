#include "cli/import_command.h"

#include <optional>
#include <ostream>
#include <system_error>

#include "store/text_codec.h"

namespace formet::cli {
namespace {

constexpr const char* kImportPriorYear = "import-prior-year";

// Reports the steps on the command line as they begin.
class StepReport : public PriorYearProgress {
 public:
  explicit StepReport(std::ostream& out) : out_(out) {}
  void MarkStep(int step) override { Print(step); }
  void Print(int step) {
    out_ << PriorYearImport::kCaptions[static_cast<size_t>(step)] << "\n";
    out_.flush();
  }

 private:
  std::ostream& out_;
};

}  // namespace

bool IsImportCommand(const std::string& command) { return command == kImportPriorYear; }

int RunImportCommand(SettingsStore& settings, const std::filesystem::path& dataFolder,
                     const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const SearchRoots& roots) {
  std::optional<std::filesystem::path> from;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string folder;
    if (args[i] == "--from") {
      if (i + 1 >= args.size()) {
        err << "formet-cli: --from needs a folder\n";
        return 2;
      }
      folder = args[++i];
    } else if (args[i].rfind("--from=", 0) == 0) {
      folder = args[i].substr(7);
    } else {
      err << "formet-cli: " << kImportPriorYear << " takes no argument \"" << PrintableUtf8(args[i]) << "\"\n";
      return 2;
    }
    if (from) {
      err << "formet-cli: --from is given twice\n";
      return 2;
    }
    if (folder.empty()) {
      err << "formet-cli: --from needs a folder\n";
      return 2;
    }
    std::error_code ec;
    from = std::filesystem::absolute(folder, ec);
    if (ec) from = folder;
  }

  // Without the data folder every copy would fail unreported and the import
  // would still say it succeeded.
  std::error_code ec;
  if (!std::filesystem::is_directory(dataFolder, ec)) {
    err << "formet-cli: the data folder " << PrintableUtf8(dataFolder.string()) << " does not exist\n";
    return 1;
  }

  PriorYearImport import(settings, dataFolder, roots);
  import.SetInstallFolder(from);
  StepReport report(out);
  import.Start();
  report.Print(import.Step());
  for (;;) {
    const auto result = import.Tick(report);
    switch (result.outcome) {
      case PriorYearImport::Outcome::Running: continue;
      case PriorYearImport::Outcome::Succeeded: out << Win1252ToUtf8(result.message) << "\n"; return 0;
      case PriorYearImport::Outcome::Failed: err << Win1252ToUtf8(result.message) << "\n"; return 1;
      case PriorYearImport::Outcome::Cancelled:
      case PriorYearImport::Outcome::Idle: return 1;  // nothing on the command line cancels
    }
  }
}

}  // namespace formet::cli
