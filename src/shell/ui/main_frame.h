#pragma once
// CMainFrame: the main window. A navigation bar beside the page area, the
// menus of the company commands, and the page switching.
#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "shell/frame_rules.h"
#include "store/global_doc.h"

class QAction;
class QDialog;
class QStackedWidget;
class QSplitter;

namespace formet {

class CGfxOutBarCtrl;
class CPage;
class PasswordStore;
class UiServices;

// The main window is a view of the document too: every change of the
// document's state brings the commands up to date at once, so that a
// shortcut never follows a stale enabled state.
class CMainFrame : public QMainWindow, public DocumentView {
  Q_OBJECT
 public:
  static constexpr int kMinimumWidth = 632;
  static constexpr int kMinimumHeight = 400;

  CMainFrame(CGlobalDoc& doc, PasswordStore& passwords, UiServices& ui, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // A navigation item (0..8) was requested.
  void ShowNavigationItem(int item);
  void ShowPage(Page page);
  // The form page (W2 or Form1099) with the form of the payee at `payee` in
  // the company's list, as the Review page opens a form.
  void ShowPayeeForm(Page page, int payee);
  // Asks the page shown whether it may be left (a form page offers to save
  // its edits); false keeps it.
  bool LeaveCurrentPage();
  // Asks the page shown whether the company may close (a form page offers to
  // save its edits, with Cancel); false keeps the window and the company.
  bool LeaveCurrentCompany();
  Page CurrentPage() const { return current_; }
  CPage* PageWidget(Page page) const { return pages_[static_cast<size_t>(page)]; }
  CGfxOutBarCtrl* NavigationBar() const { return bar_; }
  QAction* Action(int commandId) const;
  // The Go menu's command of navigation item `item` (Ctrl+1 for the first).
  QAction* PageAction(int item) const;
  // Puts the keyboard's focus on the first control of the page shown.
  void FocusPage();
  // Brings the enabled state of the commands up to date. Runs after every
  // command, every change of the document's state and of a page's unsaved
  // edits, and when a menu opens.
  void UpdateCommands();

  void OnDocumentRefresh() override { UpdateCommands(); }
  void OnDocumentReset() override { UpdateCommands(); }
  void OnDocumentStateChanged() override { UpdateCommands(); }

  // Handlers of commands whose subsystems are built apart.
  void SetImportHandler(int commandId, std::function<void()> handler);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenus();
  void BuildGoMenu();
  // F6 and Shift+F6: the focus goes between the navigation bar and the page.
  void SwitchPane();
  QAction* AddCommand(QMenu* menu, const QString& text, int id, const QKeySequence& shortcut,
                      std::function<void()> handler);
  void RunImport(int commandId);
  void OnSave();
  void OnDelete();
  void OnChangePassword();
  void OnAbout();

  CGlobalDoc& doc_;
  PasswordStore& passwords_;
  UiServices& ui_;
  PageRequests requests_;
  QSplitter* splitter_;
  CGfxOutBarCtrl* bar_;
  QStackedWidget* stack_;
  std::array<CPage*, kPageCount> pages_{};
  Page current_ = Page::Welcome;
  std::map<int, QAction*> actions_;
  std::vector<QAction*> pageActions_;
  std::map<int, std::function<void()>> importHandlers_;
  bool sized_ = false;
};

// The About dialog: the program's picture, its version and a link to its guide.
std::unique_ptr<QDialog> MakeAboutDialog(QWidget* parent);

}  // namespace formet
