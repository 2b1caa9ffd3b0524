#include "window/apply_layout.h"

#include <cstdint>

namespace ld {
namespace {

// The subtraction is done in double and truncated, as the layout rules compute it; for whole
// operands that is the integer difference.
std::int32_t Less(std::int32_t value, int constant) {
  return static_cast<std::int32_t>(static_cast<double>(value) - constant);
}

}  // namespace

void ApplyLayout(ControlAccess& controls) {
  using enum ControlId;
  // W and H are read afresh for every step.
  controls.SetWidth(BrowserView, controls.Width(Window));
  controls.SetHeight(BrowserView, Less(controls.Height(Window), 70));
  controls.SetWidth(CodeBox, controls.Width(Window));
  controls.SetTop(CodeBox, Less(controls.Height(Window), 190));
  controls.SetWidth(OptionsPanel, controls.Width(Window));
  controls.SetTop(OptionsPanel, Less(controls.Height(Window), 70));
  // The panel's width as the access gives it back, which is 0 for a negative request.
  controls.SetLeft(FullScreenButton, Less(controls.Width(OptionsPanel), 90));
  controls.SetLeft(PreviewButton, Less(controls.Width(OptionsPanel), 170));
}

}  // namespace ld
