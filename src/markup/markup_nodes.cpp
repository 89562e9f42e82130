// The node tree of the markup label.
#include "markup/markup_nodes.h"

#include <algorithm>
#include <utility>

namespace tovrik {

bool MarkupNode::isParentNode() const {
  switch (nodeType()) {
    case NodeType::ParentNode:
    case NodeType::AreaNode:
    case NodeType::StyleNode:
    case NodeType::LinkNode:
    case NodeType::DynamicNode:
    case NodeType::RootNode:
      return true;
    default:
      return false;
  }
}

ParentNode::~ParentNode() {
  std::vector<std::unique_ptr<MarkupNode>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<MarkupNode> node = std::move(pending.back());
    pending.pop_back();
    if (node->isParentNode()) {
      auto& grandChildren = static_cast<ParentNode&>(*node).children_;
      for (auto& grandChild : grandChildren) pending.push_back(std::move(grandChild));
      grandChildren.clear();
    }
  }
}

MarkupNode& ParentNode::addChild(std::unique_ptr<MarkupNode> child) {
  child->parent_ = this;
  children_.push_back(std::move(child));
  return *children_.back();
}

void ParentNode::takeChildrenFrom(ParentNode& source) {
  for (auto& child : source.children_) {
    child->parent_ = this;
    children_.push_back(std::move(child));
  }
  source.children_.clear();
}

MarkupNode& ParentNode::child(std::size_t index) const {
  if (index >= children_.size()) throw NodeError("No more nodes to return");
  return *children_[index];
}

void RootNode::collectLinkAreas() {
  linkAreas_.clear();
  // The state handed down is the innermost enclosing link.
  walkWithState(*this, static_cast<LinkNode*>(nullptr), [this](MarkupNode& node, LinkNode*& link) {
    if (node.nodeType() == NodeType::LinkNode) {
      link = static_cast<LinkNode*>(&node);
    } else if (node.nodeType() == NodeType::TextNode && link != nullptr) {
      for (const TextPiece& piece : static_cast<TextNode&>(node).pieces()) linkAreas_.push_back({piece.rect, link});
    }
  });
}

void TextNode::measureWords(Canvas& canvas, FontStyle style) {
  if (wordsMeasured_ && measuredStyle_ == style) return;
  words_.clear();
  WordEnumerator enumerator(text_);
  while (enumerator.hasNext()) {
    auto [start, length] = enumerator.next();
    WordInfo word;
    word.start = start;
    word.length = length;
    // A canvas that reports a negative width must not move the pen backwards.
    word.width = std::max(0, canvas.measure(std::string_view(text_).substr(start, length), style).width);
    word.endsWithBlank = text_[start + length - 1] == ' ';
    words_.push_back(word);
  }
  blankWidth_ = std::max(0, canvas.measure(" ", style).width);
  measuredStyle_ = style;
  wordsMeasured_ = true;
}

const WordInfo& TextNode::wordInfo(std::size_t index) const {
  if (index >= words_.size()) throw NodeError("TStringNode.GetWordInfo: Index out of bounds");
  return words_[index];
}

std::pair<std::size_t, std::size_t> WordEnumerator::next() {
  if (!hasNext()) throw NodeError("TWordEnumerator.GetNext: No more words to return");
  const std::size_t start = position_;
  const std::size_t blank = text_.find(' ', start);
  position_ = blank == std::string_view::npos ? text_.size() : blank + 1;
  return {start, position_ - start};
}

NodeEnumerator::NodeEnumerator(const ParentNode& start) {
  stack_.push_back({&start, 0});
  skipFinishedLevels();
}

void NodeEnumerator::skipFinishedLevels() {
  while (!stack_.empty() && stack_.back().index >= stack_.back().node->childCount()) stack_.pop_back();
}

MarkupNode& NodeEnumerator::next() {
  if (stack_.empty()) throw NodeError("No more nodes to return");
  Level& level = stack_.back();
  MarkupNode& node = level.node->child(level.index++);
  if (node.isParentNode()) stack_.push_back({static_cast<const ParentNode*>(&node), 0});
  skipFinishedLevels();
  return node;
}

std::vector<LinkNode*> MarkupTree::linkNodes() const {
  std::vector<LinkNode*> links;
  for (NodeEnumerator nodes(*root_); nodes.hasNext();) {
    MarkupNode& node = nodes.next();
    if (node.nodeType() == NodeType::LinkNode) links.push_back(static_cast<LinkNode*>(&node));
  }
  return links;
}

LinkNode* MarkupTree::linkNode(int number) const {
  for (NodeEnumerator nodes(*root_); nodes.hasNext();) {
    MarkupNode& node = nodes.next();
    if (node.nodeType() == NodeType::LinkNode && static_cast<LinkNode&>(node).number() == number)
      return static_cast<LinkNode*>(&node);
  }
  return nullptr;
}

LinkNode* MarkupTree::linkNodeAt(Point point) const {
  for (const LinkArea& area : root_->linkAreas())
    if (area.rect.contains(point)) return area.link;
  return nullptr;
}

void MarkupTree::clearWordCaches() {
  for (NodeEnumerator nodes(*root_); nodes.hasNext();) {
    MarkupNode& node = nodes.next();
    if (node.nodeType() == NodeType::TextNode) static_cast<TextNode&>(node).clearWordCache();
  }
}

std::string collectText(const ParentNode& node) {
  std::string text;
  for (NodeEnumerator nodes(node); nodes.hasNext();) {
    MarkupNode& child = nodes.next();
    if (child.nodeType() == NodeType::TextNode) text += static_cast<TextNode&>(child).text();
  }
  return text;
}

std::vector<Rect> collectRects(const ParentNode& node) {
  std::vector<Rect> rects;
  for (NodeEnumerator nodes(node); nodes.hasNext();) {
    MarkupNode& child = nodes.next();
    if (child.nodeType() != NodeType::TextNode) continue;
    for (const TextPiece& piece : static_cast<TextNode&>(child).pieces()) rects.push_back(piece.rect);
  }
  return rects;
}

}  // namespace tovrik
