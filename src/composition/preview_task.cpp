#include "composition/preview_task.h"

#include <array>

#include "common/file_io.h"
#include "composition/preview_document.h"

namespace ld {

const Text kNotReadyMessage =
    "\xd5\xfd\xd4\xda\xb4\xd3\xb7\xfe\xce\xf1\xc6\xf7\xb6\xc1\xc8\xa1\xc5\xe4\xd6\xc3\xce\xc4\xbc"
    "\xfe"
    "\xa3\xac\xc7\xeb\xb5\xc8\xb4\xfd\xca\xfd\xc3\xeb\xd4\xd9\xca\xd4";
const Text kMessageTitle = "\xea\xb2\xb5\xa4\xcc\xe1\xca\xbe";

namespace {

// The radio buttons 单选框1 to 单选框7, in the order of the regions they stand for.
constexpr std::array<ControlId, 7> kRegionRadios = {
    ControlId::ShopSignRadio, ControlId::NavigationRadio,  ControlId::PageHeaderRadio,
    ControlId::WideAreaRadio, ControlId::RightColumnRadio, ControlId::LeftColumnRadio,
    ControlId::FooterRadio};

}  // namespace

void PreviewTask(ControlAccess& controls, MessageBoxPort& messages, const ProgramFiles& files,
                 const std::function<void()>& startDisplayTask) {
  ControlTextHolders holders(controls);
  PreviewDocument document(holders, files);

  if (!document.IsReady()) {
    messages.ShowMessage(kNotReadyMessage, kMessageTitle);
    controls.SetEnabled(ControlId::PreviewButton, true);
    return;
  }

  if (controls.Ticked(ControlId::RestartOption) &&
      controls.Selection(ControlId::EditionList) == static_cast<int>(Edition::Market)) {
    document.ResetWorkingPage(Edition::Market);
  }
  // Read afresh: the user may have changed either control since the Market test.
  if (controls.Ticked(ControlId::RestartOption) &&
      controls.Selection(ControlId::EditionList) == static_cast<int>(Edition::Tmall)) {
    document.ResetWorkingPage(Edition::Tmall);
  }

  for (std::size_t i = 0; i < kRegionRadios.size(); ++i) {
    if (controls.Ticked(kRegionRadios[i])) {
      document.ApplySnippet(kRegionsInOrder[i], controls.GetText(ControlId::CodeBox));
    }
  }

  WriteWholeFile(files.previewFile, document.WorkingPage());

  try {
    controls.SetEnabled(ControlId::PreviewButton, true);
  } catch (const WindowGone&) {
    // The window closed while the file was being written, and its removal of the file may have
    // run before the write: the file must not outlive the program.
    DeleteFileQuietly(files.previewFile);
    throw;
  }
  controls.SetEnabled(ControlId::FullScreenButton, true);

  startDisplayTask();
}

}  // namespace ld
