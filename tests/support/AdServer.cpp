#include "tests/support/AdServer.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "tests/support/MRAIDScripts.h"

namespace testing_support {

namespace {

std::string page() {
    const auto path =
        foundation::Bundle::main().pathForResource("sdk-core-v40", "html", "sdk-core");
    const auto data =
        path ? foundation::FileManager::defaultManager().contentsAtPath(*path) : std::nullopt;
    return data ? std::string(data->begin(), data->end()) : std::string();
}

constexpr const char* kSilentPage =
    "<!DOCTYPE html><html><head><title>Silent</title><script>"
    "window.VIRA_buildAdURL = () => {}; window.VIRA_getSdkConstants = () => {};"
    "</script></head><body></body></html>";

constexpr const char* kNativeAdsPage = R"(<!DOCTYPE html><html><head><script>
window.dezuvo = {vira: {nativeAds: {preProcessJsonGmsg: function (ad) {
  window.received = ad;
  if (ad.silent) { return; }
  var answer = 'answer' in ad ? ad.answer : JSON.stringify({ads: [ad]});
  location.href = 'gmsg://mobileads.dezuvo.com/nativeAdPreProcess?success=' +
      encodeURIComponent(answer);
}}}};
</script></head><body></body></html>)";

}  // namespace

AdServer::AdServer() {
    adResponse_ = ad(AdKind::html);
    httplib::Server& server = server_.server();
    server.Get(kPagePath, [this](const httplib::Request& request, httplib::Response& reply) {
        record(request);
        std::lock_guard lock(mutex_);
        reply.status = pageStatus_;
        if (pageStatus_ >= 400) {
            reply.set_content("<html><body>Server error</body></html>", "text/html");
        } else {
            reply.set_content(pageNeverAnswers_ ? kSilentPage : page(), "text/html");
        }
    });
    server.Get(kConfigPath, [this](const httplib::Request& request, httplib::Response& reply) {
        record(request);
        std::lock_guard lock(mutex_);
        const std::string settings = pageConfig_.empty() ? "{}" : pageConfig_;
        reply.set_content("window.VIRA_sdkCoreConfig = Object.assign({adServer: '" +
                              server_.url("") + "'}, " + settings + ");",
                          "application/javascript");
    });
    for (const char* path :
         {MRAIDScripts::kBanner, MRAIDScripts::kInterstitial, MRAIDScripts::kExpandedBanner}) {
        const std::string file(path);
        const std::string name =
            file.substr(file.rfind('/') + 1, file.size() - file.rfind('/') - 4);
        server.Get(path, [this, name](const httplib::Request& request, httplib::Response& reply) {
            record(request);
            reply.set_content(MRAIDScripts::script(name), "application/javascript");
        });
    }
    server.Get(kAdPath, [this](const httplib::Request& request, httplib::Response& reply) {
        record(request);
        Response response;
        {
            std::lock_guard lock(mutex_);
            response = adResponse_;
        }
        answer(response, reply);
    });
    server.Get(kNativeAdsPagePath,
               [this](const httplib::Request& request, httplib::Response& reply) {
                   record(request);
                   reply.set_content(kNativeAdsPage, "text/html");
               });
    // Pages served for a test, pings and anything else: an empty page.
    server.Get(".*", [this](const httplib::Request& request, httplib::Response& reply) {
        record(request);
        std::lock_guard lock(mutex_);
        const auto page = pages_.find(request.path);
        if (page != pages_.end()) {
            reply.set_content(page->second, "text/html");
        } else {
            reply.set_content("", "text/plain");
        }
    });
    server_.start();
}

AdServer::~AdServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    released_.notify_all();
    server_.stop();
}

std::string AdServer::url(const std::string& path) {
    return server_.url(path);
}

std::string AdServer::origin() {
    return server_.url("");
}

void AdServer::useAsSDKCoreServer() {
    GADSetSDKCorePageURL(pageURL());
}

void AdServer::useAsNativeAdsServer(const std::string& path) {
    foundation::UserDefaults::standard().setObject("native_ad_support_url",
                                                   foundation::Value(url(path)));
}

AdServer::Response AdServer::ad(AdKind kind, const std::string& title) {
    Response response;
    response.headers["X-Vira-Tracking-Urls"] = url(std::string(kImpressionPath) + "?id=1");
    response.headers["X-Vira-Click-Tracking-Urls"] = url(std::string(kClickPath) + "?id=1");
    const std::string html = "<!DOCTYPE html><html><head><title>" + title +
                             "</title></head><body><a id=\"ad\" href=\"" + url("/landing") + "\">" +
                             title + "</a></body></html>";
    switch (kind) {
        case AdKind::html:
            response.body = html;
            break;
        case AdKind::mraid:
            response.body = "<!DOCTYPE html><html><head><title>" + title +
                            "</title><script src=\"mraid.js\"></script></head><body>" + title +
                            "</body></html>";
            break;
        case AdKind::mediation:
            response.headers["X-Vira-Mediation"] = "1";
            response.contentType = "application/json";
            response.body = R"({"ad_type": "banner", "qdata": "q1", "ad_networks": []})";
            break;
        case AdKind::native:
            response.headers["X-Vira-Native"] = "1";
            response.contentType = "application/json";
            response.body = R"({"headline": ")" + title + R"("})";
            break;
        case AdKind::customRendering:
            response.headers["X-Vira-Custom-Rendering-Allowed"] = "1";
            response.body = html;
            break;
    }
    return response;
}

void AdServer::setAdResponse(Response response) {
    std::lock_guard lock(mutex_);
    adResponse_ = std::move(response);
}

void AdServer::setPageStatus(int status) {
    std::lock_guard lock(mutex_);
    pageStatus_ = status;
}

void AdServer::servePageThatNeverAnswers() {
    std::lock_guard lock(mutex_);
    pageNeverAnswers_ = true;
}

void AdServer::setPageConfig(const std::string& objectLiteral) {
    std::lock_guard lock(mutex_);
    pageConfig_ = objectLiteral;
}

void AdServer::servePage(const std::string& path, const std::string& html) {
    std::lock_guard lock(mutex_);
    pages_[path] = html;
}

void AdServer::release() {
    {
        std::lock_guard lock(mutex_);
        ++releases_;
    }
    released_.notify_all();
}

void AdServer::answer(const Response& response, httplib::Response& reply) {
    if (response.held) {
        std::unique_lock lock(mutex_);
        const unsigned releases = releases_;
        released_.wait(lock, [&] { return stopping_ || releases_ != releases; });
    }
    reply.status = response.status;
    for (const auto& [name, value] : response.headers) {
        reply.set_header(name, value);
    }
    reply.set_content(response.body, response.contentType);
}

void AdServer::record(const httplib::Request& request) {
    Request recorded{request.method, request.path, request.target, {}, {}};
    for (const auto& [name, value] : request.headers) {
        recorded.headers[name] = value;
    }
    for (const auto& [name, value] : request.params) {
        recorded.parameters[name] = value;
    }
    std::lock_guard lock(mutex_);
    requests_.push_back(std::move(recorded));
}

std::vector<AdServer::Request> AdServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<AdServer::Request> AdServer::requestsTo(const std::string& path) const {
    std::vector<Request> matching;
    std::lock_guard lock(mutex_);
    for (const Request& request : requests_) {
        if (request.path == path) {
            matching.push_back(request);
        }
    }
    return matching;
}

bool AdServer::waitForRequests(const std::string& path, std::size_t count, double seconds) {
    return foundation::RunLoop::main().runUntil([&] { return requestsTo(path).size() >= count; },
                                                seconds);
}

}  // namespace testing_support
