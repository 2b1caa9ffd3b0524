#pragma once

#include <string>

#include "common/text.h"

namespace ld {

// A blocking HTTP GET. The result is the body of whatever answer arrived, error answers included,
// and is empty when nothing could be read; no failure is reported in any other way.
class HttpClient {
 public:
  virtual ~HttpClient() = default;
  virtual std::string GetBytes(const Text& url) = 0;
};

}  // namespace ld
