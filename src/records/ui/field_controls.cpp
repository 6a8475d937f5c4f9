#include "records/ui/field_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/qt_text.h"
#include "records/states.h"

namespace formet {

QWidget* FieldControls::MakeChoice(FieldKind kind, const char* label, std::span<const ChoiceEntry> choices,
                                   QWidget* parent) {
  if (kind == FieldKind::CheckBox) return new QCheckBox(ToQt(label), parent);
  auto* list = new QComboBox(parent);
  if (kind == FieldKind::CodeList) {
    for (const auto& entry : choices) list->addItem(ToQt(std::string(entry.caption)));
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
  }
  const auto entries = kind == FieldKind::StateList ? StateTable() : KindOfPayerList();
  for (const auto entry : entries) list->addItem(ToQt(std::string(entry)));
  list->setMaxVisibleItems(16);
  return list;
}

void FieldControls::SizeControl(const Control& control, int characters) {
  QWidget* w = control.widget;
  const QFontMetrics fm(w->font());
  switch (control.kind) {
    case FieldKind::Text:
    case FieldKind::Mask:
    case FieldKind::Amount: {
      // Room for what can be typed (long fields stop at a comfortable width),
      // never narrower than a short code needs.
      const int shown = std::clamp(characters, 2, 42);
      w->setFixedWidth(fm.averageCharWidth() * shown + fm.averageCharWidth() * 2 + 12);
      break;
    }
    case FieldKind::StateList: w->setFixedWidth(fm.horizontalAdvance(QStringLiteral("WWW")) + 40); break;
    case FieldKind::KindOfPayer:
      w->setFixedWidth(fm.horizontalAdvance(QStringLiteral("Medicare govt. emp.")) + 48);
      break;
    case FieldKind::CheckBox:
    case FieldKind::CodeList: break;
  }
}

PageValues FieldControls::Values() const {
  PageValues values(controls_.size());
  for (size_t i = 0; i < controls_.size(); ++i) {
    const auto& c = controls_[i];
    switch (c.kind) {
      case FieldKind::StateList:
      case FieldKind::KindOfPayer:
      case FieldKind::CodeList: values[i].choice = static_cast<QComboBox*>(c.widget)->currentIndex(); break;
      case FieldKind::CheckBox: values[i].choice = static_cast<QCheckBox*>(c.widget)->isChecked() ? 1 : 0; break;
      default: values[i].text = static_cast<CMaskedEdit*>(c.widget)->Text(); break;
    }
  }
  return values;
}

void FieldControls::SetValues(const PageValues& values) {
  for (size_t i = 0; i < controls_.size() && i < values.size(); ++i) {
    const auto& c = controls_[i];
    const auto& v = values[i];
    switch (c.kind) {
      case FieldKind::StateList:
      case FieldKind::KindOfPayer:
      case FieldKind::CodeList: static_cast<QComboBox*>(c.widget)->setCurrentIndex(v.choice); break;
      case FieldKind::CheckBox: static_cast<QCheckBox*>(c.widget)->setChecked(v.choice > 0); break;
      default: static_cast<CMaskedEdit*>(c.widget)->SetText(v.text); break;
    }
  }
}

QLabel* FieldControls::Label(const char* caption, QWidget* parent) {
  auto* label = new QLabel(ToQt(caption), parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QWidget* PageHeading(const QString& title, QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(6);
  auto* heading = new QLabel(title, box);
  QFont f = heading->font();
  f.setPointSizeF(f.pointSizeF() * 1.6);
  f.setBold(true);
  heading->setFont(f);
  heading->setStyleSheet(QStringLiteral("color: #1f3b5c;"));
  layout->addWidget(heading);
  auto* rule = new QFrame(box);
  rule->setFrameShape(QFrame::HLine);
  rule->setStyleSheet(QStringLiteral("color: #c9d3de;"));
  layout->addWidget(rule);
  return box;
}

}  // namespace formet
