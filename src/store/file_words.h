#pragma once
// What went wrong with a file, in words a user understands. Texts are
// Windows-1252, like every message of the program.
#include <filesystem>
#include <string>

namespace formet {

// A path as a message shows it: its UTF-8 name in Windows-1252, and bytes
// that have no such form as \xNN.
std::string ShownPath(const std::filesystem::path& path);

// A system error (errno) as the end of a sentence, without a final period:
// "the disk is full", "you are not allowed to write there".
std::string FileErrorInWords(int error);

}  // namespace formet
