#pragma once

#include <QWidget>

#include "output/view_port.h"

namespace ld::stress {

// The browser view stand-in: a bare widget that remembers the address it was sent to.
class StressView : public QWidget, public BrowserViewPort {
 public:
  explicit StressView(QWidget* parent);
  void SetViewAddress(const Text& address) override;
  Text ViewAddress() override;

 private:
  Text address_;
};

}  // namespace ld::stress
