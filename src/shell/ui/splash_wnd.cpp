#include "shell/ui/splash_wnd.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QPainter>

#include "shell/ui/art/program_art.h"

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
  // Centred on the screen of the main window: the window may not have its
  // final (maximised) size yet, the screen has.
  QScreen* screen = over_ ? over_->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), size());
  move(area.center() - rect().center());
  show();
  raise();
  qApp->installEventFilter(this);
  timer_.start(kShowMilliseconds);
}

void CSplashWnd::paintEvent(QPaintEvent*) {
  // Painted at the screen's device pixel ratio, never a scaled bitmap.
  QPainter painter(this);
  art::PaintSplash(painter);
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      // The key that ends the splash does nothing else, nor do the keys
      // pressed with it (Ctrl, then N): until it is released every key is
      // kept from the shortcuts (a shortcut override accepted here) and from
      // the widgets.
      auto* key = static_cast<QKeyEvent*>(event);
      if (!done_) swallowedKey_ = key->key();
      if (event->type() == QEvent::ShortcutOverride) event->accept();
      Finish();
      if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat() && key->key() == swallowedKey_) Release();
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
      if (done_) return QObject::eventFilter(watched, event);
      Finish();
      return true;  // the press only ends the splash
    default:
      return QObject::eventFilter(watched, event);
  }
}

void CSplashWnd::Finish() {
  if (done_) return;
  done_ = true;
  timer_.stop();
  hide();
  if (over_) over_->update();
  // With a key held, the filter stays until that key is released (or, should
  // the release never come, for a moment).
  if (swallowedKey_ == 0) Release();
  else QTimer::singleShot(kKeyReleaseMilliseconds, this, &CSplashWnd::Release);
  emit finished();
}

void CSplashWnd::closeEvent(QCloseEvent* event) {
  // Closed from outside (the program ends): it stops watching at once, not
  // only when it is deleted later.
  timer_.stop();
  qApp->removeEventFilter(this);
  QWidget::closeEvent(event);
}

void CSplashWnd::Release() {
  qApp->removeEventFilter(this);
  close();
}

}  // namespace formet
