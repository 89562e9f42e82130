// The standard dialogs, message boxes and sounds as the portable command code sees them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovrik {

// What a file dialog is given; the filter is already in the platform's form (NUL-separated pairs ending
// in a double NUL), or empty for none.
struct FileDialogRequest {
  bool save = false;
  std::string title;
  std::string filter;
  std::string initialDirectory;
  std::string fileName;          // save dialog only
  std::string defaultExtension;  // save dialog only, without its dot
};

struct FolderBrowseRequest {
  std::string title;
  std::string initialDirectory;
  bool newDialogStyle = false;
};

enum class MessageKind { kWarning, kError, kInformation, kConfirmation };

// Button results, as the platform numbers them.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;

// A dialog that ends by itself when nobody answers: after `seconds`, as the button whose result is
// `button` would end it. That button shows the seconds left until a person touches the dialog.
struct TimeOut {
  int seconds = 0;
  int button = kResultCancel;
};

// A dialog's answer, or none when its time ran out (then `value` is left as it was).
template <class Value>
struct DialogAnswer {
  Value value{};
  bool timedOut = false;
};

// What the list dialog is given: the entries as shown and the one selected at first (0-based).
struct ListChoiceRequest {
  std::string caption;
  std::string prompt;
  std::vector<std::string> entries;
  std::size_t selected = 0;
  std::optional<TimeOut> timeOut;  // its button: OK or Annuler
};

// The buttons of a message box, in the fixed order Yes, No, OK, Cancel.
struct MessageButtons {
  bool yes = false;
  bool no = false;
  bool ok = false;
  bool cancel = false;
};

class StandardDialogs {
 public:
  virtual ~StandardDialogs() = default;
  // The full path chosen, or nullopt when the user cancelled or the dialog failed.
  virtual std::optional<std::string> chooseFile(const FileDialogRequest& request) = 0;
  // The edited text on OK; nullopt on Annuler, Escape or the close box. The time-out's button is OK or
  // Annuler.
  virtual DialogAnswer<std::optional<std::string>> askText(const std::string& caption, const std::string& prompt,
                                                           const std::string& initialText,
                                                           const std::optional<TimeOut>& timeOut) = 0;
  // The 0-based number of the entry chosen on OK (Enter, a double-click); nullopt on Annuler, Escape or
  // the close box.
  virtual DialogAnswer<std::optional<std::size_t>> chooseFromList(const ListChoiceRequest& request) = 0;
  // The shell library's file version: major in the high 16 bits, minor in the low 16 bits.
  virtual std::uint32_t shellVersion() = 0;
  // The file-system path of the folder chosen; nullopt when cancelled or for a virtual folder.
  virtual std::optional<std::string> browseFolder(const FolderBrowseRequest& request) = 0;
  // Shows a modal message box and gives the result of the button that closed it.
  virtual DialogAnswer<int> showMessage(MessageKind kind, const std::string& message, MessageButtons buttons,
                                        const std::optional<TimeOut>& timeOut) = 0;
  virtual void beep() = 0;
  // Starts playing a sound file and returns at once; a failure is ignored.
  virtual void playSoundFile(const std::string& path) = 0;
};

// The platform's filter list from the script's "|"-separated one: each "|" a NUL, two NULs at the end.
// A description without its pattern gets an empty one, so the list always holds whole pairs.
std::string toPlatformFilter(const std::string& filter);

// The message with each "\n" (backslash, lower-case n) turned into CR LF; nothing else is an escape.
std::string expandLineBreakEscapes(const std::string& message);

// What Ctrl+C puts on the clipboard: the caption, the message and the button captions ("&" removed, each
// followed by three spaces) between lines of 27 hyphens, every line ending in CR LF.
std::string messageBoxClipboardText(const std::string& caption, const std::string& message,
                                    const std::vector<std::string>& buttonCaptions);

// Caption of each kind of message box, of the button of each result, and of the buttons in their order.
const char* messageCaption(MessageKind kind);
const char* buttonCaption(int result);
std::vector<std::string> buttonCaptions(MessageButtons buttons);

// A button's caption while a time-out counts down on it: "&Non (30)".
std::string countdownCaption(const std::string& caption, int secondsLeft);
// The seconds a countdown of `totalMs` shows once `elapsedMs` have passed: rounded up, so that it starts
// at the whole number and shows 1 through the last second; 0 once the time is up.
int secondsLeft(std::uint32_t totalMs, std::uint32_t elapsedMs);
// The milliseconds from `elapsedMs` until the number shown changes, or the time is up.
std::uint32_t untilNextSecond(std::uint32_t totalMs, std::uint32_t elapsedMs);

// The result Enter gives (OK if present, else Yes) and the one Escape gives (Cancel, else No, else OK).
int defaultResult(MessageButtons buttons);
int escapeResult(MessageButtons buttons);

}  // namespace tovrik
