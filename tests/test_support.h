#pragma once
// Shared helpers of the test suites: a scratch folder and a scripted user.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "store/ui_services.h"

namespace formet::test {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("formet-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A file's bytes and modification time: unchanged means not written.
struct FileState {
  std::string bytes;
  struct timespec modified {};
  bool operator==(const FileState& o) const {
    return bytes == o.bytes && modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
  }
};
inline FileState StateOf(const std::filesystem::path& file) {
  struct stat st {};
  ::stat(file.c_str(), &st);
  return {ReadBytes(file), st.st_mtim};
}

inline std::filesystem::path TestData(const std::string& relative) {
  return std::filesystem::path(FORMET_TEST_DATA_DIR) / relative;
}

// Answers the document's questions from a script and records what it was told.
class ScriptedUi : public UiServices {
 public:
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::deque<Answer> answers;  // for Yes/No and Yes/No/Cancel questions, in order
  std::optional<NewCompanyEntry> newCompany;
  std::optional<std::string> choice;
  std::vector<std::string> offeredCompanies;
  std::string title;
  int companyPageShown = 0;
  int employeesPageShown = 0;
  int contractorsPageShown = 0;
  struct Note {
    NoteAnchor anchor;
    std::string title, text;
    int closeAfterMs;
  };
  std::vector<Note> notes;
  // The select dialog: what it was shown, and the answers to give, in order
  // (none left: Cancel, keeping the order it was given).
  std::vector<RowChoice> rowChoices;
  std::deque<RowChoiceAnswer> rowAnswers;
  // The problems asked about before a print, and the answers to give, in
  // order (none left: Print anyway).
  struct PrintAnywayQuestion {
    std::string heading;
    std::vector<std::string> problems;
  };
  std::vector<PrintAnywayQuestion> printAnyway;
  std::deque<bool> printAnywayAnswers;
  // The forms the review opened: employees' W-2s and contractors' 1099-MISCs.
  std::vector<int> employeeW2sShown, contractor1099sShown;

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskPrintAnyway(const std::string& heading, const std::vector<std::string>& problems) override {
    printAnyway.push_back({heading, problems});
    if (printAnywayAnswers.empty()) return true;
    const bool answer = printAnywayAnswers.front();
    printAnywayAnswers.pop_front();
    return answer;
  }
  void ShowEmployeeW2(int employee) override { employeeW2sShown.push_back(employee); }
  void ShowContractor1099(int contractor) override { contractor1099sShown.push_back(contractor); }
  bool AskYesNo(const std::string& q) override { return Next(q) == Answer::Yes; }
  Answer AskYesNoCancel(const std::string& q) override { return Next(q); }
  std::optional<NewCompanyEntry> AskNewCompany() override { return newCompany; }
  std::optional<std::string> ChooseCompany(const std::vector<std::string>& names) override {
    offeredCompanies = names;
    return choice;
  }
  void SetMainWindowTitle(const std::string& t) override { title = t; }
  void ShowCompanyPage() override { ++companyPageShown; }
  void ShowEmployeesPage() override { ++employeesPageShown; }
  void ShowContractorsPage() override { ++contractorsPageShown; }
  void ShowBalloonNote(NoteAnchor anchor, const std::string& t, const std::string& text, int closeAfterMs) override {
    notes.push_back({anchor, t, text, closeAfterMs});
  }
  RowChoiceAnswer ChooseRow(const RowChoice& c) override {
    rowChoices.push_back(c);
    if (rowAnswers.empty()) return {false, std::nullopt, c.sortColumn, c.ascending};
    const RowChoiceAnswer a = rowAnswers.front();
    rowAnswers.pop_front();
    return a;
  }

 private:
  Answer Next(const std::string& q) {
    questions.push_back(q);
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << q;
      return Answer::Cancel;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace formet::test
