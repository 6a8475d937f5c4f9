#pragma once
// The program's own help window: the HTML pages of the user's guide in a
// text browser, with the guide's contents beside it (each page and its
// sections), Back and Forward, and a search of the page shown. Links
// between the guide's pages stay in the window; links to the web go to the
// desktop's browser. One window serves the whole program.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace formet {

// One entry of the guide's contents: a page or one of its sections.
struct HelpTopic {
  QString title;
  QString file;      // the page's file name, e.g. "formet2007.html"
  QString fragment;  // the section's id; empty for the page itself
  QList<HelpTopic> sections;
};

// The contents of the guide in `folder`: the pages in `files` that exist, in
// that order, each titled by its <title> and holding its <h2 id="..."> sections.
QList<HelpTopic> ReadHelpContents(const QString& folder, const QStringList& files);

class CHelpWindow : public QWidget {
  Q_OBJECT
 public:
  // The pages of the guide in `folder`, the contents listing `files`.
  CHelpWindow(const QString& folder, const QStringList& files, QWidget* parent = nullptr);

  // The window of the program, made on first use over the guide's folder.
  static CHelpWindow* Instance();
  // Shows a page ("formet2007.html" or "formet2007.html#password") and
  // raises the window. False when the page is not in the guide's folder.
  bool ShowPage(const QString& page);

  QTextBrowser* Browser() const { return browser_; }
  QTreeWidget* Contents() const { return contents_; }
  QLineEdit* SearchBox() const { return search_; }
  QToolButton* BackButton() const { return back_; }
  QToolButton* ForwardButton() const { return forward_; }
  // Finds the search box's text in the page shown, from the selection on
  // (wrapping round at the end); false when the page does not hold it.
  bool FindNext(bool backward = false);

 private:
  void OpenLink(const QUrl& url);
  void FollowSource(const QUrl& url);

  QString folder_;
  QTreeWidget* contents_;
  QTextBrowser* browser_;
  QLineEdit* search_;
  QLabel* searchNote_;
  QToolButton* back_;
  QToolButton* forward_;
};

}  // namespace formet
