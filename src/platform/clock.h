// The time of day and the random generator's seed.
#pragma once

#include <cstdint>

#include "platform/regional_settings.h"

namespace tovrik {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime localTime() = 0;
  // Seed for the random generator: the low 32 bits of the high-resolution performance counter, or the
  // millisecond tick count where there is no such counter.
  virtual std::uint32_t randomSeed() = 0;
};

}  // namespace tovrik
