// This process's environment and the news of a changed user environment.
#pragma once

#include <string_view>

namespace tovrik {

class Environment {
 public:
  virtual ~Environment() = default;
  // Sets a variable in this process's own environment block.
  virtual void setProcessVariable(std::string_view name, std::string_view value) = 0;
  // Tells the running programs that the user environment changed (WM_SETTINGCHANGE "Environment").
  virtual void broadcastChange() = 0;
};

}  // namespace tovrik
