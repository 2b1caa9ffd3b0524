#pragma once

#include <QSize>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "common/control_access.h"
#include "window/window_hooks.h"

namespace ld {

class BrowserViewPort;
class QtMessageBox;
class WindowBridge;
class WidgetControlAccess;

// Makes the embedded browser view as a child of the given parent. The widget it returns must also
// be a BrowserViewPort. The program passes the real engine; tests pass a plain widget.
using ViewFactory = std::function<QWidget*(QWidget* parent)>;

// The main window, built from the window definition: absolute places, no layouts. Create it with
// new; it deletes itself when closed. Its hooks run on the window's thread.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(const ViewFactory& makeView);
  ~MainWindow() override;

  void SetHooks(WindowHooks hooks);
  // The access tasks and handlers use, from any thread. Keep it by shared_ptr: after the window is
  // gone every access throws WindowGone.
  std::shared_ptr<ControlAccess> Access() const { return access_; }
  // The message box a worker shows; its workers return when the window goes.
  std::shared_ptr<QtMessageBox> MessageBox() const { return messageBox_; }

  // Creation complete, the first size change at the defined size, then the show, centred on the
  // primary screen.
  void Start();

  // The widget of a control, the window itself for ControlId::Window.
  QWidget* Control(ControlId control) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void BuildControls(const ViewFactory& makeView);
  void Announce(const std::function<void()>& hook);
  void FitOuterSize();
  void AnnounceSize();

  std::array<QWidget*, kControlIdCount> widgets_{};
  BrowserViewPort* view_ = nullptr;
  WindowHooks hooks_;
  std::unique_ptr<WidgetControlAccess> direct_;
  std::shared_ptr<WindowBridge> bridge_;
  std::shared_ptr<ControlAccess> access_;
  std::shared_ptr<QtMessageBox> messageBox_;
  // Under a window manager the frame is known only after the show; until then the outer size is
  // brought to the defined one on a few ticks.
  QTimer fitTimer_;
  int fitTries_ = 0;
  QSize normalClientSize_;
  // The window manager may report new frame extents after the resize they belong to; the outer
  // size is looked at again a little later and announced once more if it moved on.
  QSize announcedOuterSize_;
  QTimer settleTimer_;
};

}  // namespace ld
