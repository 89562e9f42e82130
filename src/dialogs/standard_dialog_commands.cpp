// The standard dialogs report through EXECUTED first, then their result lines; the file and folder
// results are split by the same path rules as the path commands.
#include "dialogs/standard_dialog_commands.h"

#include <algorithm>
#include <string_view>

#include "command/ascii.h"
#include "command/error.h"
#include "platform/services.h"
#include "text/path_rules.h"

namespace tovrik {
namespace {

// Without leading and trailing blanks and control characters (codes 0 to 32).
std::string trimmedParam(const Command& command, std::size_t position) {
  return std::string(trimBlanksAndControls(command.param(position)));
}

// The system appends the default extension after a dot of its own; ".txt" would give "name..txt".
std::string withoutLeadingDots(std::string extension) {
  extension.erase(0, extension.find_first_not_of('.'));
  return extension;
}

constexpr std::uint32_t kShellVersion4 = 4u << 16;
constexpr std::uint32_t kShellVersion5 = 5u << 16;

struct MessageBoxStyle {
  MessageKind kind = MessageKind::kConfirmation;
  MessageButtons buttons;
};

MessageBoxStyle messageBoxStyleOf(const Command& command) {
  MessageBoxStyle style;
  switch (command.variantAs<MessageBoxKind>()) {
    case MessageBoxKind::kCritical:
      style.kind = MessageKind::kError;
      style.buttons.ok = true;
      return style;
    case MessageBoxKind::kWarning:
      style.kind = MessageKind::kWarning;
      style.buttons.ok = true;
      return style;
    case MessageBoxKind::kInformation:
      style.kind = MessageKind::kInformation;
      style.buttons.ok = true;
      return style;
    case MessageBoxKind::kYesNo:
      style.buttons.yes = style.buttons.no = true;
      return style;
    case MessageBoxKind::kOkCancel:
      style.buttons.ok = style.buttons.cancel = true;
      return style;
  }
  command.rejectVariant();
}

}  // namespace

void runFileDialog(Command& command) {
  FileDialogRequest request;
  request.save = command.variantIs(FileDialogKind::kSave, FileDialogKind::kOpen);
  request.title = trimmedParam(command, 1);
  request.filter = toPlatformFilter(trimmedParam(command, 2));
  request.initialDirectory = trimmedParam(command, 3);
  if (request.save) {
    request.fileName = trimmedParam(command, 4);
    request.defaultExtension = withoutLeadingDots(trimmedParam(command, 5));
  }
  const std::optional<std::string> chosen = command.services.standardDialogs().chooseFile(request);
  if (!chosen) {
    command.lines.addSet("EXECUTED", "0");
    return;
  }
  const AnsiCharset& charset = command.services.ansiCharset();
  command.lines.addSet("EXECUTED", "1");
  command.lines.addSet("FILEPATH", *chosen);
  command.lines.addSet("FILENAME", extractFileName(*chosen, charset));
  command.lines.addSet("FILEDIR", extractFilePath(*chosen, charset));
  command.lines.addSet("FILEEXT", extractFileExt(*chosen, charset));
}

void runCreateInputDialog(Command& command) {
  const std::string& caption = command.param(1);
  const std::string& prompt = command.param(2);
  const std::string& initialText = command.param(3);
  const std::optional<std::string> text = command.services.standardDialogs().askText(caption, prompt, initialText);
  if (!text) {
    command.lines.addSet("EXECUTED", "0");
    return;
  }
  command.lines.addSet("EXECUTED", "1");
  command.lines.addSet("TEXT", *text);
}

std::vector<std::string> listEntriesOf(std::string_view items, const AnsiCharset& charset) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  // Stepped whole characters: the trail byte of a double-byte character may be a "|".
  for (std::size_t pos = 0; pos <= items.size(); pos = charset.next(items, pos)) {
    if (pos < items.size() && items[pos] != '|') continue;
    if (pos > start) entries.emplace_back(items.substr(start, pos - start));
    start = pos + 1;
    if (pos == items.size()) break;
  }
  return entries;
}

std::size_t defaultEntryOf(const std::vector<std::string>& entries, std::string_view name) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i] == name) return i;
  const std::string_view digits = trimBlanksAndControls(name);
  if (digits.empty() || digits.size() > 4 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
  std::size_t number = 0;
  for (const char digit : digits) number = number * 10 + static_cast<std::size_t>(digit - '0');
  return number >= 1 && number <= entries.size() ? number - 1 : 0;
}

void runCreateListDialog(Command& command) {
  ListChoiceRequest request;
  request.caption = command.param(1);
  request.prompt = command.param(2);
  request.entries = listEntriesOf(command.param(3), command.services.ansiCharset());
  // The default is the one argument a script may leave out.
  const std::string defaultName = command.args.size() > 5 ? command.param(4) : std::string();
  if (request.entries.empty()) throw CommandError("Liste vide");
  if (request.entries.size() > kMostListEntries) throw CommandError("Liste trop longue");
  request.selected = defaultEntryOf(request.entries, defaultName);
  const std::optional<std::size_t> chosen = command.services.standardDialogs().chooseFromList(request);
  if (!chosen || *chosen >= request.entries.size()) {
    command.lines.addSet("EXECUTED", "0");
    return;
  }
  command.lines.addSet("EXECUTED", "1");
  command.lines.addSet("TEXT", request.entries[*chosen]);
  command.lines.addSet("INDEX", std::to_string(*chosen + 1));
}

void runBrowseDirectory(Command& command) {
  FolderBrowseRequest request;
  request.title = trimmedParam(command, 1);
  request.initialDirectory = trimmedParam(command, 2);
  StandardDialogs& dialogs = command.services.standardDialogs();
  const std::uint32_t version = dialogs.shellVersion();
  if (version < kShellVersion4) throw PlatformError("Shell not compatible with BrowseForFolder");
  request.newDialogStyle = version >= kShellVersion5;
  const std::optional<std::string> chosen = dialogs.browseFolder(request);
  if (!chosen || chosen->empty()) {
    command.lines.addSet("EXECUTED", "0");
    return;
  }
  const AnsiCharset& charset = command.services.ansiCharset();
  command.lines.addSet("EXECUTED", "1");
  command.lines.addSet("DIRPATH", includeTrailingBackslash(*chosen, charset));
  command.lines.addSet("DIRNAME", extractFileName(excludeTrailingBackslash(*chosen, charset), charset));
  command.lines.addSet("DIRDRIVE", includeTrailingBackslash(extractFileDrive(*chosen, charset), charset));
}

void runMessageBox(Command& command) {
  const MessageBoxStyle style = messageBoxStyleOf(command);
  const std::string message = expandLineBreakEscapes(command.param(1));
  const int result = command.services.standardDialogs().showMessage(style.kind, message, style.buttons);
  switch (command.variantAs<MessageBoxKind>()) {
    case MessageBoxKind::kCritical:
    case MessageBoxKind::kWarning:
    case MessageBoxKind::kInformation: break;
    case MessageBoxKind::kYesNo: command.lines.addSet("BUTTON", result == kResultYes ? "0" : "1"); break;
    case MessageBoxKind::kOkCancel: command.lines.addSet("BUTTON", result == kResultOk ? "2" : "3"); break;
  }
}

void runMessageBeep(Command& command) { command.services.standardDialogs().beep(); }

void runPlayWav(Command& command) {
  const std::string& path = command.param(1);
  const std::optional<std::uint32_t> attributes = command.services.fileSystem().attributes(path);
  if (!attributes || (*attributes & kDirectoryAttribute)) return;
  command.services.standardDialogs().playSoundFile(path);
}

}  // namespace tovrik
