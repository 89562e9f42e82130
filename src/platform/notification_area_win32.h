// The notification area through Shell_NotifyIconA, with a hidden window of the program's own receiving
// the icon's messages.
#pragma once

#include "platform/notification_area.h"

namespace tovrik {

class Win32NotificationArea final : public NotificationArea {
 public:
  bool showBalloon(const BalloonRequest& request) override;
};

}  // namespace tovrik
