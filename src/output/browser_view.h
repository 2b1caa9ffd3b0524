#pragma once

#include <QWidget>
#include <memory>

#include "output/display.h"
#include "output/view_port.h"

namespace ld {

// Prepares the process for the browser engine; call once in main before the application object
// exists. The engine refuses to start as root with its sandbox on, so for root (only) the sandbox
// is switched off for this process. Qt Quick, and with it the engine's compositing, draws in
// software unless QT_QUICK_BACKEND says otherwise.
void PrepareBrowserEngine();

// The embedded browser view 超文本浏览框1: a widget hosting the browser engine so that it fills the
// widget with white behind it. Created with nothing loaded; offline (a cache of its own that lives
// as long as the view), silent (no dialog of its own) and at the normal text size. Used on the
// window's thread only. The engine starts after the blank view's first paint, or at the first
// navigation or EngineWidget call if that comes first.
class BrowserView : public QWidget, public BrowserViewPort {
 public:
  explicit BrowserView(QWidget* parent = nullptr);
  ~BrowserView() override;

  void SetViewAddress(const Text& address) override;
  Text ViewAddress() override;

  // The engine's own view, for the window's focus handling and for tests that look into the page
  // (a QWebEngineView; its header stays out of this one). Starts the engine if it has not yet.
  QWidget* EngineWidget();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void StartEngine();

  struct Engine;
  std::unique_ptr<Engine> engine_;
};

// Makes the real view as a child of the parent, in the form the window's view factory takes; the
// widget returned is the BrowserViewPort the window drives.
QWidget* CreateBrowserView(QWidget* parent);

// The shell's open facility through the desktop's default handler (xdg-open here).
class QtShell : public ShellPort {
 public:
  void Open(const Text& address) override;
};

}  // namespace ld
