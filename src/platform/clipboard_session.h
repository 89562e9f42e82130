// Text on the clipboard over the platform's clipboard calls, opened in nested levels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clipboard_access.h"

namespace tovrik {

inline constexpr std::uint32_t kClipboardText = 1;  // CF_TEXT

// Opening nests by a count: only the outermost open opens the clipboard and only the matching close
// closes it; the clipboard is emptied at most once per outermost open, just before data is first set.
class ClipboardSession {
 public:
  explicit ClipboardSession(ClipboardAccess& access) : access_(access) {}
  ~ClipboardSession();
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;

  // False when the outermost open is refused (another program holds the clipboard open).
  bool open();
  void close();

  // Replaces the contents by the text as CF_TEXT. PlatformError when the clipboard cannot be opened
  // or does not take the text; the clipboard is left closed and no memory block is left behind.
  void setText(std::string_view text);
  // The CF_TEXT contents, empty when there are none. PlatformError when the clipboard cannot be opened.
  std::string text();
  // Empties the clipboard, once per outermost open; the clipboard must be open.
  void emptyOnce();

 private:
  void openOrRaise();

  ClipboardAccess& access_;
  int openCount_ = 0;
  bool emptied_ = false;
};

}  // namespace tovrik
