// The loopback server: POSIX sockets, one thread, Connection: close after every answer.
#include "support/http_server.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orv::test {
namespace {

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool read_request(int fd, HttpRequest& r) {
  std::string data;
  char buf[8192];
  std::size_t head_end;
  while ((head_end = data.find("\r\n\r\n")) == std::string::npos) {
    ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    if (n <= 0) return false;
    data.append(buf, static_cast<std::size_t>(n));
  }
  std::istringstream head(data.substr(0, head_end));
  std::string line;
  std::getline(head, line);
  std::istringstream first(line);
  first >> r.method >> r.path;
  while (std::getline(head, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::size_t v = line.find_first_not_of(' ', colon + 1);
    r.headers[lower(line.substr(0, colon))] = v == std::string::npos ? "" : line.substr(v);
  }
  std::size_t length =
      r.headers.count("content-length") ? std::stoul(r.headers["content-length"]) : 0;
  r.body = data.substr(head_end + 4);
  while (r.body.size() < length) {
    ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    if (n <= 0) return false;
    r.body.append(buf, static_cast<std::size_t>(n));
  }
  return true;
}

void send_all(int fd, const std::string& s) {
  std::size_t sent = 0;
  while (sent < s.size()) {
    ssize_t n = ::send(fd, s.data() + sent, s.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

}  // namespace

LoopbackHttp::LoopbackHttp(Handler handler) : handler_(std::move(handler)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::listen(listener_, 16) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
    throw std::runtime_error("loopback server: no socket");
  }
  port_ = ntohs(a.sin_port);
  thread_ = std::thread([this] { serve(); });
}

LoopbackHttp::~LoopbackHttp() {
  stop_ = true;
  thread_.join();
  ::close(listener_);
}

std::string LoopbackHttp::url() const {
  return "http://127.0.0.1:" + std::to_string(port_);
}

std::vector<HttpRequest> LoopbackHttp::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LoopbackHttp::serve() {
  while (!stop_) {
    pollfd p{listener_, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    int client = ::accept(listener_, nullptr, nullptr);
    if (client < 0) continue;
    answer(client);
    ::close(client);
  }
}

void LoopbackHttp::answer(int client) {
  HttpRequest r;
  if (!read_request(client, r)) return;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(r);
  }
  HttpReply reply = handler_(r);
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(reply.delay_ms);
  while (!stop_ && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  send_all(client, "HTTP/1.1 " + std::to_string(reply.status) +
                       " X\r\nContent-Type: " + reply.content_type +
                       "\r\nContent-Length: " + std::to_string(reply.body.size()) +
                       "\r\nConnection: close\r\n\r\n" + reply.body);
}

HttpReply file_reply(const std::string& folder, const std::string& path) {
  std::string name = path.substr(0, path.find('?'));
  name = name.substr(name.rfind('/') + 1);
  std::ifstream in(folder + "/" + name, std::ios::binary);
  if (name.empty() || !in) return {404, "404 NotFound - Not Found - Brak danych"};
  std::stringstream s;
  s << in.rdbuf();
  return {200, s.str(), "application/xml"};
}

}  // namespace orv::test
