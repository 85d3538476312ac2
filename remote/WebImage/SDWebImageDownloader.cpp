#include "remote/WebImage/SDWebImageDownloader.h"

// One caller's hold on a shared download.
class SDWebImageDownloader::CallerHandle : public SDWebImageOperation {
  public:
    CallerHandle(std::weak_ptr<SDWebImageDownloader> downloader, std::string url, std::uint64_t id)
        : downloader_(std::move(downloader)), url_(std::move(url)), id_(id) {}
    void cancel() override {
        if (auto downloader = downloader_.lock()) {
            downloader->cancelCaller(url_, id_);
        }
    }

  private:
    std::weak_ptr<SDWebImageDownloader> downloader_;
    std::string url_;
    std::uint64_t id_;
};

const SDWebImageDownloader::Ptr& SDWebImageDownloader::sharedDownloader() {
    static const Ptr* const downloader = new Ptr(make());
    return *downloader;
}

SDWebImageDownloader::Ptr SDWebImageDownloader::make() {
    return Ptr(new SDWebImageDownloader());
}

SDWebImageDownloader::SDWebImageDownloader()
    : downloadQueue_(std::make_shared<foundation::OperationQueue>("SDWebImageDownloader")),
      HTTPHeaders_{{"Accept", "image/*;q=0.8"}},
      barrierQueue_(foundation::DispatchQueue::makeConcurrent(kBarrierQueueLabel)) {
    downloadQueue_->setMaxConcurrentOperationCount(kDefaultMaxConcurrentDownloads);
}

SDWebImageDownloader::~SDWebImageDownloader() {
    downloadQueue_->cancelAllOperations();
}

void SDWebImageDownloader::setValue(std::optional<std::string> value, const std::string& field) {
    barrierQueue_->barrierSync([&] {
        if (value) {
            HTTPHeaders_.set(field, std::move(*value));
        } else {
            HTTPHeaders_.remove(field);
        }
    });
}

std::optional<std::string> SDWebImageDownloader::valueForHTTPHeaderField(
    const std::string& field) const {
    std::optional<std::string> value;
    barrierQueue_->sync([&] { value = HTTPHeaders_.value(field); });
    return value;
}

void SDWebImageDownloader::setOperationFactory(OperationFactory factory) {
    barrierQueue_->barrierSync([&] { operationFactory_ = std::move(factory); });
}

std::shared_ptr<SDWebImageOperation> SDWebImageDownloader::downloadImageWithURL(
    const std::optional<foundation::URL>& url, SDImageDownloadOptions options,
    SDWebImageDownloaderProgressBlock progressBlock,
    SDWebImageDownloaderCompletedBlock completedBlock) {
    if (!url) {
        if (completedBlock) {
            completedBlock(nullptr, nullptr, std::nullopt, false);
        }
        return nullptr;
    }
    const std::string key = url->absoluteString();
    std::uint64_t id = 0;
    barrierQueue_->barrierSync([&] {
        auto& download = URLCallbacks_[key];
        const bool first = download.callers.empty();
        id = nextCallerId_++;
        download.callers.push_back({id, std::move(progressBlock), std::move(completedBlock)});
        if (first) {
            auto operation = makeOperation(*url, options);
            download.operation = operation;
            downloadQueue_->addOperation(operation);
            if (executionOrder == SDImageDownloadOrder::lastInFirstOut) {
                if (auto last = lastAddedOperation_.lock()) {
                    last->addDependency(operation);
                }
                lastAddedOperation_ = operation;
            }
        }
    });
    return std::make_shared<CallerHandle>(weak_from_this(), key, id);
}

std::shared_ptr<SDWebImageDownloaderOperation> SDWebImageDownloader::makeOperation(
    const foundation::URL& url, SDImageDownloadOptions options) {
    using namespace SDImageDownloadOption;
    const double timeout = downloadTimeout == 0 ? kDefaultTimeout : downloadTimeout;
    net::URLRequest request(url,
                            (options & useNSURLCache) != 0
                                ? net::URLRequestCachePolicy::useProtocolCachePolicy
                                : net::URLRequestCachePolicy::reloadIgnoringLocalCacheData,
                            timeout);
    request.setHTTPShouldHandleCookies((options & handleCookies) != 0);
    const auto headers = headersFilter ? headersFilter(url, HTTPHeaders_) : HTTPHeaders_;
    for (const auto& [name, value] : headers.fields()) {
        request.setValue(value, name);
    }

    std::weak_ptr<SDWebImageDownloader> weak = weak_from_this();
    const std::string key = url.absoluteString();
    auto progress = [weak, key](std::int64_t received, std::int64_t expected) {
        auto downloader = weak.lock();
        if (!downloader) {
            return;
        }
        std::vector<SDWebImageDownloaderProgressBlock> blocks;
        downloader->barrierQueue_->sync([&] {
            if (auto it = downloader->URLCallbacks_.find(key);
                it != downloader->URLCallbacks_.end()) {
                for (const auto& caller : it->second.callers) {
                    if (caller.progress) {
                        blocks.push_back(caller.progress);
                    }
                }
            }
        });
        for (auto& block : blocks) {
            foundation::DispatchQueue::main()->async(
                [block, received, expected] { block(received, expected); });
        }
    };
    auto completed = [weak, key](graphics::Image::Ptr image,
                                 std::shared_ptr<const foundation::Data> data,
                                 const std::optional<foundation::Error>& error, bool finished) {
        auto downloader = weak.lock();
        if (!downloader) {
            return;
        }
        std::vector<Callbacks> callers;
        downloader->barrierQueue_->barrierSync([&] {
            if (auto it = downloader->URLCallbacks_.find(key);
                it != downloader->URLCallbacks_.end()) {
                callers = it->second.callers;
                if (finished) {
                    downloader->URLCallbacks_.erase(it);
                }
            }
        });
        for (const auto& caller : callers) {
            if (caller.completed) {
                caller.completed(image, data, error, finished);
            }
        }
    };
    auto cancelled = [weak, key] {
        auto downloader = weak.lock();
        if (!downloader) {
            return;
        }
        downloader->barrierQueue_->barrierAsync([downloader, key] {
            // Only the download that was cancelled goes: a newer one for the
            // same URL keeps its callers.
            auto it = downloader->URLCallbacks_.find(key);
            if (it == downloader->URLCallbacks_.end()) {
                return;
            }
            auto operation = it->second.operation.lock();
            if (!operation || operation->isCancelled()) {
                downloader->URLCallbacks_.erase(it);
            }
        });
    };
    auto operation =
        operationFactory_
            ? operationFactory_(std::move(request), options, progress, completed, cancelled)
            : std::make_shared<SDWebImageDownloaderOperation>(std::move(request), options, progress,
                                                              completed, cancelled);
    operation->shouldDecompressImages = shouldDecompressImages;
    if (urlCredential) {
        operation->credential = urlCredential;
    } else if (username && password) {
        operation->credential =
            net::URLCredential(*username, *password, net::URLCredentialPersistence::forSession);
    }
    if ((options & highPriority) != 0) {
        operation->setQueuePriority(foundation::Operation::High);
    } else if ((options & lowPriority) != 0) {
        operation->setQueuePriority(foundation::Operation::Low);
    }
    return operation;
}

void SDWebImageDownloader::cancelCaller(const std::string& url, std::uint64_t id) {
    std::shared_ptr<SDWebImageDownloaderOperation> orphaned;
    barrierQueue_->barrierSync([&] {
        auto it = URLCallbacks_.find(url);
        if (it == URLCallbacks_.end()) {
            return;
        }
        auto& callers = it->second.callers;
        std::erase_if(callers, [id](const Callbacks& caller) { return caller.id == id; });
        if (callers.empty()) {
            orphaned = it->second.operation.lock();
            URLCallbacks_.erase(it);
        }
    });
    if (orphaned) {
        orphaned->cancel();
    }
}
