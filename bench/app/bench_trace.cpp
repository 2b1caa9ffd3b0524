#include "bench_trace.h"

#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWebEngineView>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

namespace ld::bench {

namespace {

long long NowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

}  // namespace

void Mark(const char* name, const QString& detail) {
  const long long ns = NowNs();
  static std::mutex lock;
  const std::lock_guard<std::mutex> hold(lock);
  std::printf("LDTRACE %s %lld %s\n", name, ns, detail.toUtf8().constData());
  std::fflush(stdout);
}

namespace {

class FirstPaint : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      Mark("first-paint");
      watched->removeEventFilter(this);
    }
    return false;
  }

 private:
  bool seen_ = false;
};

// Watches every widget inside the engine's view, the ones it adds later included.
class PaintAfterLoad : public QObject {
 public:
  PaintAfterLoad(QWebEngineView* view, std::function<void(bool)> painted)
      : QObject(view), painted_(std::move(painted)) {
    Watch(view);
    fallback_.setSingleShot(true);
    fallback_.setInterval(500);
    connect(&fallback_, &QTimer::timeout, this, [this] { Fire(true); });
    connect(view, &QWebEngineView::loadFinished, this, [this](bool) {
      armed_ = true;
      fallback_.start();
    });
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ChildAdded) {
      auto* child = static_cast<QChildEvent*>(event)->child();
      if (child->isWidgetType()) {
        Watch(static_cast<QWidget*>(child));
      }
    } else if (event->type() == QEvent::Paint && armed_ && watched != parent()) {
      Fire(false);
    }
    return false;
  }

 private:
  void Watch(QWidget* widget) {
    widget->installEventFilter(this);
    for (QObject* child : widget->children()) {
      if (child->isWidgetType()) {
        Watch(static_cast<QWidget*>(child));
      }
    }
  }
  void Fire(bool fallback) {
    if (!armed_) {
      return;
    }
    armed_ = false;
    fallback_.stop();
    painted_(fallback);
  }

  std::function<void(bool)> painted_;
  bool armed_ = false;
  QTimer fallback_;
};

class StallProbe : public QObject {
 public:
  explicit StallProbe(QObject* owner) : QObject(owner) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] {
      const long long now = NowNs();
      // The first tick is the event loop's start: the time before it is not a stall of the loop.
      const double gapMs = last_ == 0 ? 0 : static_cast<double>(now - last_) / 1e6;
      last_ = now;
      if (gapMs > 50) {
        Mark("stall", QStringLiteral("ms=%1").arg(gapMs, 0, 'f', 1));
      }
    });
    timer_.start();
  }

 private:
  QTimer timer_;
  long long last_ = 0;
};

long Field(const std::string& text, const char* key) {
  const auto at = text.find(key);
  if (at == std::string::npos) {
    return 0;
  }
  return std::strtol(text.c_str() + at + std::char_traits<char>::length(key), nullptr, 10);
}

// The engine's helpers carry their role as --type=... on their command line.
std::string RoleOf(long pid, long self) {
  if (pid == self) {
    return "main";
  }
  std::ifstream file("/proc/" + std::to_string(pid) + "/cmdline");
  std::string argument;
  while (std::getline(file, argument, '\0')) {
    if (argument.rfind("--type=", 0) == 0) {
      return argument.substr(7);
    }
  }
  return "other";
}

class Tracing : public ControlAccess {
 public:
  Tracing(std::shared_ptr<ControlAccess> inner, std::function<void()> installed,
          std::function<void()> written)
      : inner_(std::move(inner)),
        installed_(std::move(installed)),
        written_(std::move(written)),
        mainThread_(std::this_thread::get_id()) {}

  std::int32_t Left(ControlId c) override { return inner_->Left(c); }
  std::int32_t Top(ControlId c) override { return inner_->Top(c); }
  std::int32_t Width(ControlId c) override { return inner_->Width(c); }
  std::int32_t Height(ControlId c) override { return inner_->Height(c); }
  void SetLeft(ControlId c, std::int32_t v) override { inner_->SetLeft(c, v); }
  void SetTop(ControlId c, std::int32_t v) override { inner_->SetTop(c, v); }
  void SetWidth(ControlId c, std::int32_t v) override { inner_->SetWidth(c, v); }
  void SetHeight(ControlId c, std::int32_t v) override { inner_->SetHeight(c, v); }
  bool Visible(ControlId c) override { return inner_->Visible(c); }
  void SetVisible(ControlId c, bool v) override { inner_->SetVisible(c, v); }
  bool Enabled(ControlId c) override { return inner_->Enabled(c); }
  void SetEnabled(ControlId c, bool v) override {
    const bool fromWorker = std::this_thread::get_id() != mainThread_;
    if (c == ControlId::PreviewButton && v && fromWorker) {
      Mark("file-written");
    }
    inner_->SetEnabled(c, v);
    if (c == ControlId::FullScreenButton && v && fromWorker && written_) {
      written_();
    }
  }
  Text GetText(ControlId c) override {
    Text t = inner_->GetText(c);
    if (verbose_) {
      Mark("get-text",
           QStringLiteral("control=%1 bytes=%2").arg(static_cast<int>(c)).arg(t.size()));
    }
    return t;
  }
  void SetText(ControlId c, Text t) override {
    const bool first = c == ControlId::WorkingPageBox && !t.empty() && !installedSeen_ &&
                       std::this_thread::get_id() != mainThread_;
    const auto size = t.size();
    inner_->SetText(c, std::move(t));
    if (verbose_) {
      Mark("set-text", QStringLiteral("control=%1 bytes=%2").arg(static_cast<int>(c)).arg(size));
    }
    if (first) {
      installedSeen_ = true;
      Mark("templates-installed", QString::number(size));
      if (installed_) {
        installed_();
      }
    }
  }
  bool Ticked(ControlId c) override { return inner_->Ticked(c); }
  std::int32_t Selection(ControlId c) override { return inner_->Selection(c); }
  Text Address(ControlId c) override { return inner_->Address(c); }
  void SetAddress(ControlId c, Text a) override {
    Mark("navigate");
    inner_->SetAddress(c, std::move(a));
  }

 private:
  std::shared_ptr<ControlAccess> inner_;
  std::function<void()> installed_;
  std::function<void()> written_;
  std::thread::id mainThread_;
  std::atomic<bool> installedSeen_{false};
  // LD_BENCH_VERBOSE=1: every text access as well, to see where a preview spends its time.
  bool verbose_ = std::getenv("LD_BENCH_VERBOSE") != nullptr;
};

}  // namespace

void TraceStalls(QObject* owner) {
  new StallProbe(owner);
}

void TraceFirstPaint(QWidget* window) {
  window->installEventFilter(new FirstPaint(window));
}

void TracePaintAfterLoad(QWebEngineView* view, std::function<void(bool)> painted) {
  new PaintAfterLoad(view, std::move(painted));
}

TreeMemory MeasureTree() {
  namespace fs = std::filesystem;
  std::map<long, long> parents;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');
    if (close == std::string::npos) {
      continue;
    }
    std::istringstream rest(line.substr(close + 2));
    std::string state;
    long ppid = 0;
    rest >> state >> ppid;
    parents[std::stol(name)] = ppid;
  }
  TreeMemory total;
  const long self = getpid();
  for (const auto& [pid, ppid] : parents) {
    long up = pid;
    for (int depth = 0; depth < 16 && up != self && up > 1; ++depth) {
      const auto found = parents.find(up);
      up = found == parents.end() ? 0 : found->second;
    }
    if (up != self) {
      continue;
    }
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::stringstream text;
    text << rollup.rdbuf();
    const long pss = Field(text.str(), "\nPss:");
    total.rssKib += Field(text.str(), "\nRss:");
    total.pssKib += pss;
    ++total.processes;
    total.pssKibByRole[RoleOf(pid, self)] += pss;
  }
  return total;
}

void MarkMemory(const char* name) {
  const TreeMemory memory = MeasureTree();
  // LD_BENCH_SMAPS=<folder>: the main process's whole memory map as well, to see what holds it.
  if (const char* folder = std::getenv("LD_BENCH_SMAPS")) {
    std::ifstream in("/proc/self/smaps");
    std::ofstream out(std::string(folder) + "/" + name + "-" + std::to_string(getpid()) + ".txt");
    out << in.rdbuf();
    const std::string heap =
        std::string(folder) + "/" + name + "-" + std::to_string(getpid()) + "-malloc.xml";
    if (FILE* file = std::fopen(heap.c_str(), "w")) {
      malloc_info(0, file);
      std::fclose(file);
    }
  }
  QString detail = QStringLiteral("rss_kib=%1 pss_kib=%2 processes=%3")
                       .arg(memory.rssKib)
                       .arg(memory.pssKib)
                       .arg(memory.processes);
  for (const auto& [role, kib] : memory.pssKibByRole) {
    detail += QStringLiteral(" pss_%1=%2").arg(QString::fromStdString(role)).arg(kib);
  }
  Mark(name, detail);
}

std::shared_ptr<ControlAccess> TraceControls(std::shared_ptr<ControlAccess> inner,
                                             std::function<void()> templatesInstalled,
                                             std::function<void()> previewWritten) {
  return std::make_shared<Tracing>(std::move(inner), std::move(templatesInstalled),
                                   std::move(previewWritten));
}

}  // namespace ld::bench
