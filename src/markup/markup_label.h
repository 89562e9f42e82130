// The portable core of the markup label: its properties, layout, automatic height, links and mouse states.
// The Win32 control forwards paint, mouse and size events here and invalidates the areas it is handed back.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "markup/canvas.h"
#include "markup/markup_nodes.h"
#include "markup/markup_parser.h"
#include "markup/markup_renderer.h"

namespace tovrik {

enum class Alignment { None, Top, Bottom, Left, Right, Client };

class MarkupLabel : private DynamicMarkupSource {
 public:
  using LinkClickHandler = std::function<void(int linkNumber, const std::string& linkText)>;
  using ChangeHandler = std::function<void()>;
  // Returns the markup for the dynamic tag with this number; empty for none.
  using DynamicTagHandler = std::function<std::string(int dynamicNumber)>;

  MarkupLabel();
  ~MarkupLabel() override;

  const std::string& caption() const { return caption_; }
  // Parses the new text; false (and nothing happens) when it equals the current one.
  bool setCaption(const std::string& caption);
  std::vector<std::string> text() const;
  // Joins the lines without their line ends.
  bool setText(const std::vector<std::string>& lines);

  Color linkColor() const { return renderer_->linkColor(); }
  void setLinkColor(Color color) { renderer_->setLinkColor(color); }
  Color linkColorClicked() const { return renderer_->linkColorClicked(); }
  void setLinkColorClicked(Color color) { renderer_->setLinkColorClicked(color); }
  Color linkColorHot() const { return renderer_->linkColorHot(); }
  void setLinkColorHot(Color color) { renderer_->setLinkColorHot(color); }
  FontStyle linkStyle() const { return renderer_->linkStyle(); }
  void setLinkStyle(FontStyle style) { renderer_->setLinkStyle(style); }
  bool hotLinks() const { return hotLinks_; }
  // Switching hot links off puts a lit link back to normal.
  void setHotLinks(bool on);
  bool autoHeight() const { return autoHeight_; }
  void setAutoHeight(bool on) { autoHeight_ = on; }
  int marginWidth() const { return marginWidth_; }
  void setMarginWidth(int width) { marginWidth_ = width; }
  int marginHeight() const { return marginHeight_; }
  void setMarginHeight(int height) { marginHeight_ = height; }
  bool transparent() const { return transparent_; }
  void setTransparent(bool on) { transparent_ = on; }
  // The control's own colour, filled behind the text when not transparent.
  Color color() const { return color_; }
  void setColor(Color color) { color_ = color; }
  Alignment align() const { return align_; }
  void setAlign(Alignment align) { align_ = align; }

  int width() const { return width_; }
  int height() const { return height_; }
  void setSize(int width, int height) {
    width_ = width;
    height_ = height;
  }
  // The label font's own style and colour; the word widths measured in the old font are forgotten.
  void setFont(FontStyle style, Color color);

  void setOnLinkClick(LinkClickHandler handler) { onLinkClick_ = std::move(handler); }
  void setOnCaptionChanged(ChangeHandler handler) { onCaptionChanged_ = std::move(handler); }
  // Asked while the caption is parsed, so set it before the caption.
  void setOnDynamicTagInit(DynamicTagHandler handler) { onDynamicTagInit_ = std::move(handler); }

  // Fills the client area unless transparent, draws the text with every link in the link colour, then applies
  // the automatic height: after painting, height() may differ from the control's size, and the control
  // then resizes itself.
  void paint(Canvas& canvas);
  // Draws the pressed or lit link again in its state's colour: after paint(), when only the areas that
  // the mouse operations handed back are repainted.
  void paintLinkStates(Canvas& canvas);
  // The same layout without drawing: sizes the control (and places the links) before its first paint.
  void layout(Canvas& measuringCanvas);
  // From the last layout: the pen's final y plus one line height; automatic height adds the margin height to it.
  int textHeight() const { return renderer_->textHeight(); }
  bool appliesAutoHeight() const;

  // Each mouse operation returns the areas to repaint (those of the links whose state changed).
  std::vector<Rect> mouseMove(Point point);
  std::vector<Rect> mouseDown(Point point);
  // Calls the link click handler when released over a link.
  std::vector<Rect> mouseUp(Point point);
  std::vector<Rect> mouseLeave();
  // The button was let go where the control does not see it (it lost the mouse capture): the pressed
  // link returns to normal, and nothing is clicked.
  std::vector<Rect> releaseActiveLink();

  // Number of the link drawn under the point (the hand cursor shows there), or -1.
  int linkAt(Point point) const;
  std::string linkText(int linkNumber) const;
  std::vector<Rect> linkRects(int linkNumber) const;
  // Draws one link again at once in its state's colour (painting its invalidated areas does the same).
  void renderLink(Canvas& canvas, int linkNumber);
  int hotLink() const { return hotLink_; }
  int clickedLink() const { return clickedLink_; }

  const MarkupTree& tree() const { return *tree_; }

 private:
  std::string dynamicNodeMarkup(const DynamicNode& node) override;
  Rect layoutArea() const;
  void renderAndSize(Canvas& canvas);
  void setLinkState(int linkNumber, LinkState state, std::vector<Rect>& changed);

  std::unique_ptr<MarkupParser> parser_;
  std::unique_ptr<MarkupRenderer> renderer_;
  std::unique_ptr<MarkupTree> tree_;

  std::string caption_;
  bool hotLinks_ = false;
  bool autoHeight_ = true;
  int marginWidth_ = 0;
  int marginHeight_ = 0;
  bool transparent_ = false;
  // The control sets the face colour of the form it sits on.
  Color color_ = makeColor(240, 240, 240);
  Alignment align_ = Alignment::None;
  int width_ = 160;
  int height_ = 17;
  FontStyle fontStyle_ = FontStyle::Normal;
  Color fontColor_ = kBlack;

  int hotLink_ = -1;
  int clickedLink_ = -1;

  LinkClickHandler onLinkClick_;
  ChangeHandler onCaptionChanged_;
  DynamicTagHandler onDynamicTagInit_;
};

}  // namespace tovrik
