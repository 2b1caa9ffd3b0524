#pragma once

#include <functional>
#include <memory>

#include "common/control_access.h"
#include "common/message_box.h"
#include "common/program_files.h"
#include "output/display.h"
#include "templates/http_client.h"
#include "window/window_hooks.h"

namespace ld {

// What the handlers reach: the window's controls (from any thread), the message box, the shell,
// the HTTP client of the template download, the look and the way tasks are started.
struct WindowServices {
  std::shared_ptr<ControlAccess> controls;
  std::shared_ptr<MessageBoxPort> messages;
  std::shared_ptr<ShellPort> shell;
  std::shared_ptr<HttpClient> http;
  std::function<void(int scheme)> themedLook;
  std::function<void(std::function<void()>)> startTask;
  // Where the files beside the program are; found anew by each handler and task that needs them.
  std::function<ProgramFiles()> programFiles;
};

// The handlers of the window's events. Each runs on the window's thread and returns without
// waiting for any task it starts.
WindowHooks MakeWindowHandlers(const WindowServices& services);

}  // namespace ld
