#pragma once
// What the W-3 page and the 1096 page share on the desktop: a heading, the
// print button, a note on where the figures come from, and the form's sheet
// in a scroll area. Everything on them is read-only and recomputed from the
// document on every refresh.
#include <QString>

#include <string>

#include "kit/ui/pages.h"

class QLabel;
class QScrollArea;

namespace formet {

class CColorButton;

class CTransmittalPage : public CPage {
  Q_OBJECT
 public:
  CColorButton* PrintButton() const { return print_; }
  QLabel* ProblemLine() const { return problem_; }
  QScrollArea* ScrollArea() const { return scroll_; }

 public slots:
  // The print button: filled by printing.
  virtual void OnPrint() = 0;

 protected:
  CTransmittalPage(CGlobalDoc& doc, UiServices& ui, const QString& title, const QString& printCaption,
                   const QString& note, QWidget* parent);
  // Puts the sheet (and what follows it) below the header; call once.
  void Finish(QWidget* sheet, QWidget* afterSheet = nullptr);
  // Shows above the sheet why some totals cannot be shown (hidden when the
  // text is empty).
  void ShowProblem(const std::string& win1252);

  UiServices& ui_;

 private:
  CColorButton* print_;
  QLabel* problem_;
  QScrollArea* scroll_ = nullptr;
};

// A right-aligned read-only field for a total.
class CShownField;
CShownField* TotalField(const QString& name, QWidget* parent);

}  // namespace formet
