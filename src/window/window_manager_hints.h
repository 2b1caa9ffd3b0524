#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace ld {

// Tells an X11 window manager that the user cannot resize the window by dragging its edges while
// maximising and restoring still work: minimum and base size are the client size, and the resize
// step is larger than any screen. Does nothing on other platforms.
void WriteFixedSizeHints(QWidget& window, QSize clientSize);

// What frame and caption add around the client area. Under X11 read afresh from the window
// manager's frame extents, which the toolkit's own copy can lag behind after a maximise.
QMargins FrameMargins(const QWidget& window);

// The outer rectangle, frame and caption included.
QRect OuterRect(const QWidget& window);

}  // namespace ld
