#include "common/start_task.h"

#include <system_error>
#include <thread>

#include "common/control_access.h"

namespace ld {

void StartTask(std::function<void()> routine) {
  try {
    std::thread([routine = std::move(routine)] {
      try {
        routine();
      } catch (const WindowGone&) {
        // The window was closed while the task ran: the program is ending and the task with it.
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread could be created; nothing is reported.
  }
}

}  // namespace ld
