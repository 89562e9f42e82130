// System information: Windows version, system drive, volume serial and label, disk presence, GUIDs.
#include "system/system_info_commands.h"

#include "command/error.h"
#include "platform/services.h"
#include "text/path_commands.h"

namespace tovrik {
namespace {

constexpr std::uint32_t kFailCriticalErrors = 1;  // SEM_FAILCRITICALERRORS

std::string readMachineText(RegistryKey* key, std::string_view name) {
  if (!key) return std::string();
  return readStringValue(*key, name).value_or(std::string());
}

// The drive letter is the argument's first character, so C, C: and C:\Temp all name drive C; an empty
// argument has none and fails.
char driveLetterOf(const Command& command) {
  const std::string& argument = command.param(1);
  if (argument.empty()) throw CommandError("Lecteur absent");
  return argument[0];
}

std::string rootPathOf(char driveLetter) { return std::string(1, driveLetter) + ":\\"; }

class ScopedErrorMode {
 public:
  ScopedErrorMode(SystemInformation& system, std::uint32_t mode)
      : system_(system), previous_(system.setErrorMode(mode)) {}
  ~ScopedErrorMode() { system_.setErrorMode(previous_); }
  ScopedErrorMode(const ScopedErrorMode&) = delete;
  ScopedErrorMode& operator=(const ScopedErrorMode&) = delete;

 private:
  SystemInformation& system_;
  std::uint32_t previous_;
};

}  // namespace

WindowsVersion readWindowsVersion(Registry& registry, std::uint32_t platformId) {
  WindowsVersion version;
  std::string productName;
  std::string versionText;
  if (platformId == kPlatformWin32s) {
    // The record keeps its empty texts here; only the combined text names the platform.
    productName = "Windows 3.1";
  } else if (platformId == kPlatformWindows95 || platformId == kPlatformNt) {
    const bool isNt = platformId == kPlatformNt;
    const std::unique_ptr<RegistryKey> key = registry.openLocalMachineKeyForReading(
        isNt ? "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion" : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    productName = readMachineText(key.get(), "ProductName");
    versionText = readMachineText(key.get(), isNt ? "CurrentVersion" : "VersionNumber");
    version.productName = productName;
    version.versionText = versionText;
    version.isNt = isNt;
  }
  version.combined = productName + " (Version " + versionText + ")";
  return version;
}

std::string formatVolumeSerial(std::uint32_t serial) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(10, '0');
  for (int i = 9; i >= 2; --i, serial >>= 4) text[static_cast<std::size_t>(i)] = kDigits[serial & 0xF];
  return text;
}

// The volume queries, like the disk test, must not stop a script on the platform's disk dialog.
std::string volumeSerialText(SystemInformation& system, const std::string& rootPath) {
  const ScopedErrorMode quiet(system, kFailCriticalErrors);
  return formatVolumeSerial(system.volumeSerialNumber(rootPath).value_or(0));
}

std::string volumeLabel(SystemInformation& system, char driveLetter) {
  const ScopedErrorMode quiet(system, kFailCriticalErrors);
  return system.volumeLabel(rootPathOf(driveLetter)).value_or(std::string());
}

bool isDiskInDrive(SystemInformation& system, char driveLetter) {
  auto code = static_cast<unsigned char>(driveLetter);
  if (code >= 0x61) code = static_cast<unsigned char>(code - 0x20);
  // Without it an empty removable drive brings up the platform's dialog that asks for a disk.
  const ScopedErrorMode quiet(system, kFailCriticalErrors);
  return system.totalVolumeBytes(rootPathOf(static_cast<char>(code))).has_value();
}

std::string newGuid(SystemInformation& system) { return system.newGuidText(); }

void runGetWinVer(Command& command) {
  const WindowsVersion version =
      readWindowsVersion(command.services.registry(), command.services.systemInformation().platformId());
  command.lines.addSet("STRWINVER", version.combined);
  command.lines.addSet("WINPID", version.productName);
  command.lines.addSet("WINVR", version.versionText);
  command.lines.addSet("WINNT", version.isNt ? "1" : "0");
}

void runGetSystemDrive(Command& command) {
  command.lines.addSet("DRIVE", systemDrive(command.services.systemInformation(), command.services.ansiCharset()));
}

void runGetVolumeSerial(Command& command) {
  const char letter = driveLetterOf(command);
  command.lines.addSet("SN", volumeSerialText(command.services.systemInformation(), rootPathOf(letter)));
}

void runGetVolumeLabel(Command& command) {
  const char letter = driveLetterOf(command);
  command.lines.addSet("LABEL", volumeLabel(command.services.systemInformation(), letter));
}

void runDiskInDrive(Command& command) {
  const char letter = driveLetterOf(command);
  command.lines.addSet("DISKINDRIVE", isDiskInDrive(command.services.systemInformation(), letter) ? "1" : "0");
}

void runGetGuid(Command& command) { command.lines.addSet("GUID", newGuid(command.services.systemInformation())); }

}  // namespace tovrik
