#pragma once

// A button: a title, image and background image per control state (falling
// back to the normal state's), a title label and image view laid out inside the
// content insets, and actions on touch up inside.

#include <map>
#include <optional>

#include "platform/graphics/Image.h"
#include "platform/ui/Control.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"

namespace ui {

enum class ButtonType {
    custom = 0,
    system = 1,
    roundedRect = 1,
    detailDisclosure = 2,
    infoLight = 3,
    infoDark = 4,
    contactAdd = 5,
};

class Button : public Control {
  public:
    using Ptr = std::shared_ptr<Button>;

    static Ptr buttonWithType(ButtonType type);
    explicit Button(const graphics::Rect& frame = {}, ButtonType type = ButtonType::custom);

    ButtonType buttonType() const { return type_; }

    void setTitle(std::optional<std::string> title, unsigned state = ControlState::normal);
    // The title for `state`, else the normal one.
    std::optional<std::string> titleForState(unsigned state) const;
    std::string currentTitle() const { return titleForState(this->state()).value_or(""); }
    void setTitleColor(const graphics::Color& color, unsigned state = ControlState::normal);
    std::optional<graphics::Color> titleColorForState(unsigned state) const;
    void setImage(graphics::Image::Ptr image, unsigned state = ControlState::normal);
    graphics::Image::Ptr imageForState(unsigned state) const;
    graphics::Image::Ptr currentImage() const { return imageForState(state()); }
    void setBackgroundImage(graphics::Image::Ptr image, unsigned state = ControlState::normal);
    graphics::Image::Ptr backgroundImageForState(unsigned state) const;

    const Label::Ptr& titleLabel();
    const ImageView::Ptr& imageView();
    // The title label and image view once asked for; nullptr before.
    const Label::Ptr& loadedTitleLabel() const { return titleLabel_; }
    const ImageView::Ptr& loadedImageView() const { return imageView_; }

    // Where layout puts the content, the image and the title.
    graphics::Rect contentRectForBounds(const graphics::Rect& bounds) const;
    graphics::Rect imageRectForContentRect(const graphics::Rect& content) const;
    graphics::Rect titleRectForContentRect(const graphics::Rect& content) const;

    graphics::EdgeInsets contentEdgeInsets() const { return contentInsets_; }
    void setContentEdgeInsets(graphics::EdgeInsets insets) { contentInsets_ = insets; }
    graphics::EdgeInsets titleEdgeInsets() const { return titleInsets_; }
    void setTitleEdgeInsets(graphics::EdgeInsets insets) { titleInsets_ = insets; }
    graphics::EdgeInsets imageEdgeInsets() const { return imageInsets_; }
    void setImageEdgeInsets(graphics::EdgeInsets insets) { imageInsets_ = insets; }
    bool showsTouchWhenHighlighted() const { return showsTouch_; }
    void setShowsTouchWhenHighlighted(bool shows) { showsTouch_ = shows; }
    bool adjustsImageWhenHighlighted() const { return adjustsImage_; }
    void setAdjustsImageWhenHighlighted(bool adjusts) { adjustsImage_ = adjusts; }

    void setEnabled(bool enabled) override;
    void setSelected(bool selected) override;
    void setHighlighted(bool highlighted) override;

    void layoutSubviews() override;
    graphics::Size sizeThatFits(graphics::Size size) const override;
    graphics::Size intrinsicContentSize() const override { return sizeThatFits({0, 0}); }
    std::string outlineText() const override;
    bool outlinesSubviews() const override { return false; }

  private:
    void refresh();

    ButtonType type_;
    std::map<unsigned, std::string> titles_;
    std::map<unsigned, graphics::Color> titleColors_;
    std::map<unsigned, graphics::Image::Ptr> images_;
    std::map<unsigned, graphics::Image::Ptr> backgroundImages_;
    Label::Ptr titleLabel_;
    ImageView::Ptr imageView_;
    graphics::EdgeInsets contentInsets_;
    graphics::EdgeInsets titleInsets_;
    graphics::EdgeInsets imageInsets_;
    bool showsTouch_ = false;
    bool adjustsImage_ = true;
};

}  // namespace ui
