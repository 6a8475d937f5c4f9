#include "import/line_splitter.h"

namespace formet {

size_t SplitLine(std::string_view line, char delimiter, char qualifier, std::vector<std::string>& values,
                 size_t maxValues, SplitEnd* end) {
  if (end) {
    *end = SplitEnd{};
    maxValues = static_cast<size_t>(-1);
  }
  if (line.empty() || maxValues == 0) return 0;
  size_t count = 0;
  const auto open = [&]() -> std::string& {
    if (count == values.size()) values.emplace_back();
    std::string& value = values[count];
    value.clear();
    return value;
  };
  std::string* value = &open();
  bool quoted = false;
  const size_t n = line.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = line[i];
    if (c == qualifier) {
      if (quoted && i + 1 < n && line[i + 1] == qualifier) {
        // A doubled qualifier inside a stretch is one qualifier character.
        *value += qualifier;
        ++i;
      } else {
        quoted = !quoted;
        if (quoted && end) end->openedIn = count;
      }
    } else if (c == delimiter && !quoted) {
      if (++count == maxValues) return count;
      // A delimiter that ends the line opens no value after it.
      if (i + 1 == n) return count;
      value = &open();
    } else {
      // Copy the run of ordinary characters at once.
      size_t j = i + 1;
      while (j < n && line[j] != qualifier && (quoted || line[j] != delimiter)) ++j;
      value->append(line.data() + i, j - i);
      i = j - 1;
    }
  }
  if (end) end->quoteOpen = quoted;
  return ++count;
}

std::vector<std::string> SplitLine(std::string_view line, char delimiter, char qualifier) {
  std::vector<std::string> values;
  values.resize(SplitLine(line, delimiter, qualifier, values));
  return values;
}

}  // namespace formet
