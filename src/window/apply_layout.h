#pragma once

#include "common/control_access.h"

namespace ld {

// Makes the view, the code box and the options panel follow the window's outer size, and keeps the
// two buttons at the panel's right end. Runs before the first show and after every size change.
void ApplyLayout(ControlAccess& controls);

}  // namespace ld
