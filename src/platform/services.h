// What the portable core asks of the platform during one invocation, one interface per capability. The
// Win32 build implements it over the real system; the host tests pass fakes.
#pragma once

#include "platform/ansi_charset.h"
#include "platform/clipboard_access.h"
#include "platform/clock.h"
#include "platform/credential_dialogs.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/key_sink.h"
#include "platform/network.h"
#include "platform/notification_area.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/regional_settings.h"
#include "platform/session_control.h"
#include "platform/shell.h"
#include "platform/standard_dialogs.h"
#include "platform/status_windows.h"
#include "platform/system_information.h"
#include "platform/top_level_windows.h"
#include "platform/window_station.h"

namespace tovrik {

class Services {
 public:
  virtual ~Services() = default;

  virtual const AnsiCharset& ansiCharset() = 0;
  // Read once per run: a run keeps the settings it started with.
  virtual const RegionalSettings& regionalSettings() = 0;
  // The separators alone, for a run that needs no more of the settings (the header of every run); the same
  // as regionalSettings() gives, whichever is asked first.
  virtual DateTimeSeparators dateTimeSeparators() = 0;
  virtual Clock& clock() = 0;
  virtual Environment& environment() = 0;
  virtual Registry& registry() = 0;
  virtual FileSystem& fileSystem() = 0;
  virtual Shell& shell() = 0;
  virtual TopLevelWindows& topLevelWindows() = 0;
  // The wait and progress windows; created on first use.
  virtual StatusWindows& statusWindows() = 0;
  // The password and logon dialogs; created on first use.
  virtual CredentialDialogs& credentialDialogs() = 0;
  // Synthesised keyboard input for the keystroke engine.
  virtual KeySink& keySink() = 0;
  virtual Processes& processes() = 0;
  // The file, input and folder dialogs, message boxes and sounds; each loads what it needs on first use.
  virtual StandardDialogs& standardDialogs() = 0;
  virtual SessionControl& sessionControl() = 0;
  virtual SystemInformation& systemInformation() = 0;
  virtual Network& network() = 0;
  virtual ClipboardAccess& clipboard() = 0;
  // Asked only before a window that waits for an answer.
  virtual WindowStation& windowStation() = 0;
  // The program's icon in the notification area, with its balloon.
  virtual NotificationArea& notificationArea() = 0;
};

}  // namespace tovrik
