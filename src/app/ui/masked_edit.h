#pragma once
// CMaskedEdit: the input field of every page and dialog that has input rules.
// A QLineEdit that hands every key press, paste, cut, clear and programmatic
// text change to the masked-edit rules and shows their result.
#include <QLineEdit>
#include <string>

#include "app/maskedit/masked_edit_rules.h"

namespace formet {

class CMaskedEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit CMaskedEdit(QWidget* parent = nullptr);

  void SetTextRule(int maxLength, const std::string& refused);
  void SetMask(const std::string& mask);
  void SetNumberRule(int wholeDigits, int decimals);
  void SetWholeDigits(int n);
  void SetDecimals(int f);
  void SetSignAllowed(bool on);
  void SetMaxLength(int n);
  void SetRefused(const std::string& chars);

  // The text in the code page of records (Windows-1252).
  std::string Text() const;
  // Sets the text as the program does: the rule makes it valid.
  void SetText(const std::string& win1252);

  // The user's negative sign and separators, for numeric fields.
  static maskedit::NumberLocale UserNumberLocale();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Pull();                                  // widget -> model
  // model -> widget; a change the user made is announced as textEdited.
  void Push(const maskedit::Effects& effects, bool byUser = true);
  void TypeText(const QString& text);
  void Paste();
  void Cut();
  void Clear();
  void AfterSetting();

  maskedit::MaskedEdit model_;
};

}  // namespace formet
