#pragma once
// Printing the corrections from the desktop: the W-2c's (a copy, the W-2c
// selected or every one), the W-3c and an employee's reissued statement,
// each through the print options of its own, the print-anyway question for
// W-2c's whose correct column the checks find fault with, the values that
// would be cut, then the print dialog (a printer or a PDF file).
#include <QDialog>

#include <optional>

#include "forms/print/ui/print_flow.h"
#include "forms/w2/w2c_print.h"

class QComboBox;
class QRadioButton;

namespace formet {

// What a W-2c print takes: the copy and whose W-2c's (-1: every employee's).
struct W2cPrintChoice {
  W2cCopy copy = W2cCopy::CopyB;
  int32_t employeeId = -1;
};

// The W-2c print options: the copy (Copy A on the red-ink form or its laser
// substitute, Copies 1, B, C, 2, D on blank paper) and the W-2c selected or
// every W-2c. With `w3c`, the W-3c's: red-ink form or blank paper.
class CW2cPrintOptionsDlg : public QDialog {
  Q_OBJECT
 public:
  CW2cPrintOptionsDlg(bool w3c, bool hasSelected, QWidget* parent);
  W2cCopy Copy() const;
  bool OnlySelected() const;
  bool RedInk() const;  // the W-3c
  QComboBox* Copies() const { return copies_; }

 private:
  bool w3c_;
  QComboBox* copies_;
  QRadioButton *selected_ = nullptr, *every_ = nullptr;
};

// The user's offsets of the red-ink W-2 serve the red-ink W-2c and W-3c.
RedInkOffsets W2cRedInkOffsets(CGlobalDoc& doc);

// The flows after the options; true when a job went to the sink (by default
// the print dialog).
bool PrintW2cForms(QWidget* parent, CGlobalDoc& doc, UiServices& ui, const W2cPrintChoice& choice,
                   const PrintSink& sink = {});
bool PrintW3cForm(QWidget* parent, CGlobalDoc& doc, UiServices& ui, bool redInk, const PrintSink& sink = {});
// The reissued statement of the employee (EmployeeUniqueID).
bool PrintReissuedStatement(QWidget* parent, CGlobalDoc& doc, UiServices& ui, int32_t employeeId,
                            const PrintSink& sink = {});

}  // namespace formet
