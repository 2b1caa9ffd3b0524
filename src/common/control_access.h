#pragma once

#include <cstdint>
#include <exception>

#include "common/text.h"

namespace ld {

// The main window and its 22 controls, named by their role. The window definition gives each its
// own name (编辑框1, 按钮2, ...), which the window's widgets carry as their object names.
enum class ControlId {
  Window,
  EditionLabel,       // 透明标签1 "店铺版本"
  EditionList,        // 组合框1
  RegionLabel,        // 透明标签3 "代码位置"
  ShopSignRadio,      // 单选框1 "店招"
  NavigationRadio,    // 单选框2 "导航"
  PageHeaderRadio,    // 单选框3 "页头"
  WideAreaRadio,      // 单选框4 "宽屏区"
  RightColumnRadio,   // 单选框5 "右侧区"
  LeftColumnRadio,    // 单选框6 "左侧区"
  FooterRadio,        // 单选框7 "页尾"
  RestartOption,      // 选择框1 "重新开始"
  ShowCodeOption,     // 选择框2 "显示代码"
  PreviewButton,      // 按钮1 "窗口预览"
  FullScreenButton,   // 按钮2 "全屏预览"
  OptionsPanel,       // 外形框1
  CodeBox,            // 编辑框1
  CurrentSpacerBox,   // 编辑框6
  SpacerTemplateBox,  // 编辑框5
  WorkingPageBox,     // 编辑框4
  MarketTemplateBox,  // 编辑框3
  TmallTemplateBox,   // 编辑框2
  BrowserView,        // 超文本浏览框1
};

inline constexpr int kControlIdCount = static_cast<int>(ControlId::BrowserView) + 1;

// Thrown by a control access when the window no longer exists. A task that meets it ends at once
// without touching anything else; StartTask catches it.
class WindowGone : public std::exception {
 public:
  const char* what() const noexcept override { return "the main window is gone"; }
};

// The only way the system reads and writes the window and its controls: one property of one
// control per call. From a worker thread the access takes effect on the window's thread while the
// caller waits. A read returns a copy.
class ControlAccess {
 public:
  virtual ~ControlAccess() = default;

  // Places are relative to the parent's client area; the window's own size is its outer size.
  virtual std::int32_t Left(ControlId control) = 0;
  virtual std::int32_t Top(ControlId control) = 0;
  virtual std::int32_t Width(ControlId control) = 0;
  virtual std::int32_t Height(ControlId control) = 0;
  virtual void SetLeft(ControlId control, std::int32_t left) = 0;
  virtual void SetTop(ControlId control, std::int32_t top) = 0;
  // A negative size is applied as 0.
  virtual void SetWidth(ControlId control, std::int32_t width) = 0;
  virtual void SetHeight(ControlId control, std::int32_t height) = 0;

  virtual bool Visible(ControlId control) = 0;
  virtual void SetVisible(ControlId control, bool visible) = 0;
  virtual bool Enabled(ControlId control) = 0;
  virtual void SetEnabled(ControlId control, bool enabled) = 0;

  // The whole text of an edit box. The code box's text crosses as GB18030 bytes with CR LF line
  // breaks; the hidden boxes hold bytes exactly.
  virtual Text GetText(ControlId control) = 0;
  virtual void SetText(ControlId control, Text text) = 0;

  // Whether a check box is ticked or a radio button selected.
  virtual bool Ticked(ControlId control) = 0;
  // The 0-based selected item of the edition list, -1 when none is selected.
  virtual std::int32_t Selection(ControlId control) = 0;

  // The browser view's current location, and a navigation to an address.
  virtual Text Address(ControlId control) = 0;
  virtual void SetAddress(ControlId control, Text address) = 0;
};

}  // namespace ld
