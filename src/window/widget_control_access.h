#pragma once

#include <array>

#include "common/control_access.h"

class QWidget;

namespace ld {

class BrowserViewPort;

// Control access on the widgets themselves; only for the window's thread. Everything else reaches
// it through the bridge.
class WidgetControlAccess : public ControlAccess {
 public:
  // widgets holds one widget per ControlId, the window itself at ControlId::Window.
  WidgetControlAccess(std::array<QWidget*, kControlIdCount> widgets, BrowserViewPort* view);

  std::int32_t Left(ControlId control) override;
  std::int32_t Top(ControlId control) override;
  std::int32_t Width(ControlId control) override;
  std::int32_t Height(ControlId control) override;
  void SetLeft(ControlId control, std::int32_t left) override;
  void SetTop(ControlId control, std::int32_t top) override;
  void SetWidth(ControlId control, std::int32_t width) override;
  void SetHeight(ControlId control, std::int32_t height) override;
  bool Visible(ControlId control) override;
  void SetVisible(ControlId control, bool visible) override;
  bool Enabled(ControlId control) override;
  void SetEnabled(ControlId control, bool enabled) override;
  Text GetText(ControlId control) override;
  void SetText(ControlId control, Text text) override;
  bool Ticked(ControlId control) override;
  std::int32_t Selection(ControlId control) override;
  Text Address(ControlId control) override;
  void SetAddress(ControlId control, Text address) override;

 private:
  QWidget* At(ControlId control) const;

  std::array<QWidget*, kControlIdCount> widgets_;
  BrowserViewPort* view_;
};

}  // namespace ld
