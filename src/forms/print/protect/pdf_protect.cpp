#include "forms/print/protect/pdf_protect.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace formet {

std::optional<std::string> ProtectPdf(std::string_view pdf, const std::string& passwordUtf8, std::string& problem) {
  if (passwordUtf8.empty() || passwordUtf8.size() > 127) {
    problem = "a password needs 1 to 127 bytes";
    return std::nullopt;
  }
  try {
    QPDF document;
    document.setSuppressWarnings(true);
    document.processMemoryFile("payee copy", pdf.data(), pdf.size());
    QPDFWriter writer(document);
    writer.setOutputMemory();
    writer.setR6EncryptionParameters(passwordUtf8.c_str(), passwordUtf8.c_str(), /*accessibility*/ true,
                                     /*extract*/ true, /*assemble*/ false, /*annotate_and_form*/ false,
                                     /*form_filling*/ false, /*modify_other*/ false, qpdf_r3p_full,
                                     /*encrypt_metadata*/ true);
    writer.write();
    const auto buffer = writer.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
  } catch (const std::exception& e) {
    problem = e.what();
    return std::nullopt;
  }
}

}  // namespace formet
