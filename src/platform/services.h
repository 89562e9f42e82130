// What the portable core asks of the platform during one invocation. The Win32 build implements it
// over the real system; the host tests pass fakes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ansi_charset.h"
#include "platform/file_system.h"
#include "platform/key_sink.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/regional_settings.h"
#include "platform/shell.h"
#include "platform/windows_ui.h"

namespace tovrik {

class Services {
 public:
  virtual ~Services() = default;

  virtual const AnsiCharset& ansiCharset() = 0;
  // Read once per run: a run keeps the settings it started with.
  virtual const RegionalSettings& regionalSettings() = 0;
  virtual DateTime localTime() = 0;
  virtual Registry& registry() = 0;
  virtual FileSystem& fileSystem() = 0;
  virtual Shell& shell() = 0;

  // Seed for the random generator: the low 32 bits of the high-resolution performance counter, or the
  // millisecond tick count where there is no such counter.
  virtual std::uint32_t randomSeed() = 0;

  // The system directory, or nullopt when the system does not report it whole.
  virtual std::optional<std::string> systemDirectory() = 0;
  virtual TopLevelWindows& topLevelWindows() = 0;
  // The wait and progress windows; created on first use.
  virtual StatusWindows& statusWindows() = 0;
  // The password and logon dialogs; created on first use.
  virtual CredentialDialogs& credentialDialogs() = 0;
  // Synthesised keyboard input for the keystroke engine.
  virtual KeySink& keySink() = 0;
  virtual Processes& processes() = 0;

  // Sets a variable in this process's own environment block.
  virtual void setProcessEnvironmentVariable(std::string_view name, std::string_view value) = 0;
  // Tells the running programs that the user environment changed (WM_SETTINGCHANGE "Environment").
  virtual void broadcastEnvironmentChange() = 0;
};

}  // namespace tovrik
