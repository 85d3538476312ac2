#pragma once

// The scanner screen, root of the application's navigation: the camera reader
// with the application's overlay (the cover's buttons, torch and menu), a
// scan frame over the preview, and the banner that the application shares
// with the detail screen. It hides the bars while it shows.

#include <memory>
#include <string>

#include "ads/api/GADBannerView.h"
#include "ads/api/GADBannerViewDelegate.h"
#include "app/ReaderOverlayView.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Image.h"
#include "scanning/LBXScan/LBXScanView.h"
#include "scanning/LBXScan/LBXScanViewStyle.h"
#include "scanning/zbar/ZBarReaderViewController.h"

class ZBarReader2ViewController : public ZBarReaderViewController, public GADBannerViewDelegate {
  public:
    using Ptr = std::shared_ptr<ZBarReader2ViewController>;

    // The banner's ad unit.
    static constexpr const char* kBannerAdUnitID = "barcodes-scanner-banner";
    static constexpr double kBannerTop = 60;

    // Makes the scanner the window's root screen (the application shell's
    // hook).
    static void registerAsRootScreen();

    std::string className() const override { return "ZBarReader2ViewController"; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    // Style presets: each stores a fresh style with setStyle; the screen uses
    // ZhiFuBaoStyle.
    void qqStyle();
    void ZhiFuBaoStyle();
    void InnerStyle();
    void weixinStyle();
    void recoCropRect();
    void OnStyle();
    void changeColor();
    void changeSize();
    void notSquare();
    // A 1 by 1 point image of the colour.
    static graphics::Image::Ptr createImageWithColor(const graphics::Color& color);

    // Loads the maker's page on the calling thread and reads its paragraph;
    // the result is not kept.
    void loadTitle();

    const std::shared_ptr<LBXScanView>& qRScanView() const { return qRScanView_; }
    void setQRScanView(std::shared_ptr<LBXScanView> view) { qRScanView_ = std::move(view); }
    const std::shared_ptr<LBXScanViewStyle>& style() const { return style_; }
    void setStyle(std::shared_ptr<LBXScanViewStyle> style) { style_ = std::move(style); }

  private:
    std::shared_ptr<LBXScanView> qRScanView_;
    std::shared_ptr<LBXScanViewStyle> style_;
};
