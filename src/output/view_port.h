#pragma once

#include "common/text.h"

namespace ld {

// What the system needs of the embedded browser view, without the engine behind it. Used on the
// window's thread only.
class BrowserViewPort {
 public:
  virtual ~BrowserViewPort() = default;
  // Starts a navigation to the address (a plain local path is accepted) and returns at once. It
  // always navigates, also to the address already shown, so the file is read afresh.
  virtual void SetViewAddress(const Text& address) = 0;
  // The view's current location as the engine reports it; empty while nothing was loaded.
  virtual Text ViewAddress() = 0;
};

}  // namespace ld
