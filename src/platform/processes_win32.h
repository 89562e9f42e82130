// Processes through kernel32's tool-help snapshot, the shell's start through shell32, and Sleep.
#pragma once

#include "platform/processes.h"

namespace tovrik {

class Win32Processes final : public Processes {
 public:
  std::optional<std::vector<ProcessEntry>> runningProcesses() override;
  std::uint32_t currentProcessId() override;
  bool terminate(std::uint32_t processId) override;
  void sleep(std::uint32_t milliseconds) override;
  std::uint32_t shellExecute(const ShellStart& start) override;
};

}  // namespace tovrik
