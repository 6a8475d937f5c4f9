#pragma once
// The payees' own PDF files (one for each employee or recipient, with the
// copies that payee gets): each drawn in memory, protected with the payee's
// password when asked, and then written as every output file is.
#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/payee_files.h"
#include "forms/print/print_layout.h"

namespace formet {

class PictureCache;

// The job as a PDF file in memory, with the page layout and resolution of a
// printer. Nullopt, with `problem` set (Windows-1252), when it could not be
// drawn.
std::optional<QByteArray> DrawJobToPdf(const FormPrintJob& job, const QPageLayout& layout, int resolution,
                                       PictureCache& pictures, const QString& title, std::string& problem);

// Writes one file: the job drawn, encrypted with `password` (Windows-1252;
// AES-256) when one is given, then written to `path` as every output file is
// (never onto a company's file; whole or not at all, a file already there
// replaced only by the complete new one). Returns the problem for the user
// (Windows-1252), or nullopt.
std::optional<std::string> WritePayeePdf(const FormPrintJob& job, const std::filesystem::path& path,
                                         const std::optional<std::string>& password, const QPageLayout& layout,
                                         int resolution, PictureCache& pictures, const QString& title);

// What a print of the payees' files did.
struct PayeeFilesWritten {
  std::vector<std::filesystem::path> files;  // written, in order
  int pages = 0;                             // of all the files written
  std::optional<std::string> problem;        // why it stopped (Windows-1252)
  bool cancelled = false;                    // `progress` said stop
};

// Told after each file with the number written so far and the number in all;
// returns false to stop before the next file.
using PayeeFilesProgress = std::function<bool(size_t done, size_t total)>;

// Writes the file of each of `files` (PlanPayeeFiles) into `folder`, with
// the pages of `copies` (PayeeCopyTypes). `passwords`, when given, holds the
// password of each file in the same order (PayeeFilePasswords). Stops at the
// first file that cannot be written; the files written before it stay, each
// whole.
PayeeFilesWritten WritePayeeFiles(const PayeeSource& source, const std::vector<PayeeFile>& files,
                                  const std::vector<int>& copies, const std::vector<std::string>* passwords,
                                  const std::filesystem::path& folder, const QPageLayout& layout, int resolution,
                                  PictureCache& pictures, const PayeeFilesProgress& progress = {});

// The title of a payee's PDF: "Form W-2 2007 - LAST, FIRST" or "Form
// 1099-MISC 2007 - NAME" (UTF-8 in the file).
QString PayeePdfTitle(PrintForm form, const PayeeFile& file);

}  // namespace formet
