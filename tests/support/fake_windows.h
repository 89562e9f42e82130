// Fakes of the top-level windows and of the wait and progress windows, recording what commands do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "command/ascii.h"
#include "command/error.h"
#include "platform/credential_dialogs.h"
#include "platform/status_windows.h"
#include "platform/top_level_windows.h"

namespace tovrik::fakes {

struct SentMessage {
  WindowHandle window;
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

// One top-level window of the fake desktop.
struct FakeWindow {
  WindowHandle handle;
  std::string title;
  std::string className;
  bool hidden = false;
};

class FakeTopLevelWindows final : public TopLevelWindows {
 public:
  std::map<std::string, WindowHandle> byTitle;  // exact titles of the open windows
  // The desktop's windows in enumeration order; found by title or class without regard to ASCII case.
  std::vector<FakeWindow> desktop;
  std::vector<std::string> lookups;
  std::vector<SentMessage> sent;
  std::vector<SentMessage> posted;
  // The desktop calls that change something, in order: "send 1234 112", "foreground 1234", "hide 1234".
  std::vector<std::string> calls;
  // Windows whose text cannot be read: asking raises PlatformError, as a failed system call would.
  std::vector<WindowHandle> unreadable;

  WindowHandle findByTitle(const std::string& title) override {
    lookups.push_back(title);
    const auto found = byTitle.find(title);
    if (found != byTitle.end()) return found->second;
    for (const FakeWindow& window : desktop)
      if (sameLetters(window.title, title)) return window.handle;
    return 0;
  }
  void sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
    sent.push_back({window, message, wParam, lParam});
    calls.push_back("send " + std::to_string(window) + " " + std::to_string(message));
  }
  WindowHandle findByClass(const std::string& className) override {
    lookups.push_back("class " + className);
    for (const FakeWindow& window : desktop)
      if (sameLetters(window.className, className)) return window.handle;
    return 0;
  }
  void enumerate(const std::function<bool(WindowHandle)>& visit) override {
    for (const FakeWindow& window : desktop)
      if (!visit(window.handle)) return;
  }
  std::string text(WindowHandle handle, std::size_t bufferSize) override {
    for (WindowHandle failing : unreadable)
      if (failing == handle) throw PlatformError("GetWindowTextA: " + std::to_string(handle));
    for (const FakeWindow& window : desktop)
      if (window.handle == handle) {
        const std::string shown = window.title.substr(0, bufferSize - 1);
        return shown.substr(0, shown.find('\0'));
      }
    return "";
  }
  bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
    posted.push_back({window, message, wParam, lParam});
    if (window == 0xFFFF) return true;  // HWND_BROADCAST
    for (const FakeWindow& open : desktop)
      if (open.handle == window) return true;
    return false;
  }
  void setForeground(WindowHandle window) override { calls.push_back("foreground " + std::to_string(window)); }
  void hide(WindowHandle window) override {
    calls.push_back("hide " + std::to_string(window));
    for (FakeWindow& open : desktop)
      if (open.handle == window) open.hidden = true;
  }

 private:
  static bool sameLetters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
  }
};

// Thrown by the fake message loop in place of ending the process.
struct WindowLoopEntered {};

class FakeStatusWindow final : public StatusWindow {
 public:
  std::vector<std::string> calls;  // what happened, in order

  void show() override { calls.push_back("show"); }
  void setTitle(const std::string& title) override { calls.push_back("title " + title); }
  void setText(const std::string& markup) override { calls.push_back("text " + markup); }
  void setRange(std::int32_t minimum, std::int32_t maximum) override {
    calls.push_back("range " + std::to_string(minimum) + " " + std::to_string(maximum));
  }
  [[noreturn]] void runUntilClosed() override {
    calls.push_back("loop");
    throw WindowLoopEntered{};
  }
};

class FakeStatusWindows final : public StatusWindows {
 public:
  FakeStatusWindow wait;
  FakeStatusWindow progress;
  StatusWindow& waitWindow() override { return wait; }
  StatusWindow& progressWindow() override { return progress; }
};

// Answers every dialog with `answer` and records the texts the dialog was given.
class FakeCredentialDialogs final : public CredentialDialogs {
 public:
  EnteredCredentials answer;
  std::vector<std::string> shown;  // "password title|prompt" or "logon title|user|password"

  EnteredCredentials askPassword(const std::string& title, const std::string& prompt) override {
    shown.push_back("password " + title + "|" + prompt);
    return answer;
  }
  EnteredCredentials askLogon(const std::string& title, const std::string& userPrompt,
                              const std::string& passwordPrompt) override {
    shown.push_back("logon " + title + "|" + userPrompt + "|" + passwordPrompt);
    return answer;
  }
};

}  // namespace tovrik::fakes
