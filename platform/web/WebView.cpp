#include "platform/web/WebView.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cassert>
#include <cmath>

#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/Thread.h"
#include "platform/net/CookieJar.h"
#include "platform/net/URLConnection.h"
#include "platform/net/UserAgent.h"
#include "platform/web/DOMPrelude.h"
#include "platform/web/HTMLTreeBuilder.h"
#include "platform/web/LayoutBindings.h"
#include "platform/web/Painter.h"
#include "platform/web/ScriptEngine.h"
#include "platform/web/ScriptStringLiteral.h"
#include "platform/web/StyleBindings.h"

namespace web {

namespace {

using foundation::Value;
using nlohmann::json;

constexpr int kMainFrame = 0;

void assertMainThread() {
    assert(foundation::Thread::isMainThread() && "web views are used on the main thread only");
}

bool sameDocument(const foundation::URL& a, const foundation::URL& b) {
    auto strip = [](const std::string& text) { return text.substr(0, text.find('#')); };
    return strip(a.absoluteString()) == strip(b.absoluteString());
}

}  // namespace

struct WebView::Frame {
    struct Script {
        long key = 0;
        bool ready = false;
        std::optional<std::string> text;
    };

    int id = 0;
    int parentId = -1;
    std::optional<foundation::URL> url;
    net::URLRequest request;
    bool loading = false;
    bool committed = false;
    bool parsed = false;
    bool countsForParent = false;
    unsigned generation = 0;
    int pending = 0;
    NavigationType type = NavigationType::other;
    int historyIndex = -1;
    std::optional<std::string> html;
    std::vector<Script> scripts;
    std::size_t nextScript = 0;
    std::vector<std::shared_ptr<net::URLConnection>> connections;
    // The global context of the current document and its serial number.
    std::unique_ptr<ScriptEngine> engine;
    unsigned engineSerial = 0;
    // A script of the current document ran past the time limit: the
    // document runs no script any more.
    bool halted = false;
};

// Fetches a frame's document.
class WebView::DocumentLoader : public net::URLConnectionDelegate {
  public:
    DocumentLoader(std::weak_ptr<WebView> view, int frameId, unsigned generation)
        : view_(std::move(view)), frameId_(frameId), generation_(generation) {}

    std::optional<net::URLRequest> connectionWillSendRequest(
        net::URLConnection& connection, const net::URLRequest& request,
        const net::URLResponse* redirect) override {
        auto view = view_.lock();
        if (redirect == nullptr || !view) {
            return request;
        }
        if (!view->decidePolicy(frameId_, view->prepared(request), NavigationType::other, false)) {
            connection.cancel();
            view->frameFailed(
                frameId_, generation_,
                net::URLError::make(net::URLErrorCode::cancelled, request.url()->absoluteString()));
            return std::nullopt;
        }
        return request;
    }
    void connectionDidReceiveResponse(net::URLConnection&,
                                      const net::URLResponse& response) override {
        response_ = response;
        body_.clear();
        if (auto view = view_.lock()) {
            view->frameReceivedResponse(frameId_, generation_, response);
        }
    }
    void connectionDidReceiveData(net::URLConnection&, const foundation::Data& data) override {
        body_.insert(body_.end(), data.begin(), data.end());
    }
    void connectionDidFinishLoading(net::URLConnection& connection) override {
        auto view = view_.lock();
        if (!view || !response_) {
            return;
        }
        std::string text = HTMLTreeBuilder::toUTF8(
            std::string_view(reinterpret_cast<const char*>(body_.data()), body_.size()),
            response_->textEncodingName().value_or("utf-8"));
        const std::string& mime = response_->mimeType();
        if (mime == "text/plain" || mime == "application/json" ||
            mime == "application/javascript" || mime == "text/css") {
            std::string escaped;
            for (char c : text) {
                escaped += c == '<' ? "&lt;" : c == '&' ? "&amp;" : std::string(1, c);
            }
            text = "<html><body><pre>" + escaped + "</pre></body></html>";
        }
        view->connectionEnded(frameId_, connection);
        view->frameReceivedDocument(frameId_, generation_, text, response_->url());
    }
    void connectionDidFailWithError(net::URLConnection& connection,
                                    const net::URLError& error) override {
        if (auto view = view_.lock()) {
            view->connectionEnded(frameId_, connection);
            view->frameFailed(frameId_, generation_, error);
        }
    }

  private:
    std::weak_ptr<WebView> view_;
    int frameId_;
    unsigned generation_;
    std::optional<net::URLResponse> response_;
    foundation::Data body_;
};

// Fetches a script of a page.
class WebView::ScriptLoader : public net::URLConnectionDelegate {
  public:
    ScriptLoader(std::weak_ptr<WebView> view, int frameId, unsigned generation, long key,
                 bool dynamic)
        : view_(std::move(view)),
          frameId_(frameId),
          generation_(generation),
          key_(key),
          dynamic_(dynamic) {}

    void connectionDidReceiveResponse(net::URLConnection&,
                                      const net::URLResponse& response) override {
        response_ = response;
        body_.clear();
    }
    void connectionDidReceiveData(net::URLConnection&, const foundation::Data& data) override {
        body_.insert(body_.end(), data.begin(), data.end());
    }
    void connectionDidFinishLoading(net::URLConnection& connection) override {
        std::optional<std::string> text;
        if (response_ && (!response_->isHTTP() || response_->statusCode() < 400)) {
            text = HTMLTreeBuilder::toUTF8(
                std::string_view(reinterpret_cast<const char*>(body_.data()), body_.size()),
                response_->textEncodingName().value_or("utf-8"));
        }
        deliver(connection, std::move(text));
    }
    void connectionDidFailWithError(net::URLConnection& connection, const net::URLError&) override {
        deliver(connection, std::nullopt);
    }

  private:
    void deliver(net::URLConnection& connection, std::optional<std::string> text) {
        if (auto view = view_.lock()) {
            view->connectionEnded(frameId_, connection);
            view->scriptArrived(frameId_, generation_, key_, std::move(text), dynamic_);
        }
    }

    std::weak_ptr<WebView> view_;
    int frameId_;
    unsigned generation_;
    long key_;
    bool dynamic_;
    std::optional<net::URLResponse> response_;
    foundation::Data body_;
};

// Fetches an image or another sub-resource of a page; the element hears
// "load" or "error".
class WebView::ResourceLoader : public net::URLConnectionDelegate {
  public:
    ResourceLoader(std::weak_ptr<WebView> view, int frameId, unsigned serial, long key,
                   bool counted, std::string url)
        : view_(std::move(view)),
          frameId_(frameId),
          serial_(serial),
          key_(key),
          counted_(counted),
          url_(std::move(url)) {}

    void connectionDidReceiveResponse(net::URLConnection&,
                                      const net::URLResponse& response) override {
        ok_ = !response.isHTTP() || response.statusCode() < 400;
    }
    void connectionDidReceiveData(net::URLConnection&, const foundation::Data& data) override {
        data_.insert(data_.end(), data.begin(), data.end());
    }
    void connectionDidFinishLoading(net::URLConnection& connection) override {
        if (auto view = view_.lock(); view && ok_) {
            if (auto image = graphics::Image::imageWithData(data_)) {
                view->images_[url_] = image;
            }
        }
        deliver(connection, ok_);
    }
    void connectionDidFailWithError(net::URLConnection& connection, const net::URLError&) override {
        deliver(connection, false);
    }

  private:
    void deliver(net::URLConnection& connection, bool ok) {
        auto view = view_.lock();
        if (!view) {
            return;
        }
        view->connectionEnded(frameId_, connection);
        Frame* frame = view->liveFrame(frameId_, serial_);
        if (frame == nullptr) {
            return;
        }
        view->evaluateIn(frameId_, "__dom.resourceDone(" + std::to_string(key_) + "," +
                                       (ok ? "true" : "false") + ")");
        frame = view->liveFrame(frameId_, serial_);
        if (counted_ && frame != nullptr && frame->loading && frame->pending > 0) {
            --frame->pending;
            view->checkComplete(frameId_);
        }
    }

    std::weak_ptr<WebView> view_;
    int frameId_;
    unsigned serial_;
    long key_;
    bool counted_;
    std::string url_;
    foundation::Data data_;
    bool ok_ = false;
};

WebView::WebView(const graphics::Rect& frame)
    : ui::View(frame),
      scrollView_(std::make_shared<ui::ScrollView>(graphics::Rect{{0, 0}, frame.size})),
      windowSize_(frame.size) {
    assertMainThread();
    auto main = std::make_unique<Frame>();
    main->id = kMainFrame;
    frames_[kMainFrame] = std::move(main);
}

WebView::~WebView() {
    clearTimers();
    for (auto& [id, frame] : frames_) {
        for (auto& connection : frame->connections) {
            connection->cancel();
        }
    }
    frames_.clear();
    retiredEngines_.clear();
    ScriptEngine::releaseGroup(group_);
}

graphics::Image::Ptr WebView::loadedImage(const std::string& url) const {
    auto it = images_.find(url);
    return it == images_.end() ? nullptr : it->second;
}

std::size_t WebView::activeLoadCount() const {
    std::size_t count = 0;
    for (const auto& [id, frame] : frames_) {
        count += frame->connections.size();
    }
    return count;
}

void WebView::connectionEnded(int frameId, const net::URLConnection& connection) {
    const auto found = frames_.find(frameId);
    if (found == frames_.end()) {
        return;
    }
    auto& connections = found->second->connections;
    std::erase_if(connections, [&](const auto& held) { return held.get() == &connection; });
}

std::shared_ptr<WebView> WebView::self() {
    return std::static_pointer_cast<WebView>(weak_from_this().lock());
}

foundation::Value WebView::valueForKey(std::string_view key) const {
    if (key == "loading") {
        return loading_;
    }
    if (key == "estimatedProgress") {
        return progress_;
    }
    if (key == "title") {
        return title_;
    }
    if (key == "URL") {
        return url_ ? Value(url_->absoluteString()) : Value();
    }
    if (key == "canGoBack") {
        return canGoBack();
    }
    if (key == "canGoForward") {
        return canGoForward();
    }
    return ui::View::valueForKey(key);
}

// Script contexts.

WebView::Frame* WebView::liveFrame(int frameId, unsigned serial) {
    const auto found = frames_.find(frameId);
    if (found == frames_.end() || found->second->engineSerial != serial) {
        return nullptr;
    }
    return found->second.get();
}

bool WebView::mayLoad(int frameId, const foundation::URL& url, std::string_view what) const {
    if (!url.isFileURL()) {
        return true;
    }
    const auto found = frames_.find(frameId);
    const auto& document = found == frames_.end() ? std::nullopt : found->second->url;
    if (document && document->isFileURL()) {
        return true;
    }
    foundation::Log::write("web", "Refused to load the local file " + url.absoluteString() +
                                      " as " + std::string(what) + " of " +
                                      (document ? document->absoluteString() : "about:blank"));
    return false;
}

void WebView::retireEngine(std::unique_ptr<ScriptEngine> engine) {
    if (engine && scriptDepth_ > 0) {
        retiredEngines_.push_back(std::move(engine));
    }
}

void WebView::removeChildFrames(int frameId) {
    std::vector<int> children;
    for (const auto& [id, frame] : frames_) {
        if (frame->parentId == frameId) {
            children.push_back(id);
        }
    }
    for (int id : children) {
        removeChildFrames(id);
        auto found = frames_.find(id);
        for (auto& connection : found->second->connections) {
            connection->cancel();
        }
        clearTimers(id);
        canvases_.removeFrame(id);
        retireEngine(std::move(found->second->engine));
        frames_.erase(found);
    }
}

void WebView::startEngine(int frameId) {
    removeChildFrames(frameId);
    clearTimers(frameId);
    Frame& frame = *frames_.at(frameId);
    retireEngine(std::move(frame.engine));
    if (group_ == nullptr) {
        group_ = ScriptEngine::makeGroup();
    }
    frame.engine = std::make_unique<ScriptEngine>(group_);
    frame.engineSerial = ++nextEngineSerial_;
    frame.halted = false;
    installNatives(*frame.engine, frameId, frame.engineSerial);
    frame.engine->evaluate(domPrelude(), "about:prelude");
    frame.engine->evaluate(StyleBindings::script(), "about:style");
    LayoutBindings::install(*frame.engine, *this);
    canvases_.install(*frame.engine, frameId);
    const auto parent = frames_.find(frame.parentId);
    if (parent != frames_.end() && parent->second->engine) {
        frame.engine->setGlobalObject("parent", *parent->second->engine);
        frame.engine->setGlobalObject("top", *frames_.at(kMainFrame)->engine);
        parent->second->engine->setGlobalObjectEntry("__frameWindows", std::to_string(frameId),
                                                     frame.engine.get());
    }
}

void WebView::installNatives(ScriptEngine& engine, int frameId, unsigned serial) {
    auto numberArg = [](const std::vector<Value>& args, std::size_t i) {
        return i < args.size() ? static_cast<long>(args[i].doubleValue()) : 0L;
    };
    auto textArg = [](const std::vector<Value>& args, std::size_t i) {
        return i < args.size() ? args[i].stringValue() : std::string();
    };
    auto documentURL = [this, frameId, serial]() -> std::optional<foundation::URL> {
        Frame* frame = liveFrame(frameId, serial);
        return frame ? frame->url : std::nullopt;
    };
    engine.defineFunction("__nativeNavigate", [this, frameId, serial, numberArg,
                                               textArg](const std::vector<Value>& args) {
        if (liveFrame(frameId, serial) == nullptr) {
            return Value();
        }
        const int target = static_cast<int>(numberArg(args, 0));
        const auto found = frames_.find(target);
        if (found == frames_.end() || (target != frameId && found->second->parentId != frameId)) {
            return Value();
        }
        const auto url = foundation::URL::fromString(textArg(args, 1));
        if (url && !mayLoad(frameId, *url, target == frameId ? "a navigation" : "a frame")) {
            return Value();
        }
        const long type = args.size() > 2 ? numberArg(args, 2) : 5;
        queueNavigation({target, textArg(args, 1),
                         static_cast<NavigationType>(std::clamp(type, 0L, 5L)),
                         args.size() > 3 && args[3].boolValue()});
        return Value();
    });
    engine.defineFunction("__nativeResolve",
                          [documentURL, textArg](const std::vector<Value>& args) {
                              const auto base = documentURL();
                              const std::string text = textArg(args, 0);
                              std::optional<foundation::URL> resolved;
                              if (base && base->scheme() != "about") {
                                  resolved = foundation::URL::fromString(text, *base);
                              } else {
                                  resolved = foundation::URL::fromString(text);
                                  if (resolved && resolved->scheme().empty()) {
                                      resolved.reset();
                                  }
                              }
                              return resolved ? Value(resolved->absoluteString()) : Value("");
                          });
    engine.defineFunction("__nativeFrameURL", [documentURL](const std::vector<Value>&) {
        const auto url = documentURL();
        return Value(url ? url->absoluteString() : "about:blank");
    });
    engine.defineFunction("__nativeSetTimer",
                          [this, frameId, serial, numberArg](const std::vector<Value>& args) {
                              if (args.size() >= 3 && liveFrame(frameId, serial) != nullptr) {
                                  setTimer(frameId, serial, numberArg(args, 0),
                                           args[1].doubleValue(), args[2].boolValue());
                              }
                              return Value();
                          });
    engine.defineFunction("__nativeClearTimer",
                          [this, frameId, serial, numberArg](const std::vector<Value>& args) {
                              const auto found = timers_.find({frameId, numberArg(args, 0)});
                              if (liveFrame(frameId, serial) != nullptr && found != timers_.end()) {
                                  found->second->invalidate();
                                  timers_.erase(found);
                              }
                              return Value();
                          });
    engine.defineFunction("__nativeLog", [textArg](const std::vector<Value>& args) {
        foundation::Log::write("web", "console." + textArg(args, 0) + ": " + textArg(args, 1));
        return Value();
    });
    engine.defineFunction("__nativeEvaluate", [&engine, textArg](const std::vector<Value>& args) {
        const int line = args.size() > 2 ? static_cast<int>(args[2].doubleValue()) : 1;
        engine.evaluate(textArg(args, 0), textArg(args, 1), std::max(line, 1));
        return Value();
    });
    engine.defineFunction("__nativeParseFragment", [textArg](const std::vector<Value>& args) {
        return Value(HTMLTreeBuilder::fragmentTree(textArg(args, 0)));
    });
    engine.defineFunction("__nativeLoadScript", [this, frameId, serial, numberArg,
                                                 textArg](const std::vector<Value>& args) {
        Frame* frame = liveFrame(frameId, serial);
        if (frame == nullptr) {
            return Value();
        }
        const long key = numberArg(args, 1);
        std::optional<foundation::URL> url =
            frame->url ? foundation::URL::fromString(textArg(args, 0), *frame->url)
                       : foundation::URL::fromString(textArg(args, 0));
        if (url && !mayLoad(frameId, *url, "a script")) {
            url.reset();
        }
        if (frame->loading) {
            ++frame->pending;
        }
        const unsigned generation = frame->generation;
        const bool counted = frame->loading;
        if (!url) {
            std::weak_ptr<WebView> weak = self();
            foundation::RunLoop::main().perform([weak, frameId, generation, key, counted] {
                if (auto view = weak.lock()) {
                    view->scriptArrived(frameId, generation, key, std::nullopt, counted);
                }
            });
            return Value();
        }
        net::URLRequest request = prepared(net::URLRequest(*url));
        if (frame->url) {
            request.setValue(frame->url->absoluteString(), "Referer");
            request.setMainDocumentURL(frames_.at(kMainFrame)->url);
        }
        frame->connections.push_back(net::URLConnection::make(
            request, std::make_shared<ScriptLoader>(self(), frameId, generation, key, counted)));
        return Value();
    });
    engine.defineFunction("__nativeLoadResource", [this, frameId, serial, numberArg,
                                                   textArg](const std::vector<Value>& args) {
        Frame* frame = liveFrame(frameId, serial);
        if (frame == nullptr) {
            return Value();
        }
        const long key = numberArg(args, 1);
        const auto url = foundation::URL::fromString(textArg(args, 0));
        const std::string scheme = url ? foundation::lowercase(url->scheme()) : "";
        if ((scheme != "http" && scheme != "https" && scheme != "file" && scheme != "data") ||
            !mayLoad(frameId, *url, "a resource")) {
            std::weak_ptr<WebView> weak = self();
            foundation::RunLoop::main().perform([weak, frameId, serial, key] {
                auto view = weak.lock();
                if (view && view->liveFrame(frameId, serial)) {
                    view->evaluateIn(frameId,
                                     "__dom.resourceDone(" + std::to_string(key) + ",false)");
                }
            });
            return Value();
        }
        net::URLRequest request = prepared(net::URLRequest(*url));
        if (frame->url) {
            request.setValue(frame->url->absoluteString(), "Referer");
            request.setMainDocumentURL(frames_.at(kMainFrame)->url);
        }
        if (frame->loading) {
            ++frame->pending;
        }
        frame->connections.push_back(net::URLConnection::make(
            request, std::make_shared<ResourceLoader>(self(), frameId, serial, key, frame->loading,
                                                      url->absoluteString())));
        return Value();
    });
    engine.defineFunction(
        "__nativeCreateFrame", [this, frameId, serial](const std::vector<Value>&) {
            if (liveFrame(frameId, serial) == nullptr) {
                return Value();
            }
            auto frame = std::make_unique<Frame>();
            frame->id = nextFrameId_++;
            frame->parentId = frameId;
            const int id = frame->id;
            frames_[id] = std::move(frame);
            startEngine(id);
            frames_.at(id)->engine->evaluate(
                "__dom.loadDocument(" + HTMLTreeBuilder::documentTree("") + ",'about:blank','')");
            return Value(id);
        });
    engine.defineFunction("__nativeCookie", [documentURL](const std::vector<Value>&) {
        const auto url = documentURL();
        return Value(url ? net::CookieJar::cookiesForDocument(*url) : std::string());
    });
    engine.defineFunction("__nativeSetCookie",
                          [documentURL, textArg](const std::vector<Value>& args) {
                              if (const auto url = documentURL()) {
                                  net::CookieJar::setCookieFromDocument(*url, textArg(args, 0));
                              }
                              return Value();
                          });
    engine.defineFunction("__nativeInfo", [this, frameId](const std::vector<Value>&) {
        const auto size = bounds().size;
        return Value::dictionary(
            {{"userAgent", customUserAgent_.empty() ? net::defaultUserAgent() : customUserAgent_},
             {"width", size.width},
             {"height", size.height},
             {"frameId", frameId}});
    });
}

std::string WebView::evaluateIn(int frameId, const std::string& script) {
    assertMainThread();
    const auto found = frames_.find(frameId);
    if (found == frames_.end()) {
        return {};
    }
    if (!found->second->engine) {
        startEngine(frameId);
    }
    if (found->second->halted) {
        return {};
    }
    ScriptEngine* engine = found->second->engine.get();
    ++scriptDepth_;
    const ScriptEngine::Result result = engine->evaluate(script);
    if (--scriptDepth_ == 0) {
        retiredEngines_.clear();
    }
    if (result.timedOut) {
        haltFrame(frameId);
    }
    return result.text;
}

void WebView::haltFrame(int frameId) {
    Frame& frame = *frames_.at(frameId);
    if (frame.halted) {
        return;
    }
    frame.halted = true;
    clearTimers(frameId);
    if (!frame.loading) {
        return;
    }
    // The load fails on the next turn, outside the script that was ended.
    std::weak_ptr<WebView> weak = self();
    const unsigned generation = frame.generation;
    const std::string url = frame.request.url() ? frame.request.url()->absoluteString() : "";
    foundation::RunLoop::main().perform([weak, frameId, generation, url] {
        if (auto view = weak.lock()) {
            auto error = net::URLError::make(net::URLErrorCode::unknown, url);
            error.localizedDescription = "A script of the page ran too long and was ended.";
            view->frameFailed(frameId, generation, error);
        }
    });
}

std::string WebView::stringByEvaluatingJavaScriptFromString(const std::string& script) {
    const std::string result = evaluateIn(kMainFrame, script);
    updateTitle();
    return result;
}

void WebView::drawContent(graphics::BitmapContext& context) const {
    // Reading the page runs a script in it that leaves the page as it was.
    Painter::drawPage(context, const_cast<WebView&>(*this));
}

void WebView::setFrame(const graphics::Rect& frame) {
    ui::View::setFrame(frame);
    sizeChanged();
}

void WebView::setBounds(const graphics::Rect& bounds) {
    ui::View::setBounds(bounds);
    sizeChanged();
}

void WebView::sizeChanged() {
    const graphics::Size size = bounds().size;
    if (size == windowSize_) {
        return;
    }
    windowSize_ = size;
    std::vector<int> ids;
    for (const auto& [id, frame] : frames_) {
        if (frame->engine) {
            ids.push_back(id);
        }
    }
    for (int id : ids) {
        evaluateIn(id, "__layout.resized()");
    }
}

bool WebView::tapElement(const std::string& elementId) {
    return evaluateIn(kMainFrame, "__dom.click(" + scriptStringLiteral(elementId) + ")") == "true";
}

bool WebView::tapAtPoint(graphics::Point point) {
    if (!frames_.at(kMainFrame)->engine) {
        return false;
    }
    return evaluateIn(kMainFrame, "__dom.tapAt(" + foundation::format("%g,%g", point.x, point.y) +
                                      ")") == "true";
}

void WebView::touchesBegan(const std::vector<std::shared_ptr<ui::Touch>>& touches,
                           const ui::Event&) {
    tapStart_.reset();
    if (touches.size() == 1) {
        tapStart_ = touches.front()->locationInView(this);
    }
}

void WebView::touchesEnded(const std::vector<std::shared_ptr<ui::Touch>>& touches,
                           const ui::Event&) {
    // A finger that moved further than this is a drag, not a tap.
    constexpr double kTapSlop = 10;
    const auto start = tapStart_;
    tapStart_.reset();
    if (!start || touches.size() != 1) {
        return;
    }
    const graphics::Point end = touches.front()->locationInView(this);
    if (std::hypot(end.x - start->x, end.y - start->y) <= kTapSlop) {
        tapAtPoint(end);
        updateTitle();
    }
}

void WebView::setTimer(int frameId, unsigned serial, long id, double milliseconds, bool repeats) {
    double seconds = std::max(0.0, milliseconds) / 1000.0;
    if (repeats) {
        seconds = std::max(seconds, 0.004);
    }
    std::weak_ptr<WebView> weak = self();
    auto timer = foundation::Timer::make(
        seconds, repeats, [weak, frameId, serial, id, repeats](foundation::Timer&) {
            auto view = weak.lock();
            if (!view || view->liveFrame(frameId, serial) == nullptr) {
                return;
            }
            if (!repeats) {
                view->timers_.erase({frameId, id});
            }
            view->evaluateIn(frameId, "__dom.fireTimer(" + std::to_string(id) + ")");
            view->updateTitle();
        });
    timers_[{frameId, id}] = timer;
    foundation::RunLoop::main().addTimer(timer);
}

void WebView::clearTimers(std::optional<int> frameId) {
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (!frameId || it->first.first == *frameId) {
            it->second->invalidate();
            it = timers_.erase(it);
        } else {
            ++it;
        }
    }
}

// Loading entry points.

void WebView::loadRequest(const net::URLRequest& request) {
    assertMainThread();
    std::weak_ptr<WebView> weak = self();
    foundation::RunLoop::main().perform([weak, request] {
        if (auto view = weak.lock()) {
            view->navigate(kMainFrame, request, NavigationType::other, false);
        }
    });
}

void WebView::loadHTMLString(const std::string& html,
                             const std::optional<foundation::URL>& baseURL) {
    assertMainThread();
    std::weak_ptr<WebView> weak = self();
    net::URLRequest request(baseURL ? *baseURL : *foundation::URL::fromString("about:blank"));
    foundation::RunLoop::main().perform([weak, request, html] {
        if (auto view = weak.lock()) {
            view->navigate(kMainFrame, request, NavigationType::other, false, html);
        }
    });
}

void WebView::loadData(const foundation::Data& data, const std::string& mimeType,
                       const std::string& textEncodingName,
                       const std::optional<foundation::URL>& baseURL) {
    loadHTMLString(HTMLTreeBuilder::toUTF8(
                       std::string_view(reinterpret_cast<const char*>(data.data()), data.size()),
                       textEncodingName),
                   baseURL);
}

void WebView::stopLoading() {
    assertMainThread();
    std::vector<int> loadingFrames;
    for (const auto& [id, frame] : frames_) {
        if (frame->loading && (id == kMainFrame || !frames_.at(kMainFrame)->loading)) {
            loadingFrames.push_back(id);
        }
    }
    for (int id : loadingFrames) {
        cancelFrame(id, true);
    }
    updateLoading();
}

void WebView::reload() {
    assertMainThread();
    if (!url_) {
        return;
    }
    const auto* item = history_.currentItem();
    std::optional<std::string> html = item ? item->html : std::nullopt;
    net::URLRequest request = request_ ? *request_ : net::URLRequest(*url_);
    request.setURL(url_);
    std::weak_ptr<WebView> weak = self();
    foundation::RunLoop::main().perform([weak, request, html] {
        if (auto view = weak.lock()) {
            view->navigate(kMainFrame, request, NavigationType::reload, false, html);
        }
    });
}

bool WebView::canGoBack() const {
    return history_.backItem() != nullptr;
}

bool WebView::canGoForward() const {
    return history_.forwardItem() != nullptr;
}

void WebView::goBack() {
    goToBackForwardListItem(-1);
}

void WebView::goForward() {
    goToBackForwardListItem(1);
}

void WebView::goToBackForwardListItem(int offset) {
    assertMainThread();
    const auto* item = history_.itemAt(offset);
    if (offset == 0 || item == nullptr) {
        return;
    }
    navigate(kMainFrame, net::URLRequest(item->url), NavigationType::backForward, false, item->html,
             history_.currentIndex() + offset);
}

// Navigation.

void WebView::queueNavigation(PendingNavigation navigation) {
    navigations_.push_back(std::move(navigation));
    if (!drainScheduled_) {
        drainScheduled_ = true;
        std::weak_ptr<WebView> weak = self();
        foundation::RunLoop::main().perform([weak] {
            if (auto view = weak.lock()) {
                view->drainNavigations();
            }
        });
    }
}

void WebView::drainNavigations() {
    drainScheduled_ = false;
    auto pending = std::move(navigations_);
    navigations_.clear();
    const unsigned serial = frames_.at(kMainFrame)->engineSerial;
    for (auto& navigation : pending) {
        if (frames_.at(kMainFrame)->engineSerial != serial) {
            break;
        }
        if (frames_.find(navigation.frameId) == frames_.end()) {
            continue;
        }
        auto url = foundation::URL::fromPageString(navigation.url);
        if (!url) {
            foundation::Log::write("web",
                                   "Ignored navigation to an invalid URL: " + navigation.url);
            continue;
        }
        navigate(navigation.frameId, net::URLRequest(*url), navigation.type, navigation.newWindow);
    }
    updateTitle();
}

net::URLRequest WebView::prepared(net::URLRequest request) const {
    if (!request.valueForHTTPHeaderField("User-Agent")) {
        request.setValue(customUserAgent_.empty() ? net::defaultUserAgent() : customUserAgent_,
                         "User-Agent");
    }
    return request;
}

FrameInfo WebView::frameInfo(int frameId) const {
    FrameInfo info;
    info.isMainFrame = frameId == kMainFrame;
    const auto found = frames_.find(frameId);
    if (found != frames_.end() && found->second->url) {
        info.request = net::URLRequest(*found->second->url);
    }
    return info;
}

bool WebView::decidePolicy(int frameId, const net::URLRequest& request, NavigationType type,
                           bool newWindow) {
    auto keep = self();
    if (auto delegate = delegate_.lock()) {
        if (!delegate->webViewShouldStartLoad(*this, request, type)) {
            return false;
        }
    }
    if (auto navigationDelegate = navigationDelegate_.lock()) {
        NavigationAction action;
        action.request = request;
        action.navigationType = type;
        action.sourceFrame = frameInfo(frameId);
        if (!newWindow) {
            action.targetFrame = frameInfo(frameId);
        }
        if (navigationDelegate->decidePolicyForNavigationAction(*this, action) ==
            NavigationActionPolicy::cancel) {
            return false;
        }
    }
    return true;
}

void WebView::navigate(int frameId, net::URLRequest request, NavigationType type, bool newWindow,
                       std::optional<std::string> html, int historyIndex) {
    auto keep = self();
    request = prepared(std::move(request));
    if (newWindow) {
        auto navigationDelegate = navigationDelegate_.lock();
        if (navigationDelegate) {
            if (!decidePolicy(frameId, request, type, true)) {
                return;
            }
            if (auto ui = uiDelegate_.lock()) {
                NavigationAction action;
                action.request = request;
                action.navigationType = type;
                action.sourceFrame = frameInfo(frameId);
                if (auto opened = ui->createWebView(*this, action)) {
                    opened->loadRequest(request);
                }
            }
            return;
        }
        frameId = kMainFrame;
    }
    if (frames_.find(frameId) == frames_.end() || !request.url()) {
        return;
    }
    // A sub-frame's request names the main document, as the platform's do, so
    // a delegate can tell the page's frames from the page itself.
    if (frameId != kMainFrame) {
        request.setMainDocumentURL(frames_.at(kMainFrame)->url);
    }
    if (!decidePolicy(frameId, request, type, false)) {
        return;
    }
    if (frames_.find(frameId) == frames_.end()) {
        return;
    }
    const foundation::URL url = *request.url();
    Frame& frame = *frames_.at(frameId);
    const std::string scheme = foundation::lowercase(url.scheme());

    // A jump within the shown document loads nothing.
    if (!html && frameId == kMainFrame && frame.url && !frame.loading && url.fragment() &&
        type != NavigationType::reload && sameDocument(url, *frame.url)) {
        frame.url = url;
        setURL(url);
        return;
    }
    const bool loadable =
        html || scheme == "http" || scheme == "https" || scheme == "file" || scheme == "about";
    if (!loadable) {
        const auto error =
            net::URLError::make(net::URLErrorCode::unsupportedURL, url.absoluteString());
        if (frameId == kMainFrame) {
            if (auto navigationDelegate = navigationDelegate_.lock()) {
                navigationDelegate->didFailProvisionalNavigation(*this, error);
            }
        }
        if (auto delegate = delegate_.lock()) {
            delegate->webViewDidFailLoad(*this, error);
        }
        return;
    }
    if (frame.loading) {
        cancelFrame(frameId, true);
    }
    if (frameId == kMainFrame) {
        for (const auto& [id, other] : frames_) {
            if (id != kMainFrame && other->loading) {
                cancelFrame(id, false);
            }
        }
    }
    frame.type = type;
    frame.historyIndex = historyIndex;
    frame.html = html;
    beginFrameLoad(frameId, request);
    const unsigned generation = frame.generation;

    if (html || scheme == "about") {
        std::weak_ptr<WebView> weak = self();
        const std::string text = html.value_or("");
        foundation::RunLoop::main().perform([weak, frameId, generation, url, text] {
            if (auto view = weak.lock()) {
                view->frameReceivedResponse(
                    frameId, generation,
                    net::URLResponse(url, "text/html", static_cast<long long>(text.size()),
                                     "utf-8"));
                view->frameReceivedDocument(frameId, generation, text, url);
            }
        });
        return;
    }
    net::URLRequest load = request;
    if (frame.parentId >= 0) {
        const auto parent = frames_.find(frame.parentId);
        if (parent != frames_.end() && parent->second->url) {
            load.setValue(parent->second->url->absoluteString(), "Referer");
            load.setMainDocumentURL(frames_.at(kMainFrame)->url);
        }
    }
    frame.connections.push_back(net::URLConnection::make(
        load, std::make_shared<DocumentLoader>(self(), frameId, generation)));
}

void WebView::beginFrameLoad(int frameId, const net::URLRequest& request) {
    Frame& frame = *frames_.at(frameId);
    frame.loading = true;
    frame.committed = false;
    frame.parsed = false;
    frame.pending = 0;
    frame.scripts.clear();
    frame.nextScript = 0;
    ++frame.generation;
    frame.request = request;
    frame.countsForParent = false;
    if (frame.parentId >= 0) {
        const auto parent = frames_.find(frame.parentId);
        if (parent != frames_.end() && parent->second->loading) {
            ++parent->second->pending;
            frame.countsForParent = true;
        }
    }
    if (frameId == kMainFrame) {
        request_ = request;
        mainCommitted_ = false;
        setProgress(0.1);
    }
    updateLoading();
    if (frameId == kMainFrame) {
        if (auto navigationDelegate = navigationDelegate_.lock()) {
            navigationDelegate->didStartProvisionalNavigation(*this);
        }
    }
    if (auto delegate = delegate_.lock()) {
        delegate->webViewDidStartLoad(*this);
    }
}

void WebView::frameReceivedResponse(int frameId, unsigned generation,
                                    const net::URLResponse& response) {
    const auto found = frames_.find(frameId);
    if (found == frames_.end() || found->second->generation != generation ||
        !found->second->loading) {
        return;
    }
    Frame& frame = *found->second;
    frame.committed = true;
    if (frameId == kMainFrame) {
        mainCommitted_ = true;
        setURL(response.url());
        setProgress(std::max(progress_, 0.3));
        if (auto navigationDelegate = navigationDelegate_.lock()) {
            navigationDelegate->didCommitNavigation(*this);
        }
    }
}

void WebView::frameReceivedDocument(int frameId, unsigned generation, const std::string& html,
                                    const foundation::URL& url) {
    const auto found = frames_.find(frameId);
    if (found == frames_.end() || found->second->generation != generation ||
        !found->second->loading) {
        return;
    }
    if (frameId == kMainFrame) {
        Frame& frame = *found->second;
        const bool canBack = canGoBack();
        const bool canForward = canGoForward();
        if (frame.historyIndex >= 0) {
            history_.moveTo(frame.historyIndex);
        } else if (frame.type != NavigationType::reload && url.scheme() != "about") {
            history_.push(BackForwardItem{url, "", frame.html});
        }
        updateHistoryKeys(canBack, canForward);
    }
    commitDocument(frameId, html, url);
}

void WebView::commitDocument(int frameId, const std::string& html, const foundation::URL& url) {
    startEngine(frameId);
    Frame& frame = *frames_.at(frameId);
    frame.url = url;
    if (frameId == kMainFrame) {
        images_.clear();
    }
    std::string referrer;
    if (frame.parentId >= 0 && frames_.count(frame.parentId) && frames_.at(frame.parentId)->url) {
        referrer = frames_.at(frame.parentId)->url->absoluteString();
    }
    const std::string scriptsText =
        evaluateIn(frameId, "__dom.loadDocument(" + HTMLTreeBuilder::documentTree(html) + "," +
                                scriptStringLiteral(url.absoluteString()) + "," +
                                scriptStringLiteral(referrer) + ")");
    if (frameId == kMainFrame) {
        setProgress(std::max(progress_, 0.5));
    }
    const json scripts = json::parse(scriptsText, nullptr, false);
    const unsigned generation = frame.generation;
    if (scripts.is_array()) {
        for (const auto& script : scripts) {
            Frame::Script entry;
            entry.key = script.value("key", 0L);
            if (script.contains("src") && script["src"].is_string()) {
                const auto source =
                    foundation::URL::fromString(script["src"].get<std::string>(), url);
                if (source && mayLoad(frameId, *source, "a script")) {
                    net::URLRequest request = prepared(net::URLRequest(*source));
                    request.setValue(url.absoluteString(), "Referer");
                    request.setMainDocumentURL(frames_.at(kMainFrame)->url);
                    frame.connections.push_back(net::URLConnection::make(
                        request, std::make_shared<ScriptLoader>(self(), frameId, generation,
                                                                entry.key, false)));
                } else {
                    entry.ready = true;
                }
            } else {
                entry.ready = true;
                entry.text = script.value("text", std::string());
            }
            frame.scripts.push_back(std::move(entry));
        }
    }
    runReadyScripts(frameId);
}

void WebView::scriptArrived(int frameId, unsigned generation, long key,
                            std::optional<std::string> text, bool dynamic) {
    const auto found = frames_.find(frameId);
    if (found == frames_.end() || found->second->generation != generation) {
        return;
    }
    Frame& frame = *found->second;
    if (dynamic) {
        if (text) {
            evaluateIn(frameId, "__dom.runScript(" + std::to_string(key) + "," +
                                    scriptStringLiteral(*text) + ")");
        }
        evaluateIn(frameId, "__dom.scriptDone(" + std::to_string(key) + "," +
                                (text ? "true" : "false") + ")");
        if (frame.loading && frame.pending > 0) {
            --frame.pending;
            checkComplete(frameId);
        }
        return;
    }
    for (auto& script : frame.scripts) {
        if (script.key == key && !script.ready) {
            script.ready = true;
            script.text = std::move(text);
            if (!script.text) {
                evaluateIn(frameId, "__dom.scriptDone(" + std::to_string(key) + ",false)");
            }
        }
    }
    if (frameId == kMainFrame) {
        setProgress(progress_ + (0.9 - progress_) * 0.5);
    }
    runReadyScripts(frameId);
}

void WebView::runReadyScripts(int frameId) {
    const auto first = frames_.find(frameId);
    if (first == frames_.end()) {
        return;
    }
    const unsigned serial = first->second->engineSerial;
    while (true) {
        const auto found = frames_.find(frameId);
        if (found == frames_.end() || found->second->engineSerial != serial) {
            return;
        }
        Frame& frame = *found->second;
        if (frame.parsed || !frame.loading || frame.halted) {
            return;
        }
        if (frame.nextScript >= frame.scripts.size()) {
            frame.parsed = true;
            evaluateIn(frameId, "__dom.documentParsed()");
            // After the navigations the page asked for meanwhile were decided.
            std::weak_ptr<WebView> weak = self();
            const unsigned generation = frame.generation;
            foundation::RunLoop::main().perform([weak, frameId, generation] {
                auto view = weak.lock();
                if (!view) {
                    return;
                }
                const auto again = view->frames_.find(frameId);
                if (again != view->frames_.end() && again->second->generation == generation) {
                    view->checkComplete(frameId);
                }
            });
            return;
        }
        auto& script = frame.scripts[frame.nextScript];
        if (!script.ready) {
            return;
        }
        ++frame.nextScript;
        if (script.text) {
            const long key = script.key;
            const std::string code = std::move(*script.text);
            script.text.reset();
            evaluateIn(frameId, "__dom.runScript(" + std::to_string(key) + "," +
                                    scriptStringLiteral(code) + ")");
            evaluateIn(frameId, "__dom.scriptDone(" + std::to_string(key) + ",true)");
        }
    }
}

void WebView::checkComplete(int frameId) {
    auto keep = self();
    const auto found = frames_.find(frameId);
    if (found == frames_.end()) {
        return;
    }
    Frame& frame = *found->second;
    if (!frame.loading || !frame.parsed || frame.pending > 0 || frame.halted) {
        return;
    }
    frame.loading = false;
    evaluateIn(frameId, "__dom.frameLoaded()");
    const int parentId = frame.parentId;
    if (parentId >= 0) {
        evaluateIn(parentId, "__dom.childFrameLoaded(" + std::to_string(frameId) + ")");
    }
    const bool countsForParent = frame.countsForParent;
    frame.countsForParent = false;
    if (frameId == kMainFrame) {
        updateTitle();
        setProgress(1.0);
    }
    updateLoading();
    if (frameId == kMainFrame) {
        if (auto navigationDelegate = navigationDelegate_.lock()) {
            navigationDelegate->didFinishNavigation(*this);
        }
    }
    if (auto delegate = delegate_.lock()) {
        delegate->webViewDidFinishLoad(*this);
    }
    if (countsForParent) {
        const auto parent = frames_.find(parentId);
        if (parent != frames_.end() && parent->second->pending > 0) {
            --parent->second->pending;
            checkComplete(parentId);
        }
    }
}

void WebView::frameFailed(int frameId, unsigned generation, const net::URLError& error) {
    auto keep = self();
    const auto found = frames_.find(frameId);
    if (found == frames_.end() || found->second->generation != generation ||
        !found->second->loading) {
        return;
    }
    Frame& frame = *found->second;
    const bool committed = frame.committed;
    frame.loading = false;
    ++frame.generation;
    for (auto& connection : frame.connections) {
        connection->cancel();
    }
    frame.connections.clear();
    const int parentId = frame.parentId;
    const bool countsForParent = frame.countsForParent;
    frame.countsForParent = false;
    if (frameId == kMainFrame) {
        setProgress(0);
    }
    updateLoading();
    if (frameId == kMainFrame) {
        if (auto navigationDelegate = navigationDelegate_.lock()) {
            if (committed) {
                navigationDelegate->didFailNavigation(*this, error);
            } else {
                navigationDelegate->didFailProvisionalNavigation(*this, error);
            }
        }
    }
    if (auto delegate = delegate_.lock()) {
        delegate->webViewDidFailLoad(*this, error);
    }
    if (countsForParent) {
        const auto parent = frames_.find(parentId);
        if (parent != frames_.end() && parent->second->pending > 0) {
            --parent->second->pending;
            checkComplete(parentId);
        }
    }
}

void WebView::cancelFrame(int frameId, bool report) {
    const auto found = frames_.find(frameId);
    if (found == frames_.end() || !found->second->loading) {
        return;
    }
    for (const auto& [id, other] : frames_) {
        if (other->parentId == frameId && other->loading) {
            other->countsForParent = false;
            cancelFrame(id, false);
        }
    }
    Frame& frame = *found->second;
    const std::string failing = frame.request.url() ? frame.request.url()->absoluteString() : "";
    if (report) {
        frameFailed(frameId, frame.generation,
                    net::URLError::make(net::URLErrorCode::cancelled, failing));
        return;
    }
    frame.loading = false;
    ++frame.generation;
    for (auto& connection : frame.connections) {
        connection->cancel();
    }
    frame.connections.clear();
    updateLoading();
}

// Observable state.

void WebView::updateLoading() {
    bool any = false;
    for (const auto& [id, frame] : frames_) {
        any = any || frame->loading;
    }
    if (any != loading_) {
        setValueForKey("loading", loading_, any);
    }
}

void WebView::setProgress(double progress) {
    progress = std::clamp(progress, 0.0, 1.0);
    if (progress != progress_) {
        setValueForKey("estimatedProgress", progress_, progress);
    }
}

void WebView::updateTitle() {
    if (!frames_.at(kMainFrame)->engine) {
        return;
    }
    std::string title = evaluateIn(kMainFrame, "__dom.title()");
    history_.setCurrentTitle(title);
    if (title != title_) {
        setValueForKey("title", title_, std::move(title));
    }
}

void WebView::setURL(std::optional<foundation::URL> url) {
    if (url != url_) {
        setValueForKey("URL", url_, std::move(url));
    }
}

void WebView::updateHistoryKeys(bool couldGoBack, bool couldGoForward) {
    if (couldGoBack != canGoBack()) {
        willChangeValueForKey("canGoBack");
        didChangeValueForKey("canGoBack");
    }
    if (couldGoForward != canGoForward()) {
        willChangeValueForKey("canGoForward");
        didChangeValueForKey("canGoForward");
    }
}

}  // namespace web
