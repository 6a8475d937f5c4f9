#pragma once
// The one QApplication of a widget test program: made before the first test
// and destroyed after the last, inside main (a QApplication left to static
// destruction outlives parts of Qt and crashes on exit).
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace formet::test {

class QtAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "formet-widget-tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

// The running application; every widget test starts with it.
inline QApplication& QtApp() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (app == nullptr) std::abort();
  return *app;
}

}  // namespace formet::test
