#pragma once
// Printing from the desktop: the platform's print dialog, the print preview,
// and the "Print" buttons of the four form pages (options dialog, the notes
// and questions of the print, then the print dialog).
#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "forms/print/print_layout.h"
#include "store/print_settings.h"

class QPrinter;
class QWidget;

namespace formet {

class CGlobalDoc;
class UiServices;
class WorkProgress;

// "Form W-2", "Form W-3", "Form 1099-MISC", "Form 1096".
QString PrintJobTitle(PrintForm form);

// Where the form pictures are read from: the program's folder.
QString FormPictureFolder();

// US Letter paper; a PDF file (which has no unprintable margins of its own)
// gets a quarter inch left and top, as formet-cli gives it. A real printer
// keeps its own printable area.
void PreparePrinter(QPrinter& printer);

// The platform's print dialog with the page count set and no choice of pages
// (Qt's dialog also prints to a PDF file, whose margins its properties can
// change), then the job on the chosen printer. True when it was printed.
bool PrintWithDialog(QWidget* parent, const FormPrintJob& job, const QString& title);

// The file the print dialog proposes for a PDF of the form, named for whose
// forms they are (ProposedPdfFileName) in the folder a PDF of that form was
// last written to, while that folder exists, else the home folder.
QString ProposedPdfPath(CGlobalDoc& doc, PrintForm form);

// PrintWithDialog proposing ProposedPdfPath for a PDF file; the folder of a
// PDF written is kept for the next print of the form.
bool PrintWithDialogFor(CGlobalDoc& doc, PrintForm form, QWidget* parent, const FormPrintJob& job,
                        const QString& title);
inline constexpr const char* kPrintFileFieldName = "filename";  // the print dialog's file field

// A print to a file (the print dialog's PDF printer): the job is written to
// the printer's output file with its page layout and resolution as every
// output file is (never onto a company's file; a work file checked and then
// renamed into place, so that an old file stays whole until the new one is
// complete). Returns the problem for the user, or nullopt.
// With `progress`, Cancel there leaves no file and no problem to tell.
std::optional<QString> PrintJobToFile(const FormPrintJob& job, const QPrinter& printer, const QString& title,
                                      WorkProgress* progress = nullptr);

// The job in a print preview window. Printing is started from the form's
// options dialog, so the preview has no print button of its own. For a
// red-ink print, `outline` names the form: the preview then has a "Show form
// outline" check box (checked when it opens) that draws the 2007 form in
// light grey behind the data; the outline is never printed.
void ShowPrintPreview(QWidget* parent, const FormPrintJob& job, const QString& title,
                      std::optional<PrintForm> outline = std::nullopt);
inline constexpr const char* kShowOutlineName = "showFormOutline";  // the check box's object name

// The values the job would cut on the default printer's page; when there are
// any, the list of them with "Print anyway" and "Cancel". True to print.
bool ConfirmCuts(QWidget* parent, const FormPrintJob& job);

// What is done with a prepared job: PrintWithDialogFor the form on the
// desktop (when no sink is given); tests record it.
using PrintSink = std::function<bool(QWidget* parent, const FormPrintJob& job, const QString& title)>;

struct PayeeFilesChoice;

// "One PDF file per employee" (per recipient) confirmed in the options
// dialog: the questions of a print of every form (the 1099-MISC's empty
// boxes), then, before anything is written, the passwords of every file when
// they are asked for (a payee without one stops it all), the values that
// would be cut, and whether to replace files of the same names in the
// folder; then the files, with a progress dialog, and what was written. True
// when every file was written.
bool PrintPayeeFiles(QWidget* parent, CGlobalDoc& doc, UiServices& ui, PrintForm form, std::vector<int> displayOrder,
                     const PayeeFilesChoice& choice);

// The "Print" buttons: the options dialog, the questions of the print, the
// problems of the forms to be printed (Print anyway / Cancel), the values
// that would be cut, then the sink. `displayOrder` holds the payee indexes in the order of
// the employee or contractor page's list; `current` the page's payee (-1 for
// none). True when a job went to the sink.
bool PrintW2Forms(QWidget* parent, CGlobalDoc& doc, UiServices& ui, std::vector<int> displayOrder, int current,
                  const PrintSink& sink = {});
bool PrintW3Form(QWidget* parent, CGlobalDoc& doc, const PrintSink& sink = {});
bool Print1099Forms(QWidget* parent, CGlobalDoc& doc, UiServices& ui, std::vector<int> displayOrder, int current,
                    const PrintSink& sink = {});
bool Print1096Form(QWidget* parent, CGlobalDoc& doc, const PrintSink& sink = {});

// "Print corrected...": the same for the corrected 1099-MISC's (every one;
// Copy A only those that go to the IRS) and the 1096 that sends them. When
// there is nothing to correct the user is told and nothing opens.
bool PrintCorrected1099Forms(QWidget* parent, CGlobalDoc& doc, UiServices& ui, const PrintSink& sink = {});
bool PrintCorrected1096Form(QWidget* parent, CGlobalDoc& doc, const PrintSink& sink = {});

}  // namespace formet
