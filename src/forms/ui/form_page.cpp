#include "forms/ui/form_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "forms/ui/form_sheet.h"
#include "kit/ui/color_button.h"
#include "kit/ui/masked_edit.h"
#include "kit/ui/qt_text.h"

namespace formet {
namespace {
const char* const kFieldProperty = "formField";
}

QWidget* ButtonGroup(const QString& caption, const std::vector<QWidget*>& widgets, QWidget* parent) {
  auto* group = new QFrame(parent);
  group->setObjectName(QStringLiteral("ButtonGroup"));
  group->setStyleSheet(QStringLiteral("QFrame#ButtonGroup { border: 1px solid #c9d3de; border-radius: 4px; }"));
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(8, 4, 8, 8);
  layout->setSpacing(4);
  auto* label = new QLabel(caption, group);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(12);
  font.setWeight(QFont::Black);
  label->setFont(font);
  label->setStyleSheet(QStringLiteral("color: #1f3b5c;"));
  layout->addWidget(label);
  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  for (auto* w : widgets) row->addWidget(w);
  layout->addLayout(row);
  return group;
}

CFormPage::CFormPage(CGlobalDoc& doc, UiServices& ui, const Captions& captions, QWidget* parent)
    : CPage(doc, parent), ui_(ui) {
  setStyleSheet(FormSheetStyle());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 12);
  layout->setSpacing(8);
  layout->addWidget(PageHeading(captions.title, this));
  subtitle_ = new QLabel(this);
  subtitle_->setObjectName(QStringLiteral("Subtitle"));
  subtitle_->setTextFormat(Qt::PlainText);
  subtitle_->setStyleSheet(QStringLiteral("color: #4a5866;"));
  layout->addWidget(subtitle_);

  // Each button has an Alt letter of its own, clear of the menu bar's
  // (Company, Tools, Import Data, Help, Order).
  auto button = [this](const QString& text, const char* name) {
    auto* b = new CColorButton(text, this);
    b->setObjectName(QString::fromLatin1(name));
    return b;
  };
  select_ = button(tr("Se&lect"), "Select");
  next_ = button(tr("&Next"), "Next");
  previous_ = button(tr("Pre&vious"), "Previous");
  save_ = button(tr("&Save"), "Save");
  reset_ = button(tr("&Reset"), "Reset");
  clear_ = button(tr("Cl&ear"), "Clear");
  print_ = button(tr("&Print"), "Print");
  headerRow_ = new QHBoxLayout;
  headerRow_->setSpacing(10);
  headerRow_->addWidget(ButtonGroup(captions.payeeGroup, {select_, next_, previous_}, this));
  headerRow_->addWidget(ButtonGroup(captions.formGroup, {save_, reset_, clear_, print_}, this));
  headerRow_->addStretch(1);
  layout->addLayout(headerRow_);

  notice_ = new QLabel(this);
  notice_->setObjectName(QStringLiteral("Notice"));
  notice_->setWordWrap(true);
  notice_->setStyleSheet(QStringLiteral(
      "QLabel#Notice { background: #fff4d6; border: 1px solid #e8c66a; border-radius: 3px; padding: 5px 8px; }"));
  notice_->hide();
  layout->addWidget(notice_);

  connect(select_, &QPushButton::clicked, this, [this] { Run(&FormPageRules::Select); });
  connect(next_, &QPushButton::clicked, this, [this] { Run(&FormPageRules::Next); });
  connect(previous_, &QPushButton::clicked, this, [this] { Run(&FormPageRules::Previous); });
  connect(save_, &QPushButton::clicked, this, [this] {
    CommitFocusedField();
    Rules().Save();
  });
  connect(reset_, &QPushButton::clicked, this, [this] { Rules().Reset(); });
  connect(clear_, &QPushButton::clicked, this, [this] { Rules().Clear(); });
  connect(print_, &QPushButton::clicked, this, [this] {
    CommitFocusedField();
    OnPrint();
  });
}

void CFormPage::AddGroup(const QString& caption, const std::vector<QWidget*>& widgets) {
  headerRow_->insertWidget(headerRow_->count() - 1, ButtonGroup(caption, widgets, this));
}

void CFormPage::Finish(QWidget* sheet, QWidget* afterSheet) {
  scroll_ = SheetScrollArea(sheet, afterSheet, this);
  static_cast<QVBoxLayout*>(layout())->addWidget(scroll_, 1);
  Rules().SetChangedCallback([this] { Sync(); });
  Sync();
}

void CFormPage::Connect(size_t index, QWidget* control) {
  control->setProperty(kFieldProperty, static_cast<int>(index));
  if (auto* edit = qobject_cast<CMaskedEdit*>(control)) {
    connect(edit, &QLineEdit::textEdited, this, [this, index, edit] { Rules().EditText(index, edit->Text()); });
    edit->installEventFilter(this);
  } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
    connect(box, &QCheckBox::clicked, this, [this, index](bool on) { Rules().Edit(index, {{}, on ? 1 : 0}); });
  }
}

bool CFormPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    // Leaving a field runs its checks; the focus leaving with the window
    // (another program, a message box) or for a menu does not.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    bool isField = false;
    const int index = watched->property(kFieldProperty).toInt(&isField);
    if (isField && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
      Rules().LeaveField(static_cast<size_t>(index));
  }
  return CPage::eventFilter(watched, event);
}

void CFormPage::CommitFocusedField() {
  QWidget* focused = QApplication::focusWidget();
  if (!focused || !isAncestorOf(focused)) return;
  bool isField = false;
  const int index = focused->property(kFieldProperty).toInt(&isField);
  if (isField) Rules().LeaveField(static_cast<size_t>(index));
}

void CFormPage::Run(void (FormPageRules::*command)()) {
  CommitFocusedField();
  (Rules().*command)();
}

void CFormPage::Sync() {
  FormPageRules& rules = Rules();
  const PageValues& values = rules.Values();
  const bool editable = rules.HasForm();
  for (size_t i = 0; i < kinds_.size() && i < values.size(); ++i) {
    QWidget* control = controls_.At(i);
    if (kinds_[i] == FieldKind::CheckBox) {
      auto* box = static_cast<QCheckBox*>(control);
      if (box->isChecked() != (values[i].choice > 0)) box->setChecked(values[i].choice > 0);
    } else if (auto* edit = qobject_cast<CMaskedEdit*>(control)) {
      if (edit->Text() != values[i].text) edit->SetText(values[i].text);
    }
    control->setEnabled(editable);
  }
  std::string notice = rules.FormNotice();
  if (const std::string filed = FiledNotice(); !filed.empty()) notice += (notice.empty() ? "" : "\n") + filed;
  notice_->setText(ToQt(notice));
  notice_->setVisible(!notice.empty());
  subtitle_->setText(PayeeName());
  ShowParties();
}

void CFormPage::OnShown() { Rules().Activate(); }

bool CFormPage::OnHidden() {
  CommitFocusedField();
  return Rules().Hide();
}

bool CFormPage::OnCompanyClosing() {
  CommitFocusedField();
  return Rules().Close();
}

void CFormPage::OnDocumentRefresh() { Rules().Load(); }

void CFormPage::OnDocumentReset() {
  Rules().OnDocumentReset();
  Rules().Load();
}

QWidget* CFormPage::NoteAnchorWidget(NoteAnchor anchor) const {
  switch (anchor) {
    case NoteAnchor::NextButton: return next_;
    case NoteAnchor::PreviousButton: return previous_;
    default: return nullptr;
  }
}

}  // namespace formet
