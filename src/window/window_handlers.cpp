#include "window/window_handlers.h"

#include "composition/preview_document.h"
#include "composition/preview_task.h"
#include "composition/text_holders.h"
#include "templates/startup_task.h"
#include "window/apply_layout.h"

namespace ld {

namespace {

// The look the window is drawn in: olive green.
constexpr int kWindowLookScheme = 2;

void RunStartupTask(const WindowServices& services) {
  ControlTextHolders holders(*services.controls);
  PreviewDocument document(holders, services.programFiles());
  StartupTask(*services.http, document);
}

void RunPreviewTask(const WindowServices& services) {
  PreviewTask(*services.controls, *services.messages, services.programFiles(), [services] {
    services.startTask([services] { DisplayTask(*services.controls, services.programFiles()); });
  });
}

}  // namespace

WindowHooks MakeWindowHandlers(const WindowServices& services) {
  WindowHooks hooks;
  hooks.creationComplete = [services] {
    services.themedLook(kWindowLookScheme);
    services.startTask([services] { RunStartupTask(services); });
  };
  hooks.sizeChanged = [services] { ApplyLayout(*services.controls); };
  hooks.aboutToBeDestroyed = [services] { RemovePreviewFile(services.programFiles()); };
  hooks.showCodeClicked = [services] {
    auto& controls = *services.controls;
    controls.SetVisible(ControlId::CodeBox, controls.Ticked(ControlId::ShowCodeOption));
  };
  hooks.previewClicked = [services] {
    services.controls->SetEnabled(ControlId::PreviewButton, false);
    services.startTask([services] { RunPreviewTask(services); });
  };
  hooks.fullScreenClicked = [services] {
    OpenInSystemBrowser(*services.controls, *services.shell);
  };
  hooks.editionChosen = [services] {
    ControlTextHolders holders(*services.controls);
    PreviewDocument document(holders, services.programFiles());
    document.SelectEdition(services.controls->Selection(ControlId::EditionList));
  };
  hooks.codeBoxDoubleClicked = [services] {
    services.controls->SetText(ControlId::CodeBox, Text());
  };
  return hooks;
}

}  // namespace ld
