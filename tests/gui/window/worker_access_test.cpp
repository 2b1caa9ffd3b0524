#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "window/qt_message_box.h"
#include "window_fixture.h"

namespace ld::testing {
namespace {

using WorkerAccessTest = WindowTest;

TEST_F(WorkerAccessTest, workerReadsAndWrites_whileTheWindowsThreadKeepsRunning) {
  StartWindow();
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(1);

  std::atomic<bool> done = false;
  bool ticked = false;
  Text help;
  std::int32_t selection = -2;
  std::thread worker([&, a = access] {
    ticked = a->Ticked(ControlId::ShowCodeOption);
    selection = a->Selection(ControlId::EditionList);
    help = a->GetText(ControlId::CodeBox);
    for (int i = 0; i < 50; ++i) {
      a->SetText(ControlId::WorkingPageBox, std::string(1000, static_cast<char>('a' + i % 26)));
    }
    a->SetEnabled(ControlId::PreviewButton, false);
    a->SetAddress(ControlId::BrowserView, "/tmp/page.html");
    done = true;
  });
  const bool finished = PumpUntil([&] { return done.load(); });
  worker.join();
  ASSERT_TRUE(finished);
  EXPECT_TRUE(ticked);
  EXPECT_EQ(selection, 0);
  EXPECT_EQ(help, HelpText());
  EXPECT_EQ(access->GetText(ControlId::WorkingPageBox), std::string(1000, 'x'));
  EXPECT_FALSE(Widget(ControlId::PreviewButton)->isEnabled());
  EXPECT_EQ(static_cast<FakeView*>(Widget(ControlId::BrowserView))->ViewAddress(),
            "/tmp/page.html");
  EXPECT_GT(ticks, 0);
}

TEST_F(WorkerAccessTest, accessPostedBeforeTheWindowWent_endsWithWindowGone) {
  StartWindow();
  std::promise<const char*> outcome;
  std::thread worker([a = access, &outcome] {
    try {
      a->SetText(ControlId::WorkingPageBox, "late");
      outcome.set_value("written");
    } catch (const WindowGone&) {
      outcome.set_value("gone");
    }
  });
  // The window's thread does not serve the posted call before the window is deleted.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  delete window.data();
  auto result = outcome.get_future();
  ASSERT_EQ(result.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  worker.join();
  EXPECT_STREQ(result.get(), "gone");
  EXPECT_EQ(destroyedHookRuns, 1);
}

TEST_F(WorkerAccessTest, workerStartingAfterTheWindowWent_touchesNothing) {
  StartWindow();
  delete window.data();
  std::promise<bool> threw;
  std::thread worker([a = access, &threw] {
    try {
      a->Ticked(ControlId::ShowCodeOption);
      threw.set_value(false);
    } catch (const WindowGone&) {
      threw.set_value(true);
    }
  });
  worker.join();
  EXPECT_TRUE(threw.get_future().get());
}

TEST_F(WorkerAccessTest, messageBoxFromAWorker_waitsUntilTheTestAnswersIt) {
  StartWindow();
  auto port = window->MessageBox();
  QString title, text;
  int buttons = -1;
  bool parentless = false;
  QMessageBox::Icon icon = QMessageBox::Critical;
  port->OnOpened([&](QMessageBox& box) {
    title = box.windowTitle();
    text = box.text();
    buttons = static_cast<int>(box.buttons().size());
    parentless = box.parentWidget() == nullptr;
    icon = box.icon();
    QTimer::singleShot(50, &box, [&box] { box.button(QMessageBox::Ok)->click(); });
  });
  std::atomic<bool> returned = false;
  std::thread worker([port, &returned] {
    port->ShowMessage("\xc4\xa3\xb0\xe5", "\xea\xb2\xb5\xa4\xcc\xe1\xca\xbe");  // 模板, 瓴丹提示
    returned = true;
  });
  // The window stays usable while the box is open.
  EXPECT_TRUE(PumpUntil([&] { return !title.isEmpty(); }));
  EXPECT_FALSE(returned.load());
  EXPECT_EQ(access->GetText(ControlId::CodeBox), HelpText());
  const bool finished = PumpUntil([&] { return returned.load(); });
  worker.join();
  ASSERT_TRUE(finished);
  EXPECT_EQ(ToGbk(title), "\xea\xb2\xb5\xa4\xcc\xe1\xca\xbe");
  EXPECT_EQ(ToGbk(text), "\xc4\xa3\xb0\xe5");
  EXPECT_EQ(buttons, 1);
  EXPECT_TRUE(parentless);
  EXPECT_EQ(icon, QMessageBox::NoIcon);
}

TEST_F(WorkerAccessTest, openMessageBox_letsItsWorkerGoWhenTheWindowGoes) {
  StartWindow();
  auto port = window->MessageBox();
  QPointer<QMessageBox> opened;
  port->OnOpened([&](QMessageBox& box) { opened = &box; });
  std::atomic<bool> returned = false;
  std::thread worker([port, &returned] {
    port->ShowMessage("x", "y");
    returned = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return !opened.isNull(); }));
  delete window.data();
  const bool finished = PumpUntil([&] { return returned.load(); });
  worker.join();
  EXPECT_TRUE(finished);
  EXPECT_TRUE(PumpUntil([&] { return opened.isNull(); }));
}

}  // namespace
}  // namespace ld::testing
