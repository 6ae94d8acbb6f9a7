// Sending a message to an SMTP server (libcurl): the message built as MIME text, the transport
// replaceable so tests can make it fail.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orv::mail {

struct Server {
  std::string url;   // "smtp://host:port" (STARTTLS when the server offers it) or "smtps://..."
  std::string user;  // empty: no login
  std::string password;
};

// Texts in Windows-1250; they travel as UTF-8.
struct Message {
  std::string from;
  std::vector<std::string> to;
  std::string subject;
  std::string body;
  std::vector<std::string> attachments;  // file paths (Windows-1250)
};

// The recipients of a typed list: addresses separated by "," or ";", blanks trimmed.
std::vector<std::string> split_addresses(std::string_view list);

// The message as sent (headers, text, attachments in base64), CR LF line ends. Line breaks in a
// header value are dropped, so no typed text can add a header. Empty with `error` set when an
// attachment cannot be read.
std::string mime_text(const Message& m, std::string& error);

// Sends the message: "" when the server took it, else the reason (Polish where it is ours, the
// transport's words otherwise).
std::string send(const Server& server, const Message& message);

// Replaces the transport (tests); an empty function restores libcurl.
using Transport = std::function<std::string(const Server&, const Message&)>;
void set_transport(Transport transport);

}  // namespace orv::mail
