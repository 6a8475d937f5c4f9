// The pages printed on the back of the W-2 copies given to the employee and
// kept by the employer: the notice and instructions for the employee with the
// box 12 codes of 2007, and the employer's note on Copy D.
#include "forms/print/instruction_page.h"
#include "forms/w2/w2_pictures.h"

namespace formet {
namespace {

using K = FlowParagraph::Kind;

InstructionPage W2Page(const char* file, const char* title) {
  InstructionPage page;
  page.file = file;
  page.title = title;
  page.width = 1980;
  page.height = 1340;
  page.footer = "Form W-2 (2007)";
  return page;
}

InstructionPage NoticeToEmployee() {
  InstructionPage page = W2Page("1.qff", "Form W-2, back of Copy B: Notice to Employee");
  page.heading = "Notice to Employee";
  page.subheading = "(Keep Copy C for your records; Instructions for Employee are on its back.)";
  page.paragraphs = {
      {K::Body, "Do you have to file?",
       "Whether you must file a 2007 income tax return depends on your income, your filing status and your age. "
       "The instructions for Form 1040, 1040A or 1040EZ tell you."},
      {K::Body, "Refund.",
       "Even if you need not file a return, file one to get back the federal income tax withheld in box 2, or "
       "to take the earned income credit."},
      {K::Body, "Earned income credit (EIC).",
       "The EIC is a credit for people who work, paid to you even when it is larger than your tax. For 2007 "
       "you may be able to take it if your earned income and your adjusted gross income are each less than "
       "$12,590 ($14,590 if married filing jointly) and you have no qualifying child; less than $33,241 "
       "($35,241 if married filing jointly) with one qualifying child; or less than $37,783 ($39,783 if married "
       "filing jointly) with two or more qualifying children. You, your spouse and every qualifying child must "
       "have valid social security numbers (SSNs). You cannot take the credit if your investment income is more "
       "than $2,900. The credit is paid only if you file a tax return."},
      {K::Body, "Advance EIC.",
       "If you have a qualifying child and expect to be able to take the credit for 2008, you can receive part "
       "of it with your pay during the year by giving your employer Form W-5. Advance payments you received in "
       "2007 are shown in box 9."},
      {K::Body, "Clergy and religious workers.",
       "If you are not subject to social security and Medicare taxes, see Publication 517, Social Security and "
       "Other Information for Members of the Clergy and Religious Workers."},
      {K::Body, "Corrections.",
       "If your name, your SSN or an amount on this form is wrong, tell your employer at once. Your employer "
       "corrects it on Form W-2c, Corrected Wage and Tax Statement, filed with the Social Security "
       "Administration (SSA), and gives you copies for your return. If your name and SSN are right but differ "
       "from your social security card, ask for a new card at any SSA office or by calling 1-800-772-1213."},
      {K::Body, "Credit for excess taxes.",
       "If you worked for more than one employer in 2007 and they withheld, together, more than $6,045.00 of "
       "social security tax and/or Tier I railroad retirement (RRTA) tax, you may claim the excess as a credit "
       "against your federal income tax. If more than one railroad employer withheld more than $2,831.40 of "
       "Tier II RRTA tax, you may ask for a refund of the excess on Form 843, Claim for Refund and Request for "
       "Abatement. See Publication 505, Tax Withholding and Estimated Tax."},
      {K::Body, "Estimated tax.",
       "If you expect to owe $1,000 or more of tax for 2008 after your withholding and credits, you may have to "
       "pay estimated tax. See Form 1040-ES."},
      {K::Body, "Keep Copy C.",
       "Keep Copy C of this form for at least 3 years after the due date of your 2007 return. Better still, keep "
       "it until you begin to receive social security benefits, in case a question arises about your earnings "
       "in a particular year. Compare the earnings on your yearly Social Security Statement from the SSA with "
       "your Forms W-2."},
      {K::Body, "Boxes 15 to 20.",
       "These show your state and local wages and the state and local income tax withheld. File Copy 2 with "
       "your state, city or local income tax return when one is required."},
  };
  return page;
}

InstructionPage InstructionsForEmployee() {
  InstructionPage page = W2Page("2.qff", "Form W-2, back of Copy C: Instructions for Employee");
  page.heading = "Instructions for Employee";
  page.subheading = "(See also Notice to Employee, on the back of Copy B. Continued on the back of Copy 2.)";
  page.paragraphs = {
      {K::Body, "Box 1.", "Report this amount on the wages line of your tax return."},
      {K::Body, "Box 2.", "Report this amount on the federal income tax withheld line of your tax return."},
      {K::Body, "Box 8.",
       "Allocated tips are not included in boxes 1, 3, 5 or 7. The instructions for Form 1040 tell you how to "
       "report them; Form 4137 figures the social security and Medicare tax due on them."},
      {K::Body, "Box 9.",
       "Report this amount on the advance earned income credit payments line of Form 1040 or Form 1040A."},
      {K::Body, "Box 10.",
       "The dependent care benefits your employer paid to you or on your behalf, including benefits under a "
       "section 125 (cafeteria) plan. Any part over $5,000 is also included in box 1. Complete Schedule 2 "
       "(Form 1040A) or Form 2441, Child and Dependent Care Expenses, to figure how much is taxable."},
      {K::Body, "Box 11.",
       "This amount is (a) a distribution to you from a nonqualified deferred compensation plan or a "
       "nongovernmental section 457(b) plan, also included in box 1, or (b) a deferral of an earlier year under "
       "such a plan that became subject to social security and Medicare taxes this year because your right to "
       "it is no longer at substantial risk of forfeiture; that amount is also included in box 3 and/or box 5."},
      {K::Body, "Box 12.", "The amounts in box 12 are identified by these codes:"},
      {K::Body, "A\u2014",
       "Uncollected social security or RRTA tax on tips. Include it in the total tax on Form 1040 (see "
       "\u201cOther Taxes\u201d in its instructions)."},
      {K::Body, "B\u2014", "Uncollected Medicare tax on tips. Include it in the total tax on Form 1040."},
      {K::Body, "C\u2014",
       "Taxable cost of group-term life insurance over $50,000, included in boxes 1, 3 (up to the social "
       "security wage base) and 5."},
      {K::Body, "D\u2014",
       "Elective deferrals to a section 401(k) cash or deferred arrangement, including deferrals under a SIMPLE "
       "401(k) arrangement."},
      {K::Body, "E\u2014", "Elective deferrals under a section 403(b) salary reduction agreement."},
      {K::Body, "F\u2014", "Elective deferrals under a section 408(k)(6) salary reduction SEP."},
      {K::Body, "G\u2014",
       "Elective deferrals and employer contributions, including nonelective deferrals, to a section 457(b) "
       "deferred compensation plan."},
      {K::Body, "H\u2014",
       "Elective deferrals to a section 501(c)(18)(D) tax-exempt organization plan. You may deduct this "
       "amount; see \u201cAdjusted Gross Income\u201d in the Form 1040 instructions."},
      {K::Body, "J\u2014", "Nontaxable sick pay, for your information only; not included in boxes 1, 3 or 5."},
      {K::Body, "K\u2014",
       "20% excise tax on excess golden parachute payments. Include it in the total tax on Form 1040."},
      {K::Body, "L\u2014", "Substantiated employee business expense reimbursements (nontaxable)."},
      {K::Body, "Note.",
       "A year after code D, E, F, G, H or S means a make-up contribution for an earlier year in which you "
       "served in the military. When you work out whether you deferred more than the limit, count it for the "
       "year shown, not for 2007. The other codes and the limits are explained on the back of Copy 2."},
  };
  return page;
}

InstructionPage InstructionsContinued() {
  InstructionPage page = W2Page("3.qff", "Form W-2, back of Copy 2: Instructions for Employee (continued)");
  page.heading = "Instructions for Employee";
  page.subheading = "(continued from the back of Copy C)";
  page.paragraphs = {
      {K::Body, "Box 12 (continued).", ""},
      {K::Body, "M\u2014",
       "Uncollected social security or RRTA tax on the taxable cost of group-term life insurance over $50,000 "
       "(former employees only). Include it in the total tax on Form 1040."},
      {K::Body, "N\u2014",
       "Uncollected Medicare tax on the taxable cost of group-term life insurance over $50,000 (former "
       "employees only). Include it in the total tax on Form 1040."},
      {K::Body, "P\u2014",
       "Excludable moving expense reimbursements paid directly to you; not included in boxes 1, 3 or 5."},
      {K::Body, "Q\u2014",
       "Nontaxable combat pay. The Form 1040 and 1040A instructions tell how it counts for the earned income "
       "credit."},
      {K::Body, "R\u2014",
       "Employer contributions to your Archer MSA. Report them on Form 8853, Archer MSAs and Long-Term Care "
       "Insurance Contracts."},
      {K::Body, "S\u2014",
       "Employee salary reduction contributions under a section 408(p) SIMPLE; not included in box 1."},
      {K::Body, "T\u2014",
       "Adoption benefits; not included in box 1. Complete Form 8839, Qualified Adoption Expenses, to figure "
       "the taxable and nontaxable parts."},
      {K::Body, "V\u2014",
       "Income from the exercise of nonstatutory stock options, included in boxes 1, 3 (up to the social "
       "security wage base) and 5."},
      {K::Body, "W\u2014",
       "Employer contributions to your health savings account (HSA). Report them on Form 8889, Health Savings "
       "Accounts (HSAs)."},
      {K::Body, "Y\u2014", "Deferrals under a section 409A nonqualified deferred compensation plan."},
      {K::Body, "Z\u2014",
       "Income under a nonqualified deferred compensation plan that does not meet section 409A. It is also "
       "included in box 1 and is subject to an additional 20% tax plus interest; see the Form 1040 "
       "instructions."},
      {K::Body, "AA\u2014", "Designated Roth contributions under a section 401(k) plan."},
      {K::Body, "BB\u2014", "Designated Roth contributions under a section 403(b) plan."},
      {K::Body, "Limits for 2007.",
       "Elective deferrals under codes D, E, F and S and designated Roth contributions under codes AA and BB, "
       "in all the plans you took part in, are limited together to $15,500 ($10,500 if you have only SIMPLE "
       "plans; $18,500 for section 403(b) plans if you qualify for the 15-year rule of Publication 571). Code "
       "G deferrals are limited to $15,500 and code H deferrals to $7,000. If you were 50 or older in 2007, "
       "your employer may have allowed up to $5,000 more ($2,500 for section 401(k)(11) and 408(p) SIMPLE "
       "plans), which does not count toward those limits; for code G the limit may also be higher in the last "
       "three years before retirement age. Deferrals over the limit must be included in income; see the "
       "\u201cWages, Salaries, Tips, etc.\u201d line of the Form 1040 instructions."},
      {K::Body, "Box 13.",
       "If the \u201cRetirement plan\u201d box is checked, special limits may apply to the traditional IRA "
       "contributions you may deduct; see Publication 590, Individual Retirement Arrangements. If the "
       "\u201cStatutory employee\u201d box is checked, your employer withheld social security and Medicare tax "
       "but not income tax from the wages in box 1; report them, with your expenses, on Schedule C or C-EZ "
       "(Form 1040)."},
      {K::Body, "Box 14.",
       "Your employer may report other information here, such as state disability insurance taxes withheld, "
       "union dues, uniform payments, health insurance premiums deducted, nontaxable income, educational "
       "assistance payments, or a minister\u2019s parsonage allowance and utilities. Railroad employers show "
       "Tier I, Tier II and Medicare RRTA tax withheld and your Tier I and Tier II compensation."},
      {K::Body, "Boxes 15 to 20.",
       "Your state and local wages and the income tax withheld for them. File this Copy 2 with your state, city "
       "or local income tax return when one is required."},
  };
  return page;
}

InstructionPage EmployerNote() {
  InstructionPage page = W2Page("4.qff", "Form W-2, back of Copy D: Employers, Please Note");
  page.heading = "Employers, Please Note\u2014";
  page.paragraphs = {
      {K::Body, "",
       "The information you need to complete Form W-2 is given in the 2007 Instructions for Forms W-2 and W-3, "
       "a separate booklet. Order it, and further forms, by calling 1-800-TAX-FORM (1-800-829-3676), or get it "
       "from the IRS website at www.irs.gov."},
      {K::Body, "Due dates.",
       "Give Copies B, C and 2 to each employee by January 31, 2008. File Copy A with Form W-3 with the Social "
       "Security Administration (SSA) by February 29, 2008, or by March 31, 2008, if you file electronically."},
      {K::Body, "Copy A is read by machine.",
       "File the official red-ink form, or a laser-printed substitute that meets the requirements of "
       "Publication 1141. Photocopies are not acceptable. Do not cut, fold or staple the Copy A page."},
      {K::Body, "Electronic filing.",
       "If you file 250 or more Forms W-2, you must file them electronically unless the IRS has granted you a "
       "waiver. The SSA\u2019s specifications are in its Publication 42-007 (EFW2); see "
       "www.socialsecurity.gov/employer."},
      {K::Body, "Corrections.",
       "Correct a Form W-2 already filed on Form W-2c, sent to the SSA with Form W-3c, and give the employee "
       "the corrected copies."},
      {K::Body, "Keep Copy D",
       "with your Form W-3 and your employment tax records for at least 4 years. It lets you answer questions "
       "the SSA or the IRS may ask about the amounts reported."},
      {K::Body, "Need help?",
       "SSA employer reporting specialists: 1-800-772-6270. IRS information reporting call site: "
       "1-866-455-7438 (toll free) or 304-263-8700."},
      {K::Heading, "", "Privacy Act and Paperwork Reduction Act Notice"},
      {K::Body, "",
       "The information on Forms W-2 and W-3 is asked for to carry out the internal revenue laws of the United "
       "States. Section 6051 and its regulations require you to furnish wage and tax statements to your "
       "employees and to the SSA, and section 6109 requires you to give your employer identification number. "
       "The IRS uses the information to figure and collect the right amount of tax; the SSA uses it to credit "
       "each employee\u2019s earnings. Failing to provide it on time, or providing false or fraudulent "
       "information, may bring penalties."},
      {K::Body, "",
       "As the law allows, the information may be given to the Department of Justice for civil and criminal "
       "litigation, to cities, states, the District of Columbia and U.S. commonwealths and possessions for "
       "their tax laws, to other countries under tax treaties, and to federal and state agencies to enforce "
       "criminal laws or to fight terrorism."},
      {K::Body, "",
       "You need not provide information asked for on a form subject to the Paperwork Reduction Act unless the "
       "form displays a valid OMB control number. Keep the records of a form for as long as they may matter for "
       "the administration of any internal revenue law. Comments on the time this form takes may be sent to "
       "the IRS at the address given in the Instructions for Forms W-2 and W-3; do not send the forms there."},
  };
  return page;
}

}  // namespace

FormPicture W2InstructionPage(int blankCopyType) {
  switch (blankCopyType) {
    case 6: return BuildInstructionPage(NoticeToEmployee());
    case 7: return BuildInstructionPage(InstructionsForEmployee());
    case 8: return BuildInstructionPage(InstructionsContinued());
    default: return BuildInstructionPage(EmployerNote());
  }
}

}  // namespace formet
