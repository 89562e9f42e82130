// Sets process variables and tells running programs that the user environment changed.
#include "platform/environment_win32.h"

#include <windows.h>

#include <string>

namespace tovrik {

void Win32Environment::setProcessVariable(std::string_view name, std::string_view value) {
  SetEnvironmentVariableA(std::string(name).c_str(), std::string(value).c_str());
}

void Win32Environment::broadcastChange() {
  // Posting would not do: the system refuses to post a message whose lParam points to text, so the
  // broadcast is sent, giving each window a short time to answer and skipping hung ones.
  SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Environment"),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
}

}  // namespace tovrik
