#pragma once
// What the two electronic filing dialogs share: the fields of the submitter
// or transmitter record in titled groups, the report of every problem, and
// the way from the fields to the written file (save the record, check and
// build the file, show the report, ask where to save it, write it).
#include <QDialog>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "forms/efile_common.h"
#include "records/ui/field_controls.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QTextBrowser;

namespace formet {

class CGlobalDoc;

// The report of a file's problems, errors first. With an error standing it
// only closes ("Close"); with warnings only, "Write the File..." goes on and
// "Cancel" stops.
class CFilingReportDlg : public QDialog {
  Q_OBJECT
 public:
  CFilingReportDlg(const efile::Report& report, const QString& title, bool offerToWrite, QWidget* parent = nullptr);
  QTextBrowser* List() const { return list_; }

 private:
  QTextBrowser* list_;
};

// The file a dialog built: its report, its bytes and what it holds.
struct FilingBuild {
  efile::Report report;
  std::string bytes;
  std::string summary;  // Windows-1252
  bool cancelled = false;  // stopped in its progress window: nothing to write
};

class CEFilingDlg : public QDialog {
  Q_OBJECT
 public:
  // Asks where to save the file; the desktop's file dialog unless replaced
  // (tests). Returns the chosen path, or an empty text when cancelled.
  using PathChooser = std::function<QString(const QString& suggested)>;
  void SetPathChooser(PathChooser chooser) { choosePath_ = std::move(chooser); }

  FieldControls& Controls() { return controls_; }
  QCheckBox* Option() const { return option_; }
  QPushButton* CreateButton() const { return create_; }
  QPushButton* CheckButton() const { return check_; }
  // The file last written, for the confirmation and tests.
  const QString& WrittenPath() const { return written_; }
  // The number of forms above which building the file shows its progress.
  void SetProgressThreshold(size_t forms) { progressForms_ = forms; }

 protected:
  // `kind` names the file in messages ("wage file"); `helpPage` is the
  // user's guide page of this file; `option` the caption of the per-file
  // choice.
  CEFilingDlg(CGlobalDoc& doc, const QString& title, const QString& intro, const QString& kind,
              const QString& helpPage, const QString& option, QWidget* parent);

  // Lays the fields of a table out in titled groups, in two columns:
  // `leftGroups` on the left, the others on the right.
  template <class R>
  void BuildFields(std::span<const FieldSpec<R>> fields, std::span<const char* const> captions, int leftGroups) {
    std::vector<FieldLayoutEntry> entries;
    for (const auto& field : fields) {
      QWidget* control = controls_.Add(field, this);
      entries.push_back({field.tab, field.kind == FieldKind::CheckBox, field.label, control});
    }
    LayOut(entries, captions, leftGroups);
  }

  // Stores the fields in the company; false (the user told why) when the save failed.
  virtual bool SaveRecord() = 0;
  // Checks and builds the file from what the company holds now.
  virtual FilingBuild Build() = 0;
  // The name the save dialog suggests.
  virtual QString SuggestedFileName() const = 0;
  // What the user does next with a written file.
  virtual QString NextSteps() const = 0;

  CGlobalDoc& doc_;
  size_t progressForms_ = efile::kEfileProgressForms;

 private:
  struct FieldLayoutEntry {
    int group;
    bool checkBox;
    const char* label;
    QWidget* control;
  };
  void LayOut(const std::vector<FieldLayoutEntry>& entries, std::span<const char* const> captions, int leftGroups);
  // Saves and builds; shows the report when there is a problem. The build,
  // when it may be written (no error, warnings accepted).
  std::optional<FilingBuild> SaveAndBuild(bool offerToWrite);
  void OnCheck();
  void OnCreate();

  QString title_;
  QString kind_;
  QString helpPage_;
  FieldControls controls_;
  QGridLayout* grid_ = nullptr;
  QScrollArea* area_ = nullptr;
  QCheckBox* option_ = nullptr;
  QPushButton* check_ = nullptr;
  QPushButton* create_ = nullptr;
  PathChooser choosePath_;
  QString written_;
};

}  // namespace formet
