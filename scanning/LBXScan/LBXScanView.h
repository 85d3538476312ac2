#pragma once

// A transparent view laid over a camera preview: it dims everything outside a
// centred scan frame, outlines the frame, draws thick corner marks, shows a
// "readying" spinner with a text while the camera prepares, and runs the scan
// animation of its style inside the frame.

#include <functional>
#include <memory>
#include <string>

#include "platform/graphics/Geometry.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/View.h"
#include "scanning/LBXScan/LBXScanLineAnimation.h"
#include "scanning/LBXScan/LBXScanNetAnimation.h"
#include "scanning/LBXScan/LBXScanViewStyle.h"

class LBXScanView : public ui::View {
  public:
    // Answers 1 while the application runs its screen-capture demonstration.
    using ScreenCaptureMode = std::function<int()>;

    LBXScanView(const graphics::Rect& frame, std::shared_ptr<LBXScanViewStyle> style);

    std::string className() const override { return "LBXScanView"; }

    // Where the screen-capture flag comes from (the application delegate's
    // in_screen_capture_mode2); without a provider the flag is 0.
    void setScreenCaptureModeProvider(ScreenCaptureMode provider) {
        screenCaptureMode_ = std::move(provider);
    }

    // Draws the scan frame into the current drawing context.
    void drawRect(const graphics::Rect& rect) const;
    // On screen: the scan frame through drawRect.
    void drawContent(graphics::BitmapContext& context) const override { drawRect(bounds()); }
    // Computes scanRetangleRect and, with a current drawing context, draws the
    // dimmed bands, the outline and the corner marks.
    void drawScanRect() const;

    // The scan frame of `style` over `preView` as a normalised rectangle of a
    // 16:9 video lying as the camera sensor does (x down the screen, y across).
    static graphics::Rect getScanRectWithPreView(const ui::View& preView,
                                                 const LBXScanViewStyle& style);

    void startDeviceReadyingWithText(const std::string& text);
    void stopDeviceReadying();
    void startScanAnimation();
    void stopScanAnimation();

    const std::shared_ptr<LBXScanViewStyle>& viewStyle() const { return viewStyle_; }
    void setViewStyle(std::shared_ptr<LBXScanViewStyle> style) { viewStyle_ = std::move(style); }
    const graphics::Rect& scanRetangleRect() const { return scanRetangleRect_; }
    const std::shared_ptr<LBXScanLineAnimation>& scanLineAnimation() const {
        return scanLineAnimation_;
    }
    const std::shared_ptr<LBXScanNetAnimation>& scanNetAnimation() const {
        return scanNetAnimation_;
    }
    const std::shared_ptr<ui::ImageView>& scanLineStill() const { return scanLineStill_; }
    const std::shared_ptr<ui::ActivityIndicatorView>& activityView() const { return activityView_; }
    const std::shared_ptr<ui::Label>& labelReadying() const { return labelReadying_; }

  private:
    std::shared_ptr<LBXScanViewStyle> viewStyle_;
    ScreenCaptureMode screenCaptureMode_;
    // Computed again by every drawing.
    mutable graphics::Rect scanRetangleRect_;
    std::shared_ptr<LBXScanLineAnimation> scanLineAnimation_;
    std::shared_ptr<LBXScanNetAnimation> scanNetAnimation_;
    std::shared_ptr<ui::ImageView> scanLineStill_;
    std::shared_ptr<ui::ActivityIndicatorView> activityView_;
    std::shared_ptr<ui::Label> labelReadying_;
};
