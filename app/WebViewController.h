#pragma once

// A simple web screen (a web view with a back button and an actions menu)
// that saves and restores the address it shows; and the application's rule
// for where a link opens: http and https in the application, everything else
// through the platform.

#include <memory>
#include <string>

#include "app/PersistentState.h"
#include "platform/foundation/URL.h"
#include "platform/services/MailComposeViewController.h"
#include "platform/ui/ActionSheet.h"
#include "platform/ui/ActionSheetDelegate.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/ViewController.h"
#include "platform/web/WebView.h"
#include "platform/web/WebViewDelegate.h"

class WebViewController : public ui::ViewController,
                          public web::WebViewDelegate,
                          public ui::ActionSheetDelegate,
                          public services::MailComposeViewControllerDelegate,
                          public PersistentState {
  public:
    // Whether the URL is one for the in-app browser (scheme exactly "http" or "https").
    static bool canOpenInternal(const std::optional<foundation::URL>& url);
    // Hands the URL to the platform; an "Invalid URL" alert when there is
    // none or the platform refuses it.
    static bool openExternalURL(const std::optional<foundation::URL>& url);

    ~WebViewController() override;

    std::string className() const override { return "WebViewController"; }

    void loadURL(const foundation::URL& url);
    void refreshRequest();
    void goBack();
    void showActions();
    void cleanup();

    std::shared_ptr<web::WebView> webView();
    const ui::BarButtonItem::Ptr& backButton() const { return backBtn_; }
    const std::string& history() const { return history_; }
    const std::shared_ptr<ui::ActionSheet>& actionSheet() const { return actionSheet_; }

    foundation::Value saveState() override;
    bool restoreState(const foundation::Value& state) override;

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(
        ui::InterfaceOrientation orientation) const override;

    bool webViewShouldStartLoad(web::WebView& webView, const net::URLRequest& request,
                                web::NavigationType type) override;
    void webViewDidStartLoad(web::WebView& webView) override;
    void webViewDidFinishLoad(web::WebView& webView) override;
    void webViewDidFailLoad(web::WebView& webView, const net::URLError& error) override;

    void actionSheetClickedButtonAtIndex(ui::ActionSheet& sheet, int index) override;
    void mailComposeControllerDidFinish(services::MailComposeViewController& controller,
                                        services::MailComposeResult result,
                                        const std::optional<foundation::Error>& error) override;

  private:
    void updateBackButton();

    ui::BarButtonItem::Ptr backBtn_;
    std::string history_;
    std::shared_ptr<ui::ActionSheet> actionSheet_;
};
