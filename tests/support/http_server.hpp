// A loopback HTTP server a test starts for itself: the utility library's downloads are pointed at
// it, so no test reaches the internet.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orv::test {

struct HttpRequest {
  std::string method;
  std::string path;                            // with its query
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;
};

struct HttpReply {
  int status = 200;
  std::string body;
  std::string content_type = "text/plain";
  int delay_ms = 0;  // waits before answering (a timeout on the client's side)
};

// Serves one connection at a time on 127.0.0.1 (a port of the system's choice) until destroyed.
class LoopbackHttp {
 public:
  using Handler = std::function<HttpReply(const HttpRequest&)>;
  explicit LoopbackHttp(Handler handler);
  ~LoopbackHttp();
  LoopbackHttp(const LoopbackHttp&) = delete;
  LoopbackHttp& operator=(const LoopbackHttp&) = delete;

  // "http://127.0.0.1:<port>"
  std::string url() const;
  std::vector<HttpRequest> requests() const;

 private:
  void serve();
  void answer(int client);

  Handler handler_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<HttpRequest> requests_;
  std::thread thread_;
};

// The files of a folder by name ("/a/b/name.xml" serves `folder`/name.xml); 404 for the rest.
HttpReply file_reply(const std::string& folder, const std::string& path);

}  // namespace orv::test
