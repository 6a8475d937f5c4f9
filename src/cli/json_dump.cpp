#include "cli/json_dump.h"

#include <cstdio>

#include "store/global_doc.h"
#include "store/text_codec.h"

namespace formet {

void AppendJsonString(std::string& out, const std::string& win1252) {
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
    if (field.IsText()) AppendJsonString(out, record.*std::get<std::string R::*>(field.member));
    else out += std::to_string(record.*std::get<int32_t R::*>(field.member));
  }
  out += "\n";
  out += indent;
  out += "}";
}

template <class R>
void AppendList(std::string& out, const std::vector<R>& list) {
  out += "[";
  for (size_t i = 0; i < list.size(); ++i) {
    out += i ? ",\n    " : "\n    ";
    AppendRecord(out, list[i], "    ");
  }
  out += list.empty() ? "]" : "\n  ]";
}

}  // namespace

std::string CompanyJson(CGlobalDoc& doc, const std::string& version) {
  std::string out = "{\n  \"version\": ";
  AppendJsonString(out, version);
  out += ",\n  \"company\": ";
  AppendRecord(out, doc.GetCompany(), "  ");
  out += ",\n  \"employees\": ";
  AppendList(out, doc.GetEmployees());
  out += ",\n  \"contractors\": ";
  AppendList(out, doc.GetContractors());
  out += ",\n  \"w2\": ";
  AppendList(out, doc.GetW2Forms());
  out += ",\n  \"form1099\": ";
  AppendList(out, doc.GetForms1099());
  out += ",\n  \"w3\": ";
  AppendList(out, doc.GetW3List());
  out += ",\n  \"form1096\": ";
  AppendRecord(out, doc.GetForm1096(), "  ");
  out += ",\n  \"transmitter\": ";
  AppendRecord(out, doc.GetTransmitter(), "  ");
  out += ",\n  \"submitter\": ";
  AppendRecord(out, doc.GetSubmitter(), "  ");
  out += "\n}\n";
  return out;
}

}  // namespace formet
