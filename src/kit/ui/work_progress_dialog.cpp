#include "kit/ui/work_progress_dialog.h"

#include <QCoreApplication>
#include <algorithm>

#include "kit/ui/qt_text.h"

namespace formet {

CWorkProgressDlg::CWorkProgressDlg(QWidget* parent, const QString& caption)
    : QProgressDialog(QString(), QObject::tr("Cancel"), 0, 1000, parent) {
  setObjectName(QStringLiteral("WorkProgress"));
  setWindowTitle(caption);
  setWindowModality(Qt::WindowModal);
  setMinimumDuration(0);
  setAutoClose(false);
  setAutoReset(false);
  setMinimumWidth(fontMetrics().averageCharWidth() * 52);
  setValue(0);
  show();  // the work is long: the window shows at once
  clock_.start();
}

void CWorkProgressDlg::Step(size_t done, size_t total, const std::string& doing) {
  // Each stage (loading, then saving) has its own pace.
  if (total != total_) {
    total_ = total;
    clock_.restart();
  }
  // The bar counts in thousandths, whatever the number of steps.
  const int value = total == 0 ? 1000 : static_cast<int>(std::min<size_t>(done, total) * 1000 / total);
  const std::string left = TimeLeftText(static_cast<double>(clock_.elapsed()) / 1000.0, done, total);
  setLabelText(left.empty() ? ToQt(doing) : ToQt(doing) + QStringLiteral("\n") + ToQt(left));
  setValue(value);
  QCoreApplication::processEvents();
}

}  // namespace formet
