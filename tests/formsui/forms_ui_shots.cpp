// Renders the four form pages, filled from a copy of the Sample Company, to
// PNG files: forms_ui_shots <folder> [width height [font scale]].
#include <QApplication>
#include <QDir>
#include <QFont>

#include <cstdio>
#include <filesystem>

#include "forms/1099/ui/form1096_view.h"
#include "forms/1099/ui/form1099_view.h"
#include "forms/record_as_filed.h"
#include "forms/w2/ui/w2_view.h"
#include "forms/w2/ui/w3_view.h"
#include "shell/ui/qt_ui_services.h"
#include "store/global_doc.h"
#include "store/settings_store.h"

namespace {

using namespace formet;

template <class Page>
bool Shoot(CGlobalDoc& doc, UiServices& ui, QSize size, const QDir& dir, const char* name) {
  Page page(doc, ui, nullptr);
  doc.AddView(&page);
  page.resize(size);
  page.show();
  doc.RefreshAllViews();
  page.OnShown();
  QCoreApplication::processEvents();
  const QString path = dir.filePath(QString::fromLatin1(name));
  const bool ok = page.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "cannot write", qPrintable(path));
  doc.RemoveView(&page);
  return ok;
}

// Answers nothing and shows nothing: the pictures show the pages alone.
class QuietUi : public QtUiServices {
 public:
  void ShowBalloonNote(NoteAnchor, const std::string&, const std::string&, int) override {}
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: forms_ui_shots <folder> [width height [font scale]]\n");
    return 2;
  }
  QDir out(QString::fromLocal8Bit(argv[1]));
  out.mkpath(QStringLiteral("."));
  QSize size(900, 640);
  if (argc >= 4) size = QSize(std::atoi(argv[2]), std::atoi(argv[3]));
  if (argc >= 5) {
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * std::atof(argv[4]));
    QApplication::setFont(font);
  }

  namespace fs = std::filesystem;
  const fs::path scratch = fs::temp_directory_path() / "formet-forms-ui-shots";
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  fs::copy_file(fs::path(FORMET_BIN_DIR) / "DatabaseFiles" / "Sample Company.qdt", scratch / "Sample Company.qdt");

  QuietUi ui;
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, scratch);
  doc.BeginSession();
  doc.SetCompany(kSampleCompany);
  if (!doc.OnNewDocument()) return 1;

  bool ok = Shoot<CW2View>(doc, ui, size, out, "w2-form.png");
  ok = Shoot<CW3View>(doc, ui, size, out, "w3-form.png") && ok;
  ok = Shoot<C1099View>(doc, ui, size, out, "1099-form.png") && ok;
  ok = Shoot<C1096View>(doc, ui, size, out, "1096-form.png") && ok;
  // A W-2 recorded as filed and changed since: the page says it needs a W-2c.
  ok = RecordAsFiled(doc, FiledFamily::W2, "2008-02-15").code == 0 && ok;
  for (auto& form : doc.GetW2Forms()) form.SetWages("99999.00");
  ok = Shoot<CW2View>(doc, ui, size, out, "w2-form-filed.png") && ok;
  fs::remove_all(scratch);
  return ok ? 0 : 1;
}
