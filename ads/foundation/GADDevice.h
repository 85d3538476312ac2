#pragma once

// The ad component's source of facts about the device: system version and
// version tests, model, language, screen scale and portrait-fixed geometry,
// audio route, radio access technology, the hashed advertising identifier,
// the web views' user agent, which URLs can be opened, and the network
// watcher. `parameters` gives the device's keys of every ad request.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ads/foundation/GADNetwork.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/Geometry.h"

// Audio route codes of `audioRoute`.
enum GADAudioRoute : std::uint64_t {
    GADAudioRouteBuiltInSpeaker = 1,
    GADAudioRouteHeadphones = 2,
    GADAudioRouteNone = 3,
    GADAudioRouteOther = 5,
};

class GADDevice : public std::enable_shared_from_this<GADDevice> {
  public:
    // The file whose presence marks a modified system.
    static constexpr const char* kModifiedSystemMarkerPath = "/usr/libexec/modified-system";

    // The shared device, made on first use, with radio checking on.
    static GADDevice& currentDevice();
    ~GADDevice();
    GADDevice(const GADDevice&) = delete;
    GADDevice& operator=(const GADDevice&) = delete;

    void enableRadioAccessTechnologyChecking();
    void disableRadioAccessTechnologyChecking();

    // The device keys of an ad request, fresh on each call.
    foundation::Dictionary parameters();

    // Facts read once per process. A fact the main thread must answer is
    // asked without holding any guard, so a first reading from a worker
    // queue never blocks a main thread that asks at the same time.
    // The SDK name the application was built with, less the platform name.
    std::optional<std::string> baseSDKVersion();
    bool isJailbroken();
    // The system version text ("8.1").
    std::string systemVersion();
    std::string deviceModel();
    // The hardware name ("x86_64").
    std::string deviceSubmodel();
    // The most preferred language, lower-cased; nullopt when none is known.
    std::optional<std::string> locale();
    double screenDensity();

    // The version's first three components; a missing one is 0.
    void getOSMajor(std::int64_t* major, std::int64_t* minor, std::int64_t* bugFix);
    bool isOSAtLeastMajor(std::int64_t major, std::int64_t minor, std::int64_t bug);
    // At least 5.0.0.
    bool OSIsSupported();
    // Each given text to whether the application can open it as a URL.
    foundation::Dictionary canOpenURLs(const std::vector<std::string>& urls);

    // Lower-case hex MD5 of the advertising identifier; "" when tracking is
    // off. The raw identifier never leaves this class.
    std::string deviceIdentifier();

    // One of GADAudioRoute.
    std::uint64_t audioRoute();
    std::uint64_t audioRouteUsingAudioSession(const std::vector<std::string>& outputs);
    std::uint64_t audioRouteUsingAudioToolkit();

    // Read fresh on every call.
    bool isOrientationLandscape();
    // The main screen's bounds, standardized; in landscape width and height
    // are swapped so the width is always the portrait width.
    graphics::Rect standardizedScreenBounds();
    graphics::Rect standardizedApplicationFrame();
    bool userInterfaceIdiomIsPhone();
    bool userInterfaceIdiomIsTablet();

    std::optional<std::string> radioAccessTechnology();
    std::optional<std::string> lastKnownRadioAccessTechnology();
    // Stores the technology; a present one also becomes the last known.
    void setRadioAccessTechnology(const std::optional<std::string>& technology);
    std::optional<std::string> userAgentString();
    // An empty text leaves the user agent as it was.
    void setUserAgentString(const std::string& userAgent);

    GADNetwork& network() { return *network_; }

    // As in a new process: facts are read again, the user agent, radio and
    // identifier caches are forgotten and the network watcher and radio
    // checking start afresh at the next use.
    void reset();

  private:
    struct Facts;

    GADDevice();
    // Network and radio checking, started by the first use of the device.
    void startChecking();
    // In landscape from version 8: width and height swapped back to portrait.
    graphics::Rect portraitFixed(graphics::Rect rect);

    std::shared_ptr<foundation::DispatchQueue> lockQueue_;
    std::optional<std::string> radioAccessTechnology_;
    std::optional<std::string> lastKnownRadioAccessTechnology_;
    std::optional<std::string> userAgentString_;
    std::string cachedAdvertisingID_;
    std::string cachedMD5AdvertisingID_;
    std::shared_ptr<GADNetwork> network_;
    std::unique_ptr<Facts> facts_;
    bool observesRadio_ = false;
    std::atomic<bool> started_ = false;
};
