// The window station's flags through user32: WSF_VISIBLE tells whether it has visible display surfaces.
#include "platform/window_station_win32.h"

#include <windows.h>

namespace tovrik {

bool Win32WindowStation::hasVisibleSurfaces() {
  if (!visible_) {
    USEROBJECTFLAGS flags{};
    DWORD needed = 0;
    const HWINSTA station = GetProcessWindowStation();
    // Where the flags cannot be read the program behaves as it always did: it shows its windows.
    visible_ = !station || !GetUserObjectInformationA(station, UOI_FLAGS, &flags, sizeof flags, &needed) ||
               (flags.dwFlags & WSF_VISIBLE) != 0;
  }
  return *visible_;
}

}  // namespace tovrik
