#include "app/ZBarReader2ViewController.h"

#include "ads/api/GADAdSize.h"
#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "app/Categories/ADBSubviews.h"
#include "app/DeveloperPage.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Screen.h"

namespace {

graphics::Image::Ptr scanImage(const std::string& name) {
    return graphics::Image::imageNamed("CodeScan.bundle/" + name + ".png");
}

// The fields every preset sets, in the order of the preset table.
std::shared_ptr<LBXScanViewStyle> preset(double centerUpOffset, int angleStyle, double lineW,
                                         double angleW, double angleH, int animation,
                                         graphics::Image::Ptr image) {
    auto style = std::make_shared<LBXScanViewStyle>();
    style->centerUpOffset = centerUpOffset;
    style->photoframeAngleStyle = angleStyle;
    style->photoframeLineW = lineW;
    style->photoframeAngleW = angleW;
    style->photoframeAngleH = angleH;
    style->anmiationStyle = animation;
    style->animationImage = std::move(image);
    return style;
}

}  // namespace

void ZBarReader2ViewController::registerAsRootScreen() {
    AppScreens::shared().scanner = [] { return std::make_shared<ZBarReader2ViewController>(); };
}

void ZBarReader2ViewController::viewDidLoad() {
    ZBarReaderViewController::viewDidLoad();
    auto delegate = AppDelegate::shared();

    auto overlay = ReaderOverlayView::make();
    if (delegate) {
        overlay->setDelegate(std::static_pointer_cast<ReaderOverlayDelegate>(delegate));
        delegate->setOverlay(overlay);
    }
    readerView()->setTorchMode(media::TorchMode::off);
    overlay->setMode(1);
    setCameraOverlayView(overlay);

    const graphics::Size size = GADAdSizeGetCGSize(kGADAdSizeBanner);
    auto banner =
        GADBannerView::makeWithFrame(graphics::Rect(graphics::Point(0, kBannerTop), size));
    if (!banner)
        return;
    banner->setAdUnitID(std::string(kBannerAdUnitID));
    auto self = std::static_pointer_cast<ZBarReader2ViewController>(shared_from_this());
    banner->setRootViewController(self);
    banner->setDelegate(self);
    if (delegate)
        delegate->setBannerView_(banner);
}

void ZBarReader2ViewController::viewWillAppear(bool animated) {
    ZBarReaderViewController::viewWillAppear(animated);
    if (auto nav = navigationController()) {
        nav->setNavigationBarHidden(true, false);
        nav->setToolbarHidden(true, false);
    }
}

void ZBarReader2ViewController::viewDidAppear(bool animated) {
    ZBarReaderViewController::viewDidAppear(animated);
    auto delegate = AppDelegate::shared();
    auto root = view();
    auto cover = ADBSubviews::firstSubviewOfClass<OverlayCoverView>(*root);
    if (delegate && delegate->in_screen_capture_mode() == 1 && cover) {
        cover->setBackgroundColor(graphics::Color::blackColor());
        auto mask = std::make_shared<ui::ImageView>(graphics::Image::imageNamed("scan_mask_demo"));
        mask->setContentMode(ui::ContentMode::scaleAspectFit);
        if (auto place = cover->viewWithTag(OverlayCoverView::kMaskPlaceTag))
            mask->setFrame(place->frame());
        cover->insertSubview(mask, 0);
    }

    if (qRScanView_)
        return;
    ZhiFuBaoStyle();
    const graphics::Rect bounds = root->bounds();
    qRScanView_ = std::make_shared<LBXScanView>(
        graphics::Rect(0, 0, bounds.size.width, bounds.size.height), style_);
    qRScanView_->setScreenCaptureModeProvider([] {
        auto app = AppDelegate::shared();
        return app ? app->in_screen_capture_mode2() : 0;
    });
    qRScanView_->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                     ui::Autoresizing::flexibleHeight);
    if (cover)
        cover->insertSubview(qRScanView_, 0);
    else
        root->addSubview(qRScanView_);
    qRScanView_->drawScanRect();
    qRScanView_->startDeviceReadyingWithText("Preparing Camera...");
    qRScanView_->stopDeviceReadying();
    qRScanView_->startScanAnimation();
}

void ZBarReader2ViewController::qqStyle() {
    setStyle(preset(44, 1, 6, 24, 24, 0, scanImage("qrcode_scan_light_green")));
}

void ZBarReader2ViewController::ZhiFuBaoStyle() {
    auto style = preset(0, 0, 2, 16, 16, 1, scanImage("qrcode_scan_full_net"));
    style->xScanRetangleOffset = ui::Screen::mainScreen().bounds().size.height <= 480 ? 20 : 30;
    style->isNeedShowRetangle = false;
    style->alpa_notRecoginitonArea = 0.6;
    setStyle(style);
}

void ZBarReader2ViewController::InnerStyle() {
    auto style = preset(44, 0, 3, 18, 18, 0, scanImage("qrcode_scan_light_green"));
    style->isNeedShowRetangle = false;
    setStyle(style);
}

void ZBarReader2ViewController::weixinStyle() {
    auto style = preset(44, 0, 2, 18, 18, 0, scanImage("qrcode_Scan_weixin_Line"));
    style->isNeedShowRetangle = true;
    style->colorAngle = graphics::Color::rgb(0, 200 / 255.0, 20 / 255.0, 1);
    setStyle(style);
}

void ZBarReader2ViewController::recoCropRect() {
    auto style = preset(44, 2, 6, 24, 24, 1, scanImage("qrcode_scan_part_net"));
    style->xScanRetangleOffset = 80;
    style->isNeedShowRetangle = true;
    setStyle(style);
}

void ZBarReader2ViewController::OnStyle() {
    auto style = preset(44, 2, 6, 24, 24, 1, scanImage("qrcode_scan_part_net"));
    style->isNeedShowRetangle = true;
    setStyle(style);
}

void ZBarReader2ViewController::changeColor() {
    auto style = preset(44, 2, 6, 24, 24, 1, scanImage("qrcode_scan_part_net"));
    style->isNeedShowRetangle = true;
    style->colorAngle = graphics::Color::rgb(65 / 255.0, 174 / 255.0, 57 / 255.0, 1);
    style->colorRetangleLine = graphics::Color::rgb(247 / 255.0, 202 / 255.0, 15 / 255.0, 1);
    style->red_notRecoginitonArea = 247 / 255.0;
    style->green_notRecoginitonArea = 202 / 255.0;
    style->blue_notRecoginitonArea = 15 / 255.0;
    style->alpa_notRecoginitonArea = 0.2;
    setStyle(style);
}

void ZBarReader2ViewController::changeSize() {
    auto style = preset(60, 2, 6, 24, 24, 0, scanImage("qrcode_scan_light_green"));
    style->xScanRetangleOffset = 100;
    style->isNeedShowRetangle = true;
    setStyle(style);
}

void ZBarReader2ViewController::notSquare() {
    auto style =
        preset(44, 0, 4, 28, 16, 2, createImageWithColor(graphics::Color::rgb(1, 0, 0, 1)));
    style->xScanRetangleOffset = 30;
    style->isNeedShowRetangle = false;
    style->whRatio = 215.0 / 109.0;
    setStyle(style);
}

graphics::Image::Ptr ZBarReader2ViewController::createImageWithColor(const graphics::Color& color) {
    return graphics::Image::make(graphics::Bitmap::make(1, 1, color.toRgba8()));
}

void ZBarReader2ViewController::loadTitle() {
    DeveloperPage::loadSynchronously();
}
