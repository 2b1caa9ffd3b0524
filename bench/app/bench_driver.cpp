#include "bench_driver.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>
#include <QWebEngineView>
#include <cstdlib>
#include <string>

#include "bench_trace.h"

namespace ld::bench {

Text BenchSnippet(int serial) {
  Text block = "<div class=\"ld-bench\" style=\"float:left;width:180px;margin:4px\">";
  for (int i = 0; i < 3; ++i) {
    block += "<p><a href=\"http://127.0.0.1/item?id=" + std::to_string(serial * 10 + i) +
             "\">\xea\xb2\xb5\xa4\xb2\xe2\xca\xd4\xc9\xcc\xc6\xb7 " + std::to_string(i) +
             "</a> <b>\xa3\xa4" + std::to_string(99 + i) + ".00</b></p>\r\n";
  }
  block += "</div>\r\n";
  return block;
}

namespace {

class Driver : public QObject {
 public:
  explicit Driver(MainWindow* window) : QObject(window), window_(window) {
    const char* plan = std::getenv("LD_BENCH_PLAN");
    const std::string text = plan != nullptr ? plan : "idle";
    const auto colon = text.find(':');
    mode_ = text.substr(0, colon);
    total_ = colon == std::string::npos ? 0 : std::atoi(text.c_str() + colon + 1);
    TraceFirstPaint(window);
    TraceStalls(this);
    Mark("window-created");
  }

  void TemplatesInstalled() {
    QMetaObject::invokeMethod(
        this, [this] { Begin(); }, Qt::QueuedConnection);
  }

 private:
  void Begin() {
    auto* view = window_->findChild<QWebEngineView*>();
    if (view == nullptr && ++waits_ < 200) {
      // The engine starts after the window's first paint; wait for it.
      QTimer::singleShot(50, this, [this] { Begin(); });
      return;
    }
    if (view != nullptr) {
      TracePaintAfterLoad(view, [this](bool fallback) { Painted(fallback); });
    }
    if (mode_ == "idle" || total_ <= 0 || view == nullptr) {
      QTimer::singleShot(3000, window_, [this] {
        MarkMemory("mem-idle");
        window_->close();
      });
      return;
    }
    auto button = [this](ControlId id) {
      return static_cast<QAbstractButton*>(window_->Control(id));
    };
    button(ControlId::RestartOption)->setChecked(mode_ == "repeat");
    button(ControlId::WideAreaRadio)->setChecked(true);
    // Let the start settle before the first click.
    QTimer::singleShot(1000, this, [this] { Click(); });
  }

  void Click() {
    window_->Access()->SetText(ControlId::CodeBox, BenchSnippet(done_));
    auto* button = static_cast<QAbstractButton*>(window_->Control(ControlId::PreviewButton));
    Mark("click");
    button->click();
  }

  void Painted(bool fallback) {
    ++done_;
    const QString page = QCoreApplication::applicationDirPath() +
                         QString::fromUtf8("/\xe6\x95\x88\xe6\x9e\x9c.html");  // 效果.html
    Mark("painted", QStringLiteral("bytes=%1%2")
                        .arg(QFileInfo(page).size())
                        .arg(fallback ? QStringLiteral(" fallback") : QString()));
    if (done_ % 100 == 0) {
      MarkMemory("mem-step");
    }
    if (done_ == 1) {
      QTimer::singleShot(2000, this, [this] {
        MarkMemory("mem-idle");
        Next();
      });
      return;
    }
    Next();
  }

  void Next() {
    if (done_ >= total_) {
      // After the same settling time as the idle figure, as the baseline does.
      QTimer::singleShot(2000, this, [this] {
        MarkMemory("mem-end");
        Mark("done");
        QTimer::singleShot(100, window_, [this] { window_->close(); });
      });
      return;
    }
    QTimer::singleShot(30, this, [this] { Click(); });
  }

  MainWindow* window_;
  std::string mode_;
  int total_ = 0;
  int done_ = 0;
  int waits_ = 0;
};

}  // namespace

void InstallDriver(MainWindow* window, WindowServices& services) {
  auto* driver = new Driver(window);
  // The driver lives as long as the window; the working page is written only while it exists.
  services.controls =
      TraceControls(services.controls, [driver] { driver->TemplatesInstalled(); }, {});
}

}  // namespace ld::bench
