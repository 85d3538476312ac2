#include "ui/JGProgressHUD/JGProgressHUD.h"

#include "platform/graphics/GeometryFromString.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/foundation/Clock.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/GeometryFromString.h"
#include "platform/ui/Device.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextMeasurement.h"
#include "platform/ui/ViewAnimation.h"
#include "ui/JGProgressHUD/JGProgressHUDFadeAnimation.h"
#include "ui/JGProgressHUD/JGProgressHUDIndeterminateIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDTapGestureRecognizer.h"

namespace {

// The spacing between the indicator, the text and the detail text.
constexpr double kIndicatorTextSpacing = 10;
constexpr double kTextDetailSpacing = 5;

graphics::Rect& keyboardFrame() {
    static graphics::Rect frame;
    return frame;
}

// x and y floored, width and height ceiled on the main screen's pixel grid.
graphics::Rect pixelRounded(const graphics::Rect& r) {
    const double s = ui::Screen::mainScreen().scale() > 0 ? ui::Screen::mainScreen().scale() : 1;
    return {std::floor(r.origin.x * s) / s, std::floor(r.origin.y * s) / s,
            std::ceil(r.size.width * s) / s, std::ceil(r.size.height * s) / s};
}

bool insetsDiffer(const graphics::EdgeInsets& a, const graphics::EdgeInsets& b) {
    return !(a == b);
}

graphics::Color boxColor(JGProgressHUDStyle style) {
    switch (style) {
        case JGProgressHUDStyle::extraLight:
            return graphics::Color::white(1.0, 0.95);
        case JGProgressHUDStyle::light:
            return graphics::Color::white(1.0, 0.75);
        default:
            return graphics::Color::white(0.0, 0.8);
    }
}

double currentTime() {
    return foundation::Clock::monotonic();
}

// A keyboard frame of a notification's user info, "{{x, y}, {w, h}}".
graphics::Rect rectFromUserInfo(const foundation::Value& value) {
    return graphics::rectFromString(value.stringValue());
}

}  // namespace

JGProgressHUD::JGProgressHUD(Token, JGProgressHUDStyle style) : style_(style) {
    startKeyboardTracking();
    setHidden(true);
    setBackgroundColor(graphics::Color::clearColor());
    indicatorView_ = JGProgressHUDIndeterminateIndicatorView::makeWithHUDStyle(style);
}

JGProgressHUD::~JGProgressHUD() {
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
    for (const auto& label : {textLabel_, detailTextLabel_}) {
        if (label) {
            label->removeObserver(this, "text");
            label->removeObserver(this, "font");
        }
    }
    if (animation_) {
        animation_->setProgressHUD({});
    }
}

JGProgressHUD::Ptr JGProgressHUD::progressHUDWithStyle(JGProgressHUDStyle style) {
    auto hud = std::make_shared<JGProgressHUD>(Token{}, style);
    hud->addGestureRecognizer(
        std::make_shared<JGProgressHUDTapGestureRecognizer>([](ui::GestureRecognizer& recognizer) {
            if (auto target = std::dynamic_pointer_cast<JGProgressHUD>(recognizer.view())) {
                target->tapped(recognizer);
            }
        }));
    return hud;
}

JGProgressHUD::Ptr JGProgressHUD::make() {
    return progressHUDWithStyle(JGProgressHUDStyle::extraLight);
}

JGProgressHUD::Ptr JGProgressHUD::self() {
    return std::static_pointer_cast<JGProgressHUD>(shared_from_this());
}

// MARK: Keyboard tracking shared by all HUDs

void JGProgressHUD::startKeyboardTracking() {
    static const bool started = [] {
        auto& center = foundation::NotificationCenter::defaultCenter();
        // Registered for the life of the process.
        static auto* tokens = new std::vector<foundation::NotificationCenter::ObserverToken>{
            center.addObserver(
                ui::KeyboardWillChangeFrameNotification, nullptr, nullptr,
                [](const foundation::Notification& note) {
                    auto end = rectFromUserInfo(note.userInfo[ui::KeyboardFrameEndUserInfoKey]);
                    if (end.isEmpty()) {
                        end = rectFromUserInfo(note.userInfo[ui::KeyboardFrameBeginUserInfoKey]);
                    }
                    keyboardFrame() = end;
                }),
            center.addObserver(ui::KeyboardDidChangeFrameNotification, nullptr, nullptr,
                               [](const foundation::Notification& note) {
                                   keyboardFrame() = rectFromUserInfo(
                                       note.userInfo[ui::KeyboardFrameEndUserInfoKey]);
                               })};
        return !tokens->empty();
    }();
    (void)started;
}

graphics::Rect JGProgressHUD::currentKeyboardFrame() {
    startKeyboardTracking();
    return keyboardFrame();
}

graphics::Rect JGProgressHUD::fullFrameInView(const ui::View& view) const {
    auto frame = view.bounds();
    const auto keyboard = view.convertRectFromView(keyboardFrame(), nullptr);
    if (!keyboard.isEmpty() && keyboard.intersects(frame)) {
        frame.size.height = std::min(frame.height(), keyboard.minY());
    }
    return frame;
}

void JGProgressHUD::keyboardFrameChanged(const foundation::Notification& notification) {
    auto target = targetView();
    if (!target) {
        return;
    }
    const auto full = fullFrameInView(*target);
    if (full == frame()) {
        return;
    }
    const double duration =
        notification.userInfo[ui::KeyboardAnimationDurationUserInfoKey].doubleValue();
    const auto curve = static_cast<unsigned>(
        notification.userInfo[ui::KeyboardAnimationCurveUserInfoKey].intValue());
    ui::ViewAnimation::animate(
        duration, 0, (curve << 16) + ui::ViewAnimationOptions::beginFromCurrentState, [this, full] {
            setFrame(full);
            updateHUDAnimated(false, true);
        });
}

void JGProgressHUD::orientationChanged(const foundation::Notification&) {
    auto target = targetView();
    if (!target || bounds() == target->bounds()) {
        return;
    }
    const double duration =
        ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad ? 0.4 : 0.3;
    ui::ViewAnimation::animate(duration, 0, ui::ViewAnimationOptions::beginFromCurrentState,
                               [this, target] {
                                   setFrame(fullFrameInView(*target));
                                   updateHUDAnimated(false, true);
                               });
}

void JGProgressHUD::removeTrackingObservers() {
    auto& center = foundation::NotificationCenter::defaultCenter();
    center.removeObserver(this, ui::DeviceOrientationDidChangeNotification);
    center.removeObserver(this, ui::KeyboardWillChangeFrameNotification);
    center.removeObserver(this, ui::KeyboardDidChangeFrameNotification);
}

// MARK: Views made on first access

const ui::View::Ptr& JGProgressHUD::HUDView() {
    if (!HUDView_) {
        // Without blur effects the box is a plain view in the style's colour
        // and is its own content view.
        HUDView_ = std::make_shared<ui::View>();
        HUDView_->setBackgroundColor(boxColor(style_));
        contentView_ = HUDView_;
        applyCornerRadius();
        addSubview(HUDView_);
        if (indicatorView_) {
            contentView_->addSubview(indicatorView_);
        }
        std::weak_ptr<JGProgressHUD> weak = self();
        contentTapRecognizer_ = std::make_shared<JGProgressHUDTapGestureRecognizer>(
            [weak](ui::GestureRecognizer& recognizer) {
                if (auto hud = weak.lock()) {
                    hud->tapped(recognizer);
                }
            });
        contentView_->addGestureRecognizer(contentTapRecognizer_);
    }
    return HUDView_;
}

const ui::View::Ptr& JGProgressHUD::contentView() {
    HUDView();
    return contentView_;
}

void JGProgressHUD::attachLabel(const std::shared_ptr<ui::Label>& label) {
    label->setBackgroundColor(graphics::Color::clearColor());
    label->setTextColor(style_ == JGProgressHUDStyle::dark ? graphics::Color::whiteColor()
                                                           : graphics::Color::blackColor());
    label->setTextAlignment(ui::TextAlignment::center);
    label->setNumberOfLines(0);
    label->setIsAccessibilityElement(true);
    contentView()->addSubview(label);
    std::weak_ptr<JGProgressHUD> weak = self();
    auto relayout = [weak](const foundation::KeyValueChange&) {
        if (auto hud = weak.lock()) {
            hud->updateHUDAnimated(true, true);
        }
    };
    label->addObserver(self(), "text", relayout);
    label->addObserver(self(), "font", relayout);
}

const std::shared_ptr<ui::Label>& JGProgressHUD::textLabel() {
    if (!textLabel_) {
        textLabel_ = std::make_shared<ui::Label>();
        textLabel_->setFont(ui::Font::boldSystemFontOfSize(15));
        attachLabel(textLabel_);
    }
    return textLabel_;
}

const std::shared_ptr<ui::Label>& JGProgressHUD::detailTextLabel() {
    if (!detailTextLabel_) {
        detailTextLabel_ = std::make_shared<ui::Label>();
        detailTextLabel_->setFont(ui::Font::systemFontOfSize(13));
        attachLabel(detailTextLabel_);
    }
    return detailTextLabel_;
}

// MARK: Setters

void JGProgressHUD::setPosition(JGProgressHUDPosition position) {
    if (position == position_) {
        return;
    }
    position_ = position;
    updateHUDAnimated(true, true);
}

void JGProgressHUD::setSquare(bool square) {
    if (square == square_) {
        return;
    }
    square_ = square;
    updateHUDAnimated(true, true);
}

void JGProgressHUD::setCornerRadius(double radius) {
    if (std::fabs(radius - cornerRadius_) < kJGProgressHUDEpsilon) {
        return;
    }
    cornerRadius_ = radius;
    applyCornerRadius();
}

void JGProgressHUD::applyCornerRadius() {
    HUDView()->layer().setCornerRadius(cornerRadius_);
}

void JGProgressHUD::setContentInsets(const graphics::EdgeInsets& insets) {
    if (!insetsDiffer(insets, contentInsets_)) {
        return;
    }
    contentInsets_ = insets;
    updateHUDAnimated(true, true);
}

void JGProgressHUD::setMarginInsets(const graphics::EdgeInsets& insets) {
    if (!insetsDiffer(insets, marginInsets_)) {
        return;
    }
    marginInsets_ = insets;
    updateHUDAnimated(true, true);
}

void JGProgressHUD::setProgress(float progress, bool animated) {
    if (std::fabs(static_cast<double>(progress) - progress_) < kJGProgressHUDEpsilon) {
        return;
    }
    progress_ = progress;
    if (indicatorView_) {
        indicatorView_->setProgress(progress, animated);
    }
}

void JGProgressHUD::setIndicatorView(const JGProgressHUDIndicatorView::Ptr& view) {
    if (view == indicatorView_) {
        return;
    }
    if (transitioning_) {
        indicatorViewAfterTransitioning_ = view;
        return;
    }
    if (indicatorView_) {
        indicatorView_->removeFromSuperview();
    }
    indicatorView_ = view;
    if (indicatorView_) {
        contentView()->addSubview(indicatorView_);
    }
    updateHUDAnimated(true, false);
}

const std::shared_ptr<JGProgressHUDAnimation>& JGProgressHUD::animation() {
    if (!animation_) {
        setAnimation(JGProgressHUDFadeAnimation::animation());
    }
    return animation_;
}

void JGProgressHUD::setAnimation(const std::shared_ptr<JGProgressHUDAnimation>& animation) {
    if (animation == animation_) {
        return;
    }
    if (animation_) {
        animation_->setProgressHUD({});
    }
    animation_ = animation;
    if (animation_) {
        animation_->setProgressHUD(self());
    }
}

// MARK: Layout

void JGProgressHUD::updateHUDAnimated(bool animated, bool animateIndicatorViewFrame) {
    if (transitioning_) {
        updateAfterAppear_ = true;
        return;
    }
    if (!superview()) {
        return;
    }
    const double W = frame().width();
    const double H = frame().height();
    const auto& m = marginInsets_;
    const auto& c = contentInsets_;
    const graphics::Size available{W - m.left - m.right - c.left - c.right,
                                   H - m.top - m.bottom - c.top - c.bottom};

    graphics::Rect indicatorFrame(0, c.top, 0, 0);
    if (indicatorView_) {
        indicatorFrame.size = indicatorView_->frame().size;
    }

    graphics::Rect textFrame(0, indicatorFrame.maxY(), 0, 0);
    if (textLabel_) {
        textFrame.size =
            ui::TextMeasurement::boundingSize(textLabel_->text(), textLabel_->font(), available);
        if (!textFrame.isEmpty() && !indicatorFrame.isEmpty()) {
            textFrame.origin.y += kIndicatorTextSpacing;
        }
    }

    graphics::Rect detailFrame;
    if (detailTextLabel_) {
        detailFrame.size = ui::TextMeasurement::boundingSize(detailTextLabel_->text(),
                                                             detailTextLabel_->font(), available);
        detailFrame.origin.y = textFrame.maxY() + kTextDetailSpacing;
        if (!detailFrame.isEmpty() && !indicatorFrame.isEmpty() && textFrame.isEmpty()) {
            detailFrame.origin.y += kTextDetailSpacing;
        }
    }

    const double widest =
        std::max({indicatorFrame.width(), textFrame.width(), detailFrame.width()});
    double boxWidth = std::min(c.left + widest + c.right, W - m.left - m.right);
    double boxHeight =
        std::max({indicatorFrame.maxY(), textFrame.maxY(), detailFrame.maxY()}) + c.bottom;

    if (square_) {
        const double side = std::max(boxWidth, boxHeight);
        const double shift = (side - boxHeight) / 2;
        indicatorFrame.origin.y += shift;
        textFrame.origin.y += shift;
        detailFrame.origin.y += shift;
        boxWidth = side;
        boxHeight = side;
    }

    for (auto* r : {&indicatorFrame, &textFrame, &detailFrame}) {
        r->origin.x = boxWidth / 2 - r->width() / 2;
    }

    if (!animateIndicatorViewFrame && indicatorView_) {
        indicatorView_->setFrame(pixelRounded(indicatorFrame));
    }

    auto apply = [this, boxWidth, boxHeight, indicatorFrame, textFrame, detailFrame,
                  animateIndicatorViewFrame] {
        setHUDViewFrameCenterWithSize({boxWidth, boxHeight});
        if (animateIndicatorViewFrame && indicatorView_) {
            indicatorView_->setFrame(indicatorFrame);
        }
        if (textLabel_) {
            textLabel_->setFrame(pixelRounded(textFrame));
        }
        if (detailTextLabel_) {
            detailTextLabel_->setFrame(pixelRounded(detailFrame));
        }
    };
    if (layoutChangeAnimationDuration_ > 0 && animated) {
        ui::ViewAnimation::animate(layoutChangeAnimationDuration_, 0,
                                   ui::ViewAnimationOptions::allowAnimatedContent, apply);
    } else {
        apply();
    }
}

void JGProgressHUD::setHUDViewFrameCenterWithSize(graphics::Size size) {
    const auto b = bounds();
    const double W = b.width();
    const double H = b.height();
    const double w = size.width;
    const double h = size.height;
    const auto& m = marginInsets_;
    const double centerX = b.midX() - w / 2;
    const double centerY = b.midY() - h / 2;
    const double right = W - m.right - w;
    const double bottom = H - m.bottom - h;
    graphics::Point origin;
    switch (position_) {
        case JGProgressHUDPosition::center:
            origin = {centerX, centerY};
            break;
        case JGProgressHUDPosition::topLeft:
            origin = {m.left, m.top};
            break;
        case JGProgressHUDPosition::topCenter:
            origin = {centerX, m.top};
            break;
        case JGProgressHUDPosition::topRight:
            origin = {right, m.top};
            break;
        case JGProgressHUDPosition::centerLeft:
            origin = {m.left, centerY};
            break;
        case JGProgressHUDPosition::centerRight:
            origin = {right, centerY};
            break;
        case JGProgressHUDPosition::bottomLeft:
            origin = {m.left, bottom};
            break;
        case JGProgressHUDPosition::bottomCenter:
            origin = {centerX, bottom};
            break;
        case JGProgressHUDPosition::bottomRight:
            origin = {right, bottom};
            break;
        default:
            origin = {0, 0};
            break;
    }
    HUDView()->setFrame(pixelRounded({origin, size}));
}

// MARK: Touches

ui::View::Ptr JGProgressHUD::hitTest(graphics::Point point, const ui::Event* event) {
    switch (interactionType_) {
        case JGProgressHUDInteractionType::blockAllTouches:
            return ui::View::hitTest(point, event);
        case JGProgressHUDInteractionType::blockTouchesOnHUDView: {
            auto hit = ui::View::hitTest(point, event);
            return hit.get() == this ? nullptr : hit;
        }
        default:
            return nullptr;
    }
}

void JGProgressHUD::tapped(ui::GestureRecognizer& recognizer) {
    const auto& content = contentView();
    const auto* tap = dynamic_cast<JGProgressHUDTapGestureRecognizer*>(&recognizer);
    const auto location =
        tap ? tap->tapLocationInView(content.get()) : recognizer.locationInView(content.get());
    const bool onBox = content->bounds().contains(location);
    // A tap on the box also reaches the HUD's own recognizer; the box's
    // recognizer answers it, so the HUD hears each tap once.
    if (onBox && &recognizer != contentTapRecognizer_.get() && contentTapRecognizer_->isEnabled()) {
        return;
    }
    auto keep = self();
    const auto& block = onBox ? tapOnHUDViewBlock_ : tapOutsideBlock_;
    if (block) {
        auto run = block;
        run(*this);
    }
}

// MARK: Presentation

void JGProgressHUD::showInView(const ui::View::Ptr& view, bool animated) {
    if (!view) {
        return;
    }
    const auto frame = fullFrameInView(*view);
    auto& center = foundation::NotificationCenter::defaultCenter();
    auto hud = self();
    center.addObserver(hud, &JGProgressHUD::orientationChanged,
                       ui::DeviceOrientationDidChangeNotification);
    center.addObserver(hud, &JGProgressHUD::keyboardFrameChanged,
                       ui::KeyboardWillChangeFrameNotification);
    center.addObserver(hud, &JGProgressHUD::keyboardFrameChanged,
                       ui::KeyboardDidChangeFrameNotification);
    showInRect(frame, view, animated);
}

void JGProgressHUD::showInRect(const graphics::Rect& rect, const ui::View::Ptr& view,
                               bool animated) {
    if (!view || targetView() || transitioning_) {
        return;
    }
    auto keep = self();
    targetView_ = view;
    setFrame(rect);
    view->addSubview(keep);
    updateHUDAnimated(false, true);
    transitioning_ = true;
    displayTimestamp_ = currentTime();
    if (auto d = delegate()) {
        d->progressHUDWillPresentInView(*this, view);
    }
    if (animated) {
        animation()->show();
    } else {
        cleanUpAfterPresentation();
    }
}

void JGProgressHUD::animationDidFinish(bool presenting) {
    if (presenting) {
        cleanUpAfterPresentation();
    } else {
        cleanUpAfterDismissal();
    }
}

void JGProgressHUD::cleanUpAfterPresentation() {
    auto keep = self();
    setHidden(false);
    transitioning_ = false;
    displayTimestamp_ = currentTime();
    if (indicatorViewAfterTransitioning_) {
        auto kept = std::move(indicatorViewAfterTransitioning_);
        indicatorViewAfterTransitioning_.reset();
        setIndicatorView(kept);
        updateAfterAppear_ = false;
    } else if (updateAfterAppear_) {
        updateHUDAnimated(true, true);
        updateAfterAppear_ = false;
    }
    if (auto d = delegate()) {
        d->progressHUDDidPresentInView(*this, targetView());
    }
    if (dismissAfterTransitionFinished_) {
        const bool animatedDismissal = dismissAfterTransitionFinishedWithAnimation_;
        dismissAfterTransitionFinished_ = false;
        dismissAfterTransitionFinishedWithAnimation_ = false;
        dismissAnimated(animatedDismissal);
    }
}

void JGProgressHUD::dismissAnimated(bool animated) {
    if (transitioning_) {
        dismissAfterTransitionFinished_ = true;
        dismissAfterTransitionFinishedWithAnimation_ = animated;
        return;
    }
    auto target = targetView();
    if (!target) {
        return;
    }
    if (minimumDisplayTime_ > 0 && displayTimestamp_ > 0) {
        const double shown = currentTime() - displayTimestamp_;
        if (shown < minimumDisplayTime_) {
            dismissAfterDelay(minimumDisplayTime_ - shown, animated);
            return;
        }
    }
    auto keep = self();
    transitioning_ = true;
    if (auto d = delegate()) {
        d->progressHUDWillDismissFromView(*this, target);
    }
    if (animated) {
        animation()->hide();
    } else {
        cleanUpAfterDismissal();
    }
}

void JGProgressHUD::dismissAfterDelay(double delay, bool animated) {
    std::weak_ptr<JGProgressHUD> weak = self();
    foundation::RunLoop::main().performAfter(delay, [weak, animated] {
        auto hud = weak.lock();
        if (hud && hud->isVisible()) {
            hud->dismissAnimated(animated);
        }
    });
}

void JGProgressHUD::cleanUpAfterDismissal() {
    auto keep = self();
    setHidden(true);
    removeFromSuperview();
    removeTrackingObservers();
    transitioning_ = false;
    dismissAfterTransitionFinished_ = false;
    dismissAfterTransitionFinishedWithAnimation_ = false;
    auto target = targetView();
    if (auto d = delegate()) {
        d->progressHUDDidDismissFromView(*this, target);
    }
    targetView_.reset();
}

// MARK: Finding HUDs

std::vector<JGProgressHUD::Ptr> JGProgressHUD::allProgressHUDsInView(const ui::View& view) {
    std::vector<Ptr> huds;
    for (const auto& subview : view.subviews()) {
        if (auto hud = std::dynamic_pointer_cast<JGProgressHUD>(subview)) {
            huds.push_back(hud);
        }
    }
    return huds;
}

std::vector<JGProgressHUD::Ptr> JGProgressHUD::allProgressHUDsInViewHierarchy(
    const ui::View& view) {
    std::vector<Ptr> huds;
    for (const auto& subview : view.subviews()) {
        if (auto hud = std::dynamic_pointer_cast<JGProgressHUD>(subview)) {
            huds.push_back(hud);
        } else {
            auto nested = allProgressHUDsInViewHierarchy(*subview);
            huds.insert(huds.end(), nested.begin(), nested.end());
        }
    }
    return huds;
}
