// shownotification reads its arguments in order, fits the texts to the balloon's fields and reports the
// click; the icon and the wait belong to the platform.
#include "system/notification_commands.h"

#include <algorithm>
#include <cstdint>

#include "command/ascii.h"
#include "command/error.h"
#include "platform/services.h"
#include "text/number_rules.h"

namespace tovrik {
namespace {

constexpr unsigned kDefaultSeconds = 10;
constexpr std::int32_t kFewestSeconds = 1;
constexpr std::int32_t kMostSeconds = 60;

// A parameter a script may leave out, or give as NULL: empty then.
std::string optionalParam(const Command& command, std::size_t position) {
  return command.args.size() > position + 1 ? command.param(position) : std::string();
}

}  // namespace

BalloonIcon balloonIconOf(std::string_view word) {
  const std::string kind = lowerAscii(trimBlanksAndControls(word));
  if (kind.empty() || kind == "info") return BalloonIcon::kInfo;
  if (kind == "warning") return BalloonIcon::kWarning;
  if (kind == "error") return BalloonIcon::kError;
  throw CommandError("Type de notification inconnu : " + kind);
}

unsigned balloonSecondsOf(std::string_view text) {
  if (trimBlanksAndControls(text).empty()) return kDefaultSeconds;
  return static_cast<unsigned>(std::clamp(readIntegerText(text), kFewestSeconds, kMostSeconds));
}

std::string fitToField(std::string_view text, std::size_t capacity, const AnsiCharset& charset) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = charset.next(text, end);
    if (next > capacity) break;
    end = next;
  }
  return std::string(text.substr(0, end));
}

void runShowNotification(Command& command) {
  const AnsiCharset& charset = command.services.ansiCharset();
  BalloonRequest request;
  request.title = fitToField(command.param(1), kBalloonTitleBytes, charset);
  request.text = fitToField(command.param(2), kBalloonTextBytes, charset);
  request.icon = balloonIconOf(optionalParam(command, 3));
  request.seconds = balloonSecondsOf(optionalParam(command, 4));
  const bool clicked = command.services.notificationArea().showBalloon(request);
  command.lines.addSet("CLICKED", clicked ? "1" : "0");
}

}  // namespace tovrik
