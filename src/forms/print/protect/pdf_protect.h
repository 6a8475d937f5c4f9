#pragma once
// Protecting a finished PDF file with a password: AES-256 encryption (PDF
// 2.0, security handler revision 6) by the qpdf library, never a cipher of
// our own. A reader opens the file only with the password; once open,
// printing and copying its text are allowed.
//
// Plain C++ over bytes in memory, so that the rules never depend on the
// library and the file is protected before it is written under its name.
#include <optional>
#include <string>
#include <string_view>

namespace formet {

// The PDF `pdf` encrypted with `passwordUtf8` (UTF-8, at most 127 bytes) as
// the password that opens it and that owns it. Returns the encrypted file,
// or nullopt with the reason in `problem` (the library's own words) when the
// bytes are no PDF it can read or the password cannot be used.
std::optional<std::string> ProtectPdf(std::string_view pdf, const std::string& passwordUtf8, std::string& problem);

}  // namespace formet
