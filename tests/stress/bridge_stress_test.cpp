#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "stress_view.h"
#include "window/main_window.h"

namespace ld::stress {
namespace {

using namespace std::chrono_literals;

constexpr int kWorkers = 16;
// Accesses every worker makes before the window is closed under them; they go on until it is gone.
constexpr int kAccessesBeforeClose = 60;
constexpr std::size_t kMegabyte = 1 << 20;
// Generous, for a sanitizer build on a loaded machine; a hang shows as this running out.
constexpr auto kRoundLimit = 120s;

// The hidden boxes start empty, so every text read back is one a worker wrote whole.
constexpr std::array<ControlId, 4> kHiddenBoxes = {
    ControlId::WorkingPageBox, ControlId::MarketTemplateBox, ControlId::TmallTemplateBox,
    ControlId::CurrentSpacerBox};
constexpr std::array<ControlId, 3> kButtons = {
    ControlId::PreviewButton, ControlId::FullScreenButton, ControlId::ShowCodeOption};

enum class Ending { Running, WindowGone, OtherError };

// What the workers of one round share with the test; kept alive by the workers too, so a worker
// that outlives a failed round touches nothing freed.
struct Round {
  std::atomic<int> accesses{0};
  std::atomic<int> tornTexts{0};
  std::atomic<int> finished{0};
  std::array<std::atomic<Ending>, kWorkers> endings{};
  std::array<std::atomic<int>, kWorkers> accessesOf{};
};

bool WholeText(const Text& text) {
  return text.find_first_not_of(text.empty() ? '\0' : text.front()) == Text::npos;
}

// One worker's loop: every kind of access in turn, with a megabyte text now and then, until the
// window is gone.
void Work(int worker, std::shared_ptr<ControlAccess> access, std::shared_ptr<Round> round) {
  const char fill = static_cast<char>('A' + worker);
  Ending ending = Ending::Running;
  try {
    for (int i = 0;; ++i) {
      const ControlId box =
          kHiddenBoxes[static_cast<std::size_t>(worker + i) % kHiddenBoxes.size()];
      const ControlId button = kButtons[static_cast<std::size_t>(i) % kButtons.size()];
      switch (i % 6) {
        case 0:
          access->SetText(box,
                          Text(i % 12 == 0 ? kMegabyte : 1000 + static_cast<std::size_t>(i), fill));
          break;
        case 1:
          if (!WholeText(access->GetText(box))) {
            ++round->tornTexts;
          }
          break;
        case 2:
          access->SetEnabled(button, (i / 6) % 2 == 0);
          static_cast<void>(access->Enabled(button));
          break;
        case 3:
          access->SetVisible(button, (i / 6) % 3 != 0);
          static_cast<void>(access->Visible(button));
          break;
        case 4:
          access->SetLeft(ControlId::BrowserView, worker);
          access->SetTop(ControlId::BrowserView, i % 50);
          access->SetWidth(ControlId::BrowserView, 100 + i % 400);
          access->SetHeight(ControlId::BrowserView, 100 + worker * 10);
          static_cast<void>(access->Width(ControlId::BrowserView));
          break;
        default:
          access->SetText(ControlId::CodeBox,
                          std::to_string(worker) + ":" + std::to_string(i) + "\r\n<p>\xb5\xea</p>");
          static_cast<void>(access->GetText(ControlId::CodeBox));
          break;
      }
      ++round->accessesOf[static_cast<std::size_t>(worker)];
      ++round->accesses;
    }
  } catch (const WindowGone&) {
    ending = Ending::WindowGone;
  } catch (...) {
    ending = Ending::OtherError;
  }
  round->endings[static_cast<std::size_t>(worker)] = ending;
  ++round->finished;
}

// Keeps the window's thread serving posted calls and deferred deletions until the condition holds.
bool ServeUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limit.count()) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  return true;
}

// Ends the process if a round outlives its limit, so a worker stuck forever fails the run instead
// of holding it.
class Watchdog {
 public:
  explicit Watchdog(std::chrono::seconds limit)
      : thread_([this, limit] {
          std::unique_lock lock(mutex_);
          if (!stopped_.wait_for(lock, limit, [this] { return stop_; })) {
            std::fprintf(stderr, "bridge stress: no end after %lld s, a worker hangs\n",
                         static_cast<long long>(limit.count()));
            std::_Exit(3);
          }
        }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    stopped_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable stopped_;
  bool stop_ = false;
  std::thread thread_;
};

class BridgeStress : public ::testing::TestWithParam<bool> {};

// Parameter: whether the window is closed as the user closes it (deleted later by the event loop)
// or deleted outright.
TEST_P(BridgeStress, workersHammeringTheControls_allEndWithWindowGoneOnceTheWindowGoes) {
  const bool closedByUser = GetParam();
  Watchdog watchdog(kRoundLimit);
  QPointer<MainWindow> window =
      new MainWindow([](QWidget* parent) { return new StressView(parent); });
  window->Start();
  auto round = std::make_shared<Round>();
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back(Work, w, window->Access(), round);
  }

  const bool busy = ServeUntil(
      [&] {
        for (const auto& count : round->accessesOf) {
          if (count < kAccessesBeforeClose) {
            return false;
          }
        }
        return true;
      },
      100s);
  EXPECT_TRUE(busy) << "workers made " << round->accesses << " accesses in all";

  if (closedByUser) {
    window->close();
  } else {
    delete window.data();
  }
  EXPECT_TRUE(ServeUntil([&] { return window.isNull(); }, 10s));
  // Posted calls that were waiting when the window went are dropped; their workers must not wait.
  const bool allEnded = ServeUntil([&] { return round->finished == kWorkers; }, 15s);
  for (auto& worker : workers) {
    // A worker still waiting is left to the watchdog rather than joined forever.
    allEnded ? worker.join() : worker.detach();
  }
  ASSERT_TRUE(allEnded) << round->finished << " of " << kWorkers << " workers ended";

  for (int w = 0; w < kWorkers; ++w) {
    EXPECT_EQ(round->endings[static_cast<std::size_t>(w)], Ending::WindowGone) << "worker " << w;
  }
  EXPECT_EQ(round->tornTexts, 0);
  EXPECT_GE(round->accesses, kWorkers * kAccessesBeforeClose);
}

INSTANTIATE_TEST_SUITE_P(ClosedOrDeleted, BridgeStress, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "closedByUser" : "deleted";
                         });

}  // namespace
}  // namespace ld::stress
