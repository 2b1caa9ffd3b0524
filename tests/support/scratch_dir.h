#pragma once

#include <filesystem>
#include <string_view>

namespace ld::testing {

// A fresh, empty directory for the running test, named after it and removed with everything in
// it when the object goes. Tests that write the program's files point them here.
class ScratchDir {
 public:
  explicit ScratchDir(std::string_view prefix);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace ld::testing
