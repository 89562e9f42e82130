// The process's window station through user32.
#pragma once

#include <optional>

#include "platform/window_station.h"

namespace tovrik {

class Win32WindowStation final : public WindowStation {
 public:
  bool hasVisibleSurfaces() override;

 private:
  std::optional<bool> visible_;  // asked once per run: a process never changes its window station
};

}  // namespace tovrik
