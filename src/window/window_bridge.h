#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "common/control_access.h"

class QWidget;

namespace ld {

// Carries work from any thread to the window's thread. A worker's call is posted and the worker
// waits for it; the promise is owned by the posted call alone, so a call that is dropped because
// the window went away breaks the promise and the worker sees WindowGone. The window closes the
// bridge before it is deleted; after that nothing more is posted.
class WindowBridge : public std::enable_shared_from_this<WindowBridge> {
 public:
  // The context lives on the window's thread and dies with the window; direct is the access that
  // works on the widgets themselves.
  WindowBridge(QObject* context, ControlAccess* direct);

  bool OnWindowThread() const;
  // Runs the access on the window's thread: at once when called there, otherwise posted and
  // waited for. Throws WindowGone when the bridge is closed or the window goes away meanwhile.
  void Run(const std::function<void(ControlAccess&)>& access);
  // Posts a call to the window's thread without waiting; false when the bridge is closed.
  bool Post(std::function<void()> call);
  // Windows opened for a worker that the window closes when it goes.
  void Track(QWidget* window);
  // Called on the window's thread before the window is deleted.
  void Close();
  bool Closed();

 private:
  std::mutex mutex_;
  bool closed_ = false;
  QObject* context_;
  ControlAccess* direct_;
  QThread* thread_;
  std::vector<QPointer<QWidget>> tracked_;
};

// The ControlAccess that tasks hold: safe from any thread, and safe to keep after the window is
// gone.
class BridgedControlAccess : public ControlAccess {
 public:
  explicit BridgedControlAccess(std::shared_ptr<WindowBridge> bridge);

  std::int32_t Left(ControlId control) override;
  std::int32_t Top(ControlId control) override;
  std::int32_t Width(ControlId control) override;
  std::int32_t Height(ControlId control) override;
  void SetLeft(ControlId control, std::int32_t left) override;
  void SetTop(ControlId control, std::int32_t top) override;
  void SetWidth(ControlId control, std::int32_t width) override;
  void SetHeight(ControlId control, std::int32_t height) override;
  bool Visible(ControlId control) override;
  void SetVisible(ControlId control, bool visible) override;
  bool Enabled(ControlId control) override;
  void SetEnabled(ControlId control, bool enabled) override;
  Text GetText(ControlId control) override;
  void SetText(ControlId control, Text text) override;
  bool Ticked(ControlId control) override;
  std::int32_t Selection(ControlId control) override;
  Text Address(ControlId control) override;
  void SetAddress(ControlId control, Text address) override;

 private:
  template <typename Result, typename Access>
  Result Read(Access access);

  std::shared_ptr<WindowBridge> bridge_;
};

}  // namespace ld
