#pragma once
// The desktop's progress window for long work: what is being done, the time
// left, a bar and Cancel. The window under it keeps repainting while it is
// open.
#include <QElapsedTimer>
#include <QProgressDialog>

#include "store/work_progress.h"

namespace formet {

class CWorkProgressDlg : public QProgressDialog, public WorkProgress {
 public:
  CWorkProgressDlg(QWidget* parent, const QString& caption);

  void Step(size_t done, size_t total, const std::string& doing) override;
  bool Cancelled() const override { return wasCanceled(); }

 private:
  QElapsedTimer clock_;
  size_t total_ = 0;
};

}  // namespace formet
