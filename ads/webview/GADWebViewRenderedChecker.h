#pragma once

// Decides whether a web view's page has drawn anything: the view is painted
// at its size and scale 1, and the page counts as drawn while less than 90 %
// of the pixels show the view's background colour. The checks themselves are
// static so that every render check of the component shares them; an
// instance samples one web view for one delegate, both held weakly. Main
// thread.

#include <memory>
#include <optional>

#include "ads/webview/GADWebViewRenderedCheckerDelegate.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Image.h"

namespace web {
class WebView;
}

class GADWebViewRenderedChecker {
  public:
    // The share of background pixels at and above which nothing counts as
    // drawn.
    static constexpr double kBlankShare = 0.9;

    GADWebViewRenderedChecker(const std::shared_ptr<web::WebView>& webView,
                              const std::shared_ptr<GADWebViewRenderedCheckerDelegate>& delegate);

    std::shared_ptr<web::WebView> webView() const { return webView_.lock(); }
    void setWebView(const std::shared_ptr<web::WebView>& webView) { webView_ = webView; }
    std::shared_ptr<GADWebViewRenderedCheckerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<GADWebViewRenderedCheckerDelegate>& delegate) {
        delegate_ = delegate;
    }

    // One sample: tells the delegate whether the page has drawn; nothing
    // when the web view or the delegate is gone.
    void checkIsContentRenderedInWebView();

    // The page of `webView` shows less than kBlankShare of its background
    // colour; false when the view has no pixels.
    static bool isContentRendered(web::WebView& webView);
    // The share of the image's pixels that show `color`, compared as 8-bit
    // premultiplied RGBA (each component within one step of rounding): grey
    // colours count as red = green = blue, colours neither grey nor RGB give
    // 0; nullopt for an image without pixels.
    static std::optional<double> percentOfImage(const graphics::Image& image,
                                                const graphics::Color& color);

  private:
    std::weak_ptr<web::WebView> webView_;
    std::weak_ptr<GADWebViewRenderedCheckerDelegate> delegate_;
};
