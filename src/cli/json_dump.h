#pragma once
#include <iosfwd>
#include <string>
#include <string_view>

namespace formet {
class CGlobalDoc;

// Appends a text of the company files (Windows-1252) as a JSON string in UTF-8.
void AppendJsonString(std::string& out, std::string_view win1252);

// Writes the loaded company to `out` as one JSON object: "version" and the
// nine record sets, fields keyed by column name, texts in UTF-8, ids and flags
// as numbers. The text goes out as it is made, never held whole.
void WriteCompanyJson(CGlobalDoc& doc, const std::string& version, std::ostream& out);

}  // namespace formet
