#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace ld::testing {

// An HTTP server on 127.0.0.1 for the fetch tests, serving one connection at a time. It keeps the
// raw bytes of every request and answers each path with a responder that writes whatever bytes it
// likes, well-formed or not; the connection is closed when the responder returns. A path with no
// responder is closed without an answer.
class LoopbackServer {
 public:
  using Responder = std::function<void(int socket)>;

  LoopbackServer();
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  void Route(const std::string& path, Responder responder);
  // Answers the path with these bytes, then closes.
  void Reply(const std::string& path, std::string raw);

  std::uint16_t Port() const { return port_; }
  // "127.0.0.1:<port>", as a client names this server in its Host line.
  std::string HostAndPort() const;
  std::string Url(std::string_view path) const;

  // The raw bytes of every request received so far, head and all, in the order they came.
  std::vector<std::string> Requests();
  // The paths of the requests so far.
  std::vector<std::string> RequestedPaths();
  // Waits until at least count requests have come in; false if the time ran out first.
  bool WaitForRequests(std::size_t count, std::chrono::seconds timeout);

  // Writes all the bytes; false once the peer has gone.
  static bool Send(int socket, std::string_view bytes);

 private:
  void AcceptLoop();
  void Serve(int socket);

  int listener_ = -1;
  std::uint16_t port_ = 0;
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::map<std::string, Responder> routes_;
  std::vector<std::string> requests_;
  std::thread acceptor_;
};

// A loopback port that is bound but never listens, so that a connection to it is refused.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;

  std::string Url(std::string_view path) const;

 private:
  int socket_ = -1;
  std::uint16_t port_ = 0;
};

// The first line's path of a raw request, or empty.
std::string RequestPath(std::string_view request);

}  // namespace ld::testing
