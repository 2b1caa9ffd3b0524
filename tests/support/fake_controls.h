#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "common/control_access.h"

namespace ld::testing {

// An in-memory window for the pure tests: every control's properties in plain fields, and a log
// of the writes in the order they happened. Safe to use from several threads.
class FakeControls : public ControlAccess {
 public:
  struct State {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    bool visible = true, enabled = true, ticked = false;
    std::int32_t selection = -1;
    Text text, address;
  };

  std::int32_t Left(ControlId c) override { return Get(c).left; }
  std::int32_t Top(ControlId c) override { return Get(c).top; }
  std::int32_t Width(ControlId c) override { return Get(c).width; }
  std::int32_t Height(ControlId c) override { return Get(c).height; }
  void SetLeft(ControlId c, std::int32_t v) override;
  void SetTop(ControlId c, std::int32_t v) override;
  void SetWidth(ControlId c, std::int32_t v) override;
  void SetHeight(ControlId c, std::int32_t v) override;
  bool Visible(ControlId c) override { return Get(c).visible; }
  void SetVisible(ControlId c, bool v) override;
  bool Enabled(ControlId c) override { return Get(c).enabled; }
  void SetEnabled(ControlId c, bool v) override;
  Text GetText(ControlId c) override { return Get(c).text; }
  void SetText(ControlId c, Text t) override;
  bool Ticked(ControlId c) override { return Get(c).ticked; }
  std::int32_t Selection(ControlId c) override { return Get(c).selection; }
  Text Address(ControlId c) override { return Get(c).address; }
  void SetAddress(ControlId c, Text a) override;

  // Direct access for a test's own set-up and checks; these are not logged.
  State& At(ControlId c) { return states_[static_cast<std::size_t>(c)]; }
  // Selects one region's radio button and clears the other six, as the radio group does.
  void SelectRadio(ControlId radio);
  // The writes so far, each as "<Property> <control number> <value>", texts by their length.
  std::vector<std::string> Writes();

 private:
  State Get(ControlId c);
  void Log(const char* property, ControlId c, const std::string& value);

  std::mutex mutex_;
  std::array<State, kControlIdCount> states_{};
  std::vector<std::string> writes_;
};

}  // namespace ld::testing
