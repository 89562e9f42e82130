// The node tree of the markup label.
#include "markup/markup_nodes.h"

#include <algorithm>
#include <utility>

namespace tovrik {

bool TNode::isParentNode() const {
  switch (nodeType()) {
    case TNodeType::ParentNode:
    case TNodeType::AreaNode:
    case TNodeType::StyleNode:
    case TNodeType::LinkNode:
    case TNodeType::DynamicNode:
    case TNodeType::RootNode:
      return true;
    default:
      return false;
  }
}

TParentNode::~TParentNode() {
  std::vector<std::unique_ptr<TNode>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<TNode> node = std::move(pending.back());
    pending.pop_back();
    if (node->isParentNode()) {
      auto& grandChildren = static_cast<TParentNode&>(*node).children_;
      for (auto& grandChild : grandChildren) pending.push_back(std::move(grandChild));
      grandChildren.clear();
    }
  }
}

TNode& TParentNode::addChild(std::unique_ptr<TNode> child) {
  child->parent_ = this;
  children_.push_back(std::move(child));
  return *children_.back();
}

void TParentNode::takeChildrenFrom(TParentNode& source) {
  for (auto& child : source.children_) {
    child->parent_ = this;
    children_.push_back(std::move(child));
  }
  source.children_.clear();
}

TNode& TParentNode::child(std::size_t index) const {
  if (index >= children_.size()) throw ENodeError("No more nodes to return");
  return *children_[index];
}

void TRootNode::collectLinkAreas() {
  linkAreas_.clear();
  // The state handed down is the innermost enclosing link.
  walkWithState(*this, static_cast<TLinkNode*>(nullptr), [this](TNode& node, TLinkNode*& link) {
    if (node.nodeType() == TNodeType::LinkNode) {
      link = static_cast<TLinkNode*>(&node);
    } else if (node.nodeType() == TNodeType::StringNode && link != nullptr) {
      for (const TTextPiece& piece : static_cast<TStringNode&>(node).pieces()) linkAreas_.push_back({piece.rect, link});
    }
  });
}

void TStringNode::measureWords(ICanvas& canvas, FontStyle style) {
  if (wordsMeasured_ && measuredStyle_ == style) return;
  words_.clear();
  TWordEnumerator enumerator(text_);
  while (enumerator.hasNext()) {
    auto [start, length] = enumerator.next();
    TWordInfo word;
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

const TWordInfo& TStringNode::wordInfo(std::size_t index) const {
  if (index >= words_.size()) throw ENodeError("TStringNode.GetWordInfo: Index out of bounds");
  return words_[index];
}

std::pair<std::size_t, std::size_t> TWordEnumerator::next() {
  if (!hasNext()) throw ENodeError("TWordEnumerator.GetNext: No more words to return");
  const std::size_t start = position_;
  const std::size_t blank = text_.find(' ', start);
  position_ = blank == std::string_view::npos ? text_.size() : blank + 1;
  return {start, position_ - start};
}

TNodeEnumerator::TNodeEnumerator(const TParentNode& start) {
  stack_.push_back({&start, 0});
  skipFinishedLevels();
}

void TNodeEnumerator::skipFinishedLevels() {
  while (!stack_.empty() && stack_.back().index >= stack_.back().node->childCount()) stack_.pop_back();
}

TNode& TNodeEnumerator::next() {
  if (stack_.empty()) throw ENodeError("No more nodes to return");
  Level& level = stack_.back();
  TNode& node = level.node->child(level.index++);
  if (node.isParentNode()) stack_.push_back({static_cast<const TParentNode*>(&node), 0});
  skipFinishedLevels();
  return node;
}

std::vector<TLinkNode*> TNodeTree::linkNodes() const {
  std::vector<TLinkNode*> links;
  for (TNodeEnumerator nodes(*root_); nodes.hasNext();) {
    TNode& node = nodes.next();
    if (node.nodeType() == TNodeType::LinkNode) links.push_back(static_cast<TLinkNode*>(&node));
  }
  return links;
}

TLinkNode* TNodeTree::linkNode(int number) const {
  for (TNodeEnumerator nodes(*root_); nodes.hasNext();) {
    TNode& node = nodes.next();
    if (node.nodeType() == TNodeType::LinkNode && static_cast<TLinkNode&>(node).number() == number)
      return static_cast<TLinkNode*>(&node);
  }
  return nullptr;
}

TLinkNode* TNodeTree::linkNodeAt(Point point) const {
  for (const TLinkArea& area : root_->linkAreas())
    if (area.rect.contains(point)) return area.link;
  return nullptr;
}

void TNodeTree::clearWordCaches() {
  for (TNodeEnumerator nodes(*root_); nodes.hasNext();) {
    TNode& node = nodes.next();
    if (node.nodeType() == TNodeType::StringNode) static_cast<TStringNode&>(node).clearWordCache();
  }
}

std::string collectText(const TParentNode& node) {
  std::string text;
  for (TNodeEnumerator nodes(node); nodes.hasNext();) {
    TNode& child = nodes.next();
    if (child.nodeType() == TNodeType::StringNode) text += static_cast<TStringNode&>(child).text();
  }
  return text;
}

std::vector<Rect> collectRects(const TParentNode& node) {
  std::vector<Rect> rects;
  for (TNodeEnumerator nodes(node); nodes.hasNext();) {
    TNode& child = nodes.next();
    if (child.nodeType() != TNodeType::StringNode) continue;
    for (const TTextPiece& piece : static_cast<TStringNode&>(child).pieces()) rects.push_back(piece.rect);
  }
  return rects;
}

}  // namespace tovrik
