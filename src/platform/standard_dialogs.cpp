// The texts of the standard dialogs that do not depend on the platform: filters, line breaks, captions,
// the clipboard copy of a message box and which button Enter and Escape press.
#include "platform/standard_dialogs.h"

namespace tovrik {

std::string toPlatformFilter(const std::string& filter) {
  if (filter.empty()) return std::string();
  std::string list = filter;
  std::size_t separators = 0;
  for (char& c : list)
    if (c == '|') {
      c = '\0';
      ++separators;
    }
  // An even number of separators leaves a description without pattern: the platform would read its
  // pattern past the end of the list.
  if (separators % 2 == 0) list.push_back('\0');
  list.append(2, '\0');
  return list;
}

std::string expandLineBreakEscapes(const std::string& message) {
  std::string text;
  text.reserve(message.size());
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] == '\\' && i + 1 < message.size() && message[i + 1] == 'n') {
      text += "\r\n";
      ++i;
    } else {
      text += message[i];
    }
  }
  return text;
}

std::string messageBoxClipboardText(const std::string& caption, const std::string& message,
                                    const std::vector<std::string>& buttonCaptions) {
  const std::string divider = std::string(27, '-') + "\r\n";
  std::string buttons;
  for (const std::string& button : buttonCaptions) {
    for (char c : button)
      if (c != '&') buttons += c;
    buttons += "   ";
  }
  return divider + caption + "\r\n" + divider + message + "\r\n" + divider + buttons + "\r\n" + divider;
}

const char* messageCaption(MessageKind kind) {
  switch (kind) {
    case MessageKind::kWarning: return "Avertissement";
    case MessageKind::kError: return "Erreur";
    case MessageKind::kInformation: return "Information";
    case MessageKind::kConfirmation: return "Confirmation";
  }
  return "";
}

const char* buttonCaption(int result) {
  switch (result) {
    case kResultYes: return "&Oui";
    case kResultNo: return "&Non";
    case kResultOk: return "OK";
    case kResultCancel: return "Annuler";
  }
  return "";
}

std::vector<std::string> buttonCaptions(MessageButtons buttons) {
  std::vector<std::string> captions;
  if (buttons.yes) captions.emplace_back(buttonCaption(kResultYes));
  if (buttons.no) captions.emplace_back(buttonCaption(kResultNo));
  if (buttons.ok) captions.emplace_back(buttonCaption(kResultOk));
  if (buttons.cancel) captions.emplace_back(buttonCaption(kResultCancel));
  return captions;
}

std::string countdownCaption(const std::string& caption, int secondsLeft) {
  return caption + " (" + std::to_string(secondsLeft) + ")";
}

int secondsLeft(std::uint32_t totalMs, std::uint32_t elapsedMs) {
  if (elapsedMs >= totalMs) return 0;
  return static_cast<int>((totalMs - elapsedMs + 999) / 1000);
}

std::uint32_t untilNextSecond(std::uint32_t totalMs, std::uint32_t elapsedMs) {
  if (elapsedMs >= totalMs) return 0;
  const std::uint32_t left = totalMs - elapsedMs;
  const std::uint32_t intoSecond = left % 1000;
  return intoSecond == 0 ? 1000 : intoSecond;
}

int defaultResult(MessageButtons buttons) { return buttons.ok ? kResultOk : kResultYes; }

int escapeResult(MessageButtons buttons) {
  if (buttons.cancel) return kResultCancel;
  if (buttons.no) return kResultNo;
  return kResultOk;
}

}  // namespace tovrik
