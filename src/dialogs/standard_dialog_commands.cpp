// The standard dialogs report through EXECUTED first, then their result lines; the file and folder
// results are split by the same path rules as the path commands.
#include "dialogs/standard_dialog_commands.h"

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
