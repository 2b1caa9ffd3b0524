#include "common/file_io.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "support/scratch_dir.h"

namespace ld {
namespace {

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class FileIoTest : public ::testing::Test {
 protected:
  testing::ScratchDir scratch_{"ld-file-io"};
  const std::filesystem::path& dir_ = scratch_.path();
};

TEST_F(FileIoTest, rewritingALongerFileLeavesExactlyTheNewBytes) {
  const auto file = dir_ / "page.html";
  ASSERT_TRUE(WriteWholeFile(file, std::string(100, 'x')));
  const std::string bytes("a\0\xff\r\nb", 6);
  ASSERT_TRUE(WriteWholeFile(file, bytes));
  EXPECT_EQ(ReadAll(file), bytes);
  ASSERT_TRUE(WriteWholeFile(file, ""));
  EXPECT_EQ(std::filesystem::file_size(file), 0u);
}

TEST_F(FileIoTest, writingIntoAMissingDirectoryFailsQuietly) {
  EXPECT_FALSE(WriteWholeFile(dir_ / "missing" / "page.html", "x"));
}

TEST_F(FileIoTest, deletionRemovesAFileButNeverADirectory) {
  const auto file = dir_ / "page.html";
  WriteWholeFile(file, "x");
  EXPECT_TRUE(DeleteFileQuietly(file));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_FALSE(DeleteFileQuietly(file));
  std::filesystem::create_directory(file);
  EXPECT_FALSE(DeleteFileQuietly(file));
  EXPECT_TRUE(std::filesystem::is_directory(file));
}

}  // namespace
}  // namespace ld
