#include "kit/ui/help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include "kit/ui/help_window.h"
#include "store/data_folder.h"

namespace formet {
namespace {

const QString kCaption = QStringLiteral("Formet (2007)");

QString FileOf(const QString& page) { return page.section('#', 0, 0); }

}  // namespace

QString HelpPagePath(const QString& page) {
  return QString::fromStdString((ProgramFolder() / FileOf(page).toStdString()).string());
}

namespace {

bool HelpPageInstalled(const QString& page, QWidget* parent) {
  const QString path = HelpPagePath(page);
  if (QFileInfo(path).isFile()) return true;
  QMessageBox::warning(parent, kCaption,
                       QObject::tr("The help page %1 could not be found.\n\nIt belongs in the folder of the "
                                   "program: %2")
                           .arg(FileOf(page), QFileInfo(path).absolutePath()));
  return false;
}

}  // namespace

bool OpenHelpPage(const QString& page, QWidget* parent) {
  if (!HelpPageInstalled(page, parent)) return false;
  return CHelpWindow::Instance()->ShowPage(page);
}

bool OpenHelpPageInBrowser(const QString& page, QWidget* parent) {
  if (!HelpPageInstalled(page, parent)) return false;
  const QString path = HelpPagePath(page);
  QUrl url = QUrl::fromLocalFile(path);
  if (page.contains('#')) url.setFragment(page.section('#', 1));
  if (QDesktopServices::openUrl(url)) return true;
  QMessageBox::warning(parent, kCaption,
                       QObject::tr("No program of this desktop could show the help page %1.").arg(path));
  return false;
}

bool OpenWebPage(const QString& url, QWidget* parent) {
  if (QDesktopServices::openUrl(QUrl(url))) return true;
  QMessageBox::warning(parent, kCaption, QObject::tr("No web browser of this desktop could open %1.").arg(url));
  return false;
}

}  // namespace formet
