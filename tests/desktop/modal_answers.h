#pragma once
// Answers the modal dialogs and message boxes a test provokes: each one that
// opens is recorded and closed with the next scripted button (or Escape).
#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace formet::test {

class ModalAnswers {
 public:
  // Each step acts on the modal widget that opened (fill fields, click OK...).
  using Step = std::function<void(QWidget*)>;

  ModalAnswers() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  void Then(Step step) { steps_.push_back(std::move(step)); }
  // A message box answered with the given button.
  void ThenButton(QMessageBox::StandardButton button) {
    Then([button](QWidget* w) {
      if (auto* box = qobject_cast<QMessageBox*>(w)) box->button(button)->click();
    });
  }

  std::vector<QString> texts;  // message box texts, or dialog titles
  std::vector<QMessageBox::Icon> icons;  // of each message box, in order
  std::vector<QMessageBox::StandardButton> defaults;  // the default button of each message box
  size_t Pending() const { return steps_.size(); }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == last_) return;
    // A progress window asks nothing: the work closes it.
    if (qobject_cast<QProgressDialog*>(modal)) return;
    // A window whose step is still running (a click that opened a message box
    // and goes on once it closed) is answered again only when the step is done.
    if (std::find(running_.begin(), running_.end(), modal) != running_.end()) return;
    last_ = modal;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      texts.push_back(box->text());
      icons.push_back(box->icon());
      defaults.push_back(box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton);
    } else {
      texts.push_back(modal->windowTitle());
    }
    // The step runs from its own event, so that a modal window it opens in
    // turn is answered by this poll (a timer does not fire inside its own
    // callback).
    Step step;
    if (!steps_.empty()) {
      step = std::move(steps_.front());
      steps_.pop_front();
    }
    QPointer<QWidget> target(modal);
    QTimer::singleShot(0, [this, step, target] {
      if (target) {
        running_.push_back(target.data());
        if (step) step(target);
        else if (auto* dialog = qobject_cast<QDialog*>(target.data())) dialog->reject();
        else target->close();
        running_.pop_back();
      }
      last_ = nullptr;
    });
  }

  QTimer timer_;
  std::deque<Step> steps_;
  QWidget* last_ = nullptr;
  std::vector<QWidget*> running_;  // the windows whose steps are on the stack
};

}  // namespace formet::test
