#pragma once
// The splash picture shown at start-up: it closes after one second, or at
// once when a key or a mouse button is pressed anywhere in the program.
#include <QTimer>
#include <QWidget>

namespace formet {

class CSplashWnd : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kShowMilliseconds = 1000;
  static constexpr int kKeyReleaseMilliseconds = 2000;
  explicit CSplashWnd(QWidget* over = nullptr);
  ~CSplashWnd() override;
  void ShowCentred();

 signals:
  void finished();

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Finish();
  void Release();  // the event filter removed; the window goes
  QWidget* over_;
  QTimer timer_;
  bool done_ = false;
  int swallowedKey_ = 0;  // the key that ended the splash, until its release
};

}  // namespace formet
