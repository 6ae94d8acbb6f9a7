// SENDEMAIL: a message composed in a window (to, subject, text, attachment) and sent through the
// SMTP server the company configuration names.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orv::dialogs {

// The window pre-filled with what the caller gives; 1 when the message was sent, 0 when the user
// gave up. The server comes from the company parameters SerwerSMTP ("smtp://host:port"),
// UzytkownikSMTP, HasloSMTP and NadawcaSMTP (the sender; else the user's own e-mail address).
uint8_t SENDEMAIL(std::optional<std::string_view> to = {},
                  std::optional<std::string_view> subject = {},
                  std::optional<std::string_view> body = {},
                  std::optional<std::string_view> attachment = {});

}  // namespace orv::dialogs
