#include "composition/preview_task.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "composition/markers.h"
#include "support/fake_controls.h"
#include "support/scratch_dir.h"

namespace ld {
namespace {

using testing::FakeControls;

// Records each message and what the window looked like while it was open.
class RecordingMessages : public MessageBoxPort {
 public:
  explicit RecordingMessages(FakeControls& controls) : controls_(controls) {}
  void ShowMessage(const Text& text, const Text& title) override {
    shown.push_back({text, title});
    previewButtonEnabledWhileOpen = controls_.At(ControlId::PreviewButton).enabled;
  }
  std::vector<std::pair<Text, Text>> shown;
  bool previewButtonEnabledWhileOpen = true;

 private:
  FakeControls& controls_;
};

// A window that can close while the task writes the file: from then on its controls answer only
// with WindowGone, as the window's bridge does.
class ClosingControls : public FakeControls {
 public:
  void SetEnabled(ControlId c, bool v) override {
    if (closesBeforeEnable) {
      throw WindowGone();
    }
    FakeControls::SetEnabled(c, v);
  }
  bool closesBeforeEnable = false;
};

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class PreviewTaskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files_ = ProgramFilesIn(scratch_.path().string());
    controls_.At(ControlId::SpacerTemplateBox).text = kSpacerBlock;
    controls_.At(ControlId::MarketTemplateBox).text = "<p>M</p>" + Text(kWideAreaCodeAreaMarker);
    controls_.At(ControlId::TmallTemplateBox).text = "<p>T</p>" + Text(kWideAreaCodeAreaMarker);
    controls_.At(ControlId::EditionList).selection = 0;
    controls_.SelectRadio(ControlId::WideAreaRadio);
    // The click handler has disabled 按钮1 before the task starts.
    controls_.At(ControlId::PreviewButton).enabled = false;
    controls_.At(ControlId::FullScreenButton).enabled = false;
  }
  void Run() {
    PreviewTask(controls_, messages_, files_, [this] {
      ++displaysStarted_;
      // The display starts only once the file is written and both buttons are usable.
      fileAtDisplay_ = ReadFile(files_.previewFile);
      buttonsAtDisplay_ = controls_.At(ControlId::PreviewButton).enabled &&
                          controls_.At(ControlId::FullScreenButton).enabled;
    });
  }

  testing::ScratchDir scratch_{"ld-preview-task"};
  ProgramFiles files_;
  ClosingControls controls_;
  RecordingMessages messages_{controls_};
  int displaysStarted_ = 0;
  std::string fileAtDisplay_;
  bool buttonsAtDisplay_ = false;
};

TEST_F(PreviewTaskTest, notReady_showsTheMessageThenEnablesPreviewButtonAndDoesNothingElse) {
  controls_.At(ControlId::CodeBox).text = "<b>x</b>";
  Run();
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].first, kNotReadyMessage);
  EXPECT_EQ(messages_.shown[0].second, kMessageTitle);
  EXPECT_FALSE(messages_.previewButtonEnabledWhileOpen);
  EXPECT_TRUE(controls_.At(ControlId::PreviewButton).enabled);
  EXPECT_EQ(controls_.Writes(), std::vector<std::string>{"Enabled 13 1"});
  EXPECT_FALSE(std::filesystem::exists(files_.previewFile));
  EXPECT_EQ(displaysStarted_, 0);
}

TEST_F(PreviewTaskTest, readyPage_isComposedWrittenAndShownAfterTheButtonsAreEnabled) {
  controls_.At(ControlId::WorkingPageBox).text = controls_.At(ControlId::MarketTemplateBox).text;
  controls_.At(ControlId::CodeBox).text = "A";
  Run();
  const Text expected = "<p>M</p>A" + Text(kSpacerBlock)
                                          .replace(Text(kSpacerBlock).find(kSpacerMarker),
                                                   kSpacerMarker.size(), kWideAreaSeparatorMarker);
  EXPECT_EQ(controls_.At(ControlId::WorkingPageBox).text, expected);
  EXPECT_EQ(ReadFile(files_.previewFile), expected);
  EXPECT_EQ(displaysStarted_, 1);
  EXPECT_EQ(fileAtDisplay_, expected);
  EXPECT_TRUE(buttonsAtDisplay_);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PreviewTaskTest, windowClosedDuringTheWrite_theFileDoesNotOutliveIt) {
  // The window's own removal of the file ran before the task wrote it.
  controls_.At(ControlId::WorkingPageBox).text = controls_.At(ControlId::MarketTemplateBox).text;
  controls_.At(ControlId::CodeBox).text = "A";
  controls_.closesBeforeEnable = true;
  EXPECT_THROW(Run(), WindowGone);
  EXPECT_FALSE(std::filesystem::exists(files_.previewFile));
  EXPECT_EQ(displaysStarted_, 0);
}

struct RestartCase {
  const char* name;
  bool ticked;
  std::int32_t edition;
  const char* pageBefore;  // what the working page starts from
  const char* pageAfter;   // the part before the WideArea block afterwards
};

class PreviewTaskRestartTest : public PreviewTaskTest,
                               public ::testing::WithParamInterface<RestartCase> {};

TEST_P(PreviewTaskRestartTest, startsFromTheChosenEditionOnlyWhenTicked) {
  const auto& c = GetParam();
  controls_.At(ControlId::RestartOption).ticked = c.ticked;
  controls_.At(ControlId::EditionList).selection = c.edition;
  controls_.At(ControlId::WorkingPageBox).text = Text(c.pageBefore) + Text(kWideAreaCodeAreaMarker);
  controls_.At(ControlId::CodeBox).text = "S";
  Run();
  const Text page = controls_.At(ControlId::WorkingPageBox).text;
  EXPECT_EQ(page.substr(0, page.find("S")), c.pageAfter);
  EXPECT_EQ(ReadFile(files_.previewFile), page);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PreviewTaskRestartTest,
    ::testing::Values(RestartCase{"tickedMarket", true, 0, "<p>old</p>", "<p>M</p>"},
                      RestartCase{"tickedTmall", true, 1, "<p>old</p>", "<p>T</p>"},
                      RestartCase{"tickedNone", true, -1, "<p>old</p>", "<p>old</p>"},
                      RestartCase{"untickedMarket", false, 0, "<p>old</p>", "<p>old</p>"},
                      RestartCase{"untickedTmall", false, 1, "<p>old</p>", "<p>old</p>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewTaskTest, restartFromAnEmptyTemplate_writesAnEmptyFileThenTheNextPreviewIsNotReady) {
  controls_.At(ControlId::TmallTemplateBox).text.clear();
  controls_.At(ControlId::RestartOption).ticked = true;
  controls_.At(ControlId::EditionList).selection = 1;
  controls_.At(ControlId::WorkingPageBox).text = "<p>old</p>";
  controls_.At(ControlId::CodeBox).text = "S";
  Run();
  ASSERT_TRUE(std::filesystem::exists(files_.previewFile));
  EXPECT_EQ(std::filesystem::file_size(files_.previewFile), 0u);
  EXPECT_EQ(displaysStarted_, 1);
  EXPECT_TRUE(messages_.shown.empty());

  controls_.At(ControlId::PreviewButton).enabled = false;
  Run();
  EXPECT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(displaysStarted_, 1);
}

TEST_F(PreviewTaskTest, navigationWritesStyleFileBeforePreviewFile) {
  // Both files at one path: whichever is written last is what the path holds.
  files_.styleFile = files_.previewFile;
  controls_.At(ControlId::WorkingPageBox).text = "<link href=\"" + StyleSheetPlaceholder() + "\">";
  controls_.SelectRadio(ControlId::NavigationRadio);
  controls_.At(ControlId::CodeBox).text = "a{color:red}";
  Run();
  EXPECT_EQ(ReadFile(files_.previewFile), controls_.At(ControlId::WorkingPageBox).text);
  EXPECT_NE(controls_.At(ControlId::WorkingPageBox).text.find("<link href=\"/"), Text::npos);
}

TEST_F(PreviewTaskTest, snippetIsReadWhenItsRegionsTurnComes_theHelpTextIsSplicedLikeAnyOther) {
  controls_.At(ControlId::WorkingPageBox).text = "<p>M</p>" + Text(kWideAreaCodeAreaMarker);
  controls_.At(ControlId::CodeBox).text = "1.\xb4\xcb\xb4\xa6\r\n2.";
  Run();
  EXPECT_EQ(
      controls_.At(ControlId::WorkingPageBox).text.rfind("<p>M</p>1.\xb4\xcb\xb4\xa6\r\n2.", 0),
      0u);
}

}  // namespace
}  // namespace ld
