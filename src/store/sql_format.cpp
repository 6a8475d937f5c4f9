#include "store/sql_format.h"

#include <stdexcept>

namespace formet {

void AppendSqlText(std::string& out, std::string_view text) {
  for (char c : text) {
    out += c;
    if (c == '\'') out += '\'';
  }
}

std::string FormatSql(std::string_view format, std::span<const SqlArg> args) {
  std::string out;
  out.reserve(format.size() + 16 * args.size());
  auto next = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%' || i + 1 == format.size()) {
      out += c;
      continue;
    }
    const char kind = format[++i];
    if (kind == '%') {
      out += '%';
      continue;
    }
    if (next == args.end()) throw std::logic_error("FormatSql: too few arguments");
    if (kind == 'd' && std::holds_alternative<int32_t>(*next)) {
      out += std::to_string(std::get<int32_t>(*next));
    } else if (kind == 's' && std::holds_alternative<std::string_view>(*next)) {
      AppendSqlText(out, std::get<std::string_view>(*next));
    } else {
      throw std::logic_error("FormatSql: placeholder and argument differ");
    }
    ++next;
  }
  if (next != args.end()) throw std::logic_error("FormatSql: too many arguments");
  return out;
}

}  // namespace formet
