#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QtTest/QTest>
#include <functional>

#include "fake_view.h"
#include "window/apply_layout.h"
#include "window/main_window.h"
#include "window/qt_text.h"
#include "window/window_definition.h"

namespace ld::testing {

// Keeps the window's thread running until the condition holds; false after five seconds.
inline bool PumpUntil(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > 5000) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

// A started window over the fake view, with the layout wired to the size-changed hook.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = new MainWindow([](QWidget* parent) { return new FakeView(parent); });
    access = window->Access();
    hooks.sizeChanged = [a = access.get()] { ApplyLayout(*a); };
    hooks.aboutToBeDestroyed = [this] { ++destroyedHookRuns; };
    window->SetHooks(hooks);
  }
  void StartWindow() {
    window->Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.data()));
  }
  void TearDown() override { delete window.data(); }

  QWidget* Widget(ControlId id) const { return window->Control(id); }
  QWidget* Named(ControlId id) const {
    return window->findChild<QWidget*>(FromGbk(DefinitionOf(id).name));
  }

  QPointer<MainWindow> window;
  std::shared_ptr<ControlAccess> access;
  WindowHooks hooks;
  int destroyedHookRuns = 0;
};

}  // namespace ld::testing
