/* A DLL the tests plant under a system DLL's name (url.dll) where a careless program would load it from:
   when anything loads it, it leaves "<its own path>.loaded" beside itself. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH + 16] = {0};
    const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      lstrcatA(path, ".loaded");
      const HANDLE trace = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
      if (trace != INVALID_HANDLE_VALUE) CloseHandle(trace);
    }
  }
  return TRUE;
}

/* URL.DLL's entry, answering "online", so that a program that loaded this one would go on as usual. */
__declspec(dllexport) BOOL WINAPI InetIsOffline(DWORD flags) {
  (void)flags;
  return FALSE;
}
