#pragma once

#include <cstddef>
#include <string>

#include "common/text.h"

namespace ld {

// A body longer than this is cut off here, as if the connection had broken: a server that never
// stops sending must not fill the memory.
inline constexpr std::size_t kMaxBodyBytes = std::size_t{64} << 20;

// A blocking HTTP GET. The result is the body of whatever answer arrived, error answers included,
// at most kMaxBodyBytes long, and is empty when nothing could be read; no failure is reported in
// any other way.
class HttpClient {
 public:
  virtual ~HttpClient() = default;
  virtual std::string GetBytes(const Text& url) = 0;
};

}  // namespace ld
