// The node tree of the markup label: what the parser builds, the renderer walks and the label hit-tests.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "command/error.h"
#include "markup/canvas.h"

namespace tovrik {

// A broken invariant of the node tree.
class NodeError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "ENodeError"; }
};

enum class NodeType {
  Node,
  ParentNode,
  AreaNode,
  StyleNode,
  LinkNode,
  DynamicNode,
  RootNode,
  TextNode,
  BreakNode,
  UnknownNode
};

class ParentNode;

class MarkupNode {
 public:
  MarkupNode() = default;
  MarkupNode(const MarkupNode&) = delete;
  MarkupNode& operator=(const MarkupNode&) = delete;
  virtual ~MarkupNode() = default;

  virtual NodeType nodeType() const { return NodeType::Node; }
  ParentNode* parent() const { return parent_; }
  // Style, link, dynamic and root nodes hold children.
  bool isParentNode() const;

 private:
  friend class ParentNode;
  ParentNode* parent_ = nullptr;
};

class ParentNode : public MarkupNode {
 public:
  // Frees the subtree without recursion: a text of nested tags can be thousands of levels deep.
  ~ParentNode() override;

  NodeType nodeType() const override { return NodeType::ParentNode; }
  MarkupNode& addChild(std::unique_ptr<MarkupNode> child);
  // Moves every child of `source` to the end of this node's children.
  void takeChildrenFrom(ParentNode& source);
  std::size_t childCount() const { return children_.size(); }
  MarkupNode& child(std::size_t index) const;

 private:
  std::vector<std::unique_ptr<MarkupNode>> children_;
};

// A node that hands a style and color to its children and learns where its first text was drawn.
class AreaNode : public ParentNode {
 public:
  NodeType nodeType() const override { return NodeType::AreaNode; }
  Point startPosition() const { return startPosition_; }
  void setStartPosition(Point position) { startPosition_ = position; }
  FontStyle style() const { return style_; }
  Color color() const { return color_; }
  void setStyleAndColor(FontStyle style, Color color) {
    style_ = style;
    color_ = color;
  }

 private:
  Point startPosition_;
  FontStyle style_ = FontStyle::Normal;
  Color color_ = kBlack;
};

class LinkNode;

// One rectangle of drawn link text, for hit-testing.
struct LinkArea {
  Rect rect;
  LinkNode* link = nullptr;
};

class RootNode : public AreaNode {
 public:
  NodeType nodeType() const override { return NodeType::RootNode; }
  const std::vector<LinkArea>& linkAreas() const { return linkAreas_; }
  // Gathers the drawn rectangles of every string node, each with its innermost enclosing link.
  void collectLinkAreas();

 private:
  std::vector<LinkArea> linkAreas_;
};

class StyleNode : public AreaNode {
 public:
  explicit StyleNode(FontStyle addedStyle) : addedStyle_(addedStyle) {}
  NodeType nodeType() const override { return NodeType::StyleNode; }
  FontStyle addedStyle() const { return addedStyle_; }

 private:
  FontStyle addedStyle_;
};

enum class LinkState { Normal, Clicked, Hot };

class LinkNode : public AreaNode {
 public:
  explicit LinkNode(int number) : number_(number) {}
  NodeType nodeType() const override { return NodeType::LinkNode; }
  int number() const { return number_; }
  LinkState state() const { return state_; }
  void setState(LinkState state) { state_ = state; }

 private:
  int number_;
  LinkState state_ = LinkState::Normal;
};

class DynamicNode : public AreaNode {
 public:
  explicit DynamicNode(int number) : number_(number) {}
  NodeType nodeType() const override { return NodeType::DynamicNode; }
  int number() const { return number_; }

 private:
  int number_;
};

// One word of a string node: up to and including the next blank.
struct WordInfo {
  std::size_t start = 0;
  std::size_t length = 0;
  int width = 0;
  bool endsWithBlank = false;
};

// A piece of a string node drawn in one call: where, which characters, in which style.
struct TextPiece {
  Rect rect;
  std::size_t start = 0;
  std::size_t length = 0;
  FontStyle style = FontStyle::Normal;
};

class TextNode : public MarkupNode {
 public:
  explicit TextNode(std::string text) : text_(std::move(text)) {}
  NodeType nodeType() const override { return NodeType::TextNode; }
  const std::string& text() const { return text_; }

  // Measures the words once per font and style; later layouts reuse the widths.
  void measureWords(Canvas& canvas, FontStyle style);
  void clearWordCache() { wordsMeasured_ = false; }
  std::size_t wordCount() const { return words_.size(); }
  const WordInfo& wordInfo(std::size_t index) const;
  int blankWidth() const { return blankWidth_; }

  const std::vector<TextPiece>& pieces() const { return pieces_; }
  void addPiece(const TextPiece& piece) { pieces_.push_back(piece); }
  void clearPieces() { pieces_.clear(); }

 private:
  std::string text_;
  std::vector<WordInfo> words_;
  int blankWidth_ = 0;
  bool wordsMeasured_ = false;
  FontStyle measuredStyle_ = FontStyle::Normal;
  std::vector<TextPiece> pieces_;
};

enum class BreakKind { LineBreak, ParagraphBreak };

class BreakNode : public MarkupNode {
 public:
  explicit BreakNode(BreakKind action) : action_(action) {}
  NodeType nodeType() const override { return NodeType::BreakNode; }
  BreakKind action() const { return action_; }

 private:
  BreakKind action_;
};

class UnknownNode : public MarkupNode {
 public:
  explicit UnknownNode(std::string tag) : tag_(std::move(tag)) {}
  NodeType nodeType() const override { return NodeType::UnknownNode; }
  const std::string& tag() const { return tag_; }

 private:
  std::string tag_;
};

// Splits a text into words: each runs up to and including the next blank (tabs do not separate).
class WordEnumerator {
 public:
  explicit WordEnumerator(std::string_view text) : text_(text) {}
  bool hasNext() const { return position_ < text_.size(); }
  // Start offset and length of the next word.
  std::pair<std::size_t, std::size_t> next();

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

// Pre-order walk over the descendants of one node (the node itself excluded), without recursion.
class NodeEnumerator {
 public:
  explicit NodeEnumerator(const ParentNode& start);
  bool hasNext() const { return !stack_.empty(); }
  MarkupNode& next();

 private:
  struct Level {
    const ParentNode* node;
    std::size_t index;
  };
  void skipFinishedLevels();
  std::vector<Level> stack_;
};

// Pre-order walk over the descendants of `start` without recursion. Each node is visited with a copy of the
// state its parent handed down; what `visit(MarkupNode&, State&)` leaves in that copy goes to the node's children.
template <class State, class Visit>
void walkWithState(const ParentNode& start, State initial, Visit visit) {
  struct Level {
    const ParentNode* node;
    std::size_t index;
    State state;
  };
  std::vector<Level> stack;
  stack.push_back({&start, 0, std::move(initial)});
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.index >= level.node->childCount()) {
      stack.pop_back();
      continue;
    }
    MarkupNode& node = level.node->child(level.index++);
    State state = level.state;
    visit(node, state);
    if (node.isParentNode()) stack.push_back({static_cast<const ParentNode*>(&node), 0, std::move(state)});
  }
}

class MarkupTree {
 public:
  MarkupTree() : root_(std::make_unique<RootNode>()) {}
  RootNode& root() const { return *root_; }

  // Link nodes in document order, which is the order of their numbers.
  std::vector<LinkNode*> linkNodes() const;
  LinkNode* linkNode(int number) const;
  // The innermost link whose drawn text covers the point, from the last full drawing.
  LinkNode* linkNodeAt(Point point) const;
  void clearWordCaches();

 private:
  std::unique_ptr<RootNode> root_;
};

// The string nodes below an area node, concatenated in order (a link's text).
std::string collectText(const ParentNode& node);
// The drawn rectangles of every string node below an area node, in order.
std::vector<Rect> collectRects(const ParentNode& node);

}  // namespace tovrik
