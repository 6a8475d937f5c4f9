#include "cli/json_dump.h"

#include <cstdio>
#include <ostream>

#include "store/global_doc.h"
#include "store/text_codec.h"

namespace formet {

void AppendJsonString(std::string& out, std::string_view win1252) {
  out += '"';
  for (char c : Win1252ToUtf8(win1252)) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

namespace {

template <class R>
void AppendRecord(std::string& out, const R& record, const char* indent) {
  out += "{";
  bool first = true;
  for (const auto& field : RecordFields<R>()) {
    out += first ? "\n" : ",\n";
    first = false;
    out += indent;
    out += "  \"";
    out += field.column;
    out += "\": ";
    if (field.IsText()) AppendJsonString(out, field.TextIn(record));
    else out += std::to_string(field.NumberIn(record));
  }
  out += "\n";
  out += indent;
  out += "}";
}

// Records go to the stream as they are made, through a buffer of about 64 KB,
// so a dump holds one record's text at a time beside the company.
class JsonOut {
 public:
  explicit JsonOut(std::ostream& out) : out_(out) { text.reserve(kFlushAt + 4096); }
  ~JsonOut() { Flush(); }
  JsonOut(const JsonOut&) = delete;
  JsonOut& operator=(const JsonOut&) = delete;
  void Flush() {
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    text.clear();
  }
  void Check() {
    if (text.size() >= kFlushAt) Flush();
  }
  std::string text;

 private:
  static constexpr size_t kFlushAt = 64 * 1024;
  std::ostream& out_;
};

template <class R>
void WriteList(JsonOut& out, const std::vector<R>& list) {
  out.text += "[";
  for (size_t i = 0; i < list.size(); ++i) {
    out.text += i ? ",\n    " : "\n    ";
    AppendRecord(out.text, list[i], "    ");
    out.Check();
  }
  out.text += list.empty() ? "]" : "\n  ]";
}

}  // namespace

void WriteCompanyJson(CGlobalDoc& doc, const std::string& version, std::ostream& stream) {
  JsonOut out(stream);
  out.text = "{\n  \"version\": ";
  AppendJsonString(out.text, version);
  out.text += ",\n  \"company\": ";
  AppendRecord(out.text, doc.GetCompany(), "  ");
  out.text += ",\n  \"employees\": ";
  WriteList(out, doc.GetEmployees());
  out.text += ",\n  \"contractors\": ";
  WriteList(out, doc.GetContractors());
  out.text += ",\n  \"w2\": ";
  WriteList(out, doc.GetW2Forms());
  out.text += ",\n  \"form1099\": ";
  WriteList(out, doc.GetForms1099());
  out.text += ",\n  \"w3\": ";
  WriteList(out, doc.GetW3List());
  out.text += ",\n  \"form1096\": ";
  AppendRecord(out.text, doc.GetForm1096(), "  ");
  out.text += ",\n  \"transmitter\": ";
  AppendRecord(out.text, doc.GetTransmitter(), "  ");
  out.text += ",\n  \"submitter\": ";
  AppendRecord(out.text, doc.GetSubmitter(), "  ");
  out.text += "\n}\n";
}

}  // namespace formet
