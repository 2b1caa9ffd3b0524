#pragma once

#include <filesystem>
#include <string_view>

namespace ld {

// Creates the file, or empties an existing one, and writes exactly the given bytes. Callers ignore
// the result: a failed write is not reported anywhere. Returns whether every byte was written.
bool WriteWholeFile(const std::filesystem::path& file, std::string_view bytes);

// Deletes the file if it can; the result is ignored by the system, returned for tests.
bool DeleteFileQuietly(const std::filesystem::path& file);

}  // namespace ld
