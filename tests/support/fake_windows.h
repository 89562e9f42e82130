// Fakes of the top-level windows and of the wait and progress windows, recording what commands do.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/windows_ui.h"

namespace tovrik::testing {

struct SentMessage {
  WindowHandle window;
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

class FakeTopLevelWindows final : public TopLevelWindows {
 public:
  std::map<std::string, WindowHandle> byTitle;  // exact titles of the open windows
  std::vector<std::string> lookups;
  std::vector<SentMessage> sent;

  WindowHandle findByTitle(const std::string& title) override {
    lookups.push_back(title);
    const auto found = byTitle.find(title);
    return found == byTitle.end() ? 0 : found->second;
  }
  void sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
    sent.push_back({window, message, wParam, lParam});
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

}  // namespace tovrik::testing
