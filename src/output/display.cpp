#include "output/display.h"

#include "common/file_io.h"

namespace ld {

void DisplayTask(ControlAccess& controls, const ProgramFiles& files) {
  controls.SetAddress(ControlId::BrowserView, files.previewFile.string());
}

void OpenInSystemBrowser(ControlAccess& controls, ShellPort& shell) {
  shell.Open(controls.Address(ControlId::BrowserView));
}

void RemovePreviewFile(const ProgramFiles& files) {
  DeleteFileQuietly(files.previewFile);
}

}  // namespace ld
