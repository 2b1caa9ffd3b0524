#include "templates/http_get_curl.h"

#include <curl/curl.h>

#include <cstddef>
#include <memory>
#include <utility>

namespace ld {
namespace {

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr long kMaxRedirects = 10;

struct BodySink {
  std::string bytes;
};

std::size_t AppendPiece(char* data, std::size_t size, std::size_t count, void* sink) {
  auto& body = static_cast<BodySink*>(sink)->bytes;
  const std::size_t length = size * count;
  const std::size_t room = kMaxBodyBytes - body.size();
  if (length > room) {
    // Keep what fits; returning short makes the library end the transfer.
    body.append(data, room);
    return room;
  }
  body.append(data, length);
  return length;
}

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct UrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct HeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

}  // namespace

bool OpenCurlLibrary() {
  return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

CurlHttpClient::CurlHttpClient(HttpClientOpener opener) : opener_(std::move(opener)) {}

bool CurlHttpClient::EnsureOpen() {
  std::lock_guard lock(openMutex_);
  if (!open_) {
    open_ = opener_();
  }
  return open_;
}

std::string CurlHttpClient::GetBytes(const Text& url) {
  if (url.empty()) {
    return {};
  }
  // The URL is taken as it is: no scheme guessed, nothing percent-encoded.
  std::unique_ptr<CURLU, UrlDeleter> parts(curl_url());
  if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    return {};
  }
  if (!EnsureOpen()) {
    return {};
  }
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (!easy) {
    return {};
  }
  // Replaces the library's own Accept line rather than adding a second one.
  std::unique_ptr<curl_slist, HeaderListDeleter> headers(curl_slist_append(nullptr, "Accept: */*"));
  if (!headers) {
    return {};
  }

  BodySink sink;
  CURL* e = easy.get();
  curl_easy_setopt(e, CURLOPT_CURLU, parts.get());
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http");
  curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(e, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());
  // The body runs to the end of the connection, whatever length the answer claims.
  curl_easy_setopt(e, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
  curl_easy_setopt(e, CURLOPT_HTTP09_ALLOWED, 1L);
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(e, CURLOPT_MAXREDIRS, kMaxRedirects);
  // The fetch runs on a worker thread; the library must not touch the process's signals.
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &AppendPiece);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &sink);

  // Neither the status nor the outcome matters: a failed transfer keeps the bytes it received.
  curl_easy_perform(e);
  return std::move(sink.bytes);
}

HttpClient& ProcessHttpClient() {
  static CurlHttpClient client;
  return client;
}

std::string HttpGetBytes(const Text& url) {
  return ProcessHttpClient().GetBytes(url);
}

}  // namespace ld
