#include "templates/http_get_curl.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fetch_helpers.h"
#include "loopback_server.h"
#include "templates/bytes_to_text.h"

namespace ld {
namespace {

using testing::FetchOrAbort;
using testing::LoopbackServer;
using namespace std::string_literals;

const std::string kLongBody = "<html><body>" + std::string(5000, 'x') + "</body></html>";

std::string Pattern(std::size_t length) {
  std::string bytes(length, '\0');
  for (std::size_t i = 0; i < length; ++i) {
    bytes[i] = static_cast<char>('a' + i % 26);
  }
  return bytes;
}

class FetchTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::ClearProxyVariables(); }

  std::string Fetch(const std::string& path) { return FetchOrAbort(client_, server_.Url(path)); }

  CurlHttpClient client_;
  LoopbackServer server_;
};

struct ReplyCase {
  const char* name;
  // The raw answer for each path; the case fetches "/case".
  std::map<std::string, std::string> replies;
  std::string expectedBytes;
  std::string expectedText;
};

std::ostream& operator<<(std::ostream& out, const ReplyCase& c) {
  return out << c.name;
}

class FetchReplies : public FetchTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(FetchReplies, givesTheBodyBytesExactly) {
  for (const auto& [path, raw] : GetParam().replies) {
    server_.Reply(path, raw);
  }
  const std::string bytes = Fetch("/case");
  EXPECT_EQ(bytes, GetParam().expectedBytes);
  EXPECT_EQ(BytesToText(bytes), GetParam().expectedText);
}

ReplyCase Plain(const char* name, std::string raw, std::string body) {
  return {name, {{"/case", std::move(raw)}}, body, body};
}

const std::string kZeroAt100 = std::string(100, 'a') + "\0tail"s;
const std::string kZeroFirst = "\0<html>"s;
const std::string kManyPieces = Pattern(3 << 20);

INSTANTIATE_TEST_SUITE_P(
    Replies, FetchReplies,
    ::testing::Values(
        Plain("lengthMatchesBody", "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello", "hello"),
        Plain("notFoundWithBody",
              "HTTP/1.0 404 Not Found\r\nContent-Length: 14\r\n\r\n<h1>gone</h1>\n",
              "<h1>gone</h1>\n"),
        Plain("lengthZero", "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n" + kLongBody, kLongBody),
        Plain("lengthNotANumber", "HTTP/1.0 200 OK\r\nContent-Length: abc\r\n\r\n" + kLongBody,
              kLongBody),
        Plain("lengthNegative", "HTTP/1.0 200 OK\r\nContent-Length: -5\r\n\r\n" + kLongBody,
              kLongBody),
        Plain("lengthShorterThanBody", "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n" + kLongBody,
              kLongBody),
        Plain("noLength", "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + kLongBody,
              kLongBody),
        Plain("bodyInManyPieces", "HTTP/1.0 200 OK\r\n\r\n" + kManyPieces, kManyPieces),
        Plain("cutOffBeforePromisedLength",
              "HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n" + std::string(300, 'p'),
              std::string(300, 'p')),
        Plain("chunked",
              "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
              "5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n",
              "hello world"),
        Plain("statusLineMissing", "<html>no status line</html>", "<html>no status line</html>"),
        Plain("emptyBody", "HTTP/1.0 200 OK\r\n\r\n", ""),
        ReplyCase{"zeroAtByte100",
                  {{"/case", "HTTP/1.0 200 OK\r\n\r\n" + kZeroAt100}},
                  kZeroAt100,
                  std::string(100, 'a')},
        ReplyCase{"zeroFirst", {{"/case", "HTTP/1.0 200 OK\r\n\r\n" + kZeroFirst}}, kZeroFirst, ""},
        ReplyCase{
            "redirectToAnotherPath",
            {{"/case",
              "HTTP/1.0 302 Found\r\nLocation: /target\r\nContent-Length: 9\r\n\r\nmoved on."},
             {"/target", "HTTP/1.0 200 OK\r\n\r\ntarget page"}},
            "target page",
            "target page"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FetchTest, request_carriesOnlyHostAgentAndAccept) {
  server_.Reply("/ldxz/lddmylq/jsb.txt", "HTTP/1.0 200 OK\r\n\r\nx");
  server_.Reply("/moved", "HTTP/1.0 301 Moved\r\nLocation: /ldxz/lddmylq/jsb.txt\r\n\r\n");
  ASSERT_EQ(Fetch("/moved"), "x");
  const std::string head = " HTTP/1.0\r\nHost: " + server_.HostAndPort() +
                           "\r\n"
                           "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"
                           "Accept: */*\r\n\r\n";
  EXPECT_EQ(server_.Requests(),
            (std::vector<std::string>{"GET /moved" + head, "GET /ldxz/lddmylq/jsb.txt" + head}));
}

TEST_F(FetchTest, redirectLoop_givesEmptyAfterABoundedNumberOfRequests) {
  server_.Reply("/loop", "HTTP/1.0 302 Found\r\nLocation: /loop\r\n\r\nstill looping");
  EXPECT_EQ(Fetch("/loop"), "");
  EXPECT_GT(server_.Requests().size(), 1u);
  EXPECT_LE(server_.Requests().size(), 21u);
}

TEST_F(FetchTest, endlessBody_isCutOffAtTheBound) {
  const std::string piece = Pattern(26 * 2521);
  server_.Route("/endless", [&](int socket) {
    // Stops at four times the bound, so a client without one fails here instead of filling memory.
    std::size_t sent = 0;
    bool open = LoopbackServer::Send(socket, "HTTP/1.0 200 OK\r\n\r\n");
    while (open && sent < 4 * kMaxBodyBytes) {
      open = LoopbackServer::Send(socket, piece);
      sent += piece.size();
    }
  });
  const std::string bytes = Fetch("/endless");
  ASSERT_EQ(bytes.size(), kMaxBodyBytes);
  // Every piece starts with 'a', so the kept bytes are the pattern's own prefix.
  EXPECT_TRUE(bytes == Pattern(kMaxBodyBytes)) << "the kept bytes are not the bytes sent";
}

struct UnreachableCase {
  const char* name;
  std::string url;
};

std::ostream& operator<<(std::ostream& out, const UnreachableCase& c) {
  return out << c.name;
}

class FetchUnreachable : public FetchTest, public ::testing::WithParamInterface<UnreachableCase> {};

TEST_P(FetchUnreachable, givesEmpty) {
  EXPECT_EQ(FetchOrAbort(client_, GetParam().url), "");
}

const testing::RefusingPort kRefusing;

INSTANTIATE_TEST_SUITE_P(
    Urls, FetchUnreachable,
    ::testing::Values(UnreachableCase{"emptyUrl", ""},
                      UnreachableCase{"noScheme", "127.0.0.1/ldxz/lddmylq/jsb.txt"},
                      UnreachableCase{"schemeOnly", "http://"},
                      UnreachableCase{"unclosedAddressBracket", "http://[::1/jsb.txt"},
                      UnreachableCase{"portNotANumber", "http://127.0.0.1:eighty/jsb.txt"},
                      UnreachableCase{"localFile", "file:///etc/hostname"},
                      UnreachableCase{"connectionRefused", kRefusing.Url("/ldxz/lddmylq/jsb.txt")},
                      UnreachableCase{"hostNotFound",
                                      "http://templates.invalid/ldxz/lddmylq/jsb.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FetchOpening, failedOpening_givesEmptyAndTheNextFetchOpensAgain) {
  testing::ClearProxyVariables();
  LoopbackServer server;
  server.Reply("/page", "HTTP/1.0 200 OK\r\n\r\npage");
  int attempts = 0;
  CurlHttpClient client([&] {
    ++attempts;
    return attempts > 1 && OpenCurlLibrary();
  });

  EXPECT_EQ(FetchOrAbort(client, server.Url("/page")), "");
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(FetchOrAbort(client, server.Url("/page")), "page");
  EXPECT_EQ(FetchOrAbort(client, server.Url("/page")), "page");
  EXPECT_EQ(attempts, 2) << "an open client is opened again";
}

}  // namespace
}  // namespace ld
