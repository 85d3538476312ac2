#pragma once

// An item of a navigation bar or toolbar: a system item (Done, Cancel, flexible
// space, ...), a title or an image with a style, or a custom view, with an
// action that a tap runs while the item is enabled.

#include <functional>
#include <memory>
#include <string>

#include "platform/graphics/Image.h"
#include "platform/ui/View.h"

namespace ui {

enum class BarButtonSystemItem {
    none = -1,
    done = 0,
    cancel = 1,
    edit = 2,
    save = 3,
    add = 4,
    flexibleSpace = 5,
    fixedSpace = 6,
    compose = 7,
    reply = 8,
    action = 9,
    organize = 10,
    bookmarks = 11,
    search = 12,
    refresh = 13,
    stop = 14,
    camera = 15,
    trash = 16,
    play = 17,
    pause = 18,
    rewind = 19,
    fastForward = 20,
    undo = 21,
    redo = 22,
};

enum class BarButtonItemStyle { plain = 0, bordered = 1, done = 2 };

class BarButtonItem {
  public:
    using Ptr = std::shared_ptr<BarButtonItem>;
    using Action = std::function<void(BarButtonItem&)>;

    static Ptr withSystemItem(BarButtonSystemItem item, Action action = nullptr);
    static Ptr withTitle(std::string title, BarButtonItemStyle style = BarButtonItemStyle::plain,
                         Action action = nullptr);
    static Ptr withImage(graphics::Image::Ptr image,
                         BarButtonItemStyle style = BarButtonItemStyle::plain,
                         Action action = nullptr);
    static Ptr withCustomView(View::Ptr view);
    static Ptr fixedSpace(double width);
    static Ptr flexibleSpace() { return withSystemItem(BarButtonSystemItem::flexibleSpace); }

    BarButtonSystemItem systemItem() const { return systemItem_; }
    // The title shown: the item's own, else the system item's word.
    std::string displayTitle() const;
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    const graphics::Image::Ptr& image() const { return image_; }
    void setImage(graphics::Image::Ptr image) { image_ = std::move(image); }
    const graphics::Image::Ptr& landscapeImagePhone() const { return landscapeImage_; }
    void setLandscapeImagePhone(graphics::Image::Ptr image) { landscapeImage_ = std::move(image); }
    BarButtonItemStyle style() const { return style_; }
    void setStyle(BarButtonItemStyle style) { style_ = style; }
    const View::Ptr& customView() const { return customView_; }
    // The view that shows the item in its bar (the custom view when there is
    // one), made on first use: gestures on the item attach to it.
    const View::Ptr& view();
    void setCustomView(View::Ptr view) { customView_ = std::move(view); }
    double width() const { return width_; }
    void setWidth(double width) { width_ = width; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    const std::string& accessibilityLabel() const { return accessibilityLabel_; }
    void setAccessibilityLabel(std::string label) { accessibilityLabel_ = std::move(label); }
    bool isAccessibilityElement() const { return accessibilityElement_; }
    void setIsAccessibilityElement(bool element) { accessibilityElement_ = element; }
    std::optional<graphics::Color> tintColor() const { return tintColor_; }
    void setTintColor(std::optional<graphics::Color> color) { tintColor_ = color; }

    bool hasAction() const { return static_cast<bool>(action_); }
    void setAction(Action action) { action_ = std::move(action); }
    bool isSpace() const {
        return systemItem_ == BarButtonSystemItem::flexibleSpace ||
               systemItem_ == BarButtonSystemItem::fixedSpace;
    }
    // What a finger does: runs the action when the item is enabled. Answers
    // whether it ran.
    bool tap();

    // The item's line in outlines, e.g. "[Done]" or "[Share (disabled)]".
    std::string outlineText() const;

  private:
    BarButtonSystemItem systemItem_ = BarButtonSystemItem::none;
    std::string title_;
    graphics::Image::Ptr image_;
    graphics::Image::Ptr landscapeImage_;
    BarButtonItemStyle style_ = BarButtonItemStyle::plain;
    View::Ptr customView_;
    View::Ptr view_;
    double width_ = 0;
    bool enabled_ = true;
    int tag_ = 0;
    std::string accessibilityLabel_;
    bool accessibilityElement_ = true;
    std::optional<graphics::Color> tintColor_;
    Action action_;
};

}  // namespace ui
