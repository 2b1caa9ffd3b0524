#pragma once

#include <filesystem>
#include <string_view>

#include "common/text.h"

namespace ld {

#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

// The file names in the file system's own encoding ("效果.html" and "css.css").
extern const std::string_view kPreviewFileName;
extern const std::string_view kStyleFileName;

// The directory part of a program's full path: everything before the last separator. A program in
// a drive's root gives the drive name alone ("C:"), a program in "/" gives the empty text.
Text ProgramDirectoryOf(std::string_view programPath, char separator);

// The program directory, the separator and the file name, with no separator doubled or dropped:
// "C:" and "效果.html" give "C:\效果.html"; "" gives "/效果.html".
Text ProgramFilePath(std::string_view programDirectory, char separator, std::string_view fileName);

// The two files a preview writes beside the program.
struct ProgramFiles {
  std::filesystem::path previewFile;
  std::filesystem::path styleFile;
};

ProgramFiles ProgramFilesIn(std::string_view programDirectory);

// The running program's full path (platform adapter) and the files beside it.
std::string RunningProgramPath();
ProgramFiles RunningProgramFiles();

// A file-system path as the text a GBK page may carry to reach that file: a plain path with no
// scheme, in which every byte that a page's encoding or a URL parser could change (non-ASCII,
// space, '%', '#', '?', quotes, angle brackets, control bytes) is percent-encoded. The browser
// then reaches the file whatever characters its directory holds.
Text PageAddressOfFile(const std::filesystem::path& file);

}  // namespace ld
