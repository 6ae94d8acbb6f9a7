// SMTP through libcurl: MIME text of our own, sent with CURLOPT_READFUNCTION.
#include "platform/mail/smtp.hpp"

#include <curl/curl.h>

#include <ctime>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>

#include "platform/text/cp1250.hpp"
#include "platform/text/text.hpp"

namespace orv::mail {
namespace {

std::mutex g_mutex;
Transport g_transport;

std::string base64(std::string_view in) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((in.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < in.size(); i += 3) {
    uint32_t v = static_cast<uint8_t>(in[i]) << 16;
    if (i + 1 < in.size()) v |= static_cast<uint8_t>(in[i + 1]) << 8;
    if (i + 2 < in.size()) v |= static_cast<uint8_t>(in[i + 2]);
    out += kDigits[(v >> 18) & 63];
    out += kDigits[(v >> 12) & 63];
    out += i + 1 < in.size() ? kDigits[(v >> 6) & 63] : '=';
    out += i + 2 < in.size() ? kDigits[v & 63] : '=';
  }
  return out;
}

// Base64 in lines of 76 characters.
std::string base64_lines(std::string_view in) {
  const std::string b = base64(in);
  std::string out;
  for (std::size_t i = 0; i < b.size(); i += 76) out += b.substr(i, 76) + "\r\n";
  return out;
}

// A header value: one line, UTF-8, encoded when it is not plain ASCII.
std::string header_value(std::string_view cp1250) {
  std::string v;
  for (char c : cp1250) {
    if (c != '\r' && c != '\n') v += c;
  }
  std::string utf8 = text::to_utf8(v);
  for (unsigned char c : utf8) {
    if (c >= 0x80) return "=?UTF-8?B?" + base64(utf8) + "?=";
  }
  return utf8;
}

std::string joined(const std::vector<std::string>& to) {
  std::string out;
  for (const std::string& a : to) out += (out.empty() ? "" : ", ") + header_value(a);
  return out;
}

std::string file_name(std::string_view path) {
  const std::size_t cut = path.find_last_of("/\\");
  return std::string(cut == std::string::npos ? path : path.substr(cut + 1));
}

std::string date_header() {
  char buf[64];
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  gmtime_r(&now, &tm);
  std::strftime(buf, sizeof buf, "%a, %d %b %Y %H:%M:%S +0000", &tm);
  return buf;
}

// The body's line ends as CR LF, whatever the text area gave.
std::string body_text(std::string_view cp1250) {
  std::string out;
  const std::string utf8 = text::to_utf8(cp1250);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') continue;
    if (utf8[i] == '\n') {
      out += "\r\n";
      continue;
    }
    out += utf8[i];
  }
  return out + "\r\n";
}

struct Reader {
  const std::string& data;
  std::size_t at = 0;
};

size_t read_chunk(char* buffer, size_t size, size_t items, void* user) {
  auto* r = static_cast<Reader*>(user);
  const std::size_t n = std::min(size * items, r->data.size() - r->at);
  r->data.copy(buffer, n, r->at);
  r->at += n;
  return n;
}

std::string curl_send(const Server& server, const Message& m) {
  std::string error;
  const std::string data = mime_text(m, error);
  if (!error.empty()) return error;
  CURL* curl = curl_easy_init();
  if (!curl) return "Nie można uruchomić biblioteki poczty."_w1250;
  struct curl_slist* rcpt = nullptr;
  for (const std::string& a : m.to) rcpt = curl_slist_append(rcpt, text::to_utf8(a).c_str());
  Reader reader{data};
  const std::string from = text::to_utf8(m.from), url = text::to_utf8(server.url);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
  if (!server.user.empty()) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, text::to_utf8(server.user).c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, text::to_utf8(server.password).c_str());
  }
  curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, rcpt);
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, &read_chunk);
  curl_easy_setopt(curl, CURLOPT_READDATA, &reader);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 20L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, 120L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  const CURLcode rc = curl_easy_perform(curl);
  curl_slist_free_all(rcpt);
  curl_easy_cleanup(curl);
  return rc == CURLE_OK ? std::string() : text::from_utf8(curl_easy_strerror(rc));
}

}  // namespace

std::vector<std::string> split_addresses(std::string_view list) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t cut = list.find_first_of(",;", start);
    if (cut == std::string_view::npos) cut = list.size();
    const std::string_view a = text::trim(list.substr(start, cut - start));
    if (!a.empty()) out.emplace_back(a);
    start = cut + 1;
  }
  return out;
}

std::string mime_text(const Message& m, std::string& error) {
  const std::string boundary = "=_orvrun_boundary_0";
  std::string out = "Date: " + date_header() + "\r\nFrom: " + header_value(m.from) +
                    "\r\nTo: " + joined(m.to) + "\r\nSubject: " + header_value(m.subject) +
                    "\r\nMIME-Version: 1.0\r\n";
  const std::string text_part =
      "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
      base64_lines(body_text(m.body));
  if (m.attachments.empty()) return out + text_part;
  out += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n--" + boundary +
         "\r\n" + text_part;
  for (const std::string& path : m.attachments) {
    std::ifstream in(text::to_utf8(path), std::ios::binary);
    if (!in) {
      error = "Nie można odczytać załącznika "_w1250 + path + ".";
      return {};
    }
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    out += "--" + boundary + "\r\nContent-Type: application/octet-stream; name=\"" +
           header_value(file_name(path)) + "\"\r\nContent-Transfer-Encoding: base64\r\n" +
           "Content-Disposition: attachment; filename=\"" + header_value(file_name(path)) +
           "\"\r\n\r\n" + base64_lines(data);
  }
  return out + "--" + boundary + "--\r\n";
}

std::string send(const Server& server, const Message& message) {
  Transport t;
  {
    std::lock_guard lock(g_mutex);
    t = g_transport;
  }
  return t ? t(server, message) : curl_send(server, message);
}

void set_transport(Transport transport) {
  std::lock_guard lock(g_mutex);
  g_transport = std::move(transport);
}

}  // namespace orv::mail
