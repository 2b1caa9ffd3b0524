#include "scratch_dir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace ld::testing {

ScratchDir::ScratchDir(std::string_view prefix) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name(prefix);
  name.append("-").append(std::to_string(::getpid()));
  if (test != nullptr) {
    name.append("-").append(test->test_suite_name()).append("-").append(test->name());
  }
  for (char& c : name) {
    if (c == '/') {
      c = '_';
    }
  }
  path_ = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace ld::testing
