#pragma once

#include <cstdint>
#include <optional>

namespace ld {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colours of one scheme of the XP look. Gradients run from the first colour at the top to
// the second at the bottom.
struct LookScheme {
  Rgb frame;  // edge of edit boxes, combo boxes and opened lists
  Rgb buttonBorder;
  Rgb faceTop, faceBottom;        // push button at rest
  Rgb pressedTop, pressedBottom;  // push button held down
  Rgb hot;                        // rim of a control under the mouse
  Rgb indicatorBorder;
  Rgb indicatorTop, indicatorBottom;  // check box and radio button
  Rgb mark;                           // tick and radio dot
  Rgb dropTop, dropBottom;            // drop-down button of a combo box
  Rgb dropBorder;
  Rgb arrow;
};

// Schemes 1 (blue), 2 (olive green) and 3 (silver); nothing for any other number.
std::optional<LookScheme> LookSchemeColours(int scheme);

// Each component lowered by `amount`, stopping at 0.
Rgb Darken(Rgb colour, int amount);

// The two one-pixel rings drawn in place of the edge of an edit box, a combo box or an opened list.
struct FrameRings {
  Rgb outer;
  Rgb inner;
};

// A disabled control shows button face inside a darkened outer ring; an enabled one the scheme's
// frame around the window colour. A read-only edit box keeps the scheme's frame but takes button
// face inside, as a disabled one does.
FrameRings ControlFrameRings(const LookScheme& scheme, Rgb window, Rgb buttonFace, bool enabled,
                             bool readOnly);

}  // namespace ld
