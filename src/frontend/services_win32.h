// The program's platform: every capability's Win32 implementation, made here and nowhere else.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "platform/clipboard_access_win32.h"
#include "platform/clock_win32.h"
#include "platform/environment_win32.h"
#include "platform/file_system_win32.h"
#include "platform/key_sink_win32.h"
#include "platform/network_win32.h"
#include "platform/notification_area_win32.h"
#include "platform/processes_win32.h"
#include "platform/registry_win32.h"
#include "platform/services.h"
#include "platform/session_control_win32.h"
#include "platform/shell_win32.h"
#include "platform/system_information_win32.h"
#include "platform/top_level_windows_win32.h"
#include "platform/window_station_win32.h"

namespace tovrik {

class Win32AnsiCharset final : public AnsiCharset {
 public:
  bool isLeadByte(unsigned char byte) const override { return IsDBCSLeadByte(byte) != 0; }
};

class Win32Services final : public Services {
 public:
  Win32Services();

  const AnsiCharset& ansiCharset() override { return charset_; }
  const RegionalSettings& regionalSettings() override;
  DateTimeSeparators dateTimeSeparators() override;
  Clock& clock() override { return clock_; }
  Environment& environment() override { return environment_; }
  Registry& registry() override { return registry_; }
  FileSystem& fileSystem() override { return fileSystem_; }
  Shell& shell() override { return shell_; }
  TopLevelWindows& topLevelWindows() override { return topLevelWindows_; }
  StatusWindows& statusWindows() override;
  CredentialDialogs& credentialDialogs() override;
  KeySink& keySink() override { return keySink_; }
  Processes& processes() override { return processes_; }
  StandardDialogs& standardDialogs() override;
  SessionControl& sessionControl() override { return session_; }
  SystemInformation& systemInformation() override { return systemInformation_; }
  Network& network() override { return network_; }
  ClipboardAccess& clipboard() override { return clipboard_; }
  WindowStation& windowStation() override { return windowStation_; }
  NotificationArea& notificationArea() override { return notificationArea_; }

 private:
  Win32AnsiCharset charset_;
  std::optional<RegionalSettings> regional_;
  std::optional<DateTimeSeparators> separators_;
  Win32Clock clock_;
  Win32Environment environment_;
  Win32Registry registry_;
  Win32FileSystem fileSystem_;
  Win32Shell shell_;
  Win32TopLevelWindows topLevelWindows_;
  Win32KeySink keySink_;
  Win32Processes processes_;
  std::unique_ptr<StatusWindows> statusWindows_;
  std::unique_ptr<CredentialDialogs> credentialDialogs_;
  std::unique_ptr<StandardDialogs> standardDialogs_;
  Win32SessionControl session_;
  Win32SystemInformation systemInformation_;
  Win32Network network_;
  Win32ClipboardAccess clipboard_;
  Win32WindowStation windowStation_;
  Win32NotificationArea notificationArea_;
};

}  // namespace tovrik
