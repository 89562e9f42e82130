// The smallest program that talks to the window system: it finds a window by title and sends it a
// message, which is what a progress update has to do at the least.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const HWND window = FindWindowA(nullptr, commandLine);
  if (window) SendMessageA(window, WM_NULL, 0, 0);
  return 0;
}
