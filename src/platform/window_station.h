// Whether anyone can see the program's windows: the window station it runs in.
#pragma once

namespace tovrik {

class WindowStation {
 public:
  virtual ~WindowStation() = default;
  // False in a window station without visible display surfaces (a scheduled task run whether the user is
  // logged on or not, a service): a window shown there can never be seen or answered.
  virtual bool hasVisibleSurfaces() = 0;
};

}  // namespace tovrik
