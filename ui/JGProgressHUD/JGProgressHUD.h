#pragma once

// A heads-up overlay that covers a target view (or a rectangle of it) and shows
// a rounded box with an indicator, a text and a detail text. It swallows or
// passes touches by its interaction type, follows the keyboard and the device
// orientation while shown through showInView, keeps a minimum display time,
// and appears and disappears through a replaceable animation object.
//
// HUDs are made with progressHUDWithStyle (or make): they finish setting up
// once the view is owned.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Notification.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/Label.h"
#include "platform/ui/View.h"
#include "ui/JGProgressHUD/JGProgressHUDAnimation.h"
#include "ui/JGProgressHUD/JGProgressHUDDelegate.h"
#include "ui/JGProgressHUD/JGProgressHUDIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDStyle.h"

enum class JGProgressHUDInteractionType : unsigned {
    blockAllTouches = 0,
    blockTouchesOnHUDView = 1,
    blockNoTouches = 2,
};

// Where the box sits in the HUD's frame.
enum class JGProgressHUDPosition : unsigned {
    center = 0,
    topLeft = 1,
    topCenter = 2,
    topRight = 3,
    centerLeft = 4,
    centerRight = 5,
    bottomLeft = 6,
    bottomCenter = 7,
    bottomRight = 8,
};

class JGProgressHUD : public ui::View {
    struct Token {
        explicit Token() = default;
    };

  public:
    using Ptr = std::shared_ptr<JGProgressHUD>;
    using TapBlock = std::function<void(JGProgressHUD&)>;

    JGProgressHUD(Token, JGProgressHUDStyle style);
    ~JGProgressHUD() override;

    // initWithStyle: ; make() is init (the extra light style).
    static Ptr progressHUDWithStyle(JGProgressHUDStyle style);
    static Ptr make();

    std::string className() const override { return "JGProgressHUD"; }

    JGProgressHUDStyle style() const { return style_; }
    JGProgressHUDInteractionType interactionType() const { return interactionType_; }
    void setInteractionType(JGProgressHUDInteractionType type) { interactionType_ = type; }
    JGProgressHUDPosition position() const { return position_; }
    void setPosition(JGProgressHUDPosition position);
    bool square() const { return square_; }
    void setSquare(bool square);
    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius);
    const graphics::EdgeInsets& contentInsets() const { return contentInsets_; }
    void setContentInsets(const graphics::EdgeInsets& insets);
    const graphics::EdgeInsets& marginInsets() const { return marginInsets_; }
    void setMarginInsets(const graphics::EdgeInsets& insets);
    double layoutChangeAnimationDuration() const { return layoutChangeAnimationDuration_; }
    void setLayoutChangeAnimationDuration(double duration) {
        layoutChangeAnimationDuration_ = duration;
    }
    double minimumDisplayTime() const { return minimumDisplayTime_; }
    void setMinimumDisplayTime(double seconds) { minimumDisplayTime_ = seconds; }

    float progress() const { return progress_; }
    void setProgress(float progress) { setProgress(progress, false); }
    // Forwarded to the indicator view; changes below the epsilon are ignored.
    void setProgress(float progress, bool animated);

    const JGProgressHUDIndicatorView::Ptr& indicatorView() const { return indicatorView_; }
    // During a transition the view is kept and installed when it ends.
    void setIndicatorView(const JGProgressHUDIndicatorView::Ptr& view);

    // Made (a fade) on first access.
    const std::shared_ptr<JGProgressHUDAnimation>& animation();
    void setAnimation(const std::shared_ptr<JGProgressHUDAnimation>& animation);

    std::shared_ptr<JGProgressHUDDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<JGProgressHUDDelegate>& delegate) { delegate_ = delegate; }
    const TapBlock& tapOnHUDViewBlock() const { return tapOnHUDViewBlock_; }
    void setTapOnHUDViewBlock(TapBlock block) { tapOnHUDViewBlock_ = std::move(block); }
    const TapBlock& tapOutsideBlock() const { return tapOutsideBlock_; }
    void setTapOutsideBlock(TapBlock block) { tapOutsideBlock_ = std::move(block); }

    // The view the HUD is shown in; null while hidden.
    ui::View::Ptr targetView() const { return targetView_.lock(); }
    // The rounded box and the view its content goes into, made on first access.
    const ui::View::Ptr& HUDView();
    const ui::View::Ptr& contentView();
    const std::shared_ptr<ui::Label>& textLabel();
    const std::shared_ptr<ui::Label>& detailTextLabel();
    // True while the HUD has a superview.
    bool isVisible() const { return superview() != nullptr; }

    // Covers `view` (less the part under the keyboard) and follows the
    // keyboard and the device orientation until dismissed.
    void showInView(const ui::View::Ptr& view, bool animated = true);
    // Covers `rect` of `view`; follows nothing.
    void showInRect(const graphics::Rect& rect, const ui::View::Ptr& view, bool animated = true);
    void dismiss() { dismissAnimated(true); }
    void dismissAnimated(bool animated);
    // Dismisses after `delay` seconds if the HUD still exists and is visible.
    void dismissAfterDelay(double delay, bool animated = true);

    // From the animation: the presentation (true) or the dismissal finished.
    void animationDidFinish(bool presenting);

    // Lays out the box and its content; see the implementation for the rules.
    void updateHUDAnimated(bool animated, bool animateIndicatorViewFrame);

    // The HUDs among the direct subviews of `view`, in subview order.
    static std::vector<Ptr> allProgressHUDsInView(const ui::View& view);
    // The HUDs anywhere below `view`; a HUD's own subviews are not searched.
    static std::vector<Ptr> allProgressHUDsInViewHierarchy(const ui::View& view);
    // The keyboard's frame in screen coordinates, as last announced.
    static graphics::Rect currentKeyboardFrame();

    ui::View::Ptr hitTest(graphics::Point point, const ui::Event* event) override;

  private:
    static void startKeyboardTracking();
    Ptr self();
    graphics::Rect fullFrameInView(const ui::View& view) const;
    void setHUDViewFrameCenterWithSize(graphics::Size size);
    void applyCornerRadius();
    void attachLabel(const std::shared_ptr<ui::Label>& label);
    void tapped(ui::GestureRecognizer& recognizer);
    void keyboardFrameChanged(const foundation::Notification& notification);
    void orientationChanged(const foundation::Notification& notification);
    void removeTrackingObservers();
    void cleanUpAfterPresentation();
    void cleanUpAfterDismissal();

    JGProgressHUDStyle style_;
    JGProgressHUDInteractionType interactionType_ = JGProgressHUDInteractionType::blockAllTouches;
    JGProgressHUDPosition position_ = JGProgressHUDPosition::center;
    bool square_ = false;
    double cornerRadius_ = 10;
    graphics::EdgeInsets contentInsets_{20, 20, 20, 20};
    graphics::EdgeInsets marginInsets_{20, 20, 20, 20};
    double layoutChangeAnimationDuration_ = 0.3;
    double minimumDisplayTime_ = 0;
    float progress_ = 0;
    JGProgressHUDIndicatorView::Ptr indicatorView_;
    std::shared_ptr<JGProgressHUDAnimation> animation_;
    std::weak_ptr<JGProgressHUDDelegate> delegate_;
    TapBlock tapOnHUDViewBlock_;
    TapBlock tapOutsideBlock_;
    std::weak_ptr<ui::View> targetView_;
    ui::View::Ptr HUDView_;
    ui::View::Ptr contentView_;
    std::shared_ptr<ui::GestureRecognizer> contentTapRecognizer_;
    std::shared_ptr<ui::Label> textLabel_;
    std::shared_ptr<ui::Label> detailTextLabel_;

    bool transitioning_ = false;
    bool updateAfterAppear_ = false;
    bool dismissAfterTransitionFinished_ = false;
    bool dismissAfterTransitionFinishedWithAnimation_ = false;
    double displayTimestamp_ = 0;
    JGProgressHUDIndicatorView::Ptr indicatorViewAfterTransitioning_;
};
