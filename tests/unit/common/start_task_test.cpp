#include "common/start_task.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "common/control_access.h"

namespace ld {
namespace {

TEST(StartTask, runsTheRoutineOnAnotherThreadWithoutWaitingForIt) {
  std::promise<void> release;
  std::promise<std::thread::id> ran;
  StartTask([&] {
    release.get_future().wait();
    ran.set_value(std::this_thread::get_id());
  });
  // StartTask has returned while the routine is still held back.
  release.set_value();
  auto id = ran.get_future();
  ASSERT_EQ(id.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_NE(id.get(), std::this_thread::get_id());
}

TEST(StartTask, aRoutineThatMeetsAClosedWindowEndsQuietly) {
  std::promise<void> ended;
  auto endedFuture = ended.get_future();
  StartTask([&] {
    struct Signal {
      std::promise<void>& p;
      ~Signal() { p.set_value(); }
    } signal{ended};
    throw WindowGone();
  });
  EXPECT_EQ(endedFuture.wait_for(std::chrono::seconds(5)), std::future_status::ready);
}

}  // namespace
}  // namespace ld
