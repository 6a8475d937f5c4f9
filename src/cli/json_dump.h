#pragma once
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace formet {
class CGlobalDoc;

// Appends a text of the company files (Windows-1252) as a JSON string in UTF-8.
void AppendJsonString(std::string& out, std::string_view win1252);

// Writes the loaded company to `out` as one JSON object: "version" and the
// nine record sets, fields keyed by column name, texts in UTF-8, ids and flags
// as numbers. The text goes out as it is made, never held whole.
void WriteCompanyJson(CGlobalDoc& doc, const std::string& version, std::ostream& out);

// One JSON object, keys in the order added; `depth` is how deep it is nested.
class JsonObject {
 public:
  explicit JsonObject(int depth = 0) : depth_(depth) {}
  JsonObject& Text(const std::string& key, const std::string& win1252) {
    Key(key);
    AppendJsonString(body_, win1252);
    return *this;
  }
  JsonObject& Flag(const std::string& key, bool on) {
    Key(key);
    body_ += on ? "true" : "false";
    return *this;
  }
  JsonObject& Null(const std::string& key) {
    Key(key);
    body_ += "null";
    return *this;
  }
  JsonObject& Object(const std::string& key, const JsonObject& inner) {
    Key(key);
    body_ += inner.Str();
    return *this;
  }
  JsonObject& Number(const std::string& key, long long value) {
    Key(key);
    body_ += std::to_string(value);
    return *this;
  }
  // An array of objects made at depth + 2, or of texts.
  JsonObject& Objects(const std::string& key, const std::vector<JsonObject>& items) {
    Key(key);
    if (items.empty()) {
      body_ += "[]";
      return *this;
    }
    body_ += "[";
    for (size_t i = 0; i < items.size(); ++i) {
      body_ += i ? ",\n" : "\n";
      body_ += std::string(2 * depth_ + 4, ' ') + items[i].Str();
    }
    body_ += "\n" + std::string(2 * depth_ + 2, ' ') + "]";
    return *this;
  }
  JsonObject& Texts(const std::string& key, const std::vector<std::string>& win1252) {
    Key(key);
    body_ += "[";
    for (size_t i = 0; i < win1252.size(); ++i) {
      if (i) body_ += ", ";
      AppendJsonString(body_, win1252[i]);
    }
    body_ += "]";
    return *this;
  }
  std::string Str() const { return "{" + body_ + "\n" + std::string(2 * depth_, ' ') + "}"; }

 private:
  void Key(const std::string& key) {
    body_ += body_.empty() ? "\n" : ",\n";
    body_ += std::string(2 * depth_ + 2, ' ');
    AppendJsonString(body_, key);
    body_ += ": ";
  }
  int depth_;
  std::string body_;
};

}  // namespace formet
