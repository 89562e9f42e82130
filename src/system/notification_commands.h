// shownotification: a balloon in the notification area, and whether the user clicked it.
#pragma once

#include <string>
#include <string_view>

#include "command/command.h"
#include "platform/ansi_charset.h"
#include "platform/notification_area.h"

namespace tovrik {

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_NOTIFICATION_HANDLERS(X) \
  X(runShowNotification)

TOVRIK_NOTIFICATION_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kNotificationHandlers[] = {TOVRIK_NOTIFICATION_HANDLERS(TOVRIK_NAME_HANDLER)};

// The kind word's icon: "info" (or nothing), "warning" or "error", ASCII case and blanks aside; any other
// word raises.
BalloonIcon balloonIconOf(std::string_view word);
// The seconds to wait: 10 for nothing, else the integer text brought into 1 to 60; other text raises.
unsigned balloonSecondsOf(std::string_view text);
// The text cut to at most `capacity` bytes, never inside a double-byte character.
std::string fitToField(std::string_view text, std::size_t capacity, const AnsiCharset& charset);

}  // namespace tovrik
