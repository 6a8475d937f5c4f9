#include "app/ui/pages.h"

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#include "app/ui/art/program_art.h"
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
  const QString site = QString::fromLatin1(kVendorSite);
  auto* links = new QLabel(this);
  links->setTextFormat(Qt::RichText);
  links->setAlignment(Qt::AlignHCenter);
  links->setText(QString("<p style='line-height:150%'>"
                         "<a href='%1'>Formet on the Web</a> &nbsp;&nbsp;|&nbsp;&nbsp; "
                         "<a href='%1%2'>Order W2 Forms and Envelopes</a> &nbsp;&nbsp;|&nbsp;&nbsp; "
                         "<a href='%1%3'>Order 1099 Forms and Envelopes</a></p>")
                     .arg(site, QString::fromLatin1(kOrderW2Path), QString::fromLatin1(kOrder1099Path)));
  links->setTextInteractionFlags(Qt::TextBrowserInteraction);
  connect(links, &QLabel::linkActivated, this, [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
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
