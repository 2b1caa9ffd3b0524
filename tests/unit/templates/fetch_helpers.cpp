#include "fetch_helpers.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>

namespace ld::testing {

void ClearProxyVariables() {
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
    ::unsetenv(name);
  }
}

std::string FetchOrAbort(HttpClient& client, const Text& url) {
  auto fetch = std::async(std::launch::async, [&] { return client.GetBytes(url); });
  if (fetch.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
    std::fprintf(stderr, "fetch of \"%s\" did not return within 60 s\n", url.c_str());
    std::abort();
  }
  return fetch.get();
}

}  // namespace ld::testing
