#pragma once

#include <QColor>
#include <QWidget>

#include "output/view_port.h"

namespace ld::testing {

// A stand-in for the browser engine: paints one solid colour and remembers the address.
class FakeView : public QWidget, public BrowserViewPort {
 public:
  static inline const QColor kColour{0, 160, 0};

  explicit FakeView(QWidget* parent);
  void SetViewAddress(const Text& address) override;
  Text ViewAddress() override { return address_; }
  // Whether the page takes Esc for itself, as a page with its own key handling may.
  bool usesEscape = false;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Text address_;
};

}  // namespace ld::testing
