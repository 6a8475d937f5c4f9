#include "cli/review_command.h"

#include <ostream>

#include "cli/command_line_ui.h"
#include "cli/json_dump.h"
#include "forms/form_review.h"
#include "store/global_doc.h"
#include "store/text_codec.h"

namespace formet::cli {
namespace {

constexpr const char* kReview = "review";

std::string Plural(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string JsonOf(const std::string& company, const std::vector<ReviewRow>& rows, const ReviewSummary& summary) {
  std::string json = "{\"company\":";
  AppendJsonString(json, company);
  json += ",\"forms\":[";
  for (size_t i = 0; i < rows.size(); ++i) {
    const ReviewRow& row = rows[i];
    if (i > 0) json += ",";
    json += "{\"form\":";
    AppendJsonString(json, row.FormName());
    json += ",\"status\":";
    AppendJsonString(json, ReviewStatusName(row.Status()));
    json += ",\"name\":";
    AppendJsonString(json, row.name);
    json += ",\"number\":";
    AppendJsonString(json, row.number);
    json += ",\"boxes\":{";
    bool first = true;
    for (size_t b = 0; b < row.boxes.size(); ++b) {
      if (row.boxes[b].empty()) continue;
      json += first ? "\"" : ",\"";
      json += std::to_string(b + 1) + "\":";
      AppendJsonString(json, row.boxes[b]);
      first = false;
    }
    json += "},\"state\":";
    AppendJsonString(json, row.state);
    json += ",\"problems\":[";
    for (size_t p = 0; p < row.problems.size(); ++p) {
      if (p > 0) json += ",";
      json += "{\"severity\":";
      AppendJsonString(json, row.problems[p].severity == efile::Severity::Error ? "error" : "warning");
      json += ",\"text\":";
      AppendJsonString(json, row.problems[p].what);
      json += "}";
    }
    json += "]}";
  }
  json += "],\"complete\":" + std::to_string(summary.complete) + ",\"warnings\":" + std::to_string(summary.warnings) +
          ",\"errors\":" + std::to_string(summary.errors) + "}\n";
  return json;
}

}  // namespace

bool IsReviewCommand(const std::string& command) { return command == kReview; }

int RunReviewCommand(CGlobalDoc& doc, CommandLineUi& ui, const std::vector<std::string>& args, std::ostream& out,
                     std::ostream& err) {
  const bool json = args.size() == 2 && args[1] == "--json";
  if (args.empty() || args.size() > 2 || (args.size() == 2 && !json)) {
    err << "formet-cli: review takes a company name and, if wanted, --json\n";
    return 2;
  }
  if (!LoadCompany(doc, ui, args[0], err, CompanyUse::ReadOnly)) return 1;
  const std::vector<ReviewRow> rows = ReviewForms(ReviewSourceOf(doc));
  const ReviewSummary summary = Summarize(rows);
  if (json) {
    out << JsonOf(doc.CompanyName(), rows, summary);
  } else {
    for (const std::string& line : ProblemLines(rows)) out << Win1252ToUtf8(line) << "\n";
    out << Plural(rows.size(), "form", "forms") << ": " << summary.complete << " complete, "
        << summary.warnings << " with warnings, " << summary.errors << " with errors\n";
  }
  return summary.errors > 0 ? 1 : 0;
}

}  // namespace formet::cli
