#include "stress_view.h"

namespace ld::stress {

StressView::StressView(QWidget* parent) : QWidget(parent) {}

void StressView::SetViewAddress(const Text& address) {
  address_ = address;
}

Text StressView::ViewAddress() {
  return address_;
}

}  // namespace ld::stress
