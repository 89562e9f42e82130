// Text and INI file command handlers. Text files are streamed: a count holds one chunk at a time, and a
// line is read no further than the line after it.
#include "files/text_file_commands.h"

#include <algorithm>
#include <memory>
#include <string>

#include "files/file_age.h"
#include "files/text_lines.h"
#include "command/error.h"
#include "platform/services.h"
#include "text/number_rules.h"

namespace tovrik {

namespace {

// Opens parameter 1 when it names an existing file; otherwise adds "SET ERROR=1" and gives null.
std::unique_ptr<ByteSource> openTextFileArgument(Command& command) {
  const std::string& path = command.param(1);
  FileSystem& fileSystem = command.services.fileSystem();
  if (!readFileAge(fileSystem, path)) {
    command.lines.addError();
    return nullptr;
  }
  return fileSystem.openForReading(path);
}

}  // namespace

void runCountLinesOfTextFile(Command& command) {
  const std::unique_ptr<ByteSource> file = openTextFileArgument(command);
  if (!file) return;
  // One less than the lines: the count of lines that readlineoftextfile gives.
  command.lines.addSet("COUNT", std::to_string(countTextLines(*file) - 1));
}

void runReadLineOfTextFile(Command& command) {
  const std::unique_ptr<ByteSource> file = openTextFileArgument(command);
  if (!file) return;
  const std::int32_t index = readIntegerText(command.param(2));
  // Readable are the lines that another line follows (the index is below the line count minus one); an
  // index below 0 reads line 0.
  TextLineReader reader(*file);
  for (std::int32_t skipped = 0; skipped < index; ++skipped)
    if (!reader.skipLine()) {
      command.lines.addError();
      return;
    }
  std::string line;
  if (!reader.readLine(line) || (index >= 0 && !reader.hasLine())) {
    command.lines.addError();
    return;
  }
  command.lines.addSet("LINE", line);
}

void runIniWrite(Command& command) {
  const std::string& file = command.param(1);
  const std::string& section = command.param(2);
  const std::string& key = command.param(3);
  const std::string& value = command.param(4);
  FileSystem& fileSystem = command.services.fileSystem();
  if (!fileSystem.writeProfileString(file, section, key, value))
    throw PlatformError("\xC9" "criture refus\xE9" "e dans \"" + file + "\"");
  fileSystem.flushProfile(file);
}

void runIniRead(Command& command) {
  const std::string& file = command.param(1);
  const std::string& section = command.param(2);
  const std::string& key = command.param(3);
  const std::string& fallback = command.param(4);
  FileSystem& fileSystem = command.services.fileSystem();
  command.lines.addSet("INIRESULT", fileSystem.readProfileString(file, section, key, fallback));
  fileSystem.flushProfile(file);
}

}  // namespace tovrik
