#include "kit/ui/help_window.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "kit/ui/help.h"

namespace formet {
namespace {

constexpr int kFileRole = Qt::UserRole;
constexpr int kFragmentRole = Qt::UserRole + 1;

QString PlainText(const QString& html) {
  QTextDocument document;
  document.setHtml(html);
  return document.toPlainText().simplified();
}

}  // namespace

QList<HelpTopic> ReadHelpContents(const QString& folder, const QStringList& files) {
  static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                        QRegularExpression::CaseInsensitiveOption |
                                            QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression section(QStringLiteral("<h2[^>]*\\bid=\"([^\"]+)\"[^>]*>(.*?)</h2>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
  QList<HelpTopic> topics;
  for (const QString& file : files) {
    QFile page(QDir(folder).filePath(file));
    if (!page.open(QIODevice::ReadOnly)) continue;
    const QString html = QString::fromUtf8(page.readAll());
    HelpTopic topic{file, file, {}, {}};
    if (const auto match = title.match(html); match.hasMatch()) topic.title = PlainText(match.captured(1));
    for (auto it = section.globalMatch(html); it.hasNext();) {
      const auto match = it.next();
      topic.sections.push_back({PlainText(match.captured(2)), file, match.captured(1), {}});
    }
    topics.push_back(topic);
  }
  return topics;
}

CHelpWindow::CHelpWindow(const QString& folder, const QStringList& files, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(folder) {
  setWindowTitle(tr("Formet (2007) Help"));
  setObjectName(QStringLiteral("HelpWindow"));

  back_ = new QToolButton(this);
  back_->setText(tr("< &Back"));
  back_->setToolTip(tr("Back (Alt+Left)"));
  back_->setEnabled(false);
  forward_ = new QToolButton(this);
  forward_->setText(tr("&Forward >"));
  forward_->setToolTip(tr("Forward (Alt+Right)"));
  forward_->setEnabled(false);
  auto* home = new QToolButton(this);
  home->setText(tr("&Contents"));
  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("Search"));
  search_->setPlaceholderText(tr("Search this page"));
  search_->setClearButtonEnabled(true);
  auto* searchLabel = new QLabel(tr("&Search:"), this);
  searchLabel->setBuddy(search_);
  auto* previous = new QToolButton(this);
  previous->setText(tr("Previous"));
  auto* next = new QToolButton(this);
  next->setText(tr("Next"));
  searchNote_ = new QLabel(this);

  contents_ = new QTreeWidget(this);
  contents_->setObjectName(QStringLiteral("Contents"));
  contents_->setHeaderHidden(true);
  contents_->setColumnCount(1);
  for (const HelpTopic& topic : ReadHelpContents(folder, files)) {
    auto* item = new QTreeWidgetItem(contents_, QStringList{topic.title});
    item->setData(0, kFileRole, topic.file);
    for (const HelpTopic& s : topic.sections) {
      auto* child = new QTreeWidgetItem(item, QStringList{s.title});
      child->setData(0, kFileRole, s.file);
      child->setData(0, kFragmentRole, s.fragment);
    }
  }
  if (contents_->topLevelItemCount() > 0) contents_->topLevelItem(0)->setExpanded(true);

  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("Page"));
  browser_->setSearchPaths({folder});
  // Every link is followed here: the guide's pages in the window, the rest
  // by the desktop.
  browser_->setOpenLinks(false);
  browser_->setOpenExternalLinks(false);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(contents_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);

  auto* bar = new QHBoxLayout;
  bar->addWidget(back_);
  bar->addWidget(forward_);
  bar->addWidget(home);
  bar->addSpacing(16);
  bar->addWidget(searchLabel);
  bar->addWidget(search_, 1);
  bar->addWidget(previous);
  bar->addWidget(next);
  bar->addWidget(searchNote_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(splitter, 1);

  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(home, &QToolButton::clicked, this, [this] { ShowPage(QString::fromLatin1(kHelpGuide)); });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::anchorClicked, this, &CHelpWindow::OpenLink);
  connect(browser_, &QTextBrowser::sourceChanged, this, &CHelpWindow::FollowSource);
  connect(contents_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    const QString file = item->data(0, kFileRole).toString();
    const QString fragment = item->data(0, kFragmentRole).toString();
    ShowPage(fragment.isEmpty() ? file : file + '#' + fragment);
  });
  connect(contents_, &QTreeWidget::itemClicked, contents_, &QTreeWidget::itemActivated);
  connect(search_, &QLineEdit::returnPressed, this, [this] { FindNext(); });
  connect(search_, &QLineEdit::textEdited, this, [this] {
    // Found as typed, from the start of the match shown.
    QTextCursor cursor = browser_->textCursor();
    cursor.setPosition(cursor.selectionStart());
    browser_->setTextCursor(cursor);
    FindNext();
  });
  connect(next, &QToolButton::clicked, this, [this] { FindNext(); });
  connect(previous, &QToolButton::clicked, this, [this] { FindNext(true); });
  for (const auto& [keys, slot] :
       {std::pair{QKeySequence(QKeySequence::Find), 0}, std::pair{QKeySequence(QKeySequence::FindNext), 1},
        std::pair{QKeySequence(QKeySequence::FindPrevious), 2}, std::pair{QKeySequence(QKeySequence::Close), 3}}) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, slot = slot] {
      switch (slot) {
        case 0: search_->setFocus(); search_->selectAll(); break;
        case 1: FindNext(); break;
        case 2: FindNext(true); break;
        default: close(); break;
      }
    });
  }
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
  auto* backKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
  connect(backKey, &QShortcut::activated, browser_, &QTextBrowser::backward);
  auto* forwardKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), this);
  connect(forwardKey, &QShortcut::activated, browser_, &QTextBrowser::forward);

  const QFontMetrics fm(font());
  contents_->setMinimumWidth(fm.averageCharWidth() * 18);
  splitter->setSizes({fm.averageCharWidth() * 30, fm.averageCharWidth() * 90});
  resize(fm.averageCharWidth() * 125, fm.height() * 40);
}

CHelpWindow* CHelpWindow::Instance() {
  static QPointer<CHelpWindow> window;
  if (!window) {
    const QString folder = QFileInfo(HelpPagePath(QString::fromLatin1(kHelpGuide))).absolutePath();
    window = new CHelpWindow(folder, {QString::fromLatin1(kHelpGuide), QStringLiteral("efiling.html"),
                                      QStringLiteral("corrections.html"), QString::fromLatin1(kHelpImportW2),
                                      QString::fromLatin1(kHelpImport1099)});
    window->setAttribute(Qt::WA_DeleteOnClose);
  }
  return window;
}

bool CHelpWindow::ShowPage(const QString& page) {
  const QString file = page.section('#', 0, 0);
  const QString path = QDir(folder_).filePath(file);
  if (!QFileInfo(path).isFile()) return false;
  QUrl url = QUrl::fromLocalFile(path);
  if (page.contains('#')) url.setFragment(page.section('#', 1));
  if (browser_->source() == url) {
    // The same place again: back at it (scrolled to its section).
    if (url.hasFragment()) browser_->scrollToAnchor(url.fragment());
  } else {
    browser_->setSource(url);
  }
  show();
  raise();
  activateWindow();
  return true;
}

void CHelpWindow::OpenLink(const QUrl& url) {
  const QUrl target = browser_->source().resolved(url);
  if (target.isLocalFile() && QFileInfo(target.toLocalFile()).isFile() &&
      target.toLocalFile().endsWith(QLatin1String(".html"), Qt::CaseInsensitive)) {
    browser_->setSource(target);
    return;
  }
  if (url.scheme().isEmpty() && url.hasFragment() && url.path().isEmpty()) {
    browser_->scrollToAnchor(url.fragment());
    return;
  }
  QDesktopServices::openUrl(target);
}

void CHelpWindow::FollowSource(const QUrl& url) {
  // The contents mark the page (and section) shown.
  const QString file = QFileInfo(url.toLocalFile()).fileName();
  const QString fragment = url.fragment();
  QTreeWidgetItem* found = nullptr;
  for (int i = 0; i < contents_->topLevelItemCount() && !found; ++i) {
    QTreeWidgetItem* page = contents_->topLevelItem(i);
    if (page->data(0, kFileRole).toString() != file) continue;
    found = page;
    for (int j = 0; j < page->childCount(); ++j)
      if (!fragment.isEmpty() && page->child(j)->data(0, kFragmentRole).toString() == fragment) found = page->child(j);
  }
  const QSignalBlocker quiet(contents_);
  if (found) contents_->setCurrentItem(found);
  searchNote_->clear();
}

bool CHelpWindow::FindNext(bool backward) {
  const QString text = search_->text();
  searchNote_->clear();
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  if (browser_->find(text, flags)) return true;
  // Round from the other end of the page.
  QTextCursor cursor = browser_->textCursor();
  cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
  browser_->setTextCursor(cursor);
  if (browser_->find(text, flags)) return true;
  searchNote_->setText(tr("Not found"));
  return false;
}

}  // namespace formet
