#pragma once
// The main window's page table and the commands of its menus.

namespace formet {

// The pages of the page area, in the order the navigation bar's items name
// them; the W-4 page is created and never shown.
enum class Page { Welcome, Company, Employees, Contractors, W2, W3, W2c, Form1099, Form1096, Review, W4 };
inline constexpr int kPageCount = 11;

// Navigation items 0..8: "Company Info", "Employees", "Contractors",
// "W2 Forms", "W3 Form", "W2c Forms", "1099 Forms", "1096 Form", "Review".
inline constexpr int kNavigationItems = 9;

// Which page a request for a navigation item shows. The first request for
// item 0 shows the welcome page, every later one the company page.
class PageRequests {
 public:
  Page PageFor(int item);
  // The form pages refresh from the document after they are shown.
  static bool RefreshesOnShow(Page page);

 private:
  int companyInfoRequests_ = 0;
};

// Command identifiers of the menus.
namespace command {
inline constexpr int kNewCompany = 32778;
inline constexpr int kOpenCompany = 32779;
inline constexpr int kSaveCompany = 32780;
inline constexpr int kDeleteCompany = 32789;
inline constexpr int kExit = 57665;
inline constexpr int kImportClients = 32794;
inline constexpr int kPassword = 32793;
inline constexpr int kImportW2 = 32799;
inline constexpr int kImport1099 = 32801;
inline constexpr int kHelp = 32782;
inline constexpr int kWeb = 32783;
inline constexpr int kAbout = 32784;
inline constexpr int kAppAbout = 57664;
inline constexpr int kOrderW2 = 32808;
inline constexpr int kOrder1099 = 32809;
inline constexpr int kEFileW2 = 32810;
inline constexpr int kEFile1099 = 32811;
inline constexpr int kEFileW2c = 32812;
inline constexpr int kEFile1099c = 32813;
}  // namespace command

// The official paper forms (the red-ink copies filed on paper) come from the
// tax agency; both order commands open its page for ordering them.
inline constexpr const char* kOrderFormsPage =
    "https://www.irs.gov/businesses/online-ordering-for-information-returns-and-employer-returns";
inline constexpr const char* kVersionText = "4.0.11";

}  // namespace formet
