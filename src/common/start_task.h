#pragma once

#include <functional>

namespace ld {

// Runs the routine on a new worker thread at once. The caller neither waits nor keeps a handle;
// the thread ends when the routine returns. A routine that meets WindowGone ends quietly. A thread
// that cannot be created is not reported.
void StartTask(std::function<void()> routine);

}  // namespace ld
