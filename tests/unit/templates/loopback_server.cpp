#include "loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <utility>

namespace ld::testing {
namespace {

// A request head larger than this is not one a client of these tests sends.
constexpr std::size_t kMaxRequestBytes = 64 * 1024;

int BoundLoopbackSocket(std::uint16_t& port) {
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) {
    throw std::runtime_error("socket failed");
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(s);
    throw std::runtime_error("bind failed");
  }
  port = ntohs(address.sin_port);
  return s;
}

std::string LoopbackUrl(std::uint16_t port, std::string_view path) {
  return "http://127.0.0.1:" + std::to_string(port) + std::string(path);
}

}  // namespace

std::string RequestPath(std::string_view request) {
  const auto start = request.find(' ');
  if (start == std::string_view::npos) {
    return {};
  }
  const auto end = request.find_first_of(" \r\n", start + 1);
  return std::string(
      request.substr(start + 1, end == std::string_view::npos ? end : end - start - 1));
}

LoopbackServer::LoopbackServer() {
  listener_ = BoundLoopbackSocket(port_);
  if (::listen(listener_, 16) != 0) {
    ::close(listener_);
    throw std::runtime_error("listen failed");
  }
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
  // Wakes the blocked accept; the loop then ends.
  ::shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  ::close(listener_);
}

void LoopbackServer::Route(const std::string& path, Responder responder) {
  std::lock_guard lock(mutex_);
  routes_[path] = std::move(responder);
}

void LoopbackServer::Reply(const std::string& path, std::string raw) {
  Route(path, [raw = std::move(raw)](int socket) { Send(socket, raw); });
}

std::string LoopbackServer::HostAndPort() const {
  return "127.0.0.1:" + std::to_string(port_);
}

std::string LoopbackServer::Url(std::string_view path) const {
  return LoopbackUrl(port_, path);
}

std::vector<std::string> LoopbackServer::Requests() {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::vector<std::string> LoopbackServer::RequestedPaths() {
  std::vector<std::string> paths;
  for (const auto& request : Requests()) {
    paths.push_back(RequestPath(request));
  }
  return paths;
}

bool LoopbackServer::WaitForRequests(std::size_t count, std::chrono::seconds timeout) {
  std::unique_lock lock(mutex_);
  return arrived_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

bool LoopbackServer::Send(int socket, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

void LoopbackServer::AcceptLoop() {
  for (;;) {
    const int socket = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (socket < 0) {
      if (errno == EINTR || errno == ECONNABORTED) {
        continue;
      }
      return;
    }
    Serve(socket);
    ::close(socket);
  }
}

void LoopbackServer::Serve(int socket) {
  // A client that never finishes its request must not stall the server for good.
  timeval wait{10, 0};
  ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequestBytes) {
    const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
    if (got <= 0) {
      break;
    }
    request.append(buffer, static_cast<std::size_t>(got));
  }
  Responder responder;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    const auto route = routes_.find(RequestPath(request));
    if (route != routes_.end()) {
      responder = route->second;
    }
  }
  arrived_.notify_all();
  if (responder) {
    responder(socket);
  }
}

RefusingPort::RefusingPort() {
  socket_ = BoundLoopbackSocket(port_);
}

RefusingPort::~RefusingPort() {
  ::close(socket_);
}

std::string RefusingPort::Url(std::string_view path) const {
  return LoopbackUrl(port_, path);
}

}  // namespace ld::testing
