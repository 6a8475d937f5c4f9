#include "import/table_file.h"

#include "import/delimited_file.h"
#include "store/text_codec.h"

namespace formet {

std::optional<TextTable> ReadTableFile(const std::filesystem::path& path, std::string& problem) {
  ImportTable best;
  for (const char delimiter : {',', ';', '\t'}) {
    ImportTable table;
    const ReadResult read = ReadDelimitedFile(path, delimiter, '"', table);
    if (!read.HasTable()) {
      problem = "The file " + Utf8ToWin1252(path.string()).value_or(path.string()) + " cannot be read: " +
                read.message;
      return std::nullopt;
    }
    if (table.ColumnCount() > best.ColumnCount()) best = std::move(table);
  }
  TextTable out;
  for (size_t r = 0; r < best.RowCount(); ++r) {
    std::vector<std::string> row;
    for (size_t c = 0; c < best.ColumnCount(); ++c)
      row.emplace_back(best.IsRefused(r, c) ? std::string_view() : best.Cell(r, c));
    if (r == 0) out.header = std::move(row);
    else out.rows.push_back(std::move(row));
  }
  return out;
}

}  // namespace formet
