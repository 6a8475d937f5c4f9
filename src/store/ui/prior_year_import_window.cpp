#include "store/ui/prior_year_import_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "kit/ui/qt_text.h"

namespace formet {
namespace {

const QString kCaption = QStringLiteral("Formet (2007)");

// The state marks of the task list: an empty ring for a step still to come,
// an arrow for the step under way, a tick for a step done.
QIcon MarkIcon(CImportProgressWnd::Mark mark) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (mark) {
    case CImportProgressWnd::Mark::Pending:
      p.setPen(QPen(QColor(160, 160, 160), 1.5));
      p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
      break;
    case CImportProgressWnd::Mark::Current: {
      QPainterPath arrow;
      arrow.moveTo(4, 2);
      arrow.lineTo(13, 8);
      arrow.lineTo(4, 14);
      arrow.closeSubpath();
      p.fillPath(arrow, QColor(30, 90, 200));
      break;
    }
    case CImportProgressWnd::Mark::Done:
      p.setPen(QPen(QColor(20, 140, 40), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
      break;
  }
  return QIcon(pixmap);
}

}  // namespace

CImportProgressWnd::CImportProgressWnd(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Import Clients From Tax Year 2006"));
  setModal(false);
  tasks_ = new QListWidget(this);
  tasks_->setSelectionMode(QAbstractItemView::NoSelection);
  tasks_->setFocusPolicy(Qt::NoFocus);
  for (const char* caption : PriorYearImport::kCaptions) tasks_->addItem(ToQt(caption));
  bar_ = new QProgressBar(this);
  bar_->setRange(0, PriorYearImport::kLastTick);
  bar_->setTextVisible(false);
  percent_ = new QLabel(this);
  percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 4);
  percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  cancel_ = new QPushButton(tr("Cancel"), this);
  connect(cancel_, &QPushButton::clicked, this, &CImportProgressWnd::reject);

  auto* progress = new QHBoxLayout;
  progress->addWidget(bar_, 1);
  progress->addWidget(percent_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tasks_);
  layout->addLayout(progress);
  layout->addLayout(buttons);

  for (int step = 0; step < PriorYearImport::kStepCount; ++step) SetMark(step, step == 0 ? Mark::Current : Mark::Pending);
  // Every step whole, with its mark, in the current step's bold type.
  QFont bold = tasks_->font();
  bold.setBold(true);
  const QFontMetrics boldMetrics(bold);
  int width = 0, height = 2 * tasks_->frameWidth() + 4;
  for (int step = 0; step < PriorYearImport::kStepCount; ++step) {
    width = std::max(width, boldMetrics.horizontalAdvance(tasks_->item(step)->text()));
    height += std::max(tasks_->sizeHintForRow(step), boldMetrics.height() + 4);
  }
  tasks_->setMinimumWidth(width + tasks_->style()->pixelMetric(QStyle::PM_SmallIconSize) + 48);
  tasks_->setFixedHeight(height);
  ShowCounter(0);
}

void CImportProgressWnd::SetMark(int step, Mark mark) {
  marks_[static_cast<size_t>(step)] = mark;
  auto* item = tasks_->item(step);
  item->setIcon(MarkIcon(mark));
  QFont font = item->font();
  font.setBold(mark == Mark::Current);
  item->setFont(font);
}

void CImportProgressWnd::MarkStep(int step) {
  if (step < 0 || step >= PriorYearImport::kStepCount) return;
  for (int i = 0; i < PriorYearImport::kStepCount; ++i)
    SetMark(i, i < step ? Mark::Done : i == step ? Mark::Current : Mark::Pending);
}

void CImportProgressWnd::ShowCounter(int counter) {
  // Copying many files moves the counter past the end of the bar.
  const int value = std::clamp(counter, 0, PriorYearImport::kLastTick);
  bar_->setValue(value);
  percent_->setText(QStringLiteral("%1%").arg(value));
}

int CImportProgressWnd::ProgressValue() const { return bar_->value(); }

QString CImportProgressWnd::PercentText() const { return percent_->text(); }

void CImportProgressWnd::reject() {
  if (asking_ || cancelConfirmed_) return;
  asking_ = true;
  const auto answer = QMessageBox::question(this, kCaption, tr("Are you sure you want cancel?"),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  asking_ = false;
  if (answer == QMessageBox::Yes) cancelConfirmed_ = true;
}

PriorYearImportController::PriorYearImportController(SettingsStore& settings, std::filesystem::path dataFolder,
                                                     QWidget* owner, SearchRoots roots)
    : QObject(owner), owner_(owner), import_(settings, std::move(dataFolder), std::move(roots)) {
  timer_.setInterval(kTimerPeriodMs);
  connect(&timer_, &QTimer::timeout, this, &PriorYearImportController::OnImportTimer);
}

PriorYearImportController::~PriorYearImportController() {
  timer_.stop();
  delete window_.data();
}

void PriorYearImportController::Start() {
  if (window_) return;
  window_ = new CImportProgressWnd(owner_.data());
  import_.Start();
  window_->show();
  timer_.start();
}

void PriorYearImportController::Finish() {
  timer_.stop();
  if (auto* window = window_.data()) {
    window_.clear();
    window->hide();
    window->deleteLater();
  }
}

void PriorYearImportController::OnImportTimer() {
  if (!window_) return;
  const auto result = import_.Tick(*window_);
  switch (result.outcome) {
    case PriorYearImport::Outcome::Running:
      return;
    case PriorYearImport::Outcome::Idle:
    case PriorYearImport::Outcome::Cancelled:
      Finish();
      return;
    case PriorYearImport::Outcome::Failed:
      Finish();
      QMessageBox::critical(owner_.data(), kCaption, ToQt(result.message));
      return;
    case PriorYearImport::Outcome::Succeeded:
      Finish();
      QMessageBox::information(owner_.data(), kCaption, ToQt(result.message));
      return;
  }
}

}  // namespace formet
