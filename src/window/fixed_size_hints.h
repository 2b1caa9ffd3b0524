#pragma once

#include <QSize>

class QWidget;

namespace ld {

// Tells an X11 window manager that the user cannot resize the window by dragging its edges while
// maximising and restoring still work: minimum and base size are the client size, and the resize
// step is larger than any screen. Does nothing on other platforms.
void WriteFixedSizeHints(QWidget& window, QSize clientSize);

}  // namespace ld
