#include "window/window_handlers.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "common/file_io.h"
#include "composition/markers.h"
#include "composition/preview_task.h"
#include "support/fake_controls.h"
#include "support/scratch_dir.h"
#include "templates/startup_task.h"

namespace ld {
namespace {

using testing::FakeControls;

class ScriptedHttp : public HttpClient {
 public:
  std::string GetBytes(const Text& url) override {
    requested.push_back(url);
    return bodies.count(url) ? bodies[url] : std::string();
  }
  std::map<Text, std::string> bodies;
  std::vector<Text> requested;
};

class RecordingShell : public ShellPort {
 public:
  void Open(const Text& address) override { opened.push_back(address); }
  std::vector<Text> opened;
};

class CountingMessages : public MessageBoxPort {
 public:
  void ShowMessage(const Text& text, const Text&) override { shown.push_back(text); }
  std::vector<Text> shown;
};

// Tasks are queued instead of started, so a test runs them when it chooses and sees what the
// handler did before any task ran.
class WindowHandlersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    controls_->At(ControlId::SpacerTemplateBox).text = kSpacerBlock;
    controls_->At(ControlId::EditionList).selection = 0;
    controls_->SelectRadio(ControlId::WideAreaRadio);
    controls_->At(ControlId::FullScreenButton).enabled = false;
    const auto urls = DefaultTemplateUrls();
    http_->bodies[urls.market] = "<p>M</p>" + Text(kWideAreaCodeAreaMarker);
    http_->bodies[urls.tmall] = "<p>T</p>" + Text(kWideAreaCodeAreaMarker);

    WindowServices services;
    services.controls = controls_;
    services.messages = messages_;
    services.shell = shell_;
    services.http = http_;
    services.themedLook = [this](int scheme) {
      events_.push_back("look " + std::to_string(scheme));
    };
    services.startTask = [this](std::function<void()> task) {
      events_.push_back("task");
      tasks_.push_back(std::move(task));
    };
    services.programFiles = [this] { return ProgramFilesIn(dir_.string()); };
    hooks_ = MakeWindowHandlers(services);
  }
  void RunQueuedTasks() {
    while (!tasks_.empty()) {
      auto task = std::move(tasks_.front());
      tasks_.pop_front();
      task();
    }
  }
  ProgramFiles Files() const { return ProgramFilesIn(dir_.string()); }

  testing::ScratchDir scratch_{"ld-handlers"};
  const std::filesystem::path& dir_ = scratch_.path();
  std::shared_ptr<FakeControls> controls_ = std::make_shared<FakeControls>();
  std::shared_ptr<CountingMessages> messages_ = std::make_shared<CountingMessages>();
  std::shared_ptr<RecordingShell> shell_ = std::make_shared<RecordingShell>();
  std::shared_ptr<ScriptedHttp> http_ = std::make_shared<ScriptedHttp>();
  std::vector<std::string> events_;
  std::deque<std::function<void()>> tasks_;
  WindowHooks hooks_;
};

TEST_F(WindowHandlersTest, creationComplete_switchesTheLookOnThenStartsTheDownload) {
  hooks_.creationComplete();
  EXPECT_EQ(events_, (std::vector<std::string>{"look 2", "task"}));
  EXPECT_TRUE(http_->requested.empty());
  RunQueuedTasks();
  EXPECT_EQ(controls_->At(ControlId::WorkingPageBox).text,
            "<p>M</p>" + Text(kWideAreaCodeAreaMarker));
  EXPECT_EQ(controls_->At(ControlId::TmallTemplateBox).text,
            "<p>T</p>" + Text(kWideAreaCodeAreaMarker));
}

TEST_F(WindowHandlersTest, previewClick_disablesTheButtonBeforeTheTaskAndTheTaskShowsTheFile) {
  hooks_.creationComplete();
  RunQueuedTasks();
  controls_->At(ControlId::CodeBox).text = "<i>A</i>";

  hooks_.previewClicked();
  EXPECT_FALSE(controls_->At(ControlId::PreviewButton).enabled);
  ASSERT_EQ(tasks_.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(Files().previewFile));

  RunQueuedTasks();  // the preview, then the display it starts on a task of its own
  EXPECT_TRUE(controls_->At(ControlId::PreviewButton).enabled);
  EXPECT_TRUE(controls_->At(ControlId::FullScreenButton).enabled);
  EXPECT_EQ(controls_->At(ControlId::BrowserView).address, Files().previewFile.string());
  EXPECT_EQ(std::count(events_.begin(), events_.end(), "task"), 3);
}

TEST_F(WindowHandlersTest, previewBeforeTheTemplatesArrive_showsTheNotReadyMessage) {
  hooks_.previewClicked();
  RunQueuedTasks();
  EXPECT_EQ(messages_->shown, std::vector<Text>{kNotReadyMessage});
  EXPECT_TRUE(controls_->At(ControlId::PreviewButton).enabled);
  EXPECT_FALSE(controls_->At(ControlId::FullScreenButton).enabled);
}

TEST_F(WindowHandlersTest, showCodeClick_showsOrHidesTheCodeBoxByTheTickedState) {
  for (const bool ticked : {false, true, false}) {
    controls_->At(ControlId::ShowCodeOption).ticked = ticked;
    hooks_.showCodeClicked();
    EXPECT_EQ(controls_->At(ControlId::CodeBox).visible, ticked);
  }
}

TEST_F(WindowHandlersTest, codeBoxDoubleClick_emptiesIt) {
  controls_->At(ControlId::CodeBox).text = "1.\xb4\xcb\xb4\xa6";
  hooks_.codeBoxDoubleClicked();
  EXPECT_EQ(controls_->At(ControlId::CodeBox).text, "");
}

TEST_F(WindowHandlersTest, editionChosen_resetsTheWorkingPageFromTheChosenTemplate_evenTheSameOne) {
  controls_->At(ControlId::MarketTemplateBox).text = "market";
  controls_->At(ControlId::TmallTemplateBox).text = "tmall";
  const std::vector<std::pair<std::int32_t, Text>> table = {
      {1, "tmall"}, {0, "market"}, {0, "market"}, {-1, "composed"}};
  for (const auto& [selection, page] : table) {
    controls_->At(ControlId::WorkingPageBox).text = "composed";
    controls_->At(ControlId::EditionList).selection = selection;
    hooks_.editionChosen();
    EXPECT_EQ(controls_->At(ControlId::WorkingPageBox).text, page) << selection;
  }
}

TEST_F(WindowHandlersTest, fullScreenClick_handsTheViewsAddressToTheShell) {
  controls_->At(ControlId::BrowserView).address = "file:///x/a%20b.html";
  hooks_.fullScreenClicked();
  controls_->At(ControlId::BrowserView).address.clear();
  hooks_.fullScreenClicked();
  EXPECT_EQ(shell_->opened, (std::vector<Text>{"file:///x/a%20b.html", ""}));
}

TEST_F(WindowHandlersTest, sizeChanged_laysTheControlsOutForTheWindowsSize) {
  controls_->At(ControlId::Window).width = 1300;
  controls_->At(ControlId::Window).height = 900;
  hooks_.sizeChanged();
  EXPECT_EQ(controls_->At(ControlId::BrowserView).height, 830);
  EXPECT_EQ(controls_->At(ControlId::FullScreenButton).left, 1210);
}

TEST_F(WindowHandlersTest, aboutToBeDestroyed_deletesThePreviewFileAndKeepsTheStyleFile) {
  WriteWholeFile(Files().previewFile, "page");
  WriteWholeFile(Files().styleFile, "css");
  hooks_.aboutToBeDestroyed();
  EXPECT_FALSE(std::filesystem::exists(Files().previewFile));
  EXPECT_TRUE(std::filesystem::exists(Files().styleFile));
}

}  // namespace
}  // namespace ld
