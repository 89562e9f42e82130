// The standard dialogs report through EXECUTED first, then their result lines; the file and folder
// results are split by the same path rules as the path commands.
#include "dialogs/standard_dialog_commands.h"

#include <algorithm>
#include <string_view>

#include "command/ascii.h"
#include "command/error.h"
#include "platform/services.h"
#include "text/number_rules.h"
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

// An argument a script may leave out: empty when it is absent, as when it is NULL.
std::string optionalParam(const Command& command, std::size_t position) {
  return command.args.size() > position + 1 ? command.param(position) : std::string();
}

// The dialog's time-out from its seconds argument: none when it is absent or NULL.
std::optional<TimeOut> timeOutOf(const Command& command, std::size_t position) {
  const std::optional<int> seconds = timeOutSecondsOf(optionalParam(command, position));
  if (!seconds) return std::nullopt;
  return TimeOut{.seconds = *seconds};
}

// Shows the dialog through `show`, or, given a time-out where no one can see a window, shows nothing and
// answers at once what the time-out stands for: the script said what it wants when nobody answers. A
// dialog whose time ran out gives that same answer.
template <class Value, class Show>
DialogAnswer<Value> answerOrTimeOut(Command& command, const std::optional<TimeOut>& timeOut, const Value& whenTimedOut,
                                    Show show) {
  DialogAnswer<Value> answer;
  if (timeOut && !command.services.windowStation().hasVisibleSurfaces()) answer.timedOut = true;
  else answer = show();
  if (answer.timedOut) answer.value = whenTimedOut;
  return answer;
}

// After the lines of the answer: a script tells a time-out from a person's answer by this line alone.
void addTimedOutLine(Command& command, bool timedOut) {
  if (timedOut) command.lines.addSet("TIMEDOUT", "1");
}

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

// The result a two-button box's time-out gives, from the BUTTON value the script asks for (argument
// `position`): by default the second choice, as Escape gives. A one-button box's time-out presses OK.
int timeOutResultOf(const Command& command, const MessageBoxStyle& style, std::size_t position) {
  const bool yesNo = style.buttons.yes;
  if (!yesNo && !style.buttons.cancel) return kResultOk;
  const std::string value = optionalParam(command, position);
  if (value.empty()) return yesNo ? kResultNo : kResultCancel;
  const int32_t button = readIntegerText(value);
  if (yesNo && (button == 0 || button == 1)) return button == 0 ? kResultYes : kResultNo;
  if (!yesNo && (button == 2 || button == 3)) return button == 2 ? kResultOk : kResultCancel;
  throw CommandError("Valeur de BUTTON inconnue : " + value);
}

}  // namespace

std::optional<int> timeOutSecondsOf(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const int32_t seconds = readIntegerText(text);
  if (seconds < 1 || seconds > kMostTimeOutSeconds)
    throw CommandError("Temps d'attente hors limites : " + std::string(text));
  return seconds;
}

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
  // The time-out presses Annuler: the script knows its own default text.
  const std::optional<TimeOut> timeOut = timeOutOf(command, 4);
  const DialogAnswer<std::optional<std::string>> answer =
      answerOrTimeOut(command, timeOut, std::optional<std::string>(), [&] {
        return command.services.standardDialogs().askText(caption, prompt, initialText, timeOut);
      });
  if (!answer.value) {
    command.lines.addSet("EXECUTED", "0");
  } else {
    command.lines.addSet("EXECUTED", "1");
    command.lines.addSet("TEXT", *answer.value);
  }
  addTimedOutLine(command, answer.timedOut);
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

std::optional<std::size_t> namedEntryOf(const std::vector<std::string>& entries, std::string_view name) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i] == name) return i;
  const std::string_view digits = trimBlanksAndControls(name);
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  if (digits.empty() || digits.size() > 4 || !std::all_of(digits.begin(), digits.end(), isDigit)) return std::nullopt;
  std::size_t number = 0;
  for (const char digit : digits) number = number * 10 + static_cast<std::size_t>(digit - '0');
  if (number >= 1 && number <= entries.size()) return number - 1;
  return std::nullopt;
}

void runCreateListDialog(Command& command) {
  ListChoiceRequest request;
  request.caption = command.param(1);
  request.prompt = command.param(2);
  request.entries = listEntriesOf(command.param(3), command.services.ansiCharset());
  const std::string defaultName = optionalParam(command, 4);
  if (request.entries.empty()) throw CommandError("Liste vide");
  if (request.entries.size() > kMostListEntries) throw CommandError("Liste trop longue");
  request.timeOut = timeOutOf(command, 5);
  // A default that names an entry is what the time-out chooses, with OK; without one it presses Annuler.
  const std::optional<std::size_t> defaultEntry = namedEntryOf(request.entries, defaultName);
  request.selected = defaultEntry.value_or(0);
  if (request.timeOut) request.timeOut->button = defaultEntry ? kResultOk : kResultCancel;
  const DialogAnswer<std::optional<std::size_t>> answer = answerOrTimeOut(command, request.timeOut, defaultEntry, [&] {
    return command.services.standardDialogs().chooseFromList(request);
  });
  const std::optional<std::size_t> chosen = answer.value;
  if (!chosen || *chosen >= request.entries.size()) {
    command.lines.addSet("EXECUTED", "0");
  } else {
    command.lines.addSet("EXECUTED", "1");
    command.lines.addSet("TEXT", request.entries[*chosen]);
    command.lines.addSet("INDEX", std::to_string(*chosen + 1));
  }
  addTimedOutLine(command, answer.timedOut);
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
  std::optional<TimeOut> timeOut = timeOutOf(command, 2);
  const int timeOutResult = timeOutResultOf(command, style, 3);
  if (timeOut) timeOut->button = timeOutResult;
  const DialogAnswer<int> answer = answerOrTimeOut(command, timeOut, timeOutResult, [&] {
    return command.services.standardDialogs().showMessage(style.kind, message, style.buttons, timeOut);
  });
  switch (command.variantAs<MessageBoxKind>()) {
    case MessageBoxKind::kCritical:
    case MessageBoxKind::kWarning:
    case MessageBoxKind::kInformation: break;
    case MessageBoxKind::kYesNo: command.lines.addSet("BUTTON", answer.value == kResultYes ? "0" : "1"); break;
    case MessageBoxKind::kOkCancel: command.lines.addSet("BUTTON", answer.value == kResultOk ? "2" : "3"); break;
  }
  addTimedOutLine(command, answer.timedOut);
}

void runMessageBeep(Command& command) { command.services.standardDialogs().beep(); }

void runPlayWav(Command& command) {
  const std::string& path = command.param(1);
  const std::optional<std::uint32_t> attributes = command.services.fileSystem().attributes(path);
  if (!attributes || (*attributes & kDirectoryAttribute)) return;
  command.services.standardDialogs().playSoundFile(path);
}

}  // namespace tovrik
