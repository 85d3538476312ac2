#include "ads/foundation/GADCachedFile.h"

#include <cmath>
#include <cstdint>

#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADMNSURLConnectionFactory.h"
#include "ads/foundation/GADURLAdditions.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/PathUtilities.h"
#include "platform/foundation/StringUtilities.h"

namespace {

// FNV-1a: the same name for the same URL in every run of the application.
std::uint64_t stableHash(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

// A URL's host is a folder name only when it stays one folder inside the
// Caches folder; anything else (no host, "..", a separator) goes to "@local".
std::string folderName(const foundation::URL& url) {
    const std::optional<std::string>& host = url.host();
    if (!host || host->empty() || *host == "." || *host == ".." ||
        host->find('/') != std::string::npos || host->find('\\') != std::string::npos ||
        host->find('\0') != std::string::npos) {
        return kGADCachedFileLocalFolder;
    }
    return *host;
}

}  // namespace

std::shared_ptr<GADCachedFile> GADCachedFile::make(const foundation::URL& url) {
    return std::make_shared<GADCachedFile>(url);
}

GADCachedFile::GADCachedFile(const foundation::URL& url) : sourceURL_(url), destinationURL_(url) {}

GADCachedFile::~GADCachedFile() {
    if (connection_) {
        connection_->cancel();
    }
}

const foundation::DateFormatter& GADCachedFile::formatterForHTTPDate() {
    static const foundation::DateFormatter* const formatter = [] {
        auto* made = new foundation::DateFormatter();
        made->setDateFormat("EEE, dd MMM yyyy HH:mm:ss");
        made->setLocale("en_US_POSIX");
        made->setTimeZone("GMT");
        return made;
    }();
    return *formatter;
}

std::optional<net::HTTPHeaderFields> GADCachedFile::headersForResponse(
    const net::URLResponse& response) {
    if (!response.isHTTP()) {
        return std::nullopt;
    }
    return response.allHeaderFields();
}

void GADCachedFile::validate() {
    if (!connection_) {
        fetch(false);
    }
}

void GADCachedFile::validateWithCacheBuster() {
    if (!connection_) {
        fetch(true);
    }
}

void GADCachedFile::validateWithDelegate(const std::weak_ptr<GADCachedFileDelegate>& delegate,
                                         const foundation::URL& url) {
    invalidate();
    clear();
    sourceURL_ = url;
    destinationURL_ = url;
    delegate_ = delegate;
    validate();
}

void GADCachedFile::cancel() {
    cleanup();
}

void GADCachedFile::invalidate() {
    cleanup();
    const std::string path = filePath();
    if (!path.empty()) {
        foundation::FileManager::defaultManager().removeItem(path);
    }
}

void GADCachedFile::clear() {
    cleanup();
    sourceURL_.reset();
    filePath_.clear();
    destinationURL_.reset();
    headers_.reset();
}

const std::string& GADCachedFile::filePath() {
    if (filePath_.empty() && sourceURL_) {
        const std::string caches = foundation::ApplicationHome::caches();
        if (!caches.empty()) {
            filePath_ = foundation::appendingPathComponent(
                foundation::appendingPathComponent(caches, folderName(*sourceURL_)),
                foundation::format(
                    "%lx", static_cast<unsigned long>(stableHash(sourceURL_->absoluteString()))));
        }
    }
    return filePath_;
}

bool GADCachedFile::fileExists() {
    const std::string& path = filePath();
    return !path.empty() && foundation::FileManager::defaultManager().fileExists(path);
}

std::optional<std::string> GADCachedFile::fileModificationDate() {
    const std::string& path = filePath();
    if (path.empty()) {
        return std::nullopt;
    }
    const auto attributes = foundation::FileManager::defaultManager().attributesOfItem(path);
    if (!attributes) {
        return std::nullopt;
    }
    const double seconds = std::floor(attributes->modificationDate.timeIntervalSince1970());
    return formatterForHTTPDate().stringFromDate(
               foundation::Date::fromTimeIntervalSince1970(seconds)) +
           " GMT";
}

std::optional<foundation::Data> GADCachedFile::contentAsData() {
    const std::string& path = filePath();
    if (path.empty()) {
        return std::nullopt;
    }
    return foundation::FileManager::defaultManager().contentsAtPath(path);
}

std::optional<std::string> GADCachedFile::contentAsString() {
    const std::optional<foundation::Data> data = contentAsData();
    if (!data) {
        return std::nullopt;
    }
    return foundation::stringFromUTF8(*data);
}

graphics::Image::Ptr GADCachedFile::contentAsImage() {
    const std::optional<foundation::Data> data = contentAsData();
    if (!data) {
        return nullptr;
    }
    graphics::Image::Ptr image = graphics::Image::imageWithData(*data);
    if (image && sourceURL_ && sourceURL_->lastPathComponent().find("@2x") != std::string::npos) {
        return graphics::Image::make(image->bitmap(), 2.0, graphics::ImageOrientation::up);
    }
    return image;
}

void GADCachedFile::saveHeadersFromResponse(const net::URLResponse& response) {
    headers_ = headersForResponse(response);
}

std::string GADCachedFile::description() {
    return foundation::format(
        "<%@: %p> HTTP code: %ld\n\turl: %@\n\tfile: %@", std::string("GADCachedFile"),
        static_cast<const void*>(this), statusCode_,
        sourceURL_ ? sourceURL_->absoluteString() : std::string(), filePath());
}

void GADCachedFile::fetch(bool cacheBuster) {
    if (!sourceURL_) {
        reportFailure(std::nullopt);
        return;
    }
    std::optional<foundation::URL> url = sourceURL_;
    if (cacheBuster) {
        const std::string unique =
            foundation::format("%.0f", foundation::Date::now().timeIntervalSinceReferenceDate());
        url = GADNSURLUtilities::gad_appendQueryValue(*url, foundation::Value(unique), "unique");
        cachePolicy_ = net::URLRequestCachePolicy::reloadIgnoringLocalCacheData;
    }
    net::URLRequest request(url.value_or(*sourceURL_));
    request.setCachePolicy(cachePolicy_);
    request.setHTTPShouldHandleCookies(true);
    const std::optional<std::string> userAgent = GADDevice::currentDevice().userAgentString();
    if (userAgent && !userAgent->empty()) {
        request.setValue(*userAgent, "User-Agent");
    }
    if (fileExists()) {
        request.setValue(fileModificationDate(), "If-Modified-Since");
    }
    connection_ = GADMNSURLConnectionFactory::sharedFactory()->connectionWithRequest(
        request, shared_from_this(), false);
    if (!connection_) {
        reportFailure(std::nullopt);
        return;
    }
    receivedData_.clear();
    connection_->scheduleInRunLoop(foundation::RunLoop::main());
    connection_->start();
}

std::optional<net::URLRequest> GADCachedFile::connectionWillSendRequest(
    net::URLConnection&, const net::URLRequest& request, const net::URLResponse* redirectResponse) {
    auto self = shared_from_this();
    destinationURL_ = request.url();
    if (!redirectResponse) {
        return request;
    }
    saveHeadersFromResponse(*redirectResponse);
    std::optional<foundation::Error> refusal;
    auto delegate = delegate_.lock();
    if (delegate && request.url()) {
        refusal = delegate->cachedFileShouldRedirectToURL(*this, *request.url());
    }
    if (refusal) {
        // The refused fetch ends here with one failure: nothing is followed
        // and nothing more is reported.
        cleanup();
        reportFailure(refusal);
        return std::nullopt;
    }
    return request;
}

void GADCachedFile::connectionDidReceiveResponse(net::URLConnection&,
                                                 const net::URLResponse& response) {
    auto self = shared_from_this();
    if (response.isHTTP()) {
        statusCode_ = response.statusCode();
        saveHeadersFromResponse(response);
        if (statusCode_ == 200) {
            receivedModificationDate_ = response.valueForHTTPHeaderField("Last-Modified");
            if (receivedModificationDate_) {
                const std::size_t gmt = receivedModificationDate_->find("GMT");
                if (gmt != std::string::npos) {
                    receivedModificationDate_->resize(gmt);
                }
            }
        } else if (statusCode_ == 304) {
            cleanup();
            reportEnd();
        } else {
            cleanup();
            reportFailure(std::nullopt);
        }
    }
    receivedData_.clear();
}

void GADCachedFile::connectionDidReceiveData(net::URLConnection&, const foundation::Data& data) {
    receivedData_.insert(receivedData_.end(), data.begin(), data.end());
}

void GADCachedFile::connectionDidFinishLoading(net::URLConnection&) {
    auto self = shared_from_this();
    save();
    cleanup();
}

void GADCachedFile::connectionDidFailWithError(net::URLConnection&, const net::URLError& error) {
    auto self = shared_from_this();
    cleanup();
    reportFailure(static_cast<const foundation::Error&>(error));
}

void GADCachedFile::save() {
    auto& files = foundation::FileManager::defaultManager();
    const std::string path = filePath();
    foundation::Error error;
    if (path.empty()) {
        reportFailure(std::nullopt);
        return;
    }
    files.createDirectory(foundation::deletingLastPathComponent(path), true);
    if (!files.writeAtomically(path, receivedData_, &error)) {
        reportFailure(error);
        return;
    }
    const std::optional<std::string> modified = std::move(receivedModificationDate_);
    receivedModificationDate_.reset();
    reportEnd();
    if (modified) {
        const auto date =
            formatterForHTTPDate().dateFromString(foundation::trimWhitespaceAndNewlines(*modified));
        if (date) {
            files.setModificationDate(path, foundation::Date::fromTimeIntervalSince1970(
                                                std::floor(date->timeIntervalSince1970())));
        }
    }
}

void GADCachedFile::cleanup() {
    if (connection_) {
        connection_->cancel();
    }
    connection_.reset();
    receivedData_.clear();
    receivedModificationDate_.reset();
}

void GADCachedFile::reportEnd() {
    if (auto delegate = delegate_.lock()) {
        delegate->cachedFileDownloadDidEnd(*this);
    }
}

void GADCachedFile::reportFailure(const std::optional<foundation::Error>& error) {
    if (auto delegate = delegate_.lock()) {
        delegate->cachedFileDownloadDidFail(*this, error);
    }
}
