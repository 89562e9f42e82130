// Fakes of the system commands' platform: they record every call in order and answer as set up.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "command/error.h"
#include "platform/clipboard_access.h"
#include "platform/network.h"
#include "platform/notification_area.h"
#include "platform/session_control.h"
#include "platform/system_information.h"

namespace tovrik::fakes {

struct SentMessageToApp {
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

class FakeSessionControl final : public SessionControl {
 public:
  bool tokenOpens = true;
  bool privilegeKnown = true;
  bool exitAccepted = true;
  std::vector<std::string> calls;  // each call with its arguments, in order
  std::vector<SentMessageToApp> appMessages;

  std::optional<TokenHandle> openProcessToken(std::uint32_t access) override {
    calls.push_back("open " + std::to_string(access));
    if (!tokenOpens) return std::nullopt;
    return TokenHandle{77};
  }
  void closeToken(TokenHandle token) override { calls.push_back("close " + std::to_string(token)); }
  std::optional<PrivilegeId> lookupPrivilegeValue(std::string_view name) override {
    calls.push_back("lookup " + std::string(name));
    if (!privilegeKnown) return std::nullopt;
    return PrivilegeId{19, 0};
  }
  void adjustTokenPrivileges(TokenHandle token, const SinglePrivilegeRecord& record,
                             std::uint32_t bufferLength) override {
    calls.push_back("adjust " + std::to_string(token) + " count " + std::to_string(record.count) + " luid " +
                    std::to_string(record.privilege.lowPart) + ":" + std::to_string(record.privilege.highPart) +
                    " attributes " + std::to_string(record.attributes) + " length " + std::to_string(bufferLength));
  }
  bool exitWindowsEx(std::uint32_t flags, std::uint32_t reason) override {
    calls.push_back("exit " + std::to_string(flags) + " " + std::to_string(reason));
    return exitAccepted;
  }
  void sendToApplicationWindow(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
    appMessages.push_back({message, wParam, lParam});
  }
};

class FakeSystemInformation final : public SystemInformation {
 public:
  std::uint32_t platform = kPlatformNt;
  int platformReads = 0;
  std::map<std::string, std::uint32_t> serials;  // by root path
  std::map<std::string, std::string> labels;
  std::map<std::string, std::uint64_t> sizes;
  std::vector<std::string> volumeQueries;  // root paths asked, in order
  std::uint32_t errorMode = 0;
  std::vector<std::uint32_t> errorModesDuringQueries;
  bool sizeQueryThrows = false;
  std::vector<std::string> guids;  // handed out in order
  bool guidFails = false;
  std::optional<std::string> systemDir = std::string("C:\\windows\\system32");

  std::uint32_t platformId() override {
    ++platformReads;
    return platform;
  }
  std::optional<std::uint32_t> volumeSerialNumber(const std::string& rootPath) override {
    return lookup(serials, rootPath);
  }
  std::optional<std::string> volumeLabel(const std::string& rootPath) override { return lookup(labels, rootPath); }
  std::uint32_t setErrorMode(std::uint32_t mode) override {
    const std::uint32_t previous = errorMode;
    errorMode = mode;
    return previous;
  }
  std::optional<std::uint64_t> totalVolumeBytes(const std::string& rootPath) override {
    if (sizeQueryThrows) {
      errorModesDuringQueries.push_back(errorMode);
      throw PlatformError("disk query");
    }
    return lookup(sizes, rootPath);
  }
  std::string newGuidText() override {
    if (guidFails) throw PlatformError("StringFromCLSID");
    const std::string guid = guids.empty() ? std::string() : guids.front();
    if (!guids.empty()) guids.erase(guids.begin());
    return guid;
  }

 private:
  template <typename Value>
  std::optional<Value> lookup(const std::map<std::string, Value>& values, const std::string& rootPath) {
    volumeQueries.push_back(rootPath);
    errorModesDuringQueries.push_back(errorMode);
    const auto found = values.find(rootPath);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  std::optional<std::string> systemDirectory() override { return systemDir; }
};

class FakeNetwork final : public Network {
 public:
  std::optional<bool> offline = false;  // nullopt: URL.DLL or its entry is missing
  bool connectedState = false;
  bool socketsStart = true;
  int socketStarts = 0;
  std::optional<std::string> name = std::string("poste");
  std::vector<std::string> dottedAddresses;  // texts inet_addr accepts
  std::map<std::string, Ipv4Address> hosts;
  std::vector<std::string> calls;

  std::optional<bool> inetIsOffline() override { return offline; }
  bool internetConnectedState() override {
    calls.push_back("connectedstate");
    return connectedState;
  }
  bool startSockets() override {
    ++socketStarts;
    return socketsStart;
  }
  std::optional<std::string> hostName() override {
    calls.push_back("gethostname");
    return name;
  }
  bool isDottedAddress(const std::string& text) override {
    calls.push_back("inet_addr " + text);
    for (const std::string& address : dottedAddresses)
      if (address == text) return true;
    return false;
  }
  std::optional<Ipv4Address> firstHostAddress(const std::string& host) override {
    calls.push_back("gethostbyname " + host);
    const auto found = hosts.find(host);
    if (found == hosts.end()) return std::nullopt;
    return found->second;
  }
  void autodial(std::uint32_t flags) override { calls.push_back("autodial " + std::to_string(flags)); }
  void autodialHangup() override { calls.push_back("hangup"); }
};

// The clipboard and its memory blocks; `calls` keeps the order of opens, closes, empties and sets.
class FakeClipboard final : public ClipboardAccess {
 public:
  bool heldByAnother = false;
  bool refuseAllocation = false;
  bool refuseLock = false;
  bool refuseSetData = false;
  std::map<std::uint32_t, std::string> contents;  // format -> the block's bytes
  std::map<MemoryBlock, std::string> liveBlocks;  // allocated and neither freed nor handed over
  std::vector<std::string> calls;
  bool isOpen = false;

  bool open() override {
    calls.push_back("open");
    if (heldByAnother || isOpen) return false;
    isOpen = true;
    return true;
  }
  void close() override {
    calls.push_back("close");
    isOpen = false;
  }
  bool empty() override {
    calls.push_back("empty");
    if (!isOpen) return false;
    contents.clear();
    return true;
  }
  MemoryBlock allocate(std::size_t size) override {
    calls.push_back("alloc " + std::to_string(size));
    if (refuseAllocation) return 0;
    const MemoryBlock block = nextBlock_++;
    liveBlocks[block] = std::string(size, '\x7F');
    return block;
  }
  bool fill(MemoryBlock block, std::string_view bytes) override {
    if (refuseLock) return false;
    std::string& data = liveBlocks.at(block);
    if (bytes.size() > data.size()) throw std::logic_error("block overrun");
    data.replace(0, bytes.size(), bytes);
    return true;
  }
  void free(MemoryBlock block) override {
    calls.push_back("free");
    liveBlocks.erase(block);
  }
  bool setData(std::uint32_t format, MemoryBlock block) override {
    calls.push_back("set " + std::to_string(format));
    if (refuseSetData || !isOpen) return false;
    contents[format] = liveBlocks.at(block);
    liveBlocks.erase(block);
    return true;
  }
  std::optional<std::string> textData(std::uint32_t format) override {
    calls.push_back("get " + std::to_string(format));
    const auto found = contents.find(format);
    if (found == contents.end()) return std::nullopt;
    return found->second.substr(0, found->second.find('\0'));
  }

 private:
  MemoryBlock nextBlock_ = 0x1000;
};

// Records each balloon asked for and answers with the click set up.
class FakeNotificationArea final : public NotificationArea {
 public:
  bool clicked = false;
  std::vector<BalloonRequest> balloons;

  bool showBalloon(const BalloonRequest& request) override {
    balloons.push_back(request);
    return clicked;
  }
};

}  // namespace tovrik::fakes
