// BytesToText against the plain model: the bytes before the first zero byte, all when none is zero.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "templates/bytes_to_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::size_t end = 0;
  while (end < size && data[end] != 0) {
    ++end;
  }
  if (ld::BytesToText(bytes) != bytes.substr(0, end)) {
    std::abort();
  }
  return 0;
}
