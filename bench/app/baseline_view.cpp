// The baseline: a bare window with the engine's view, loading a page and reloading it, traced at
// the same points as the program. Usage: ld_bench_baseline <page file> <reloads>
#include <QApplication>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "bench_trace.h"
#include "output/browser_view.h"

int main(int argc, char* argv[]) {
  ld::bench::Mark("main");
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <page file> <reloads>\n", argv[0]);
    return 2;
  }
  // The same process preparation as the program.
  ld::PrepareBrowserEngine();
  QApplication app(argc, argv);
  ld::bench::Mark("application-created");
  const QUrl page = QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1]));
  const int reloads = std::atoi(argv[2]);

  QWidget window;
  window.setWindowTitle(QStringLiteral("ld-bench-baseline"));
  window.resize(1100, 700);
  auto* view = new QWebEngineView(&window);
  view->setGeometry(0, 0, 1100, 630);
  ld::bench::TraceFirstPaint(&window);
  ld::bench::Mark("window-created");

  int done = 0;
  auto reload = [view] {
    ld::bench::Mark("click");
    view->reload();
  };
  ld::bench::TracePaintAfterLoad(view, [&](bool fallback) {
    ++done;
    ld::bench::Mark(done == 1 ? "loaded-painted" : "painted",
                    fallback ? QStringLiteral("fallback") : QString());
    if (done == 1) {
      QTimer::singleShot(2000, &window, [&] {
        ld::bench::MarkMemory("mem-idle");
        QTimer::singleShot(1000, &window, reload);
      });
    } else if (done > reloads) {
      ld::bench::MarkMemory("mem-end");
      ld::bench::Mark("done");
      QTimer::singleShot(100, &app, &QApplication::quit);
    } else {
      QTimer::singleShot(30, &window, reload);
    }
  });
  window.show();
  view->load(page);
  const int status = QApplication::exec();
  std::fflush(nullptr);
  std::_Exit(status);
}
