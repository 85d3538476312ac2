#pragma once

// The viewfinder over the scanning widget's camera picture: a white frame
// (a square for 2-D codes, nearly the whole view with a red aiming line for
// bar codes), an instruction text, up to four green marks where a code was
// found, and optional cancel and licence buttons.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/View.h"
#include "scanning/ZXingWidget/CancelDelegate.h"

class OverlayView : public ui::View, public ui::AlertViewDelegate {
  public:
    // The page the licence alert's second button opens.
    static constexpr const char* kLicenseURL = "https://www.apache.org/licenses/LICENSE-2.0.html";

    static std::shared_ptr<OverlayView> make(const graphics::Rect& frame, bool cancelEnabled,
                                             bool oneDMode, bool showLicense = true);

    OverlayView(const graphics::Rect& frame, bool cancelEnabled, bool oneDMode);

    std::string className() const override { return "OverlayView"; }

    std::shared_ptr<CancelDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<CancelDelegate> delegate) { delegate_ = std::move(delegate); }

    const graphics::Rect& cropRect() const { return cropRect_; }
    bool oneDMode() const { return oneDMode_; }
    bool cancelEnabled() const { return cancelEnabled_; }
    const std::shared_ptr<ui::Button>& cancelButton() const { return cancelButton_; }
    const std::shared_ptr<ui::Button>& licenseButton() const { return licenseButton_; }
    const std::optional<std::string>& displayedMessage() const { return displayedMessage_; }
    void setDisplayedMessage(std::optional<std::string> message) {
        displayedMessage_ = std::move(message);
    }
    const std::string& cancelButtonTitle() const { return cancelButtonTitle_; }
    void setCancelButtonTitle(std::string title) { cancelButtonTitle_ = std::move(title); }
    const std::shared_ptr<ui::Label>& instructionsLabel() const { return instructionsLabel_; }
    void setInstructionsLabel(std::shared_ptr<ui::Label> label) {
        instructionsLabel_ = std::move(label);
    }

    const std::vector<graphics::Point>& points() const { return points_; }
    // A list tints the view white at a quarter alpha; nullopt clears it.
    void setPoints(const std::optional<std::vector<graphics::Point>>& points);
    // Adds a point, keeping the last four.
    void setPoint(graphics::Point point);
    // A decoder point in the view: a quarter turn about the frame's centre.
    graphics::Point map(graphics::Point point) const;

    void cancel();
    void showLicenseAlert();
    void alertViewDidDismissWithButtonIndex(ui::AlertView& alert, int index) override;

    // Draws into the current context; sets the default message when none is.
    void drawRect(const graphics::Rect& rect) const;
    void drawRect(const graphics::Rect& rect, graphics::BitmapContext& context) const;
    // On screen: the whole view through drawRect.
    void drawContent(graphics::BitmapContext& context) const override {
        drawRect(bounds(), context);
    }
    void layoutSubviews() override;

  private:
    void addButtons(bool showLicense);

    std::weak_ptr<CancelDelegate> delegate_;
    std::vector<graphics::Point> points_;
    graphics::Rect cropRect_;
    bool oneDMode_;
    bool cancelEnabled_;
    std::shared_ptr<ui::Button> cancelButton_;
    std::shared_ptr<ui::Button> licenseButton_;
    // Set to the default on the first drawing without one.
    mutable std::optional<std::string> displayedMessage_;
    std::string cancelButtonTitle_;
    std::shared_ptr<ui::Label> instructionsLabel_;
    // Held while the licence alert is up.
    std::shared_ptr<OverlayView> selfWhileAlerting_;
};
