#include "app/ui/splash_wnd.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

#include "app/ui/art/program_art.h"

namespace formet {

CSplashWnd::CSplashWnd(QWidget* over)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), over_(over) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(art::kSplashSize);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &CSplashWnd::Finish);
}

CSplashWnd::~CSplashWnd() { qApp->removeEventFilter(this); }

void CSplashWnd::ShowCentred() {
  const QRect area = over_ ? over_->geometry() : QRect(QPoint(0, 0), size());
  move(area.center() - rect().center());
  show();
  raise();
  qApp->installEventFilter(this);
  timer_.start(kShowMilliseconds);
}

void CSplashWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, art::SplashPicture());
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
      Finish();
      return event->type() != QEvent::ShortcutOverride;  // the press only ends the splash
    default:
      return QObject::eventFilter(watched, event);
  }
}

void CSplashWnd::Finish() {
  if (done_) return;
  done_ = true;
  timer_.stop();
  qApp->removeEventFilter(this);
  close();
  if (over_) over_->update();
  emit finished();
}

}  // namespace formet
