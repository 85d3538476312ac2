#pragma once

// The help screen of the readers: the page "zbar-help.html" from the
// application's resources, told why it was opened (its script function
// onZBarHelp gets the reason), under a toolbar with Done and, once the page
// has gone somewhere, Back. Links that leave the bundled pages are opened in
// another application only after the user confirms.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/URL.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/ViewController.h"
#include "platform/web/WebView.h"
#include "platform/web/WebViewDelegate.h"
#include "scanning/zbar/ZBarHelpDelegate.h"

class ZBarHelpController : public ui::ViewController,
                           public web::WebViewDelegate,
                           public ui::AlertViewDelegate {
  public:
    using Ptr = std::shared_ptr<ZBarHelpController>;

    // initWithReason: ; no reason means "INFO".
    explicit ZBarHelpController(std::optional<std::string> reason = std::nullopt);
    ~ZBarHelpController() override;

    std::string className() const override { return "ZBarHelpController"; }

    const std::string& reason() const { return reason_; }
    std::shared_ptr<ZBarHelpDelegate> delegate() const { return delegate_.lock(); }
    // Held weakly.
    void setDelegate(std::weak_ptr<ZBarHelpDelegate> delegate) { delegate_ = std::move(delegate); }

    // Orientations this screen allows: bit n for interface orientation n;
    // with no bit set it follows its parent.
    using ui::ViewController::setInterfaceOrientation;
    void setInterfaceOrientation(ui::InterfaceOrientation orientation, bool supported);
    bool isInterfaceOrientationSupported(ui::InterfaceOrientation orientation) const;
    bool shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation o) const override;

    // The Done button: the delegate is told, or the screen dismisses itself.
    void dismiss();

    const std::shared_ptr<web::WebView>& webView() const { return webView_; }
    const std::shared_ptr<ui::Toolbar>& toolbar() const { return toolbar_; }
    const ui::BarButtonItem::Ptr& doneButton() const { return doneBtn_; }
    const ui::BarButtonItem::Ptr& backButton() const { return backBtn_; }
    // The outside link waiting for the user's answer.
    const std::optional<foundation::URL>& linkURL() const { return linkURL_; }

    void viewDidLoad() override;
    void viewDidUnload() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void didRotateFromInterfaceOrientation(ui::InterfaceOrientation from) override;

    bool webViewShouldStartLoad(web::WebView& webView, const net::URLRequest& request,
                                web::NavigationType navigationType) override;
    void webViewDidFinishLoad(web::WebView& webView) override;
    void webViewDidFailLoad(web::WebView& webView, const net::URLError& error) override;

    void alertViewClickedButtonAtIndex(ui::AlertView& alert, int index) override;

    static constexpr double kToolbarHeight = 44;

  private:
    std::shared_ptr<ZBarHelpController> self();
    void updateToolbar(bool animated);

    std::string reason_;
    std::weak_ptr<ZBarHelpDelegate> delegate_;
    std::shared_ptr<web::WebView> webView_;
    std::shared_ptr<ui::Toolbar> toolbar_;
    ui::BarButtonItem::Ptr doneBtn_;
    ui::BarButtonItem::Ptr backBtn_;
    ui::BarButtonItem::Ptr space_;
    std::optional<foundation::URL> linkURL_;
    std::uint64_t orientations_ = 0;
    bool showsBack_ = false;
};
