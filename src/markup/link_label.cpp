// The portable core of the markup label.
#include "markup/link_label.h"

#include <utility>

namespace tovrik {

namespace {

// Measures through the real canvas and draws nothing: a layout pass without painting.
class MeasuringOnlyCanvas final : public ICanvas {
 public:
  explicit MeasuringOnlyCanvas(ICanvas& canvas) : canvas_(canvas) {}
  TextSize measure(std::string_view text, FontStyle style) override { return canvas_.measure(text, style); }
  void drawText(int, int, std::string_view, FontStyle, Color) override {}
  void fillRect(const Rect&, Color) override {}

 private:
  ICanvas& canvas_;
};

}  // namespace

TJvCustomLinkLabel::TJvCustomLinkLabel()
    : parser_(std::make_unique<TDefaultParser>()), renderer_(std::make_unique<TDefaultRenderer>()) {
  parser_->setDynamicNodeHandler(this);
  tree_ = parser_->parse("");
  tree_->root().setStyleAndColor(fontStyle_, fontColor_);
}

TJvCustomLinkLabel::~TJvCustomLinkLabel() = default;

bool TJvCustomLinkLabel::setCaption(const std::string& caption) {
  if (caption == caption_) return false;
  // Parsed before anything changes: a dynamic-tag handler that throws leaves the old text in place.
  std::unique_ptr<TNodeTree> tree = parser_->parse(caption);
  tree->root().setStyleAndColor(fontStyle_, fontColor_);
  caption_ = caption;
  tree_ = std::move(tree);
  hotLink_ = -1;
  clickedLink_ = -1;
  if (onCaptionChanged_) onCaptionChanged_();
  return true;
}

std::vector<std::string> TJvCustomLinkLabel::text() const {
  if (caption_.empty()) return {};
  return {caption_};
}

bool TJvCustomLinkLabel::setText(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) joined += line + "\r\n";
  return setCaption(removeLineEnds(joined));
}

void TJvCustomLinkLabel::setHotLinks(bool on) {
  hotLinks_ = on;
  if (!on && hotLink_ >= 0) {
    std::vector<Rect> unused;
    setLinkState(hotLink_, TLinkState::Normal, unused);
    hotLink_ = -1;
  }
}

void TJvCustomLinkLabel::setFont(FontStyle style, Color color) {
  fontStyle_ = style;
  fontColor_ = color;
  tree_->root().setStyleAndColor(style, color);
  tree_->clearWordCaches();
}

Rect TJvCustomLinkLabel::layoutArea() const {
  return {marginWidth_, marginHeight_, width_ - marginWidth_, height_};
}

bool TJvCustomLinkLabel::appliesAutoHeight() const {
  return autoHeight_ && (align_ == TAlign::None || align_ == TAlign::Top || align_ == TAlign::Bottom);
}

void TJvCustomLinkLabel::renderAndSize(ICanvas& canvas) {
  renderer_->renderTree(canvas, layoutArea(), *tree_);
  if (appliesAutoHeight())
    height_ = clampToInt(static_cast<long long>(textHeight()) + marginHeight_);
}

void TJvCustomLinkLabel::paint(ICanvas& canvas) {
  if (!transparent_) canvas.fillRect({0, 0, width_, height_}, color_);
  renderAndSize(canvas);
}

void TJvCustomLinkLabel::paintLinkStates(ICanvas& canvas) {
  if (clickedLink_ >= 0) renderLink(canvas, clickedLink_);
  if (hotLink_ >= 0) renderLink(canvas, hotLink_);
}

void TJvCustomLinkLabel::layout(ICanvas& measuringCanvas) {
  MeasuringOnlyCanvas canvas(measuringCanvas);
  renderAndSize(canvas);
}

void TJvCustomLinkLabel::setLinkState(int linkNumber, TLinkState state, std::vector<Rect>& changed) {
  TLinkNode* link = tree_->linkNode(linkNumber);
  if (link == nullptr || link->state() == state) return;
  link->setState(state);
  for (const Rect& rect : collectRects(*link)) changed.push_back(rect);
}

std::vector<Rect> TJvCustomLinkLabel::mouseMove(Point point) {
  std::vector<Rect> changed;
  if (!hotLinks_ || clickedLink_ >= 0) return changed;
  const int target = linkAt(point);
  if (target == hotLink_) return changed;
  if (hotLink_ >= 0) setLinkState(hotLink_, TLinkState::Normal, changed);
  if (target >= 0) setLinkState(target, TLinkState::Hot, changed);
  hotLink_ = target;
  return changed;
}

std::vector<Rect> TJvCustomLinkLabel::mouseDown(Point point) {
  std::vector<Rect> changed;
  const int target = linkAt(point);
  if (target < 0) return changed;
  if (hotLink_ >= 0 && hotLink_ != target) setLinkState(hotLink_, TLinkState::Normal, changed);
  hotLink_ = -1;
  if (clickedLink_ >= 0 && clickedLink_ != target) setLinkState(clickedLink_, TLinkState::Normal, changed);
  clickedLink_ = target;
  setLinkState(target, TLinkState::Clicked, changed);
  return changed;
}

std::vector<Rect> TJvCustomLinkLabel::mouseUp(Point point) {
  std::vector<Rect> changed;
  const int target = linkAt(point);
  const std::string text = target >= 0 ? linkText(target) : std::string();
  // The held link is released before the handler runs: the handler may throw or set a new caption.
  if (clickedLink_ >= 0) setLinkState(clickedLink_, TLinkState::Normal, changed);
  clickedLink_ = -1;
  if (target >= 0 && onLinkClick_) onLinkClick_(target, text);
  return changed;
}

std::vector<Rect> TJvCustomLinkLabel::mouseLeave() {
  std::vector<Rect> changed;
  if (hotLink_ >= 0) setLinkState(hotLink_, TLinkState::Normal, changed);
  hotLink_ = -1;
  return changed;
}

std::vector<Rect> TJvCustomLinkLabel::releaseActiveLink() {
  std::vector<Rect> changed;
  if (clickedLink_ >= 0) setLinkState(clickedLink_, TLinkState::Normal, changed);
  clickedLink_ = -1;
  return changed;
}

int TJvCustomLinkLabel::linkAt(Point point) const {
  const TLinkNode* link = tree_->linkNodeAt(point);
  return link != nullptr ? link->number() : -1;
}

std::string TJvCustomLinkLabel::linkText(int linkNumber) const {
  const TLinkNode* link = tree_->linkNode(linkNumber);
  return link != nullptr ? collectText(*link) : std::string();
}

std::vector<Rect> TJvCustomLinkLabel::linkRects(int linkNumber) const {
  const TLinkNode* link = tree_->linkNode(linkNumber);
  return link != nullptr ? collectRects(*link) : std::vector<Rect>();
}

void TJvCustomLinkLabel::renderLink(ICanvas& canvas, int linkNumber) {
  const TLinkNode* link = tree_->linkNode(linkNumber);
  if (link != nullptr) renderer_->renderNode(canvas, *link);
}

std::string TJvCustomLinkLabel::dynamicNodeMarkup(const TDynamicNode& node) {
  return onDynamicTagInit_ ? onDynamicTagInit_(node.number()) : std::string();
}

}  // namespace tovrik
