#pragma once
// Presses Cancel in the progress window of long work, as the user does, once
// its text says what `when` looks for; counts the windows seen. It looks at
// the window whenever the window handles an event (the work processes them
// at each step).
#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <functional>

namespace formet::test {

class CancelProgress : public QObject {
 public:
  explicit CancelProgress(std::function<bool(const QString& label)> when) : when_(std::move(when)) {
    qApp->installEventFilter(this);
  }
  ~CancelProgress() override { qApp->removeEventFilter(this); }

  int seen = 0;       // progress windows shown
  int cancelled = 0;  // Cancel pressed
  QString lastLabel;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* progress = widget ? qobject_cast<QProgressDialog*>(widget->window()) : nullptr;
    if (progress && progress->isVisible() && !looking_) {
      looking_ = true;
      Look(progress);
      looking_ = false;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Look(QProgressDialog* progress) {
    if (progress != last_) {
      last_ = progress;
      ++seen;
    }
    lastLabel = progress->labelText();
    if (progress->wasCanceled() || !when_(lastLabel)) return;
    if (auto* cancel = progress->findChild<QPushButton*>()) {
      cancel->click();
      ++cancelled;
    }
  }
  std::function<bool(const QString&)> when_;
  QProgressDialog* last_ = nullptr;
  bool looking_ = false;
};

}  // namespace formet::test
