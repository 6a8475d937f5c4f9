// formet-make-icons <folder>: the program's emblem as the icon files of the
// desktop's menus (<folder>/<size>x<size>/apps/formet.png), painted by the
// same code as the window icon. Run by the build.
#include <QGuiApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>

#include <cstdio>

#include "shell/ui/art/program_art.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: formet-make-icons <folder>\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  for (const int size : formet::art::kDesktopIconSizes) {
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    if (!out.mkpath(folder)) return 1;
    const QString file = out.filePath(folder + QStringLiteral("/formet.png"));
    if (!formet::art::ProgramIcon().pixmap(QSize(size, size)).save(file)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
