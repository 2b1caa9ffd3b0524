// Platform adapter: the running program's own path on Linux.
#include <filesystem>
#include <system_error>

#include "common/program_files.h"

namespace ld {

std::string RunningProgramPath() {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

}  // namespace ld
