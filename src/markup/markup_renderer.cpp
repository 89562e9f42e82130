// Lays the node tree out into lines and draws it.
#include "markup/markup_renderer.h"

#include <algorithm>
#include <string_view>

namespace tovrik {

TextLayout::TextLayout(const Rect& area, Canvas& canvas)
    : area_(area),
      canvas_(canvas),
      x_(area.left),
      y_(area.top),
      lineHeight_(std::max(0, canvas.measure("fg", FontStyle::Normal).height)) {}

void TextLayout::addText(TextNode& node, FontStyle style, Color color) {
  const std::string& text = node.text();
  node.measureWords(canvas_, style);
  if (!text.empty() && text.front() == ' ') flush();
  buffer_.push_back(TextRun{&node, style, color});
  if (!text.empty() && text.back() == ' ') flush();
}

void TextLayout::addParagraphBreak() {
  buffer_.push_back(BreakRun{BreakKind::ParagraphBreak});
  flush();
}

void TextLayout::addLineBreak() {
  buffer_.push_back(BreakRun{BreakKind::LineBreak});
  flush();
}

int TextLayout::textHeight() const { return clampToInt(static_cast<long long>(y_) + lineHeight_); }

void TextLayout::requestStartPosition(AreaNode& node) {
  startRequests_.emplace_back(&node, buffer_.size());
}

void TextLayout::moveDown(int lines) {
  x_ = area_.left;
  y_ = clampToInt(static_cast<long long>(y_) + static_cast<long long>(lines) * lineHeight_);
}

void TextLayout::flush() {
  bool firstWordCounted = false;
  for (std::size_t i = 0; i < buffer_.size(); ++i) {
    if (const auto* action = std::get_if<BreakRun>(&buffer_[i])) {
      moveDown(action->action == BreakKind::ParagraphBreak ? 2 : 1);
      firstWordCounted = false;
      continue;
    }
    firstWordCounted = layoutRun(i, firstWordCounted);
  }
  buffer_.clear();
  // A node that has drawn nothing yet starts where the pen stopped, unless text that follows is drawn.
  startRequests_.erase(startRequests_.begin(),
                       startRequests_.begin() + static_cast<std::ptrdiff_t>(answeredRequests_));
  answeredRequests_ = 0;
  for (auto& [node, index] : startRequests_) {
    node->setStartPosition({x_, y_});
    index = 0;
  }
}

// Adds to a run's last word the first words of the runs that continue it; returns whether any did.
bool TextLayout::addContinuation(std::size_t index, long long& width, bool& endsWithBlank,
                                   int& blankWidth) const {
  bool added = false;
  for (std::size_t next = index + 1; next < buffer_.size(); ++next) {
    const auto* run = std::get_if<TextRun>(&buffer_[next]);
    if (run == nullptr || run->node->wordCount() == 0) break;
    const WordInfo& first = run->node->wordInfo(0);
    width += first.width;
    endsWithBlank = first.endsWithBlank;
    blankWidth = run->node->blankWidth();
    added = true;
    if (first.endsWithBlank || run->node->wordCount() > 1) break;
  }
  return added;
}

bool TextLayout::continuesIntoNext(std::size_t index) const {
  if (index + 1 >= buffer_.size()) return false;
  const auto* run = std::get_if<TextRun>(&buffer_[index + 1]);
  return run != nullptr && run->node->wordCount() > 0;
}

// Returns whether the run's last word was judged together with the next run's first word.
bool TextLayout::layoutRun(std::size_t index, bool firstWordCounted) {
  const TextNode& node = *std::get<TextRun>(buffer_[index]).node;
  const std::string& text = node.text();
  long long lineWidth = 0;
  std::size_t lineStart = 0;
  bool continues = false;
  for (std::size_t w = 0; w < node.wordCount(); ++w) {
    const WordInfo& word = node.wordInfo(w);
    const bool loneBlank = word.length == 1 && text[word.start] == ' ';
    const bool atTextStart = x_ + lineWidth == area_.left && y_ == area_.top;
    const bool alreadyJudged = w == 0 && firstWordCounted;
    const bool tested = !loneBlank && !atTextStart && !alreadyJudged;
    long long width = word.width;
    bool endsWithBlank = word.endsWithBlank;
    int blankWidth = node.blankWidth();
    if (w + 1 == node.wordCount() && !word.endsWithBlank) {
      // Only the head of a chain of touching runs sums the chain: a long chain stays linear.
      continues =
          tested ? addContinuation(index, width, endsWithBlank, blankWidth) : continuesIntoNext(index);
    }
    // The wrap test places each word once, so layout ends whatever the width, even zero or negative.
    if (tested && x_ + lineWidth + width - (endsWithBlank ? blankWidth : 0) >= area_.right) {
      drawPiece(index, lineStart, word.start - lineStart, lineWidth, true);
      moveDown(1);
      lineWidth = 0;
      lineStart = word.start;
    }
    lineWidth += word.width;
  }
  drawPiece(index, lineStart, text.size() - lineStart, lineWidth, false);
  x_ = clampToInt(x_ + lineWidth);
  return continues;
}

void TextLayout::drawPiece(std::size_t index, std::size_t start, std::size_t length, long long width,
                             bool trimBlanks) {
  const TextRun& run = std::get<TextRun>(buffer_[index]);
  TextNode& node = *run.node;
  const std::string& text = node.text();
  if (trimBlanks) {
    while (length > 0 && text[start + length - 1] == ' ') {
      --length;
      width -= node.blankWidth();
    }
  }
  if (length == 0) return;
  const std::string_view piece = std::string_view(text).substr(start, length);
  canvas_.drawText(x_, y_, piece, run.style, run.color);
  const Rect rect{x_, y_, clampToInt(x_ + std::max(0LL, width)),
                  clampToInt(static_cast<long long>(y_) + lineHeight_)};
  node.addPiece({rect, start, length, run.style});
  // Requests come in buffer order, so those answered here are the next few in line.
  while (answeredRequests_ < startRequests_.size() && startRequests_[answeredRequests_].second <= index)
    startRequests_[answeredRequests_++].first->setStartPosition({x_, y_});
}

Color MarkupRenderer::colorOfLink(const LinkNode& link) const {
  switch (link.state()) {
    case LinkState::Clicked:
      return linkColorClicked_;
    case LinkState::Hot:
      return linkColorHot_;
    case LinkState::Normal:
      break;
  }
  return linkColor_;
}

// A full drawing shows every link in the link colour, whatever its state: a link pressed or lit before
// is shown in its state's colour only by renderNode.
void MarkupRenderer::renderTree(Canvas& canvas, const Rect& area, MarkupTree& tree) {
  TextLayout handler(area, canvas);
  RootNode& root = tree.root();
  handler.requestStartPosition(root);
  struct Inherited {
    FontStyle style;
    Color color;
  };
  walkWithState(root, Inherited{root.style(), root.color()}, [&](MarkupNode& node, Inherited& inherited) {
    switch (node.nodeType()) {
      case NodeType::TextNode: {
        auto& text = static_cast<TextNode&>(node);
        text.clearPieces();
        handler.addText(text, inherited.style, inherited.color);
        break;
      }
      case NodeType::BreakNode:
        if (static_cast<BreakNode&>(node).action() == BreakKind::ParagraphBreak)
          handler.addParagraphBreak();
        else
          handler.addLineBreak();
        break;
      case NodeType::StyleNode:
      case NodeType::LinkNode:
      case NodeType::DynamicNode:
      case NodeType::AreaNode: {
        auto& areaNode = static_cast<AreaNode&>(node);
        if (node.nodeType() == NodeType::StyleNode)
          inherited.style = inherited.style | static_cast<StyleNode&>(node).addedStyle();
        if (node.nodeType() == NodeType::LinkNode) {
          inherited.style = inherited.style | linkStyle_;
          inherited.color = linkColor_;
        }
        areaNode.setStyleAndColor(inherited.style, inherited.color);
        handler.requestStartPosition(areaNode);
        break;
      }
      default:  // plain parent nodes hand their state on unchanged; unknown tags draw nothing
        break;
    }
  });
  handler.flush();
  textHeight_ = handler.textHeight();
  root.collectLinkAreas();
}

void MarkupRenderer::renderNode(Canvas& canvas, const AreaNode& node) {
  const Color start = node.nodeType() == NodeType::LinkNode
                          ? colorOfLink(static_cast<const LinkNode&>(node))
                          : node.color();
  walkWithState(node, start, [&](MarkupNode& child, Color& color) {
    if (child.nodeType() == NodeType::LinkNode) {
      color = colorOfLink(static_cast<LinkNode&>(child));
    } else if (child.nodeType() == NodeType::TextNode) {
      const auto& text = static_cast<TextNode&>(child);
      for (const TextPiece& piece : text.pieces())
        canvas.drawText(piece.rect.left, piece.rect.top,
                        std::string_view(text.text()).substr(piece.start, piece.length), piece.style, color);
    }
  });
}

}  // namespace tovrik
