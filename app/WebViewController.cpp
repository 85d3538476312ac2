#include "app/WebViewController.h"

#include "app/NetworkActivity.h"

#include <set>
#include "platform/foundation/Bundle.h"
#include "platform/graphics/Image.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"

namespace {

void showAlert(const std::string& title, const std::string& message, const std::string& button) {
    ui::AlertView::make(title, message, std::weak_ptr<ui::AlertViewDelegate>(), button)->show();
}

}  // namespace

bool WebViewController::canOpenInternal(const std::optional<foundation::URL>& url) {
    static const auto* schemes = new std::set<std::string>{"http", "https"};
    return url && schemes->count(url->scheme()) > 0;
}

bool WebViewController::openExternalURL(const std::optional<foundation::URL>& url) {
    if (url && ui::Application::shared().openURL(url->absoluteString())) {
        return true;
    }
    showAlert("Invalid URL", "Unable to open the selected link", "Cancel");
    return false;
}

WebViewController::~WebViewController() {
    if (isViewLoaded()) {
        if (auto web = webView()) {
            web->setDelegate(nullptr);
        }
    }
    cleanup();
}

std::shared_ptr<web::WebView> WebViewController::webView() {
    return std::dynamic_pointer_cast<web::WebView>(view());
}

void WebViewController::loadView() {
    setView(std::make_shared<web::WebView>());
}

void WebViewController::viewDidLoad() {
    auto self = std::static_pointer_cast<WebViewController>(shared_from_this());
    webView()->setDelegate(self);
    std::weak_ptr<WebViewController> weak = self;
    backBtn_ =
        ui::BarButtonItem::withImage(graphics::Image::imageNamed("back.png"),
                                     ui::BarButtonItemStyle::plain, [weak](ui::BarButtonItem&) {
                                         if (auto strong = weak.lock()) {
                                             strong->goBack();
                                         }
                                     });
    backBtn_->setEnabled(false);
    setToolbarItems({backBtn_, ui::BarButtonItem::flexibleSpace(),
                     ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::action,
                                                       [weak](ui::BarButtonItem&) {
                                                           if (auto strong = weak.lock()) {
                                                               strong->showActions();
                                                           }
                                                       })});
}

void WebViewController::loadURL(const foundation::URL& url) {
    history_ = url.standardized().absoluteString();
    if (backBtn_) {
        backBtn_->setEnabled(false);
    }
    refreshRequest();
}

void WebViewController::refreshRequest() {
    auto web = webView();
    const bool reachable = IsNetworkReachable();
    web->setScalesPageToFit(reachable);
    if (reachable) {
        if (auto url = foundation::URL::fromString(history_)) {
            web->loadRequest(net::URLRequest(*url));
        }
        return;
    }
    if (auto path = foundation::Bundle::main().pathForResource("ur", "xhtml")) {
        web->loadRequest(net::URLRequest(foundation::URL::fileURL(*path)));
    }
}

void WebViewController::viewWillAppear(bool animated) {
    if (!webView()->request()) {
        refreshRequest();
    }
}

void WebViewController::viewWillDisappear(bool animated) {
    if (webView()->isLoading()) {
        UpdateNetworkActivity(-1);
    }
}

bool WebViewController::shouldAutorotateToInterfaceOrientation(
    ui::InterfaceOrientation orientation) const {
    return orientation != ui::InterfaceOrientation::portraitUpsideDown;
}

void WebViewController::goBack() {
    auto web = webView();
    if (web->canGoBack()) {
        web->goBack();
    }
}

void WebViewController::updateBackButton() {
    if (backBtn_) {
        backBtn_->setEnabled(webView()->canGoBack());
    }
}

void WebViewController::webViewDidStartLoad(web::WebView&) {
    UpdateNetworkActivity(1);
}

void WebViewController::webViewDidFinishLoad(web::WebView& web) {
    UpdateNetworkActivity(-1);
    updateBackButton();
    setTitle(web.stringByEvaluatingJavaScriptFromString("document.title"));
}

void WebViewController::webViewDidFailLoad(web::WebView& web, const net::URLError& error) {
    UpdateNetworkActivity(-1);
    updateBackButton();
    if (web.isLoading() ||
        (error.domain == net::URLErrorDomain && error.code == net::URLErrorCode::cancelled)) {
        return;
    }
    showAlert("Failed to open link",
              error.localizedDescription.empty() ? "Unknown error" : error.localizedDescription,
              "Cancel");
}

bool WebViewController::webViewShouldStartLoad(web::WebView& web, const net::URLRequest& request,
                                               web::NavigationType type) {
    if (web.isLoading()) {
        return true;
    }
    const auto url = request.url() ? std::optional(request.url()->standardized()) : std::nullopt;
    if (type == web::NavigationType::backForward) {
        updateBackButton();
    } else if (type == web::NavigationType::linkClicked && !canOpenInternal(url)) {
        openExternalURL(url);
        return false;
    }
    setTitle(url ? url->absoluteString() : std::string());
    return true;
}

void WebViewController::showActions() {
    auto self = std::static_pointer_cast<WebViewController>(shared_from_this());
    actionSheet_ = ui::ActionSheet::make("", self, std::string("Cancel"), std::nullopt,
                                         {"Reload", "Open in Safari", "Mail link to this page"});
    actionSheet_->setActionSheetStyle(ui::ActionSheetStyle::blackOpaque);
    if (auto navigation = navigationController()) {
        actionSheet_->showInView(navigation->view());
    } else {
        actionSheet_->showInView(view());
    }
}

void WebViewController::actionSheetClickedButtonAtIndex(ui::ActionSheet& sheet, int index) {
    if (index == sheet.cancelButtonIndex()) {
        return;
    }
    auto web = webView();
    const std::optional<foundation::URL> current =
        web->request() ? web->request()->url() : std::nullopt;
    switch (index - sheet.firstOtherButtonIndex()) {
        case 0:
            web->reload();
            break;
        case 1:
            openExternalURL(current);
            break;
        case 2: {
            if (!services::MailComposeViewController::canSendMail()) {
                showAlert("Uh oh...", "Sorry, this device is not able to send e-mail", "OK");
                break;
            }
            auto composer = services::MailComposeViewController::make();
            composer->setMailComposeDelegate(
                std::static_pointer_cast<WebViewController>(shared_from_this()));
            composer->setSubject("Barcode link");
            composer->setMessageBody(current ? current->absoluteString() : std::string(), false);
            if (auto navigation = navigationController()) {
                navigation->presentViewController(composer, true);
            } else {
                presentViewController(composer, true);
            }
            break;
        }
        default:
            break;
    }
}

void WebViewController::mailComposeControllerDidFinish(
    services::MailComposeViewController& controller, services::MailComposeResult result,
    const std::optional<foundation::Error>& error) {
    controller.setMailComposeDelegate(std::weak_ptr<services::MailComposeViewControllerDelegate>());
    if (result == services::MailComposeResult::failed) {
        showAlert(error ? error->localizedDescription : std::string(), "", "Dismiss");
    }
    if (auto navigation = navigationController()) {
        navigation->dismissViewController(true);
    } else {
        dismissViewController(true);
    }
}

foundation::Value WebViewController::saveState() {
    return foundation::Value::dictionary({{"class", className()}, {"history", history_}});
}

bool WebViewController::restoreState(const foundation::Value& state) {
    if (!state.isDictionary() || !IsNetworkReachable()) {
        return false;
    }
    const auto* text = state.get("history").asString();
    if (text == nullptr) {
        return false;
    }
    history_ = *text;
    return foundation::URL::fromString(history_).has_value();
}

void WebViewController::cleanup() {
    if (isViewLoaded()) {
        setToolbarItems({});
    }
    backBtn_.reset();
}
