#include "window/look/look_scheme.h"

#include <algorithm>

namespace ld {
namespace {

// A disabled control's outer ring is this much darker than button face.
constexpr int kDisabledFrameShade = 32;

constexpr LookScheme kBlue{
    .frame = {123, 158, 189},
    .buttonBorder = {0, 60, 116},
    .faceTop = {255, 255, 255},
    .faceBottom = {226, 223, 214},
    .pressedTop = {209, 204, 193},
    .pressedBottom = {242, 241, 236},
    .hot = {248, 179, 48},
    .indicatorBorder = {28, 81, 128},
    .indicatorTop = {220, 220, 215},
    .indicatorBottom = {255, 255, 255},
    .mark = {33, 161, 33},
    .dropTop = {200, 216, 252},
    .dropBottom = {152, 180, 240},
    .dropBorder = {124, 150, 220},
    .arrow = {77, 97, 133},
};

constexpr LookScheme kOlive{
    .frame = {164, 185, 127},
    .buttonBorder = {85, 106, 50},
    .faceTop = {255, 255, 250},
    .faceBottom = {224, 226, 206},
    .pressedTop = {208, 212, 184},
    .pressedBottom = {240, 241, 230},
    .hot = {232, 168, 56},
    .indicatorBorder = {104, 128, 64},
    .indicatorTop = {218, 222, 200},
    .indicatorBottom = {255, 255, 250},
    .mark = {72, 112, 24},
    .dropTop = {234, 240, 212},
    .dropBottom = {180, 198, 132},
    .dropBorder = {150, 170, 110},
    .arrow = {70, 88, 40},
};

constexpr LookScheme kSilver{
    .frame = {198, 197, 215},
    .buttonBorder = {112, 112, 136},
    .faceTop = {255, 255, 255},
    .faceBottom = {220, 220, 230},
    .pressedTop = {200, 200, 214},
    .pressedBottom = {240, 240, 246},
    .hot = {248, 179, 48},
    .indicatorBorder = {118, 116, 146},
    .indicatorTop = {216, 216, 226},
    .indicatorBottom = {255, 255, 255},
    .mark = {76, 97, 152},
    .dropTop = {252, 252, 253},
    .dropBottom = {200, 201, 216},
    .dropBorder = {170, 170, 190},
    .arrow = {80, 80, 104},
};

std::uint8_t Lower(std::uint8_t component, int amount) {
  return static_cast<std::uint8_t>(std::max(0, component - amount));
}

}  // namespace

std::optional<LookScheme> LookSchemeColours(int scheme) {
  switch (scheme) {
    case 1:
      return kBlue;
    case 2:
      return kOlive;
    case 3:
      return kSilver;
    default:
      return std::nullopt;
  }
}

Rgb Darken(Rgb colour, int amount) {
  return {Lower(colour.r, amount), Lower(colour.g, amount), Lower(colour.b, amount)};
}

FrameRings ControlFrameRings(const LookScheme& scheme, Rgb window, Rgb buttonFace, bool enabled,
                             bool readOnly) {
  if (!enabled) {
    return {Darken(buttonFace, kDisabledFrameShade), buttonFace};
  }
  return {scheme.frame, readOnly ? buttonFace : window};
}

}  // namespace ld
