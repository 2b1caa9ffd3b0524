// The program: create the main window hidden, run its creation, show it, process its messages
// until it is destroyed, end.
#include <QApplication>
#include <cstdlib>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "common/start_task.h"
#include "output/browser_view.h"
#include "templates/http_get_curl.h"
#include "window/look/themed_look.h"
#include "window/main_window.h"
#include "window/qt_message_box.h"
#include "window/window_handlers.h"

#ifdef LD_BENCH_TRACE
// Only the bench's traced build of the program carries this.
#include "bench_driver.h"
#include "bench_trace.h"
#endif

namespace {

// An HttpClient that is the process's own, for the handlers to hold without owning it.
class ProcessClient : public ld::HttpClient {
 public:
  std::string GetBytes(const ld::Text& url) override {
    return ld::ProcessHttpClient().GetBytes(url);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
#ifdef LD_BENCH_TRACE
  ld::bench::Mark("main");
#endif
#ifdef __GLIBC__
  // Each preview copies megabyte page texts between the window's thread and a task's thread. With
  // an arena per thread, each arena keeps its own free megabytes after a preview, about 6 MiB at a
  // 1 MB page; with one arena the next preview reuses the same blocks. Handing large blocks back
  // to the system instead would cost every preview about 2 ms per megabyte in page faults.
  mallopt(M_ARENA_MAX, 1);
#endif
  ld::PrepareBrowserEngine();
  QApplication app(argc, argv);
#ifdef LD_BENCH_TRACE
  ld::bench::Mark("application-created");
#endif
  // The program ends when its one window is gone, not when the last window of any kind closes:
  // the not-ready message box has no owner.
  QApplication::setQuitOnLastWindowClosed(false);

  auto* window = new ld::MainWindow(ld::CreateBrowserView);
  QObject::connect(window, &QObject::destroyed, &app, &QApplication::quit);

  ld::WindowServices services;
  services.controls = window->Access();
  services.messages = window->MessageBox();
  services.shell = std::make_shared<ld::QtShell>();
  services.http = std::make_shared<ProcessClient>();
  services.themedLook = ld::ThemedLook;
  services.startTask = ld::StartTask;
  services.programFiles = ld::RunningProgramFiles;
#ifdef LD_BENCH_TRACE
  ld::bench::InstallDriver(window, services);
#endif
  window->SetHooks(ld::MakeWindowHandlers(services));

  window->Start();
  const int status = QApplication::exec();
  // A task may still wait for the network; nothing waits for it.
  std::fflush(nullptr);
  std::_Exit(status);
}
