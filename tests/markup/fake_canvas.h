// A canvas with fixed character widths that records what is drawn, for the markup label's host tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "markup/canvas.h"

namespace tovrik::test {

// Every character is 6 px wide (7 px in bold), every line 13 px high.
class FixedWidthCanvas final : public Canvas {
 public:
  struct Drawn {
    int x;
    int y;
    std::string text;
    FontStyle style;
    Color color;
  };

  TextSize measure(std::string_view text, FontStyle style) override {
    ++measureCalls;
    const int perCharacter = hasStyle(style, FontStyle::Bold) ? 7 : 6;
    return {static_cast<int>(text.size()) * perCharacter, 13};
  }
  void drawText(int x, int y, std::string_view text, FontStyle style, Color color) override {
    drawn.push_back({x, y, std::string(text), style, color});
  }
  void fillRect(const Rect& area, Color color) override {
    fills.push_back(area);
    fillColors.push_back(color);
  }

  // `x,y"text"`, with the style in brackets when not normal: `0,0[B]"bold" | 28,0" plain"`.
  std::string drawnText() const {
    std::string result;
    for (const Drawn& d : drawn) {
      if (!result.empty()) result += " | ";
      result += std::to_string(d.x) + "," + std::to_string(d.y);
      if (d.style != FontStyle::Normal) {
        result += "[";
        if (hasStyle(d.style, FontStyle::Bold)) result += "B";
        if (hasStyle(d.style, FontStyle::Italic)) result += "I";
        if (hasStyle(d.style, FontStyle::Underline)) result += "U";
        result += "]";
      }
      result += "\"" + d.text + "\"";
    }
    return result;
  }
  void clear() {
    drawn.clear();
    fills.clear();
    fillColors.clear();
    measureCalls = 0;
  }

  std::vector<Drawn> drawn;
  std::vector<Rect> fills;
  std::vector<Color> fillColors;
  int measureCalls = 0;
};

inline std::string describeRects(const std::vector<Rect>& rects) {
  std::string result;
  for (const Rect& r : rects) {
    if (!result.empty()) result += " ";
    result += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
              "," + std::to_string(r.bottom) + ")";
  }
  return result;
}

}  // namespace tovrik::test
