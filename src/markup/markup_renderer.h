// Lays the node tree out into lines and draws it: the renderer walks the tree, the text handler wraps words.
#pragma once

#include <cstddef>
#include <utility>
#include <variant>
#include <vector>

#include "markup/canvas.h"
#include "markup/markup_nodes.h"

namespace tovrik {

struct TextRun {
  TextNode* node = nullptr;
  FontStyle style = FontStyle::Normal;
  Color color = kBlack;
};

struct BreakRun {
  BreakKind action = BreakKind::LineBreak;
};

using LayoutRun = std::variant<TextRun, BreakRun>;
using LayoutRuns = std::vector<LayoutRun>;

// One per rendering pass. The buffer only holds runs that touch without a blank between them (such as the
// three runs of "bo<b>ld</b>ly"), so they are judged as one word when deciding where to wrap.
class TextLayout {
 public:
  TextLayout(const Rect& area, Canvas& canvas);

  int x() const { return x_; }
  int y() const { return y_; }
  int lineHeight() const { return lineHeight_; }
  Canvas& canvas() { return canvas_; }
  void addText(TextNode& node, FontStyle style, Color color);
  void addParagraphBreak();
  void addLineBreak();
  // Lays out and draws every buffered run.
  void flush();
  // Final y plus one line height.
  int textHeight() const;
  bool isBufferEmpty() const { return buffer_.empty(); }
  // The node learns the position of the first text drawn after this call.
  void requestStartPosition(AreaNode& node);

 private:
  bool layoutRun(std::size_t index, bool firstWordCounted);
  bool addContinuation(std::size_t index, long long& width, bool& endsWithBlank, int& blankWidth) const;
  bool continuesIntoNext(std::size_t index) const;
  void drawPiece(std::size_t index, std::size_t start, std::size_t length, long long width, bool trimBlanks);
  void moveDown(int lines);

  Rect area_;
  Canvas& canvas_;
  int x_;
  int y_;
  int lineHeight_;
  LayoutRuns buffer_;
  // Each node with the buffer index from which its first text is drawn.
  std::vector<std::pair<AreaNode*, std::size_t>> startRequests_;
  std::size_t answeredRequests_ = 0;
};

class MarkupRenderer {
 public:
  Color linkColor() const { return linkColor_; }
  void setLinkColor(Color color) { linkColor_ = color; }
  Color linkColorClicked() const { return linkColorClicked_; }
  void setLinkColorClicked(Color color) { linkColorClicked_ = color; }
  Color linkColorHot() const { return linkColorHot_; }
  void setLinkColorHot(Color color) { linkColorHot_ = color; }
  FontStyle linkStyle() const { return linkStyle_; }
  void setLinkStyle(FontStyle style) { linkStyle_ = style; }
  // Lays out and draws the whole tree, every link in the link colour; records where every piece of text
  // went, collects the link areas.
  void renderTree(Canvas& canvas, const Rect& area, MarkupTree& tree);
  // Draws the text below one node again where the last full rendering put it, links in their state's colour.
  void renderNode(Canvas& canvas, const AreaNode& node);
  int textHeight() const { return textHeight_; }

  Color colorOfLink(const LinkNode& link) const;

 private:
  Color linkColor_ = kBlue;
  Color linkColorClicked_ = kRed;
  Color linkColorHot_ = kPurple;
  FontStyle linkStyle_ = FontStyle::Underline;
  int textHeight_ = 0;
};

}  // namespace tovrik
