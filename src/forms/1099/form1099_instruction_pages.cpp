// The pages printed on the back of the 1099-MISC copies: the instructions for
// the recipient (Copy B) and for the payer (Copy C).
#include "forms/1099/form1099_pictures.h"
#include "forms/print/instruction_page.h"

namespace formet {
namespace {

using K = FlowParagraph::Kind;

InstructionPage Form1099Page(const char* file, const char* title) {
  InstructionPage page;
  page.file = file;
  page.title = title;
  page.width = 1980;
  page.height = 1370;
  page.footer = "Form 1099-MISC (2007)";
  return page;
}

InstructionPage InstructionsForRecipient() {
  InstructionPage page = Form1099Page("6.qff", "Form 1099-MISC, back of Copy B: Instructions for Recipient");
  page.heading = "Instructions for Recipient";
  page.paragraphs = {
      {K::Body, "Account number.",
       "May show an account or other unique number the payer gave you to tell your accounts apart."},
      {K::Body, "Amounts shown may be subject to self-employment (SE) tax.",
       "If your net earnings from self-employment are $400 or more, you must file a return and figure your SE "
       "tax on Schedule SE (Form 1040); see Publication 334, Tax Guide for Small Business. If no income, social "
       "security or Medicare tax was withheld and you still receive these payments, see Form 1040-ES, "
       "Estimated Tax for Individuals. Individuals report the amounts as set out below; corporations, "
       "fiduciaries and partnerships report them on the proper lines of their own returns."},
      {K::Body, "Boxes 1 and 2.",
       "Report rents from real estate on Schedule E (Form 1040); use Schedule C instead if you gave the tenant "
       "significant services, sold real estate as a business, or rented personal property as a business. "
       "Report royalties from oil, gas or mineral properties, copyrights and patents on Schedule E; for "
       "royalties on timber, coal and iron ore, see Publication 544. Payments for a working interest are "
       "reported as explained for box 7."},
      {K::Body, "Box 3.",
       "Generally report this amount on the \u201cOther income\u201d line of Form 1040 and say what it is. It "
       "may be a prize, an award, punitive damages or other taxable income. If it is income of your trade or "
       "business, report it on Schedule C or F."},
      {K::Body, "Box 4.",
       "Federal income tax withheld, for example backup withholding at 28% because you did not give the payer "
       "your correct taxpayer identification number. Include it on your return as tax withheld."},
      {K::Body, "Box 5.",
       "Your share of the catch, or of its proceeds, as a crew member of a fishing boat. Report it on Schedule C "
       "(Form 1040); see Publication 334."},
      {K::Body, "Box 6.",
       "Payments made to you as a physician or other provider of medical or health care services. Report them "
       "on Schedule C or C-EZ (Form 1040)."},
      {K::Body, "Box 7.",
       "Nonemployee compensation. If you are in the trade or business of catching fish, it may show cash you "
       "received for fish you sold. If the amount is self-employment income, report it on Schedule C, C-EZ or "
       "F (Form 1040) and complete Schedule SE. You received this form instead of Form W-2 because the payer "
       "did not treat you as an employee and withheld no income, social security or Medicare tax. If you "
       "believe you are an employee, report the amount on line 7 of Form 1040 and ask the IRS how to report "
       "the social security and Medicare tax on it."},
      {K::Body, "Box 8.",
       "Substitute payments in lieu of dividends or tax-exempt interest that your broker received for you "
       "because your securities were lent. Report them on the \u201cOther income\u201d line of Form 1040."},
      {K::Body, "Box 9.",
       "If checked, the payer sold you $5,000 or more of consumer products to resell, on a buy-sell, "
       "deposit-commission or other basis. No amount is shown; report the income from your sales of the "
       "products on Schedule C (Form 1040)."},
      {K::Body, "Box 10.", "Crop insurance proceeds. Report them on Schedule F (Form 1040)."},
      {K::Body, "Box 13.",
       "Excess golden parachute payments. A 20% excise tax is due on this amount; see \u201cTotal Tax\u201d in "
       "the Form 1040 instructions."},
      {K::Body, "Box 14.",
       "Gross proceeds paid to an attorney in connection with legal services. Report only the taxable part as "
       "income on your return."},
      {K::Body, "Box 15a.",
       "Current-year deferrals under a nonqualified deferred compensation plan subject to section 409A, shown "
       "for your information."},
      {K::Body, "Box 15b.",
       "Income as a nonemployee under a nonqualified deferred compensation plan that does not meet section "
       "409A. It is also included in box 7, and an additional tax is due on it; see \u201cTotal Tax\u201d in "
       "the Form 1040 instructions."},
      {K::Body, "Boxes 16 to 18.",
       "State income tax withheld, the payer\u2019s state number and the income reported to the state. File "
       "Copy 2 with your state income tax return when one is required."},
  };
  return page;
}

InstructionPage InstructionsForPayer() {
  InstructionPage page = Form1099Page("7.qff", "Form 1099-MISC, back of Copy C: Instructions for Payer");
  page.heading = "Instructions for Payer";
  page.paragraphs = {
      {K::Body, "",
       "How to complete this form is explained in two separate products: the 2007 General Instructions for "
       "Forms 1099, 1098, 5498, and W-2G, and the 2007 Instructions for Form 1099-MISC. A chart in the general "
       "instructions shows which form reports which payment. Order them, and further forms, by calling "
       "1-800-TAX-FORM (1-800-829-3676), or get them from the IRS website at www.irs.gov."},
      {K::Body, "Due dates.",
       "Give Copy B to the recipient by January 31, 2008. File Copy A of this form with Form 1096 by "
       "February 28, 2008, or by March 31, 2008, if you file electronically."},
      {K::Body, "Copy A is read by machine.",
       "Because paper forms are scanned, file Copy A on the official red-ink form (this program prints the "
       "data onto it) or on a substitute that meets Publication 1179. A Copy A printed on plain paper cannot "
       "be filed; the other copies can."},
      {K::Body, "Electronic filing.",
       "If you file 250 or more Forms 1099-MISC, you must file them electronically, with software that writes "
       "the file described in Publication 1220. The IRS offers no fill-in form for this."},
      {K::Body, "Foreign recipient.",
       "If the recipient is a nonresident alien, you may have to withhold federal income tax and file Form "
       "1042-S, Foreign Person\u2019s U.S. Source Income Subject to Withholding; see its instructions and "
       "Publication 515."},
      {K::Body, "Keep Copy C",
       "with your records for at least 3 years from the due date of the return, or 4 years if backup "
       "withholding was withheld."},
      {K::Body, "Need help?",
       "Call the IRS information reporting call site at 1-866-455-7438 (toll free) or 304-263-8700."},
      {K::Body, "Privacy Act and Paperwork Reduction Act Notice.",
       "See the 2007 General Instructions for Forms 1099, 1098, 5498, and W-2G."},
  };
  page.columns = 2;
  return page;
}

}  // namespace

FormPicture Form1099InstructionPage(int copy) {
  return BuildInstructionPage(copy == 4 ? InstructionsForRecipient() : InstructionsForPayer());
}

}  // namespace formet
