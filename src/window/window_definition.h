#pragma once

#include <cstdint>
#include <vector>

#include "common/control_access.h"
#include "common/text.h"

namespace ld {

// The main window as data: what the toolkit adapter builds and what the tests compare against.
// Nothing here knows a toolkit.

enum class ControlKind {
  TransparentLabel,
  DropDownList,
  RadioButton,
  CheckBox,
  PushButton,
  Panel,
  EditBox,
  BrowserView,
};

// The events that have handlers; every other event of every control has none.
enum class ControlEvent {
  CreationComplete,
  SizeChanged,
  AboutToBeDestroyed,
  ItemChosen,
  Clicked,
  DoubleClicked,
};

struct Colour {
  // The system colour of push-button faces, whatever its value on this desktop.
  bool buttonFace = false;
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Colour&) const = default;
};

inline constexpr Colour kButtonFace{true, 0, 0, 0};
inline constexpr Colour kBlack{false, 0, 0, 0};
inline constexpr Colour kWhite{false, 255, 255, 255};

enum class Edge { None, ThinSunken, Sunken };

struct FontDefinition {
  // The system's default GUI font; otherwise the default face at the given height and weight.
  bool systemDefault = true;
  int pixelHeight = 0;
  int weight = 400;
  bool operator==(const FontDefinition&) const = default;
};

struct ControlDefinition {
  ControlId id;
  Text name;  // the definition's own name, GBK: 编辑框1, 按钮2, ...
  ControlKind kind;
  ControlId parent;  // ControlId::Window or ControlId::OptionsPanel
  std::int32_t left, top, width, height;
  Text text;                // caption or initial edit text
  std::vector<Text> items;  // the drop-down list's items, unsorted
  FontDefinition font;
  Colour background;
  Colour textColour;
  Edge edge;
  bool visible;
  bool enabled;
  bool ticked;
  std::int32_t selection;  // -1 when the control has no selection
  bool tabStop;
  std::vector<ControlEvent> events;
};

struct WindowDefinition {
  Text title;
  std::int32_t width, height;  // outer size, frame and caption included
  // Held by the definition but not used: the window opens centred.
  std::int32_t unusedLeft, unusedTop;
  Colour background;
  std::vector<ControlEvent> events;
  // In the order of the definition.
  std::vector<ControlDefinition> controls;
  // Front to back among the window's own children, and among the panel's children.
  std::vector<ControlId> windowStacking;
  std::vector<ControlId> panelStacking;
};

const WindowDefinition& MainWindowDefinition();
// The definition of one control; ControlId::Window has none.
const ControlDefinition& DefinitionOf(ControlId control);
// The initial text of the code box: nine lines joined by CR LF, 560 bytes.
const Text& HelpText();

}  // namespace ld
