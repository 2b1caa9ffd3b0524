#include "common/file_io.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace ld {
namespace {

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class FileIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("ld-file-io-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
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
