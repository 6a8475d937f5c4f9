#include "app/ui/pages.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/ui/art/program_art.h"
#include "app/ui/help.h"
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

CTitledPage::CTitledPage(CGlobalDoc& doc, const QString& title, const QString& note, QWidget* parent)
    : CPage(doc, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(28, 24, 28, 24);
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
  auto* picture = new QLabel(this);
  picture->setPixmap(art::WelcomePicture());
  picture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  layout->addWidget(picture);
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
  connect(links, &QLabel::linkActivated, this, [this](const QString& link) {
    if (link == QLatin1String("guide")) OpenHelpPage(QString::fromLatin1(kHelpGuide), this);
    else OpenWebPage(QString::fromLatin1(kOrderFormsPage), this);
  });
  layout->addWidget(links);
  layout->addStretch(1);
}

CPage* CreatePage(Page page, CGlobalDoc& doc, UiServices& ui, QWidget* parent) {
  const QString soon;  // pages whose content comes with their subsystem show their title
  switch (page) {
    case Page::Welcome: return new CWelcomeScreen(doc, parent);
    case Page::Company: return new CCompanyView(doc, ui, parent);
    case Page::Employees: return new CEmployeeView(doc, ui, parent);
    case Page::Contractors: return new CContractorView(doc, ui, parent);
    case Page::W2: return new CTitledPage(doc, QObject::tr("W2 Forms"), soon, parent);
    case Page::W3: return new CTitledPage(doc, QObject::tr("W3 Form"), soon, parent);
    case Page::Form1099: return new CTitledPage(doc, QObject::tr("1099 Forms"), soon, parent);
    case Page::Form1096: return new CTitledPage(doc, QObject::tr("1096 Form"), soon, parent);
    case Page::W4: return new CTitledPage(doc, QObject::tr("W4 Form"), {}, parent);
  }
  return nullptr;
}

}  // namespace formet
