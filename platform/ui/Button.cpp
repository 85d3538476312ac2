#include "platform/ui/Button.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

template <typename Map>
auto lookup(const Map& map, unsigned state) -> std::optional<typename Map::mapped_type> {
    if (auto it = map.find(state); it != map.end()) {
        return it->second;
    }
    if (auto it = map.find(ControlState::normal); it != map.end()) {
        return it->second;
    }
    return std::nullopt;
}

}  // namespace

Button::Ptr Button::buttonWithType(ButtonType type) {
    graphics::Rect frame;
    if (type == ButtonType::infoLight || type == ButtonType::infoDark ||
        type == ButtonType::detailDisclosure || type == ButtonType::contactAdd) {
        frame = graphics::Rect(0, 0, 22, 22);
    }
    return std::make_shared<Button>(frame, type);
}

Button::Button(const graphics::Rect& frame, ButtonType type) : Control(frame), type_(type) {
    setOpaque(false);
}

void Button::setTitle(std::optional<std::string> title, unsigned state) {
    if (title) {
        titles_[state] = std::move(*title);
    } else {
        titles_.erase(state);
    }
    refresh();
}

std::optional<std::string> Button::titleForState(unsigned state) const {
    return lookup(titles_, state);
}

void Button::setTitleColor(const graphics::Color& color, unsigned state) {
    titleColors_[state] = color;
    refresh();
}

std::optional<graphics::Color> Button::titleColorForState(unsigned state) const {
    return lookup(titleColors_, state);
}

void Button::setImage(graphics::Image::Ptr image, unsigned state) {
    images_[state] = std::move(image);
    refresh();
}

graphics::Image::Ptr Button::imageForState(unsigned state) const {
    return lookup(images_, state).value_or(nullptr);
}

void Button::setBackgroundImage(graphics::Image::Ptr image, unsigned state) {
    backgroundImages_[state] = std::move(image);
    setNeedsDisplay();
}

graphics::Image::Ptr Button::backgroundImageForState(unsigned state) const {
    return lookup(backgroundImages_, state).value_or(nullptr);
}

const Label::Ptr& Button::titleLabel() {
    if (!titleLabel_) {
        titleLabel_ = std::make_shared<Label>();
        titleLabel_->setFont(Font::systemFontOfSize(Font::buttonFontSize()));
        titleLabel_->setTextAlignment(TextAlignment::center);
        addSubview(titleLabel_);
        refresh();
    }
    return titleLabel_;
}

const ImageView::Ptr& Button::imageView() {
    if (!imageView_) {
        imageView_ = std::make_shared<ImageView>();
        addSubview(imageView_);
        refresh();
    }
    return imageView_;
}

void Button::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    refresh();
}

void Button::setSelected(bool selected) {
    Control::setSelected(selected);
    refresh();
}

void Button::setHighlighted(bool highlighted) {
    Control::setHighlighted(highlighted);
    refresh();
}

void Button::refresh() {
    if (titleLabel_) {
        titleLabel_->setText(currentTitle());
        titleLabel_->setTextColor(titleColorForState(state()).value_or(
            type_ == ButtonType::custom ? graphics::Color::whiteColor() : tintColor()));
    }
    if (imageView_) {
        imageView_->setImage(currentImage());
    }
    setNeedsLayout();
}

graphics::Rect Button::contentRectForBounds(const graphics::Rect& bounds) const {
    return graphics::insetRect(bounds, contentInsets_);
}

graphics::Rect Button::imageRectForContentRect(const graphics::Rect& content) const {
    auto image = currentImage();
    auto size = image ? image->size() : graphics::Size{};
    double width = std::min(size.width, content.size.width);
    // The image and the title go side by side, placed together.
    auto font = titleLabel_ ? titleLabel_->font() : Font::systemFontOfSize(Font::buttonFontSize());
    double group = std::min(content.size.width, width + font.widthOf(currentTitle()));
    double x = content.origin.x;
    if (contentHorizontalAlignment() == ContentHorizontalAlignment::right) {
        x = content.maxX() - group;
    } else if (contentHorizontalAlignment() != ContentHorizontalAlignment::left) {
        x = content.midX() - group / 2;
    }
    auto r = graphics::Rect(x, content.midY() - size.height / 2, width, size.height);
    return graphics::insetRect(r, imageInsets_);
}

graphics::Rect Button::titleRectForContentRect(const graphics::Rect& content) const {
    if (!currentImage()) {
        return graphics::insetRect(content, titleInsets_);
    }
    double x = imageRectForContentRect(content).maxX() + imageInsets_.right;
    auto r =
        graphics::Rect(x, content.origin.y, std::max(0.0, content.maxX() - x), content.size.height);
    return graphics::insetRect(r, titleInsets_);
}

void Button::layoutSubviews() {
    auto content = contentRectForBounds(bounds());
    if (imageView_) {
        imageView_->setFrame(imageRectForContentRect(content));
    }
    if (titleLabel_) {
        titleLabel_->setFrame(titleRectForContentRect(content));
    }
}

graphics::Size Button::sizeThatFits(graphics::Size) const {
    auto font = titleLabel_ ? titleLabel_->font() : Font::systemFontOfSize(Font::buttonFontSize());
    double width = font.widthOf(currentTitle());
    double height = currentTitle().empty() ? 0 : font.lineHeight();
    if (auto image = currentImage()) {
        width += image->size().width;
        height = std::max(height, image->size().height);
    }
    width += contentInsets_.left + contentInsets_.right;
    height += contentInsets_.top + contentInsets_.bottom;
    if (type_ != ButtonType::custom) {
        width = std::max(width, 30.0);
        height = std::max(height, 30.0);
    }
    return {std::ceil(width), std::ceil(height)};
}

std::string Button::outlineText() const {
    if (isHidden()) {
        return {};
    }
    std::string name = currentTitle();
    if (name.empty()) {
        name = accessibilityLabel();
    }
    if (name.empty()) {
        switch (type_) {
            case ButtonType::infoLight:
            case ButtonType::infoDark:
                name = "info";
                break;
            case ButtonType::detailDisclosure:
                name = "detail";
                break;
            case ButtonType::contactAdd:
                name = "add";
                break;
            default:
                name = currentImage() ? "image" : "";
        }
    }
    return "Button [" + name + "]" + (isEnabled() ? "" : " (disabled)") +
           (isSelected() ? " (selected)" : "");
}

}  // namespace ui
