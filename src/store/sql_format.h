#pragma once
// The one statement builder of the data store: printf-style "%s" and "%d"
// substitution. Every text value is quote-escaped as it is substituted (each
// single quote doubled), so an apostrophe in any field stores and reads back
// as one apostrophe and no value can end its literal early.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace formet {

using SqlArg = std::variant<int32_t, std::string_view>;

// "%d" takes an integer, "%s" a text; "%%" gives one percent sign. A
// placeholder whose argument is missing or of the other kind is a
// programming error and throws std::logic_error.
std::string FormatSql(std::string_view format, std::span<const SqlArg> args);
inline std::string FormatSql(std::string_view format, std::initializer_list<SqlArg> args) {
  return FormatSql(format, std::span<const SqlArg>(args.begin(), args.size()));
}
void AppendSqlText(std::string& out, std::string_view text);  // quote-doubled

}  // namespace formet
