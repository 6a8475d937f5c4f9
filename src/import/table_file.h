#pragma once
// A small table the user keeps in a CSV file (the passwords of the payees'
// PDF files): read as the import reads its files, whatever the spreadsheet
// saved it as, comma, semicolon or tab separated (the one that gives the
// header the most columns), first line a header.
#include <filesystem>
#include <optional>
#include <string>

#include "forms/payee_files.h"

namespace formet {

// The table, or nullopt with the reason in `problem` (Windows-1252). A value
// that cannot be kept in Windows-1252 reads as empty.
std::optional<TextTable> ReadTableFile(const std::filesystem::path& path, std::string& problem);

}  // namespace formet
