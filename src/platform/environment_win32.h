// The process environment and the change broadcast through kernel32 and user32.
#pragma once

#include "platform/environment.h"

namespace tovrik {

class Win32Environment final : public Environment {
 public:
  void setProcessVariable(std::string_view name, std::string_view value) override;
  void broadcastChange() override;
};

}  // namespace tovrik
