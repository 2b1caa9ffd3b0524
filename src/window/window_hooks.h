#pragma once

#include <functional>

namespace ld {

// The control events that have handlers, as plain calls on the window's thread. Any of them may
// be left empty. Kept free of the toolkit so the handlers behind them can be tested without it.
struct WindowHooks {
  std::function<void()> creationComplete;
  // After every change of the window's size, and once before the first show.
  std::function<void()> sizeChanged;
  // While the window is being destroyed, before its controls are gone.
  std::function<void()> aboutToBeDestroyed;
  // 选择框2 clicked, after the box has changed its ticked state.
  std::function<void()> showCodeClicked;
  // 按钮1 clicked.
  std::function<void()> previewClicked;
  // 按钮2 clicked.
  std::function<void()> fullScreenClicked;
  // 组合框1: an item chosen in the opened list, the one already selected included, after the list
  // has taken the choice.
  std::function<void()> editionChosen;
  // 编辑框1 double-clicked; the box's own handling of the double-click follows.
  std::function<void()> codeBoxDoubleClicked;
};

}  // namespace ld
