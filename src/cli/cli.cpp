#include "cli/cli.h"

#include <optional>
#include <ostream>

#include "cli/command_line_ui.h"
#include "cli/correction_commands.h"
#include "cli/efiling_commands.h"
#include "cli/import_command.h"
#include "cli/import_data_commands.h"
#include "cli/form_commands.h"
#include "cli/json_dump.h"
#include "cli/payee_commands.h"
#include "cli/print_command.h"
#include "cli/review_command.h"
#include "records/identifying_numbers.h"
#include "store/data_folder.h"
#include "store/global_doc.h"
#include "store/settings_store.h"
#include "store/text_codec.h"
#include "store/ui_services.h"

namespace formet::cli {
namespace {

constexpr const char* kUsage =
    "Usage: formet-cli [--data-dir DIR] COMMAND [ARGUMENTS]\n"
    "\n"
    "Works on the company files of Formet (2007) without the desktop program.\n"
    "\n"
    "Commands:\n"
    "  list          Print the name of every company, one per line.\n"
    "  list --details\n"
    "                The same, each name followed by a tab and what Company >\n"
    "                Open shows of it: the EIN, the numbers of W-2s and of\n"
    "                1099-MISCs and when its file last changed, tab-separated\n"
    "                (\"unreadable\" for a file that cannot be read now).\n"
    "  new NAME      Create the company NAME (as Company > New does). When it\n"
    "                exists already, says so and opens it.\n"
    "  dump NAME     Load the company NAME as the desktop program does (files of\n"
    "                earlier releases are converted and upgraded) and print all\n"
    "                its records as one JSON object.\n"
    "  add-employee NAME --ssn SSN --first FIRST --last LAST [--middle M]\n"
    "               [--suffix S] [--address1 A] [--address2 A] [--city C]\n"
    "               [--state ST] [--zip ZIP]\n"
    "                Add an employee, with a blank W-2, to the company NAME, as\n"
    "                the Employee dialog does: the social security number must\n"
    "                be new to the company (###-##-####; the dashes may be left\n"
    "                out) and one that is issued (none has area 000, 666 or\n"
    "                900-999, group 00 or serial 0000), the first and last name\n"
    "                are needed (spaces alone are no name), the state is a\n"
    "                two-letter entry of the State list and the zip code\n"
    "                #####-####. A text longer than its field is refused, as\n"
    "                the dialog refuses to take more than it keeps.\n"
    "  add-contractor NAME --tin TIN --name1 LINE [--name2 LINE] [--address1 A]\n"
    "               [--address2 A] [--city C] [--state ST] [--zip ZIP]\n"
    "               [--account NUMBER] [--second-tin]\n"
    "                Add a contractor, with a blank 1099-MISC, to the company\n"
    "                NAME, as the Contractor dialog does: the identification\n"
    "                number (typed with its dashes; spaces around it are left\n"
    "                out) must be new to the company and the first name line\n"
    "                is needed; --second-tin checks\n"
    "                \"2nd TIN not.\".\n"
    "                Both commands save at once and refuse the characters\n"
    "                % ' * \" + ? > < : \\ in texts, as the dialogs do; names\n"
    "                (--first, --middle, --last, --name1, --name2) take the\n"
    "                apostrophe, as in O'Brien.\n"
    "  import-prior-year [--from FOLDER]\n"
    "                Bring every company of Formet (2006) into the data folder,\n"
    "                as Tools > Import Clients From Tax Year 2006 does: the files\n"
    "                are copied into a work folder beside the data folder (its\n"
    "                name followed by 2006) and from there into the data folder;\n"
    "                a company that exists already keeps its file. Each is\n"
    "                converted when it is first opened. The previous release is\n"
    "                looked for under the Wine prefix ($WINEPREFIX, else ~/.wine),\n"
    "                in /opt/Quorvane and in ~/.local/share/Quorvane; --from\n"
    "                names its install folder (the one that holds DatabaseFiles)\n"
    "                instead.\n"
    "  import w2|1099 NAME FILE [--delimiter comma|semicolon|tab]\n"
    "               [--qualifier double|single] [--map \"COLUMN=Field name\"]...\n"
    "               [--auto-map] [--skip-bad-rows]\n"
    "                Load the rows of a delimited text file (its first line a\n"
    "                header) into the company NAME as new employees with their\n"
    "                W-2s (w2) or contractors with their 1099-MISCs (1099), as\n"
    "                Import Data does. Comma and double quote by default. --map\n"
    "                assigns a field to a column, named by its header text or\n"
    "                its number from 1 (repeat it for each column); --auto-map\n"
    "                assigns every column whose header names a field (case,\n"
    "                spaces and punctuation aside). Every assigned column is\n"
    "                checked first, each value as the Employee or Contractor\n"
    "                dialog and the form page would take it for its field: if\n"
    "                any is refused, each refused column's report is printed\n"
    "                and nothing is loaded. Rows the payee checks refuse (no or\n"
    "                a duplicate number, no name) are dropped and listed; the\n"
    "                rest is saved at once. A row that cannot be read as the\n"
    "                header lays out the columns (more values than it has, a\n"
    "                quote never closed), or whose box 12 code has no amount or\n"
    "                amount no code, is never loaded: such a file is not\n"
    "                imported. --skip-bad-rows loads every\n"
    "                row whose values pass instead, and lists each row left out\n"
    "                (row, column, value and reason) on standard error; the\n"
    "                exit code is 0 when rows were loaded.\n"
    "  import w2|1099 --fields\n"
    "                List the fields of the import, by group.\n"
    "  efw2 NAME --out FILE [--check-only] [--state-records] [--ein EIN]\n"
    "               [--pin PIN] [--[no-]resubmission] [--wfid WFID] [--name N]\n"
    "               [--location-address A] [--delivery-address A] [--city C]\n"
    "               [--state ST] [--zip ZIP] [--contact N] [--phone PHONE]\n"
    "               [--extension EXT] [--email E] [--fax FAX]\n"
    "               [--notify email|postal]\n"
    "               [--preparer accounting|self|bureau|parent|other]\n"
    "                Write the SSA wage file (EFW2) of the company NAME, as\n"
    "                Tools > Electronic Filing > W-2 Wage File does. The options\n"
    "                set the submitter's fields, saved in the company first; a\n"
    "                submitter never filled in starts from the company's name,\n"
    "                address and W-3 contact. Every W-2 is checked first and\n"
    "                every problem listed on standard error; while an error\n"
    "                stands nothing is written and the exit code is 1.\n"
    "                --check-only checks without writing; --state-records adds\n"
    "                a state record (RS) per state line of the W-2s.\n"
    "  efw2c NAME --out FILE [--check-only] [SUBMITTER OPTIONS]\n"
    "                Write the SSA corrections file (EFW2C) of the company's\n"
    "                W-2c's (those w2c lists for the SSA), with the submitter's\n"
    "                fields set and checked as for efw2 (the same options, but\n"
    "                no --state-records). Each item a W-2c corrects is written\n"
    "                as previously reported and correct; unchanged items are\n"
    "                blank in both. The file is read back and its totals must\n"
    "                equal the W-3c before it is written.\n"
    "  efile-1099 NAME --out FILE [--check-only] [--combined-federal-state]\n"
    "               [--corrections]\n"
    "               [--tin TIN] [--tcc TCC] [--name N] [--name2 N] [--company N]\n"
    "               [--company2 N] [--address A] [--city C] [--state ST]\n"
    "               [--zip ZIP] [--contact N] [--phone PHONE] [--email E]\n"
    "               [--original | --replacement --replaced-file NAME]\n"
    "               [--[no-]test]\n"
    "                Write the IRS information return file of the company's\n"
    "                Forms 1099-MISC, as Tools > Electronic Filing > 1099-MISC\n"
    "                Information Return File does, with the transmitter's\n"
    "                fields set and checked as for efw2. --test marks a test\n"
    "                file; --combined-federal-state adds each recipient's state\n"
    "                code and the state totals (K records) for the Combined\n"
    "                Federal/State Filing program. --corrections writes the\n"
    "                corrected returns (those 1099c lists for the IRS) instead:\n"
    "                one-return corrections and the first of two-return ones\n"
    "                coded G under one payer record, the second of two-return\n"
    "                ones coded C under another; read back and compared with the\n"
    "                1096 of the corrections before it is written.\n"
    "  set-w2 NAME --ssn SSN --box BOX=VALUE [--box BOX=VALUE]...\n"
    "                Fill in boxes of the W-2 of the employee with the social\n"
    "                security number SSN and save it, as the W2 Forms page\n"
    "                does when the boxes are typed, each left in box order, and\n"
    "                Save is pressed: amounts are written with two decimals\n"
    "                (12.345 gives 12.34), box 3 is held to $97,500.00 and box\n"
    "                4 follows it, box 6 follows box 5, and what the page would\n"
    "                say is printed on standard error. Nothing is written when\n"
    "                the W-2 does not change. BOX is 1 to 11; 12a to 12d as\n"
    "                CODE:AMOUNT or CODE:AMOUNT:YEAR (codes of the 2007 form:\n"
    "                A-H, J-N, P-T, V, W, Y, Z, AA, BB; a code needs its amount\n"
    "                and an amount its code, and 12a= clears the whole line);\n"
    "                13 as the check boxes to check, such as 13=retirement or\n"
    "                13=statutory,sick-pay (13= clears them); 14, 14.2 and\n"
    "                14.3 for the lines of box 14; 15 as STATE:STATE-ID and\n"
    "                16 to 20 for line 1 of the state and local boxes, 15.2\n"
    "                to 20.2 for line 2.\n"
    "  set-contractor NAME --tin TIN [--new-tin TIN] [--name1 LINE]\n"
    "               [--name2 LINE] [--address1 A] [--address2 A] [--city C]\n"
    "               [--state ST] [--zip ZIP] [--account N] [--[no-]second-tin]\n"
    "                Change the contractor with the identification number TIN,\n"
    "                as Modify Contractor and OK do: the fields given change,\n"
    "                the others stay; the checks of a new contractor apply.\n"
    "  set-1099 NAME --tin TIN --box BOX=VALUE [--box BOX=VALUE]...\n"
    "                Likewise for the 1099-MISC of the contractor with the\n"
    "                identification number TIN, as the 1099 Forms page does:\n"
    "                BOX is 1 to 8, 10, 13, 14, 15a, 15b; 9=yes or 9=no; 16, 17\n"
    "                and 18 for line 1 of the state boxes, 16.2 to 18.2 for\n"
    "                line 2.\n"
    "  w3 NAME       Print every field of the company's W3 Form page, totals\n"
    "                of all W-2s included, as one JSON object keyed by the\n"
    "                form's boxes (\"a\", \"b\" the Kind of Payer, \"c\",\n"
    "                \"1\" ... \"19\") and the contact fields.\n"
    "  1096 NAME     Likewise for the 1096 Form page: the filer's fields and\n"
    "                boxes \"1\" to \"5\" computed from all 1099-MISCs.\n"
    "                A total too large to be held shows \"too large\"; the\n"
    "                reason goes to standard error and the exit code is 1.\n"
    "  mark-filed w2|w2c|1099|1099c NAME [--on YYYY-MM-DD]\n"
    "                Record the company's forms as filed (today, or on the date\n"
    "                given), as Record as filed on the W2 Forms and 1099 Forms\n"
    "                pages does: an unchangeable copy of each W-2 with its\n"
    "                employee's SSN, name and address (w2), or of each\n"
    "                1099-MISC with its payee's TIN, name and address (1099),\n"
    "                is kept in the company file. Forms recorded before are\n"
    "                not recorded again: those changed since are named, as\n"
    "                their change needs a correction. w2c records the correct\n"
    "                information of every W-2c, which becomes what was\n"
    "                previously reported for a later correction; 1099c records\n"
    "                every corrected 1099-MISC, whose correct values become\n"
    "                what was filed.\n"
    "  w2c NAME      Print the company's W-2c's as one JSON object: for each\n"
    "                employee whose W-2, SSN or name changed since it was\n"
    "                recorded as filed (or who has a W-2c made by hand), the\n"
    "                lettered boxes \"a\" to \"i\" and only the boxes that\n"
    "                changed, each with \"Previously reported\" and \"Correct\n"
    "                information\" (\"-0-\" for zero), where it goes (the SSA,\n"
    "                or the state when only state or local boxes changed),\n"
    "                the employees whose address alone changed (no W-2c goes\n"
    "                to the SSA for them) and notes.\n"
    "  w3c NAME      Likewise for the W-3c: the totals of the W-2c's sent to\n"
    "                the SSA, each column apart (box 12: deferred-compensation\n"
    "                codes only; box 14: box 2 of the W-2c's of third-party\n"
    "                sick pay), boxes \"a\" to \"j\" and \"explain decreases\n"
    "                here\" (the text of set-w3c, else the decreases).\n"
    "  set-w3c NAME --explain TEXT\n"
    "                The W-3c's \"Explain decreases here\", at most 1000\n"
    "                characters (\"\": the decreases as computed); a text\n"
    "                longer than its box is printed smaller, then cut (said).\n"
    "  1099c NAME    Print the company's corrected 1099-MISC's as one JSON\n"
    "                object: for each payee whose 1099-MISC, TIN, name or\n"
    "                address changed since it was recorded as filed (or whose\n"
    "                contractor or form was deleted: corrected to zero), what\n"
    "                changed, the procedure (one return with CORRECTED checked;\n"
    "                or two: the filed form with every amount zero and\n"
    "                CORRECTED checked, then a new original), each return's\n"
    "                boxes and file code, where it goes, and the 1096 of the\n"
    "                corrections.\n"
    "  new-w2c NAME --ssn SSN\n"
    "                Make a W-2c by hand for a W-2 filed before anything was\n"
    "                recorded: its Previously reported column starts as the\n"
    "                W-2 now, to be changed with set-w2c, while the W-2 itself\n"
    "                is corrected with set-w2.\n"
    "  set-w2c NAME --ssn SSN [--box BOX=VALUE]... [--previous-ssn SSN]\n"
    "               [--previous-first F] [--previous-middle M]\n"
    "               [--previous-last L] [--previous-suffix S]\n"
    "                Change the Previously reported column of that W-2c: boxes\n"
    "                as set-w2 takes them (1 to 11, 12a to 12d as CODE:AMOUNT,\n"
    "                13, 14 to 14.3, 15 as STATE:STATE-ID, 16 to 20 and .2),\n"
    "                and the SSN and name as previously reported.\n"
    "  delete-w2c NAME --ssn SSN\n"
    "                Delete the W-2c made by hand.\n"
    "  print w2|w3|1099|1096 NAME --out FILE.pdf [OPTIONS]\n"
    "                Print a form of the company NAME to a PDF file on US Letter\n"
    "                paper, as the form's Print button does with the choices of\n"
    "                its options dialog:\n"
    "                --all, or --ssn SSN (w2) / --tin TIN (1099): every form, or\n"
    "                  the form of one employee or contractor;\n"
    "                --corrected (1099, 1096): the corrected 1099-MISC's that\n"
    "                  1099c lists (every one with --all, a payee's with\n"
    "                  --tin; Copy A only those for the IRS; step 2 of a\n"
    "                  two-return correction without CORRECTED), or the 1096\n"
    "                  that sends them (their totals only); not with\n"
    "                  --per-recipient;\n"
    "                --paper red-ink|copy|laser: data only on the pre-printed\n"
    "                  red-ink form (the default), a copy on blank paper, or the\n"
    "                  complete laser substitute (w2: Copy A; w3);\n"
    "                --copy NAME-OR-NUMBER (w2, 1099; means --paper copy): the\n"
    "                  copy of the dialog's list, by its number, its name or\n"
    "                  its first words (\"Copy B\", or \"B\"; \"4-up\");\n"
    "                --h-offset INCHES, --v-offset INCHES: where the red-ink\n"
    "                  data is moved (negative: left or up), such as 0.25;\n"
    "                --v-space INCHES (w2): between the top and bottom red-ink\n"
    "                  forms, 0.75 to 1.75 (default 1.33);\n"
    "                --margins LEFT,TOP: the PDF page's margins in millimetres\n"
    "                  (default 6.35,6.35, a quarter inch, which puts red-ink\n"
    "                  data with zero offsets into the boxes of the forms);\n"
    "                --pictures FOLDER: where the form pictures are (default:\n"
    "                  beside the program; a missing picture is left out);\n"
    "                --stop-if-empty (1099): fail instead of warning when a\n"
    "                  form has an empty box;\n"
    "                --stop-if-cut: fail instead of warning when a value does\n"
    "                  not fit its box even at 6 points and would be cut;\n"
    "                --alignment-page (red-ink): instead of the company's\n"
    "                  forms, one form of sample data in every box with\n"
    "                  crosshairs on two corners of the form's boxes and rulers\n"
    "                  in tenths of an inch, moved by the offsets: laid on a\n"
    "                  pre-printed form, it shows the offsets to give;\n"
    "                --show-outline (red-ink): the 2007 form in light grey\n"
    "                  behind the data, to see where they fall; the PDF is\n"
    "                  marked \"not for filing\" in its top margin.\n"
    "                The problems review finds in the W-2s or 1099-MISCs printed\n"
    "                are listed on standard error as warnings.\n"
    "  print w2|1099 NAME --all --per-recipient FOLDER [--copy ...] [--encrypt\n"
    "        [--passwords FILE.csv [--password-column NAME]]]\n"
    "                Instead of one PDF, one file for each employee or\n"
    "                contractor in FOLDER, with the copies that payee gets (W-2\n"
    "                Copies B, C and 2, 1099-MISC Copy B, each followed by its\n"
    "                instructions; --copy: that copy, with its instructions),\n"
    "                named \"NAME - W-2 2007 - LAST, FIRST - 1234.pdf\" (the last\n"
    "                four digits of the SSN or TIN). --encrypt protects each\n"
    "                file with AES-256 and the payee's password: the last four\n"
    "                digits of the SSN or TIN followed by the five digits of\n"
    "                the ZIP code, or, with --passwords, the column \"Password\"\n"
    "                (or --password-column) of a CSV file whose rows name\n"
    "                their payee in a column \"SSN\" or \"TIN\" (digits\n"
    "                compared). A payee without a password stops it all before\n"
    "                anything is written.\n"
    "  print w2c|w3c NAME --out FILE.pdf [--all | --ssn SSN] [OPTIONS]\n"
    "                Print the W-2c's (w2c: every one with --all, or that\n"
    "                employee's with --ssn), one form a page, or the W-3c:\n"
    "                --paper red-ink|laser|copy: Copy A's data only on the\n"
    "                  pre-printed red-ink form (the default), the black-and-\n"
    "                  white laser substitute for Copy A (w2c), or the form on\n"
    "                  blank paper;\n"
    "                --copy 1|B|C|2|D (w2c; means --paper copy, Copy B without\n"
    "                  it): the employee's, the state's or the employer's copy;\n"
    "                Copy A holds only the W-2c's that go to the SSA;\n"
    "                --h-offset, --v-offset (red-ink), --margins, --pictures and\n"
    "                --stop-if-cut as for print w2.\n"    "  print w2 NAME --reissued --ssn SSN --out FILE.pdf [--margins ...]\n"
    "               [--pictures FOLDER] [--stop-if-cut]\n"
    "                The reissued statement of an employee whose address alone\n"
    "                changed after filing: Copies B, C and 2 of the W-2 as it\n"
    "                is now on blank paper, each marked REISSUED STATEMENT.\n"
    "  review NAME [--json]\n"
    "                Check every W-2 and 1099-MISC of the company NAME, as the\n"
    "                Review page does: the checks of the electronic filing\n"
    "                files, social security and Medicare tax against 6.2 % of\n"
    "                boxes 3 and 7 (up to the wage base) and 1.45 % of box 5\n"
    "                beyond a cent, box 12 amounts without a code, state\n"
    "                amounts without a state or state ID, incomplete addresses,\n"
    "                values the red-ink form would cut, and payees without a\n"
    "                form or forms without a payee. One line per problem,\n"
    "                \"Error: W-2 of LAST, FIRST (SSN): ...\", then a count of\n"
    "                the forms complete, with warnings and with errors;\n"
    "                --json prints every form with its boxes, status and\n"
    "                problems instead. The exit code is 1 when any error\n"
    "                stands, 0 otherwise.\n"
    "  help          Print this text.\n"
    "\n"
    "Options:\n"
    "  --data-dir DIR  The folder that holds the company files. Without it, the\n"
    "                  FORMET_DATA_DIR environment variable, else the folder\n"
    "                  DatabaseFiles beside the program.\n"
    "\n"
    "Names and texts are typed in UTF-8 and stored in the Windows-1252 code page;\n"
    "a character that code page lacks, a control character (tab, line break,\n"
    "escape) and text that is not valid UTF-8 are refused. A company that another\n"
    "Formet program (the desktop or another formet-cli) has open is refused too.\n"
    "A company that can be read but not written, or whose lock cannot be taken,\n"
    "is refused by the commands that change it; dump, w3, w2c, w3c, 1099c, 1096,\n"
    "print, review, efw2 and efile-1099 still read it. --out never names a company\n"
    "file or a file kept beside one (its journal, lock or .del file); the file is\n"
    "written complete before it takes its name.\n"
    "On failure the program's message is printed on standard error and the exit\n"
    "code is not zero.\n";

}  // namespace

void CommandLineUi::Flush(std::ostream& to) {
  for (const auto& m : messages) to << Win1252ToUtf8(m) << "\n";
  messages.clear();
}

std::optional<std::string> FromCommandLine(const std::string& utf8, std::ostream& err) {
  std::string problem;
  auto text = AcceptEnteredText(utf8, &problem);
  if (!text) err << "formet-cli: " << Win1252ToUtf8(problem) << "\n";
  return text;
}

bool LoadCompany(CGlobalDoc& doc, CommandLineUi& ui, const std::string& utf8Name, std::ostream& err,
                 CompanyUse use) {
  const auto name = FromCommandLine(utf8Name, err);
  if (!name) return false;
  doc.BeginSession();
  doc.AcceptReadOnly(use == CompanyUse::ReadOnly);
  if (!doc.CompanyFileExists(*name)) {
    err << "formet-cli: there is no company \"" << utf8Name << "\" in " << PrintableUtf8(doc.DataFolder().string())
        << "\n";
    return false;
  }
  doc.SetCompany(*name);
  if (!doc.OnNewDocument()) {
    ui.Flush(err);
    return false;
  }
  ui.messages.clear();
  return true;
}

std::string CommandSaveFailure(const CGlobalDoc& doc, int code) {
  if (doc.ReadOnlyReason()) return *doc.ReadOnlyReason();
  return SaveFailureMessage(code, &doc.Journal(), SaveRetry::Never);
}

namespace {

// The characters the New Company dialog refuses in a company name.
constexpr std::string_view kRefusedInCompanyName = "%*\"+?><:\\/|";

int New(CGlobalDoc& doc, CommandLineUi& ui, const std::string& name, std::ostream& out, std::ostream& err) {
  if (IsBlank(name)) {
    err << "Please enter a name for the new company\n";
    return 1;
  }
  if (name.find_first_of(kRefusedInCompanyName) != std::string::npos) {
    err << "formet-cli: a company name cannot contain any of these characters: % * \" + ? > < : \\ / |\n";
    return 1;
  }
  doc.BeginSession();
  ui.newCompany = NewCompanyEntry{name, {}};
  const bool loaded = doc.NewCompany();
  if (!loaded) {
    if (ui.messages.empty()) ui.messages.push_back("Formet failed to create the company.");
    ui.Flush(err);
    return 1;
  }
  ui.Flush(out);
  return 0;
}

int Dump(CGlobalDoc& doc, CommandLineUi& ui, const std::string& name, std::ostream& out, std::ostream& err) {
  doc.BeginSession();
  if (!doc.CompanyFileExists(name)) {
    err << "formet-cli: there is no company \"" << Win1252ToUtf8(name) << "\" in "
        << PrintableUtf8(doc.DataFolder().string()) << "\n";
    return 1;
  }
  doc.SetCompany(name);
  doc.AcceptReadOnly(true);  // a dump only reads
  if (!doc.OnNewDocument()) {
    ui.Flush(err);
    return 1;
  }
  std::string version;
  if (int rc = doc.Database().ReadVersion(version)) {
    err << EngineErrorMessage("Formet failed to read Database.", rc) << "\n";
    return 1;
  }
  WriteCompanyJson(doc, version, out);
  out.flush();
  ui.Flush(err);
  if (!out) {
    err << "formet-cli: the dump could not be written in full.\n";
    return 1;
  }
  return 0;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::optional<std::string> dataDir;
  size_t i = 0;
  for (; i < args.size(); ++i) {
    if (args[i] == "--data-dir") {
      if (i + 1 >= args.size()) {
        err << "formet-cli: --data-dir needs a folder\n";
        return 2;
      }
      dataDir = args[++i];
    } else if (args[i].rfind("--data-dir=", 0) == 0) {
      dataDir = args[i].substr(11);
    } else if (args[i] == "--help" || args[i] == "-h") {
      out << kUsage;
      return 0;
    } else {
      break;
    }
  }
  if (i >= args.size()) {
    err << kUsage;
    return 2;
  }
  const std::string command = args[i++];
  const std::vector<std::string> rest(args.begin() + static_cast<long>(i), args.end());
  if (command == "help") {
    out << kUsage;
    return 0;
  }

  CommandLineUi ui;
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, OpenDataFolder(dataDir));

  if (command == "list" && rest.empty()) {
    doc.ListCompanies(true);
    for (const auto& name : doc.CompanyNames()) out << Win1252ToUtf8(name) << "\n";
    return 0;
  }
  if (command == "list" && rest.size() == 1 && rest[0] == "--details") {
    doc.ListCompanies(true);
    for (const auto& company : doc.CompanyListings()) {
      out << Win1252ToUtf8(company.name);
      if (company.summary)
        out << "\t" << Win1252ToUtf8(company.summary->ein) << "\t" << company.summary->w2Count << "\t"
            << company.summary->form1099Count;
      else
        out << "\tunreadable\t\t";
      out << "\t" << (company.changed ? ChangedTimeText(*company.changed) : std::string()) << "\n";
    }
    return 0;
  }
  if ((command == "new" || command == "dump") && rest.size() == 1) {
    const auto name = FromCommandLine(rest[0], err);
    if (!name) return 1;
    return command == "new" ? New(doc, ui, *name, out, err) : Dump(doc, ui, *name, out, err);
  }
  if (IsPayeeCommand(command)) return RunPayeeCommand(doc, ui, command, rest, out, err);
  if (IsImportCommand(command)) return RunImportCommand(settings, doc.DataFolder(), rest, out, err);
  if (IsImportDataCommand(command)) return RunImportDataCommand(doc, ui, rest, out, err);
  if (IsEfilingCommand(command)) return RunEfilingCommand(doc, ui, command, rest, out, err);
  if (IsPrintCommand(command)) return RunPrintCommand(doc, ui, rest, out, err);
  if (IsFormCommand(command)) return RunFormCommand(doc, ui, command, rest, out, err);
  if (IsReviewCommand(command)) return RunReviewCommand(doc, ui, rest, out, err);
  if (IsCorrectionCommand(command)) return RunCorrectionCommand(doc, ui, command, rest, out, err);
  err << "formet-cli: unknown command or wrong arguments: " << PrintableUtf8(command) << "\n\n" << kUsage;
  return 2;
}

}  // namespace formet::cli
