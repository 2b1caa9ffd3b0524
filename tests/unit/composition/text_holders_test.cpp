#include "composition/text_holders.h"

#include <gtest/gtest.h>

#include "composition/markers.h"
#include "support/fake_controls.h"

namespace ld {
namespace {

const DocumentText kAllTexts[] = {DocumentText::MarketTemplate, DocumentText::TmallTemplate,
                                  DocumentText::WorkingPage, DocumentText::SpacerTemplate,
                                  DocumentText::CurrentSpacer};

TEST(InMemoryTextHolders, startEmptyButForTheSpacerBlock) {
  InMemoryTextHolders holders;
  for (const DocumentText which : kAllTexts) {
    EXPECT_EQ(holders.Read(which),
              which == DocumentText::SpacerTemplate ? Text(kSpacerBlock) : Text());
  }
}

TEST(InMemoryTextHolders, keepEachTextApart) {
  InMemoryTextHolders holders;
  for (const DocumentText which : kAllTexts) {
    holders.Write(which, "text " + std::to_string(static_cast<int>(which)));
  }
  for (const DocumentText which : kAllTexts) {
    EXPECT_EQ(holders.Read(which), "text " + std::to_string(static_cast<int>(which)));
  }
}

TEST(ControlTextHolders, eachTextLandsInItsHiddenEditBox) {
  const struct {
    DocumentText text;
    ControlId box;
  } kBoxes[] = {
      {DocumentText::MarketTemplate, ControlId::MarketTemplateBox},  // 编辑框3
      {DocumentText::TmallTemplate, ControlId::TmallTemplateBox},    // 编辑框2
      {DocumentText::WorkingPage, ControlId::WorkingPageBox},        // 编辑框4
      {DocumentText::SpacerTemplate, ControlId::SpacerTemplateBox},  // 编辑框5
      {DocumentText::CurrentSpacer, ControlId::CurrentSpacerBox},    // 编辑框6
  };
  testing::FakeControls controls;
  ControlTextHolders holders(controls);
  for (const auto& row : kBoxes) {
    // Bytes that are not valid GBK pass through unchanged.
    holders.Write(row.text, "\xff\x80" + std::to_string(static_cast<int>(row.text)));
  }
  for (const auto& row : kBoxes) {
    const Text expected = "\xff\x80" + std::to_string(static_cast<int>(row.text));
    EXPECT_EQ(controls.At(row.box).text, expected);
    controls.At(row.box).text += "!";
    EXPECT_EQ(holders.Read(row.text), expected + "!");
  }
  EXPECT_EQ(controls.At(ControlId::CodeBox).text, "");
}

}  // namespace
}  // namespace ld
