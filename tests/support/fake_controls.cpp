#include "fake_controls.h"

#include <algorithm>

namespace ld::testing {

FakeControls::State FakeControls::Get(ControlId c) {
  std::lock_guard lock(mutex_);
  return states_[static_cast<std::size_t>(c)];
}

void FakeControls::Log(const char* property, ControlId c, const std::string& value) {
  writes_.push_back(std::string(property) + " " + std::to_string(static_cast<int>(c)) + " " +
                    value);
}

void FakeControls::SetLeft(ControlId c, std::int32_t v) {
  std::lock_guard lock(mutex_);
  At(c).left = v;
  Log("Left", c, std::to_string(v));
}

void FakeControls::SetTop(ControlId c, std::int32_t v) {
  std::lock_guard lock(mutex_);
  At(c).top = v;
  Log("Top", c, std::to_string(v));
}

void FakeControls::SetWidth(ControlId c, std::int32_t v) {
  std::lock_guard lock(mutex_);
  At(c).width = std::max(v, 0);
  Log("Width", c, std::to_string(v));
}

void FakeControls::SetHeight(ControlId c, std::int32_t v) {
  std::lock_guard lock(mutex_);
  At(c).height = std::max(v, 0);
  Log("Height", c, std::to_string(v));
}

void FakeControls::SetVisible(ControlId c, bool v) {
  std::lock_guard lock(mutex_);
  At(c).visible = v;
  Log("Visible", c, v ? "1" : "0");
}

void FakeControls::SetEnabled(ControlId c, bool v) {
  std::lock_guard lock(mutex_);
  At(c).enabled = v;
  Log("Enabled", c, v ? "1" : "0");
}

void FakeControls::SetText(ControlId c, Text t) {
  std::lock_guard lock(mutex_);
  Log("Text", c, std::to_string(t.size()));
  At(c).text = std::move(t);
}

void FakeControls::SetAddress(ControlId c, Text a) {
  std::lock_guard lock(mutex_);
  Log("Address", c, a);
  At(c).address = std::move(a);
}

void FakeControls::SelectRadio(ControlId radio) {
  std::lock_guard lock(mutex_);
  for (auto id = static_cast<int>(ControlId::ShopSignRadio);
       id <= static_cast<int>(ControlId::FooterRadio); ++id) {
    states_[static_cast<std::size_t>(id)].ticked = id == static_cast<int>(radio);
  }
}

std::vector<std::string> FakeControls::Writes() {
  std::lock_guard lock(mutex_);
  return writes_;
}

}  // namespace ld::testing
