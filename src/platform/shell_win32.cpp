// Shell file operations, path expansion, special folders, shell links, ShellExecute and executable
// lookup, each a thin call of the system.
#include "platform/shell_win32.h"

#include <windows.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winnetwk.h>

#include <cstring>
#include <vector>

#include "command/error.h"
#include "platform/ansi_names_win32.h"
#include "platform/com_win32.h"
#include "platform/resource_owners_win32.h"
#include "platform/system_strings_win32.h"

namespace tovrik {
namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComReference {
 public:
  ComReference() = default;
  ComReference(const ComReference&) = delete;
  ComReference& operator=(const ComReference&) = delete;
  ~ComReference() {
    if (pointer_) pointer_->Release();
  }
  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  void** out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// What the shell hands back in hNameMappings: a count and the mappings, UTF-16 on the NT family.
struct NameMappingTable {
  UINT count;
  SHNAMEMAPPINGW* mappings;
};

std::string toAnsi(const wchar_t* text, int length) {
  if (!text || length <= 0) return std::string();
  return convertWideToCodePage(CP_ACP, text, length);
}

std::vector<ShellFileNameMapping> takeNameMappings(HANDLE handle) {
  std::vector<ShellFileNameMapping> mappings;
  const auto* table = static_cast<const NameMappingTable*>(static_cast<void*>(handle));
  for (UINT i = 0; table->mappings && i < table->count; ++i) {
    const SHNAMEMAPPINGW& mapping = table->mappings[i];
    mappings.push_back(
        {toAnsi(mapping.pszOldPath, mapping.cchOldPath), toAnsi(mapping.pszNewPath, mapping.cchNewPath)});
  }
  SHFreeNameMappings(handle);
  return mappings;
}


}  // namespace

HWND Win32Shell::ownerWindow() const {
  if (const HWND form = owner_()) return form;
  return GetFocus();
}

ShellFileOperationOutcome Win32Shell::runFileOperation(const ShellFileOperationCall& call) {
  ensureComInitialized();
  SHFILEOPSTRUCTA operation{};
  operation.hwnd = ownerWindow();
  operation.wFunc = call.function;
  operation.pFrom = call.from.c_str();
  operation.pTo = call.to.c_str();
  operation.fFlags = call.flags;
  operation.lpszProgressTitle = call.progressTitle.c_str();
  ShellFileOperationOutcome outcome;
  outcome.result = SHFileOperationA(&operation);
  outcome.anyOperationsAborted = operation.fAnyOperationsAborted != FALSE;
  if (operation.hNameMappings) outcome.nameMappings = takeNameMappings(operation.hNameMappings);
  return outcome;
}

std::optional<std::string> Win32Shell::fullPathName(std::string_view path) {
  wchar_t buffer[260];
  wchar_t* filePart = nullptr;
  const DWORD length = GetFullPathNameW(widenAnsi(path).c_str(), std::size(buffer), buffer, &filePart);
  // A length beyond the buffer is the size the full form would need; the buffer holds nothing then.
  if (length == 0 || length >= std::size(buffer)) return std::nullopt;
  // The current directory may lie outside the ANSI code page: its look-alike would be another folder.
  return exactAnsiPath(std::wstring_view(buffer, length));
}

std::optional<std::string> Win32Shell::universalName(std::string_view path) {
  alignas(UNIVERSAL_NAME_INFOA) char buffer[1024];
  DWORD size = sizeof buffer;
  if (WNetGetUniversalNameA(std::string(path).c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer, &size) != NO_ERROR)
    return std::nullopt;
  const auto* info = reinterpret_cast<const UNIVERSAL_NAME_INFOA*>(buffer);
  if (!info->lpUniversalName) return std::nullopt;
  return std::string(info->lpUniversalName);
}

std::optional<std::string> Win32Shell::specialFolderPath(int csidl) {
  ensureComInitialized();
  LPITEMIDLIST located = nullptr;
  const HRESULT result = SHGetSpecialFolderLocation(nullptr, csidl, &located);
  const CoTaskMemory<ITEMIDLIST> list(located);
  if (FAILED(result) || !list) return std::nullopt;
  wchar_t path[261] = {};
  // A folder without a file-system path (a virtual one) has no value to report.
  if (!SHGetPathFromIDListW(list.get(), path)) return std::nullopt;
  return exactAnsiPath(std::wstring_view(path, wcsnlen(path, std::size(path))));
}

std::optional<std::string> Win32Shell::temporaryPath() {
  wchar_t buffer[300];
  const DWORD length = GetTempPathW(std::size(buffer), buffer);
  if (length == 0 || length >= std::size(buffer)) return std::nullopt;
  return exactAnsiPath(std::wstring_view(buffer, length));
}

std::optional<std::string> Win32Shell::windowsDirectory() {
  const std::optional<std::wstring> directory = readSizedString<wchar_t>(GetWindowsDirectoryW);
  return directory ? exactAnsiPath(*directory) : std::nullopt;
}

void Win32Shell::saveShellLink(const ShellLinkSpec& link) {
  // The name goes to Save in UTF-16 through a buffer of 261 characters, the NUL included; a longer
  // name is refused before anything is made, where a cut one would write another file.
  wchar_t wideName[261] = {};
  if (MultiByteToWideChar(CP_ACP, 0, link.fileName.c_str(), -1, wideName, 261) == 0)
    throw PlatformError("Nom de raccourci trop long : " + link.fileName);

  ensureComInitialized();
  ComReference<IUnknown> object;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                              object.out())))
    throw PlatformError("Objet raccourci indisponible");
  ComReference<IShellLinkA> shellLink;
  if (FAILED(object->QueryInterface(IID_IShellLinkA, shellLink.out())) || !shellLink.get())
    throw PlatformError("Interface IShellLinkA indisponible");
  ComReference<IPersistFile> persistFile;
  if (FAILED(object->QueryInterface(IID_IPersistFile, persistFile.out())) || !persistFile.get())
    throw PlatformError("Interface IPersistFile indisponible");

  shellLink->SetPath(link.target.c_str());
  shellLink->SetArguments(link.arguments.c_str());
  shellLink->SetDescription(link.description.c_str());
  shellLink->SetShowCmd(link.showCommand);
  persistFile->Save(wideName, TRUE);
}

bool Win32Shell::shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                              int showCommand) {
  ensureComInitialized();
  const HINSTANCE result = ShellExecuteA(nullptr, std::string(verb).c_str(), std::string(file).c_str(),
                                         std::string(parameters).c_str(), nullptr, showCommand);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

// The result buffer is cleared first and read only on success: with no association the shell may
// leave anything in it.
std::string Win32Shell::findExecutable(std::string_view file, std::string_view directory) {
  ensureComInitialized();
  wchar_t result[MAX_PATH] = {};
  const HINSTANCE status = FindExecutableW(widenAnsi(file).c_str(), widenAnsi(directory).c_str(), result);
  if (reinterpret_cast<INT_PTR>(status) <= 32) return std::string();
  // A program whose path the ANSI code page cannot spell is reported as none found, never as a look-alike.
  return exactAnsiPath(std::wstring_view(result, wcsnlen(result, std::size(result)))).value_or(std::string());
}

}  // namespace tovrik
