// Late binding of system DLLs: a function of user32, shell32 and the like is looked up when the program
// first calls it, so a command that shows no window never loads the window and shell libraries.
//
// The headers declare those functions dllimport: a call goes through the pointer `__imp_<name>` (on i386
// `__imp__<name>@<argument bytes>`). The program is not linked against their import libraries; the table in
// late_imports_win32.cpp defines each such pointer itself, first pointing at a typed stub that loads the
// DLL, resolves the function, stores its address in the pointer and calls it. Later calls go straight to
// the system. A call to a function that has no row in the table fails to link, and the stub has the
// function's own type and calling convention, so nothing here depends on the target's calling details
// beyond the symbol name, which the linker checks.
#pragma once

#include <windows.h>

#include <cstddef>
#include <type_traits>

namespace tovrik {

struct LateImport {
  const char* dll;
  const char* function;
  void** slot;
};

// Loads a system DLL from the system directory only, never from the program's or the current directory,
// where anyone who can write there could plant a DLL of that name; null when it is not there. The first
// call makes the themed common controls the thread's active context, before any window library loads.
HMODULE loadSystemLibrary(const char* fileName);

// Loads the DLL (from the system directory) and resolves the function into its slot; raises
// PlatformError naming both when either is missing.
void* resolveLateImport(const LateImport& import);

template <typename Function>
struct LateStub;

template <typename Result, typename... Parameters>
struct LateStub<Result WINAPI(Parameters...)> {
  template <const LateImport& import>
  static Result WINAPI call(Parameters... parameters) {
    using Pointer = Result(WINAPI*)(Parameters...);
    return reinterpret_cast<Pointer>(resolveLateImport(import))(parameters...);
  }
};

// Bytes a stdcall function pops on i386: each parameter takes a multiple of four; a reference is passed
// as a pointer.
template <typename Function>
struct StdcallArgumentBytes;

template <typename Result, typename... Parameters>
struct StdcallArgumentBytes<Result WINAPI(Parameters...)> {
  template <typename Parameter>
  static constexpr std::size_t bytesOf =
      (sizeof(std::conditional_t<std::is_reference_v<Parameter>, void*, Parameter>) + 3) / 4 * 4;
  static constexpr std::size_t value = (std::size_t{0} + ... + bytesOf<Parameters>);
};

}  // namespace tovrik

#ifdef _WIN64
#define TOVRIK_LATE_IMPORT_SYMBOL(function, bytes) "__imp_" #function
#else
#define TOVRIK_LATE_IMPORT_SYMBOL(function, bytes) "__imp__" #function "@" #bytes
#endif

// The records share one section, so that the tests can read the whole table out of the program.
#define TOVRIK_LATE_IMPORT(dll, function, bytes)                                                      \
  static_assert(sizeof(void*) == 8 ||                                                                 \
                    ::tovrik::StdcallArgumentBytes<decltype(::function)>::value == (bytes),           \
                #function ": wrong argument byte count");                                             \
  extern "C" void* late_slot_##function __asm__(TOVRIK_LATE_IMPORT_SYMBOL(function, bytes));          \
  extern const ::tovrik::LateImport late_import_##function;                                           \
  __attribute__((section(".tvklate"), used, aligned(sizeof(void*))))                                  \
  const ::tovrik::LateImport late_import_##function = {#dll ".dll", #function, &late_slot_##function}; \
  void* late_slot_##function =                                                                        \
      reinterpret_cast<void*>(&::tovrik::LateStub<decltype(::function)>::call<late_import_##function>);
