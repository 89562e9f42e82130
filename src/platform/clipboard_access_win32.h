// The clipboard through user32 and kernel32.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clipboard_access.h"

namespace tovrik {

class Win32ClipboardAccess final : public ClipboardAccess {
 public:
  bool open() override;
  void close() override;
  bool empty() override;
  MemoryBlock allocate(std::size_t size) override;
  bool fill(MemoryBlock block, std::string_view bytes) override;
  void free(MemoryBlock block) override;
  bool setData(std::uint32_t format, MemoryBlock block) override;
  std::optional<std::string> textData(std::uint32_t format) override;
};

}  // namespace tovrik
