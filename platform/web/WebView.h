#pragma once

// A view that shows web pages: loads a request (through platform/net) or an
// HTML string with a base URL, runs each frame's scripts over a small DOM in
// a JavaScript global context of that frame's document (all of the view's
// contexts share one context group; a context that is running a script is
// released only after the script returns), loads images and other
// sub-resources through platform/net with the document as Referer, reads and
// writes document.cookie in the shared cookie jar, asks its delegates before every navigation of
// every frame, reports each frame's load, and keeps the title, the back/forward list, the loading
// state and an estimated progress (observable by key-value observation under
// "loading", "estimatedProgress", "title", "URL", "canGoBack",
// "canGoForward"). Navigations a script asks for are queued and decided on
// the next turn of the main run loop, one policy question each, in order, so
// delegates never run inside a running script and may evaluate scripts
// themselves. Main thread only (asserted). Malformed pages and throwing scripts are
// logged, never fatal.

#include <JavaScriptCore/JavaScript.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Data.h"
#include "platform/foundation/Observable.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "platform/net/URLError.h"
#include "platform/net/URLRequest.h"
#include "platform/net/URLResponse.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/View.h"
#include "platform/web/BackForwardList.h"
#include "platform/web/CanvasBindings.h"
#include "platform/web/NavigationAction.h"
#include "platform/web/NavigationDelegate.h"
#include "platform/web/WebViewDelegate.h"

namespace net {
class URLConnection;
}

namespace web {

class ScriptEngine;

class WebView : public ui::View {
  public:
    explicit WebView(const graphics::Rect& frame = {});
    ~WebView() override;

    std::string className() const override { return "WebView"; }

    // Delegates, held weakly.
    std::shared_ptr<WebViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<WebViewDelegate>& delegate) { delegate_ = delegate; }
    std::shared_ptr<NavigationDelegate> navigationDelegate() const {
        return navigationDelegate_.lock();
    }
    void setNavigationDelegate(const std::shared_ptr<NavigationDelegate>& delegate) {
        navigationDelegate_ = delegate;
    }
    std::shared_ptr<WebUIDelegate> uiDelegate() const { return uiDelegate_.lock(); }
    void setUIDelegate(const std::shared_ptr<WebUIDelegate>& delegate) { uiDelegate_ = delegate; }

    // Loading. Each load is decided and started on the next turn of the main
    // run loop; a new main-frame load stops the one in progress (which fails
    // as cancelled).
    void loadRequest(const net::URLRequest& request);
    void loadHTMLString(const std::string& html, const std::optional<foundation::URL>& baseURL);
    void loadData(const foundation::Data& data, const std::string& mimeType,
                  const std::string& textEncodingName,
                  const std::optional<foundation::URL>& baseURL);
    void stopLoading();
    void reload();
    bool canGoBack() const;
    bool canGoForward() const;
    void goBack();
    void goForward();
    // goToBackForwardListItem: ; `offset` counts from the current item (-1:
    // the one back). Nothing happens without an item there.
    void goToBackForwardListItem(int offset);
    const BackForwardList& backForwardList() const { return history_; }

    bool isLoading() const { return loading_; }
    double estimatedProgress() const { return progress_; }
    // The main document's title ("" without one).
    const std::string& title() const { return title_; }
    // The main frame's URL; nullopt before the first load.
    const std::optional<foundation::URL>& URL() const { return url_; }
    // The main frame's current request (the last one it accepted).
    const std::optional<net::URLRequest>& request() const { return request_; }

    // Runs `script` in the main frame at once and answers its result as a
    // string: a string as it is, a number or boolean as its text, anything
    // else (or a thrown exception) "".
    std::string stringByEvaluatingJavaScriptFromString(const std::string& script);

    // The User-Agent of this view's requests (the layer's default when empty).
    const std::string& customUserAgent() const { return customUserAgent_; }
    void setCustomUserAgent(std::string userAgent) { customUserAgent_ = std::move(userAgent); }

    // Settings kept for the page (no effect headless).
    bool scalesPageToFit() const { return scalesPageToFit_; }
    void setScalesPageToFit(bool scales) { scalesPageToFit_ = scales; }
    bool allowsInlineMediaPlayback() const { return allowsInlineMediaPlayback_; }
    void setAllowsInlineMediaPlayback(bool allows) { allowsInlineMediaPlayback_ = allows; }
    bool mediaPlaybackRequiresUserAction() const { return mediaPlaybackRequiresUserAction_; }
    void setMediaPlaybackRequiresUserAction(bool required) {
        mediaPlaybackRequiresUserAction_ = required;
    }
    int dataDetectorTypes() const { return dataDetectorTypes_; }
    void setDataDetectorTypes(int types) { dataDetectorTypes_ = types; }
    bool allowsBackForwardNavigationGestures() const { return backForwardGestures_; }
    void setAllowsBackForwardNavigationGestures(bool allows) { backForwardGestures_ = allows; }
    const std::shared_ptr<ui::ScrollView>& scrollView() const { return scrollView_; }

    // What a finger does: clicks the main document's element with that id
    // (its click handlers run; a link is followed as a clicked link).
    // Answers false when there is no such element.
    bool tapElement(const std::string& elementId);

    // A finger lifted where it went down taps the main document's element at
    // that point (see tapAtPoint).
    void touchesBegan(const std::vector<std::shared_ptr<ui::Touch>>& touches,
                      const ui::Event& event) override;
    void touchesEnded(const std::vector<std::shared_ptr<ui::Touch>>& touches,
                      const ui::Event& event) override;
    // Touch events, then a click, on the topmost element whose box holds the
    // point (in the view's coordinates), the body when none does. Answers
    // false before any document.
    bool tapAtPoint(graphics::Point point);

    // Loads of documents, scripts and sub-resources in progress, all frames.
    std::size_t activeLoadCount() const;
    // The image the page loaded from `url` (absolute), decoded; nullptr while
    // it has not arrived or when it is not a picture.
    graphics::Image::Ptr loadedImage(const std::string& url) const;
    // The canvases the page's scripts draw in, for the painter.
    const CanvasBindings& canvases() const { return canvases_; }

    foundation::Value valueForKey(std::string_view key) const override;
    // Paints the page (see Painter).
    void drawContent(graphics::BitmapContext& context) const override;

  private:
    struct Frame;
    struct PendingNavigation {
        int frameId;
        std::string url;
        NavigationType type;
        bool newWindow;
    };
    class DocumentLoader;
    class ScriptLoader;
    class ResourceLoader;

    std::shared_ptr<WebView> self();
    // A new global context for the frame's next document; the frames below
    // it go away.
    void startEngine(int frameId);
    void installNatives(ScriptEngine& engine, int frameId, unsigned serial);
    // The frame whose current context is `serial`, or nullptr.
    Frame* liveFrame(int frameId, unsigned serial);
    void removeChildFrames(int frameId);
    void retireEngine(std::unique_ptr<ScriptEngine> engine);
    void connectionEnded(int frameId, const net::URLConnection& connection);

    // Navigation.
    void queueNavigation(PendingNavigation navigation);
    void drainNavigations();
    void navigate(int frameId, net::URLRequest request, NavigationType type, bool newWindow,
                  std::optional<std::string> html = std::nullopt, int historyIndex = -1);
    bool decidePolicy(int frameId, const net::URLRequest& request, NavigationType type,
                      bool newWindow);
    net::URLRequest prepared(net::URLRequest request) const;
    FrameInfo frameInfo(int frameId) const;

    // Frame loads.
    void beginFrameLoad(int frameId, const net::URLRequest& request);
    void frameReceivedResponse(int frameId, unsigned generation, const net::URLResponse& response);
    void frameReceivedDocument(int frameId, unsigned generation, const std::string& html,
                               const foundation::URL& url);
    void frameFailed(int frameId, unsigned generation, const net::URLError& error);
    void commitDocument(int frameId, const std::string& html, const foundation::URL& url);
    void scriptArrived(int frameId, unsigned generation, long key, std::optional<std::string> text,
                       bool dynamic);
    void runReadyScripts(int frameId);
    void checkComplete(int frameId);
    void cancelFrame(int frameId, bool report);
    void updateLoading();
    void setProgress(double progress);
    void updateTitle();
    void setURL(std::optional<foundation::URL> url);
    void updateHistoryKeys(bool couldGoBack, bool couldGoForward);

    // Script hooks.
    std::string evaluateIn(int frameId, const std::string& script);
    void setTimer(int frameId, unsigned serial, long id, double milliseconds, bool repeats);
    void clearTimers(std::optional<int> frameId = std::nullopt);

    std::weak_ptr<WebViewDelegate> delegate_;
    std::weak_ptr<NavigationDelegate> navigationDelegate_;
    std::weak_ptr<WebUIDelegate> uiDelegate_;

    JSContextGroupRef group_ = nullptr;
    unsigned nextEngineSerial_ = 0;
    // Contexts replaced while a script was running, released at depth 0.
    std::vector<std::unique_ptr<ScriptEngine>> retiredEngines_;
    // The pictures the page's images loaded, by URL, for the painter.
    std::map<std::string, graphics::Image::Ptr> images_;
    CanvasBindings canvases_{[this](const std::string& url) { return loadedImage(url); }};
    int scriptDepth_ = 0;
    std::map<int, std::unique_ptr<Frame>> frames_;
    int nextFrameId_ = 1;
    std::vector<PendingNavigation> navigations_;
    bool drainScheduled_ = false;
    // Page timers by frame and the page's timer id.
    std::map<std::pair<int, long>, std::shared_ptr<foundation::Timer>> timers_;

    BackForwardList history_;
    bool loading_ = false;
    double progress_ = 0;
    std::string title_;
    std::optional<foundation::URL> url_;
    std::optional<net::URLRequest> request_;
    bool mainCommitted_ = false;

    std::string customUserAgent_;
    bool scalesPageToFit_ = false;
    bool allowsInlineMediaPlayback_ = false;
    bool mediaPlaybackRequiresUserAction_ = true;
    int dataDetectorTypes_ = 0;
    bool backForwardGestures_ = false;
    std::shared_ptr<ui::ScrollView> scrollView_;
    std::optional<graphics::Point> tapStart_;
};

}  // namespace web
