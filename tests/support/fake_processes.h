// A fake process list, shell start and pause for host tests: records what the commands asked for.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace tovrik::fakes {

class FakeProcesses final : public Processes {
 public:
  std::optional<std::vector<ProcessEntry>> running = std::vector<ProcessEntry>{};
  std::uint32_t selfId = 100;
  std::set<std::uint32_t> unterminable;
  std::vector<std::uint32_t> terminated;  // every attempt, in order
  std::vector<std::uint32_t> sleeps;
  std::vector<ShellStart> starts;
  std::uint32_t shellResult = 42;

  std::optional<std::vector<ProcessEntry>> runningProcesses() override { return running; }
  std::uint32_t currentProcessId() override { return selfId; }
  bool terminate(std::uint32_t processId) override {
    terminated.push_back(processId);
    return !unterminable.count(processId);
  }
  void sleep(std::uint32_t milliseconds) override { sleeps.push_back(milliseconds); }
  std::uint32_t shellExecute(const ShellStart& start) override {
    starts.push_back(start);
    return shellResult;
  }
};

}  // namespace tovrik::fakes
