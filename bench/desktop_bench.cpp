// The desktop over a large company, offscreen: the program's start (its main
// frame with every page) opening the company from its file, then the
// employees page and the contractors page shown as the navigation bar shows
// them. Reports the whole process's resident size and its peak against the
// company file's size.
//   build/bin/store_bench --keep DIR      # writes DIR/Big.qdt (100,000 employees, 50,000 contractors)
//   build/bin/desktop_bench DIR
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "memory_probe.h"
#include "shell/frame_rules.h"
#include "shell/ui/formet_app.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/password_dialogs.h"
#include "store/global_doc.h"
#include "store/settings_store.h"

using namespace formet;

namespace {

// No password is set: the check lets the program on.
class NoPassword : public PasswordPrompt {
 public:
  bool AskPassword(PasswordStore&, QWidget*) override { return true; }
};

double Mb(long kb) { return static_cast<double>(kb) / 1024.0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: desktop_bench DIR (holding Big.qdt, as store_bench --keep DIR writes it)\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::filesystem::path folder = argv[1];
  const double fileMb = static_cast<double>(std::filesystem::file_size(folder / "Big.qdt")) / (1 << 20);
  QApplication app(argc, argv);
  const long qt = bench::StatusKb("VmRSS");
  MemorySettingsStore settings;
  settings.WriteText(std::string(kSettingsRoot) + "\\Last Active Company", "Value", "Big");
  NoPassword prompt;
  FormetApp formet(settings, folder, &prompt);
  QEventLoop started;
  QObject::connect(&formet, &FormetApp::ready, &started, &QEventLoop::quit);
  QObject::connect(&formet, &FormetApp::refused, &started, &QEventLoop::quit);
  if (!formet.Start()) return 1;
  started.exec();  // past the splash
  const long opened = bench::StatusKb("VmRSS");
  formet.Frame()->resize(1024, 680);
  for (Page page : {Page::Employees, Page::Contractors}) {
    formet.Frame()->ShowPage(page);
    app.processEvents();
    if (formet.Frame()->CurrentPage() != page || !formet.Frame()->isVisible()) {
      std::fprintf(stderr, "the page was not shown\n");
      return 1;
    }
  }
  const long shown = bench::StatusKb("VmRSS");
  const long peak = bench::StatusKb("VmHWM");
  auto& doc = formet.Doc();
  std::printf("company: %zu employees, %zu W-2s, %zu contractors, %zu 1099-MISCs; file %.1f MB\n",
              doc.GetEmployees().size(), doc.GetW2Forms().size(), doc.GetContractors().size(),
              doc.GetForms1099().size(), fileMb);
  std::printf("Qt application alone          %8.1f MB\n", Mb(qt));
  std::printf("company opened, welcome page  %8.1f MB\n", Mb(opened));
  std::printf("both payee pages shown        %8.1f MB\n", Mb(shown));
  std::printf("peak of the process           %8.1f MB  ratio %.2f (target <= 3)\n", Mb(peak), Mb(peak) / fileMb);
  return 0;
}
