// The clock through kernel32.
#pragma once

#include "platform/clock.h"

namespace tovrik {

class Win32Clock final : public Clock {
 public:
  DateTime localTime() override;
  std::uint32_t randomSeed() override;
};

}  // namespace tovrik
