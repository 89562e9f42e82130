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
class ENodeError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "ENodeError"; }
};

enum class TNodeType {
  Node,
  ParentNode,
  AreaNode,
  StyleNode,
  LinkNode,
  DynamicNode,
  RootNode,
  StringNode,
  ActionNode,
  UnknownNode
};

class TParentNode;

class TNode {
 public:
  TNode() = default;
  TNode(const TNode&) = delete;
  TNode& operator=(const TNode&) = delete;
  virtual ~TNode() = default;

  virtual TNodeType nodeType() const { return TNodeType::Node; }
  TParentNode* parent() const { return parent_; }
  // Style, link, dynamic and root nodes hold children.
  bool isParentNode() const;

 private:
  friend class TParentNode;
  TParentNode* parent_ = nullptr;
};

class TParentNode : public TNode {
 public:
  // Frees the subtree without recursion: a text of nested tags can be thousands of levels deep.
  ~TParentNode() override;

  TNodeType nodeType() const override { return TNodeType::ParentNode; }
  TNode& addChild(std::unique_ptr<TNode> child);
  // Moves every child of `source` to the end of this node's children.
  void takeChildrenFrom(TParentNode& source);
  std::size_t childCount() const { return children_.size(); }
  TNode& child(std::size_t index) const;

 private:
  std::vector<std::unique_ptr<TNode>> children_;
};

// A node that hands a style and color to its children and learns where its first text was drawn.
class TAreaNode : public TParentNode {
 public:
  TNodeType nodeType() const override { return TNodeType::AreaNode; }
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
  Color color_ = clBlack;
};

class TLinkNode;

// One rectangle of drawn link text, for hit-testing.
struct TLinkArea {
  Rect rect;
  TLinkNode* link = nullptr;
};

class TRootNode : public TAreaNode {
 public:
  TNodeType nodeType() const override { return TNodeType::RootNode; }
  const std::vector<TLinkArea>& linkAreas() const { return linkAreas_; }
  // Gathers the drawn rectangles of every string node, each with its innermost enclosing link.
  void collectLinkAreas();

 private:
  std::vector<TLinkArea> linkAreas_;
};

class TStyleNode : public TAreaNode {
 public:
  explicit TStyleNode(FontStyle addedStyle) : addedStyle_(addedStyle) {}
  TNodeType nodeType() const override { return TNodeType::StyleNode; }
  FontStyle addedStyle() const { return addedStyle_; }

 private:
  FontStyle addedStyle_;
};

enum class TLinkState { Normal, Clicked, Hot };

class TLinkNode : public TAreaNode {
 public:
  explicit TLinkNode(int number) : number_(number) {}
  TNodeType nodeType() const override { return TNodeType::LinkNode; }
  int number() const { return number_; }
  TLinkState state() const { return state_; }
  void setState(TLinkState state) { state_ = state; }

 private:
  int number_;
  TLinkState state_ = TLinkState::Normal;
};

class TDynamicNode : public TAreaNode {
 public:
  explicit TDynamicNode(int number) : number_(number) {}
  TNodeType nodeType() const override { return TNodeType::DynamicNode; }
  int number() const { return number_; }

 private:
  int number_;
};

// One word of a string node: up to and including the next blank.
struct TWordInfo {
  std::size_t start = 0;
  std::size_t length = 0;
  int width = 0;
  bool endsWithBlank = false;
};

// A piece of a string node drawn in one call: where, which characters, in which style.
struct TTextPiece {
  Rect rect;
  std::size_t start = 0;
  std::size_t length = 0;
  FontStyle style = FontStyle::Normal;
};

class TStringNode : public TNode {
 public:
  explicit TStringNode(std::string text) : text_(std::move(text)) {}
  TNodeType nodeType() const override { return TNodeType::StringNode; }
  const std::string& text() const { return text_; }

  // Measures the words once per font and style; later layouts reuse the widths.
  void measureWords(ICanvas& canvas, FontStyle style);
  void clearWordCache() { wordsMeasured_ = false; }
  std::size_t wordCount() const { return words_.size(); }
  const TWordInfo& wordInfo(std::size_t index) const;
  int blankWidth() const { return blankWidth_; }

  const std::vector<TTextPiece>& pieces() const { return pieces_; }
  void addPiece(const TTextPiece& piece) { pieces_.push_back(piece); }
  void clearPieces() { pieces_.clear(); }

 private:
  std::string text_;
  std::vector<TWordInfo> words_;
  int blankWidth_ = 0;
  bool wordsMeasured_ = false;
  FontStyle measuredStyle_ = FontStyle::Normal;
  std::vector<TTextPiece> pieces_;
};

enum class TActionType { LineBreak, ParagraphBreak };

class TActionNode : public TNode {
 public:
  explicit TActionNode(TActionType action) : action_(action) {}
  TNodeType nodeType() const override { return TNodeType::ActionNode; }
  TActionType action() const { return action_; }

 private:
  TActionType action_;
};

class TUnknownNode : public TNode {
 public:
  explicit TUnknownNode(std::string tag) : tag_(std::move(tag)) {}
  TNodeType nodeType() const override { return TNodeType::UnknownNode; }
  const std::string& tag() const { return tag_; }

 private:
  std::string tag_;
};

// Splits a text into words: each runs up to and including the next blank (tabs do not separate).
class TWordEnumerator {
 public:
  explicit TWordEnumerator(std::string_view text) : text_(text) {}
  bool hasNext() const { return position_ < text_.size(); }
  // Start offset and length of the next word.
  std::pair<std::size_t, std::size_t> next();

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

// Pre-order walk over the descendants of one node (the node itself excluded), without recursion.
class TNodeEnumerator {
 public:
  explicit TNodeEnumerator(const TParentNode& start);
  bool hasNext() const { return !stack_.empty(); }
  TNode& next();

 private:
  struct Level {
    const TParentNode* node;
    std::size_t index;
  };
  void skipFinishedLevels();
  std::vector<Level> stack_;
};

// Pre-order walk over the descendants of `start` without recursion. Each node is visited with a copy of the
// state its parent handed down; what `visit(TNode&, State&)` leaves in that copy goes to the node's children.
template <class State, class Visit>
void walkWithState(const TParentNode& start, State initial, Visit visit) {
  struct Level {
    const TParentNode* node;
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
    TNode& node = level.node->child(level.index++);
    State state = level.state;
    visit(node, state);
    if (node.isParentNode()) stack.push_back({static_cast<const TParentNode*>(&node), 0, std::move(state)});
  }
}

class TNodeTree {
 public:
  TNodeTree() : root_(std::make_unique<TRootNode>()) {}
  TRootNode& root() const { return *root_; }

  // Link nodes in document order, which is the order of their numbers.
  std::vector<TLinkNode*> linkNodes() const;
  TLinkNode* linkNode(int number) const;
  // The innermost link whose drawn text covers the point, from the last full drawing.
  TLinkNode* linkNodeAt(Point point) const;
  void clearWordCaches();

 private:
  std::unique_ptr<TRootNode> root_;
};

// The string nodes below an area node, concatenated in order (a link's text).
std::string collectText(const TParentNode& node);
// The drawn rectangles of every string node below an area node, in order.
std::vector<Rect> collectRects(const TParentNode& node);

}  // namespace tovrik
