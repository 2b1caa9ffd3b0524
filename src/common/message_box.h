#pragma once

#include "common/text.h"

namespace ld {

// A message box with one OK button, no icon and no owner window, shown from a worker thread. The
// call returns once the user has closed it; the main window stays usable meanwhile.
class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  virtual void ShowMessage(const Text& text, const Text& title) = 0;
};

}  // namespace ld
