// Lays the node tree out into lines and draws it.
#include "markup/markup_renderer.h"

#include <algorithm>
#include <string_view>

namespace tovrik {

TTextHandler::TTextHandler(const Rect& area, ICanvas& canvas)
    : area_(area),
      canvas_(canvas),
      x_(area.left),
      y_(area.top),
      lineHeight_(std::max(0, canvas.measure("fg", FontStyle::Normal).height)) {}

void TTextHandler::addText(TStringNode& node, FontStyle style, Color color) {
  const std::string& text = node.text();
  node.measureWords(canvas_, style);
  if (!text.empty() && text.front() == ' ') flush();
  buffer_.push_back(TStringElement{&node, style, color});
  if (!text.empty() && text.back() == ' ') flush();
}

void TTextHandler::addParagraphBreak() {
  buffer_.push_back(TActionElement{TActionType::ParagraphBreak});
  flush();
}

void TTextHandler::addLineBreak() {
  buffer_.push_back(TActionElement{TActionType::LineBreak});
  flush();
}

int TTextHandler::textHeight() const { return clampToInt(static_cast<long long>(y_) + lineHeight_); }

void TTextHandler::requestStartPosition(TAreaNode& node) {
  startRequests_.emplace_back(&node, buffer_.size());
}

void TTextHandler::moveDown(int lines) {
  x_ = area_.left;
  y_ = clampToInt(static_cast<long long>(y_) + static_cast<long long>(lines) * lineHeight_);
}

void TTextHandler::flush() {
  bool firstWordCounted = false;
  for (std::size_t i = 0; i < buffer_.size(); ++i) {
    if (const auto* action = std::get_if<TActionElement>(&buffer_[i])) {
      moveDown(action->action == TActionType::ParagraphBreak ? 2 : 1);
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
bool TTextHandler::addContinuation(std::size_t index, long long& width, bool& endsWithBlank,
                                   int& blankWidth) const {
  bool added = false;
  for (std::size_t next = index + 1; next < buffer_.size(); ++next) {
    const auto* run = std::get_if<TStringElement>(&buffer_[next]);
    if (run == nullptr || run->node->wordCount() == 0) break;
    const TWordInfo& first = run->node->wordInfo(0);
    width += first.width;
    endsWithBlank = first.endsWithBlank;
    blankWidth = run->node->blankWidth();
    added = true;
    if (first.endsWithBlank || run->node->wordCount() > 1) break;
  }
  return added;
}

bool TTextHandler::continuesIntoNext(std::size_t index) const {
  if (index + 1 >= buffer_.size()) return false;
  const auto* run = std::get_if<TStringElement>(&buffer_[index + 1]);
  return run != nullptr && run->node->wordCount() > 0;
}

// Returns whether the run's last word was judged together with the next run's first word.
bool TTextHandler::layoutRun(std::size_t index, bool firstWordCounted) {
  const TStringNode& node = *std::get<TStringElement>(buffer_[index]).node;
  const std::string& text = node.text();
  long long lineWidth = 0;
  std::size_t lineStart = 0;
  bool continues = false;
  for (std::size_t w = 0; w < node.wordCount(); ++w) {
    const TWordInfo& word = node.wordInfo(w);
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

void TTextHandler::drawPiece(std::size_t index, std::size_t start, std::size_t length, long long width,
                             bool trimBlanks) {
  const TStringElement& run = std::get<TStringElement>(buffer_[index]);
  TStringNode& node = *run.node;
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

Color TDefaultRenderer::colorOfLink(const TLinkNode& link) const {
  switch (link.state()) {
    case TLinkState::Clicked:
      return linkColorClicked_;
    case TLinkState::Hot:
      return linkColorHot_;
    case TLinkState::Normal:
      break;
  }
  return linkColor_;
}

// A full drawing shows every link in the link colour, whatever its state: a link pressed or lit before
// is shown in its state's colour only by renderNode.
void TDefaultRenderer::renderTree(ICanvas& canvas, const Rect& area, TNodeTree& tree) {
  TTextHandler handler(area, canvas);
  TRootNode& root = tree.root();
  handler.requestStartPosition(root);
  struct Inherited {
    FontStyle style;
    Color color;
  };
  walkWithState(root, Inherited{root.style(), root.color()}, [&](TNode& node, Inherited& inherited) {
    switch (node.nodeType()) {
      case TNodeType::StringNode: {
        auto& text = static_cast<TStringNode&>(node);
        text.clearPieces();
        handler.addText(text, inherited.style, inherited.color);
        break;
      }
      case TNodeType::ActionNode:
        if (static_cast<TActionNode&>(node).action() == TActionType::ParagraphBreak)
          handler.addParagraphBreak();
        else
          handler.addLineBreak();
        break;
      case TNodeType::StyleNode:
      case TNodeType::LinkNode:
      case TNodeType::DynamicNode:
      case TNodeType::AreaNode: {
        auto& areaNode = static_cast<TAreaNode&>(node);
        if (node.nodeType() == TNodeType::StyleNode)
          inherited.style = inherited.style | static_cast<TStyleNode&>(node).addedStyle();
        if (node.nodeType() == TNodeType::LinkNode) {
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

void TDefaultRenderer::renderNode(ICanvas& canvas, const TAreaNode& node) {
  const Color start = node.nodeType() == TNodeType::LinkNode
                          ? colorOfLink(static_cast<const TLinkNode&>(node))
                          : node.color();
  walkWithState(node, start, [&](TNode& child, Color& color) {
    if (child.nodeType() == TNodeType::LinkNode) {
      color = colorOfLink(static_cast<TLinkNode&>(child));
    } else if (child.nodeType() == TNodeType::StringNode) {
      const auto& text = static_cast<TStringNode&>(child);
      for (const TTextPiece& piece : text.pieces())
        canvas.drawText(piece.rect.left, piece.rect.top,
                        std::string_view(text.text()).substr(piece.start, piece.length), piece.style, color);
    }
  });
}

}  // namespace tovrik
