// The transparent interstitial of GADWebAppViewController: a clear square
// layer over the key window, as large as the screen's longer side, holding
// the web view and the close button and turned with the status bar.

#include <algorithm>
#include <numbers>

#include "ads/foundation/GADDevice.h"
#include "ads/presentation/GADWebAppViewController.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/graphics/Color.h"
#include "platform/ui/Application.h"
#include "platform/ui/ViewAnimation.h"

graphics::Rect GADWebAppViewController::frameOfSizeCenteredInFrame(graphics::Size size,
                                                                   const graphics::Rect& frame) {
    return frame.insetBy((frame.size.width - size.width) / 2,
                         (frame.size.height - size.height) / 2);
}

graphics::AffineTransform GADWebAppViewController::transformForOrientation(
    int statusBarOrientation) {
    // 2 upside down; 3 and 4 the two landscape orientations.
    switch (statusBarOrientation) {
        case 2:
            return graphics::AffineTransform::makeRotation(std::numbers::pi);
        case 3:
            return graphics::AffineTransform::makeRotation(std::numbers::pi / 2);
        case 4:
            return graphics::AffineTransform::makeRotation(-std::numbers::pi / 2);
        default:
            return graphics::AffineTransform::identity();
    }
}

int GADWebAppViewController::statusBarOrientation() {
    return static_cast<int>(ui::Application::shared().statusBarOrientation());
}

graphics::Size GADWebAppViewController::contentSizeForOrientation(
    int orientation, const graphics::Rect& applicationFrame) {
    const graphics::Size size = applicationFrame.size;
    if (orientation == 3 || orientation == 4) {
        return {size.height, size.width};
    }
    return size;
}

void GADWebAppViewController::composeTransparentInterstitialViewsForPresentation() {
    GADDevice& device = GADDevice::currentDevice();
    const graphics::Rect applicationFrame = device.standardizedApplicationFrame();
    const graphics::Rect screenBounds = device.standardizedScreenBounds();
    const graphics::Color clear = graphics::Color::clearColor();

    view()->setBackgroundColor(clear);
    webView_->setBackgroundColor(clear);
    webView_->setOpaqueWithWebView(false);
    view()->setFrame(applicationFrame);

    const double side = std::max(screenBounds.size.width, screenBounds.size.height);
    contentView_ =
        std::make_shared<ui::View>(frameOfSizeCenteredInFrame({side, side}, view()->bounds()));
    contentView_->setBackgroundColor(clear);
    contentView_->setOpaque(false);

    const int orientation = statusBarOrientation();
    webView_->setFrame(frameOfSizeCenteredInFrame(
        contentSizeForOrientation(orientation, applicationFrame), contentView_->bounds()));
    webView_->setHidden(false);
    contentView_->addSubview(webView_);
    contentView_->addSubview(closeButton_);
    view()->addSubview(contentView_);

    contentView_->setTransform(transformForOrientation(orientation));
    webView_->forceRotateToOrientation(static_cast<int>(interfaceOrientation()));
    foundation::NotificationCenter::defaultCenter().addObserver(
        self(), &GADWebAppViewController::transparentInterstitialOrientationChanged,
        ui::ApplicationDidChangeStatusBarFrameNotification);
}

void GADWebAppViewController::transparentInterstitialOrientationChanged(
    const foundation::Notification&) {
    updateTransparentInterstitialOrientation();
}

void GADWebAppViewController::updateTransparentInterstitialOrientation() {
    const graphics::Rect applicationFrame =
        GADDevice::currentDevice().standardizedApplicationFrame();
    const int orientation = statusBarOrientation();
    const graphics::AffineTransform transform = transformForOrientation(orientation);
    const graphics::Rect contentFrame = frameOfSizeCenteredInFrame(
        contentSizeForOrientation(orientation, applicationFrame), contentView_->bounds());
    const graphics::Rect closeFrame = closeButtonFrameForContentFrame(contentFrame);
    ui::ViewAnimation::animate(kTransparentAnimationDuration, [&] {
        view()->setFrame(applicationFrame);
        contentView_->setCenter(
            {applicationFrame.size.width / 2, applicationFrame.size.height / 2});
        closeButton_->setFrame(closeFrame);
        webView_->setFrame(contentFrame);
        contentView_->setTransform(transform);
    });
    webView_->didRotateToOrientation(static_cast<int>(interfaceOrientation()));
}

void GADWebAppViewController::animateTransparentInterstitialPresentation() {
    const graphics::Rect applicationFrame =
        GADDevice::currentDevice().standardizedApplicationFrame();
    const double width = applicationFrame.size.width;
    const double height = applicationFrame.size.height;
    graphics::Vector offset{0, height};
    switch (statusBarOrientation()) {
        case 2:
            offset = {0, -height};
            break;
        case 3:
            offset = {-width, 0};
            break;
        case 4:
            offset = {width, 0};
            break;
        default:
            break;
    }
    // Moving the centre moves the frame of the square layer whatever its turn.
    ui::View::Ptr content = contentView_;
    const graphics::Point center = content->center();
    content->setCenter({center.x + offset.dx, center.y + offset.dy});
    ui::ViewAnimation::animate(kTransparentAnimationDuration,
                               [content, center] { content->setCenter(center); });
}
