#include "app/OverlayCoverView.h"

#include <cmath>

#include "app/AppDelegate.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace {

constexpr double kAngleStep = 0.031415926535897934;  // pi / 100

ui::Button::Ptr coverButton(const graphics::Rect& frame, const std::string& label) {
    auto button = std::make_shared<ui::Button>(frame, ui::ButtonType::custom);
    button->setAccessibilityLabel(label);
    button->setAutoresizingMask(ui::Autoresizing::flexibleTopMargin |
                                ui::Autoresizing::flexibleLeftMargin |
                                ui::Autoresizing::flexibleRightMargin);
    return button;
}

graphics::Image::Ptr templateImage(const graphics::Image::Ptr& image) {
    return image ? image->imageWithRenderingMode(graphics::RenderingMode::alwaysTemplate) : nullptr;
}

graphics::Image::Ptr templateImageNamed(const std::string& name) {
    return templateImage(graphics::Image::imageNamed(name));
}

}  // namespace

OverlayCoverView::Ptr OverlayCoverView::loadFromNib() {
    const graphics::Rect bounds = ui::Screen::mainScreen().bounds();
    const double width = bounds.size.width;
    const double height = bounds.size.height;
    auto cover = std::make_shared<OverlayCoverView>(bounds);

    // Where the demonstration mask goes: the whole cover, behind everything.
    auto maskPlace = std::make_shared<ui::View>(graphics::Rect(0, 0, width, height));
    maskPlace->setTag(kMaskPlaceTag);
    maskPlace->setUserInteractionEnabled(false);
    maskPlace->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                   ui::Autoresizing::flexibleHeight);
    cover->addSubview(maskPlace);

    auto mask = std::make_shared<ui::ImageView>(graphics::Rect(0, 0, width, height));
    mask->setImage(graphics::Image::imageNamed("scan_mask_demo"));
    mask->setContentMode(ui::ContentMode::scaleAspectFit);
    mask->setAutoresizingMask(ui::Autoresizing::flexibleWidth | ui::Autoresizing::flexibleHeight);
    cover->addSubview(mask);
    cover->setImageMask(mask);

    auto label = std::make_shared<ui::Label>(graphics::Rect(0, 40, width, 24));
    label->setText("Scanning");
    label->setTextAlignment(ui::TextAlignment::center);
    label->setBackgroundColor(graphics::Color::clearColor());
    label->setAutoresizingMask(ui::Autoresizing::flexibleWidth);
    cover->addSubview(label);
    cover->setLabelScanning(label);

    auto screenshot = std::make_shared<ui::ImageView>(graphics::Rect(width / 2 - 12, 74, 24, 24));
    screenshot->setImage(graphics::Image::imageNamed("scan_figure"));
    cover->addSubview(screenshot);
    cover->setImageSS(screenshot);

    auto figure = std::make_shared<ui::ImageView>(graphics::Rect(width - 44, 30, 24, 24));
    figure->setImage(graphics::Image::imageNamed("scan_figure"));
    figure->setTag(kFigureTag);
    figure->setAutoresizingMask(ui::Autoresizing::flexibleLeftMargin);
    cover->addSubview(figure);

    // The four buttons share the bottom edge, one per quarter of the width.
    const double side = 50;
    const double quarter = width / 4;
    const double top = height - 70;
    auto at = [&](int slot) {
        return graphics::Rect(slot * quarter + (quarter - side) / 2, top, side, side);
    };
    auto album = coverButton(at(0), "Album");
    auto history = coverButton(at(1), "History");
    auto light = coverButton(at(2), "Light");
    auto menu = coverButton(at(3), "Menu");
    for (const auto& button : {album, history, light, menu})
        cover->addSubview(button);
    cover->setBtnAlbum(album);
    cover->setBtnHistory(history);
    cover->setBtnLight(light);
    cover->setBtnMenu(menu);

    cover->awakeFromNib();
    return cover;
}

OverlayCoverView::OverlayCoverView(const graphics::Rect& frame) : ui::View(frame) {}

OverlayCoverView::~OverlayCoverView() {
    stop();
}

void OverlayCoverView::awakeFromNib() {
    timer_.reset();
    theta_ = 0;
    start();
    if (auto album = btnAlbum())
        album->setImage(templateImageNamed("album"));
    if (auto history = btnHistory())
        history->setImage(templateImageNamed("history"));
    if (auto menu = btnMenu())
        menu->setImage(templateImageNamed("return"));
    if (auto light = btnLight())
        light->setImage(templateImageNamed("flash_on"));
    auto mask = imageMask();
    auto screenshot = imageSS();
    auto label = labelScanning();
    if (mask)
        mask->setImage(templateImage(mask->image()));
    if (screenshot)
        screenshot->setImage(templateImage(screenshot->image()));
    if (label) {
        auto window = ui::Application::shared().keyWindow();
        label->setTextColor(window ? window->tintColor() : tintColor());
    }
    for (ui::View* view :
         {static_cast<ui::View*>(mask.get()), static_cast<ui::View*>(screenshot.get()),
          static_cast<ui::View*>(label.get())}) {
        if (view)
            view->setHidden(true);
    }
}

void OverlayCoverView::start() {
    auto delegate = AppDelegate::shared();
    if (delegate && delegate->in_screen_capture_mode() == 1)
        return;
    if (timer_)
        timer_->invalidate();
    std::weak_ptr<OverlayCoverView> weak =
        std::static_pointer_cast<OverlayCoverView>(shared_from_this());
    timer_ = foundation::Timer::scheduled(kStepInterval, true, [weak](foundation::Timer&) {
        if (auto cover = weak.lock())
            cover->move();
    });
    move();
}

void OverlayCoverView::stop() {
    if (timer_)
        timer_->invalidate();
    timer_.reset();
}

void OverlayCoverView::move() {
    const double angle = theta_ * kAngleStep;
    theta_ = (theta_ + 1) % kStepsPerTurn;
    const float scale = std::fabs(std::cos(static_cast<float>(angle))) + 0.5f;
    auto figure = viewWithTag(kFigureTag);
    if (figure)
        figure->setTransform(graphics::AffineTransform::makeRotation(angle).scale(scale, scale));
}
