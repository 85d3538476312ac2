#pragma once

// The publisher toolbar: a full-screen debugging screen for the publisher of
// an ad. It downloads the vendor's toolbar script, runs it in a hidden web
// view with the ad unit, the ad's content and the stored credentials, lets
// the publisher sign in through a second web view and keeps the credentials
// the script hands over across launches. The script speaks to the screen only
// through gmsg messages of its own web view. Main thread.

#include <memory>
#include <optional>
#include <string>

#include "ads/foundation/GADCachedFile.h"
#include "ads/foundation/GADCachedFileDelegate.h"
#include "ads/foundation/GADPublisherToolbarCredentials.h"
#include "ads/presentation/GADViewController.h"
#include "platform/foundation/URL.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Toolbar.h"
#include "platform/web/WebView.h"
#include "platform/web/WebViewDelegate.h"

class GADPublisherToolbarController : public GADViewController,
                                      public web::WebViewDelegate,
                                      public GADCachedFileDelegate {
  public:
    // Points taken by the toolbar with the Done button along the bottom.
    static constexpr double kToolbarHeight = 30;

    // The vendor's toolbar script.
    static const foundation::URL& toolbarScriptURL();

    // The screen for an ad's content and ad unit (either may be absent),
    // with the script from `scriptURL`. Shown with presentFromViewController.
    static std::shared_ptr<GADPublisherToolbarController> make(
        std::optional<std::string> adContent, std::optional<std::string> adUnitID,
        const foundation::URL& scriptURL = toolbarScriptURL());
    GADPublisherToolbarController(std::optional<std::string> adContent,
                                  std::optional<std::string> adUnitID);
    ~GADPublisherToolbarController() override;
    std::string className() const override { return "GADPublisherToolbarController"; }

    // At the first appearance: the script's hidden web view, the spinner,
    // the toolbar, and the script's download (or revalidation).
    void viewWillAppear(bool animated) override;
    void configureSpinny();
    void createWebViewToolbar();
    // The web view over all but the toolbar's room, hidden, with this screen
    // as its delegate.
    void configureWebView(const std::shared_ptr<web::WebView>& webView);
    void loadJavaScript();

    // Runs "method(argument);" in the script's web view ("method();" without
    // an argument). A wrapped argument becomes a single-quoted JavaScript
    // string, with quotes, backslashes and line terminators escaped.
    void callJavaScriptMethod(const std::string& method, const std::optional<std::string>& argument,
                              bool wrapped);
    // VIRA_initializeToolbar with the ad unit, the stored credentials (when
    // there are any) and the ad's content.
    void launchToolbar();
    // Shows the sign-in page in the sign-in web view (made the first time).
    void loadAuthenticationUri(const foundation::URL& url);
    // VIRA_decodeImpression with the ad's content and the sign-in page's title.
    void decodeImpression(const std::optional<std::string>& title);

    // web::WebViewDelegate. gmsg messages are never loaded; those of the
    // script's web view are carried out.
    bool webViewShouldStartLoad(web::WebView& webView, const net::URLRequest& request,
                                web::NavigationType navigationType) override;
    void webViewDidFinishLoad(web::WebView& webView) override;

    // GADCachedFileDelegate. A failed download, or a script that is not
    // UTF-8 text, closes the screen.
    std::optional<foundation::Error> cachedFileShouldRedirectToURL(
        GADCachedFile& file, const foundation::URL& url) override;
    void cachedFileDownloadDidEnd(GADCachedFile& file) override;
    void cachedFileDownloadDidFail(GADCachedFile& file,
                                   const std::optional<foundation::Error>& error) override;

    GADPublisherToolbarCredentials& credentials() { return credentials_; }
    const std::shared_ptr<web::WebView>& oauthWebView() const { return oauthWebView_; }
    const std::shared_ptr<web::WebView>& jsWebView() const { return jsWebView_; }
    const std::shared_ptr<ui::ActivityIndicatorView>& spinnyWheel() const { return spinnyWheel_; }
    const std::shared_ptr<GADCachedFile>& helperJS() const { return helperJS_; }
    const std::shared_ptr<ui::Toolbar>& toolbar() const { return toolbar_; }
    const std::optional<std::string>& adUnitID() const { return adUnitID_; }
    const std::optional<std::string>& adContent() const { return adContent_; }

  private:
    std::shared_ptr<GADPublisherToolbarController> self();
    void performMessage(const std::string& name, const foundation::Dictionary& parameters);

    GADPublisherToolbarCredentials credentials_;
    std::shared_ptr<web::WebView> oauthWebView_;
    std::shared_ptr<web::WebView> jsWebView_;
    std::shared_ptr<ui::ActivityIndicatorView> spinnyWheel_;
    std::shared_ptr<GADCachedFile> helperJS_;
    std::shared_ptr<ui::Toolbar> toolbar_;
    std::optional<std::string> adUnitID_;
    std::optional<std::string> adContent_;
};
