#include "window/apply_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_controls.h"

namespace ld {
namespace {

using testing::FakeControls;

struct Layout {
  std::int32_t viewWidth, viewHeight, codeTop, codeWidth, panelTop, panelWidth, previewLeft,
      fullScreenLeft;
};

Layout LayoutFor(std::int32_t outerWidth, std::int32_t outerHeight, FakeControls& controls) {
  controls.At(ControlId::Window).width = outerWidth;
  controls.At(ControlId::Window).height = outerHeight;
  ApplyLayout(controls);
  return {
      controls.At(ControlId::BrowserView).width,  controls.At(ControlId::BrowserView).height,
      controls.At(ControlId::CodeBox).top,        controls.At(ControlId::CodeBox).width,
      controls.At(ControlId::OptionsPanel).top,   controls.At(ControlId::OptionsPanel).width,
      controls.At(ControlId::PreviewButton).left, controls.At(ControlId::FullScreenButton).left};
}

struct Case {
  const char* what;
  std::int32_t width, height;
  Layout expected;
};

TEST(ApplyLayout, followsTheOuterSize_forEachKindOfWindowSize) {
  const std::vector<Case> cases = {
      {"defined size", 1100, 700, {1100, 630, 510, 1100, 630, 1100, 930, 1010}},
      {"maximised", 1920, 1080, {1920, 1010, 890, 1920, 1010, 1920, 1750, 1830}},
      {"minimised strip", 160, 28, {160, 0, -162, 160, -42, 160, -10, 70}},
      {"height exactly 70", 300, 70, {300, 0, -120, 300, 0, 300, 130, 210}},
      {"narrower than the buttons", 60, 40, {60, 0, -150, 60, -30, 60, -110, -30}},
      {"nothing at all", 0, 0, {0, 0, -190, 0, -70, 0, -170, -90}},
  };
  for (const Case& c : cases) {
    FakeControls controls;
    const Layout got = LayoutFor(c.width, c.height, controls);
    const Layout& e = c.expected;
    SCOPED_TRACE(c.what);
    EXPECT_EQ(got.viewWidth, e.viewWidth);
    EXPECT_EQ(got.viewHeight, e.viewHeight);
    EXPECT_EQ(got.codeTop, e.codeTop);
    EXPECT_EQ(got.codeWidth, e.codeWidth);
    EXPECT_EQ(got.panelTop, e.panelTop);
    EXPECT_EQ(got.panelWidth, e.panelWidth);
    EXPECT_EQ(got.previewLeft, e.previewLeft);
    EXPECT_EQ(got.fullScreenLeft, e.fullScreenLeft);
  }
}

TEST(ApplyLayout, writesOnlyTheEightValues_inTheirOrder) {
  FakeControls controls;
  controls.At(ControlId::Window).width = 1100;
  controls.At(ControlId::Window).height = 700;
  ApplyLayout(controls);
  auto id = [](ControlId c) { return std::to_string(static_cast<int>(c)); };
  const std::vector<std::string> expected = {
      "Width " + id(ControlId::BrowserView) + " 1100",
      "Height " + id(ControlId::BrowserView) + " 630",
      "Width " + id(ControlId::CodeBox) + " 1100",
      "Top " + id(ControlId::CodeBox) + " 510",
      "Width " + id(ControlId::OptionsPanel) + " 1100",
      "Top " + id(ControlId::OptionsPanel) + " 630",
      "Left " + id(ControlId::FullScreenButton) + " 1010",
      "Left " + id(ControlId::PreviewButton) + " 930",
  };
  EXPECT_EQ(controls.Writes(), expected);
}

TEST(ApplyLayout, negativeSizesAreRequested_andTheAccessTakesThemAsZero) {
  FakeControls controls;
  controls.At(ControlId::Window).width = -20;
  controls.At(ControlId::Window).height = 10;
  ApplyLayout(controls);
  const auto writes = controls.Writes();
  EXPECT_EQ(writes[1],
            "Height " + std::to_string(static_cast<int>(ControlId::BrowserView)) + " -60");
  EXPECT_EQ(controls.At(ControlId::BrowserView).height, 0);
  EXPECT_EQ(controls.At(ControlId::OptionsPanel).width, 0);
  // The buttons are placed from the width the panel really took, not from W.
  EXPECT_EQ(controls.At(ControlId::FullScreenButton).left, -90);
  EXPECT_EQ(controls.At(ControlId::PreviewButton).left, -170);
}

// A panel that will not grow past 1000 pixels: the buttons must follow what it reports.
class CappedPanel : public FakeControls {
 public:
  void SetWidth(ControlId c, std::int32_t v) override {
    FakeControls::SetWidth(c, c == ControlId::OptionsPanel ? std::min(v, 1000) : v);
  }
};

TEST(ApplyLayout, buttonLefts_comeFromThePanelWidthReadBack) {
  CappedPanel controls;
  LayoutFor(1600, 900, controls);
  EXPECT_EQ(controls.At(ControlId::OptionsPanel).width, 1000);
  EXPECT_EQ(controls.At(ControlId::FullScreenButton).left, 910);
  EXPECT_EQ(controls.At(ControlId::PreviewButton).left, 830);
  EXPECT_EQ(controls.At(ControlId::CodeBox).width, 1600);
}

TEST(ApplyLayout, restoringAfterMaximise_bringsBackTheDefinedLayout) {
  FakeControls controls;
  LayoutFor(1920, 1080, controls);
  LayoutFor(200, 20, controls);
  const Layout got = LayoutFor(1100, 700, controls);
  EXPECT_EQ(got.viewHeight, 630);
  EXPECT_EQ(got.codeTop, 510);
  EXPECT_EQ(got.panelTop, 630);
  EXPECT_EQ(got.previewLeft, 930);
  EXPECT_EQ(got.fullScreenLeft, 1010);
}

}  // namespace
}  // namespace ld
