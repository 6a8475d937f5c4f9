#include "shell/ui/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "forms/1099/form1099_corrections.h"
#include "forms/1099/ui/irs1099_dialog.h"
#include "forms/record_as_filed.h"
#include "forms/ui/form_page.h"
#include "forms/w2/efw2c_file.h"
#include "forms/w2/ui/efw2_dialog.h"
#include "kit/ui/help.h"
#include "kit/ui/qt_text.h"
#include "shell/password.h"
#include "shell/ui/page_factory.h"
#include "shell/ui/art/program_art.h"
#include "shell/ui/navbar/gfx_out_bar_ctrl.h"
#include "shell/ui/navbar/program_nav_bar.h"
#include "shell/ui/password_dialogs.h"
#include "store/global_doc.h"
#include "store/ui_services.h"

namespace formet {

CMainFrame::CMainFrame(CGlobalDoc& doc, PasswordStore& passwords, UiServices& ui, QWidget* parent)
    : QMainWindow(parent), doc_(doc), passwords_(passwords), ui_(ui) {
  setWindowIcon(art::ProgramIcon());
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setChildrenCollapsible(false);
  bar_ = CreateProgramNavBar(splitter_);
  bar_->setMinimumWidth(90);
  stack_ = new QStackedWidget(splitter_);
  for (int i = 0; i < kPageCount; ++i) {
    auto* page = CreatePage(static_cast<Page>(i), doc_, ui, stack_);
    pages_[static_cast<size_t>(i)] = page;
    stack_->addWidget(page);
    doc_.AddView(page);
    connect(page, &CPage::editsChanged, this, &CMainFrame::UpdateCommands);
  }
  ConnectPages(pages_);
  stack_->setCurrentWidget(pages_[0]);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  setCentralWidget(splitter_);
  connect(bar_, &CGfxOutBarCtrl::itemClicked, this, &CMainFrame::ShowNavigationItem);
  BuildMenus();
  doc_.AddView(this);
}

CMainFrame::~CMainFrame() {
  doc_.RemoveView(this);
  for (auto* page : pages_) doc_.RemoveView(page);
}

void CMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!sized_) {
    // The navigation bar takes a seventh of the width, the pages the rest.
    sized_ = true;
    const int width = std::max(splitter_->width(), kMinimumWidth);
    splitter_->setSizes({std::max(width / 7, 110), width - std::max(width / 7, 110)});
  }
}

void CMainFrame::ShowNavigationItem(int item) {
  if (item < 0 || item >= kNavigationItems) return;
  ShowPage(requests_.PageFor(item));
}

bool CMainFrame::LeaveCurrentPage() { return pages_[static_cast<size_t>(current_)]->OnHidden(); }

bool CMainFrame::LeaveCurrentCompany() { return pages_[static_cast<size_t>(current_)]->OnCompanyClosing(); }

void CMainFrame::ShowPage(Page page) {
  if (page == Page::W4) return;  // created, never shown
  // The page shown offers to save its edits first (also when it is shown
  // again, as its refresh would replace them); it may stay.
  if (!LeaveCurrentPage()) return;
  current_ = page;
  auto* widget = pages_[static_cast<size_t>(page)];
  stack_->setCurrentWidget(widget);
  if (PageRequests::RefreshesOnShow(page)) widget->OnShown();
}

void CMainFrame::ShowPayeeForm(Page page, int payee) {
  if (page != Page::W2 && page != Page::Form1099) return;
  ShowPage(page);
  if (current_ != page) return;  // the page shown kept the window
  static_cast<CFormPage*>(pages_[static_cast<size_t>(page)])->Rules().GoTo(payee);
  FocusPage();
}

QAction* CMainFrame::AddCommand(QMenu* menu, const QString& text, int id, const QKeySequence& shortcut,
                                std::function<void()> handler) {
  auto* action = menu->addAction(text);
  action->setData(id);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, [this, handler] {
    handler();
    UpdateCommands();
  });
  actions_[id] = action;
  return action;
}

QAction* CMainFrame::Action(int commandId) const {
  const auto it = actions_.find(commandId);
  return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::BuildMenus() {
  using namespace command;
  auto* company = menuBar()->addMenu(tr("&Company"));
  AddCommand(company, tr("&New..."), kNewCompany, QKeySequence(Qt::CTRL | Qt::Key_N), [this] {
    if (LeaveCurrentCompany()) doc_.NewCompany();
  });
  AddCommand(company, tr("&Open ..."), kOpenCompany, QKeySequence(Qt::CTRL | Qt::Key_O), [this] {
    if (LeaveCurrentCompany()) doc_.OpenCompany();
  });
  AddCommand(company, tr("&Save "), kSaveCompany, QKeySequence(Qt::CTRL | Qt::Key_S), [this] { OnSave(); });
  AddCommand(company, tr("&Delete "), kDeleteCompany, QKeySequence(Qt::CTRL | Qt::Key_D), [this] { OnDelete(); });
  company->addSeparator();
  AddCommand(company, tr("&Exit"), kExit, {}, [this] { close(); });

  BuildGoMenu();

  auto* tools = menuBar()->addMenu(tr("&Tools"));
  AddCommand(tools, tr("&Import Clients From Tax Year 2006"), kImportClients, {},
             [this] { RunImport(command::kImportClients); });
  auto* efiling = tools->addMenu(tr("&Electronic Filing"));
  AddCommand(efiling, tr("&W-2 Wage File (EFW2)..."), kEFileW2, {}, [this] {
    // The file written is what is filed.
    if (RunEfw2Dialog(doc_, this)) OfferRecordAsFiled(doc_, ui_, FiledFamily::W2);
  });
  AddCommand(efiling, tr("W-2&c Corrections File (EFW2C)..."), kEFileW2c, {}, [this] {
    // Without a W-2c for the SSA there is nothing to file: say so, open nothing.
    if (const std::string none = NoEfw2cMessage(doc_); !none.empty()) {
      ui_.ShowMessage(none);
      return;
    }
    // The file written is what is filed: its W-2c's become what was reported.
    if (RunEfw2cDialog(doc_, this)) OfferRecordAsFiled(doc_, ui_, FiledFamily::W2c);
  });
  AddCommand(efiling, tr("&1099-MISC Information Return File..."), kEFile1099, {},
             [this] {
               if (Run1099FileDialog(doc_, this)) OfferRecordAsFiled(doc_, ui_, FiledFamily::Form1099);
             });
  AddCommand(efiling, tr("1099-MISC C&orrections File..."), kEFile1099c, {}, [this] {
    // Without a corrected 1099-MISC for the IRS there is nothing to file: say so, open nothing.
    if (const std::string none = No1099CorrectionsMessage(Load1099Corrections(doc_)); !none.empty()) {
      ui_.ShowMessage(none);
      return;
    }
    // The file written is what is filed: its corrected values become what was filed.
    if (Run1099CorrectionsFileDialog(doc_, this)) OfferRecordAsFiled(doc_, ui_, FiledFamily::Form1099c);
  });
  auto* options = tools->addMenu(tr("&Options"));
  AddCommand(options, tr("&Password"), kPassword, {}, [this] { OnChangePassword(); });

  auto* import = menuBar()->addMenu(tr("&Import Data"));
  AddCommand(import, tr("&W2 Forms"), kImportW2, {}, [this] { RunImport(command::kImportW2); });
  AddCommand(import, tr("&1099-Misc Forms"), kImport1099, {}, [this] { RunImport(command::kImport1099); });

  auto* help = menuBar()->addMenu(tr("&Help"));
  // Until the project has a site of its own, its page on the web is its guide.
  AddCommand(help, tr("Formet &Help"), kHelp, {}, [this] { OpenHelpPage(QString::fromLatin1(kHelpGuide), this); });
  AddCommand(help, tr("Formet on the &Web"), kWeb, {}, [this] { OpenHelpPageInBrowser(QString::fromLatin1(kHelpGuide), this); });
  help->addSeparator();
  AddCommand(help, tr("&About Formet"), kAbout, {}, [this] { OnAbout(); });

  auto* order = menuBar()->addMenu(tr("&Order Forms and Supplies"));
  AddCommand(order, tr("Order &W2 Forms and Envelopes"), kOrderW2, {},
             [this] { OpenWebPage(QString::fromLatin1(kOrderFormsPage), this); });
  AddCommand(order, tr("Order &1099 Forms and Envelopes"), kOrder1099, {},
             [this] { OpenWebPage(QString::fromLatin1(kOrderFormsPage), this); });

  for (auto* menu : {company, tools, import}) connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
  UpdateCommands();
}

void CMainFrame::BuildGoMenu() {
  // Every item of the navigation bar, in its order, with Ctrl+1, Ctrl+2 ...
  auto* go = menuBar()->addMenu(tr("&Go"));
  const int folder = bar_->GetSelFolder();
  for (int item = 0; item < bar_->GetItemCount(folder); ++item) {
    QString text = bar_->GetItemText(folder, item);
    if (item < 9) text = QStringLiteral("&%1 %2").arg(item + 1).arg(text);
    auto* action = go->addAction(text);
    if (item < 9) action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + item)));
    connect(action, &QAction::triggered, this, [this, item] {
      ShowNavigationItem(item);
      FocusPage();
      UpdateCommands();
    });
    pageActions_.push_back(action);
  }
  go->addSeparator();
  auto* pane = go->addAction(tr("Next &Pane"));
  pane->setShortcuts({QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)});
  connect(pane, &QAction::triggered, this, &CMainFrame::SwitchPane);
}

QAction* CMainFrame::PageAction(int item) const {
  return item >= 0 && static_cast<size_t>(item) < pageActions_.size() ? pageActions_[static_cast<size_t>(item)]
                                                                        : nullptr;
}

void CMainFrame::FocusPage() {
  QWidget* page = pages_[static_cast<size_t>(current_)];
  // The first control Tab would reach inside the page, else the page itself.
  for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
    if (!page->isAncestorOf(w)) continue;
    if (w->isVisibleTo(page) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::ShortcutFocusReason);
      return;
    }
  }
  page->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::SwitchPane() {
  QWidget* focus = QApplication::focusWidget();
  if (focus == bar_) FocusPage();
  else bar_->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::UpdateCommands() {
  using namespace command;
  Action(kSaveCompany)->setEnabled(doc_.IsModified() || doc_.HasUnsavedEdits());
  Action(kDeleteCompany)->setEnabled(doc_.CanDeleteCompany());
  for (int id : {kImportClients, kImportW2, kImport1099}) Action(id)->setEnabled(importHandlers_.count(id) != 0);
}

void CMainFrame::RunImport(int commandId) {
  const auto it = importHandlers_.find(commandId);
  if (it != importHandlers_.end() && it->second) it->second();
}

void CMainFrame::SetImportHandler(int commandId, std::function<void()> handler) {
  importHandlers_[commandId] = std::move(handler);
  UpdateCommands();
}

void CMainFrame::OnSave() {
  // Edits a page shows but has not applied (the company setup) are saved too.
  for (auto* page : pages_)
    if (page->HasUnsavedEdits() && !page->SaveUnsavedEdits()) return;
  if (!doc_.IsModified()) return;
  if (int rc = doc_.SaveChanges()) {
    doc_.RefreshAllViews();
    ui_.ShowError(SaveFailureMessage(rc, &doc_.Journal()));
  }
}

void CMainFrame::OnDelete() {
  if (!doc_.CanDeleteCompany()) return;
  doc_.DeleteCompany();
}

void CMainFrame::OnChangePassword() {
  CChangepassword dialog(passwords_, this);
  dialog.exec();
}

void CMainFrame::OnAbout() { MakeAboutDialog(this)->exec(); }

std::unique_ptr<QDialog> MakeAboutDialog(QWidget* parent) {
  auto about = std::make_unique<QDialog>(parent);
  QDialog* dialog = about.get();
  dialog->setWindowTitle(QObject::tr("Formet (2007)..."));
  auto* picture = new CArtView(art::PaintAbout, art::kAboutSize, false, dialog);
  auto* version = new QLabel(QObject::tr("Formet Version") + "  " + QString::fromLatin1(kVersionText), dialog);
  auto* link = new QLabel(QObject::tr("<a href='guide'>Formet (2007) User's Guide</a>"), dialog);
  QObject::connect(link, &QLabel::linkActivated, dialog,
                   [dialog] { OpenHelpPage(QString::fromLatin1(kHelpGuide), dialog); });
  auto* text = new QVBoxLayout;
  text->addWidget(version);
  text->addWidget(link);
  text->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(picture, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(text, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(top);
  layout->addWidget(buttons);
  return about;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // Edits on a form page are offered for saving before the company closes;
  // Cancel keeps the window open.
  if (!LeaveCurrentCompany() || !doc_.SaveModified()) {
    event->ignore();
    return;
  }
  doc_.OnCloseDocument();
  event->accept();
}

}  // namespace formet
