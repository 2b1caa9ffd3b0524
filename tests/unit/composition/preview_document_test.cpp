#include "composition/preview_document.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "composition/markers.h"
#include "composition/text_holders.h"
#include "support/scratch_dir.h"

namespace ld {
namespace {

namespace fs = std::filesystem;

class PreviewDocumentTest : public ::testing::Test {
 protected:
  testing::ScratchDir scratch_{"ld-preview-document"};
  const fs::path& dir_ = scratch_.path();
  InMemoryTextHolders holders_;
  PreviewDocument document_{holders_, ProgramFilesIn(dir_.string())};
};

TEST_F(PreviewDocumentTest, isReadyOnlyOnceTheWorkingPageHoldsAByte) {
  EXPECT_FALSE(document_.IsReady());
  document_.InstallTemplate(Edition::Tmall, "x");
  EXPECT_FALSE(document_.IsReady());
  document_.ResetWorkingPage(Edition::Tmall);
  EXPECT_TRUE(document_.IsReady());
  document_.ResetWorkingPage(Edition::Market);
  EXPECT_FALSE(document_.IsReady());
}

TEST_F(PreviewDocumentTest, templatesAreStoredPerEditionAndEmptyOnesStayEmpty) {
  document_.InstallTemplate(Edition::Market, "market");
  document_.InstallTemplate(Edition::Tmall, "tmall");
  EXPECT_EQ(holders_.Read(DocumentText::MarketTemplate), "market");
  EXPECT_EQ(holders_.Read(DocumentText::TmallTemplate), "tmall");
  document_.InstallTemplate(Edition::Market, "");
  EXPECT_EQ(holders_.Read(DocumentText::MarketTemplate), "");
  EXPECT_EQ(holders_.Read(DocumentText::WorkingPage), "");
}

TEST_F(PreviewDocumentTest, resetLeavesCurrentSpacerAndTheStyleFileAlone) {
  document_.InstallTemplate(Edition::Market, "<p>" + Text(kWideAreaCodeAreaMarker) + "</p>");
  document_.ResetWorkingPage(Edition::Market);
  document_.ApplySnippet(Region::WideArea, "A");
  document_.ApplySnippet(Region::Navigation, "a{}");
  const Text spacer = holders_.Read(DocumentText::CurrentSpacer);
  ASSERT_FALSE(spacer.empty());
  document_.ResetWorkingPage(Edition::Market);
  EXPECT_EQ(document_.WorkingPage(), "<p>" + Text(kWideAreaCodeAreaMarker) + "</p>");
  EXPECT_EQ(holders_.Read(DocumentText::CurrentSpacer), spacer);
  EXPECT_TRUE(fs::exists(dir_ / "css.css"));
}

TEST_F(PreviewDocumentTest, aStyleFileThatCannotBeWrittenStillPointsThePageAtIt) {
  fs::create_directory(dir_ / "css.css");  // a directory where the file should go
  document_.InstallTemplate(Edition::Market, "href=\"" + StyleSheetPlaceholder() + "\"");
  document_.ResetWorkingPage(Edition::Market);
  document_.ApplySnippet(Region::Navigation, "a{}");
  EXPECT_EQ(document_.WorkingPage(), "href=\"" + PageAddressOfFile(dir_ / "css.css") + "\"");
  EXPECT_TRUE(fs::is_directory(dir_ / "css.css"));
}

}  // namespace
}  // namespace ld
