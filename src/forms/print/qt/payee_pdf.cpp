#include "forms/print/qt/payee_pdf.h"

#include <QBuffer>
#include <QPdfWriter>

#include "forms/print/protect/pdf_protect.h"
#include "forms/print/qt/qt_canvas.h"
#include "store/output_file.h"
#include "store/text_codec.h"

namespace formet {
namespace {

std::string Shown(const std::filesystem::path& path) { return Utf8ToWin1252(path.string()).value_or(path.string()); }

}  // namespace

std::optional<QByteArray> DrawJobToPdf(const FormPrintJob& job, const QPageLayout& layout, int resolution,
                                       PictureCache& pictures, const QString& title, std::string& problem) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(resolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Formet (2007)"));
    writer.setPageLayout(layout);
    if (!PrintJobOnDevice(job, writer, pictures)) {
      problem = "the PDF could not be drawn";
      return std::nullopt;
    }
  }
  // A complete PDF ends with its end-of-file mark.
  if (!bytes.right(32).contains("%%EOF")) {
    problem = "the PDF drawn is incomplete";
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::string> WritePayeePdf(const FormPrintJob& job, const std::filesystem::path& path,
                                         const std::optional<std::string>& password, const QPageLayout& layout,
                                         int resolution, PictureCache& pictures, const QString& title) {
  const auto failed = [&](const std::string& why) {
    return "Formet could not write the file " + Shown(path) + ": " + why + ". Nothing was written.";
  };
  if (const auto problem = OutputTargetProblem(path)) return problem;
  std::string problem;
  const auto pdf = DrawJobToPdf(job, layout, resolution, pictures, title, problem);
  if (!pdf) return failed(problem);
  std::string bytes(pdf->constData(), static_cast<size_t>(pdf->size()));
  if (password) {
    // Encrypted in memory, before the file is written under its name.
    auto encrypted = ProtectPdf(bytes, Win1252ToUtf8(*password), problem);
    if (!encrypted) return failed("it could not be protected with its password (" + problem + ")");
    bytes = std::move(*encrypted);
  }
  return WriteOutputFile(path, bytes);
}

QString PayeePdfTitle(PrintForm form, const PayeeFile& file) {
  return QString::fromStdString((form == PrintForm::W2 ? "Form W-2 2007 - " : "Form 1099-MISC 2007 - ") +
                                Win1252ToUtf8(file.name));
}

PayeeFilesWritten WritePayeeFiles(const PayeeSource& source, const std::vector<PayeeFile>& files,
                                  const std::vector<int>& copies, const std::vector<std::string>* passwords,
                                  const std::filesystem::path& folder, const QPageLayout& layout, int resolution,
                                  PictureCache& pictures, const PayeeFilesProgress& progress) {
  PayeeFilesWritten result;
  for (size_t i = 0; i < files.size(); ++i) {
    const PayeeFile& file = files[i];
    const auto job = MakePayeeJob(source, file, copies);
    const std::filesystem::path path = folder / Win1252ToUtf8(file.fileName);
    std::optional<std::string> password;
    if (passwords) password = passwords->at(i);
    if (auto problem = WritePayeePdf(*job, path, password, layout, resolution, pictures,
                                     PayeePdfTitle(source.form, file))) {
      result.problem = std::move(problem);
      return result;
    }
    result.files.push_back(path);
    result.pages += job->PageCount();
    if (progress && !progress(i + 1, files.size()) && i + 1 < files.size()) {
      result.cancelled = true;
      return result;
    }
  }
  return result;
}

}  // namespace formet
