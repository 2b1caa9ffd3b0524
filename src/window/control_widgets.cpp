#include "window/control_widgets.h"

#include <QPainter>
#include <QPen>
#include <QScrollBar>

#include "window/qt_text.h"

namespace ld {
namespace {

void MakeMultiLine(QPlainTextEdit& box) {
  box.setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Tab leaves the box, as it does in the window's other Tab stops.
  box.setTabChangesFocus(true);
}

}  // namespace

OptionsPanelWidget::OptionsPanelWidget(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
}

void OptionsPanelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

CodeBoxWidget::CodeBoxWidget(QWidget* parent) : QPlainTextEdit(parent) {
  MakeMultiLine(*this);
}

void CodeBoxWidget::OnDoubleClick(std::function<void()> hook) {
  doubleClicked_ = std::move(hook);
}

void CodeBoxWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (doubleClicked_) {
    doubleClicked_();
  }
  QPlainTextEdit::mouseDoubleClickEvent(event);
}

HiddenTextBox::HiddenTextBox(QWidget* parent) : QPlainTextEdit(parent) {
  MakeMultiLine(*this);
}

void HiddenTextBox::SetBytes(Text bytes) {
  bytes_ = std::move(bytes);
  if (isVisible()) {
    setPlainText(FromGbk(bytes_));
  }
}

void HiddenTextBox::showEvent(QShowEvent* event) {
  setPlainText(FromGbk(bytes_));
  QPlainTextEdit::showEvent(event);
}

}  // namespace ld
