#include "records/ui/field_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "kit/ui/qt_text.h"
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

void FieldControls::SizeControl(const Control& control) {
  switch (control.kind) {
    case FieldKind::Text:
    case FieldKind::Mask:
    case FieldKind::Amount: static_cast<CMaskedEdit*>(control.widget)->FitToContent(); break;
    case FieldKind::StateList:
    case FieldKind::KindOfPayer:
      static_cast<QComboBox*>(control.widget)->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      control.widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
      break;
    case FieldKind::CheckBox:
    case FieldKind::CodeList: break;
  }
}

void FieldControls::OnChanged(QObject* context, const std::function<void()>& changed) const {
  for (const auto& c : controls_) {
    switch (c.kind) {
      case FieldKind::StateList:
      case FieldKind::KindOfPayer:
      case FieldKind::CodeList:
        QObject::connect(static_cast<QComboBox*>(c.widget), &QComboBox::currentIndexChanged, context,
                         [changed] { changed(); });
        break;
      case FieldKind::CheckBox:
        QObject::connect(static_cast<QCheckBox*>(c.widget), &QCheckBox::toggled, context, [changed] { changed(); });
        break;
      default:
        QObject::connect(static_cast<QLineEdit*>(c.widget), &QLineEdit::textChanged, context, [changed] { changed(); });
        break;
    }
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

QLabel* FieldControls::Label(const char* caption, QWidget* parent, int maxWidth) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  QString text = ToQt(caption);
  if (maxWidth > 0) {
    // Lines longer than maxWidth break at their last space that fits.
    const QFontMetrics fm(label->font());
    QStringList lines;
    for (const QString& given : text.split('\n')) {
      QString line;
      for (const QString& word : given.split(' ')) {
        const QString longer = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && fm.horizontalAdvance(longer.trimmed()) > maxWidth) {
          lines << line.trimmed();
          line = word;
        } else {
          line = longer;
        }
      }
      lines << line.trimmed();
    }
    text = lines.join('\n');
  }
  label->setText(text);
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
