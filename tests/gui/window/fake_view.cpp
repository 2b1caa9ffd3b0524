#include "fake_view.h"

#include <QKeyEvent>
#include <QPainter>

namespace ld::testing {

FakeView::FakeView(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
}

void FakeView::SetViewAddress(const Text& address) {
  address_ = address;
}

void FakeView::keyPressEvent(QKeyEvent* event) {
  if (usesEscape && event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void FakeView::paintEvent(QPaintEvent*) {
  QPainter(this).fillRect(rect(), kColour);
}

}  // namespace ld::testing
