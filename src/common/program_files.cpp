#include "common/program_files.h"

namespace ld {

#ifdef _WIN32
// GBK, the code page in which Windows names the files.
const std::string_view kPreviewFileName = "\xd0\xa7\xb9\xfb.html";
#else
const std::string_view kPreviewFileName = "\xe6\x95\x88\xe6\x9e\x9c.html";
#endif
const std::string_view kStyleFileName = "css.css";

Text ProgramDirectoryOf(std::string_view programPath, char separator) {
  const auto last = programPath.rfind(separator);
  if (last == std::string_view::npos) {
    return Text();
  }
  return Text(programPath.substr(0, last));
}

Text ProgramFilePath(std::string_view programDirectory, char separator, std::string_view fileName) {
  Text path(programDirectory);
  path += separator;
  path += fileName;
  return path;
}

ProgramFiles ProgramFilesIn(std::string_view programDirectory) {
  return ProgramFiles{
      std::filesystem::path(ProgramFilePath(programDirectory, kNativeSeparator, kPreviewFileName)),
      std::filesystem::path(ProgramFilePath(programDirectory, kNativeSeparator, kStyleFileName))};
}

ProgramFiles RunningProgramFiles() {
  return ProgramFilesIn(ProgramDirectoryOf(RunningProgramPath(), kNativeSeparator));
}

Text PageAddressOfFile(const std::filesystem::path& file) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string bytes = file.string();
  Text address;
  address.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const bool keep = byte > 0x20 && byte < 0x7f && byte != '%' && byte != '#' && byte != '?' &&
                      byte != '"' && byte != '\'' && byte != '<' && byte != '>' && byte != '`';
    if (keep) {
      address += c;
    } else {
      address += '%';
      address += kHex[byte >> 4];
      address += kHex[byte & 0x0f];
    }
  }
  return address;
}

}  // namespace ld
