#include <gtest/gtest.h>

#include <QApplication>

// Window tests need an application object on the main thread, which is the window's thread.
// Listing the tests happens without the test environment, so offscreen is the fallback.
int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
