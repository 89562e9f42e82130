// The date format language and the Windows date and time pictures, both read left to right in one pass.
#include "text/date_format.h"

#include <array>
#include <cstddef>
#include <string>
#include <utility>

#include "command/ascii.h"

namespace tovrik {

namespace {

constexpr std::size_t kEnd = std::string_view::npos;

bool startsWithIgnoringCase(std::string_view text, std::size_t pos, std::string_view word) {
  if (text.size() - pos < word.size()) return false;
  for (std::size_t k = 0; k < word.size(); ++k)
    if (lowerAscii(text[pos + k]) != word[k]) return false;
  return true;
}

void appendPadded(std::string& out, int value, std::size_t minDigits) {
  const std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
  if (value < 0) out += '-';
  if (digits.size() < minDigits) out.append(minDigits - digits.size(), '0');
  out += digits;
}

// Day and month numbers come from the clock; an out-of-range one gives no name rather than a bad read.
template <std::size_t N>
const std::string& nameAt(const std::array<std::string, N>& names, int index) {
  static const std::string none;
  return (index >= 0 && static_cast<std::size_t>(index) < N) ? names[static_cast<std::size_t>(index)] : none;
}

int hourOnTwelveHourClock(int hour) {
  const int h = hour % 12;
  return h == 0 ? 12 : h;
}

const std::string& designatorFor(const DateTime& when, const RegionalSettings& regional) {
  return when.hour < 12 ? regional.amDesignator : regional.pmDesignator;
}

std::string formatAlternative(const DateTime& when, const RegionalSettings& regional, std::string_view picture) {
  if (!regional.formatAlternativeCalendar) return {};
  return regional.formatAlternativeCalendar(when, picture);
}

std::size_t sameByteRunEnd(std::string_view text, std::size_t pos) {
  std::size_t end = pos + 1;
  while (end < text.size() && text[end] == text[pos]) ++end;
  return end;
}

// ---- Windows pictures ----
// Interpreted directly, as GetDateFormatA / GetTimeFormatA do, instead of being translated into the date
// format language, so their "/" and ":" stay the literal characters of the picture:
//   date pictures: d dd (day), ddd (short day name), dddd+ (long day name), M MM (month), MMM (short
//     month name), MMMM+ (long month name), y (last digit of the year), yy (last two), yyy+ (full year),
//     g gg (era, through the alternative calendar formatter);
//   time pictures: h hh (12-hour clock), H HH (24-hour clock), m mm (minutes), s ss (seconds),
//     t (first character of the AM/PM designator), tt+ (the designator);
//   '...' is literal text, '' is one quote (inside or outside quotes); any other character is itself.
// The code letters are case-sensitive, as in Windows.

enum class PictureKind { Date, Time };

bool isPictureCode(char c, PictureKind kind) {
  if (kind == PictureKind::Date) return c == 'd' || c == 'M' || c == 'y' || c == 'g';
  return c == 'h' || c == 'H' || c == 'm' || c == 's' || c == 't';
}

void appendPictureCode(std::string& out, char code, std::size_t count, const DateTime& when,
                       const RegionalSettings& regional, const AnsiCharset& charset) {
  switch (code) {
    case 'd':
      if (count <= 2) appendPadded(out, when.day, count);
      else out += nameAt(count == 3 ? regional.shortDayNames : regional.longDayNames, when.dayOfWeek);
      break;
    case 'M':
      if (count <= 2) appendPadded(out, when.month, count);
      else out += nameAt(count == 3 ? regional.shortMonthNames : regional.longMonthNames, when.month - 1);
      break;
    case 'y':
      if (count == 1) appendPadded(out, when.year % 10, 1);
      else if (count == 2) appendPadded(out, when.year % 100, 2);
      else appendPadded(out, when.year, 4);
      break;
    case 'g':
      out += formatAlternative(when, regional, "gg");
      break;
    case 'h':
      appendPadded(out, hourOnTwelveHourClock(when.hour), count >= 2 ? 2 : 1);
      break;
    case 'H':
      appendPadded(out, when.hour, count >= 2 ? 2 : 1);
      break;
    case 'm':
      appendPadded(out, when.minute, count >= 2 ? 2 : 1);
      break;
    case 's':
      appendPadded(out, when.second, count >= 2 ? 2 : 1);
      break;
    case 't': {
      const std::string& designator = designatorFor(when, regional);
      if (count >= 2) out += designator;
      else if (!designator.empty()) out.append(designator, 0, charset.next(designator, 0));
      break;
    }
    default:
      break;
  }
}

std::string formatWithPicture(std::string_view picture, PictureKind kind, const DateTime& when,
                              const RegionalSettings& regional, const AnsiCharset& charset) {
  std::string out;
  bool quoted = false;
  std::size_t pos = 0;
  while (pos < picture.size()) {
    const std::size_t next = charset.next(picture, pos);
    const char c = picture[pos];
    if (next - pos > 1) {
      out.append(picture.substr(pos, next - pos));
      pos = next;
    } else if (c == '\'') {
      if (pos + 1 < picture.size() && picture[pos + 1] == '\'') {
        out += '\'';
        pos += 2;
      } else {
        quoted = !quoted;
        ++pos;
      }
    } else if (quoted || !isPictureCode(c, kind)) {
      out += c;
      ++pos;
    } else {
      const std::size_t end = sameByteRunEnd(picture, pos);
      appendPictureCode(out, c, end - pos, when, regional, charset);
      pos = end;
    }
  }
  return out;
}

// ---- The date format language ----

// Position of the quote that closes the one at `open`, or the end of the format (an unclosed quote runs
// to the end).
std::size_t findClosingQuote(std::string_view format, std::size_t open, const AnsiCharset& charset) {
  for (std::size_t pos = open + 1; pos < format.size(); pos = charset.next(format, pos))
    if (format[pos] == format[open]) return pos;
  return kEnd;
}

bool beginsDesignatorCode(std::string_view format, std::size_t pos) {
  return startsWithIgnoringCase(format, pos, "am/pm") || startsWithIgnoringCase(format, pos, "a/p") ||
         startsWithIgnoringCase(format, pos, "ampm");
}

// An hour code is on the 12-hour clock when the first a or h after it, quoted text skipped, begins
// am/pm, a/p or ampm.
bool isFollowedByDesignatorCode(std::string_view format, std::size_t from, const AnsiCharset& charset) {
  std::size_t pos = from;
  while (pos < format.size()) {
    const std::size_t next = charset.next(format, pos);
    const char c = lowerAscii(format[pos]);
    if (next - pos > 1) {
      pos = next;
    } else if (c == '\'' || c == '"') {
      const std::size_t close = findClosingQuote(format, pos, charset);
      if (close == kEnd) return false;
      pos = close + 1;
    } else if (c == 'h') {
      return false;
    } else if (c == 'a') {
      return beginsDesignatorCode(format, pos);
    } else {
      ++pos;
    }
  }
  return false;
}

// Reading rules where the code table leaves room: a run is one letter in any mix of cases ("Dd" is "dd");
// runs of c and g print once whatever their length; the previous letter for the m rule is the last
// unquoted ASCII letter, whether it was a code or copied as itself; double-byte characters and quoted
// text are copied and never change it.
class DateFormatter {
 public:
  DateFormatter(std::string_view format, const DateTime& when, const RegionalSettings& regional,
                const AnsiCharset& charset)
      : format_(format), when_(when), regional_(regional), charset_(charset) {}

  std::string run() {
    while (pos_ < format_.size()) {
      const std::size_t next = charset_.next(format_, pos_);
      const char c = format_[pos_];
      if (next - pos_ > 1) {
        out_.append(format_.substr(pos_, next - pos_));
        pos_ = next;
      } else if (c == '\'' || c == '"') {
        appendQuoted();
      } else if (c == '/') {
        out_ += regional_.dateSeparator;
        ++pos_;
      } else if (c == ':') {
        out_ += regional_.timeSeparator;
        ++pos_;
      } else if (lowerAscii(c) == 'a') {
        appendACode();
        previousLetter_ = 'a';
      } else if (isAsciiLetter(c)) {
        appendLetterRun();
      } else {
        out_ += c;
        ++pos_;
      }
    }
    return std::move(out_);
  }

 private:
  void appendQuoted() {
    const std::size_t close = findClosingQuote(format_, pos_, charset_);
    const std::size_t textEnd = close == kEnd ? format_.size() : close;
    out_.append(format_.substr(pos_ + 1, textEnd - pos_ - 1));
    pos_ = close == kEnd ? format_.size() : close + 1;
  }

  // The codes that begin with a are matched as whole words, not as runs: am/pm and a/p copy the letters
  // as written in the format, so "AM/PM" gives "PM" and "Am/Pm" gives "Pm".
  void appendACode() {
    const bool afternoon = when_.hour >= 12;
    if (startsWithIgnoringCase(format_, pos_, "am/pm")) {
      out_.append(format_.substr(pos_ + (afternoon ? 3 : 0), 2));
      pos_ += 5;
    } else if (startsWithIgnoringCase(format_, pos_, "a/p")) {
      out_ += format_[pos_ + (afternoon ? 2 : 0)];
      pos_ += 3;
    } else if (startsWithIgnoringCase(format_, pos_, "ampm")) {
      out_ += designatorFor(when_, regional_);
      pos_ += 4;
    } else if (startsWithIgnoringCase(format_, pos_, "aaaa")) {
      out_ += nameAt(regional_.longDayNames, when_.dayOfWeek);
      pos_ += 4;
    } else if (startsWithIgnoringCase(format_, pos_, "aaa")) {
      out_ += nameAt(regional_.shortDayNames, when_.dayOfWeek);
      pos_ += 3;
    } else {
      out_ += format_[pos_];
      ++pos_;
    }
  }

  // A run of one letter, in any mix of cases, is one code; its length picks the variant. Every letter
  // handled here, code or not, becomes the previous letter that decides whether m means minutes.
  void appendLetterRun() {
    const char letter = lowerAscii(format_[pos_]);
    std::size_t end = pos_ + 1;
    while (end < format_.size() && lowerAscii(format_[end]) == letter) ++end;
    const std::size_t count = end - pos_;
    switch (letter) {
      case 'd':
        appendDay(count);
        break;
      case 'm':
        if (previousLetter_ == 'h' && count <= 2) appendPadded(out_, when_.minute, count);
        else appendMonth(count);
        break;
      case 'y':
        if (count <= 2) appendPadded(out_, when_.year % 100, 2);
        else appendPadded(out_, when_.year, 4);
        break;
      case 'h':
        if (!twelveHourClock_) twelveHourClock_ = isFollowedByDesignatorCode(format_, end, charset_);
        appendPadded(out_, twelveHourClock_ ? hourOnTwelveHourClock(when_.hour) : when_.hour, count >= 2 ? 2 : 1);
        break;
      case 'n':
        appendPadded(out_, when_.minute, count >= 2 ? 2 : 1);
        break;
      case 's':
        appendPadded(out_, when_.second, count >= 2 ? 2 : 1);
        break;
      case 'z':
        appendPadded(out_, when_.millisecond, count >= 3 ? 3 : count);
        break;
      case 't':
        appendTimePicture(count == 1 ? regional_.shortTimePicture : regional_.longTimePicture);
        break;
      case 'c':
        appendDatePicture(regional_.shortDatePicture);
        if (when_.hour != 0 || when_.minute != 0 || when_.second != 0) {
          out_ += ' ';
          appendTimePicture(regional_.longTimePicture);
        }
        break;
      case 'e':
        appendAlternativeYear(count);
        break;
      case 'g':
        out_ += formatAlternative(when_, regional_, "gg");
        break;
      default:
        out_.append(format_.substr(pos_, count));
        break;
    }
    previousLetter_ = letter;
    pos_ = end;
  }

  void appendDay(std::size_t count) {
    if (count <= 2) appendPadded(out_, when_.day, count);
    else if (count == 3) out_ += nameAt(regional_.shortDayNames, when_.dayOfWeek);
    else if (count == 4) out_ += nameAt(regional_.longDayNames, when_.dayOfWeek);
    else if (count == 5) appendDatePicture(regional_.shortDatePicture);
    else appendDatePicture(regional_.longDatePicture);
  }

  // The hour rule covers m and mm only: mmm and longer are month names even after an hour code.
  void appendMonth(std::size_t count) {
    if (count <= 2) appendPadded(out_, when_.month, count);
    else out_ += nameAt(count == 3 ? regional_.shortMonthNames : regional_.longMonthNames, when_.month - 1);
  }

  void appendAlternativeYear(std::size_t count) {
    std::string year = formatAlternative(when_, regional_, count <= 2 ? "yy" : "yyyy");
    if (count == 1 && year.size() > 1 && year[0] == '0') year.erase(0, 1);
    out_ += year;
  }

  void appendDatePicture(std::string_view picture) {
    out_ += formatWithPicture(picture, PictureKind::Date, when_, regional_, charset_);
  }
  void appendTimePicture(std::string_view picture) {
    out_ += formatWithPicture(picture, PictureKind::Time, when_, regional_, charset_);
  }

  std::string_view format_;
  const DateTime& when_;
  const RegionalSettings& regional_;
  const AnsiCharset& charset_;
  std::string out_;
  std::size_t pos_ = 0;
  char previousLetter_ = 0;
  bool twelveHourClock_ = false;
};

}  // namespace

std::string formatDateTime(std::string_view format, const DateTime& when, const RegionalSettings& regional,
                           const AnsiCharset& charset) {
  return DateFormatter(format, when, regional, charset).run();
}

std::string formatDateTime(std::string_view format, const DateTime& when, const RegionalSettings& regional) {
  return formatDateTime(format, when, regional, SingleByteCharset());
}

std::string formatWithDatePicture(std::string_view picture, const DateTime& when,
                                  const RegionalSettings& regional, const AnsiCharset& charset) {
  return formatWithPicture(picture, PictureKind::Date, when, regional, charset);
}

std::string formatWithTimePicture(std::string_view picture, const DateTime& when,
                                  const RegionalSettings& regional, const AnsiCharset& charset) {
  return formatWithPicture(picture, PictureKind::Time, when, regional, charset);
}

}  // namespace tovrik
