// Shared helpers of the old-format reader tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace formet::legacy::testing {

inline std::filesystem::path LegacyDataDir() { return std::filesystem::path(FORMET_TEST_DATA_DIR) / "legacy"; }

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string Fixture(const std::string& name) { return ReadBytes(LegacyDataDir() / name); }

// Little-endian accessors for patching the fixtures (all written on x86).
inline std::uint32_t Le32(const std::string& s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
}
inline std::uint32_t Le16(const std::string& s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8;
}
inline void PutLe32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int b = 0; b < 4; ++b) s[at + b] = static_cast<char>((v >> (8 * b)) & 0xFF);
}
inline void PutLe16(std::string& s, std::size_t at, std::uint32_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

// What a successful dump always looks like, whatever the data.
inline bool LooksLikeDump(std::string_view sql) {
    constexpr std::string_view begin = "BEGIN TRANSACTION;\n";
    constexpr std::string_view end = "COMMIT;\n";
    return sql.size() >= begin.size() + end.size() && sql.substr(0, begin.size()) == begin &&
           sql.substr(sql.size() - end.size()) == end;
}

}  // namespace formet::legacy::testing
