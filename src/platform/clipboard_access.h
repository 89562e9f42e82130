// The clipboard, one platform operation per call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovrik {

// A global memory block, 0 for none.
using MemoryBlock = std::uintptr_t;

class ClipboardAccess {
 public:
  virtual ~ClipboardAccess() = default;
  // OpenClipboard with the application window as owner; false when another program holds it.
  virtual bool open() = 0;
  virtual void close() = 0;
  virtual bool empty() = 0;
  // A movable, shareable block (GMEM_MOVEABLE + GMEM_DDESHARE) of `size` bytes; 0 when refused.
  virtual MemoryBlock allocate(std::size_t size) = 0;
  // Locks the block, copies the bytes to its start, unlocks it; false when it cannot be locked.
  virtual bool fill(MemoryBlock block, std::string_view bytes) = 0;
  virtual void free(MemoryBlock block) = 0;
  // SetClipboardData; true when the clipboard took the block (it then owns it).
  virtual bool setData(std::uint32_t format, MemoryBlock block) = 0;
  // GetClipboardData: the block's text up to its first NUL (never past the block's end); nullopt when
  // the clipboard holds no data of the format.
  virtual std::optional<std::string> textData(std::uint32_t format) = 0;
};

}  // namespace tovrik
