#include "window/look/look_scheme.h"

#include <gtest/gtest.h>

namespace ld {
namespace {

TEST(LookScheme, eachSchemeNumber_givesItsFrameColour) {
  const struct {
    int scheme;
    Rgb frame;
  } cases[] = {{1, {123, 158, 189}}, {2, {164, 185, 127}}, {3, {198, 197, 215}}};
  for (const auto& c : cases) {
    const std::optional<LookScheme> colours = LookSchemeColours(c.scheme);
    ASSERT_TRUE(colours.has_value()) << c.scheme;
    EXPECT_EQ(colours->frame, c.frame) << c.scheme;
  }
}

TEST(LookScheme, numbersOutsideOneToThree_giveNoScheme) {
  for (int scheme : {0, 4, -1, -2, 255}) {
    EXPECT_FALSE(LookSchemeColours(scheme).has_value()) << scheme;
  }
}

TEST(LookScheme, darken_lowersEachComponentAndStopsAtZero) {
  EXPECT_EQ(Darken({239, 239, 239}, 32), (Rgb{207, 207, 207}));
  EXPECT_EQ(Darken({20, 32, 255}, 32), (Rgb{0, 0, 223}));
}

TEST(LookScheme, frameRings_followStateOfControl) {
  const LookScheme olive = *LookSchemeColours(2);
  const Rgb window{255, 255, 255};
  const Rgb face{236, 233, 216};
  const Rgb disabledEdge{204, 201, 184};
  const struct {
    bool enabled;
    bool readOnly;
    FrameRings expected;
  } cases[] = {
      {true, false, {olive.frame, window}},
      {true, true, {olive.frame, face}},
      {false, false, {disabledEdge, face}},
      {false, true, {disabledEdge, face}},
  };
  for (const auto& c : cases) {
    const FrameRings rings = ControlFrameRings(olive, window, face, c.enabled, c.readOnly);
    EXPECT_EQ(rings.outer, c.expected.outer) << c.enabled << c.readOnly;
    EXPECT_EQ(rings.inner, c.expected.inner) << c.enabled << c.readOnly;
  }
}

}  // namespace
}  // namespace ld
