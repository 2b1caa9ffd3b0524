#include "window/widget_control_access.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>
#include <algorithm>

#include "output/view_port.h"
#include "window/control_widgets.h"
#include "window/qt_text.h"
#include "window/window_manager_hints.h"

namespace ld {
namespace {

// The window's frame and caption, which its outer rectangle adds to the client area.
QSize FrameExtra(const QWidget& window) {
  const QMargins m = FrameMargins(window);
  return {m.left() + m.right(), m.top() + m.bottom()};
}

}  // namespace

WidgetControlAccess::WidgetControlAccess(std::array<QWidget*, kControlIdCount> widgets,
                                         BrowserViewPort* view)
    : widgets_(widgets), view_(view) {}

QWidget* WidgetControlAccess::At(ControlId control) const {
  return widgets_[static_cast<std::size_t>(control)];
}

std::int32_t WidgetControlAccess::Left(ControlId c) {
  return c == ControlId::Window ? OuterRect(*At(c)).x() : At(c)->x();
}

std::int32_t WidgetControlAccess::Top(ControlId c) {
  return c == ControlId::Window ? OuterRect(*At(c)).y() : At(c)->y();
}

std::int32_t WidgetControlAccess::Width(ControlId c) {
  return c == ControlId::Window ? OuterRect(*At(c)).width() : At(c)->width();
}

std::int32_t WidgetControlAccess::Height(ControlId c) {
  return c == ControlId::Window ? OuterRect(*At(c)).height() : At(c)->height();
}

// A top-level window's move() places its outer rectangle; a child's is relative to its parent.
void WidgetControlAccess::SetLeft(ControlId c, std::int32_t v) {
  QWidget* w = At(c);
  w->move(v, c == ControlId::Window ? OuterRect(*w).y() : w->y());
}

void WidgetControlAccess::SetTop(ControlId c, std::int32_t v) {
  QWidget* w = At(c);
  w->move(c == ControlId::Window ? OuterRect(*w).x() : w->x(), v);
}

void WidgetControlAccess::SetWidth(ControlId c, std::int32_t v) {
  QWidget* w = At(c);
  const int extra = c == ControlId::Window ? FrameExtra(*w).width() : 0;
  w->resize(std::max(v - extra, 0), w->height());
}

void WidgetControlAccess::SetHeight(ControlId c, std::int32_t v) {
  QWidget* w = At(c);
  const int extra = c == ControlId::Window ? FrameExtra(*w).height() : 0;
  w->resize(w->width(), std::max(v - extra, 0));
}

bool WidgetControlAccess::Visible(ControlId c) {
  QWidget* window = At(ControlId::Window);
  return c == ControlId::Window ? window->isVisible() : At(c)->isVisibleTo(window);
}

void WidgetControlAccess::SetVisible(ControlId c, bool v) {
  At(c)->setVisible(v);
}

bool WidgetControlAccess::Enabled(ControlId c) {
  return At(c)->isEnabled();
}

void WidgetControlAccess::SetEnabled(ControlId c, bool v) {
  At(c)->setEnabled(v);
}

Text WidgetControlAccess::GetText(ControlId c) {
  QWidget* w = At(c);
  if (auto* hidden = dynamic_cast<HiddenTextBox*>(w)) {
    return hidden->Bytes();
  }
  if (auto* box = dynamic_cast<QPlainTextEdit*>(w)) {
    // The raw text keeps non-breaking spaces, which toPlainText would turn into spaces.
    return ToCodeBoxBytes(box->document()->toRawText());
  }
  if (auto* button = dynamic_cast<QAbstractButton*>(w)) {
    return ToGbk(button->text());
  }
  if (auto* label = dynamic_cast<QLabel*>(w)) {
    return ToGbk(label->text());
  }
  if (auto* list = dynamic_cast<QComboBox*>(w)) {
    return ToGbk(list->currentText());
  }
  if (c == ControlId::Window) {
    return ToGbk(w->windowTitle());
  }
  return {};
}

void WidgetControlAccess::SetText(ControlId c, Text t) {
  QWidget* w = At(c);
  if (auto* hidden = dynamic_cast<HiddenTextBox*>(w)) {
    hidden->SetBytes(std::move(t));
  } else if (auto* box = dynamic_cast<QPlainTextEdit*>(w)) {
    box->setPlainText(FromCodeBoxBytes(t));
  } else if (auto* button = dynamic_cast<QAbstractButton*>(w)) {
    button->setText(FromGbk(t));
  } else if (auto* label = dynamic_cast<QLabel*>(w)) {
    label->setText(FromGbk(t));
  } else if (c == ControlId::Window) {
    w->setWindowTitle(FromGbk(t));
  }
}

bool WidgetControlAccess::Ticked(ControlId c) {
  auto* button = dynamic_cast<QAbstractButton*>(At(c));
  return button != nullptr && button->isCheckable() && button->isChecked();
}

std::int32_t WidgetControlAccess::Selection(ControlId c) {
  auto* list = dynamic_cast<QComboBox*>(At(c));
  return list != nullptr ? list->currentIndex() : -1;
}

Text WidgetControlAccess::Address(ControlId c) {
  return c == ControlId::BrowserView && view_ != nullptr ? view_->ViewAddress() : Text();
}

void WidgetControlAccess::SetAddress(ControlId c, Text address) {
  if (c == ControlId::BrowserView && view_ != nullptr) {
    view_->SetViewAddress(address);
  }
}

}  // namespace ld
