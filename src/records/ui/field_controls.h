#pragma once
// The controls of a page or dialog built from its field table: a masked edit
// field for text, mask and amount fields, a drop-down list for State and Kind
// of Payer, a check box for flags. The controls read and write PageValues in
// the order they were added (the order of the field table), so the page
// hands them to the core's rules as they are.
#include <QString>
#include <functional>
#include <vector>

#include "kit/ui/masked_edit.h"
#include "records/field_table.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QWidget;

namespace formet {

class FieldControls {
 public:
  // Makes the control of one field (named after its column, so it can be
  // found) and returns it. Check boxes carry their label; the others take a
  // label of their own (Label()).
  template <class R>
  QWidget* Add(const FieldSpec<R>& field, QWidget* parent) {
    QWidget* control = nullptr;
    if (field.IsEdit()) {
      auto* edit = new CMaskedEdit(parent);
      ConfigureEdit(field, *edit);
      control = edit;
    } else {
      control = MakeChoice(field.kind, field.label, field.choices, parent);
    }
    control->setObjectName(QString::fromLatin1(field.column));
    controls_.push_back({field.kind, control});
    SizeControl(controls_.back());
    return control;
  }

  size_t Count() const { return controls_.size(); }
  QWidget* At(size_t i) const { return i < controls_.size() ? controls_[i].widget : nullptr; }

  PageValues Values() const;
  void SetValues(const PageValues& values);
  // Calls `changed` whenever a control changes (typing, a list, a check box).
  void OnChanged(QObject* context, const std::function<void()>& changed) const;

  // The caption of a field as a label, lines kept; with a maxWidth, longer
  // lines break at a space.
  static QLabel* Label(const char* caption, QWidget* parent, int maxWidth = 0);

 private:
  struct Control {
    FieldKind kind;
    QWidget* widget;
  };

  static QWidget* MakeChoice(FieldKind kind, const char* label, std::span<const ChoiceEntry> choices,
                             QWidget* parent);
  // Sized from the font and the field's rule, so that no value is clipped.
  static void SizeControl(const Control& control);

  std::vector<Control> controls_;
};

// A page's heading: the title in the program's colours over a thin rule.
QWidget* PageHeading(const QString& title, QWidget* parent);

}  // namespace formet
