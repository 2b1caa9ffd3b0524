#pragma once

#include <functional>
#include <mutex>
#include <string>

#include "common/text.h"
#include "templates/http_client.h"

namespace ld {

// Opens the HTTP library for the whole process; false when it could not be opened.
using HttpClientOpener = std::function<bool()>;

// The opener the program uses.
bool OpenCurlLibrary();

// A GET over HTTP/1.0 that reads the answer to the end of the connection, whatever its status or
// Content-Length, follows redirects, and keeps the bytes received when the transfer fails midway.
// Only http URLs are fetched. The library is opened by the first fetch that finds it closed; when
// opening fails, that fetch gives an empty result and the next one tries again.
class CurlHttpClient : public HttpClient {
 public:
  explicit CurlHttpClient(HttpClientOpener opener = OpenCurlLibrary);
  std::string GetBytes(const Text& url) override;

 private:
  bool EnsureOpen();

  HttpClientOpener opener_;
  std::mutex openMutex_;
  bool open_ = false;
};

// The client shared by every fetch of the process.
HttpClient& ProcessHttpClient();

// A blocking GET of the URL through the process's client; the body, or empty.
std::string HttpGetBytes(const Text& url);

}  // namespace ld
