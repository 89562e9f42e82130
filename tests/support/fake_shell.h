// Fake of the platform shell for host tests: records every call and answers from maps the test fills.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "command/error.h"
#include "platform/shell.h"
#include "support/fake_file_system.h"

namespace tovrik::fakes {

class FakeShell final : public Shell {
 public:
  // Calls in the order they came, as "name(argument)".
  std::vector<std::string> calls;

  std::vector<ShellFileOperationCall> fileOperations;
  ShellFileOperationOutcome fileOperationOutcome;

  // A path missing from fullPaths is taken as already full; the empty path and tooLongPaths have no
  // full form.
  std::map<std::string, std::string> fullPaths;
  std::set<std::string> tooLongPaths;
  std::map<std::string, std::string> universalNames;

  std::map<int, std::string> specialFolders;
  std::optional<std::string> tempPath = std::string("C:\\Users\\u\\Temp\\");
  std::optional<std::string> windowsDir = std::string("C:\\windows");

  std::vector<ShellLinkSpec> savedLinks;
  bool refuseLinkObject = false;
  FakeFileSystem* linkFiles = nullptr;  // where a saved link's file appears, when set
  std::size_t longestLinkFileName = 260;  // as the 261-character conversion buffer allows

  struct Execution {
    std::string verb, file, parameters;
    int showCommand;
  };
  std::vector<Execution> executions;
  bool executionStarts = true;

  std::map<std::string, std::string> associations;  // "directory|file" -> program
  std::vector<std::pair<std::string, std::string>> executableLookups;

  ShellFileOperationOutcome runFileOperation(const ShellFileOperationCall& call) override {
    calls.push_back("runFileOperation");
    fileOperations.push_back(call);
    return fileOperationOutcome;
  }
  std::optional<std::string> fullPathName(std::string_view path) override {
    const std::string key(path);
    calls.push_back("fullPathName(" + key + ")");
    if (key.empty() || tooLongPaths.count(key)) return std::nullopt;
    const auto found = fullPaths.find(key);
    return found == fullPaths.end() ? key : found->second;
  }
  std::optional<std::string> universalName(std::string_view path) override {
    const std::string key(path);
    calls.push_back("universalName(" + key + ")");
    const auto found = universalNames.find(key);
    if (found == universalNames.end()) return std::nullopt;
    return found->second;
  }
  std::optional<std::string> specialFolderPath(int csidl) override {
    calls.push_back("specialFolderPath(" + std::to_string(csidl) + ")");
    const auto found = specialFolders.find(csidl);
    if (found == specialFolders.end()) return std::nullopt;
    return found->second;
  }
  std::optional<std::string> temporaryPath() override { return tempPath; }
  std::optional<std::string> windowsDirectory() override { return windowsDir; }

  void saveShellLink(const ShellLinkSpec& link) override {
    calls.push_back("saveShellLink(" + link.fileName + ")");
    if (refuseLinkObject) throw PlatformError("Classe non enregistr\xE9" "e");
    if (link.fileName.size() > longestLinkFileName) throw PlatformError("Nom de raccourci trop long");
    savedLinks.push_back(link);
    if (linkFiles) linkFiles->addFile(link.fileName, "L");
  }
  bool shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                    int showCommand) override {
    executions.push_back({std::string(verb), std::string(file), std::string(parameters), showCommand});
    return executionStarts;
  }
  std::string findExecutable(std::string_view file, std::string_view directory) override {
    executableLookups.emplace_back(std::string(file), std::string(directory));
    const auto found = associations.find(std::string(directory) + "|" + std::string(file));
    return found == associations.end() ? std::string() : found->second;
  }
};

}  // namespace tovrik::fakes
