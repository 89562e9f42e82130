// The small drawing surface the markup label lays out and draws through (GDI on Windows, a fake in tests).
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>

namespace tovrik {

// Widths and heights come from the canvas; sums of absurd ones must not overflow an int coordinate.
inline int clampToInt(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

// Color in the COLORREF layout: 0x00BBGGRR.
using Color = std::uint32_t;

constexpr Color makeColor(unsigned red, unsigned green, unsigned blue) {
  return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr Color kBlack = makeColor(0, 0, 0);
constexpr Color kBlue = makeColor(0, 0, 255);
constexpr Color kRed = makeColor(255, 0, 0);
constexpr Color kPurple = makeColor(128, 0, 128);

// Font style flags; a style handed to the canvas is absolute (the canvas font with exactly these flags).
enum class FontStyle : unsigned { Normal = 0, Bold = 1, Italic = 2, Underline = 4 };

constexpr FontStyle operator|(FontStyle a, FontStyle b) {
  return static_cast<FontStyle>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool hasStyle(FontStyle style, FontStyle flag) {
  return (static_cast<unsigned>(style) & static_cast<unsigned>(flag)) != 0;
}

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are exclusive, as in GDI.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct TextSize {
  int width = 0;
  int height = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual TextSize measure(std::string_view text, FontStyle style) = 0;
  // Draws with a clear background: only the glyphs change.
  virtual void drawText(int x, int y, std::string_view text, FontStyle style, Color color) = 0;
  virtual void fillRect(const Rect& area, Color color) = 0;
};

}  // namespace tovrik
