// The file-system operations over kernel32.
#pragma once

#include "platform/file_system.h"

namespace tovrik {

class Win32FileSystem final : public FileSystem {
 public:
  std::string currentDirectory() override;
  bool setCurrentDirectory(std::string_view path) override;
  bool copyFile(std::string_view existing, std::string_view target, bool failIfExists) override;
  bool moveFile(std::string_view existing, std::string_view target) override;
  bool createDirectory(std::string_view path) override;
  std::optional<std::uint32_t> attributes(std::string_view path) override;
  std::optional<FoundEntry> findFirst(std::string_view pattern) override;
  std::unique_ptr<ByteSource> openForReading(std::string_view path) override;
  std::string readProfileString(std::string_view file, std::string_view section, std::string_view key,
                                std::string_view fallback) override;
  bool writeProfileString(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view value) override;
  void flushProfile(std::string_view file) override;
  std::optional<std::string> shortPathName(std::string_view path) override;
};

}  // namespace tovrik
