// Renders the navigation bar in a few states and the program's pictures to
// PNG files: navbar_shots <folder>.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include "shell/ui/art/program_art.h"
#include "shell/ui/navbar/program_nav_bar.h"

namespace {

void Send(QWidget& w, QEvent::Type type, const QPoint& pos, Qt::MouseButton button) {
  const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent e(type, QPointF(pos), w.mapToGlobal(QPointF(pos)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &e);
}

bool Save(const QPixmap& pix, const QDir& dir, const char* name) {
  const QString path = dir.filePath(QString::fromLatin1(name));
  if (!pix.save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

// Pictures side by side on a neutral ground, `scale` times their size.
QPixmap SideBySide(const QList<QPixmap>& parts, int scale = 1) {
  int w = 12, h = 0;
  for (const QPixmap& p : parts) {
    w += p.width() * scale + 12;
    h = std::max(h, p.height() * scale);
  }
  QPixmap out(w, h + 24);
  out.fill(QColor(214, 218, 224));
  QPainter painter(&out);
  int x = 12;
  for (const QPixmap& p : parts) {
    painter.drawPixmap(QRect(x, 12, p.width() * scale, p.height() * scale), p);
    x += p.width() * scale + 12;
  }
  return out;
}

void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

QPixmap Shoot(formet::CGfxOutBarCtrl& bar) {
  QCoreApplication::processEvents();
  return bar.grab();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
  QDir().mkpath(dir.path());
  bool ok = true;
  QList<QPixmap> states;
  QList<QPixmap> frames;

  {
    formet::CGfxOutBarCtrl bar(formet::kProgramNavBarFlags);
    formet::ConfigureProgramNavBar(bar);
    bar.resize(160, 560);
    bar.show();
    states.append(Shoot(bar));
    ok &= Save(states.back(), dir, "navbar.png");
    // Hover over "Employees", then hold the button on "W2 Forms".
    Send(bar, QEvent::MouseMove, bar.GetIconRect(1).center(), Qt::NoButton);
    ok &= Save(Shoot(bar), dir, "navbar-hover.png");
    frames.append(Shoot(bar).copy(bar.GetIconRect(1).adjusted(-24, -8, 24, 30)));
    Send(bar, QEvent::MouseMove, bar.GetIconRect(3).center(), Qt::NoButton);
    Send(bar, QEvent::MouseButtonPress, bar.GetIconRect(3).center(), Qt::LeftButton);
    ok &= Save(Shoot(bar), dir, "navbar-pressed.png");
    frames.append(Shoot(bar).copy(bar.GetIconRect(3).adjusted(-24, -8, 24, 30)));
    Send(bar, QEvent::MouseButtonRelease, bar.GetIconRect(3).center(), Qt::LeftButton);
  }
  {
    formet::CGfxOutBarCtrl bar(formet::kProgramNavBarFlags);
    formet::ConfigureProgramNavBar(bar);
    bar.resize(160, 220);
    bar.show();
    states.append(Shoot(bar));
    ok &= Save(states.back(), dir, "navbar-short.png");
    // Two ticks of the down arrow: both arrows show.
    auto* timer = bar.findChild<QTimer*>(QStringLiteral("scrollRepeatTimer"));
    Send(bar, QEvent::MouseButtonPress, bar.GetDownArrowRect().center(), Qt::LeftButton);
    ok &= Save(Shoot(bar), dir, "navbar-short-pressed.png");
    for (int i = 0; i < 2; ++i) {
      QTimerEvent tick(timer->timerId());
      QCoreApplication::sendEvent(timer, &tick);
    }
    Send(bar, QEvent::MouseButtonRelease, bar.GetDownArrowRect().center(), Qt::LeftButton);
    states.append(Shoot(bar));
    ok &= Save(states.back(), dir, "navbar-short-scrolled.png");
  }
  {
    // Several folders, small icons: the general layout.
    formet::CGfxOutBarCtrl bar(formet::kProgramNavBarFlags | formet::CGfxOutBarCtrl::fSmallIcon);
    bar.SetBackgroundColor(QColor(255, 249, 248));
    bar.SetIconList(formet::art::NavIcons(), formet::CGfxOutBarCtrl::fLargeIconList);
    const char* names[] = {"Shortcuts", "Forms", "Tools"};
    for (const char* name : names) bar.AppendFolder(QString::fromLatin1(name), 0);
    for (int i = 0; i < formet::art::kNavIconCount; ++i)
      bar.InsertFolderItem(1, -1, QStringLiteral("Icon %1").arg(i), i);
    bar.resize(160, 300);
    bar.show();
    Wait(100);
    bar.SelectFolder(1);
    // Partway through the folder animation, back again, then at the end.
    Wait(50);
    ok &= Save(bar.grab(), dir, "navbar-folder-sliding.png");
    bar.SelectFolder(0);
    Wait(50);
    ok &= Save(bar.grab(), dir, "navbar-folder-sliding-back.png");
    bar.SelectFolder(1);
    Wait(400);
    states.append(Shoot(bar));
    ok &= Save(states.back(), dir, "navbar-folders-small.png");
  }
  ok &= Save(SideBySide(states), dir, "navbar-states.png");
  ok &= Save(SideBySide(frames, 3), dir, "navbar-frames-3x.png");

  ok &= Save(formet::art::SplashPicture(), dir, "splash.png");
  ok &= Save(formet::art::WelcomePicture(), dir, "welcome.png");
  ok &= Save(formet::art::AboutPicture(), dir, "about.png");
  ok &= Save(formet::art::NavIconStrip(), dir, "icons.png");
  {
    // The icons at four times their size, to judge the drawing.
    QPixmap big(8 * 136 - 8, 128);
    big.fill(QColor(255, 249, 248));
    QPainter p(&big);
    for (int i = 0; i < formet::art::kNavIconCount; ++i)
      p.drawPixmap(i * 136, 0, formet::art::NavIcons()[i].scaled(128, 128, Qt::KeepAspectRatio, Qt::FastTransformation));
    p.drawPixmap(7 * 136, 0, formet::art::NavIcon(0, 128));
    p.end();
    ok &= Save(big, dir, "icons-4x.png");
  }
  return ok ? 0 : 1;
}
