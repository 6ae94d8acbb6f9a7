// The e-mail window against a loopback SMTP server the test runs itself: what reaches the
// server, a refused recipient, a missing configuration, a header no typed text can add to.
#include "dialogs/send_email.hpp"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/dict/context.hpp"
#include "platform/mail/smtp.hpp"
#include "support/demo_db.hpp"
#include "support/support.hpp"

namespace orv::dialogs {
namespace {

// One SMTP session on 127.0.0.1: answers every command, keeps what came after DATA, and refuses
// recipients at "nobody@...".
class LoopbackSmtp {
 public:
  LoopbackSmtp() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(listener_, 1) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &n) != 0)
      throw std::runtime_error("no loopback port for the SMTP fixture");
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { serve(); });
  }
  ~LoopbackSmtp() {
    ::shutdown(listener_, SHUT_RDWR);
    ::close(listener_);
    thread_.join();
  }
  std::string url() const { return "smtp://127.0.0.1:" + std::to_string(port_); }
  const std::string& data() const { return data_; }
  const std::string& envelope() const { return envelope_; }

 private:
  void serve() {
    const int c = ::accept(listener_, nullptr, nullptr);
    if (c < 0) return;
    auto say = [c](const std::string& s) { (void)!::write(c, s.data(), s.size()); };
    say("220 loopback\r\n");
    std::string in, line;
    bool in_data = false;
    char buf[4096];
    for (ssize_t got; (got = ::read(c, buf, sizeof buf)) > 0;) {
      in.append(buf, static_cast<std::size_t>(got));
      for (std::size_t end; (end = in.find("\r\n")) != std::string::npos;) {
        line = in.substr(0, end);
        in.erase(0, end + 2);
        if (in_data) {
          if (line == ".") {
            in_data = false;
            say("250 taken\r\n");
          } else {
            data_ += line + "\n";
          }
          continue;
        }
        envelope_ += line + "\n";
        if (line.starts_with("RCPT") && line.find("nobody@") != std::string::npos) {
          say("550 no such user\r\n");
        } else if (line.starts_with("DATA")) {
          in_data = true;
          say("354 go on\r\n");
        } else if (line.starts_with("QUIT")) {
          say("221 bye\r\n");
          ::close(c);
          return;
        } else {
          say("250 ok\r\n");
        }
      }
    }
    ::close(c);
  }

  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
  std::string data_;
  std::string envelope_;
};

class SendEmail : public ::testing::Test {
 protected:
  test::DemoDb db;
  test::ScopedUi ui;
  test::TempDir dir;
};

TEST_F(SendEmail, TheServerGetsTheMessageWithItsAttachment) {
  LoopbackSmtp smtp;
  test::set_company_parameter("SERWERSMTP", smtp.url());
  test::set_company_parameter("NADAWCASMTP", "biuro@firma.pl");
  std::ofstream(dir.file("faktura.txt")) << "FV 1/2026";
  ui.ui().add_script("set TRESC \"Dzie\xF1 dobry\"; key F10");
  EXPECT_EQ(SENDEMAIL("jan@firma.pl; ewa@firma.pl", "Faktura\r\nBcc: ktos@obcy.pl", {},
                      dir.file("faktura.txt")),
            1);
  EXPECT_NE(smtp.envelope().find("MAIL FROM:<biuro@firma.pl>"), std::string::npos);
  EXPECT_NE(smtp.envelope().find("RCPT TO:<ewa@firma.pl>"), std::string::npos);
  const std::string& d = smtp.data();
  EXPECT_NE(d.find("To: jan@firma.pl, ewa@firma.pl"), std::string::npos);
  EXPECT_NE(d.find("Subject: FakturaBcc: ktos@obcy.pl"), std::string::npos);  // one header line
  EXPECT_EQ(d.find("\nBcc:"), std::string::npos);
  EXPECT_NE(d.find("filename=\"faktura.txt\""), std::string::npos);
  EXPECT_NE(d.find("RlYgMS8yMDI2"), std::string::npos);          // "FV 1/2026" in base64
  EXPECT_NE(d.find("RHppZcWEIGRvYnJ5DQo="), std::string::npos);  // "Dzień dobry\r\n", UTF-8
}

TEST_F(SendEmail, FailuresKeepTheWindowAndSayWhy) {
  struct Case {
    int n;
    bool configured;
    const char* to;
    const char* warning_starts;
  } cases[] = {
      {1, true, "", "Prosz\xEA poda\xE6 adres odbiorcy."},
      {2, false, "jan@firma.pl", "Brak serwera poczty"},
      {3, true, "nobody@firma.pl", "Nie uda\xB3o si\xEA wys\xB3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    LoopbackSmtp smtp;
    dict::glo().tables.S_PARAMKONFQ.clear();
    if (c.configured) test::set_company_parameter("SERWERSMTP", smtp.url());
    ui.ui().clear_records();
    ui.ui().add_script("key F10; answer ok; key Esc");
    EXPECT_EQ(SENDEMAIL(c.to), 0);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_TRUE(ui.boxes()[0].box.text.starts_with(c.warning_starts)) << ui.boxes()[0].box.text;
    if (c.n != 3) {  // the server never saw a session: let its accept() end
      mail::Server s{smtp.url(), {}, {}};
      mail::Message m{"a@b.pl", {"c@d.pl"}, "x", "y", {}};
      mail::send(s, m);
    }
  }
}

}  // namespace
}  // namespace orv::dialogs
