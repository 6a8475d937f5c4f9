#pragma once
// A GUI application for the PDF writer, and the words of a PDF file with
// their boxes as poppler's pdftotext reads them.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>
#include <sys/wait.h>
#include <string>
#include <vector>

#include "store/records.h"
#include "store/settings_store.h"
#include "store/ui_services.h"
#include "test_support.h"
#include "tool_run.h"

namespace formet::test {

class GuiAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "formet-print-tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QGuiApplication> app_;
};

inline ::testing::Environment* const kGuiAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiAppEnvironment);

// One word of a PDF page, its box in millimetres from the page's top-left.
struct PdfWord {
  int page = 0;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
  std::string text;
};

inline std::vector<PdfWord> PdfWords(const std::filesystem::path& pdf) {
  const ToolResult r = RunTool("pdftotext -bbox " + Quoted(pdf) + " - 2>/dev/null");
  EXPECT_EQ(r.code, 0) << "pdftotext failed on " << pdf;
  std::vector<PdfWord> words;
  static const std::regex kWord(
      R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
  int page = 0;
  size_t at = 0;
  while (true) {
    const size_t nextPage = r.out.find("<page ", at);
    const size_t nextWord = r.out.find("<word ", at);
    if (nextWord == std::string::npos) break;
    if (nextPage != std::string::npos && nextPage < nextWord) {
      ++page;
      at = nextPage + 1;
      continue;
    }
    const size_t end = r.out.find('\n', nextWord);
    std::smatch m;
    const std::string line = r.out.substr(nextWord, end - nextWord);
    if (std::regex_search(line, m, kWord)) {
      constexpr double kMm = 25.4 / 72.0;
      words.push_back({page, std::stod(m[1]) * kMm, std::stod(m[2]) * kMm, std::stod(m[3]) * kMm,
                       std::stod(m[4]) * kMm, m[5]});
    }
    at = end;
  }
  return words;
}

inline const PdfWord* FindWord(const std::vector<PdfWord>& words, const std::string& text, int page = 1) {
  for (const auto& w : words)
    if (w.text == text && w.page == page) return &w;
  return nullptr;
}

}  // namespace formet::test
