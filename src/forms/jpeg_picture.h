// The configuration form's background picture: a JPEG decoded through the libjpeg interface into RGB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tovrik {

struct RgbPicture {
  int width = 0;
  int height = 0;
  // Rows from the top, each pixel three bytes: red, green, blue.
  std::vector<std::uint8_t> pixels;

  const std::uint8_t* pixel(int x, int y) const {
    const auto index = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    return pixels.data() + index * 3;
  }
};

// The picture, or nullopt when the data is not a whole JPEG picture the library can decode (truncated,
// corrupt, larger than kMaxPicturePixels): the form is then drawn without it. Never ends the process.
std::optional<RgbPicture> decodeJpeg(std::span<const std::uint8_t> data);

// A picture over this many pixels is refused rather than allocated.
inline constexpr std::size_t kMaxPicturePixels = std::size_t{1} << 24;

}  // namespace tovrik
