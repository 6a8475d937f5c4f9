#include "shell/ui/page_factory.h"

#include <QLabel>
#include <QVBoxLayout>

#include "forms/1099/ui/form1096_view.h"
#include "forms/1099/ui/form1099_view.h"
#include "forms/ui/review_page.h"
#include "forms/w2/ui/w2_view.h"
#include "forms/w2/ui/w2c_view.h"
#include "forms/w2/ui/w3_view.h"
#include "kit/ui/help.h"
#include "records/ui/company_page.h"
#include "records/ui/contractor_page.h"
#include "records/ui/employee_page.h"
#include "shell/ui/art/program_art.h"

namespace formet {

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
    if (link == QLatin1String("guide")) OpenHelpPageInBrowser(QString::fromLatin1(kHelpGuide), this);
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
    case Page::W2c: return new CW2cView(doc, ui, parent);
    case Page::Form1099: return new C1099View(doc, ui, parent);
    case Page::Form1096: return new C1096View(doc, ui, parent);
    case Page::Review: return new CReviewPage(doc, ui, parent);
    case Page::W4: return new CTitledPage(doc, QObject::tr("W4 Form"), {}, parent);
  }
  return nullptr;
}

void ConnectPages(const std::array<CPage*, kPageCount>& pages) {
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
