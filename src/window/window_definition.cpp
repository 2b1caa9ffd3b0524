#include "window/window_definition.h"

#include <stdexcept>

#include "composition/markers.h"

namespace ld {
namespace {

// The nine lines of the help text, joined by CR LF, no break after the last.
constexpr char kHelpText[] =
    // 1.此处为代码输入框，双击清空内容。
    "1.\xb4\xcb\xb4\xa6\xce\xaa\xb4\xfa\xc2\xeb\xca\xe4\xc8\xeb\xbf\xf2\xa3\xac\xcb\xab\xbb\xf7\xc7"
    "\xe5\xbf\xd5\xc4\xda\xc8\xdd\xa1\xa3"
    "\r\n"
    // 2.店铺版本：选择店铺版本会调用对应的店铺框架，使之达到最佳预览效果。
    "2.\xb5\xea\xc6\xcc\xb0\xe6\xb1\xbe\xa3\xba\xd1\xa1\xd4\xf1\xb5\xea\xc6\xcc\xb0\xe6\xb1\xbe\xbb"
    "\xe1\xb5\xf7\xd3\xc3\xb6\xd4\xd3\xa6\xb5\xc4\xb5\xea\xc6\xcc\xbf\xf2\xbc\xdc\xa3\xac\xca\xb9"
    "\xd6"
    "\xae\xb4\xef\xb5\xbd\xd7\xee\xbc\xd1\xd4\xa4\xc0\xc0\xd0\xa7\xb9\xfb\xa1\xa3"
    "\r\n"
    // 3.代码位置：根据代码的用途，选择对应的位置，预览后会在对应的区域显示。
    "3.\xb4\xfa\xc2\xeb\xce\xbb\xd6\xc3\xa3\xba\xb8\xf9\xbe\xdd\xb4\xfa\xc2\xeb\xb5\xc4\xd3\xc3\xcd"
    "\xbe\xa3\xac\xd1\xa1\xd4\xf1\xb6\xd4\xd3\xa6\xb5\xc4\xce\xbb\xd6\xc3\xa3\xac\xd4\xa4\xc0\xc0"
    "\xba"
    "\xf3\xbb\xe1\xd4\xda\xb6\xd4\xd3\xa6\xb5\xc4\xc7\xf8\xd3\xf2\xcf\xd4\xca\xbe\xa1\xa3"
    "\r\n"
    // 4.重新开始：勾选后会清空原来已预览的内容，否则累计添加。
    "4.\xd6\xd8\xd0\xc2\xbf\xaa\xca\xbc\xa3\xba\xb9\xb4\xd1\xa1\xba\xf3\xbb\xe1\xc7\xe5\xbf\xd5\xd4"
    "\xad\xc0\xb4\xd2\xd1\xd4\xa4\xc0\xc0\xb5\xc4\xc4\xda\xc8\xdd\xa3\xac\xb7\xf1\xd4\xf2\xc0\xdb"
    "\xbc"
    "\xc6\xcc\xed\xbc\xd3\xa1\xa3"
    "\r\n"
    // 5.显示代码：选中后会显示代码输入框，否则隐藏。
    "5.\xcf\xd4\xca\xbe\xb4\xfa\xc2\xeb\xa3\xba\xd1\xa1\xd6\xd0\xba\xf3\xbb\xe1\xcf\xd4\xca\xbe\xb4"
    "\xfa\xc2\xeb\xca\xe4\xc8\xeb\xbf\xf2\xa3\xac\xb7\xf1\xd4\xf2\xd2\xfe\xb2\xd8\xa1\xa3"
    "\r\n"
    // 6.窗口预览：即在本窗口显示预览效果。
    "6.\xb4\xb0\xbf\xda\xd4\xa4\xc0\xc0\xa3\xba\xbc\xb4\xd4\xda\xb1\xbe\xb4\xb0\xbf\xda\xcf\xd4\xca"
    "\xbe\xd4\xa4\xc0\xc0\xd0\xa7\xb9\xfb\xa1\xa3"
    "\r\n"
    // 7.全屏预览：会调用系统浏览器新窗口打开预览效果。
    "7.\xc8\xab\xc6\xc1\xd4\xa4\xc0\xc0\xa3\xba\xbb\xe1\xb5\xf7\xd3\xc3\xcf\xb5\xcd\xb3\xe4\xaf\xc0"
    "\xc0\xc6\xf7\xd0\xc2\xb4\xb0\xbf\xda\xb4\xf2\xbf\xaa\xd4\xa4\xc0\xc0\xd0\xa7\xb9\xfb\xa1\xa3"
    "\r\n"
    // 8.页头预览：为预览页头图片，在输入框内输入的为图片地址。
    "8.\xd2\xb3\xcd\xb7\xd4\xa4\xc0\xc0\xa3\xba\xce\xaa\xd4\xa4\xc0\xc0\xd2\xb3\xcd\xb7\xcd\xbc\xc6"
    "\xac\xa3\xac\xd4\xda\xca\xe4\xc8\xeb\xbf\xf2\xc4\xda\xca\xe4\xc8\xeb\xb5\xc4\xce\xaa\xcd\xbc"
    "\xc6"
    "\xac\xb5\xd8\xd6\xb7\xa1\xa3"
    "\r\n"
    // 9.本工具为模拟淘宝装修后台，实现各区域内的代码效果预览，是一个非常不错的淘宝代码的测试环境。
    //   其它超强实用工具，请访问瓴丹论坛下载。
    "9.\xb1\xbe\xb9\xa4\xbe\xdf\xce\xaa\xc4\xa3\xc4\xe2\xcc\xd4\xb1\xa6\xd7\xb0\xd0\xde\xba\xf3\xcc"
    "\xa8\xa3\xac\xca\xb5\xcf\xd6\xb8\xf7\xc7\xf8\xd3\xf2\xc4\xda\xb5\xc4\xb4\xfa\xc2\xeb\xd0\xa7"
    "\xb9"
    "\xfb\xd4\xa4\xc0\xc0\xa3\xac\xca\xc7\xd2\xbb\xb8\xf6\xb7\xc7\xb3\xa3\xb2\xbb\xb4\xed\xb5\xc4"
    "\xcc"
    "\xd4\xb1\xa6\xb4\xfa\xc2\xeb\xb5\xc4\xb2\xe2\xca\xd4\xbb\xb7\xbe\xb3\xa1\xa3\xc6\xe4\xcb\xfc"
    "\xb3"
    "\xac\xc7\xbf\xca\xb5\xd3\xc3\xb9\xa4\xbe\xdf\xa3\xac\xc7\xeb\xb7\xc3\xce\xca\xea\xb2\xb5\xa4"
    "\xc2"
    "\xdb\xcc\xb3\xcf\xc2\xd4\xd8\xa1\xa3";
static_assert(sizeof(kHelpText) - 1 == 560, "the help text is 560 bytes");

constexpr FontDefinition kDefaultFont{};
constexpr FontDefinition kBoldButtonFont{false, 12, 700};
constexpr Colour kCodeBoxGrey{false, 234, 234, 234};

using enum ControlId;
using enum ControlEvent;

ControlDefinition Label(ControlId id, Text name, std::int32_t left, Text text) {
  return {id,
          std::move(name),
          ControlKind::TransparentLabel,
          OptionsPanel,
          left,
          9,
          56,
          24,
          std::move(text),
          {},
          kDefaultFont,
          kButtonFace,
          kBlack,
          Edge::None,
          true,
          true,
          false,
          -1,
          false,
          {}};
}

ControlDefinition Option(ControlId id, ControlKind kind, Text name, std::int32_t left,
                         std::int32_t width, Text text, bool ticked,
                         std::vector<ControlEvent> events = {}) {
  return {id,           std::move(name), kind,   OptionsPanel,    left,
          14,           width,           16,     std::move(text), {},
          kDefaultFont, kButtonFace,     kBlack, Edge::None,      true,
          true,         ticked,          -1,     false,           std::move(events)};
}

ControlDefinition Button(ControlId id, Text name, std::int32_t left, Text text, FontDefinition font,
                         bool enabled) {
  return {id,
          std::move(name),
          ControlKind::PushButton,
          OptionsPanel,
          left,
          5,
          70,
          30,
          std::move(text),
          {},
          font,
          kButtonFace,
          kBlack,
          Edge::None,
          true,
          enabled,
          false,
          -1,
          true,
          {Clicked}};
}

ControlDefinition HiddenBox(ControlId id, Text name, std::int32_t left, std::int32_t top,
                            std::int32_t width, std::int32_t height, Text text) {
  return {id,
          std::move(name),
          ControlKind::EditBox,
          Window,
          left,
          top,
          width,
          height,
          std::move(text),
          {},
          kDefaultFont,
          kWhite,
          kBlack,
          Edge::Sunken,
          false,
          true,
          false,
          -1,
          false,
          {}};
}

WindowDefinition Build() {
  WindowDefinition w;
  w.title = "\xea\xb2\xb5\xa4\xb4\xfa\xc2\xeb\xd4\xa4\xc0\xc0\xc6\xf7";  // 瓴丹代码预览器
  w.width = 1100;
  w.height = 700;
  w.unusedLeft = 50;
  w.unusedTop = 50;
  w.background = kButtonFace;
  w.events = {CreationComplete, SizeChanged, AboutToBeDestroyed};

  const Text label = "\xcd\xb8\xc3\xf7\xb1\xea\xc7\xa9";  // 透明标签
  const Text radio = "\xb5\xa5\xd1\xa1\xbf\xf2";          // 单选框
  const Text check = "\xd1\xa1\xd4\xf1\xbf\xf2";          // 选择框
  const Text button = "\xb0\xb4\xc5\xa5";                 // 按钮
  const Text edit = "\xb1\xe0\xbc\xad\xbf\xf2";           // 编辑框

  auto& c = w.controls;
  c.push_back(
      Label(EditionLabel, label + "1", 10, "\xb5\xea\xc6\xcc\xb0\xe6\xb1\xbe"));  // 店铺版本
  c.push_back({EditionList,
               "\xd7\xe9\xba\xcf\xbf\xf2"
               "1",  // 组合框1
               ControlKind::DropDownList,
               OptionsPanel,
               68,
               11,
               64,
               20,
               "",
               {"\xbc\xaf\xca\xd0\xb0\xe6", "\xcc\xec\xc3\xa8\xb0\xe6"},  // 集市版, 天猫版
               kDefaultFont,
               kWhite,
               kBlack,
               Edge::None,
               true,
               true,
               false,
               0,
               true,
               {ItemChosen}});
  c.push_back(
      Label(RegionLabel, label + "3", 171, "\xb4\xfa\xc2\xeb\xce\xbb\xd6\xc3"));  // 代码位置
  c.push_back(Option(ShopSignRadio, ControlKind::RadioButton, radio + "1", 240, 48,
                     "\xb5\xea\xd5\xd0",  // 店招
                     false));
  c.push_back(Option(NavigationRadio, ControlKind::RadioButton, radio + "2", 303, 48,
                     "\xb5\xbc\xba\xbd",  // 导航
                     false));
  c.push_back(Option(PageHeaderRadio, ControlKind::RadioButton, radio + "3", 369, 48,
                     "\xd2\xb3\xcd\xb7",  // 页头
                     false));
  c.push_back(Option(WideAreaRadio, ControlKind::RadioButton, radio + "4", 437, 70,
                     "\xbf\xed\xc6\xc1\xc7\xf8", true));  // 宽屏区
  c.push_back(Option(RightColumnRadio, ControlKind::RadioButton, radio + "5", 522, 70,
                     "\xd3\xd2\xb2\xe0\xc7\xf8", false));  // 右侧区
  c.push_back(Option(LeftColumnRadio, ControlKind::RadioButton, radio + "6", 602, 69,
                     "\xd7\xf3\xb2\xe0\xc7\xf8", false));  // 左侧区
  c.push_back(Option(FooterRadio, ControlKind::RadioButton, radio + "7", 682, 52,
                     "\xd2\xb3\xce\xb2",  // 页尾
                     false));
  c.push_back(Option(RestartOption, ControlKind::CheckBox, check + "1", 759, 73,
                     "\xd6\xd8\xd0\xc2\xbf\xaa\xca\xbc", false));  // 重新开始
  c.push_back(Option(ShowCodeOption, ControlKind::CheckBox, check + "2", 838, 74,
                     "\xcf\xd4\xca\xbe\xb4\xfa\xc2\xeb", true, {Clicked}));  // 显示代码
  c.push_back(Button(PreviewButton, button + "1", 930,
                     "\xb4\xb0\xbf\xda\xd4\xa4\xc0\xc0",  // 窗口预览
                     kBoldButtonFont, true));
  c.push_back(Button(FullScreenButton, button + "2", 1010, "\xc8\xab\xc6\xc1\xd4\xa4\xc0\xc0",
                     kDefaultFont, false));  // 全屏预览
  c.push_back({OptionsPanel,
               "\xcd\xe2\xd0\xce\xbf\xf2"
               "1",  // 外形框1
               ControlKind::Panel,
               Window,
               0,
               630,
               1100,
               40,
               "",
               {},
               kDefaultFont,
               kButtonFace,
               kBlack,
               Edge::None,
               true,
               true,
               false,
               -1,
               false,
               {}});
  c.push_back({CodeBox,
               edit + "1",
               ControlKind::EditBox,
               Window,
               0,
               510,
               1100,
               120,
               kHelpText,
               {},
               kDefaultFont,
               kCodeBoxGrey,
               kBlack,
               Edge::ThinSunken,
               true,
               true,
               false,
               -1,
               true,
               {DoubleClicked}});
  c.push_back(HiddenBox(CurrentSpacerBox, edit + "6", 816, 216, 120, 96, ""));
  c.push_back(HiddenBox(SpacerTemplateBox, edit + "5", 672, 216, 120, 96, Text(kSpacerBlock)));
  c.push_back(HiddenBox(WorkingPageBox, edit + "4", 112, 216, 344, 168, ""));
  c.push_back(HiddenBox(MarketTemplateBox, edit + "3", 272, 16, 224, 152, ""));
  c.push_back(HiddenBox(TmallTemplateBox, edit + "2", 16, 16, 224, 152, ""));
  c.push_back({BrowserView,
               "\xb3\xac\xce\xc4\xb1\xbe\xe4\xaf\xc0\xc0\xbf\xf2"
               "1",  // 超文本浏览框1
               ControlKind::BrowserView,
               Window,
               0,
               0,
               1100,
               630,
               "",
               {},
               kDefaultFont,
               kWhite,
               kBlack,
               Edge::None,
               true,
               true,
               false,
               -1,
               true,
               {}});

  w.windowStacking = {OptionsPanel,   CodeBox,           CurrentSpacerBox, SpacerTemplateBox,
                      WorkingPageBox, MarketTemplateBox, TmallTemplateBox, ControlId::BrowserView};
  for (const auto& control : c) {
    if (control.parent == OptionsPanel) {
      w.panelStacking.push_back(control.id);
    }
  }
  return w;
}

}  // namespace

const WindowDefinition& MainWindowDefinition() {
  static const WindowDefinition definition = Build();
  return definition;
}

const ControlDefinition& DefinitionOf(ControlId control) {
  for (const auto& c : MainWindowDefinition().controls) {
    if (c.id == control) {
      return c;
    }
  }
  throw std::out_of_range("the window itself has no control definition");
}

const Text& HelpText() {
  static const Text text = kHelpText;
  return text;
}

}  // namespace ld
