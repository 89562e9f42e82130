// The portable core of the markup label.
#include "markup/markup_label.h"

#include <utility>

namespace tovrik {

namespace {

// Measures through the real canvas and draws nothing: a layout pass without painting.
class MeasuringOnlyCanvas final : public Canvas {
 public:
  explicit MeasuringOnlyCanvas(Canvas& canvas) : canvas_(canvas) {}
  TextSize measure(std::string_view text, FontStyle style) override { return canvas_.measure(text, style); }
  void drawText(int, int, std::string_view, FontStyle, Color) override {}
  void fillRect(const Rect&, Color) override {}

 private:
  Canvas& canvas_;
};

}  // namespace

MarkupLabel::MarkupLabel()
    : parser_(std::make_unique<MarkupParser>()), renderer_(std::make_unique<MarkupRenderer>()) {
  parser_->setDynamicNodeHandler(this);
  tree_ = parser_->parse("");
  tree_->root().setStyleAndColor(fontStyle_, fontColor_);
}

MarkupLabel::~MarkupLabel() = default;

bool MarkupLabel::setCaption(const std::string& caption) {
  if (caption == caption_) return false;
  // Parsed before anything changes: a dynamic-tag handler that throws leaves the old text in place.
  std::unique_ptr<MarkupTree> tree = parser_->parse(caption);
  tree->root().setStyleAndColor(fontStyle_, fontColor_);
  caption_ = caption;
  tree_ = std::move(tree);
  hotLink_ = -1;
  clickedLink_ = -1;
  if (onCaptionChanged_) onCaptionChanged_();
  return true;
}

std::vector<std::string> MarkupLabel::text() const {
  if (caption_.empty()) return {};
  return {caption_};
}

bool MarkupLabel::setText(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) joined += line + "\r\n";
  return setCaption(removeLineEnds(joined));
}

void MarkupLabel::setHotLinks(bool on) {
  hotLinks_ = on;
  if (!on && hotLink_ >= 0) {
    std::vector<Rect> unused;
    setLinkState(hotLink_, LinkState::Normal, unused);
    hotLink_ = -1;
  }
}

void MarkupLabel::setFont(FontStyle style, Color color) {
  fontStyle_ = style;
  fontColor_ = color;
  tree_->root().setStyleAndColor(style, color);
  tree_->clearWordCaches();
}

Rect MarkupLabel::layoutArea() const {
  return {marginWidth_, marginHeight_, width_ - marginWidth_, height_};
}

bool MarkupLabel::appliesAutoHeight() const {
  return autoHeight_ && (align_ == Alignment::None || align_ == Alignment::Top || align_ == Alignment::Bottom);
}

void MarkupLabel::renderAndSize(Canvas& canvas) {
  renderer_->renderTree(canvas, layoutArea(), *tree_);
  if (appliesAutoHeight())
    height_ = clampToInt(static_cast<long long>(textHeight()) + marginHeight_);
}

void MarkupLabel::paint(Canvas& canvas) {
  if (!transparent_) canvas.fillRect({0, 0, width_, height_}, color_);
  renderAndSize(canvas);
}

void MarkupLabel::paintLinkStates(Canvas& canvas) {
  if (clickedLink_ >= 0) renderLink(canvas, clickedLink_);
  if (hotLink_ >= 0) renderLink(canvas, hotLink_);
}

void MarkupLabel::layout(Canvas& measuringCanvas) {
  MeasuringOnlyCanvas canvas(measuringCanvas);
  renderAndSize(canvas);
}

void MarkupLabel::setLinkState(int linkNumber, LinkState state, std::vector<Rect>& changed) {
  LinkNode* link = tree_->linkNode(linkNumber);
  if (link == nullptr || link->state() == state) return;
  link->setState(state);
  for (const Rect& rect : collectRects(*link)) changed.push_back(rect);
}

std::vector<Rect> MarkupLabel::mouseMove(Point point) {
  std::vector<Rect> changed;
  if (!hotLinks_ || clickedLink_ >= 0) return changed;
  const int target = linkAt(point);
  if (target == hotLink_) return changed;
  if (hotLink_ >= 0) setLinkState(hotLink_, LinkState::Normal, changed);
  if (target >= 0) setLinkState(target, LinkState::Hot, changed);
  hotLink_ = target;
  return changed;
}

std::vector<Rect> MarkupLabel::mouseDown(Point point) {
  std::vector<Rect> changed;
  const int target = linkAt(point);
  if (target < 0) return changed;
  if (hotLink_ >= 0 && hotLink_ != target) setLinkState(hotLink_, LinkState::Normal, changed);
  hotLink_ = -1;
  if (clickedLink_ >= 0 && clickedLink_ != target) setLinkState(clickedLink_, LinkState::Normal, changed);
  clickedLink_ = target;
  setLinkState(target, LinkState::Clicked, changed);
  return changed;
}

std::vector<Rect> MarkupLabel::mouseUp(Point point) {
  std::vector<Rect> changed;
  const int target = linkAt(point);
  const std::string text = target >= 0 ? linkText(target) : std::string();
  // The held link is released before the handler runs: the handler may throw or set a new caption.
  if (clickedLink_ >= 0) setLinkState(clickedLink_, LinkState::Normal, changed);
  clickedLink_ = -1;
  if (target >= 0 && onLinkClick_) onLinkClick_(target, text);
  return changed;
}

std::vector<Rect> MarkupLabel::mouseLeave() {
  std::vector<Rect> changed;
  if (hotLink_ >= 0) setLinkState(hotLink_, LinkState::Normal, changed);
  hotLink_ = -1;
  return changed;
}

std::vector<Rect> MarkupLabel::releaseActiveLink() {
  std::vector<Rect> changed;
  if (clickedLink_ >= 0) setLinkState(clickedLink_, LinkState::Normal, changed);
  clickedLink_ = -1;
  return changed;
}

int MarkupLabel::linkAt(Point point) const {
  const LinkNode* link = tree_->linkNodeAt(point);
  return link != nullptr ? link->number() : -1;
}

std::string MarkupLabel::linkText(int linkNumber) const {
  const LinkNode* link = tree_->linkNode(linkNumber);
  return link != nullptr ? collectText(*link) : std::string();
}

std::vector<Rect> MarkupLabel::linkRects(int linkNumber) const {
  const LinkNode* link = tree_->linkNode(linkNumber);
  return link != nullptr ? collectRects(*link) : std::vector<Rect>();
}

void MarkupLabel::renderLink(Canvas& canvas, int linkNumber) {
  const LinkNode* link = tree_->linkNode(linkNumber);
  if (link != nullptr) renderer_->renderNode(canvas, *link);
}

std::string MarkupLabel::dynamicNodeMarkup(const DynamicNode& node) {
  return onDynamicTagInit_ ? onDynamicTagInit_(node.number()) : std::string();
}

}  // namespace tovrik
