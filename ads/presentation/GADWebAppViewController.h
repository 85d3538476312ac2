#pragma once

// The full-screen screen for ad web content: the interstitial's web view, a
// banner's own web view when an MRAID ad expands (leaving a picture of the
// banner in its place until it collapses back), and web apps an ad opens
// from a URL or from HTML. It lays out the web view and a close button,
// tells the page "expanding", "onshow" (once), "onhide" and "collapsed", and
// can show the content as a transparent interstitial: a clear square layer
// added over the key window instead of a modal screen, turned with the
// status bar and faded out when dismissed. Main thread.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ads/presentation/GADViewController.h"
#include "ads/webview/GADOpenerDelegate.h"
#include "ads/webview/GADWebAppScreen.h"
#include "platform/foundation/Notification.h"
#include "platform/foundation/URL.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"

class GADGMSGHandler;
class GADWebAppWebViewDelegate;
class GADWebView;

class GADWebAppViewController : public GADViewController,
                                public GADOpenerDelegate,
                                public GADWebAppScreen {
  public:
    using Ptr = std::shared_ptr<GADWebAppViewController>;

    // Side of the close area of an MRAID ad (top-right) and of the close
    // button of any other (top-left).
    static constexpr double kMRAIDCloseSize = 50;
    static constexpr double kCloseButtonSize = 32;
    // The close button fades out and in around a rotation of an MRAID ad.
    static constexpr double kCloseButtonFadeDuration = 0.2;
    // A transparent interstitial slides in and turns in this time ...
    static constexpr double kTransparentAnimationDuration = 0.4;
    // ... and fades out in this one.
    static constexpr double kTransparentFadeOutDuration = 0.2;

    // Shows `webView` (an interstitial's or an expanding banner's, which
    // makes the screen expandable), or a web view of its own for nullptr.
    // Orientations start at 0, which behaves as any.
    static Ptr make(const std::shared_ptr<GADWebView>& webView = nullptr);
    ~GADWebAppViewController() override;
    std::string className() const override { return "GADWebAppViewController"; }

    // Loads into the web view; nothing for none. The second page of an
    // MRAID ad's two-part expansion is an ad page: it is recorded as such
    // and counts as a request for an MRAID script until its load ends.
    void load(const std::optional<foundation::URL>& url);
    // The page's load ended: it no longer counts as requesting MRAID.
    void stopCountingForMRAID();
    void loadHTML(const std::optional<std::string>& html,
                  const std::optional<foundation::URL>& baseURL);

    // Forwarded to the web view's current delegate (false without one).
    bool isFileAccessAllowed() const;
    void setFileAccessAllowed(bool allowed);
    // The ad draws its own close control: the button goes, or stays as an
    // invisible touch area on an MRAID ad.
    bool useCustomClose() const { return useCustomClose_; }
    void setUseCustomClose(bool useCustomClose) override;
    void updateCloseButtonVisibilityAndImage();
    // Top-right 50 x 50 of the content for an MRAID ad, else its top-left
    // 32 x 32.
    graphics::Rect closeButtonFrameForContentFrame(const graphics::Rect& frame) const;

    // The screen stays once when the user came back from an application the
    // ad opened, and goes otherwise.
    bool shouldDismissOnAppClose() override;
    // Tells the page "onhide" and, for an expandable screen, puts the web
    // view back where it was, then gives the screen back. A screen that is
    // not presented changes nothing.
    void relinquishScreen() override;
    // Modal, or over the key window for a transparent interstitial.
    void presentFrom(const ui::ViewController::Ptr& controller) override;
    // Modal dismissal, or the transparent layer fading out and leaving.
    void dismiss() override;
    // Nothing for a transparent interstitial, which leaves the bar alone.
    void hideStatusBar() override;
    void restoreStatusBar() override;

    // Also tell the slot, which watches the ad's visibility while shown.
    void viewWillAppear(bool animated) override;
    using GADViewController::viewDidAppear;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    void willRotateToInterfaceOrientation(ui::InterfaceOrientation o, double duration) override;
    void didRotateFromInterfaceOrientation(ui::InterfaceOrientation from) override;
    // Once, at the first appearance: takes the web view over, places it and
    // the close button and gives the web view this screen's delegate.
    void configureView();

    // GADOpenerDelegate: a transparent interstitial gives the screen back
    // when the ad shows something in the application.
    void didOpenInApplication() override;
    void didLeaveApplication() override {}

    // The frame of `size` centred in `frame`.
    static graphics::Rect frameOfSizeCenteredInFrame(graphics::Size size,
                                                     const graphics::Rect& frame);
    // Status-bar orientation 2 (upside down) turns by pi, 3 by pi/2, 4 by
    // -pi/2; any other is the identity.
    static graphics::AffineTransform transformForOrientation(int statusBarOrientation);
    void composeTransparentInterstitialViewsForPresentation();
    void updateTransparentInterstitialOrientation();
    void transparentInterstitialOrientationChanged(const foundation::Notification& notification);
    // The layer slides in from the bottom of the screen as the user sees it.
    void animateTransparentInterstitialPresentation();

    bool viewHasAppeared() const { return viewHasAppeared_; }
    bool transparentInterstitial() const { return transparentInterstitial_; }
    void setTransparentInterstitial(bool transparent) override {
        transparentInterstitial_ = transparent;
    }
    bool isExpandable() const { return isExpandable_; }
    bool isCollapsing() const { return isCollapsing_; }
    bool displayingAsTransparentInterstitial() const {
        return displayingAsTransparentInterstitial_;
    }
    const std::shared_ptr<GADWebView>& webView() const { return webView_; }
    const ui::ViewController::Ptr& hostViewController() const { return hostViewController_; }
    // The app-event handler of the interstitial this screen shows, held
    // weakly: while the interstitial lives, the screen's web-view delegate
    // takes it with its other handlers.
    std::shared_ptr<GADGMSGHandler> appEventHandler() const { return appEventHandler_.lock(); }
    void setAppEventHandler(const std::weak_ptr<GADGMSGHandler>& handler) {
        appEventHandler_ = handler;
    }
    const ui::ImageView::Ptr& renderedBanner() const { return renderedBanner_; }
    const std::shared_ptr<GADWebAppWebViewDelegate>& webViewDelegate() const {
        return webViewDelegate_;
    }
    const ui::Button::Ptr& closeButton() const { return closeButton_; }
    const ui::View::Ptr& contentView() const { return contentView_; }

  private:
    GADWebAppViewController();
    Ptr self() { return std::static_pointer_cast<GADWebAppViewController>(shared_from_this()); }
    // The slot's ad is an MRAID ad.
    bool isMRAIDSlot() const;
    // A page of its own for an MRAID ad: the second part of an expansion,
    // whose banner page hears "expanding" and "collapsed".
    bool isTwoPieceExpansion() const { return !isExpandable_ && isMRAIDSlot(); }
    // The status bar's orientation and the application frame, with the
    // frame's size turned for the two landscape orientations.
    static int statusBarOrientation();
    static graphics::Size contentSizeForOrientation(int orientation,
                                                    const graphics::Rect& applicationFrame);

    bool viewHasAppeared_ = false;
    bool useCustomClose_ = false;
    bool transparentInterstitial_ = false;
    bool isExpandable_ = false;
    bool isCollapsing_ = false;
    bool countedForMRAID_ = false;
    bool displayingAsTransparentInterstitial_ = false;
    std::shared_ptr<GADWebView> webView_;
    ui::ViewController::Ptr hostViewController_;
    std::weak_ptr<GADGMSGHandler> appEventHandler_;
    ui::ImageView::Ptr renderedBanner_;
    std::shared_ptr<GADWebAppWebViewDelegate> webViewDelegate_;
    ui::Button::Ptr closeButton_;
    ui::View::Ptr contentView_;
};
