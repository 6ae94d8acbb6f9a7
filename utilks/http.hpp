// HTTP(S) requests of the library, over libcurl.
#pragma once

#include <string>
#include <vector>

namespace torix {

struct HttpAnswer {
  long status = 0;           // the HTTP status; 0 when no answer came
  std::string body;          // as received
  std::string content_type;  // the Content-Type header
  std::string error;         // why no answer came (connection, timeout); empty otherwise
  bool ok() const { return error.empty() && status == 200; }
};

// A GET; the seconds to wait come from ORVRUN_HTTP_TIMEOUT (30 when not set).
HttpAnswer http_get(const std::string& url);
// A POST of `body` with the given extra header lines ("Name: value").
HttpAnswer http_post(const std::string& url, const std::string& body,
                     const std::vector<std::string>& headers);

// An address from the environment variable `name`, else `fallback`.
std::string configured_url(const char* name, const char* fallback);

}  // namespace torix
