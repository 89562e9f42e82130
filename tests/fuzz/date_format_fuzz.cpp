// Feeds random formats to the date format language under French and US English settings, in a single-byte
// and a Shift-JIS code page: no crash, no hang, and an output no longer than a fixed multiple of the format.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include "support/regional_settings_samples.h"
#include "text/date_format.h"

namespace {

using namespace tovrik;

class ShiftJisCharset final : public AnsiCharset {
 public:
  bool isLeadByte(unsigned char byte) const override {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
};

std::string alternativeCalendar(const DateTime&, std::string_view picture) {
  return picture == "gg" ? "Reiwa" : "08";
}

// US English with an alternative calendar, so the era codes have something to format.
RegionalSettings englishWithCalendar() {
  RegionalSettings regional = fakes::englishSettings();
  regional.formatAlternativeCalendar = alternativeCalendar;
  return regional;
}

// The longest text one format byte can produce with these settings is "c" (date, space, long time, about
// 20 bytes); 32 per byte leaves room without hiding a runaway loop.
constexpr std::size_t kMaxOutputPerFormatByte = 32;

void check(std::string_view format, const DateTime& when, const RegionalSettings& regional,
           const AnsiCharset& charset) {
  const std::string out = formatDateTime(format, when, regional, charset);
  if (out.size() > kMaxOutputPerFormatByte * (format.size() + 1)) {
    std::fprintf(stderr, "output of %zu bytes for a format of %zu bytes\n", out.size(), format.size());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const RegionalSettings french = fakes::frenchSettings();
  static const RegionalSettings english = englishWithCalendar();
  static const SingleByteCharset singleByte;
  static const ShiftJisCharset shiftJis;
  const std::string_view format(reinterpret_cast<const char*>(data), size);
  const DateTime morning{2026, 2, 7, 6, 9, 5, 3, 7};
  const DateTime midnight{1999, 12, 31, 5, 0, 0, 0, 0};
  const DateTime afternoon{2000, 1, 1, 6, 23, 59, 59, 999};
  for (const DateTime* when : {&morning, &midnight, &afternoon}) {
    check(format, *when, french, singleByte);
    check(format, *when, english, shiftJis);
  }
  return 0;
}
