#pragma once

// An indicator that shows a picture.

#include <memory>

#include "platform/graphics/Image.h"
#include "ui/JGProgressHUD/JGProgressHUDIndicatorView.h"

class JGProgressHUDImageIndicatorView : public JGProgressHUDIndicatorView {
  public:
    using JGProgressHUDIndicatorView::JGProgressHUDIndicatorView;

    // initWithImage: : an image view of the image's size is the content view;
    // without an image the indicator has no size.
    static std::shared_ptr<JGProgressHUDImageIndicatorView> makeWithImage(
        graphics::Image::Ptr image);

    std::string className() const override { return "JGProgressHUDImageIndicatorView"; }

  protected:
    void initWithImage(graphics::Image::Ptr image);
    // An image of the HUD's resource bundle ("JGProgressHUD Resources.bundle").
    static graphics::Image::Ptr resourceImage(const std::string& name);
};
