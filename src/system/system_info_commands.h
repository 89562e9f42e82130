// getwinver, getsystemdrive, getvolumeserial, getvolumelabel, diskindrive and getguid, and the functions
// behind them.
#pragma once

#include <cstdint>
#include <string>

#include "command/command.h"
#include "platform/registry.h"
#include "platform/system_information.h"

namespace tovrik {

// The Windows version record: product name, version text and the NT flag.
struct WindowsVersion {
  std::string combined;  // product name, " (Version ", version text, ")"
  std::string productName;
  std::string versionText;
  bool isNt = false;
};

// Reads the product name and version of the platform family from HKEY_LOCAL_MACHINE. RegistryError
// when a value exists with a non-text type; a missing key or value reads as empty.
WindowsVersion readWindowsVersion(Registry& registry, std::uint32_t platformId);

// Exactly ten upper-case hexadecimal digits, so the first two are always 0.
std::string formatVolumeSerial(std::uint32_t serial);
// The serial of the volume at the root path; "0000000000" for a volume that cannot be read.
std::string volumeSerialText(SystemInformation& system, const std::string& rootPath);
// The label of the drive's volume; empty for a volume without a label or one that cannot be read.
std::string volumeLabel(SystemInformation& system, char driveLetter);
// Whether the drive's volume size can be read; never lets the platform ask for a disk.
bool isDiskInDrive(SystemInformation& system, char driveLetter);
std::string newGuid(SystemInformation& system);

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_SYSTEM_INFO_HANDLERS(X) \
  X(runGetWinVer) \
  X(runGetSystemDrive) \
  X(runGetVolumeSerial) \
  X(runGetVolumeLabel) \
  X(runDiskInDrive) \
  X(runGetGuid)

TOVRIK_SYSTEM_INFO_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kSystemInfoHandlers[] = {TOVRIK_SYSTEM_INFO_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik
