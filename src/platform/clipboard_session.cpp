// Nested opens, one emptying per outermost open, and no memory block left behind on failure.
#include "platform/clipboard_session.h"

#include "command/error.h"

namespace tovrik {

namespace {

// Closes one level of the session when the command's work ends, also by an error.
class SessionLevel {
 public:
  explicit SessionLevel(ClipboardSession& session) : session_(session) {}
  ~SessionLevel() { session_.close(); }
  SessionLevel(const SessionLevel&) = delete;
  SessionLevel& operator=(const SessionLevel&) = delete;

 private:
  ClipboardSession& session_;
};

// Frees the block unless it was handed to the clipboard.
class PendingBlock {
 public:
  PendingBlock(ClipboardAccess& access, MemoryBlock block) : access_(access), block_(block) {}
  ~PendingBlock() {
    if (block_) access_.free(block_);
  }
  PendingBlock(const PendingBlock&) = delete;
  PendingBlock& operator=(const PendingBlock&) = delete;
  void handedOver() { block_ = 0; }

 private:
  ClipboardAccess& access_;
  MemoryBlock block_;
};

}  // namespace

ClipboardSession::~ClipboardSession() {
  while (openCount_ > 0) close();
}

bool ClipboardSession::open() {
  if (openCount_ == 0) {
    if (!access_.open()) return false;
    emptied_ = false;
  }
  ++openCount_;
  return true;
}

void ClipboardSession::close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0) access_.close();
}

void ClipboardSession::openOrRaise() {
  if (!open()) throw PlatformError("Cannot open clipboard");
}

void ClipboardSession::emptyOnce() {
  if (emptied_) return;
  emptied_ = true;
  access_.empty();
}

void ClipboardSession::setText(std::string_view text) {
  openOrRaise();
  const SessionLevel level(*this);
  const std::string bytes = std::string(text) + '\0';
  const MemoryBlock block = access_.allocate(bytes.size());
  if (!block) throw PlatformError("GlobalAlloc");
  PendingBlock pending(access_, block);
  if (!access_.fill(block, bytes)) throw PlatformError("GlobalLock");
  emptyOnce();
  // A block the clipboard refused is still ours to free; the text did not reach the clipboard.
  if (!access_.setData(kClipboardText, block)) throw PlatformError("SetClipboardData");
  pending.handedOver();
}

std::string ClipboardSession::text() {
  openOrRaise();
  const SessionLevel level(*this);
  return access_.textData(kClipboardText).value_or(std::string());
}

}  // namespace tovrik
