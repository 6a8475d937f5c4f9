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
  explicit CSplashWnd(QWidget* over = nullptr);
  ~CSplashWnd() override;
  void ShowCentred();

 signals:
  void finished();

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Finish();
  QWidget* over_;
  QTimer timer_;
  bool done_ = false;
};

}  // namespace formet
