// The Win32 implementation of the platform services, and the code page the return file is written in.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "frontend/return_file.h"
#include "platform/file_system_win32.h"
#include "platform/key_sink_win32.h"
#include "platform/processes_win32.h"
#include "platform/registry_win32.h"
#include "platform/services.h"
#include "platform/shell_win32.h"

namespace tovrik {

class Win32AnsiCharset final : public AnsiCharset {
 public:
  bool isLeadByte(unsigned char byte) const override { return IsDBCSLeadByte(byte) != 0; }
};

class Win32TopLevelWindows final : public TopLevelWindows {
 public:
  WindowHandle findByTitle(const std::string& title) override;
  void sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  WindowHandle findByClass(const std::string& className) override;
  void enumerate(const std::function<bool(WindowHandle)>& visit) override;
  std::string text(WindowHandle window, std::size_t bufferSize) override;
  bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void setForeground(WindowHandle window) override;
  void hide(WindowHandle window) override;
};

class Win32Services final : public Services {
 public:
  const AnsiCharset& ansiCharset() override { return charset_; }
  const RegionalSettings& regionalSettings() override;
  DateTime localTime() override;
  Registry& registry() override { return registry_; }
  FileSystem& fileSystem() override { return fileSystem_; }
  Shell& shell() override { return shell_; }
  std::uint32_t randomSeed() override;
  std::optional<std::string> systemDirectory() override;
  TopLevelWindows& topLevelWindows() override { return topLevelWindows_; }
  StatusWindows& statusWindows() override;
  CredentialDialogs& credentialDialogs() override;
  KeySink& keySink() override { return keySink_; }
  Processes& processes() override { return processes_; }
  void setProcessEnvironmentVariable(std::string_view name, std::string_view value) override;
  void broadcastEnvironmentChange() override;

 private:
  Win32AnsiCharset charset_;
  Win32Registry registry_;
  Win32FileSystem fileSystem_;
  Win32Shell shell_;
  std::optional<RegionalSettings> regional_;
  Win32TopLevelWindows topLevelWindows_;
  Win32KeySink keySink_;
  Win32Processes processes_;
  std::unique_ptr<StatusWindows> statusWindows_;
  std::unique_ptr<CredentialDialogs> credentialDialogs_;
};

// cmd.exe reads a batch file in its console's code page, not in the ANSI one: the code page of the
// console this process was started from, else the OEM code page.
class ConsoleCodePage final : public ScriptCodePage {
 public:
  ConsoleCodePage();
  bool isLeadByte(unsigned char byte) const override { return IsDBCSLeadByteEx(codePage_, byte) != 0; }
  std::string fromAnsi(std::string_view ansi) const override;
  UINT codePage() const { return codePage_; }

 private:
  UINT codePage_;
};

}  // namespace tovrik
