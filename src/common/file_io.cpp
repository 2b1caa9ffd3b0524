#include "common/file_io.h"

#include <fstream>
#include <system_error>

namespace ld {

bool WriteWholeFile(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) {
    return false;
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool DeleteFileQuietly(const std::filesystem::path& file) {
  std::error_code error;
  // Only a file is deleted; a directory of the same name stays, as a file deletion would leave it.
  if (std::filesystem::is_directory(std::filesystem::symlink_status(file, error))) {
    return false;
  }
  return std::filesystem::remove(file, error);
}

}  // namespace ld
