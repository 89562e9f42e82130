// The empty Win32 GUI program that start-up cost is measured against.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
