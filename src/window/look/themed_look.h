#pragma once

namespace ld {

// With 1, 2 or 3 switches the XP look on in that colour scheme, after switching off any look that
// was on; any other value switches it off. The look covers the push buttons, check boxes, radio
// buttons, group boxes, edit boxes, combo boxes with their opened lists and spin boxes of this
// thread's windows, existing and created later; message boxes keep the standard look. Call it on
// the window's thread once the application object exists; anywhere else it does nothing.
void ThemedLook(int scheme);

// The scheme of the look that is on, or 0 while it is off.
int CurrentLookScheme();

}  // namespace ld
