#include "common/program_files.h"

#include <gtest/gtest.h>

namespace ld {
namespace {

struct DirectoryCase {
  const char* programPath;
  char separator;
  const char* directory;
};

class ProgramDirectoryTest : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(ProgramDirectoryTest, isEverythingBeforeTheLastSeparator) {
  const auto& c = GetParam();
  EXPECT_EQ(ProgramDirectoryOf(c.programPath, c.separator), c.directory);
}

INSTANTIATE_TEST_SUITE_P(
    BothSeparators, ProgramDirectoryTest,
    ::testing::Values(DirectoryCase{"C:\\tools\\ld\\preview.exe", '\\', "C:\\tools\\ld"},
                      DirectoryCase{"C:\\preview.exe", '\\', "C:"},
                      DirectoryCase{"D:\\a b\\\xd6\xd0\xce\xc4\\p.exe", '\\',
                                    "D:\\a b\\\xd6\xd0\xce\xc4"},
                      DirectoryCase{"/opt/ld/preview", '/', "/opt/ld"},
                      DirectoryCase{"/preview", '/', ""},
                      DirectoryCase{"/home/u/a b/preview", '/', "/home/u/a b"},
                      // A path written with the other separator has no directory part.
                      DirectoryCase{"/opt/ld/preview", '\\', ""}, DirectoryCase{"", '/', ""}));

TEST(ProgramFilePath, joinsDirectorySeparatorAndNameWithNothingDoubled) {
  EXPECT_EQ(ProgramFilePath("C:", '\\', "css.css"), "C:\\css.css");
  EXPECT_EQ(ProgramFilePath("", '/', "css.css"), "/css.css");
  EXPECT_EQ(ProgramFilePath("/opt/ld", '/', kPreviewFileName),
            "/opt/ld/\xe6\x95\x88\xe6\x9e\x9c.html");
}

TEST(ProgramFiles, runningProgramFilesLieBesideTheTestProgram) {
  const auto files = RunningProgramFiles();
  const std::filesystem::path self = RunningProgramPath();
  ASSERT_FALSE(self.empty());
  EXPECT_EQ(files.previewFile.parent_path(), self.parent_path());
  EXPECT_EQ(files.styleFile.filename(), "css.css");
}

TEST(PageAddressOfFile, keepsPlainPathsAndEncodesWhatAPageCouldChange) {
  EXPECT_EQ(PageAddressOfFile("/opt/ld/css.css"), "/opt/ld/css.css");
  EXPECT_EQ(PageAddressOfFile("/home/u/a b/\xe4\xb8\xad/css.css"),
            "/home/u/a%20b/%E4%B8%AD/css.css");
  EXPECT_EQ(PageAddressOfFile("/x/50%#?\"'<>/css.css"), "/x/50%25%23%3F%22%27%3C%3E/css.css");
}

}  // namespace
}  // namespace ld
