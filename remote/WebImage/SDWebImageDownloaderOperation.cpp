#include "remote/WebImage/SDWebImageDownloaderOperation.h"

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/graphics/ImageSource.h"
#include "platform/net/URLCache.h"
#include "platform/net/URLError.h"
#include "remote/WebImage/SDScaledImageForKey.h"
#include "remote/WebImage/SDWebImageManager.h"
#include "remote/WebImage/UIImageForceDecode.h"
#include "remote/WebImage/UIImageMultiFormat.h"

namespace {

foundation::Error imageError(const char* description) {
    return foundation::Error{SDWebImageErrorDomain, 0, description};
}

// The key the shared image manager gives the request's URL: its scale rule
// reads "@2x." and "@3x." from it.
std::string keyFor(const net::URLRequest& request) {
    return SDWebImageManager::sharedManager()->cacheKeyForURL(request.url());
}

}  // namespace

SDWebImageDownloaderOperation::SDWebImageDownloaderOperation(
    net::URLRequest request, SDImageDownloadOptions options,
    SDWebImageDownloaderProgressBlock progressBlock,
    SDWebImageDownloaderCompletedBlock completedBlock, SDWebImageNoParamsBlock cancelBlock)
    : request_(std::move(request)),
      options_(options),
      progressBlock_(std::move(progressBlock)),
      completedBlock_(std::move(completedBlock)),
      cancelBlock_(std::move(cancelBlock)) {}

SDWebImageDownloaderOperation::~SDWebImageDownloaderOperation() = default;

std::shared_ptr<SDWebImageDownloaderOperation> SDWebImageDownloaderOperation::self() {
    return std::static_pointer_cast<SDWebImageDownloaderOperation>(shared_from_this());
}

std::optional<net::URLResponse> SDWebImageDownloaderOperation::response() const {
    std::lock_guard lock(lock_);
    return response_;
}

graphics::ImageOrientation SDWebImageDownloaderOperation::orientationFromPropertyValue(int value) {
    return UIImageMultiFormat::sd_exifOrientationToiOSOrientation(value);
}

void SDWebImageDownloaderOperation::start() {
    if (shouldContinueWhenAppEntersBackground()) {
        beginBackgroundTask();
    }
    std::shared_ptr<net::URLConnection> connection;
    {
        std::lock_guard lock(lock_);
        if (isCancelled()) {
            setFinished(true);
            reset();
            endBackgroundTask();
            return;
        }
        setExecuting(true);
        auto delegate = std::shared_ptr<net::URLConnectionDelegate>(
            self(), static_cast<net::URLConnectionDelegate*>(this));
        connection_ = net::URLConnection::make(request_, std::move(delegate), false);
        connection_->scheduleInRunLoop(foundation::RunLoop::current());
        thread_ = foundation::RunLoop::current().taskQueue();
        connection = connection_;
    }
    if (connection) {
        connection->start();
        if (auto progress = progressBlock_) {
            progress(0, -1);
        }
        notify(SDWebImageDownloadStartNotification);
        foundation::RunLoop::current().run();
        if (!isFinished()) {
            connection->cancel();
            const auto& url = request_.url();
            connectionDidFailWithError(
                *connection,
                net::URLError::make(net::URLErrorCode::timedOut,
                                    url ? std::optional(url->absoluteString()) : std::nullopt));
        }
    } else {
        if (auto completion = completedBlock_) {
            completion(nullptr, nullptr,
                       foundation::Error{net::URLErrorDomain, 0, "Connection can't be initialized"},
                       true);
        }
        done();
    }
    endBackgroundTask();
}

void SDWebImageDownloaderOperation::cancel() {
    std::lock_guard lock(lock_);
    if (thread_) {
        auto operation = self();
        thread_->async([operation] { operation->cancelInternalAndStop(); });
    } else {
        cancelInternal();
    }
}

void SDWebImageDownloaderOperation::cancelInternalAndStop() {
    if (isFinished()) {
        return;
    }
    cancelInternal();
    foundation::RunLoop::current().stop();
}

void SDWebImageDownloaderOperation::cancelInternal() {
    std::unique_lock lock(lock_);
    if (isFinished()) {
        return;
    }
    foundation::Operation::cancel();
    auto cancelBlock = cancelBlock_;
    auto connection = connection_;
    lock.unlock();
    if (cancelBlock) {
        cancelBlock();
    }
    if (connection) {
        connection->cancel();
        notify(SDWebImageDownloadStopNotification);
        setExecuting(false);
        setFinished(true);
    }
    reset();
}

void SDWebImageDownloaderOperation::done() {
    setFinished(true);
    setExecuting(false);
    reset();
}

void SDWebImageDownloaderOperation::reset() {
    std::lock_guard lock(lock_);
    cancelBlock_ = nullptr;
    completedBlock_ = nullptr;
    progressBlock_ = nullptr;
    connection_.reset();
    imageData_.clear();
    thread_.reset();
}

void SDWebImageDownloaderOperation::notify(const char* name, const char* second) {
    const void* object = this;
    foundation::DispatchQueue::main()->async([name, second, object] {
        foundation::NotificationCenter::defaultCenter().post(name, object);
        if (second != nullptr) {
            foundation::NotificationCenter::defaultCenter().post(second, object);
        }
    });
}

void SDWebImageDownloaderOperation::connectionDidReceiveResponse(net::URLConnection& connection,
                                                                 const net::URLResponse& response) {
    const int status = response.isHTTP() ? response.statusCode() : 0;
    if (status >= 400 || status == 304) {
        rejectStatus(status);
        return;
    }
    const long long length = response.expectedContentLength();
    expectedSize_ = length > 0 ? length : 0;
    if (auto progress = progressBlock_) {
        progress(0, expectedSize_);
    }
    {
        std::lock_guard lock(lock_);
        imageData_.clear();
        imageData_.reserve(
            static_cast<std::size_t>(std::min<std::int64_t>(expectedSize_, 1 << 24)));
        response_ = response;
    }
    notify(SDWebImageDownloadReceiveResponseNotification);
}

// A 304 ends the load like any rejected status: one stop notification and one
// completion with the status as the error code.
void SDWebImageDownloaderOperation::rejectStatus(int statusCode) {
    std::shared_ptr<net::URLConnection> connection;
    SDWebImageDownloaderCompletedBlock completion;
    {
        std::lock_guard lock(lock_);
        connection = connection_;
        completion = completedBlock_;
    }
    if (connection) {
        connection->cancel();
    }
    notify(SDWebImageDownloadStopNotification);
    if (completion) {
        completion(nullptr, nullptr, foundation::Error{net::URLErrorDomain, statusCode, ""}, true);
    }
    foundation::RunLoop::current().stop();
    done();
}

void SDWebImageDownloaderOperation::connectionDidReceiveData(net::URLConnection& connection,
                                                             const foundation::Data& data) {
    {
        std::lock_guard lock(lock_);
        imageData_.insert(imageData_.end(), data.begin(), data.end());
    }
    if ((options_ & SDImageDownloadOption::progressiveDownload) != 0 && expectedSize_ > 0 &&
        completedBlock_) {
        deliverPartialImage();
    }
    if (auto progress = progressBlock_) {
        progress(static_cast<std::int64_t>(imageData_.size()), expectedSize_);
    }
}

void SDWebImageDownloaderOperation::deliverPartialImage() {
    const auto total = static_cast<std::int64_t>(imageData_.size());
    graphics::ImageSource source;
    source.updateData(imageData_, false);
    if (width_ + height_ == 0) {
        if (auto properties = source.propertiesAtIndex(0)) {
            height_ = properties->pixelHeight;
            width_ = properties->pixelWidth;
            orientation_ = orientationFromPropertyValue(properties->orientation.value_or(1));
        }
    }
    if (width_ + height_ == 0 || total >= expectedSize_) {
        return;
    }
    auto bitmap = source.imageAtIndex(0);
    if (!bitmap) {
        return;
    }
    auto image =
        SDScaledImageForKey(keyFor(request_), graphics::Image::make(bitmap, 1, orientation_));
    if (shouldDecompressImages) {
        image = UIImageForceDecode::decodedImageWithImage(image);
    }
    auto completion = completedBlock_;
    foundation::DispatchQueue::runOnMainSync([&] {
        if (completion) {
            completion(image, nullptr, std::nullopt, false);
        }
    });
}

void SDWebImageDownloaderOperation::connectionDidFinishLoading(net::URLConnection& connection) {
    SDWebImageDownloaderCompletedBlock completion;
    foundation::Data bytes;
    {
        std::lock_guard lock(lock_);
        completion = completedBlock_;
        bytes = std::move(imageData_);
        foundation::RunLoop::current().stop();
        thread_.reset();
        connection_.reset();
        notify(SDWebImageDownloadStopNotification, SDWebImageDownloadFinishNotification);
    }
    if (!net::URLCache::shared().cachedResponseForRequest(request_)) {
        responseFromCached_ = false;
    }
    if (completion) {
        if ((options_ & SDImageDownloadOption::ignoreCachedResponse) != 0 && responseFromCached_) {
            completion(nullptr, nullptr, std::nullopt, true);
        } else if (!bytes.empty()) {
            auto image =
                SDScaledImageForKey(keyFor(request_), UIImageMultiFormat::sd_imageWithData(&bytes));
            if (image && image->images().empty() && shouldDecompressImages) {
                image = UIImageForceDecode::decodedImageWithImage(image);
            }
            if (!image || image->size().width * image->size().height == 0) {
                completion(nullptr, nullptr, imageError("Downloaded image has 0 pixels"), true);
            } else {
                completion(image, std::make_shared<const foundation::Data>(std::move(bytes)),
                           std::nullopt, true);
            }
        } else {
            completion(nullptr, nullptr, imageError("Image data is nil"), true);
        }
    }
    setCompletionBlock(nullptr);
    done();
}

void SDWebImageDownloaderOperation::connectionDidFailWithError(net::URLConnection& connection,
                                                               const net::URLError& error) {
    SDWebImageDownloaderCompletedBlock completion;
    {
        std::lock_guard lock(lock_);
        completion = completedBlock_;
        foundation::RunLoop::current().stop();
        thread_.reset();
        connection_.reset();
        notify(SDWebImageDownloadStopNotification);
    }
    if (completion) {
        completion(nullptr, nullptr, static_cast<const foundation::Error&>(error), true);
    }
    setCompletionBlock(nullptr);
    done();
}

std::optional<net::CachedURLResponse> SDWebImageDownloaderOperation::connectionWillCacheResponse(
    net::URLConnection& connection, const net::CachedURLResponse& cachedResponse) {
    responseFromCached_ = false;
    if (request_.cachePolicy() == net::URLRequestCachePolicy::reloadIgnoringLocalCacheData) {
        return std::nullopt;
    }
    return cachedResponse;
}

// Certificates are always checked first; a server that fails the check is
// trusted only when the download allows invalid certificates.
net::AuthChallengeAnswer
SDWebImageDownloaderOperation::connectionWillSendRequestForAuthenticationChallenge(
    net::URLConnection& connection, const net::URLAuthenticationChallenge& challenge) {
    using net::AuthChallengeDisposition;
    if (challenge.protectionSpace.authenticationMethod ==
        net::URLAuthenticationMethod::serverTrust) {
        if ((options_ & SDImageDownloadOption::allowInvalidSSLCertificates) == 0) {
            return {AuthChallengeDisposition::performDefaultHandling, std::nullopt};
        }
        return {AuthChallengeDisposition::useCredential, net::URLCredential::forTrust()};
    }
    if (challenge.previousFailureCount > 0 || !credential) {
        return {AuthChallengeDisposition::useCredential, std::nullopt};
    }
    return {AuthChallengeDisposition::useCredential, credential};
}

void SDWebImageDownloaderOperation::beginBackgroundTask() {
    auto task = std::make_shared<ui::BackgroundTaskIdentifier>(ui::BackgroundTaskInvalid);
    std::weak_ptr<SDWebImageDownloaderOperation> weak = self();
    foundation::DispatchQueue::runOnMainSync([&] {
        *task = ui::Application::shared().beginBackgroundTask([weak, task] {
            if (auto operation = weak.lock()) {
                operation->cancel();
            }
            ui::Application::shared().endBackgroundTask(*task);
            *task = ui::BackgroundTaskInvalid;
        });
    });
    std::lock_guard lock(lock_);
    backgroundTaskId_ = task;
}

void SDWebImageDownloaderOperation::endBackgroundTask() {
    std::shared_ptr<ui::BackgroundTaskIdentifier> task;
    {
        std::lock_guard lock(lock_);
        task = std::move(backgroundTaskId_);
    }
    if (task) {
        foundation::DispatchQueue::main()->async([task] {
            if (*task != ui::BackgroundTaskInvalid) {
                ui::Application::shared().endBackgroundTask(*task);
                *task = ui::BackgroundTaskInvalid;
            }
        });
    }
}
