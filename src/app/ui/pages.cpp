#include "app/ui/pages.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <QVBoxLayout>

#include "app/ui/art/program_art.h"
#include "app/ui/help.h"
#include "forms/1099/ui/form1096_view.h"
#include "forms/1099/ui/form1099_view.h"
#include "forms/w2/ui/w2_view.h"
#include "forms/w2/ui/w3_view.h"
#include "records/ui/company_page.h"
#include "records/ui/contractor_page.h"
#include "records/ui/employee_page.h"

namespace formet {

CPage::CPage(CGlobalDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(255, 255, 255));
  setPalette(p);
}

CFittingScrollArea::CFittingScrollArea(QWidget* content, QWidget* parent) : QScrollArea(parent) {
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
  setWidget(content);
  viewport()->setAutoFillBackground(false);
  content->setAutoFillBackground(false);
}

QSize CFittingScrollArea::sizeHint() const {
  const QSize content = widget() ? widget()->sizeHint() : QSize();
  const int frame = 2 * frameWidth();
  return content + QSize(frame, frame);
}

CArtView::CArtView(Paint paint, QSize size, bool shrinks, QWidget* parent)
    : QWidget(parent), paint_(paint), size_(size), shrinks_(shrinks) {
  QSizePolicy policy(shrinks ? QSizePolicy::Preferred : QSizePolicy::Fixed,
                     shrinks ? QSizePolicy::Preferred : QSizePolicy::Fixed);
  policy.setHeightForWidth(shrinks);
  setSizePolicy(policy);
}

QSize CArtView::minimumSizeHint() const {
  if (!shrinks_) return size_;
  return QSize(size_.width() / 3, heightForWidth(size_.width() / 3));
}

int CArtView::heightForWidth(int width) const {
  if (!shrinks_ || width >= size_.width()) return size_.height();
  return size_.height() * width / std::max(size_.width(), 1);
}

void CArtView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const qreal scale = shrinks_ ? std::min(1.0, static_cast<qreal>(width()) / size_.width()) : 1.0;
  p.translate((width() - size_.width() * scale) / 2, 0);
  p.scale(scale, scale);
  paint_(p);
}

CTitledPage::CTitledPage(CGlobalDoc& doc, const QString& title, const QString& note, QWidget* parent)
    : CPage(doc, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 16);
  auto* heading = new QLabel(title, this);
  QFont f = heading->font();
  f.setPointSizeF(f.pointSizeF() * 1.6);
  f.setBold(true);
  heading->setFont(f);
  heading->setStyleSheet("color: #1f3b5c;");
  layout->addWidget(heading);
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setStyleSheet("color: #c9d3de;");
  layout->addWidget(rule);
  if (!note.isEmpty()) {
    auto* text = new QLabel(note, this);
    text->setWordWrap(true);
    text->setStyleSheet("color: #4a5866;");
    layout->addWidget(text);
  }
  layout->addStretch(1);
}

CWelcomeScreen::CWelcomeScreen(CGlobalDoc& doc, QWidget* parent) : CPage(doc, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 24, 24, 24);
  layout->addWidget(new CArtView(art::PaintWelcome, art::kWelcomeSize, true, this));
  // The project's own page is its guide until it has a site; forms are
  // ordered from the tax agency.
  auto* links = new QLabel(this);
  links->setTextFormat(Qt::RichText);
  links->setAlignment(Qt::AlignHCenter);
  links->setText(QStringLiteral("<p style='line-height:150%'>"
                                "<a href='guide'>Formet on the Web</a> &nbsp;&nbsp;|&nbsp;&nbsp; "
                                "<a href='order-w2'>Order W2 Forms and Envelopes</a> &nbsp;&nbsp;|&nbsp;&nbsp; "
                                "<a href='order-1099'>Order 1099 Forms and Envelopes</a></p>"));
  links->setTextInteractionFlags(Qt::TextBrowserInteraction);
  links->setWordWrap(true);  // a narrow window puts the links on two lines
  connect(links, &QLabel::linkActivated, this, [this](const QString& link) {
    if (link == QLatin1String("guide")) OpenHelpPage(QString::fromLatin1(kHelpGuide), this);
    else OpenWebPage(QString::fromLatin1(kOrderFormsPage), this);
  });
  layout->addWidget(links);
  layout->addStretch(1);
}

CPage* CreatePage(Page page, CGlobalDoc& doc, UiServices& ui, QWidget* parent) {
  switch (page) {
    case Page::Welcome: return new CWelcomeScreen(doc, parent);
    case Page::Company: return new CCompanyView(doc, ui, parent);
    case Page::Employees: return new CEmployeeView(doc, ui, parent);
    case Page::Contractors: return new CContractorView(doc, ui, parent);
    case Page::W2: return new CW2View(doc, ui, parent);
    case Page::W3: return new CW3View(doc, ui, parent);
    case Page::Form1099: return new C1099View(doc, ui, parent);
    case Page::Form1096: return new C1096View(doc, ui, parent);
    case Page::W4: return new CTitledPage(doc, QObject::tr("W4 Form"), {}, parent);
  }
  return nullptr;
}

void ConnectPages(const std::array<CPage*, 9>& pages) {
  auto* employees = static_cast<CEmployeeView*>(pages[static_cast<size_t>(Page::Employees)]);
  auto* contractors = static_cast<CContractorView*>(pages[static_cast<size_t>(Page::Contractors)]);
  auto* w2 = static_cast<CW2View*>(pages[static_cast<size_t>(Page::W2)]);
  auto* form1099 = static_cast<C1099View*>(pages[static_cast<size_t>(Page::Form1099)]);
  // Adding or deleting a payee adds or deletes its form through the form's page.
  employees->SetW2Page(&w2->Rules());
  contractors->SetFormPage(&form1099->Rules());
  // Next and Previous follow the order the payee pages show.
  w2->Rules().SetOrder(employees->DisplayOrder());
  form1099->Rules().SetOrder(contractors->DisplayOrder());
}

}  // namespace formet
