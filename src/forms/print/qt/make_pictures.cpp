// Draws every form picture of the blank-paper prints into its bitmap file:
// run by the build, which puts the files beside the programs.
#include <QGuiApplication>

#include <iostream>
#include <string>

#include "forms/efile_common.h"
#include "forms/form_pictures.h"
#include "forms/print/qt/picture_painter.h"

int main(int argc, char** argv) {
  using namespace formet;
  if (argc != 2) {
    std::cerr << "usage: formet-make-pictures FOLDER\n";
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The platform's notes (such as a missing runtime folder) are no concern of
  // the build; its failures are.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
  });
  QGuiApplication app(argc, argv);
  const std::string folder = argv[1];
  int failures = 0;
  for (const FormPicture& picture : AllFormPictures()) {
    for (const auto& problem : picture.overflows) {
      std::cerr << "formet-make-pictures: " << problem << "\n";
      ++failures;
    }
    const auto bytes = EncodeSmallestBitmap(ToMonoRaster(RenderPicture(picture)), kPictureDotsPerInch);
    const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (const auto problem = efile::WriteFilingFile(folder + "/" + picture.file, data)) {
      std::cerr << "formet-make-pictures: " << *problem << "\n";
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
