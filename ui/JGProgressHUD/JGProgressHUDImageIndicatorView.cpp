#include "ui/JGProgressHUD/JGProgressHUDImageIndicatorView.h"

#include "platform/foundation/Bundle.h"
#include "platform/ui/ImageView.h"

std::shared_ptr<JGProgressHUDImageIndicatorView> JGProgressHUDImageIndicatorView::makeWithImage(
    graphics::Image::Ptr image) {
    auto view = std::make_shared<JGProgressHUDImageIndicatorView>(Token{});
    view->initWithImage(std::move(image));
    return view;
}

void JGProgressHUDImageIndicatorView::initWithImage(graphics::Image::Ptr image) {
    initWithContentView(std::make_shared<ui::ImageView>(std::move(image)));
}

graphics::Image::Ptr JGProgressHUDImageIndicatorView::resourceImage(const std::string& name) {
    const auto path =
        foundation::Bundle::main().pathForResource(name, "png", "JGProgressHUD Resources.bundle");
    return path ? graphics::Image::imageWithContentsOfFile(*path) : nullptr;
}
