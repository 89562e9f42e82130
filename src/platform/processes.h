// Running processes, the shell's start of documents and programs, and pausing, as the process commands
// see them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovrik {

struct ProcessEntry {
  std::uint32_t id = 0;
  // The executable as the snapshot names it (a bare file name or a full path), up to its first NUL.
  std::string executable;
};

// The arguments of one ShellExecuteA call; every text is passed as a string, empty ones included.
struct ShellStart {
  std::string verb;
  std::string file;
  std::string parameters;
  std::optional<std::string> directory;  // nullopt: no working directory (a null pointer)
  int showCommand = 0;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // The running processes, in the snapshot's order; nullopt when the system offers no snapshot.
  virtual std::optional<std::vector<ProcessEntry>> runningProcesses() = 0;
  virtual std::uint32_t currentProcessId() = 0;
  // Opens the process for termination and ends it with exit code 0; whether that succeeded.
  virtual bool terminate(std::uint32_t processId) = 0;
  virtual void sleep(std::uint32_t milliseconds) = 0;
  // ShellExecuteA with the application window as owner; the shell's result as its 32 bits (above 32 on
  // success, else the shell's error code).
  virtual std::uint32_t shellExecute(const ShellStart& start) = 0;
};

}  // namespace tovrik
