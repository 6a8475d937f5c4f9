#include "forms/ui/efile_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "kit/ui/help.h"
#include "kit/ui/qt_text.h"
#include "store/global_doc.h"

namespace formet {

// ---- the report ------------------------------------------------------------------

CFilingReportDlg::CFilingReportDlg(const efile::Report& report, const QString& title, bool offerToWrite,
                                   QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(title);
  const bool errors = report.HasErrors();
  auto* heading = new QLabel(this);
  heading->setWordWrap(true);
  heading->setTextFormat(Qt::PlainText);
  const QString summary = ToQt(report.Summary());
  if (errors)
    heading->setText(tr("The file was not written: %1. Please mend each error below (the place to do it is named "
                        "first), then try again.")
                         .arg(summary));
  else
    heading->setText(tr("The file can be written (%1). Please read the warnings below first.").arg(summary));

  // One row per problem, errors first; long texts wrap.
  list_ = new QTextBrowser(this);
  list_->setOpenLinks(false);
  QString html = QStringLiteral("<table cellspacing='0' cellpadding='4' width='100%'>");
  for (efile::Severity severity : {efile::Severity::Error, efile::Severity::Warning}) {
    const bool isError = severity == efile::Severity::Error;
    for (const auto& p : report.Problems()) {
      if (p.severity != severity) continue;
      html += QStringLiteral("<tr><td valign='top' style='color:%1; font-weight:bold; white-space:nowrap'>%2</td>"
                             "<td valign='top' style='font-weight:bold'>%3</td><td valign='top'>%4</td></tr>")
                  .arg(isError ? QStringLiteral("#b3261e") : QStringLiteral("#8a5a00"),
                       isError ? tr("Error") : tr("Warning"), ToQt(p.where).toHtmlEscaped(),
                       ToQt(p.what).toHtmlEscaped());
    }
  }
  html += QStringLiteral("</table>");
  list_->setHtml(html);

  auto* buttons = new QDialogButtonBox(this);
  auto* copy = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
  connect(copy, &QPushButton::clicked, this, [text = ToQt(report.Text())] {
    QApplication::clipboard()->setText(text);
  });
  if (errors || !offerToWrite) {
    auto* close = buttons->addButton(QDialogButtonBox::Close);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
  } else {
    auto* write = buttons->addButton(tr("&Write the File..."), QDialogButtonBox::AcceptRole);
    write->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  const QFontMetrics fm(font());
  resize(fm.averageCharWidth() * 110, fm.height() * 22);
}

// ---- the dialog ------------------------------------------------------------------

CEFilingDlg::CEFilingDlg(CGlobalDoc& doc, const QString& title, const QString& intro, const QString& kind,
                         const QString& helpPage, const QString& option, QWidget* parent)
    : QDialog(parent), doc_(doc), title_(title), kind_(kind), helpPage_(helpPage) {
  setWindowTitle(title);
  auto* introLabel = new QLabel(intro, this);
  introLabel->setWordWrap(true);
  introLabel->setTextFormat(Qt::PlainText);

  // The groups in a scroll area, so a small screen or a large font still
  // reaches every field.
  area_ = new QScrollArea(this);
  auto* area = area_;
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  auto* inner = new QWidget(area);
  grid_ = new QGridLayout(inner);
  grid_->setContentsMargins(0, 0, 0, 0);
  grid_->setHorizontalSpacing(14);
  grid_->setVerticalSpacing(10);
  area->setWidget(inner);

  option_ = new QCheckBox(option, this);
  auto* buttons = new QDialogButtonBox(this);
  auto* help = buttons->addButton(QDialogButtonBox::Help);
  check_ = buttons->addButton(tr("C&heck"), QDialogButtonBox::ActionRole);
  check_->setToolTip(tr("Save these fields and check every form, without writing the file"));
  create_ = buttons->addButton(tr("C&reate File..."), QDialogButtonBox::AcceptRole);
  create_->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel);
  connect(help, &QPushButton::clicked, this, [this] { OpenHelpPage(helpPage_, this); });
  connect(check_, &QPushButton::clicked, this, &CEFilingDlg::OnCheck);
  connect(create_, &QPushButton::clicked, this, &CEFilingDlg::OnCreate);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(introLabel);
  layout->addWidget(area, 1);
  layout->addWidget(option_);
  layout->addWidget(buttons);

  choosePath_ = [this](const QString& suggested) {
    return QFileDialog::getSaveFileName(this, tr("Save the %1").arg(kind_), suggested,
                                        tr("Text files (*.txt);;All files (*)"));
  };
}

void CEFilingDlg::LayOut(const std::vector<FieldLayoutEntry>& entries, std::span<const char* const> captions,
                         int leftGroups) {
  // Two columns that keep their own heights.
  auto* columns = new QHBoxLayout;
  columns->setSpacing(14);
  auto* leftColumn = new QVBoxLayout;
  auto* rightColumn = new QVBoxLayout;
  for (auto* column : {leftColumn, rightColumn}) {
    column->setSpacing(10);
    columns->addLayout(column, 1);
  }
  grid_->addLayout(columns, 0, 0);
  for (size_t g = 0; g < captions.size(); ++g) {
    auto* box = new QGroupBox(tr(captions[g]), grid_->parentWidget());
    auto* form = new QGridLayout(box);
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(6);
    int row = 0;
    for (const auto& e : entries) {
      if (static_cast<size_t>(e.group) != g) continue;
      e.control->setParent(box);
      if (e.checkBox) {
        form->addWidget(e.control, row++, 0, 1, 2);
        continue;
      }
      QLabel* label = FieldControls::Label(e.label, box);
      label->setBuddy(e.control);
      form->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
      form->addWidget(e.control, row++, 1, Qt::AlignLeft);
    }
    form->setColumnStretch(2, 1);
    (static_cast<int>(g) < leftGroups ? leftColumn : rightColumn)->addWidget(box);
  }
  leftColumn->addStretch(1);
  rightColumn->addStretch(1);
  // Room for every field without scrolling where the screen allows it.
  const QSize wanted = grid_->parentWidget()->sizeHint();
  const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
  area_->setMinimumSize(std::min(wanted.width() + 4, screen.width() * 9 / 10),
                        std::min(wanted.height() + 4, screen.height() * 7 / 10));
}

std::optional<FilingBuild> CEFilingDlg::SaveAndBuild(bool offerToWrite) {
  if (!SaveRecord()) return std::nullopt;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  FilingBuild build = Build();
  QApplication::restoreOverrideCursor();
  if (build.cancelled) return std::nullopt;
  if (!build.report.Problems().empty()) {
    CFilingReportDlg report(build.report, title_, offerToWrite, this);
    const bool goOn = report.exec() == QDialog::Accepted;
    if (build.report.HasErrors() || !goOn) return std::nullopt;
  }
  return build;
}

void CEFilingDlg::OnCheck() {
  const auto build = SaveAndBuild(false);
  if (!build || !build->report.Problems().empty()) return;
  QMessageBox::information(this, title_,
                           tr("No problems: the %1 can be written.\n\n%2").arg(kind_, ToQt(build->summary)));
}

void CEFilingDlg::OnCreate() {
  const auto build = SaveAndBuild(true);
  if (!build) return;
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  const QString path = choosePath_(QDir(folder).filePath(SuggestedFileName()));
  if (path.isEmpty()) return;
  const QByteArray native = QFile::encodeName(path);
  if (const auto problem = efile::WriteFilingFile(std::filesystem::path(native.toStdString()), build->bytes)) {
    QMessageBox::warning(this, title_, ToQt(*problem));
    return;
  }
  written_ = path;
  QMessageBox::information(this, title_,
                           tr("The %1 was written to\n%2\n\n%3\n\n%4")
                               .arg(kind_, QDir::toNativeSeparators(path), ToQt(build->summary), NextSteps()));
  accept();
}

}  // namespace formet
