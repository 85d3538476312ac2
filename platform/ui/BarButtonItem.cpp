#include "platform/ui/BarButtonItem.h"

namespace ui {

namespace {

const char* systemTitle(BarButtonSystemItem item) {
    switch (item) {
        case BarButtonSystemItem::done:
            return "Done";
        case BarButtonSystemItem::cancel:
            return "Cancel";
        case BarButtonSystemItem::edit:
            return "Edit";
        case BarButtonSystemItem::save:
            return "Save";
        case BarButtonSystemItem::add:
            return "+";
        case BarButtonSystemItem::compose:
            return "Compose";
        case BarButtonSystemItem::reply:
            return "Reply";
        case BarButtonSystemItem::action:
            return "Action";
        case BarButtonSystemItem::organize:
            return "Organize";
        case BarButtonSystemItem::bookmarks:
            return "Bookmarks";
        case BarButtonSystemItem::search:
            return "Search";
        case BarButtonSystemItem::refresh:
            return "Refresh";
        case BarButtonSystemItem::stop:
            return "Stop";
        case BarButtonSystemItem::camera:
            return "Camera";
        case BarButtonSystemItem::trash:
            return "Trash";
        case BarButtonSystemItem::play:
            return "Play";
        case BarButtonSystemItem::pause:
            return "Pause";
        case BarButtonSystemItem::rewind:
            return "Rewind";
        case BarButtonSystemItem::fastForward:
            return "Fast Forward";
        case BarButtonSystemItem::undo:
            return "Undo";
        case BarButtonSystemItem::redo:
            return "Redo";
        default:
            return "";
    }
}

}  // namespace

BarButtonItem::Ptr BarButtonItem::withSystemItem(BarButtonSystemItem item, Action action) {
    auto b = std::make_shared<BarButtonItem>();
    b->systemItem_ = item;
    b->style_ =
        item == BarButtonSystemItem::done ? BarButtonItemStyle::done : BarButtonItemStyle::bordered;
    b->action_ = std::move(action);
    return b;
}

BarButtonItem::Ptr BarButtonItem::withTitle(std::string title, BarButtonItemStyle style,
                                            Action action) {
    auto b = std::make_shared<BarButtonItem>();
    b->title_ = std::move(title);
    b->style_ = style;
    b->action_ = std::move(action);
    return b;
}

BarButtonItem::Ptr BarButtonItem::withImage(graphics::Image::Ptr image, BarButtonItemStyle style,
                                            Action action) {
    auto b = std::make_shared<BarButtonItem>();
    b->image_ = std::move(image);
    b->style_ = style;
    b->action_ = std::move(action);
    return b;
}

BarButtonItem::Ptr BarButtonItem::withCustomView(View::Ptr view) {
    auto b = std::make_shared<BarButtonItem>();
    b->customView_ = std::move(view);
    return b;
}

BarButtonItem::Ptr BarButtonItem::fixedSpace(double width) {
    auto b = withSystemItem(BarButtonSystemItem::fixedSpace);
    b->width_ = width;
    return b;
}

std::string BarButtonItem::displayTitle() const {
    if (!title_.empty()) {
        return title_;
    }
    if (!accessibilityLabel_.empty()) {
        return accessibilityLabel_;
    }
    if (systemItem_ != BarButtonSystemItem::none) {
        return systemTitle(systemItem_);
    }
    if (customView_) {
        auto text = customView_->outlineText();
        return text.empty() ? customView_->className() : text;
    }
    return image_ ? "image" : "";
}

const View::Ptr& BarButtonItem::view() {
    if (customView_) {
        return customView_;
    }
    if (!view_) {
        view_ = std::make_shared<View>();
    }
    return view_;
}

bool BarButtonItem::tap() {
    if (!enabled_ || !action_) {
        return false;
    }
    auto action = action_;
    action(*this);
    return true;
}

std::string BarButtonItem::outlineText() const {
    return "[" + displayTitle() + (enabled_ ? "" : " (disabled)") + "]";
}

}  // namespace ui
