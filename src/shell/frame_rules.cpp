#include "shell/frame_rules.h"

namespace formet {

Page PageRequests::PageFor(int item) {
  switch (item) {
    case 0: return companyInfoRequests_++ == 0 ? Page::Welcome : Page::Company;
    case 1: return Page::Employees;
    case 2: return Page::Contractors;
    case 3: return Page::W2;
    case 4: return Page::W3;
    case 5: return Page::W2c;
    case 6: return Page::Form1099;
    case 7: return Page::Form1096;
    default: return Page::Review;
  }
}

bool PageRequests::RefreshesOnShow(Page page) {
  return page == Page::W2 || page == Page::W3 || page == Page::W2c || page == Page::Form1099 || page == Page::Form1096 ||
         page == Page::Review;
}

}  // namespace formet
