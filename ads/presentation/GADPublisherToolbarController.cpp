#include "ads/presentation/GADPublisherToolbarController.h"

#include "ads/foundation/GADMacros.h"
#include "ads/webview/GADNotification.h"
#include "platform/foundation/Log.h"
#include "platform/graphics/Color.h"
#include "platform/net/URLRequest.h"
#include "platform/ui/BarButtonItem.h"

namespace {

// The text between single quotes of a JavaScript string literal: quotes,
// backslashes and the line terminators (which end a literal) escaped.
std::string escapedForSingleQuotes(const std::string& text) {
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '\'':
                escaped += "\\'";
                break;
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                // U+2028 and U+2029 (E2 80 A8/A9 in UTF-8) end lines too.
                if (c == '\xE2' && i + 2 < text.size() && text[i + 1] == '\x80' &&
                    (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
                    escaped += text[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
                    i += 2;
                } else {
                    escaped += c;
                }
        }
    }
    return escaped;
}

}  // namespace

const foundation::URL& GADPublisherToolbarController::toolbarScriptURL() {
    static const foundation::URL url =
        *foundation::URL::fromString("https://sdk.dezuvo.com/toolbar/sdk-publisher-toolbar.js");
    return url;
}

std::shared_ptr<GADPublisherToolbarController> GADPublisherToolbarController::make(
    std::optional<std::string> adContent, std::optional<std::string> adUnitID,
    const foundation::URL& scriptURL) {
    auto controller =
        std::make_shared<GADPublisherToolbarController>(std::move(adContent), std::move(adUnitID));
    controller->helperJS_ = GADCachedFile::make(scriptURL);
    controller->helperJS_->setDelegate(controller);
    return controller;
}

GADPublisherToolbarController::GADPublisherToolbarController(std::optional<std::string> adContent,
                                                             std::optional<std::string> adUnitID)
    : jsWebView_(std::make_shared<web::WebView>()),
      spinnyWheel_(
          std::make_shared<ui::ActivityIndicatorView>(ui::ActivityIndicatorViewStyle::whiteLarge)),
      adUnitID_(std::move(adUnitID)),
      adContent_(std::move(adContent)) {}

GADPublisherToolbarController::~GADPublisherToolbarController() {
    if (helperJS_) {
        helperJS_->cancel();
    }
}

std::shared_ptr<GADPublisherToolbarController> GADPublisherToolbarController::self() {
    return std::static_pointer_cast<GADPublisherToolbarController>(shared_from_this());
}

void GADPublisherToolbarController::viewWillAppear(bool animated) {
    GADViewController::viewWillAppear(animated);
    if (toolbar_) {
        return;
    }
    configureWebView(jsWebView_);
    configureSpinny();
    createWebViewToolbar();
    loadJavaScript();
}

void GADPublisherToolbarController::configureSpinny() {
    const graphics::Rect bounds = view()->bounds();
    spinnyWheel_->setAutoresizingMask(
        ui::Autoresizing::flexibleLeftMargin | ui::Autoresizing::flexibleRightMargin |
        ui::Autoresizing::flexibleTopMargin | ui::Autoresizing::flexibleBottomMargin);
    spinnyWheel_->setCenter(
        {bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2});
    view()->setBackgroundColor(graphics::Color::whiteColor());
    view()->addSubview(spinnyWheel_);
    spinnyWheel_->startAnimating();
}

void GADPublisherToolbarController::createWebViewToolbar() {
    const graphics::Rect bounds = view()->bounds();
    toolbar_ = std::make_shared<ui::Toolbar>(
        graphics::Rect(0, bounds.size.height - kToolbarHeight, bounds.size.width, kToolbarHeight));
    toolbar_->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                  ui::Autoresizing::flexibleTopMargin);
    toolbar_->setTintColor(graphics::Color::blackColor());
    std::weak_ptr<GADPublisherToolbarController> weak = self();
    auto done = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::done,
                                                  [weak](ui::BarButtonItem&) {
                                                      if (auto controller = weak.lock()) {
                                                          controller->relinquishScreen();
                                                      }
                                                  });
    done->setStyle(ui::BarButtonItemStyle::done);
    done->setEnabled(true);
    done->setAccessibilityLabel("Done");
    toolbar_->setItems({done});
    view()->addSubview(toolbar_);
}

void GADPublisherToolbarController::configureWebView(const std::shared_ptr<web::WebView>& webView) {
    const graphics::Rect bounds = view()->bounds();
    webView->setFrame(graphics::Rect(bounds.origin.x, bounds.origin.y, bounds.size.width,
                                     bounds.size.height - kToolbarHeight));
    webView->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                 ui::Autoresizing::flexibleHeight);
    webView->setHidden(true);
    webView->setDelegate(self());
    view()->addSubview(webView);
}

void GADPublisherToolbarController::loadJavaScript() {
    if (helperJS_) {
        helperJS_->validate();
    }
}

void GADPublisherToolbarController::callJavaScriptMethod(const std::string& method,
                                                         const std::optional<std::string>& argument,
                                                         bool wrapped) {
    std::string text = argument.value_or("");
    if (argument && wrapped) {
        text = "'" + escapedForSingleQuotes(text) + "'";
    }
    jsWebView_->stringByEvaluatingJavaScriptFromString(method + "(" + text + ");");
}

void GADPublisherToolbarController::launchToolbar() {
    foundation::Dictionary arguments;
    if (adUnitID_) {
        arguments["adUnitID"] = *adUnitID_;
    }
    if (std::optional<foundation::Dictionary> stored = credentials_.credentials();
        stored && !stored->empty()) {
        arguments["credentials"] = *stored;
    }
    if (adContent_) {
        arguments["adContent"] = *adContent_;
    }
    callJavaScriptMethod("VIRA_initializeToolbar", GADMacros::dictionaryToJSONString(arguments),
                         false);
}

void GADPublisherToolbarController::loadAuthenticationUri(const foundation::URL& url) {
    if (!oauthWebView_) {
        oauthWebView_ = std::make_shared<web::WebView>();
        configureWebView(oauthWebView_);
    }
    jsWebView_->setHidden(true);
    oauthWebView_->setHidden(false);
    oauthWebView_->loadRequest(net::URLRequest(url));
}

void GADPublisherToolbarController::decodeImpression(const std::optional<std::string>& title) {
    foundation::Dictionary arguments;
    if (adContent_) {
        arguments["adContent"] = *adContent_;
    }
    if (title) {
        arguments["authenticationPageTitle"] = *title;
    }
    callJavaScriptMethod("VIRA_decodeImpression", GADMacros::dictionaryToJSONString(arguments),
                         false);
}

bool GADPublisherToolbarController::webViewShouldStartLoad(web::WebView& webView,
                                                           const net::URLRequest& request,
                                                           web::NavigationType) {
    if (!request.url() || !GADNotification::isNotificationURL(*request.url())) {
        return true;
    }
    // Only the toolbar's own script gives orders: a sign-in page cannot
    // store or clear credentials or open other pages.
    if (&webView != jsWebView_.get()) {
        foundation::Log::write("ads", "Publisher toolbar: ignored a message of the sign-in page");
        return false;
    }
    if (std::optional<GADNotification> message =
            GADNotification::withNotificationURL(*request.url())) {
        performMessage(message->name(), message->parameters());
    }
    return false;
}

void GADPublisherToolbarController::performMessage(const std::string& name,
                                                   const foundation::Dictionary& parameters) {
    if (name == "loadAuthenticationUri") {
        auto found = parameters.find("authenticationUri");
        std::optional<foundation::URL> url;
        if (found != parameters.end()) {
            url = foundation::URL::fromString(found->second.stringValue());
        }
        if (url && !url->scheme().empty()) {
            loadAuthenticationUri(*url);
        } else {
            foundation::Log::write("ads", "Publisher toolbar: no sign-in address to load");
        }
    } else if (name == "showJavaScriptWebView") {
        spinnyWheel_->stopAnimating();
        jsWebView_->setHidden(false);
    } else if (name == "clearCredentials") {
        credentials_.clearCredentials();
    } else if (name == "storeCredentials") {
        credentials_.storeCredentials(parameters);
    }
}

void GADPublisherToolbarController::webViewDidFinishLoad(web::WebView& webView) {
    if (oauthWebView_ && &webView == oauthWebView_.get()) {
        const std::string title = webView.stringByEvaluatingJavaScriptFromString("document.title");
        if (title.rfind("Success", 0) == 0) {
            oauthWebView_->setHidden(true);
            spinnyWheel_->startAnimating();
            decodeImpression(title);
        }
    } else if (&webView == jsWebView_.get()) {
        launchToolbar();
    }
}

std::optional<foundation::Error> GADPublisherToolbarController::cachedFileShouldRedirectToURL(
    GADCachedFile&, const foundation::URL&) {
    return std::nullopt;
}

void GADPublisherToolbarController::cachedFileDownloadDidEnd(GADCachedFile& file) {
    const std::optional<std::string> script = file.contentAsString();
    if (!script) {
        foundation::Log::write("ads", "Publisher toolbar: the toolbar script is not UTF-8 text");
        relinquishScreen();
        return;
    }
    jsWebView_->loadHTMLString(
        "<html><head><script>" + *script + "</script>" + "</head><body></body></html>",
        std::nullopt);
}

void GADPublisherToolbarController::cachedFileDownloadDidFail(
    GADCachedFile&, const std::optional<foundation::Error>&) {
    relinquishScreen();
}
