// Runs one command through command mode with fake services and gives its SET lines as "NAME=value".
#pragma once

#include <string>
#include <vector>

#include "frontend/command_mode.h"
#include "support/fake_services.h"

namespace tovrik::testing {

inline std::vector<std::string> run(FakeServices& services, std::vector<std::string> parameters) {
  parameters.insert(parameters.begin(), "t");
  std::vector<std::string> result;
  const LineList lines = runCommandMode(parameters, "t", services);
  for (const ReturnLine& line : lines.lines())
    if (!line.isRemark) result.push_back(line.name + "=" + line.text);
  return result;
}

}  // namespace tovrik::testing
