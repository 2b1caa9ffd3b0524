#pragma once

#include "common/control_access.h"
#include "common/program_files.h"
#include "common/text.h"

namespace ld {

// The shell's facility that opens an address with the system's default handler. The outcome is
// not reported: the system shows nothing of its own whatever happens.
class ShellPort {
 public:
  virtual ~ShellPort() = default;
  virtual void Open(const Text& address) = 0;
};

// Points the browser view 超文本浏览框1 at PreviewFile with one address request, then ends without
// waiting for the page to load. Run on a worker thread of its own; a closed window ends it through
// WindowGone. The files default to those beside the running program, found anew on every call.
void DisplayTask(ControlAccess& controls, const ProgramFiles& files = RunningProgramFiles());

// Hands the address the view shows now to the shell exactly as the view reports it, the empty
// text included. Runs on the window's thread, behind a click of 按钮2.
void OpenInSystemBrowser(ControlAccess& controls, ShellPort& shell);

// Deletes PreviewFile when the window is about to be destroyed; StyleFile and every other file
// stay. A missing file or a failed deletion goes unreported.
void RemovePreviewFile(const ProgramFiles& files = RunningProgramFiles());

}  // namespace ld
