#pragma once

#include <QIcon>

namespace ld {

// The program's own icon, drawn at start: a page with angle brackets over a leaf-green tile.
QIcon WindowIcon();

}  // namespace ld
