#include "shell/ui/formet_app.h"

#include <QTimer>

#include "forms/1099/ui/form1099_view.h"
#include "forms/w2/ui/w2_view.h"
#include "import/ui/import_dialog.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/password_dialogs.h"
#include "shell/ui/splash_wnd.h"
#include "store/ui/prior_year_import_window.h"

namespace formet {

FormetApp::FormetApp(SettingsStore& settings, std::filesystem::path dataFolder, PasswordPrompt* prompt)
    : settings_(settings), passwords_(settings), prompt_(prompt) {
  if (!prompt_) {
    ownPrompt_ = std::make_unique<DialogPasswordPrompt>();
    prompt_ = ownPrompt_.get();
  }
  doc_ = std::make_unique<CGlobalDoc>(ui_, settings_, std::move(dataFolder));
}

FormetApp::~FormetApp() {
  if (splash_) splash_->close();
  frame_.reset();
}

bool FormetApp::Start() {
  frame_ = std::make_unique<CMainFrame>(*doc_, passwords_, ui_);
  // Tools > Import Clients From Tax Year 2006; the controller lives as long as the frame.
  auto* priorYear = new PriorYearImportController(settings_, doc_->DataFolder(), frame_.get());
  frame_->SetImportHandler(command::kImportClients, [priorYear] { priorYear->Start(); });
  // Import Data > W2 Forms and 1099-Misc Forms. The form pages hear of each
  // form added, as when a payee is added on its page.
  for (const auto& [id, kind] : {std::pair(command::kImportW2, ImportKind::W2),
                                 std::pair(command::kImport1099, ImportKind::Form1099)})
    frame_->SetImportHandler(id, [this, kind] {
      auto* w2Page = static_cast<CW2View*>(frame_->PageWidget(Page::W2));
      auto* formPage = static_cast<C1099View*>(frame_->PageWidget(Page::Form1099));
      RunImportDialog(kind, *doc_, ui_, settings_, frame_.get(), &w2Page->Rules(), &formPage->Rules());
    });
  ui_.SetFrame(frame_.get());
  if (!doc_->OnNewDocument()) {
    frame_.reset();
    return false;
  }
  frame_->showMaximized();
  doc_->SetWindowTitle();
  doc_->RefreshAllViews();
  frame_->UpdateCommands();

  splash_ = new CSplashWnd(frame_.get());
  connect(splash_, &CSplashWnd::finished, this, [this] {
    // Continue once the splash is gone, from the event loop.
    QTimer::singleShot(0, this, &FormetApp::AfterSplash);
  });
  splash_->ShowCentred();
  return true;
}

void FormetApp::AfterSplash() {
  if (!prompt_->AskPassword(passwords_, frame_.get())) {
    emit refused();
    QTimer::singleShot(0, frame_.get(), &QWidget::close);
    return;
  }
  frame_->ShowNavigationItem(0);
  emit ready();
}

}  // namespace formet
