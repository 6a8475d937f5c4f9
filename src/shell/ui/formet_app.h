#pragma once
// The desktop program's start-up: the first load of the company, the main
// window, the splash picture, the password check, then the welcome page.
#include <QObject>
#include <QPointer>
#include <filesystem>
#include <memory>

#include "shell/password.h"
#include "shell/ui/qt_ui_services.h"
#include "shell/ui/splash_wnd.h"
#include "store/global_doc.h"

namespace formet {

class CMainFrame;
class PasswordPrompt;
class SettingsStore;

class FormetApp : public QObject {
  Q_OBJECT
 public:
  // `prompt` answers the start-up password check (the dialog when null).
  FormetApp(SettingsStore& settings, std::filesystem::path dataFolder, PasswordPrompt* prompt = nullptr);
  ~FormetApp() override;

  // Loads the company and shows the main window. False when no company could
  // be loaded: the user has been told why and the program ends.
  bool Start();

  CGlobalDoc& Doc() { return *doc_; }
  CMainFrame* Frame() const { return frame_.get(); }
  CSplashWnd* Splash() const { return splash_; }

 signals:
  // The start-up ended: the password was given (or none is set) and the
  // welcome page is shown.
  void ready();
  // The password check was cancelled; the main window is closing.
  void refused();

 private:
  void AfterSplash();

  SettingsStore& settings_;
  QtUiServices ui_;
  PasswordStore passwords_;
  std::unique_ptr<PasswordPrompt> ownPrompt_;
  PasswordPrompt* prompt_;
  std::unique_ptr<CGlobalDoc> doc_;
  std::unique_ptr<CMainFrame> frame_;
  QPointer<CSplashWnd> splash_;
};

}  // namespace formet
