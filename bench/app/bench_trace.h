#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "common/control_access.h"

class QWidget;
class QWebEngineView;

namespace ld::bench {

// Prints "LDTRACE <name> <CLOCK_MONOTONIC ns> [detail]" on standard output, at once.
void Mark(const char* name, const QString& detail = {});

// Marks "first-paint" at the first paint of the top-level widget.
void TraceFirstPaint(QWidget* window);

// Calls painted() at the first paint of the engine's own widgets after each finished load; when no
// paint follows within a short while (the frame was painted before the load finished), calls it
// then with fallback set.
void TracePaintAfterLoad(QWebEngineView* view, std::function<void(bool fallback)> painted);

// Marks "stall" with the gap in ms whenever the calling thread's event loop went longer than
// 50 ms without running a 5 ms timer: the moments a click or a close would have waited.
void TraceStalls(QObject* owner);

// Resident and proportional memory of this process and all its descendants, in KiB.
struct TreeMemory {
  long rssKib = 0;
  long pssKib = 0;
  int processes = 0;
  // PSS by the process's role: "main", or the engine helper's --type (renderer, gpu-process, ...).
  std::map<std::string, long> pssKibByRole;
};
TreeMemory MeasureTree();
void MarkMemory(const char* name);

// Wraps the window's control access: marks "templates-installed" the first time the working page
// gets text from a worker, "file-written" when a preview re-enables 按钮1 from its worker (the file
// has been written by then), "navigate" when the view's address is set.
std::shared_ptr<ControlAccess> TraceControls(std::shared_ptr<ControlAccess> inner,
                                             std::function<void()> templatesInstalled,
                                             std::function<void()> previewWritten);

}  // namespace ld::bench
