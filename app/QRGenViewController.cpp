#include "app/QRGenViewController.h"

#include "QRGen/Barcode2.h"
#include "platform/graphics/Color.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Device.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Screen.h"

namespace {

// The side of the square the code is shown in, and its distance from the top.
constexpr double kImageSide = 280;
constexpr double kImageTop = 40;

}  // namespace

void QRGenViewController::loadView() {
    const auto bounds = ui::Screen::mainScreen().applicationFrame();
    auto root =
        std::make_shared<ui::View>(graphics::Rect(0, 0, bounds.size.width, bounds.size.height));
    root->setAutoresizingMask(ui::Autoresizing::flexibleWidth | ui::Autoresizing::flexibleHeight);
    imageView_ = std::make_shared<ui::ImageView>(
        graphics::Rect((bounds.size.width - kImageSide) / 2, kImageTop, kImageSide, kImageSide));
    imageView_->setContentMode(ui::ContentMode::scaleAspectFit);
    imageView_->setAutoresizingMask(ui::Autoresizing::flexibleLeftMargin |
                                    ui::Autoresizing::flexibleRightMargin);
    root->addSubview(imageView_);
    setView(root);
}

void QRGenViewController::viewDidLoad() {
    setTitle("QR Code");
    std::weak_ptr<QRGenViewController> weak =
        std::static_pointer_cast<QRGenViewController>(shared_from_this());
    auto share = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::action,
                                                   [weak](ui::BarButtonItem&) {
                                                       if (auto screen = weak.lock())
                                                           screen->action1();
                                                   });
    navigationItem().setRightBarButtonItem(share);
    navigationItem().setBackBarButtonItem(
        ui::BarButtonItem::withTitle("Back", ui::BarButtonItemStyle::plain));
    view()->setBackgroundColor(graphics::Color::whiteColor());

    // The generator leaves no image (and no stale file) when the text cannot
    // be encoded; the image view then stays empty.
    Barcode2 generator;
    generator.setupQRCode(qrText_);
    if (imageView_)
        imageView_->setImage(generator.qRBarcode());
}

void QRGenViewController::action1() {
    std::vector<ui::ActivityItem> items;
    if (imageView_ && imageView_->image())
        items.emplace_back(imageView_->image());
    auto sheet = std::make_shared<ui::ActivityViewController>(std::move(items));
    if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad) {
        sheet->popoverPresentationController().setBarButtonItem(
            navigationItem().rightBarButtonItem());
        sheet->popoverPresentationController().setSourceView(view());
    }
    presentViewController(sheet, true, [] {});
}
