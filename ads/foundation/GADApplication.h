#pragma once

// The ad component's view of the host application: whether it is active,
// and the early activities run once before the first request.

#include <mutex>
#include <optional>
#include <string>

#include "platform/foundation/Value.h"

class GADApplication {
  public:
    // The shared instance, made on first use.
    static GADApplication& sharedApplication();

    // Once per process; nothing in this build needs preparing yet.
    void runEarlyActivities();
    // False only when the application has finished launching and runs in the
    // background.
    bool isAppActive();
    bool appFinishedLaunching();
    void setAppFinishedLaunching(bool finished);
    // "iTunesMetadata.plist" beside the documents folder.
    std::optional<std::string> iTunesMetadataPath() const;
    // The install metadata, read once; empty when there is none or it is not
    // a dictionary.
    foundation::Dictionary iTunesMetadata();

    // As in a new process.
    void reset();

  private:
    GADApplication() = default;

    std::mutex lock_;
    bool appFinishedLaunching_ = false;
    std::once_flag earlyActivities_;
    std::optional<foundation::Dictionary> iTunesMetadata_;
};
