// Lays the node tree out into lines and draws it: the renderer walks the tree, the text handler wraps words.
#pragma once

#include <cstddef>
#include <utility>
#include <variant>
#include <vector>

#include "markup/canvas.h"
#include "markup/markup_nodes.h"

namespace tovrik {

class ITextHandler {
 public:
  virtual ~ITextHandler() = default;
  virtual int x() const = 0;
  virtual int y() const = 0;
  virtual int lineHeight() const = 0;
  virtual ICanvas& canvas() = 0;
  virtual void addText(TStringNode& node, FontStyle style, Color color) = 0;
  virtual void addParagraphBreak() = 0;
  virtual void addLineBreak() = 0;
  // Lays out and draws every buffered run.
  virtual void flush() = 0;
  // Final y plus one line height.
  virtual int textHeight() const = 0;
  virtual bool isBufferEmpty() const = 0;
  // The node learns the position of the first text drawn after this call.
  virtual void requestStartPosition(TAreaNode& node) = 0;
};

struct TStringElement {
  TStringNode* node = nullptr;
  FontStyle style = FontStyle::Normal;
  Color color = clBlack;
};

struct TActionElement {
  TActionType action = TActionType::LineBreak;
};

using TParentTextElement = std::variant<TStringElement, TActionElement>;
using TTextElementList = std::vector<TParentTextElement>;

// One per rendering pass. The buffer only holds runs that touch without a blank between them (such as the
// three runs of "bo<b>ld</b>ly"), so they are judged as one word when deciding where to wrap.
class TTextHandler final : public ITextHandler {
 public:
  TTextHandler(const Rect& area, ICanvas& canvas);

  int x() const override { return x_; }
  int y() const override { return y_; }
  int lineHeight() const override { return lineHeight_; }
  ICanvas& canvas() override { return canvas_; }
  void addText(TStringNode& node, FontStyle style, Color color) override;
  void addParagraphBreak() override;
  void addLineBreak() override;
  void flush() override;
  int textHeight() const override;
  bool isBufferEmpty() const override { return buffer_.empty(); }
  void requestStartPosition(TAreaNode& node) override;

 private:
  bool layoutRun(std::size_t index, bool firstWordCounted);
  bool addContinuation(std::size_t index, long long& width, bool& endsWithBlank, int& blankWidth) const;
  bool continuesIntoNext(std::size_t index) const;
  void drawPiece(std::size_t index, std::size_t start, std::size_t length, long long width, bool trimBlanks);
  void moveDown(int lines);

  Rect area_;
  ICanvas& canvas_;
  int x_;
  int y_;
  int lineHeight_;
  TTextElementList buffer_;
  // Each node with the buffer index from which its first text is drawn.
  std::vector<std::pair<TAreaNode*, std::size_t>> startRequests_;
  std::size_t answeredRequests_ = 0;
};

class IRenderer {
 public:
  virtual ~IRenderer() = default;
  virtual Color linkColor() const = 0;
  virtual void setLinkColor(Color color) = 0;
  virtual Color linkColorClicked() const = 0;
  virtual void setLinkColorClicked(Color color) = 0;
  virtual Color linkColorHot() const = 0;
  virtual void setLinkColorHot(Color color) = 0;
  virtual FontStyle linkStyle() const = 0;
  virtual void setLinkStyle(FontStyle style) = 0;
  // Lays out and draws the whole tree, every link in the link colour; records where every piece of text
  // went, collects the link areas.
  virtual void renderTree(ICanvas& canvas, const Rect& area, TNodeTree& tree) = 0;
  // Draws the text below one node again where the last full rendering put it, links in their state's colour.
  virtual void renderNode(ICanvas& canvas, const TAreaNode& node) = 0;
  virtual int textHeight() const = 0;
};

class TDefaultRenderer final : public IRenderer {
 public:
  Color linkColor() const override { return linkColor_; }
  void setLinkColor(Color color) override { linkColor_ = color; }
  Color linkColorClicked() const override { return linkColorClicked_; }
  void setLinkColorClicked(Color color) override { linkColorClicked_ = color; }
  Color linkColorHot() const override { return linkColorHot_; }
  void setLinkColorHot(Color color) override { linkColorHot_ = color; }
  FontStyle linkStyle() const override { return linkStyle_; }
  void setLinkStyle(FontStyle style) override { linkStyle_ = style; }
  void renderTree(ICanvas& canvas, const Rect& area, TNodeTree& tree) override;
  void renderNode(ICanvas& canvas, const TAreaNode& node) override;
  int textHeight() const override { return textHeight_; }

  Color colorOfLink(const TLinkNode& link) const;

 private:
  Color linkColor_ = clBlue;
  Color linkColorClicked_ = clRed;
  Color linkColorHot_ = clPurple;
  FontStyle linkStyle_ = FontStyle::Underline;
  int textHeight_ = 0;
};

}  // namespace tovrik
