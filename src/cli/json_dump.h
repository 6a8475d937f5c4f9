#pragma once
#include <string>

namespace formet {
class CGlobalDoc;

// The loaded company as one JSON object: "version" and the nine record sets,
// fields keyed by column name, texts in UTF-8, ids and flags as numbers.
std::string CompanyJson(CGlobalDoc& doc, const std::string& version);

}  // namespace formet
