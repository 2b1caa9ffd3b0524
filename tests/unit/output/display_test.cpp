#include "output/display.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/fake_controls.h"
#include "support/scratch_dir.h"

namespace ld {
namespace {

using testing::FakeControls;

const std::string kViewNumber = std::to_string(static_cast<int>(ControlId::BrowserView));

TEST(DisplayTask, pointsTheViewAtPreviewFileWithOneRequestAndNothingElse) {
  struct Case {
    const char* directory;
    const char* address;
  };
  // "效果.html" in the file system's encoding; "中文" in a directory with a space.
  const Case cases[] = {
      {"/opt/ld", "/opt/ld/\xe6\x95\x88\xe6\x9e\x9c.html"},
      {"/home/u/a b/\xe4\xb8\xad\xe6\x96\x87",
       "/home/u/a b/\xe4\xb8\xad\xe6\x96\x87/\xe6\x95\x88\xe6\x9e\x9c.html"},
      // A program in the root directory: no separator doubled.
      {"", "/\xe6\x95\x88\xe6\x9e\x9c.html"},
  };
  for (const Case& c : cases) {
    FakeControls controls;
    DisplayTask(controls, ProgramFilesIn(c.directory));
    EXPECT_EQ(controls.Writes(),
              std::vector<std::string>{"Address " + kViewNumber + " " + c.address})
        << c.directory;
  }
}

TEST(DisplayTask, byDefaultPointsTheViewBesideTheRunningProgram) {
  FakeControls controls;
  DisplayTask(controls);
  EXPECT_EQ(controls.At(ControlId::BrowserView).address,
            RunningProgramFiles().previewFile.string());
  EXPECT_EQ(std::filesystem::path(controls.At(ControlId::BrowserView).address).parent_path(),
            std::filesystem::path(RunningProgramPath()).parent_path());
}

// A window that has been destroyed: every access ends the task.
class GoneControls : public FakeControls {
 public:
  Text Address(ControlId) override { throw WindowGone(); }
  void SetAddress(ControlId, Text) override { throw WindowGone(); }
};

TEST(DisplayTask, onAClosedWindowEndsThroughWindowGone) {
  GoneControls controls;
  EXPECT_THROW(DisplayTask(controls, ProgramFilesIn("/opt/ld")), WindowGone);
  EXPECT_TRUE(controls.Writes().empty());
}

class RecordingShell : public ShellPort {
 public:
  void Open(const Text& address) override { opened.push_back(address); }
  std::vector<Text> opened;
};

TEST(OpenInSystemBrowser, handsTheViewsAddressOverExactlyAndLeavesTheViewAlone) {
  const Text addresses[] = {
      // As the engine reports a local file, with "效果.html".
      "file:///opt/ld/\xe6\x95\x88\xe6\x9e\x9c.html",
      // After the user followed a link inside the preview.
      "http://127.0.0.1:18321/shop?id=1#top",
      // Nothing shown yet: the empty text goes to the shell, with no default put in its place.
      "",
      // Bytes that are not UTF-8 pass unchanged.
      std::string("C:\\\xd0\xa7\xb9\xfb.html  \x00x", 16),
  };
  for (const Text& address : addresses) {
    FakeControls controls;
    controls.At(ControlId::BrowserView).address = address;
    RecordingShell shell;
    OpenInSystemBrowser(controls, shell);
    EXPECT_EQ(shell.opened, std::vector<Text>{address});
    EXPECT_TRUE(controls.Writes().empty());
  }
}

class RemovePreviewFileTest : public ::testing::Test {
 protected:
  void SetUp() override { files_ = ProgramFilesIn(dir_.string()); }

  static void Touch(const std::filesystem::path& file) { std::ofstream(file) << "x"; }

  testing::ScratchDir scratch_{"ld-output"};
  const std::filesystem::path& dir_ = scratch_.path();
  ProgramFiles files_;
};

TEST_F(RemovePreviewFileTest, deletesPreviewFileAndKeepsStyleFileAndTheRest) {
  Touch(files_.previewFile);
  Touch(files_.styleFile);
  Touch(dir_ / "other.html");
  RemovePreviewFile(files_);
  EXPECT_FALSE(std::filesystem::exists(files_.previewFile));
  EXPECT_TRUE(std::filesystem::exists(files_.styleFile));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "other.html"));
}

TEST_F(RemovePreviewFileTest, withoutAnyPreviewChangesNothingAndReportsNothing) {
  Touch(files_.styleFile);
  EXPECT_NO_THROW(RemovePreviewFile(files_));
  EXPECT_TRUE(std::filesystem::exists(files_.styleFile));
  EXPECT_NO_THROW(RemovePreviewFile(ProgramFilesIn((dir_ / "missing").string())));
}

}  // namespace
}  // namespace ld
