// The machine's facts: version, volumes, identifiers and its system directory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tovrik {

// dwPlatformId of GetVersionExA.
inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows95 = 1;
inline constexpr std::uint32_t kPlatformNt = 2;

class SystemInformation {
 public:
  virtual ~SystemInformation() = default;
  // dwPlatformId of GetVersionExA, asked once per run: 0 Win32s, 1 the Windows 95 family, 2 NT.
  virtual std::uint32_t platformId() = 0;
  // GetVolumeInformationA of a root path ("C:\"); nullopt when the volume cannot be read.
  virtual std::optional<std::uint32_t> volumeSerialNumber(const std::string& rootPath) = 0;
  // The label through a 256-character buffer; nullopt when the volume cannot be read.
  virtual std::optional<std::string> volumeLabel(const std::string& rootPath) = 0;
  // SetErrorMode: sets the mode, returns the previous one.
  virtual std::uint32_t setErrorMode(std::uint32_t mode) = 0;
  // The volume's total size by the disk-space query; nullopt when the query fails.
  virtual std::optional<std::uint64_t> totalVolumeBytes(const std::string& rootPath) = 0;
  // A new GUID in its 38-character registry form; PlatformError when it cannot be converted to text.
  virtual std::string newGuidText() = 0;
  // The system directory, or nullopt when the system does not report it whole.
  virtual std::optional<std::string> systemDirectory() = 0;
};

}  // namespace tovrik
