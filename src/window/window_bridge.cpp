#include "window/window_bridge.h"

#include <QMetaObject>
#include <QWidget>
#include <exception>
#include <future>

namespace ld {

namespace {

// Taken around every post and at the start of every posted call. Qt's event queue already orders
// the two, but under a lock that a thread checker does not see; without this it takes the call's
// captures, written by the worker and read on the window's thread, for a data race.
std::mutex& PostHandoff() {
  static std::mutex handoff;
  return handoff;
}

}  // namespace

WindowBridge::WindowBridge(QObject* context, ControlAccess* direct)
    : context_(context), direct_(direct), thread_(context->thread()) {}

bool WindowBridge::OnWindowThread() const {
  return QThread::currentThread() == thread_;
}

bool WindowBridge::Closed() {
  std::lock_guard lock(mutex_);
  return closed_;
}

bool WindowBridge::Post(std::function<void()> call) {
  // Posting under the lock: Close runs on the window's thread before the context is deleted, so
  // the context is alive for every post that gets through.
  std::lock_guard lock(mutex_);
  if (closed_) {
    return false;
  }
  // The return value says nothing about whether the call will run; the caller learns that from
  // what the call itself owns.
  std::lock_guard handoff(PostHandoff());
  QMetaObject::invokeMethod(
      context_,
      [self = shared_from_this(), call = std::move(call)] {
        {
          // Reads nothing of the call: the posting thread may still be inside invokeMethod.
          std::lock_guard handoff(PostHandoff());
        }
        if (!self->Closed()) {
          call();
        }
      },
      Qt::QueuedConnection);
  return true;
}

void WindowBridge::Run(const std::function<void(ControlAccess&)>& access) {
  if (OnWindowThread()) {
    if (Closed()) {
      throw WindowGone();
    }
    access(*direct_);
    return;
  }
  auto promise = std::make_shared<std::promise<void>>();
  std::future<void> done = promise->get_future();
  ControlAccess* direct = direct_;
  // The posted call holds the only reference to the promise: dropped unrun, it breaks it.
  const bool posted = Post([promise = std::move(promise), direct, &access]() mutable {
    try {
      access(*direct);
      promise->set_value();
    } catch (...) {
      promise->set_exception(std::current_exception());
    }
  });
  if (!posted) {
    throw WindowGone();
  }
  try {
    done.get();
  } catch (const std::future_error&) {
    throw WindowGone();
  }
}

void WindowBridge::Track(QWidget* window) {
  std::lock_guard lock(mutex_);
  std::erase_if(tracked_, [](const QPointer<QWidget>& w) { return w.isNull(); });
  tracked_.emplace_back(window);
}

void WindowBridge::Close() {
  std::vector<QPointer<QWidget>> tracked;
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
    tracked.swap(tracked_);
  }
  for (const auto& window : tracked) {
    if (window) {
      window->close();
      window->deleteLater();
    }
  }
}

BridgedControlAccess::BridgedControlAccess(std::shared_ptr<WindowBridge> bridge)
    : bridge_(std::move(bridge)) {}

template <typename Result, typename Access>
Result BridgedControlAccess::Read(Access access) {
  Result result{};
  bridge_->Run([&](ControlAccess& controls) { result = access(controls); });
  return result;
}

std::int32_t BridgedControlAccess::Left(ControlId c) {
  return Read<std::int32_t>([c](ControlAccess& a) { return a.Left(c); });
}
std::int32_t BridgedControlAccess::Top(ControlId c) {
  return Read<std::int32_t>([c](ControlAccess& a) { return a.Top(c); });
}
std::int32_t BridgedControlAccess::Width(ControlId c) {
  return Read<std::int32_t>([c](ControlAccess& a) { return a.Width(c); });
}
std::int32_t BridgedControlAccess::Height(ControlId c) {
  return Read<std::int32_t>([c](ControlAccess& a) { return a.Height(c); });
}
void BridgedControlAccess::SetLeft(ControlId c, std::int32_t v) {
  bridge_->Run([c, v](ControlAccess& a) { a.SetLeft(c, v); });
}
void BridgedControlAccess::SetTop(ControlId c, std::int32_t v) {
  bridge_->Run([c, v](ControlAccess& a) { a.SetTop(c, v); });
}
void BridgedControlAccess::SetWidth(ControlId c, std::int32_t v) {
  bridge_->Run([c, v](ControlAccess& a) { a.SetWidth(c, v); });
}
void BridgedControlAccess::SetHeight(ControlId c, std::int32_t v) {
  bridge_->Run([c, v](ControlAccess& a) { a.SetHeight(c, v); });
}
bool BridgedControlAccess::Visible(ControlId c) {
  return Read<bool>([c](ControlAccess& a) { return a.Visible(c); });
}
void BridgedControlAccess::SetVisible(ControlId c, bool v) {
  bridge_->Run([c, v](ControlAccess& a) { a.SetVisible(c, v); });
}
bool BridgedControlAccess::Enabled(ControlId c) {
  return Read<bool>([c](ControlAccess& a) { return a.Enabled(c); });
}
void BridgedControlAccess::SetEnabled(ControlId c, bool v) {
  bridge_->Run([c, v](ControlAccess& a) { a.SetEnabled(c, v); });
}
Text BridgedControlAccess::GetText(ControlId c) {
  return Read<Text>([c](ControlAccess& a) { return a.GetText(c); });
}
void BridgedControlAccess::SetText(ControlId c, Text t) {
  // The text moves into the window's thread; the worker is waiting, so the reference holds.
  bridge_->Run([c, &t](ControlAccess& a) { a.SetText(c, std::move(t)); });
}
bool BridgedControlAccess::Ticked(ControlId c) {
  return Read<bool>([c](ControlAccess& a) { return a.Ticked(c); });
}
std::int32_t BridgedControlAccess::Selection(ControlId c) {
  return Read<std::int32_t>([c](ControlAccess& a) { return a.Selection(c); });
}
Text BridgedControlAccess::Address(ControlId c) {
  return Read<Text>([c](ControlAccess& a) { return a.Address(c); });
}
void BridgedControlAccess::SetAddress(ControlId c, Text t) {
  bridge_->Run([c, &t](ControlAccess& a) { a.SetAddress(c, std::move(t)); });
}

}  // namespace ld
