#include "scanning/zbar/ZBarHelpController.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Log.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Application.h"
#include "platform/ui/ViewAnimation.h"
#include "platform/web/ScriptStringLiteral.h"

namespace {

constexpr const char* kLogComponent = "ZBarHelpController";

}  // namespace

ZBarHelpController::ZBarHelpController(std::optional<std::string> reason)
    : reason_(reason.value_or("INFO")) {}

ZBarHelpController::~ZBarHelpController() {
    if (webView_) {
        webView_->setDelegate(nullptr);
    }
}

std::shared_ptr<ZBarHelpController> ZBarHelpController::self() {
    return std::static_pointer_cast<ZBarHelpController>(shared_from_this());
}

void ZBarHelpController::setInterfaceOrientation(ui::InterfaceOrientation orientation,
                                                 bool supported) {
    const std::uint64_t bit = std::uint64_t{1} << static_cast<int>(orientation);
    if (supported) {
        orientations_ |= bit;
    } else {
        orientations_ &= ~bit;
    }
}

bool ZBarHelpController::isInterfaceOrientationSupported(
    ui::InterfaceOrientation orientation) const {
    if (orientations_ == 0) {
        if (auto parent = parentViewController()) {
            return parent->shouldAutorotateToInterfaceOrientation(orientation);
        }
    }
    return (orientations_ >> static_cast<int>(orientation)) & 1;
}

bool ZBarHelpController::shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation o) const {
    return isInterfaceOrientationSupported(o);
}

void ZBarHelpController::viewDidLoad() {
    ui::ViewController::viewDidLoad();
    auto root = view();
    graphics::Rect page;
    if (root->bounds().size.width == 0 || root->bounds().size.height == 0) {
        root->setFrame({0, 0, 320, 480});
        page = {0, 0, 320, 436};
    } else {
        page = root->bounds();
        page.size.height -= kToolbarHeight;
    }
    const auto background = graphics::Color::white(0.125, 1);
    root->setBackgroundColor(background);

    webView_ = std::make_shared<web::WebView>(page);
    webView_->setHidden(true);
    webView_->setBackgroundColor(background);
    webView_->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                  ui::Autoresizing::flexibleHeight);
    webView_->setDelegate(std::shared_ptr<web::WebViewDelegate>(self()));
    root->addSubview(webView_);

    std::weak_ptr<ZBarHelpController> weak = self();
    toolbar_ = std::make_shared<ui::Toolbar>(
        graphics::Rect{0, page.origin.y + page.size.height, page.size.width, kToolbarHeight});
    toolbar_->setBarStyle(ui::BarStyle::black);
    toolbar_->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                  ui::Autoresizing::flexibleTopMargin);
    space_ = ui::BarButtonItem::flexibleSpace();
    doneBtn_ = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::done,
                                                 [weak](ui::BarButtonItem&) {
                                                     if (auto help = weak.lock()) {
                                                         help->dismiss();
                                                     }
                                                 });
    std::weak_ptr<web::WebView> weakWeb = webView_;
    backBtn_ =
        ui::BarButtonItem::withImage(graphics::Image::imageNamed("zbar-back.png"),
                                     ui::BarButtonItemStyle::plain, [weakWeb](ui::BarButtonItem&) {
                                         if (auto webView = weakWeb.lock()) {
                                             webView->goBack();
                                         }
                                     });
    backBtn_->setAccessibilityLabel("Back");
    toolbar_->setItems({space_, doneBtn_});
    showsBack_ = false;
    root->addSubview(toolbar_);

    auto url = foundation::Bundle::main().urlForResource("zbar-help", "html");
    if (!url) {
        foundation::Log::write(kLogComponent, "ERROR: unable to load zbar-help.html from bundle");
        return;
    }
    webView_->loadRequest(net::URLRequest(*url));
}

void ZBarHelpController::viewDidUnload() {
    if (webView_) {
        webView_->setDelegate(nullptr);
    }
    webView_.reset();
    toolbar_.reset();
    doneBtn_.reset();
    backBtn_.reset();
    space_.reset();
    ui::ViewController::viewDidUnload();
}

void ZBarHelpController::viewWillAppear(bool animated) {
    ui::ViewController::viewWillAppear(animated);
    if (webView_ && webView_->isLoading()) {
        webView_->setHidden(true);
    }
}

void ZBarHelpController::viewWillDisappear(bool animated) {
    if (webView_) {
        webView_->stopLoading();
        webView_->setDelegate(nullptr);
    }
    ui::ViewController::viewWillDisappear(animated);
}

void ZBarHelpController::didRotateFromInterfaceOrientation(ui::InterfaceOrientation from) {
    ui::ViewController::didRotateFromInterfaceOrientation(from);
    if (webView_) {
        webView_->reload();
    }
}

void ZBarHelpController::dismiss() {
    auto keep = self();
    auto delegate = this->delegate();
    if (!delegate || !delegate->helpControllerDidFinish(*this)) {
        dismissViewController(true);
    }
}

bool ZBarHelpController::webViewShouldStartLoad(web::WebView& webView,
                                                const net::URLRequest& request,
                                                web::NavigationType navigationType) {
    const auto& url = request.url();
    if (url && url->isFileURL()) {
        return true;
    }
    linkURL_ = url;
    ui::AlertView::make("Open External Link", "Close this application and open link in Safari?",
                        std::weak_ptr<ui::AlertViewDelegate>(self()), "Cancel", {"OK"})
        ->show();
    return false;
}

void ZBarHelpController::webViewDidFinishLoad(web::WebView& webView) {
    if (webView.isHidden()) {
        // The reason goes in as a JSON string, so that no text can break out
        // of the call.
        webView.stringByEvaluatingJavaScriptFromString(
            "onZBarHelp({reason:" + web::scriptStringLiteral(reason_) + "});");
        ui::ViewAnimation::beginAnimations("ZBarHelp");
        webView.setHidden(false);
        ui::ViewAnimation::commitAnimations();
    }
    updateToolbar(true);
}

void ZBarHelpController::webViewDidFailLoad(web::WebView& webView, const net::URLError& error) {
    updateToolbar(true);
}

void ZBarHelpController::updateToolbar(bool animated) {
    if (!toolbar_ || !webView_) {
        return;
    }
    const bool canGoBack = webView_->canGoBack();
    if (canGoBack == showsBack_) {
        return;
    }
    showsBack_ = canGoBack;
    if (canGoBack) {
        toolbar_->setItems({backBtn_, space_, doneBtn_}, animated);
    } else {
        toolbar_->setItems({space_, doneBtn_}, animated);
    }
}

void ZBarHelpController::alertViewClickedButtonAtIndex(ui::AlertView& alert, int index) {
    if (index != 0 && linkURL_) {
        ui::Application::shared().openURL(linkURL_->absoluteString());
    }
}
