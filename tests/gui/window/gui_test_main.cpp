#include <gtest/gtest.h>

#include <QApplication>

// The window's tests need an application object on the main thread, which is the window's thread.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
