// The baseline: a bare window with the engine's view, loading a page and reloading it, traced at
// the same points as the program. Usage: ld_bench_baseline <page file> <reloads> [grow]
// With "grow", each reload first adds to the page the block that one of the program's accumulated
// previews adds, where it adds it.
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "bench_driver.h"
#include "bench_trace.h"
#include "composition/markers.h"
#include "output/browser_view.h"

namespace {

// The block the program's accumulated previews add (the bench snippet and the spacer block), put
// where they put it: in front of the WideArea code-area marker, which stays.
void GrowPage(const QString& pageFile, int serial) {
  QFile file(pageFile);
  if (!file.open(QIODevice::ReadOnly)) {
    return;
  }
  QByteArray page = file.readAll();
  file.close();
  const QByteArray block =
      QByteArray::fromStdString(ld::bench::BenchSnippet(serial) + ld::Text(ld::kSpacerBlock));
  const QByteArray marker(ld::kWideAreaCodeAreaMarker.data(),
                          static_cast<qsizetype>(ld::kWideAreaCodeAreaMarker.size()));
  const qsizetype at = page.indexOf(marker);
  page.insert(at < 0 ? page.size() : at, block);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    file.write(page);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  ld::bench::Mark("main");
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <page file> <reloads> [grow]\n", argv[0]);
    return 2;
  }
  // The same process preparation as the program.
  ld::PrepareBrowserEngine();
  QApplication app(argc, argv);
  ld::bench::Mark("application-created");
  const QString pageFile = QString::fromLocal8Bit(argv[1]);
  const QUrl page = QUrl::fromLocalFile(pageFile);
  const int reloads = std::atoi(argv[2]);
  const bool grow = argc > 3 && QByteArray(argv[3]) == "grow";

  QWidget window;
  window.setWindowTitle(QStringLiteral("ld-bench-baseline"));
  window.resize(1100, 700);
  auto* view = new QWebEngineView(&window);
  view->setGeometry(0, 0, 1100, 630);
  ld::bench::TraceFirstPaint(&window);
  ld::bench::TraceStalls(&window);
  ld::bench::Mark("window-created");

  int done = 0;
  auto reload = [view, grow, pageFile, &done] {
    ld::bench::Mark("click");
    if (grow) {
      GrowPage(pageFile, done);
    }
    view->reload();
  };
  ld::bench::TracePaintAfterLoad(view, [&](bool fallback) {
    ++done;
    ld::bench::Mark(done == 1 ? "loaded-painted" : "painted",
                    QStringLiteral("bytes=%1%2")
                        .arg(QFile(pageFile).size())
                        .arg(fallback ? QStringLiteral(" fallback") : QString()));
    if (done % 100 == 0) {
      ld::bench::MarkMemory("mem-step");
    }
    if (done == 1) {
      QTimer::singleShot(2000, &window, [&] {
        ld::bench::MarkMemory("mem-idle");
        QTimer::singleShot(1000, &window, reload);
      });
    } else if (done > reloads) {
      // Measured after the same settling time as the idle figure, not in the middle of the
      // engine's clean-up after the last load.
      QTimer::singleShot(2000, &app, [] {
        ld::bench::MarkMemory("mem-end");
        ld::bench::Mark("done");
        QTimer::singleShot(100, QApplication::instance(), &QApplication::quit);
      });
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
