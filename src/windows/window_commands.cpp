// findwinhandle, winactivate, findwindow, findwindowclass, closewin, hidewin, getwindowtext, postmessage.
#include "windows/window_commands.h"

#include <cstdint>

#include "platform/services.h"
#include "text/number_rules.h"
#include "windows/send_keys_api.h"

namespace tovrik {
namespace {

constexpr std::size_t kWindowTextBuffer = 255;

}  // namespace

std::string formatWindowHandle(WindowHandle window) { return std::to_string(window); }

WindowHandle readWindowHandle(std::string_view text) { return static_cast<WindowHandle>(readIntegerText(text)); }

void runFindWinHandle(Command& command) {
  // The finder's answer is not used: a run that finds nothing reports the last found handle, 0.
  const bool activate = command.variantIs(WinHandleMode::kActivate, WinHandleMode::kFind);
  findWindowByTitle(command.services.topLevelWindows(), command.param(1), activate);
  command.lines.addSet("HANDLE", formatWindowHandle(lastFoundWindowHandle()));
}

void runFindWindow(Command& command) {
  TopLevelWindows& windows = command.services.topLevelWindows();
  const bool byClass = command.variantIs(WindowMatch::kClass, WindowMatch::kTitle);
  const std::string& name = command.param(1);
  const auto find = [&] { return byClass ? windows.findByClass(name) : windows.findByTitle(name); };
  // Asked twice: the handle reported is the one that still answers now, 0 when the window went away.
  const WindowHandle window = find() != 0 ? find() : 0;
  command.lines.addSet("WINHANDLE", formatWindowHandle(window));
}

void runCloseWin(Command& command) {
  const WindowHandle window = readWindowHandle(command.param(1));
  command.services.topLevelWindows().sendMessage(window, kCloseMessage, 0, 0);
}

void runHideWin(Command& command) {
  const WindowHandle window = readWindowHandle(command.param(1));
  command.services.topLevelWindows().hide(window);
}

void runGetWindowText(Command& command) {
  const WindowHandle window = readWindowHandle(command.param(1));
  command.lines.addSet("TEXT", command.services.topLevelWindows().text(window, kWindowTextBuffer));
}

void runPostMessage(Command& command) {
  const WindowHandle window = readWindowHandle(command.param(1));
  const auto message = static_cast<std::uint32_t>(readIntegerText(command.param(2)));
  // wParam is unsigned on the platform, lParam signed: each keeps the 32 bits the script wrote.
  const auto wParam = static_cast<std::uintptr_t>(static_cast<std::uint32_t>(readIntegerText(command.param(3))));
  const auto lParam = static_cast<std::intptr_t>(readIntegerText(command.param(4)));
  const bool queued = command.services.topLevelWindows().postMessage(window, message, wParam, lParam);
  command.lines.addSet("INQUEUE", queued ? "1" : "0");
}

}  // namespace tovrik
