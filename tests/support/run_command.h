// Runs one command through command mode with fake services and gives its SET lines as "NAME=value".
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frontend/command_mode.h"
#include "support/fake_services.h"

namespace tovrik::fakes {

inline std::vector<std::string> run(FakeServices& services, std::vector<std::string> parameters) {
  parameters.insert(parameters.begin(), "t");
  std::vector<std::string> result;
  const LineList lines = runCommandMode(parameters, "t", services);
  for (const ReturnLine& line : lines.lines())
    if (!line.isRemark) result.push_back(line.name + "=" + line.text);
  return result;
}

// One table row: the command word and its arguments, and the SET lines expected as NAME=value.
struct Case {
  std::vector<std::string> parameters;
  std::vector<std::string> expected;
};

inline void expectCases(FakeServices& services, const std::vector<Case>& cases) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(::testing::Message() << "case " << i << ": " << ::testing::PrintToString(cases[i].parameters));
    EXPECT_EQ(run(services, cases[i].parameters), cases[i].expected);
  }
}

}  // namespace tovrik::fakes
