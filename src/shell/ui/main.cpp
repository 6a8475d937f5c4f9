// formet: the desktop program.
#include <QApplication>
#include <QCommandLineParser>
#include <QStandardPaths>
#include <QTimer>

#include <signal.h>

#include "forms/print/ui/payee_files_box.h"
#include "import/table_file.h"
#include "kit/ui/window_fit.h"
#include "shell/ui/art/program_art.h"
#include "shell/ui/formet_app.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/qt_settings_store.h"
#include "store/data_folder.h"

int main(int argc, char** argv) {
  // A limit on the size of files makes a write fail, which the program
  // reports, instead of ending it with the user's work.
  ::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Formet (2007)");
  QApplication::setOrganizationName("Quorvane");
  QApplication::setApplicationVersion("4.0.11");
  QApplication::setWindowIcon(formet::art::ProgramIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("formet"));  // the menu entry formet.desktop
  formet::KeepDialogsTallEnough(app);
  // The print options read the payees' passwords from a CSV file with the
  // import's reader.
  formet::SetTableFileReader(formet::ReadTableFile);

  QCommandLineParser parser;
  parser.setApplicationDescription("Formet (2007): W-2, W-3, 1099-MISC and 1096 forms for tax year 2007.");
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption dataDir("data-dir", "The folder that holds the company files.", "DIR");
  QCommandLineOption screenshot("screenshot", "Save a picture of the main window once started, then quit.", "PNG");
  parser.addOption(dataDir);
  parser.addOption(screenshot);
  parser.process(app);

  std::optional<std::string> folder;
  if (parser.isSet(dataDir)) folder = parser.value(dataDir).toStdString();
  formet::QtSettingsStore settings;
  // An installed program cannot write beside itself: its companies then live
  // in the user's data folder, which the desktop's standard paths name.
  const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  formet::FormetApp formet(settings, formet::OpenDataFolder(folder, userData.toStdString()));
  if (!formet.Start()) return 1;

  if (parser.isSet(screenshot)) {
    const QString file = parser.value(screenshot);
    QObject::connect(&formet, &formet::FormetApp::ready, [&formet, file] {
      formet.Frame()->showNormal();
      formet.Frame()->resize(1024, 680);
      QTimer::singleShot(700, [&formet, file] {
        formet.Frame()->grab().save(file);
        QApplication::quit();
      });
    });
  }
  QObject::connect(&formet, &formet::FormetApp::refused, &app, &QApplication::quit, Qt::QueuedConnection);
  return app.exec();
}
