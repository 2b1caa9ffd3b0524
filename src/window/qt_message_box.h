#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include "common/message_box.h"

class QMessageBox;

namespace ld {

class WindowBridge;

// A parentless message box opened on the window's thread without blocking it; a worker that
// shows it waits until it is closed. When the window goes, open boxes close and their workers
// return.
class QtMessageBox : public MessageBoxPort {
 public:
  explicit QtMessageBox(std::shared_ptr<WindowBridge> bridge);

  // From a worker: returns once the box is closed. On the window's thread: opens it and returns.
  void ShowMessage(const Text& text, const Text& title) override;

  // Called on the window's thread with each box right after it opened, so a test can read it and
  // answer it without a real click.
  void OnOpened(std::function<void(QMessageBox&)> hook);

 private:
  QMessageBox* Open(const Text& text, const Text& title);

  std::shared_ptr<WindowBridge> bridge_;
  std::mutex mutex_;
  std::function<void(QMessageBox&)> opened_;
};

}  // namespace ld
