// Fuzz target for the markup label: any text is parsed, laid out at several widths and hit-tested, and ends.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "markup/markup_label.h"

namespace {

// Widths vary by character, and some characters measure zero, to reach odd wrap decisions.
class VaryingWidthCanvas final : public tovrik::Canvas {
 public:
  tovrik::TextSize measure(std::string_view text, tovrik::FontStyle style) override {
    int width = 0;
    for (unsigned char c : text) width += c % 5 + (tovrik::hasStyle(style, tovrik::FontStyle::Bold) ? 1 : 0);
    return {width, 13};
  }
  void drawText(int x, int y, std::string_view text, tovrik::FontStyle, tovrik::Color) override {
    checksum += static_cast<unsigned>(x) ^ static_cast<unsigned>(y) ^ static_cast<unsigned>(text.size());
  }
  void fillRect(const tovrik::Rect&, tovrik::Color) override {}
  unsigned checksum = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  tovrik::MarkupLabel label;
  // Dynamic tags are filled with a piece of the input itself, markup included.
  label.setOnDynamicTagInit(
      [&text](int number) { return text.substr(static_cast<std::size_t>(number) % (text.size() + 1)); });
  label.setHotLinks(size % 2 == 0);
  label.setMarginWidth(static_cast<int>(size % 7) - 2);
  label.setMarginHeight(static_cast<int>(size % 3));
  label.setCaption(text);
  VaryingWidthCanvas canvas;
  for (int width : {-20, 0, 1, 3, 40, 417}) {
    label.setSize(width, 17);
    label.paint(canvas);
    for (int y = -2; y < label.height() && y < 200; y += 5) {
      for (int x = -2; x < 60; x += 7) {
        label.mouseMove({x, y});
        if ((x + y) % 3 == 0) label.mouseDown({x, y});
        if ((x + y) % 4 == 0) label.mouseUp({x, y});
        const int link = label.linkAt({x, y});
        if (link >= 0) {
          label.linkText(link);
          label.renderLink(canvas, link);
        }
      }
    }
    label.mouseLeave();
  }
  label.setFont(tovrik::FontStyle::Italic, tovrik::kBlack);
  label.layout(canvas);
  return 0;
}
