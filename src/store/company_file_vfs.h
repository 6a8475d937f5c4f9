#pragma once
// Company files are SQLite 3 databases whose 16-byte header string reads
// "* Formet DB 2 *" plus NUL instead of the engine's standard one. A thin VFS
// over the default one swaps the two strings on the main database file only,
// so the engine sees a standard file while standard files look foreign to it
// (the engine then answers SQLITE_NOTADB, code 26, at the first statement).
// Journals pass through unchanged, so rollback keeps working.
#include <string_view>

namespace formet {

inline constexpr std::string_view kCompanyFileHeader{"* Formet DB 2 *\0", 16};
inline constexpr std::string_view kEngineFileHeader{"SQLite format 3\0", 16};

// Registers the VFS on first use and returns its name for sqlite3_open_v2.
const char* CompanyFileVfs();

}  // namespace formet
