#pragma once
// The prior-year client import on the desktop: the progress window with its
// task list, and the controller that runs the import on a 1 ms timer of the
// main window while the user goes on working.
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <array>
#include <filesystem>

#include "store/prior_year_import.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace formet {

class SettingsStore;

class CImportProgressWnd : public QDialog, public PriorYearProgress {
  Q_OBJECT
 public:
  enum class Mark { Pending, Current, Done };

  explicit CImportProgressWnd(QWidget* parent = nullptr);

  // What the import asks and tells.
  bool IsAsking() const override { return asking_; }
  bool CancelConfirmed() const override { return cancelConfirmed_; }
  void MarkStep(int step) override;
  void ShowCounter(int counter) override;

  Mark StepMark(int step) const { return marks_[static_cast<size_t>(step)]; }
  int ProgressValue() const;
  QString PercentText() const;
  QListWidget* TaskList() const { return tasks_; }
  QPushButton* CancelButton() const { return cancel_; }

 public slots:
  // Cancel, Escape and the window's close button ask "Are you sure you want
  // cancel?"; the window stays until the import's next tick takes the answer.
  void reject() override;

 private:
  void SetMark(int step, Mark mark);

  QListWidget* tasks_;
  QProgressBar* bar_;
  QLabel* percent_;
  QPushButton* cancel_;
  std::array<Mark, PriorYearImport::kStepCount> marks_{};
  bool asking_ = false;
  bool cancelConfirmed_ = false;
};

// Runs the import for the command Tools > "Import Clients From Tax Year
// 2006". `owner` (the main window) parents the controller, the progress
// window and the messages.
class PriorYearImportController : public QObject {
  Q_OBJECT
 public:
  static constexpr int kTimerPeriodMs = 1;

  PriorYearImportController(SettingsStore& settings, std::filesystem::path dataFolder, QWidget* owner,
                            SearchRoots roots = SearchRoots::FromEnvironment());
  ~PriorYearImportController() override;

  // Shows the progress window and starts the timer; does nothing while an
  // import runs.
  void Start();
  bool IsRunning() const { return !window_.isNull(); }
  CImportProgressWnd* Window() const { return window_.data(); }
  PriorYearImport& Import() { return import_; }
  const QTimer& Timer() const { return timer_; }

 public slots:
  // One tick of the import.
  void OnImportTimer();

 private:
  void Finish();

  QPointer<QWidget> owner_;
  PriorYearImport import_;
  QTimer timer_;
  QPointer<CImportProgressWnd> window_;
};

}  // namespace formet
