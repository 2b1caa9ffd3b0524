#include "window/qt_message_box.h"

#include <QMessageBox>
#include <future>

#include "window/qt_text.h"
#include "window/window_bridge.h"

namespace ld {

QtMessageBox::QtMessageBox(std::shared_ptr<WindowBridge> bridge) : bridge_(std::move(bridge)) {}

void QtMessageBox::OnOpened(std::function<void(QMessageBox&)> hook) {
  std::lock_guard lock(mutex_);
  opened_ = std::move(hook);
}

QMessageBox* QtMessageBox::Open(const Text& text, const Text& title) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, FromGbk(title), FromGbk(text), QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  bridge_->Track(box);
  // open() keeps the window's thread running its own loop; exec() would not.
  box->open();
  std::function<void(QMessageBox&)> hook;
  {
    std::lock_guard lock(mutex_);
    hook = opened_;
  }
  if (hook) {
    hook(*box);
  }
  return box;
}

void QtMessageBox::ShowMessage(const Text& text, const Text& title) {
  if (bridge_->OnWindowThread()) {
    if (!bridge_->Closed()) {
      Open(text, title);
    }
    return;
  }
  auto promise = std::make_shared<std::promise<void>>();
  std::future<void> closed = promise->get_future();
  // Held only by the posted call and then by the box's connection: dropped with either, the
  // promise breaks and the worker returns.
  const bool posted = bridge_->Post([this, promise = std::move(promise), text, title]() mutable {
    QMessageBox* box = Open(text, title);
    QObject::connect(box, &QDialog::finished, box, [promise = std::move(promise)](int) {
      try {
        promise->set_value();
      } catch (const std::future_error&) {
        // Already answered; a box finishes once for its worker.
      }
    });
  });
  if (!posted) {
    return;
  }
  try {
    closed.get();
  } catch (const std::future_error&) {
    // The window went away before or while the box was open.
  }
}

}  // namespace ld
