#include "fake_view.h"

#include <QPainter>

namespace ld::testing {

FakeView::FakeView(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
}

void FakeView::SetViewAddress(const Text& address) {
  address_ = address;
}

void FakeView::paintEvent(QPaintEvent*) {
  QPainter(this).fillRect(rect(), kColour);
}

}  // namespace ld::testing
