// The machine's facts through kernel32 and ole32.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system_information.h"

namespace tovrik {

class Win32SystemInformation final : public SystemInformation {
 public:
  std::uint32_t platformId() override;
  std::optional<std::uint32_t> volumeSerialNumber(const std::string& rootPath) override;
  std::optional<std::string> volumeLabel(const std::string& rootPath) override;
  std::uint32_t setErrorMode(std::uint32_t mode) override;
  std::optional<std::uint64_t> totalVolumeBytes(const std::string& rootPath) override;
  std::string newGuidText() override;
  std::optional<std::string> systemDirectory() override;

 private:
  std::optional<std::uint32_t> platformId_;
};

}  // namespace tovrik
