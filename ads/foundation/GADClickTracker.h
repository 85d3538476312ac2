#pragma once

// Pings one tracking URL through a cached file inside a background task,
// following redirects only while they stay on HTTP(S): a redirect elsewhere
// (an application link) counts as delivered and is reported as the final
// URL. Reports once; trackURL() first resets, so a tracker can be reused.
// Main thread.

#include <memory>
#include <optional>

#include "ads/foundation/GADCachedFile.h"
#include "ads/foundation/GADCachedFileDelegate.h"
#include "ads/foundation/GADClickTrackerDelegate.h"
#include "platform/ui/Application.h"

// The domain of the error that stops a redirect away from HTTP(S).
inline constexpr const char* kGADClickTrackerErrorDomain = "com.dezuvo.ads";

class GADClickTracker : public GADCachedFileDelegate,
                        public std::enable_shared_from_this<GADClickTracker> {
  public:
    GADClickTracker() = default;
    ~GADClickTracker() override;

    // No URL only resets.
    void trackURL(const std::optional<foundation::URL>& url);
    // Stops the ping without a report and forgets it.
    void reset();

    std::shared_ptr<GADClickTrackerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<GADClickTrackerDelegate>& delegate) {
        delegate_ = delegate;
    }
    bool hasTracked() const { return hasTracked_; }
    bool cacheEnabled() const { return cacheEnabled_; }
    // False makes the ping ignore locally cached data.
    void setCacheEnabled(bool enabled) { cacheEnabled_ = enabled; }
    const std::shared_ptr<GADCachedFile>& cachedFile() const { return cachedFile_; }

    std::optional<foundation::Error> cachedFileShouldRedirectToURL(
        GADCachedFile& file, const foundation::URL& url) override;
    void cachedFileDownloadDidEnd(GADCachedFile& file) override;
    void cachedFileDownloadDidFail(GADCachedFile& file,
                                   const std::optional<foundation::Error>& error) override;

  private:
    void beginBackgroundTask();
    void endBackgroundTask();
    void dropCachedFile();

    std::weak_ptr<GADClickTrackerDelegate> delegate_;
    bool hasTracked_ = false;
    bool cacheEnabled_ = true;
    std::shared_ptr<GADCachedFile> cachedFile_;
    ui::BackgroundTaskIdentifier backgroundTask_ = ui::BackgroundTaskInvalid;
};
