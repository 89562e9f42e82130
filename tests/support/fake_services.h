// Fakes of the platform services for host tests: an in-memory registry, fixed clock and locale.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "command/ascii.h"
#include "command/error.h"
#include "platform/services.h"
#include "support/fake_key_sink.h"
#include "support/fake_processes.h"
#include "support/fake_windows.h"
#include "support/fake_file_system.h"
#include "support/fake_shell.h"
#include "support/fake_standard_dialogs.h"
#include "support/fake_system.h"
#include "support/regional_settings_samples.h"

namespace tovrik::fakes {

// Registry keys are case-insensitive on Windows; the fake folds ASCII case the same way.
inline std::string foldCase(std::string_view text) { return lowerAscii(text); }

class FakeRegistry final : public Registry {
 public:
  // key path (folded) -> value name (folded) -> value
  std::map<std::string, std::map<std::string, RegistryValue>> keys;
  std::set<std::string> unopenableKeys;  // folded paths that refuse to open
  // HKEY_LOCAL_MACHINE: key path (folded) -> value name (folded) -> value; opened only to read.
  std::map<std::string, std::map<std::string, RegistryValue>> machineKeys;
  bool refuseWrites = false;

  std::unique_ptr<RegistryKey> openCurrentUserKey(std::string_view path) override {
    const std::string folded = foldCase(path);
    if (unopenableKeys.count(folded)) throw RegistryError("refused: " + std::string(path));
    return std::make_unique<Key>(*this, keys[folded]);
  }

  std::unique_ptr<RegistryKey> openLocalMachineKeyForReading(std::string_view path) override {
    const auto key = machineKeys.find(foldCase(path));
    if (key == machineKeys.end()) return nullptr;
    return std::make_unique<Key>(*this, key->second);
  }
  void setMachine(std::string_view path, std::string_view name, std::uint32_t type, std::string data) {
    machineKeys[foldCase(path)][foldCase(name)] = RegistryValue{type, std::move(data)};
  }

  void set(std::string_view path, std::string_view name, std::uint32_t type, std::string data) {
    keys[foldCase(path)][foldCase(name)] = RegistryValue{type, std::move(data)};
  }
  const RegistryValue* find(std::string_view path, std::string_view name) const {
    const auto key = keys.find(foldCase(path));
    if (key == keys.end()) return nullptr;
    const auto value = key->second.find(foldCase(name));
    return value == key->second.end() ? nullptr : &value->second;
  }

 private:
  class Key final : public RegistryKey {
   public:
    Key(FakeRegistry& owner, std::map<std::string, RegistryValue>& values) : owner_(owner), values_(values) {}
    std::optional<RegistryValue> read(std::string_view name) override {
      const auto it = values_.find(foldCase(name));
      if (it == values_.end()) return std::nullopt;
      return it->second;
    }
    void writeString(std::string_view name, std::string_view text) override {
      if (owner_.refuseWrites) throw RegistryError("write refused");
      values_[foldCase(name)] = RegistryValue{kRegistryString, std::string(text)};
    }
    bool deleteValue(std::string_view name) override { return values_.erase(foldCase(name)) > 0; }

   private:
    FakeRegistry& owner_;
    std::map<std::string, RegistryValue>& values_;
  };
};

// Shift-JIS lead bytes, to check that trail bytes are never taken for delimiters.
class FakeShiftJisCharset final : public AnsiCharset {
 public:
  bool isLeadByte(unsigned char byte) const override {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
};

class FakeClock final : public Clock {
 public:
  DateTime now{2026, 12, 7, 1, 9, 5, 3, 0};
  std::uint32_t seed = 1;
  DateTime localTime() override { return now; }
  std::uint32_t randomSeed() override { return seed; }
};

class FakeEnvironment final : public Environment {
 public:
  std::map<std::string, std::string> variables;
  int broadcasts = 0;
  void setProcessVariable(std::string_view name, std::string_view value) override {
    variables[std::string(name)] = std::string(value);
  }
  void broadcastChange() override { ++broadcasts; }
};

// A window station that is visible unless a test says otherwise; counts how often it is asked.
class FakeWindowStation final : public WindowStation {
 public:
  bool visible = true;
  int questions = 0;
  bool hasVisibleSurfaces() override {
    ++questions;
    return visible;
  }
};

class FakeServices final : public Services {
 public:
  FakeClock fakeClock;
  FakeEnvironment fakeEnvironment;
  FakeRegistry fakeRegistry;
  FakeFileSystem fakeFileSystem;
  FakeShell fakeShell;
  RegionalSettings regional = frenchSettings();
  int regionalReads = 0;  // how many times the run asked for the whole settings
  FakeTopLevelWindows windows;
  FakeStatusWindows statusForms;
  FakeCredentialDialogs credentials;
  RecordingKeySink keys;
  FakeProcesses fakeProcesses;
  FakeStandardDialogs dialogs;
  SingleByteCharset charset;

  const AnsiCharset& ansiCharset() override { return charset; }
  const RegionalSettings& regionalSettings() override {
    ++regionalReads;
    return regional;
  }
  DateTimeSeparators dateTimeSeparators() override { return {regional.dateSeparator, regional.timeSeparator}; }
  Clock& clock() override { return fakeClock; }
  Environment& environment() override { return fakeEnvironment; }
  Registry& registry() override { return fakeRegistry; }
  FileSystem& fileSystem() override { return fakeFileSystem; }
  Shell& shell() override { return fakeShell; }
  TopLevelWindows& topLevelWindows() override { return windows; }
  StatusWindows& statusWindows() override { return statusForms; }
  CredentialDialogs& credentialDialogs() override { return credentials; }
  KeySink& keySink() override { return keys; }
  Processes& processes() override { return fakeProcesses; }
  StandardDialogs& standardDialogs() override { return dialogs; }

  FakeSessionControl session;
  FakeSystemInformation system;
  FakeNetwork net;
  FakeClipboard clip;
  SessionControl& sessionControl() override { return session; }
  SystemInformation& systemInformation() override { return system; }
  Network& network() override { return net; }
  ClipboardAccess& clipboard() override { return clip; }

  FakeWindowStation station;
  WindowStation& windowStation() override { return station; }
  FakeNotificationArea notifications;
  NotificationArea& notificationArea() override { return notifications; }
};

}  // namespace tovrik::fakes
