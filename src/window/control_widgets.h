#pragma once

#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

#include "common/text.h"

namespace ld {

// The options bar: button face with a dotted grey outline along its client edge.
class OptionsPanelWidget : public QWidget {
 public:
  explicit OptionsPanelWidget(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The code box 编辑框1: wraps, always has a vertical scroll bar, never scrolls sideways.
class CodeBoxWidget : public QPlainTextEdit {
 public:
  explicit CodeBoxWidget(QWidget* parent);
  // Runs before the box's own handling of a double-click.
  void OnDoubleClick(std::function<void()> hook);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  std::function<void()> doubleClicked_;
};

// A hidden edit box holding one text of the preview document. The bytes themselves are the truth:
// a text that is not valid GBK, or many megabytes long, goes in and comes out unchanged and
// without a conversion.
class HiddenTextBox : public QPlainTextEdit {
 public:
  explicit HiddenTextBox(QWidget* parent);
  const Text& Bytes() const { return bytes_; }
  void SetBytes(Text bytes);

 protected:
  // Only when someone shows it after all does the box render its bytes as text.
  void showEvent(QShowEvent* event) override;

 private:
  Text bytes_;
};

}  // namespace ld
