// The registry wrapper over advapi32.
#pragma once

#include "platform/registry.h"

namespace tovrik {

class Win32Registry final : public Registry {
 public:
  std::unique_ptr<RegistryKey> openCurrentUserKey(std::string_view path) override;
  std::unique_ptr<RegistryKey> openLocalMachineKeyForReading(std::string_view path) override;
};

}  // namespace tovrik
