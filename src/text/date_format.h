// The date format language of getdate, filedate and the return-file header, and the Windows date and
// time pictures that its locale-dependent codes (c, ddddd, dddddd, t, tt) print with.
#pragma once

#include <string>
#include <string_view>

#include "platform/ansi_charset.h"
#include "platform/regional_settings.h"

namespace tovrik {

// Formats `when` with a format of the date format language ("yyyy-mm-dd", "hh:nn am/pm", "c"...).
// The charset keeps the trail byte of a double-byte character from being read as a code letter; the
// overload without one treats every byte as a character. An empty format gives an empty text.
std::string formatDateTime(std::string_view format, const DateTime& when, const RegionalSettings& regional);
std::string formatDateTime(std::string_view format, const DateTime& when, const RegionalSettings& regional,
                           const AnsiCharset& charset);

// The commands print with "c" (short date, then long time) when the script gives no format.
inline std::string_view formatOrDefault(std::string_view format) { return format.empty() ? "c" : format; }

// Print what GetDateFormatA / GetTimeFormatA print for a Windows picture ("dddd d MMMM yyyy",
// "h:mm:ss tt", "H' h 'mm"): everything outside the picture codes, "/" and ":" included, is literal.
std::string formatWithDatePicture(std::string_view picture, const DateTime& when,
                                  const RegionalSettings& regional, const AnsiCharset& charset);
std::string formatWithTimePicture(std::string_view picture, const DateTime& when,
                                  const RegionalSettings& regional, const AnsiCharset& charset);

}  // namespace tovrik
