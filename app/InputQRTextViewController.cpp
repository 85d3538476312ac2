#include "app/InputQRTextViewController.h"

#include "app/OverlayScreens.h"
#include "app/QRGenViewController.h"
#include "platform/graphics/Color.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Font.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Toolbar.h"

namespace {

constexpr double kMargin = 20;
constexpr double kTextHeight = 160;
constexpr double kButtonHeight = 44;

}  // namespace

void InputQRTextViewController::registerScreen() {
    auto& screens = OverlayScreens::shared();
    if (!screens.qrCreator)
        screens.qrCreator = [] { return std::make_shared<InputQRTextViewController>(); };
}

void InputQRTextViewController::loadView() {
    const auto bounds = ui::Screen::mainScreen().applicationFrame();
    const double width = bounds.size.width;
    auto root = std::make_shared<ui::View>(graphics::Rect(0, 0, width, bounds.size.height));
    root->setBackgroundColor(graphics::Color::whiteColor());
    root->setAutoresizingMask(ui::Autoresizing::flexibleWidth | ui::Autoresizing::flexibleHeight);

    view2_ = std::make_shared<ui::View>(
        graphics::Rect(0, 0, width, kMargin * 3 + kTextHeight + kButtonHeight));
    view2_->setAutoresizingMask(ui::Autoresizing::flexibleWidth);
    root->addSubview(view2_);

    textView_ = std::make_shared<ui::TextView>(
        graphics::Rect(kMargin, kMargin, width - 2 * kMargin, kTextHeight));
    textView_->setFont(ui::Font::systemFontOfSize(17));
    textView_->setAutoresizingMask(ui::Autoresizing::flexibleWidth);
    view2_->addSubview(textView_);

    generateButton_ = ui::Button::buttonWithType(ui::ButtonType::system);
    generateButton_->setFrame(
        graphics::Rect(kMargin, kMargin * 2 + kTextHeight, width - 2 * kMargin, kButtonHeight));
    generateButton_->setTitle(std::string(kGenerateTitle));
    generateButton_->setAutoresizingMask(ui::Autoresizing::flexibleWidth);
    view2_->addSubview(generateButton_);
    setView(root);
}

void InputQRTextViewController::viewDidLoad() {
    setTitle("QR Text");
    navigationItem().setBackBarButtonItem(
        ui::BarButtonItem::withTitle("Back", ui::BarButtonItemStyle::plain));

    std::weak_ptr<InputQRTextViewController> weak =
        std::static_pointer_cast<InputQRTextViewController>(shared_from_this());
    generateButton_->addTarget(ui::ControlEvent::touchUpInside, [weak](ui::Control&) {
        if (auto screen = weak.lock())
            screen->doGenerateQR();
    });
    textView_->setDelegate(std::static_pointer_cast<ui::TextViewDelegate>(
        std::static_pointer_cast<InputQRTextViewController>(shared_from_this())));

    auto& layer = textView_->layer();
    layer.setBorderWidth(1);
    layer.setBorderColor(graphics::Color::grayColor());
    layer.setCornerRadius(8);

    auto keyboardBar = std::make_shared<ui::Toolbar>();
    keyboardBar->setBarStyle(ui::BarStyle::blackTranslucent);
    keyboardBar->sizeToFit();
    auto hide = ui::BarButtonItem::withTitle("Hide", ui::BarButtonItemStyle::done,
                                             [weak](ui::BarButtonItem&) {
                                                 if (auto screen = weak.lock())
                                                     screen->DoneClick();
                                             });
    keyboardBar->setItems({ui::BarButtonItem::flexibleSpace(), hide});
    textView_->setInputAccessoryView(keyboardBar);
}

void InputQRTextViewController::viewWillAppear(bool animated) {
    ui::ViewController::viewWillAppear(animated);
    if (auto nav = navigationController()) {
        nav->setNavigationBarHidden(false, animated);
        nav->setToolbarHidden(true, animated);
    }
}

void InputQRTextViewController::DoneClick() {
    if (textView_)
        textView_->resignFirstResponder();
}

void InputQRTextViewController::doGenerateQR() {
    const std::string text = textView_ ? textView_->text() : std::string();
    if (text.empty()) {
        ui::AlertView::make("Hint", "QR text can't be empty.", {}, std::string("Okay"))->show();
        return;
    }
    textView_->resignFirstResponder();
    auto screen = std::make_shared<QRGenViewController>();
    screen->setQrText(text);
    if (auto nav = navigationController())
        nav->pushViewController(screen, true);
}
