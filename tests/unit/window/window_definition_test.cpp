#include "window/window_definition.h"

#include <gtest/gtest.h>

#include <set>

#include "composition/markers.h"

namespace ld {
namespace {

TEST(WindowDefinition, helpText_isNineLinesJoinedByCrLf_in560Bytes) {
  const Text& help = HelpText();
  ASSERT_EQ(help.size(), 560u);
  std::size_t breaks = 0;
  for (std::size_t at = help.find("\r\n"); at != Text::npos; at = help.find("\r\n", at + 2)) {
    ++breaks;
    // Each line starts with its number.
    EXPECT_EQ(help[at + 2], static_cast<char>('1' + breaks)) << "line " << breaks + 1;
  }
  EXPECT_EQ(breaks, 8u);
  EXPECT_EQ(help.find('\n'), help.find("\r\n") + 1);
  EXPECT_EQ(help.substr(0, 2), "1.");
  EXPECT_NE(help.substr(help.size() - 2), "\r\n");
  EXPECT_EQ(DefinitionOf(ControlId::CodeBox).text, help);
}

TEST(WindowDefinition, holdsEachControlOnce_withUniqueNames) {
  const auto& controls = MainWindowDefinition().controls;
  ASSERT_EQ(controls.size(), 22u);
  std::set<ControlId> ids;
  std::set<Text> names;
  for (const auto& c : controls) {
    ids.insert(c.id);
    names.insert(c.name);
    EXPECT_TRUE(c.parent == ControlId::Window || c.parent == ControlId::OptionsPanel);
  }
  EXPECT_EQ(ids.size(), 22u);
  EXPECT_EQ(names.size(), 22u);
  EXPECT_EQ(ids.count(ControlId::Window), 0u);
  EXPECT_THROW(DefinitionOf(ControlId::Window), std::out_of_range);
}

TEST(WindowDefinition, onlyTheDocumentBoxesAreHidden_andOnlyTheFullScreenButtonIsDisabled) {
  for (const auto& c : MainWindowDefinition().controls) {
    const bool documentBox =
        c.id >= ControlId::CurrentSpacerBox && c.id <= ControlId::TmallTemplateBox;
    EXPECT_EQ(c.visible, !documentBox) << c.name;
    EXPECT_EQ(c.enabled, c.id != ControlId::FullScreenButton) << c.name;
  }
}

TEST(WindowDefinition, tabReachesExactlyTheListButtonsCodeBoxAndView) {
  std::set<ControlId> stops;
  for (const auto& c : MainWindowDefinition().controls) {
    if (c.tabStop) {
      stops.insert(c.id);
    }
  }
  EXPECT_EQ(stops, (std::set<ControlId>{ControlId::EditionList, ControlId::PreviewButton,
                                        ControlId::FullScreenButton, ControlId::CodeBox,
                                        ControlId::BrowserView}));
}

TEST(WindowDefinition, eventBindings_areTheSixThatHaveHandlers) {
  std::set<std::pair<ControlId, ControlEvent>> bound;
  for (const auto& c : MainWindowDefinition().controls) {
    for (ControlEvent e : c.events) {
      bound.insert({c.id, e});
    }
  }
  EXPECT_EQ(bound, (std::set<std::pair<ControlId, ControlEvent>>{
                       {ControlId::EditionList, ControlEvent::ItemChosen},
                       {ControlId::ShowCodeOption, ControlEvent::Clicked},
                       {ControlId::PreviewButton, ControlEvent::Clicked},
                       {ControlId::FullScreenButton, ControlEvent::Clicked},
                       {ControlId::CodeBox, ControlEvent::DoubleClicked}}));
  EXPECT_EQ(MainWindowDefinition().events,
            (std::vector<ControlEvent>{ControlEvent::CreationComplete, ControlEvent::SizeChanged,
                                       ControlEvent::AboutToBeDestroyed}));
}

TEST(WindowDefinition, panelControlsDoNotOverlap_andStackInTableOrder) {
  const auto& d = MainWindowDefinition();
  std::vector<ControlDefinition> panel;
  for (const auto& c : d.controls) {
    if (c.parent == ControlId::OptionsPanel) {
      panel.push_back(c);
    }
  }
  ASSERT_EQ(panel.size(), 14u);
  for (std::size_t i = 0; i < panel.size(); ++i) {
    EXPECT_EQ(d.panelStacking[i], panel[i].id);
    for (std::size_t j = i + 1; j < panel.size(); ++j) {
      const auto& a = panel[i];
      const auto& b = panel[j];
      const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                         a.top + a.height <= b.top || b.top + b.height <= a.top;
      EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
    }
  }
  EXPECT_EQ(d.windowStacking.front(), ControlId::OptionsPanel);
  EXPECT_EQ(d.windowStacking.back(), ControlId::BrowserView);
  EXPECT_EQ(d.windowStacking.size(), 8u);
}

TEST(WindowDefinition, codeBoxAndViewEndWhereThePanelBegins) {
  const auto& code = DefinitionOf(ControlId::CodeBox);
  const auto& view = DefinitionOf(ControlId::BrowserView);
  const auto& panel = DefinitionOf(ControlId::OptionsPanel);
  EXPECT_EQ(code.top + code.height, panel.top);
  EXPECT_EQ(view.top + view.height, panel.top);
  EXPECT_EQ(panel.top + panel.height, MainWindowDefinition().height - 30);
}

TEST(WindowDefinition, spacerBox_startsWithTheSpacerBlock_andTheOtherDocumentBoxesEmpty) {
  EXPECT_EQ(DefinitionOf(ControlId::SpacerTemplateBox).text, Text(kSpacerBlock));
  EXPECT_EQ(DefinitionOf(ControlId::SpacerTemplateBox).text.size(), 67u);
  for (ControlId id : {ControlId::CurrentSpacerBox, ControlId::WorkingPageBox,
                       ControlId::MarketTemplateBox, ControlId::TmallTemplateBox}) {
    EXPECT_TRUE(DefinitionOf(id).text.empty());
  }
}

}  // namespace
}  // namespace ld
