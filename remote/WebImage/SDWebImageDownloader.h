#pragma once

// The process's image downloader: builds the request for an image URL, runs
// one download operation per URL on a queue of its own, and hands every
// caller of that URL the progress and the outcome of that one download.
// Each caller gets a handle of its own: cancelling it drops only that
// caller's blocks, and the download stops when no caller is left.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/OperationQueue.h"
#include "platform/foundation/URL.h"
#include "platform/net/HTTPHeaderFields.h"
#include "platform/net/URLCredential.h"
#include "platform/net/URLRequest.h"
#include "remote/WebImage/SDImageDownloadBlocks.h"
#include "remote/WebImage/SDImageDownloadOptions.h"
#include "remote/WebImage/SDWebImageDownloaderOperation.h"
#include "remote/WebImage/SDWebImageOperation.h"

enum class SDImageDownloadOrder { firstInFirstOut = 0, lastInFirstOut = 1 };

class SDWebImageDownloader : public std::enable_shared_from_this<SDWebImageDownloader> {
  public:
    using Ptr = std::shared_ptr<SDWebImageDownloader>;
    using HeadersFilter = std::function<net::HTTPHeaderFields(
        const foundation::URL& url, const net::HTTPHeaderFields& headers)>;
    using OperationFactory = std::function<std::shared_ptr<SDWebImageDownloaderOperation>(
        net::URLRequest, SDImageDownloadOptions, SDWebImageDownloaderProgressBlock,
        SDWebImageDownloaderCompletedBlock, SDWebImageNoParamsBlock)>;

    static constexpr const char* kBarrierQueueLabel =
        "com.morvane.SDWebImageDownloaderBarrierQueue";
    static constexpr double kDefaultTimeout = 15.0;
    static constexpr int kDefaultMaxConcurrentDownloads = 6;

    // The process's downloader; lives for the process.
    static const Ptr& sharedDownloader();
    static Ptr make();
    ~SDWebImageDownloader();

    // A value of nullopt removes the field.
    void setValue(std::optional<std::string> value, const std::string& field);
    std::optional<std::string> valueForHTTPHeaderField(const std::string& field) const;

    void setMaxConcurrentDownloads(int count) {
        downloadQueue_->setMaxConcurrentOperationCount(count);
    }
    int maxConcurrentDownloads() const { return downloadQueue_->maxConcurrentOperationCount(); }
    std::size_t currentDownloadCount() const { return downloadQueue_->operationCount(); }
    void setSuspended(bool suspended) { downloadQueue_->setSuspended(suspended); }

    // nullptr for no URL (the completion then hears (nullptr, nullptr, no
    // error, false) at once); otherwise this caller's handle on the download
    // of the URL, started now or already running.
    std::shared_ptr<SDWebImageOperation> downloadImageWithURL(
        const std::optional<foundation::URL>& url, SDImageDownloadOptions options,
        SDWebImageDownloaderProgressBlock progressBlock,
        SDWebImageDownloaderCompletedBlock completedBlock);

    // operationClass: makes the operations of later downloads; nullptr puts
    // the default back.
    void setOperationFactory(OperationFactory factory);

    bool shouldDecompressImages = true;
    double downloadTimeout = kDefaultTimeout;
    SDImageDownloadOrder executionOrder = SDImageDownloadOrder::firstInFirstOut;
    HeadersFilter headersFilter;
    // The credential of every download; without it, a user name and password
    // that are both set make one kept for the session.
    std::optional<net::URLCredential> urlCredential;
    std::optional<std::string> username;
    std::optional<std::string> password;

  private:
    class CallerHandle;
    struct Callbacks {
        std::uint64_t id = 0;
        SDWebImageDownloaderProgressBlock progress;
        SDWebImageDownloaderCompletedBlock completed;
    };
    struct Download {
        std::vector<Callbacks> callers;
        std::weak_ptr<SDWebImageDownloaderOperation> operation;
    };

    SDWebImageDownloader();
    std::shared_ptr<SDWebImageDownloaderOperation> makeOperation(const foundation::URL& url,
                                                                 SDImageDownloadOptions options);
    void cancelCaller(const std::string& url, std::uint64_t id);

    std::shared_ptr<foundation::OperationQueue> downloadQueue_;
    std::weak_ptr<foundation::Operation> lastAddedOperation_;
    OperationFactory operationFactory_;
    std::map<std::string, Download> URLCallbacks_;
    std::uint64_t nextCallerId_ = 1;
    net::HTTPHeaderFields HTTPHeaders_;
    std::shared_ptr<foundation::DispatchQueue> barrierQueue_;
};
