#pragma once
// Catches the addresses the program hands to the desktop (help pages, web
// pages) instead of starting a browser.
#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

namespace formet::test {

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  UrlCatcher() {
    for (const char* scheme : {"file", "http", "https"}) QDesktopServices::setUrlHandler(scheme, this, "Open");
  }
  ~UrlCatcher() override {
    for (const char* scheme : {"file", "http", "https"}) QDesktopServices::unsetUrlHandler(scheme);
  }
  QList<QUrl> urls;

 public slots:
  void Open(const QUrl& url) { urls << url; }
};

}  // namespace formet::test
