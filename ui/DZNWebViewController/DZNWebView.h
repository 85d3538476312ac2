#pragma once

// A web view that tells its navigation delegate of every change of its
// estimated progress; that delegate is also its platform navigation
// delegate.

#include <memory>

#include "platform/web/WebView.h"
#include "ui/DZNWebViewController/DZNNavigationDelegate.h"

class DZNWebView : public web::WebView {
  public:
    using web::WebView::WebView;
    ~DZNWebView() override;

    std::string className() const override { return "DZNWebView"; }

    std::shared_ptr<DZNNavigationDelegate> navDelegate() const { return navDelegate_.lock(); }
    // Held weakly; the progress is observed while a delegate is set.
    void setNavDelegate(const std::shared_ptr<DZNNavigationDelegate>& delegate);

  private:
    void observeProgress(bool observe);

    std::weak_ptr<DZNNavigationDelegate> navDelegate_;
    bool observing_ = false;
};
