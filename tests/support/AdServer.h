#pragma once

// The ad vendor's servers on loopback, for the ad component's tests: the
// SDK-core page (from resources/sdk-core) with its settings, the MRAID
// scripts, ad responses of each kind with the component's "X-Vira-" headers,
// answers that fail or are held back until released, and pings. Every
// request it receives is recorded, and a test can wait for one while the
// main run loop runs.

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "ads/foundation/GADURLAdditions.h"
#include "tests/support/LocalServer.h"

namespace testing_support {

class AdServer {
  public:
    static constexpr const char* kPagePath = kGADSDKCorePagePath;
    static constexpr const char* kConfigPath = "/mads/static/sdk/native/sdk-core-config.js";
    static constexpr const char* kAdPath = "/mads/gma";
    static constexpr const char* kImpressionPath = "/pagead/imp";
    static constexpr const char* kClickPath = "/pagead/click";
    // The native-ads page: handed native ad JSON, it answers with that ad
    // as the only one of a configuration, or with the text the input's
    // "answer" holds; an input marked "silent" gets no answer.
    static constexpr const char* kNativeAdsPagePath = "/mads/static/mad/sdk/native/native_ads.html";

    enum class AdKind { html, mraid, mediation, native, customRendering };

    // One answer: status, body and headers; a held answer waits until
    // release() (or the server stops) before it is sent.
    struct Response {
        int status = 200;
        std::string body;
        std::string contentType = "text/html";
        std::map<std::string, std::string> headers;
        bool held = false;
    };

    // A request as received.
    struct Request {
        std::string method;
        std::string path;
        // Path and query as sent.
        std::string target;
        std::map<std::string, std::string> headers;
        // Query parameters, decoded.
        std::map<std::string, std::string> parameters;
    };

    // Starts serving at once.
    AdServer();
    ~AdServer();
    AdServer(const AdServer&) = delete;
    AdServer& operator=(const AdServer&) = delete;

    std::string url(const std::string& path);
    // "http://127.0.0.1:<port>".
    std::string origin();
    std::string pageURL() { return url(kPagePath); }
    // Points the component's SDK-core page at this server.
    void useAsSDKCoreServer();
    // Makes `path` of this server the native ads' support page.
    void useAsNativeAdsServer(const std::string& path = kNativeAdsPagePath);

    // An ad of the kind whose tracking headers name this server's
    // impression and click paths; HTML kinds show `title`.
    Response ad(AdKind kind, const std::string& title = "Test ad");
    // The answer to ad requests (an HTML ad until set).
    void setAdResponse(Response response);
    // The page's answer: the page itself (200) or a failure with `status`.
    void setPageStatus(int status);
    // Serves a page that takes requests and never answers them.
    void servePageThatNeverAnswers();
    // The page's settings (the object literal of its config script).
    void setPageConfig(const std::string& objectLiteral);
    // Serves `html` at `path` (a page an ad opens).
    void servePage(const std::string& path, const std::string& html);
    // Sends every held answer.
    void release();

    std::vector<Request> requests() const;
    // The requests whose path is `path`.
    std::vector<Request> requestsTo(const std::string& path) const;
    // Runs the main run loop until `count` requests to `path` have come or
    // `seconds` have passed; answers whether they came.
    bool waitForRequests(const std::string& path, std::size_t count = 1, double seconds = 20);

  private:
    void record(const httplib::Request& request);
    void answer(const Response& response, httplib::Response& reply);

    mutable std::mutex mutex_;
    std::condition_variable released_;
    bool stopping_ = false;
    unsigned releases_ = 0;
    std::vector<Request> requests_;
    Response adResponse_;
    int pageStatus_ = 200;
    bool pageNeverAnswers_ = false;
    std::string pageConfig_;
    std::map<std::string, std::string> pages_;
    // Last, so it stops before what its handlers use goes.
    LocalServer server_;
};

}  // namespace testing_support
