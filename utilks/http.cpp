// libcurl, set up once per load of the library and released when it is unloaded.
#include "http.hpp"

#include <curl/curl.h>

#include <cstdlib>

namespace torix {
namespace {

// curl_global_init pairs with curl_global_cleanup when the library is unloaded.
struct CurlGlobal {
  CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
  ~CurlGlobal() { curl_global_cleanup(); }
};

void ensure_global() {
  static CurlGlobal global;
}

long timeout_seconds() {
  const char* v = std::getenv("ORVRUN_HTTP_TIMEOUT");
  long s = v ? std::strtol(v, nullptr, 10) : 0;
  return s > 0 ? s : 30;
}

size_t append_body(char* data, size_t size, size_t count, void* to) {
  static_cast<std::string*>(to)->append(data, size * count);
  return size * count;
}

struct Easy {
  CURL* handle = curl_easy_init();
  curl_slist* headers = nullptr;
  ~Easy() {
    if (headers) curl_slist_free_all(headers);
    if (handle) curl_easy_cleanup(handle);
  }
};

HttpAnswer perform(Easy& e, const std::string& url) {
  HttpAnswer a;
  if (!e.handle) {
    a.error = "curl_easy_init failed";
    return a;
  }
  char message[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(e.handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(e.handle, CURLOPT_ERRORBUFFER, message);
  curl_easy_setopt(e.handle, CURLOPT_WRITEFUNCTION, &append_body);
  curl_easy_setopt(e.handle, CURLOPT_WRITEDATA, &a.body);
  curl_easy_setopt(e.handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(e.handle, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(e.handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e.handle, CURLOPT_TIMEOUT, timeout_seconds());
  curl_easy_setopt(e.handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e.handle, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
  curl_easy_setopt(e.handle, CURLOPT_USERAGENT, "TORIXutilKS");
  if (e.headers) curl_easy_setopt(e.handle, CURLOPT_HTTPHEADER, e.headers);
  CURLcode rc = curl_easy_perform(e.handle);
  if (rc != CURLE_OK) {
    a.error = message[0] ? message : curl_easy_strerror(rc);
    return a;
  }
  curl_easy_getinfo(e.handle, CURLINFO_RESPONSE_CODE, &a.status);
  char* type = nullptr;
  curl_easy_getinfo(e.handle, CURLINFO_CONTENT_TYPE, &type);
  if (type) a.content_type = type;
  return a;
}

}  // namespace

HttpAnswer http_get(const std::string& url) {
  ensure_global();
  Easy e;
  return perform(e, url);
}

HttpAnswer http_post(const std::string& url, const std::string& body,
                     const std::vector<std::string>& headers) {
  ensure_global();
  Easy e;
  for (const std::string& h : headers) e.headers = curl_slist_append(e.headers, h.c_str());
  if (e.handle) {
    curl_easy_setopt(e.handle, CURLOPT_POST, 1L);
    curl_easy_setopt(e.handle, CURLOPT_POSTFIELDS, body.c_str());
    curl_easy_setopt(e.handle, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
  }
  return perform(e, url);
}

std::string configured_url(const char* name, const char* fallback) {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

}  // namespace torix
