#pragma once
// The print options dialogs of the four forms. Each shows the form's print
// settings, enables its controls as the chosen type of paper requires, and on
// OK checks and stores the choices in the settings (offsets signed). Its
// "Preview..." button shows the job the current choices would print, before
// anything is printed, with the 2007 form behind red-ink data; "Print
// Alignment Page" (red-ink only) prints one form of sample data with
// crosshairs and rulers at the current offsets, so the user can read off the
// offsets against a pre-printed form. Neither stores anything.
#include <QDialog>

#include <functional>
#include <memory>

#include "forms/print/print_layout.h"
#include "forms/print/print_options.h"
#include "forms/print/ui/print_flow.h"

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QRadioButton;
class QVBoxLayout;

namespace formet {

class CMaskedEdit;
class CPayeeFilesBox;

// Builds the job that the given settings would print, for the preview (it
// asks and says nothing); nullptr when there is nothing to print.
using PreviewJobFactory = std::function<std::unique_ptr<FormPrintJob>(const FormPrintSettings&)>;

class CPrintOptionsDlg : public QDialog {
  Q_OBJECT
 public:
  CPrintOptionsDlg(PrintForm form, FormPrintSettings& settings, PreviewJobFactory preview, QWidget* parent);

  // What the controls show, as the rules take it.
  PrintOptionsEntry Entry() const;
  void SetEntry(const PrintOptionsEntry& entry);

  // The controls, for tests and for the pages' help.
  CMaskedEdit* HorizontalOffset() const { return horizontal_; }
  CMaskedEdit* VerticalOffset() const { return vertical_; }
  CMaskedEdit* VerticalSpace() const { return space_; }
  QComboBox* CopyList() const { return copies_; }
  QAbstractButton* PreviewButton() const { return previewButton_; }
  QAbstractButton* AlignmentPageButton() const { return alignmentButton_; }
  // "One PDF file per employee" (per recipient): the W-2 and 1099-MISC only.
  CPayeeFilesBox* PayeeFiles() const { return payeeFiles_; }
  // Where the alignment page goes: the platform's print dialog unless told.
  void SetAlignmentSink(PrintSink sink) { alignmentSink_ = std::move(sink); }
  // The type buttons in the order of the entry's paper value.
  QRadioButton* PaperButton(int paper) const;
  QRadioButton* TargetButton(int target) const;
  QRadioButton* DirectionButton(bool horizontal, int direction) const;

  void accept() override;

 private:
  void Build();
  // The parts of the dialog, top to bottom.
  QGroupBox* BuildTargetGroup();
  QWidget* BuildOffsets();
  QGroupBox* BuildTypeGroup();
  void BuildSpaceRow(QVBoxLayout* layout);
  void BuildButtonRow(QVBoxLayout* layout);
  void UpdateEnabling();
  // The choices checked as OK checks them, into `settings`; false after the
  // refusal was shown.
  bool Confirm(FormPrintSettings& settings);
  void Preview();
  void PrintAlignmentPage();

  PrintForm form_;
  FormPrintSettings& settings_;
  PreviewJobFactory preview_;

  QRadioButton* target_[2] = {};
  QRadioButton* paper_[3] = {};  // by the entry's paper value
  QComboBox* copies_ = nullptr;
  QGroupBox* offsetGroup_ = nullptr;
  QGroupBox* horizontalGroup_ = nullptr;  // W-3 and 1096: one group per offset
  QGroupBox* verticalGroup_ = nullptr;
  CMaskedEdit* horizontal_ = nullptr;
  CMaskedEdit* vertical_ = nullptr;
  CMaskedEdit* space_ = nullptr;
  QRadioButton* left_ = nullptr;
  QRadioButton* right_ = nullptr;
  QRadioButton* up_ = nullptr;
  QRadioButton* down_ = nullptr;
  QAbstractButton* previewButton_ = nullptr;
  QAbstractButton* alignmentButton_ = nullptr;
  QGroupBox* targetGroup_ = nullptr;
  QGroupBox* typeGroup_ = nullptr;
  CPayeeFilesBox* payeeFiles_ = nullptr;
  PrintSink alignmentSink_ = PrintWithDialog;
};

// "Set W2 Print Options".
class CW2PrintOptionsDlg : public CPrintOptionsDlg {
  Q_OBJECT
 public:
  CW2PrintOptionsDlg(FormPrintSettings& settings, PreviewJobFactory preview, QWidget* parent)
      : CPrintOptionsDlg(PrintForm::W2, settings, std::move(preview), parent) {}
};

// The W-3's dialog, whose title bar shows no text.
class CW3PrintOptionsDlg : public CPrintOptionsDlg {
  Q_OBJECT
 public:
  CW3PrintOptionsDlg(FormPrintSettings& settings, PreviewJobFactory preview, QWidget* parent)
      : CPrintOptionsDlg(PrintForm::W3, settings, std::move(preview), parent) {}
};

// "Set 1099 Print Options".
class C1099PrintOptionsDlg : public CPrintOptionsDlg {
  Q_OBJECT
 public:
  C1099PrintOptionsDlg(FormPrintSettings& settings, PreviewJobFactory preview, QWidget* parent)
      : CPrintOptionsDlg(PrintForm::Form1099, settings, std::move(preview), parent) {}
};

// "Set 1096 Print Options".
class C1096PrintOptionsDlg : public CPrintOptionsDlg {
  Q_OBJECT
 public:
  C1096PrintOptionsDlg(FormPrintSettings& settings, PreviewJobFactory preview, QWidget* parent)
      : CPrintOptionsDlg(PrintForm::Form1096, settings, std::move(preview), parent) {}
};

}  // namespace formet
