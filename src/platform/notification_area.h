// The notification area as the portable command code sees it: the program's icon with one balloon.
#pragma once

#include <cstddef>

#include <string>

namespace tovrik {

enum class BalloonIcon { kInfo, kWarning, kError };

// The balloon's fields hold at most these many bytes before their NUL.
inline constexpr std::size_t kBalloonTitleBytes = 63;
inline constexpr std::size_t kBalloonTextBytes = 255;

struct BalloonRequest {
  std::string title;  // at most kBalloonTitleBytes
  std::string text;   // at most kBalloonTextBytes
  BalloonIcon icon = BalloonIcon::kInfo;
  unsigned seconds = 10;  // how long the run waits for the user at the most
};

class NotificationArea {
 public:
  virtual ~NotificationArea() = default;
  // Puts the program's icon in the notification area with the balloon, waits until the balloon is
  // clicked, closed or its time is up, and takes the icon away again on every path. True when the user
  // clicked the balloon (or the icon).
  virtual bool showBalloon(const BalloonRequest& request) = 0;
};

}  // namespace tovrik
