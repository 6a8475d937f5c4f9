#pragma once
// The controls of a page or dialog built from its field table: a masked edit
// field for text, mask and amount fields, a drop-down list for State and Kind
// of Payer, a check box for flags. The controls read and write PageValues in
// the order they were added (the order of the field table), so the page
// hands them to the core's rules as they are.
#include <QString>
#include <functional>
#include <vector>

#include "app/ui/masked_edit.h"
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
    SizeControl(controls_.back(), Characters(field), Sample(field));
    return control;
  }

  size_t Count() const { return controls_.size(); }
  QWidget* At(size_t i) const { return i < controls_.size() ? controls_[i].widget : nullptr; }

  PageValues Values() const;
  void SetValues(const PageValues& values);
  // Calls `changed` whenever a control changes (typing, a list, a check box).
  void OnChanged(QObject* context, const std::function<void()>& changed) const;

  // The caption of a field as a label, lines kept.
  static QLabel* Label(const char* caption, QWidget* parent);

 private:
  struct Control {
    FieldKind kind;
    QWidget* widget;
  };

  // What the widest value of a field looks like: a mask with digits, an
  // amount with all its digits, a sign and a separator, text as that many
  // average characters (empty).
  template <class R>
  static QString Sample(const FieldSpec<R>& f) {
    switch (f.kind) {
      case FieldKind::Mask: return QString::fromLatin1(f.mask.data(), static_cast<qsizetype>(f.mask.size())).replace('#', '0');
      case FieldKind::Amount: return QString(f.wholeDigits + f.decimals, '0').prepend('-').append('.');
      default: return {};
    }
  }
  template <class R>
  static int Characters(const FieldSpec<R>& f) {
    return f.kind == FieldKind::Text ? f.TypedLimit() : 0;
  }
  static QWidget* MakeChoice(FieldKind kind, const char* label, std::span<const ChoiceEntry> choices,
                             QWidget* parent);
  static void SizeControl(const Control& control, int characters, const QString& sample);

  std::vector<Control> controls_;
};

// A page's heading: the title in the program's colours over a thin rule.
QWidget* PageHeading(const QString& title, QWidget* parent);

}  // namespace formet
