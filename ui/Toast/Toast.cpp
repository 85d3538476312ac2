#include "ui/Toast/Toast.h"

#include <algorithm>
#include <map>

#include "platform/foundation/StringUtilities.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Font.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextMeasurement.h"
#include "platform/ui/ViewAnimation.h"

namespace Toast {

namespace {

constexpr int kAutoresizingMask =
    ui::Autoresizing::flexibleLeftMargin | ui::Autoresizing::flexibleRightMargin |
    ui::Autoresizing::flexibleTopMargin | ui::Autoresizing::flexibleBottomMargin;

// The activity box of each view, held until its fade-out ends.
std::map<std::weak_ptr<ui::View>, ui::View::Ptr, std::owner_less<std::weak_ptr<ui::View>>>&
activityViews() {
    static auto* boxes = new std::map<std::weak_ptr<ui::View>, ui::View::Ptr,
                                      std::owner_less<std::weak_ptr<ui::View>>>();
    std::erase_if(*boxes, [](const auto& entry) { return entry.first.expired(); });
    return *boxes;
}

std::weak_ptr<ui::View> keyFor(const ui::View& view) {
    return std::static_pointer_cast<ui::View>(const_cast<ui::View&>(view).weak_from_this().lock());
}

void applyAppearance(ui::View& box) {
    box.setBackgroundColor(graphics::Color::white(0, 0.8));
    box.layer().setCornerRadius(10);
    box.setAutoresizingMask(kAutoresizingMask);
}

std::shared_ptr<ui::Label> makeLabel(const std::string& text, const ui::Font& font,
                                     graphics::Size constraint) {
    auto label = std::make_shared<ui::Label>();
    label->setNumberOfLines(0);
    label->setFont(font);
    label->setLineBreakMode(ui::LineBreakMode::wordWrap);
    label->setTextColor(graphics::Color::whiteColor());
    label->setBackgroundColor(graphics::Color::clearColor());
    label->setAlpha(1);
    label->setText(text);
    const auto size =
        ui::TextMeasurement::boundingSize(text, font, constraint, ui::LineBreakMode::wordWrap);
    label->setFrame(graphics::Rect(0, 0, size.width, size.height));
    return label;
}

}  // namespace

ui::View::Ptr viewForMessage(const ui::View& view, const std::optional<std::string>& message,
                             const std::optional<std::string>& title,
                             const graphics::Image::Ptr& image) {
    if (!message && !title && !image) {
        return nullptr;
    }
    const auto bounds = view.bounds().size;
    auto box = std::make_shared<ui::View>();
    applyAppearance(*box);

    std::shared_ptr<ui::ImageView> imageView;
    double imageLeft = 0, imageWidth = 0, imageHeight = 0;
    if (image) {
        imageView = std::make_shared<ui::ImageView>(image);
        imageView->setContentMode(ui::ContentMode::scaleAspectFit);
        imageView->setFrame(graphics::Rect(kPadding, kPadding, kImageSize, kImageSize));
        imageLeft = kPadding;
        imageWidth = imageView->bounds().size.width;
        imageHeight = kImageSize;
    }
    const graphics::Size constraint(bounds.width * 0.8 - imageWidth, bounds.height * 0.8);
    std::shared_ptr<ui::Label> titleLabel;
    if (title) {
        titleLabel = makeLabel(*title, ui::Font::boldSystemFontOfSize(16), constraint);
        titleLabel->setTextAlignment(ui::TextAlignment::left);
    }
    std::shared_ptr<ui::Label> messageLabel;
    if (message) {
        messageLabel = makeLabel(*message, ui::Font::systemFontOfSize(16), constraint);
    }

    double titleLeft = 0, titleTop = 0, titleWidth = 0, titleHeight = 0;
    if (titleLabel) {
        titleLeft = imageLeft + imageWidth + kPadding;
        titleTop = kPadding;
        titleWidth = titleLabel->frame().size.width;
        titleHeight = titleLabel->frame().size.height;
    }
    double messageLeft = 0, messageTop = 0, messageWidth = 0, messageHeight = 0;
    if (messageLabel) {
        messageLeft = imageLeft + imageWidth + kPadding;
        messageTop = titleTop + titleHeight + kPadding;
        messageWidth = messageLabel->frame().size.width;
        messageHeight = messageLabel->frame().size.height;
    }
    const double width =
        std::max(imageWidth + 2 * kPadding,
                 std::max(titleLeft, messageLeft) + std::max(titleWidth, messageWidth) + kPadding);
    const double height =
        std::max(messageTop + messageHeight + kPadding, imageHeight + 2 * kPadding);
    box->setFrame(graphics::Rect(0, 0, width, height));

    if (titleLabel) {
        titleLabel->setFrame(graphics::Rect(titleLeft, titleTop, titleWidth, titleHeight));
        box->addSubview(titleLabel);
    }
    if (messageLabel) {
        messageLabel->setFrame(
            graphics::Rect(messageLeft, messageTop, messageWidth, messageHeight));
        box->addSubview(messageLabel);
    }
    if (imageView) {
        box->addSubview(imageView);
    }
    return box;
}

graphics::Point centerPointForPosition(const ui::View& view, const Position& position,
                                       const ui::View& toast) {
    const auto bounds = view.bounds().size;
    const double toastHeight = toast.frame().size.height;
    const graphics::Point bottom(bounds.width / 2, bounds.height - toastHeight / 2 - kPadding);
    if (const auto* point = std::get_if<graphics::Point>(&position)) {
        return *point;
    }
    if (const auto* text = std::get_if<std::string>(&position)) {
        const std::string name = foundation::lowercase(*text);
        if (name == "top") {
            return {bounds.width / 2, toastHeight / 2 + kPadding};
        }
        if (name == "center") {
            return {bounds.width / 2, bounds.height / 2};
        }
    }
    return bottom;
}

void showToast(const ui::View::Ptr& view, const ui::View::Ptr& toast, double duration,
               const Position& position) {
    if (!view || !toast) {
        return;
    }
    toast->setCenter(centerPointForPosition(*view, position, *toast));
    toast->setAlpha(0);
    view->addSubview(toast);
    // The animations hold the toast until it removes itself.
    ui::ViewAnimation::animate(
        kFadeDuration, 0, ui::ViewAnimationOptions::curveEaseOut, [toast] { toast->setAlpha(1); },
        [toast, duration](bool) {
            ui::ViewAnimation::animate(
                kFadeDuration, duration, ui::ViewAnimationOptions::curveEaseIn,
                [toast] { toast->setAlpha(0); }, [toast](bool) { toast->removeFromSuperview(); });
        });
}

void showToast(const ui::View::Ptr& view, const ui::View::Ptr& toast) {
    showToast(view, toast, kDefaultDuration, std::string(kDefaultPosition));
}

void makeToast(const ui::View::Ptr& view, const std::optional<std::string>& message,
               double duration, const Position& position, const std::optional<std::string>& title,
               const graphics::Image::Ptr& image) {
    if (!view) {
        return;
    }
    showToast(view, viewForMessage(*view, message, title, image), duration, position);
}

void makeToast(const ui::View::Ptr& view, const std::optional<std::string>& message) {
    makeToast(view, message, kDefaultDuration, std::string(kDefaultPosition));
}

void makeToast(const ui::View::Ptr& view, const std::optional<std::string>& message,
               double duration, const Position& position) {
    makeToast(view, message, duration, position, std::nullopt, nullptr);
}

void makeToast(const ui::View::Ptr& view, const std::optional<std::string>& message,
               double duration, const Position& position, const std::optional<std::string>& title) {
    makeToast(view, message, duration, position, title, nullptr);
}

void makeToast(const ui::View::Ptr& view, const std::optional<std::string>& message,
               double duration, const Position& position, const graphics::Image::Ptr& image) {
    makeToast(view, message, duration, position, std::nullopt, image);
}

ui::View::Ptr toastActivityView(const ui::View& view) {
    auto& boxes = activityViews();
    const auto found = boxes.find(keyFor(view));
    return found == boxes.end() ? nullptr : found->second;
}

void makeToastActivity(const ui::View::Ptr& view) {
    makeToastActivity(view, std::string("center"));
}

void makeToastActivity(const ui::View::Ptr& view, const Position& position) {
    if (!view || toastActivityView(*view)) {
        return;
    }
    auto box = std::make_shared<ui::View>(graphics::Rect(0, 0, kActivitySize, kActivitySize));
    applyAppearance(*box);
    box->setCenter(centerPointForPosition(*view, position, *box));
    box->setAlpha(0);
    auto spinner =
        std::make_shared<ui::ActivityIndicatorView>(ui::ActivityIndicatorViewStyle::whiteLarge);
    spinner->setCenter(graphics::Point(kActivitySize / 2, kActivitySize / 2));
    box->addSubview(spinner);
    spinner->startAnimating();
    activityViews()[std::weak_ptr<ui::View>(view)] = box;
    view->addSubview(box);
    ui::ViewAnimation::animate(kFadeDuration, 0, ui::ViewAnimationOptions::curveEaseOut,
                               [box] { box->setAlpha(1); });
}

void hideToastActivity(const ui::View::Ptr& view) {
    if (!view) {
        return;
    }
    auto box = toastActivityView(*view);
    if (!box) {
        return;
    }
    std::weak_ptr<ui::View> owner = view;
    ui::ViewAnimation::animate(
        kFadeDuration, 0,
        ui::ViewAnimationOptions::curveEaseIn | ui::ViewAnimationOptions::beginFromCurrentState,
        [box] { box->setAlpha(0); },
        [box, owner](bool) {
            box->removeFromSuperview();
            auto& boxes = activityViews();
            const auto found = boxes.find(owner);
            if (found != boxes.end() && found->second == box) {
                boxes.erase(found);
            }
        });
}

}  // namespace Toast
